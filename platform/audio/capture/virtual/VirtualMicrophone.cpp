#include "platform/audio/capture/virtual/VirtualMicrophone.h"

#include <algorithm>
#include <cmath>

#include "platform/clock/ClockFramePacer.h"

namespace plat {
namespace {

class VirtualSource : public CaptureSource {
public:
    VirtualSource(const WaveFormat& format, CapturePush push, std::shared_ptr<const TestSignal> signal)
        : format_(format), push_(std::move(push)), signal_(std::move(signal)),
          pacer_(format.samplesPerSec, [this](uint64_t first, uint64_t frames) { deliver(first, frames); }) {}
    ~VirtualSource() override { stop(); }

    void start() override { pacer_.start(); }
    void stop() override { pacer_.stop(); }

private:
    void deliver(uint64_t first, uint64_t frames) {
        std::vector<uint8_t> out(size_t(frames) * format_.blockAlign);
        uint8_t* o = out.data();
        for (uint64_t f = 0; f < frames; ++f) {
            const double v = std::clamp((*signal_)(first + f, format_.samplesPerSec), -1.0, 1.0);
            for (uint16_t c = 0; c < format_.channels; ++c) {
                if (format_.bitsPerSample == 8) {
                    *o++ = uint8_t(std::lround(v * 127.0) + 128);
                } else {
                    const int16_t s = int16_t(std::lround(v * 32767.0));
                    *o++ = uint8_t(s);
                    *o++ = uint8_t(uint16_t(s) >> 8);
                }
            }
        }
        push_(out.data(), uint32_t(frames));
    }

    WaveFormat format_;
    CapturePush push_;
    std::shared_ptr<const TestSignal> signal_;
    ClockFramePacer pacer_;  // last: it stops before the members its steps use go
};

}  // namespace

TestSignal sineSignal(double hertz, double amplitude) {
    return [hertz, amplitude](uint64_t frame, uint32_t rate) {
        return amplitude * std::sin(2.0 * M_PI * hertz * double(frame) / double(rate));
    };
}

VirtualMicrophone::VirtualMicrophone() : signal_(std::make_shared<const TestSignal>(sineSignal(0, 0))) {}

bool VirtualMicrophone::supports(uint32_t device, const WaveFormat& format) {
    if (device >= deviceCount() || !isPlayablePcm(format)) return false;
    std::lock_guard lock(mutex_);
    if (accepted_.empty()) return true;
    return std::any_of(accepted_.begin(), accepted_.end(), [&](const WaveFormat& a) {
        return a.samplesPerSec == format.samplesPerSec && a.bitsPerSample == format.bitsPerSample &&
               a.channels == format.channels;
    });
}

std::unique_ptr<CaptureSource> VirtualMicrophone::openSource(uint32_t device, const WaveFormat& format, CapturePush push) {
    if (!supports(device, format)) return nullptr;
    std::lock_guard lock(mutex_);
    return std::make_unique<VirtualSource>(format, std::move(push), signal_);
}

void VirtualMicrophone::setSignal(TestSignal signal) {
    std::lock_guard lock(mutex_);
    signal_ = std::make_shared<const TestSignal>(std::move(signal));
}

void VirtualMicrophone::acceptOnly(std::vector<WaveFormat> formats) {
    std::lock_guard lock(mutex_);
    accepted_ = std::move(formats);
}

}  // namespace plat
