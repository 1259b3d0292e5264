#pragma once
// The PCM decompressor: stored frames are already what the mixer plays (8-bit unsigned or
// 16-bit big-endian signed), so decoding is copying.
#include "engine/audio/WaveXDec.h"

class PcmXDec : public WaveXDec {
public:
    using WaveXDec::WaveXDec;
    EngineErr Preload(u32 frames) override;
    EngineErr SetFormat(const plat::WaveFormat& format, u32 sampleBytes, u32* stateSize, bool* nativeOrder) override;
    EngineErr Decode(u8* output, u32 frames, u32 firstFrame, u8* state) override;

    static std::unique_ptr<WaveXDec> Create(WaveXDecHost& host);
};
