#include "platform/audio/virtual/VirtualAudio.h"

#include "platform/clock/Clock.h"

namespace plat {
namespace {

class VirtualSink : public AudioSink {
public:
    VirtualSink(const WaveFormat& format, AudioPull pull, std::shared_ptr<VirtualCapture> capture)
        : format_(format), pull_(std::move(pull)), capture_(std::move(capture)) {}
    ~VirtualSink() override { stop(); }

    void start() override {
        std::lock_guard lock(mutex_);
        if (listener_ != 0) return;
        startMs_ = clockMillis();
        consumed_ = 0;
        listener_ = clockSubscribe([this] { consume(); });
    }

    void stop() override {
        int id = 0;
        {
            std::lock_guard lock(mutex_);
            id = listener_;
            listener_ = 0;
        }
        // Waits for a running consume to end.
        if (id != 0) clockUnsubscribe(id);
    }

private:
    void consume() {
        uint64_t frames = 0;
        {
            std::lock_guard lock(mutex_);
            if (listener_ == 0) return;
            const uint64_t due = uint64_t(uint32_t(clockMillis() - startMs_)) * format_.samplesPerSec / 1000;
            if (due <= consumed_) return;
            frames = due - consumed_;
            consumed_ = due;
        }
        std::vector<uint8_t> out(size_t(frames) * format_.blockAlign);
        pull_(out.data(), uint32_t(frames));
        capture_->append(out.data(), out.size());
    }

    WaveFormat format_;
    AudioPull pull_;
    std::shared_ptr<VirtualCapture> capture_;
    std::mutex mutex_;
    int listener_ = 0;
    uint32_t startMs_ = 0;
    uint64_t consumed_ = 0;
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
    auto capture = std::make_shared<VirtualCapture>();
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
