#pragma once
// The IMA ADPCM decompressor: 4-bit samples decoded to native 16-bit frames. Its state is the
// frame it applies to and each channel's predictor and step index; the wave's "ADPC" chunk
// holds such states at known frames, from which a decode at any frame starts instead of
// decoding everything before it.
#include <vector>

#include "engine/audio/WaveXDec.h"
#include "engine/audio/format/AdpcmSeekTable.h"

class AdpcmXDec : public WaveXDec {
public:
    static constexpr u32 kInputBytes = 4096;

    using WaveXDec::WaveXDec;
    EngineErr Preload(u32 frames) override;
    EngineErr SetFormat(const plat::WaveFormat& format, u32 sampleBytes, u32* stateSize, bool* nativeOrder) override;
    EngineErr Decode(u8* output, u32 frames, u32 firstFrame, u8* state) override;

    static std::unique_ptr<WaveXDec> Create(WaveXDecHost& host);

private:
    struct State {
        u32 frame = 0;
        ImaChannelState channels[2] = {};
    };
    State ReadState(const u8* bytes) const;
    void WriteState(const State& state, u8* bytes) const;
    // Moves `state` to `frame` from the best starting point the seek table offers.
    EngineErr SeekTo(State& state, u32 frame);
    EngineErr DecodeRun(State& state, u32 frames, i16* output);
    EngineErr FillInput(u32 byte);
    u32 ByteOf(u32 frame) const { return format_.channels == 1 ? frame / 2 : frame; }

    std::vector<AdpcmSeekEntry> seekTable_;
    u32 dataFrames_ = 0;
    std::vector<u8> input_;
    u32 inputStart_ = 0;
    u32 inputLength_ = 0;
};
