#pragma once
// The seam between the wave-out layer and the machine: a backend opens sinks, and a started
// sink pulls frames from its source on the backend's own thread (SDL's audio thread, or the
// thread that advances the fake clock for the virtual backend). The backend is chosen in
// platform/audio/choice/AudioChoice.h.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/audio/WaveTypes.h"

namespace plat {

// Fills `frames` frames at `out` in the sink's format.
using AudioPull = std::function<void(uint8_t* out, uint32_t frames)>;

class AudioSink {
public:
    virtual ~AudioSink() = default;
    virtual void start() = 0;
    // When stop returns, no pull is running and none starts until the next start.
    virtual void stop() = 0;
};

class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    virtual uint32_t deviceCount() = 0;
    virtual std::string deviceName(uint32_t device) = 0;
    // True when the output is a software emulation that needs a longer ring.
    virtual bool emulated() = 0;
    virtual std::unique_ptr<AudioSink> openSink(uint32_t device, const WaveFormat& format, AudioPull pull) = 0;
};

}  // namespace plat
