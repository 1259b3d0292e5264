// Whole refills: one second of 22050 Hz 16-bit stereo output mixed from 1, 4, 16 and 64
// looping channels, reported as a multiple of real time ("realtime" = seconds of audio
// mixed per second). The device is polled every 10 ms as its thread would poll it; the
// backend discards what it consumes.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "engine/audio/PcmMix.h"
#include "platform/audio/choice/AudioChoice.h"
#include "platform/clock/Clock.h"

namespace {

class DiscardingSink : public plat::AudioSink {
public:
    DiscardingSink(const plat::WaveFormat& format, plat::AudioPull pull) : format_(format), pull_(std::move(pull)) {}
    ~DiscardingSink() override { stop(); }
    void start() override {
        last_ = plat::clockMillis();
        listener_ = plat::clockSubscribe([this] {
            const u32 now = plat::clockMillis();
            const u32 frames = (now - last_) * format_.samplesPerSec / 1000;
            last_ = now;
            scratch_.resize(size_t(frames) * format_.blockAlign);
            if (frames) pull_(scratch_.data(), frames);
            for (u8 b : scratch_) heard_ |= b != 0;
        });
    }
    void stop() override {
        if (listener_) plat::clockUnsubscribe(listener_);
        listener_ = 0;
    }
    // Whether any byte other than silence came out.
    bool heard() const { return heard_; }

private:
    plat::WaveFormat format_;
    plat::AudioPull pull_;
    int listener_ = 0;
    u32 last_ = 0;
    std::vector<u8> scratch_;
    bool heard_ = false;
};

class DiscardingBackend : public plat::AudioBackend {
public:
    uint32_t deviceCount() override { return 1; }
    std::string deviceName(uint32_t) override { return "Discard"; }
    bool emulated() override { return false; }
    std::unique_ptr<plat::AudioSink> openSink(uint32_t, const plat::WaveFormat& format, plat::AudioPull pull) override {
        auto sink = std::make_unique<DiscardingSink>(format, std::move(pull));
        opened = sink.get();
        return sink;
    }
    DiscardingSink* opened = nullptr;
};

void Refill(benchmark::State& state) {
    const int channels = int(state.range(0));
    plat::ScopedFakeClock clock;
    DiscardingBackend backend;
    plat::setAudioBackend(&backend);
    PcmMixSettings settings;
    settings.runDeviceThreads = false;
    settings.pushBufferEnable = false;
    settings.sampleSize = 16;
    settings.stereo = true;
    int failures = pcmMixInit(settings) != kErrNone;

    std::mt19937 random(3);
    std::vector<u8> samples(4 * 22050);
    for (u8& b : samples) b = u8(random());
    std::vector<PcmMixHandle> handles{size_t(channels), nullptr};
    std::vector<plat::WaveHeader> headers(static_cast<size_t>(channels));
    for (int i = 0; i < channels; ++i) {
        // A mix of layouts: mono and stereo, 8- and 16-bit, resampled and not.
        const plat::WaveFormat format =
            plat::makePcmFormat(i % 3 == 0 ? 11025 : 22050, u16(1 + i % 2), u16(i % 4 < 2 ? 16 : 8));
        failures += pcmMixOpen(&handles[size_t(i)], plat::kWaveMapper, &format, nullptr, 0, kPcmMixNativeOrder) != plat::kMmNoError;
        failures += pcmMixSetVolume(handles[size_t(i)], u32(0x4000 + 0x400 * i)) != plat::kMmNoError;
        plat::WaveHeader& header = headers[size_t(i)];
        header.data = samples.data();
        header.bufferLength = u32(samples.size());
        header.loops = 0x7FFFFFFF;
        failures += pcmMixPrepareHeader(handles[size_t(i)], &header, kPcmMixHeaderSize) != plat::kMmNoError;
        header.flags.fetch_or(plat::kWaveHeaderBeginLoop | plat::kWaveHeaderEndLoop);
        failures += pcmMixWrite(handles[size_t(i)], &header, kPcmMixHeaderSize) != plat::kMmNoError;
    }
    for (auto _ : state) {
        for (int step = 0; step < 100; ++step) {
            clock.advance(10);
            pcmMixPollDevices();
        }
    }
    state.counters["realtime"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    if (failures != 0) state.SkipWithError("the mixer or a channel did not start");
    else if (backend.opened == nullptr || !backend.opened->heard()) state.SkipWithError("the device was fed only silence");
    pcmMixShutdown();
    plat::setAudioBackend(nullptr);
}

BENCHMARK(Refill)->Arg(1)->Arg(4)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);

}  // namespace
