#include "sound/import/ImaEncoder.h"

#include <algorithm>

#include "engine/audio/format/ImaAdpcm.h"

u8 imaEncodeSample(ImaChannelState& state, i16 sample) {
    i32 difference = i32(sample) - state.predictor;
    u8 code = 0;
    if (difference < 0) {
        code = 8;
        difference = -difference;
    }
    i32 step = kImaSteps[state.index];
    for (u8 bit = 4; bit != 0; bit >>= 1) {
        if (difference >= step) {
            code |= bit;
            difference -= step;
        }
        step >>= 1;
    }
    state.predictor = i16(std::clamp<i32>(state.predictor + imaDifference(state.index, code), -32768, 32767));
    state.index = u16(std::clamp<i32>(i32(state.index) + kImaIndexChanges[code], 0, kImaMaxStepIndex));
    return code;
}

void imaEncode(std::span<const i16> samples, u16 channels, std::span<const u32> stateFrames,
               std::vector<AdpcmSeekEntry>* states, std::vector<u8>* out) {
    const u32 frames = u32(samples.size() / channels);
    out->assign(imaBytesForFrames(frames, channels), 0);
    states->clear();
    ImaChannelState state[2];
    size_t next = 0;
    for (u32 f = 0; f < frames; ++f) {
        while (next < stateFrames.size() && stateFrames[next] <= f) {
            if (stateFrames[next] == f) states->push_back({f, {state[0], state[1]}});
            ++next;
        }
        if (channels == 2) {
            const u8 left = imaEncodeSample(state[0], samples[2 * size_t(f)]);
            const u8 right = imaEncodeSample(state[1], samples[2 * size_t(f) + 1]);
            (*out)[f] = u8((left << 4) | right);
        } else {
            const u8 code = imaEncodeSample(state[0], samples[f]);
            (*out)[f / 2] |= (f & 1) ? code : u8(code << 4);
        }
    }
}
