#pragma once
// Error codes of the sound import (returned as u16; 0 is success).
#include "engine/base/EngineTypes.h"

constexpr u16 kImportErrNotSoundFile = 1;  // neither AIFF nor WAVE
constexpr u16 kImportErrNoComm = 2;
constexpr u16 kImportErrNoSsnd = 3;
constexpr u16 kImportErrShortData = 4;     // the samples end before the header says
constexpr u16 kImportErrLoopFlags = 5;     // loop whole and no loop together
constexpr u16 kImportErrNoImage = 6;
constexpr u16 kImportErrEmpty = 7;
constexpr u16 kImportErrNoRoom = 8;        // compression not asked for, or no memory
constexpr u16 kImportErrNoFmt = 9;
constexpr u16 kImportErrNoData = 10;
constexpr u16 kImportErrWaveFormat = 11;   // a WAVE coding other than PCM and MS ADPCM
constexpr u16 kImportErrBadFields = 12;    // channels, bits, rate or block sizes no archive wave can take
