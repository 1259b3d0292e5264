#pragma once
// IMA ADPCM encoding, the inverse of the engine's decoder (engine/audio/format/ImaAdpcm.h):
// each sample's difference from the predictor is coded in 4 bits against the channel's step,
// and the predictor and step index then move exactly as the decoder moves them, so that
// decoding from any recorded state reproduces the encoder's predictor.
#include <span>
#include <vector>

#include "engine/audio/format/AdpcmSeekTable.h"

// Encodes `frames` interleaved frames of one or two channels. `stateFrames` (ascending) names
// the frames whose starting decoder states are recorded in `states`, one entry each. The
// output holds imaBytesForFrames(frames, channels) bytes; an odd mono count ends with a zero
// low nibble.
void imaEncode(std::span<const i16> samples, u16 channels, std::span<const u32> stateFrames,
               std::vector<AdpcmSeekEntry>* states, std::vector<u8>* out);

// One sample: the code for `sample` from `state`, which moves on as the decoder's would.
u8 imaEncodeSample(ImaChannelState& state, i16 sample);
