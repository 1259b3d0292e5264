#pragma once
// The headless audio backend: one device whose sinks consume frames as the clock advances
// (rate x elapsed milliseconds / 1000, counted from the sink's start so that no frame is lost
// to rounding) and keep every frame they consumed, so tests can compare output sample for
// sample. Pulls run on the thread that advances the fake clock.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio/AudioBackend.h"

namespace plat {

// Every frame one sink consumed, in order, in the sink's format.
class VirtualCapture {
public:
    VirtualCapture() = default;
    explicit VirtualCapture(const WaveFormat& format) : format_(format) {}
    void append(const uint8_t* data, size_t bytes);
    std::vector<uint8_t> bytes() const;
    const WaveFormat& format() const { return format_; }

private:
    WaveFormat format_;
    mutable std::mutex mutex_;
    std::vector<uint8_t> bytes_;
};

class VirtualAudioBackend : public AudioBackend {
public:
    uint32_t deviceCount() override { return present_ ? 1 : 0; }
    std::string deviceName(uint32_t) override { return "Virtual Wave Out"; }
    bool emulated() override { return false; }
    std::unique_ptr<AudioSink> openSink(uint32_t device, const WaveFormat& format, AudioPull pull) override;

    // The capture of the sink opened last (empty before any).
    std::shared_ptr<VirtualCapture> lastCapture() const;
    // The next `opens` attempts to open the device fail as a device held by another program does.
    void failNextOpens(uint32_t opens);
    // Without the device, the backend has no device at all.
    void setPresent(bool present) { present_ = present; }

private:
    mutable std::mutex mutex_;
    uint32_t failingOpens_ = 0;
    std::atomic<bool> present_{true};
    std::shared_ptr<VirtualCapture> last_;
};

}  // namespace plat
