#pragma once
// The seam between wave input and the machine: a backend opens sources in a PCM format, and a
// started source pushes the frames it captured to its client on the backend's own thread
// (SDL's audio thread, or the thread that advances the fake clock for the virtual
// microphone). The backend is chosen in platform/audio/capture/choice/CaptureChoice.h.
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/audio/WaveTypes.h"

namespace plat {

// Receives `frames` captured frames at `data` in the source's format.
using CapturePush = std::function<void(const uint8_t* data, uint32_t frames)>;

class CaptureSource {
public:
    virtual ~CaptureSource() = default;
    virtual void start() = 0;
    // When stop returns, no push is running and none starts until the next start.
    virtual void stop() = 0;
};

class CaptureBackend {
public:
    virtual ~CaptureBackend() = default;
    virtual uint32_t deviceCount() = 0;
    // True when the device records in this format.
    virtual bool supports(uint32_t device, const WaveFormat& format) = 0;
    virtual std::unique_ptr<CaptureSource> openSource(uint32_t device, const WaveFormat& format, CapturePush push) = 0;
};

}  // namespace plat
