#include "engine/audio/WaveXDec.h"

#include <algorithm>
#include <cstring>

EngineErr WaveXDec::ReadSamples(u32 offset, u8* out, u32 count) {
    if (offset < head_.size()) {
        const u32 fromHead = std::min<u32>(count, u32(head_.size()) - offset);
        std::memcpy(out, head_.data() + offset, fromHead);
        offset += fromHead;
        out += fromHead;
        count -= fromHead;
    }
    return count ? host_.Samples().Read(offset, out, count) : kErrNone;
}

EngineErr WaveXDec::CopyHead(u32 bytes) {
    bytes = std::min(bytes, sampleBytes_);
    if (host_.Samples().InMemory() || bytes <= head_.size()) return kErrNone;
    std::vector<u8> head(bytes);
    if (EngineErr err = host_.Samples().Read(0, head.data(), bytes)) return err;
    head_ = std::move(head);
    return kErrNone;
}
