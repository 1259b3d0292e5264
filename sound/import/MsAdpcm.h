#pragma once
// Microsoft ADPCM (WAVE format 2): blocks of `blockAlign` bytes, each a header per channel
// (predictor index, delta, the two first samples) followed by 4-bit codes, high nibble
// first; in stereo the high nibble is the left channel. The standard seven coefficient
// pairs are used.
#include <span>
#include <vector>

#include "engine/base/EngineTypes.h"

struct MsAdpcmLayout {
    u16 channels = 1;
    u16 blockAlign = 0;
    u16 framesPerBlock = 0;
};

// The header bytes of one block.
inline u32 msAdpcmHeaderBytes(u16 channels) { return 7u * channels; }
// True when the blocks can hold their header and the frames they promise.
bool msAdpcmLayoutValid(const MsAdpcmLayout& layout);
// Frames that `bytes` of data decode to: whole blocks, and a final partial block's frames.
u32 msAdpcmFrames(const MsAdpcmLayout& layout, size_t bytes);
// Decodes up to `maxFrames` frames as interleaved samples; false when a block names a
// predictor outside the seven.
bool msAdpcmDecode(const MsAdpcmLayout& layout, std::span<const u8> data, u32 maxFrames, std::vector<i16>* out);
