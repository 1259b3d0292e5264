#pragma once
// IMA ADPCM: 4 bits per sample and channel. Mono data holds two frames per byte, the earlier
// one in the high nibble; stereo data holds one frame per byte, left in the high nibble.
// Each nibble moves the channel's predictor by a difference taken from an 89 x 16 table and
// moves its step index by -1 to +8, both clamped.
#include <array>

#include "engine/base/EngineTypes.h"
#include "engine/audio/format/AdpcmSeekTable.h"

// The standard 89 steps, 7 up to 32767.
inline constexpr std::array<i16, 89> kImaSteps = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
// The index change for each nibble: -1 for 0-3, then 2, 4, 6, 8 (the sign bit aside).
inline constexpr std::array<i8, 16> kImaIndexChanges = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};

// Predictor difference for step index i and nibble n.
i32 imaDifference(u16 index, u8 nibble);

// Input bytes that hold `frames` frames starting at frame 0.
inline u32 imaBytesForFrames(u32 frames, u16 channels) {
    return channels == 1 ? frames / 2 + (frames & 1) : frames;
}

// Decodes `frames` frames into interleaved 16-bit samples. `input` is the byte that holds
// the first frame; a mono run starting at an odd frame (`oddStart`) begins with that
// byte's low nibble. The states are advanced past the last frame.
void imaDecode(const u8* input, bool oddStart, u32 frames, u16 channels, ImaChannelState* states, i16* output);
