#include "engine/audio/AdpcmXDec.h"

#include <algorithm>
#include <cstring>

#include "engine/audio/format/ArchiveWave.h"
#include "engine/audio/format/AudioErrors.h"
#include "engine/audio/format/ImaAdpcm.h"

namespace {

// Frames decoded at once while skipping ahead, as many as one input buffer holds.
constexpr u32 kSkipFrames = AdpcmXDec::kInputBytes;

}  // namespace

std::unique_ptr<WaveXDec> AdpcmXDec::Create(WaveXDecHost& host) { return std::make_unique<AdpcmXDec>(host); }

EngineErr AdpcmXDec::Preload(u32 frames) {
    return CopyHead(u32(std::min<u64>(u64(frames) * format_.channels / 2, sampleBytes_)));
}

EngineErr AdpcmXDec::SetFormat(const plat::WaveFormat& format, u32 sampleBytes, u32* stateSize, bool* nativeOrder) {
    if (format.formatTag != plat::kWaveFormatPcm || format.bitsPerSample != 16 || format.channels < 1 ||
        format.channels > 2)
        return kAudioErrUnsupported;
    format_ = format;
    sampleBytes_ = sampleBytes;
    dataFrames_ = format.channels == 1 ? u32(std::min<u64>(u64(sampleBytes) * 2, 0xFFFFFFFF)) : sampleBytes;
    *stateSize = (u32(format.channels) + 1) * 4;
    *nativeOrder = true;
    input_.assign(kInputBytes, 0);
    inputLength_ = 0;
    if (std::unique_ptr<std::vector<u8>> chunk = host_.ClaimChunk(kWaveAdpcmChunk)) {
        // A damaged table only costs seeking speed: decoding then starts from frame 0.
        if (!parseAdpcmSeekTable(*chunk, format.channels, &seekTable_)) seekTable_.clear();
    }
    return kErrNone;
}

AdpcmXDec::State AdpcmXDec::ReadState(const u8* bytes) const {
    State state;
    std::memcpy(&state.frame, bytes, 4);
    for (u16 c = 0; c < format_.channels; ++c) {
        std::memcpy(&state.channels[c].predictor, bytes + 4 + 4 * c, 2);
        std::memcpy(&state.channels[c].index, bytes + 6 + 4 * c, 2);
        state.channels[c].index = std::min(state.channels[c].index, kImaMaxStepIndex);
    }
    return state;
}

void AdpcmXDec::WriteState(const State& state, u8* bytes) const {
    std::memcpy(bytes, &state.frame, 4);
    for (u16 c = 0; c < format_.channels; ++c) {
        std::memcpy(bytes + 4 + 4 * c, &state.channels[c].predictor, 2);
        std::memcpy(bytes + 6 + 4 * c, &state.channels[c].index, 2);
    }
}

EngineErr AdpcmXDec::FillInput(u32 byte) {
    inputStart_ = byte;
    inputLength_ = std::min(kInputBytes, sampleBytes_ - byte);
    return ReadSamples(byte, input_.data(), inputLength_);
}

EngineErr AdpcmXDec::DecodeRun(State& state, u32 frames, i16* output) {
    while (frames > 0) {
        if (state.frame >= dataFrames_) {
            std::memset(output, 0, size_t(frames) * format_.channels * 2);
            state.frame += frames;
            return kErrNone;
        }
        const u32 byte = ByteOf(state.frame);
        if (byte < inputStart_ || byte >= inputStart_ + inputLength_) {
            if (EngineErr err = FillInput(byte)) return err;
        }
        // Frames whose bytes the buffer holds from here on.
        const u32 bufferedBytes = inputStart_ + inputLength_ - byte;
        const u32 buffered = format_.channels == 1 ? bufferedBytes * 2 - (state.frame & 1) : bufferedBytes;
        const u32 run = std::min({frames, buffered, dataFrames_ - state.frame});
        imaDecode(&input_[byte - inputStart_], format_.channels == 1 && (state.frame & 1), run, format_.channels,
                  state.channels, output);
        state.frame += run;
        output += size_t(run) * format_.channels;
        frames -= run;
    }
    return kErrNone;
}

EngineErr AdpcmXDec::SeekTo(State& state, u32 frame) {
    if (frame < state.frame) state = State{};
    for (const AdpcmSeekEntry& entry : seekTable_) {
        if (entry.frame > frame) break;
        if (entry.frame >= state.frame) {
            state.frame = entry.frame;
            std::copy(entry.channels.begin(), entry.channels.end(), state.channels);
        }
    }
    std::vector<i16> scratch;
    while (state.frame < frame) {
        const u32 run = std::min(kSkipFrames, frame - state.frame);
        scratch.resize(size_t(run) * format_.channels);
        if (EngineErr err = DecodeRun(state, run, scratch.data())) return err;
    }
    return kErrNone;
}

EngineErr AdpcmXDec::Decode(u8* output, u32 frames, u32 firstFrame, u8* stateBytes) {
    State state = ReadState(stateBytes);
    // A decode from the start takes the seek table's state for frame 0 too, so that the
    // first play of a sound sounds as every later one does.
    if (state.frame != firstFrame || firstFrame == 0) {
        if (EngineErr err = SeekTo(state, firstFrame)) return err;
    }
    // Output buffers are allocated for 16-bit frames, so they are aligned for them.
    if (EngineErr err = DecodeRun(state, frames, reinterpret_cast<i16*>(output))) return err;
    WriteState(state, stateBytes);
    return kErrNone;
}
