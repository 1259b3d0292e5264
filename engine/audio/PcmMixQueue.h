#pragma once
// One queued client buffer of a mixer channel, placed on the output's time line in output
// frames. A record that closes a loop with passes to repeat, and every earlier record of that
// loop, carry the loop's count, lengths, base and span; their end lies after the last pass.
#include "engine/base/EngineTypes.h"
#include "engine/audio/MixerDevice.h"
#include "platform/audio/WaveTypes.h"

struct PcmMixRecord {
    plat::WaveHeader* header = nullptr;
    PcmMixRecord* next = nullptr;
    PcmMixRecord* prev = nullptr;
    const u8* data = nullptr;
    u32 sourceFrames = 0;
    u32 outputFrames = 0;
    u32 start = 0;
    u32 end = 0;
    u32 loopCount = 0;  // passes still to repeat
    u32 loopSourceFrames = 0;
    u32 loopOutputFrames = 0;
    u32 loopBase = 0;
    u32 loopSpan = 0;
    u32 loopsPlayed = 0;

    bool HasFlag(u32 flag) const { return (header->flags.load() & flag) != 0; }
    // The start of the piece of the present pass that holds p (p must lie in the record's span).
    u32 PassStart(u32 p) const {
        return loopCount == 0 ? start : start + (p - loopBase) / loopOutputFrames * loopOutputFrames;
    }
};

// Output frames of `sourceFrames` at `step`; false when they do not fit in 31 bits.
inline bool pcmMixOutputFrames(u32 sourceFrames, Fixed step, u32* frames) {
    const u64 product = (u64(sourceFrames) * u64(u32(step))) >> 16;
    if (product > 0x7FFFFFFFu) return false;
    *frames = u32(product);
    return true;
}

inline u32 pcmMixOutputFramesOrMax(u32 sourceFrames, Fixed step) {
    u32 frames = 0x7FFFFFFF;
    pcmMixOutputFrames(sourceFrames, step, &frames);
    return frames;
}
