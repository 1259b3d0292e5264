#include "engine/audio/PcmXDec.h"

#include <algorithm>
#include <cstring>

EngineErr PcmXDec::Preload(u32 frames) { return CopyHead(u32(std::min<u64>(u64(frames) * format_.blockAlign, sampleBytes_))); }

EngineErr PcmXDec::SetFormat(const plat::WaveFormat& format, u32 sampleBytes, u32* stateSize, bool* nativeOrder) {
    format_ = format;
    sampleBytes_ = sampleBytes;
    *stateSize = 0;
    *nativeOrder = false;
    return kErrNone;
}

EngineErr PcmXDec::Decode(u8* output, u32 frames, u32 firstFrame, u8*) {
    const u64 want = u64(frames) * format_.blockAlign;
    const u64 start = u64(firstFrame) * format_.blockAlign;
    const u32 stored = start >= sampleBytes_ ? 0 : u32(std::min<u64>(want, sampleBytes_ - start));
    if (stored) {
        if (EngineErr err = ReadSamples(u32(start), output, stored)) return err;
    }
    std::memset(output + stored, format_.bitsPerSample == 8 ? 0x80 : 0, size_t(want - stored));
    return kErrNone;
}

std::unique_ptr<WaveXDec> PcmXDec::Create(WaveXDecHost& host) { return std::make_unique<PcmXDec>(host); }
