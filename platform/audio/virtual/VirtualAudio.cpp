#include "platform/audio/virtual/VirtualAudio.h"

#include "platform/clock/ClockFramePacer.h"

namespace plat {
namespace {

class VirtualSink : public AudioSink {
public:
    VirtualSink(const WaveFormat& format, AudioPull pull, std::shared_ptr<VirtualCapture> capture)
        : format_(format), pull_(std::move(pull)), capture_(std::move(capture)),
          pacer_(format.samplesPerSec, [this](uint64_t, uint64_t frames) { consume(frames); }) {}
    ~VirtualSink() override { stop(); }

    void start() override { pacer_.start(); }
    void stop() override { pacer_.stop(); }

private:
    void consume(uint64_t frames) {
        std::vector<uint8_t> out(size_t(frames) * format_.blockAlign);
        pull_(out.data(), uint32_t(frames));
        capture_->append(out.data(), out.size());
    }

    WaveFormat format_;
    AudioPull pull_;
    std::shared_ptr<VirtualCapture> capture_;
    ClockFramePacer pacer_;  // last: it stops before the members its steps use go
};

}  // namespace

void VirtualCapture::append(const uint8_t* data, size_t bytes) {
    std::lock_guard lock(mutex_);
    bytes_.insert(bytes_.end(), data, data + bytes);
}

std::vector<uint8_t> VirtualCapture::bytes() const {
    std::lock_guard lock(mutex_);
    return bytes_;
}

std::unique_ptr<AudioSink> VirtualAudioBackend::openSink(uint32_t device, const WaveFormat& format, AudioPull pull) {
    if (device >= deviceCount()) return nullptr;
    auto capture = std::make_shared<VirtualCapture>(format);
    {
        std::lock_guard lock(mutex_);
        if (failingOpens_ > 0) {
            --failingOpens_;
            return nullptr;
        }
        last_ = capture;
    }
    return std::make_unique<VirtualSink>(format, std::move(pull), std::move(capture));
}

void VirtualAudioBackend::failNextOpens(uint32_t opens) {
    std::lock_guard lock(mutex_);
    failingOpens_ = opens;
}

std::shared_ptr<VirtualCapture> VirtualAudioBackend::lastCapture() const {
    std::lock_guard lock(mutex_);
    return last_ ? last_ : std::make_shared<VirtualCapture>();
}

}  // namespace plat
