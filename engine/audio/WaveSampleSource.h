#pragma once
// Where a wave sound's stored sample bytes come from: the image in memory, or the resource
// in its archive file, read as it plays. Offsets count from the first sample byte.
#include <span>

#include "engine/base/EngineTypes.h"
#include "engine/resources/ResourceManager.h"

class WaveSampleSource {
public:
    virtual ~WaveSampleSource() = default;
    virtual EngineErr Read(u32 offset, u8* out, u32 count) = 0;
    // True when the samples are in memory already, so that copying their head gains nothing.
    virtual bool InMemory() const = 0;
};

class MemorySampleSource : public WaveSampleSource {
public:
    explicit MemorySampleSource(std::span<const u8> samples) : samples_(samples) {}
    EngineErr Read(u32 offset, u8* out, u32 count) override;
    bool InMemory() const override { return true; }

private:
    std::span<const u8> samples_;
};

class ResourceSampleSource : public WaveSampleSource {
public:
    ResourceSampleSource(ResourceRef resource, u32 sampleOffset) : resource_(resource), sampleOffset_(sampleOffset) {}
    EngineErr Read(u32 offset, u8* out, u32 count) override;
    bool InMemory() const override { return false; }

private:
    ResourceRef resource_;
    u32 sampleOffset_;
};
