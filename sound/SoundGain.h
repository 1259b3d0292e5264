#pragma once
// The gains of the sound levels (0..32, 16.16 fixed point): level 0 is silence, level 1 a
// whisper (0x100), and from 2 up each level adds 1/16, so 16 is unity and 32 doubles. Fades
// walk this table one level per tick. The screen's sound volume is a level the user sets
// for the whole program; sounds take it when they open (1..32; any other value leaves them
// at their own volume).
#include "engine/base/EngineTypes.h"

constexpr u16 kSoundMaxLevel = 32;
constexpr u16 kSoundUnityLevel = 16;
constexpr u16 kSoundFadeTopLevel = 17;

Fixed soundGainForLevel(u16 level);

u16 soundScreenVolume();
void soundSetScreenVolume(u16 level);
