#pragma once
// What an archive wave can hold: its rate field is 16 bits wide, and the mixer plays one or
// two channels. Rates below the lowest are no sound anyone recorded on purpose.
#include "engine/base/EngineTypes.h"

constexpr u32 kImportMinRate = 1000;
constexpr u32 kImportMaxRate = 0xFFFF;
constexpr u16 kImportMaxChannels = 2;

inline bool importRateFits(u32 rate) { return rate >= kImportMinRate && rate <= kImportMaxRate; }
