#pragma once
// Samples made at build time stored as the program's archive waves ('tWAV'): mono 16-bit
// samples, compressed to IMA ADPCM, played once.
#include <vector>

#include "engine/base/EngineTypes.h"

// Throws ArtError when the sound import refuses the samples.
std::vector<u8> writeArchiveWave(const std::vector<i16>& samples, u32 rate);
