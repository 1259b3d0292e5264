#pragma once
// Wave decompressors: each turns a wave's stored sample bytes into PCM frames for the mixer,
// from any start frame, keeping a small state that the wave sound snapshots with every buffer
// so that a loop or a new position restarts decoding exactly. Decoding never reads past the
// stored bytes: frames beyond them come out as silence.
#include <memory>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/audio/WaveSampleSource.h"
#include "platform/audio/WaveTypes.h"

// What a decompressor needs of the sound it decodes for.
class WaveXDecHost {
public:
    virtual ~WaveXDecHost() = default;
    virtual WaveSampleSource& Samples() = 0;
    // Takes the sound's extra chunk with this tag; null when it has none.
    virtual std::unique_ptr<std::vector<u8>> ClaimChunk(FourCC tag) = 0;
};

class WaveXDec {
public:
    explicit WaveXDec(WaveXDecHost& host) : host_(host) {}
    virtual ~WaveXDec() = default;
    WaveXDec(const WaveXDec&) = delete;
    WaveXDec& operator=(const WaveXDec&) = delete;

    // Copies the bytes of the first frames into memory, so that a streamed sound starts
    // without waiting for its file.
    virtual EngineErr Preload(u32 frames) = 0;
    // Checks and keeps the decoded format; gives the size of the decoder state and whether
    // the output is in native byte order.
    virtual EngineErr SetFormat(const plat::WaveFormat& format, u32 sampleBytes, u32* stateSize, bool* nativeOrder) = 0;
    virtual EngineErr Decode(u8* output, u32 frames, u32 firstFrame, u8* state) = 0;

protected:
    // Sample bytes from the head copy where it has them, else from the source.
    EngineErr ReadSamples(u32 offset, u8* out, u32 count);
    EngineErr CopyHead(u32 bytes);

    WaveXDecHost& host_;
    plat::WaveFormat format_;
    u32 sampleBytes_ = 0;
    std::vector<u8> head_;
};

using WaveXDecFactory = std::unique_ptr<WaveXDec> (*)(WaveXDecHost& host);
