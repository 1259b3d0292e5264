#pragma once
// Display modes as the graphics module sees them: the current display, the choice of a mode
// that satisfies a wanted one, and switching to it. Switches go through the display layer,
// which simulates them and never changes the real desktop. User-interface thread only.
#include <cstring>

#include "engine/base/EngineTypes.h"

// A wanted or found mode. In a wanted mode, kGfxAnySize (width, height) and kGfxAnyColors
// mean any value; palettized 0 and refresh 0 demand nothing.
struct GfxDisplayMode {
    GfxDisplayMode() = default;
    GfxDisplayMode(i16 w, i16 h, u32 colors, u16 palettized)
        : width(w), height(h), colorCount(colors), palettized(palettized) {}
    i16 width = 0;
    i16 height = 0;
    u32 colorCount = 0;
    u16 palettized = 0;
    u16 bitsPerPixel = 0;
    u32 refreshRate = 0;
};

constexpr i16 kGfxAnySize = -1;
constexpr u32 kGfxAnyColors = 0xFFFFFFFF;
// The answer of the mode calls when the display could not be asked.
constexpr u16 kGfxModeError = 0xFFFF;

// The display-settings record of one mode; `fields` says which of the values are given.
struct GfxDisplayRecord {
    char deviceName[32] = {};
    u32 fields = 0;
    u32 bitsPerPel = 0;
    u32 pelsWidth = 0;
    u32 pelsHeight = 0;
    u32 displayFrequency = 0;
};
// The device name of the records that come from the direct-surface path.
constexpr const char* kGfxDirectDrawDevice = "DDRAW";
constexpr u32 kGfxFieldBitsPerPel = 0x00040000;
constexpr u32 kGfxFieldPelsWidth = 0x00080000;
constexpr u32 kGfxFieldPelsHeight = 0x00100000;
constexpr u32 kGfxFieldFrequency = 0x00400000;

// Answers of gfxChangeDisplaySettings and the flag that only tests a change.
constexpr i32 kGfxChangeDone = 0;
constexpr i32 kGfxChangeFailed = -1;
constexpr i32 kGfxChangeBadMode = -2;
constexpr u32 kGfxChangeTestOnly = 0x02;
constexpr u32 kGfxChangeFullScreen = 0x04;

using GfxDisplayModeProc = u16 (*)(const GfxDisplayRecord* record, void* data);

// The "fEnableDisplayChange" setting: whether modes may be enumerated and changed.
u16 gfxDisplayChangeEnabled();
void gfxSetDisplayChangeEnabled(u16 on);

void gfxGetDisplayInfo(GfxDisplayRecord* out);
void gfxGetCurrentDisplayMode(GfxDisplayMode* out);
u16 gfxFindDisplayMode(const GfxDisplayMode* wanted, GfxDisplayRecord* out);
u16 gfxCheckDisplayMode(GfxDisplayMode* mode, u16 changeAllowed);
EngineErr gfxEnumDisplayModes(GfxDisplayModeProc callback, void* data);
u16 gfxSetDisplayMode(GfxDisplayMode* mode);
i32 gfxChangeDisplaySettings(const GfxDisplayRecord* record, u32 flags);
// Back to the mode the desktop had before the program switched.
void gfxRestoreDisplayMode();
