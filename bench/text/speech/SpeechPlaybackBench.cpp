// The time from Speak to the first audio in the mixer for a long text, through the speech
// handler with espeak-ng and a mixer on the virtual audio device: the whole Speak against
// copying the same samples, and until the first chunk is in the mixer while the rest is
// rendered against espeak-ng handing its own first piece. The counter realtime_x is the seconds of speech made per second of work. The text
// length in characters is SPEECH_BENCH_CHARS (2000 when unset).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>

#include "bench/platform/speech/SpeechBenchSupport.h"
#include "engine/audio/PcmMix.h"
#include "platform/audio/choice/AudioChoice.h"
#include "platform/audio/virtual/VirtualAudio.h"
#include "text/speech/SpeechHandler.h"

namespace {

using speechbench::espeak;
using speechbench::sampleText;
using speechbench::textLength;

// A mixer on the virtual device whose loop nobody runs: what Speak hands it stays queued.
class QuietMixer {
public:
    QuietMixer() {
        plat::setAudioBackend(&backend_);
        PcmMixSettings settings;
        settings.runDeviceThreads = false;
        settings.pushBufferEnable = false;
        settings.sampleSize = 16;
        started_ = pcmMixInit(settings) == kErrNone;
    }
    ~QuietMixer() {
        if (started_) pcmMixShutdown();
        plat::setAudioBackend(nullptr);
    }
    bool started() const { return started_; }

private:
    plat::VirtualAudioBackend backend_;
    bool started_ = false;
};

void BM_SpeakToFirstAudio(benchmark::State& state) {
    QuietMixer mixer;
    if (!espeak() || !mixer.started()) {
        state.SkipWithError("espeak-ng or the mixer cannot start");
        return;
    }
    SpeechHandler handler(*espeak(), {});
    if (!handler.SetVoice(0)) {
        state.SkipWithError("no English voice");
        return;
    }
    const std::string text = sampleText(textLength());
    double spokenSeconds = 0;
    for (auto _ : state) {
        handler.Speak(text.data(), i32(text.size()));
        const uint32_t chunks = handler.playback().chunksInMixer();
        if (chunks == 0) {
            state.SkipWithError("nothing reached the mixer");
            return;
        }
        spokenSeconds += double(chunks) * SpeechPlayback::kChunkFrames / handler.speaker().sampleRate();
        state.PauseTiming();
        handler.Stop();
        state.ResumeTiming();
    }
    state.counters["realtime_x"] = benchmark::Counter(spokenSeconds, benchmark::Counter::kIsRate);
}

// Copying as many samples as the speech of the text has.
void BM_CopySpeechSamples(benchmark::State& state) {
    if (!espeak()) {
        state.SkipWithError("espeak-ng cannot start");
        return;
    }
    std::atomic<bool> cancel{false};
    plat::SpeechAudio audio;
    if (!espeak()->render({}, sampleText(textLength()), cancel, audio)) {
        state.SkipWithError("rendering failed");
        return;
    }
    std::vector<int16_t> copy(audio.samples.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), audio.samples.data(), copy.size() * sizeof(int16_t));
        benchmark::DoNotOptimize(copy.data());
    }
    if (copy != audio.samples) state.SkipWithError("copy differs");
}

using Clock = std::chrono::steady_clock;

// The reference: espeak-ng's rendering of the text until it hands its first piece.
void BM_EspeakFirstPiece(benchmark::State& state) {
    if (!espeak()) {
        state.SkipWithError("espeak-ng cannot start");
        return;
    }
    const std::string text = sampleText(textLength());
    for (auto _ : state) {
        std::atomic<bool> cancel{false};
        plat::SpeechAudio audio;
        const Clock::time_point start = Clock::now();
        Clock::time_point first{};
        audio.grew = [&] {
            if (first == Clock::time_point{}) first = Clock::now();
            cancel.store(true);
        };
        espeak()->render({}, text, cancel, audio);
        if (first == Clock::time_point{}) {
            state.SkipWithError("no piece was rendered");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(first - start).count());
    }
}

// Speaks through espeak-ng and notes when the handler's first chunk is in the mixer.
class FirstChunkWatch : public plat::SpeechBackend {
public:
    std::vector<plat::SpeechVoice> voices() override { return espeak()->voices(); }
    bool render(const plat::SpeechVoice& voice, std::string_view text, const std::atomic<bool>& cancel,
                plat::SpeechAudio& out) override {
        std::function<void()> queue = out.grew;
        out.grew = [&] {
            queue();
            if (first == Clock::time_point{} && handler->playback().chunksInMixer() > 0) {
                first = Clock::now();
                handler->Stop();  // the rest of the text is not measured
            }
        };
        return espeak()->render(voice, text, cancel, out);
    }
    SpeechHandler* handler = nullptr;
    Clock::time_point first{};
};

void BM_SpeakToFirstChunkInMixer(benchmark::State& state) {
    QuietMixer mixer;
    if (!espeak() || !mixer.started()) {
        state.SkipWithError("espeak-ng or the mixer cannot start");
        return;
    }
    FirstChunkWatch watch;
    SpeechHandler handler(watch, {});
    watch.handler = &handler;
    if (!handler.SetVoice(0)) {
        state.SkipWithError("no English voice");
        return;
    }
    const std::string text = sampleText(textLength());
    for (auto _ : state) {
        watch.first = {};
        const Clock::time_point start = Clock::now();
        handler.Speak(text.data(), i32(text.size()));
        if (watch.first == Clock::time_point{}) {
            state.SkipWithError("no chunk reached the mixer while rendering");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(watch.first - start).count());
        handler.Stop();
    }
}

BENCHMARK(BM_SpeakToFirstAudio)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EspeakFirstPiece)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_SpeakToFirstChunkInMixer)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_CopySpeechSamples)->Unit(benchmark::kMicrosecond);

}  // namespace
