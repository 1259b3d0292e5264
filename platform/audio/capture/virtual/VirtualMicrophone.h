#pragma once
// The headless capture backend: one microphone that hears a test signal. A started source
// delivers frames as the clock advances (rate x elapsed milliseconds / 1000, counted from its
// start so that no frame is lost to rounding), all that fell due in one push, on the thread
// that advances the fake clock. The signal gives each frame's sample (the same in every
// channel) from the frame's number since the source started. Tests may narrow the formats
// the microphone accepts.
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/audio/capture/CaptureBackend.h"

namespace plat {

// A sample from -1.0 to 1.0 for frame `frame` at `rate`.
using TestSignal = std::function<double(uint64_t frame, uint32_t rate)>;

TestSignal sineSignal(double hertz, double amplitude);

class VirtualMicrophone : public CaptureBackend {
public:
    VirtualMicrophone();
    uint32_t deviceCount() override { return 1; }
    bool supports(uint32_t device, const WaveFormat& format) override;
    std::unique_ptr<CaptureSource> openSource(uint32_t device, const WaveFormat& format, CapturePush push) override;

    void setSignal(TestSignal signal);
    // Only these (rate, bits, channels) open from now on; empty accepts every PCM format.
    void acceptOnly(std::vector<WaveFormat> formats);

private:
    std::mutex mutex_;
    std::shared_ptr<const TestSignal> signal_;
    std::vector<WaveFormat> accepted_;
};

}  // namespace plat
