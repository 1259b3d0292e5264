#include "engine/audio/WaveSampleSource.h"

#include <cstring>

#include "engine/audio/format/AudioErrors.h"

EngineErr MemorySampleSource::Read(u32 offset, u8* out, u32 count) {
    if (offset > samples_.size() || count > samples_.size() - offset) return kAudioErrNotSound;
    std::memcpy(out, samples_.data() + offset, count);
    return kErrNone;
}

EngineErr ResourceSampleSource::Read(u32 offset, u8* out, u32 count) {
    u32 done = count;
    if (EngineErr err = resReadResource(resource_, out, &done, sampleOffset_ + offset)) return err;
    return done == count ? kErrNone : kAudioErrNotSound;
}
