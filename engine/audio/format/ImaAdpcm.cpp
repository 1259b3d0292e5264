#include "engine/audio/format/ImaAdpcm.h"

#include <algorithm>


namespace {

using DifferenceTable = std::array<std::array<i32, 16>, 89>;

constexpr DifferenceTable buildDifferences() {
    DifferenceTable table{};
    for (int i = 0; i < 89; ++i) {
        const i32 step = kImaSteps[i];
        for (int n = 0; n < 16; ++n) {
            i32 d = step / 8;
            if (n & 4) d += step;
            if (n & 2) d += step / 2;
            if (n & 1) d += step / 4;
            table[i][n] = (n & 8) ? -d : d;
        }
    }
    return table;
}

// Built by the compiler: nothing to set up or share between decoders at run time.
constexpr DifferenceTable kDifferences = buildDifferences();

inline i16 step(ImaChannelState& state, u8 nibble) {
    const i32 p = std::clamp<i32>(state.predictor + kDifferences[state.index][nibble], -32768, 32767);
    state.predictor = i16(p);
    state.index = u16(std::clamp<i32>(i32(state.index) + kImaIndexChanges[nibble], 0, kImaMaxStepIndex));
    return i16(p);
}

}  // namespace

i32 imaDifference(u16 index, u8 nibble) { return kDifferences[std::min(index, kImaMaxStepIndex)][nibble & 15]; }

void imaDecode(const u8* input, bool oddStart, u32 frames, u16 channels, ImaChannelState* states, i16* output) {
    if (channels == 2) {
        for (int c = 0; c < 2; ++c) {
            ImaChannelState state = states[c];
            const int shift = c == 0 ? 4 : 0;
            for (u32 f = 0; f < frames; ++f) output[2 * f + c] = step(state, u8((input[f] >> shift) & 15));
            states[c] = state;
        }
        return;
    }
    ImaChannelState state = states[0];
    u32 f = 0;
    if (oddStart && frames > 0) {
        output[f++] = step(state, input[0] & 15);
        ++input;
    }
    for (; f + 1 < frames; f += 2, ++input) {
        output[f] = step(state, *input >> 4);
        output[f + 1] = step(state, *input & 15);
    }
    if (f < frames) output[f] = step(state, *input >> 4);
    states[0] = state;
}
