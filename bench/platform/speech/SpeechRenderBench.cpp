// How fast espeak-ng renders a long text into memory, against copying the same samples. The
// whole text renders before playback starts, so the rendering time is also the time to the
// first audio. The text length in characters is SPEECH_BENCH_CHARS (2000 when unset).
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "bench/platform/speech/SpeechBenchSupport.h"

namespace {

using speechbench::espeak;
using speechbench::sampleText;
using speechbench::textLength;

const plat::SpeechVoice kVoice{plat::SpeechLanguage::English, plat::SpeechGender::Female, 0};

void BM_EspeakRender(benchmark::State& state) {
    if (!espeak()) {
        state.SkipWithError("espeak-ng cannot start");
        return;
    }
    const std::string text = sampleText(textLength());
    std::atomic<bool> cancel{false};
    plat::SpeechAudio audio;
    double spokenSeconds = 0;
    for (auto _ : state) {
        if (!espeak()->render(kVoice, text, cancel, audio) || audio.samples.empty()) {
            state.SkipWithError("rendering failed");
            return;
        }
        spokenSeconds += double(audio.samples.size()) / audio.sampleRate;
    }
    state.counters["spoken_s_per_s"] = benchmark::Counter(spokenSeconds, benchmark::Counter::kIsRate);
}

// The same number of samples as the rendering gives, only copied.
void BM_CopyRenderedSamples(benchmark::State& state) {
    if (!espeak()) {
        state.SkipWithError("espeak-ng cannot start");
        return;
    }
    std::atomic<bool> cancel{false};
    plat::SpeechAudio audio;
    if (!espeak()->render(kVoice, sampleText(textLength()), cancel, audio)) {
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

BENCHMARK(BM_EspeakRender)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyRenderedSamples)->Unit(benchmark::kMicrosecond);

}  // namespace
