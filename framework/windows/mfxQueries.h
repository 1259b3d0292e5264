#pragma once
// Small questions and chores about the user's input and the program's resources that screens
// and panels ask of the framework. User-interface thread only.
#include <string>

#include "engine/base/EngineTypes.h"

// Values of mfxIsKeyDown besides virtual-key codes.
constexpr u32 kMfxKeyControl = 1;
constexpr u32 kMfxKeyAlt = 2;
constexpr u32 kMfxKeyShift = 4;

// Non-zero while the key is held: kMfxKeyControl, kMfxKeyAlt, kMfxKeyShift or a virtual-key code.
u32 mfxIsKeyDown(u32 key);
// Button 0 is the left one, 1 the right, 2 the middle.
u32 mfxIsMouseButtonDown(u32 button);
// Drop the key or mouse messages waiting in the queue.
void mfxFlushKeyboardMessages();
void mfxFlushMouseMessages();

// The height of the menu bar that a display window with a menu draws above its client
// area; 0 when the main display window shows no menu.
constexpr i16 kMfxMenuBarHeight = 20;
i16 mfxGetMenuBarHeight();
