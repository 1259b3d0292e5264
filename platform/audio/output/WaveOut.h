#pragma once
// A wave-out device: the client prepares headers and writes them in order; the device plays
// them (looping the sections marked begin/end loop) and returns each one with the done flag
// set, from the device's own thread. Pause before the first write holds the output; reset
// returns every queued header at once; the position counts only frames actually taken from
// written buffers. The device never calls its client while it holds its own lock, and calls
// it in the order the headers finished. Any thread may call the operations; a callback may
// write or reset but must not close the device.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/audio/AudioBackend.h"
#include "platform/audio/WaveTypes.h"

namespace plat {

struct WaveOutCaps {
    uint16_t manufacturerId = 0;
    uint16_t productId = 0;
    uint32_t driverVersion = 0;  // major in the high byte, minor in the low byte
    std::string productName;
    uint32_t formats = 0;        // every 11/22/44 kHz, mono/stereo, 8/16-bit format bit
    uint16_t channels = 2;
};

constexpr uint32_t kWaveFormatsAll = 0x0FFF;

uint32_t waveOutDeviceCount();
// kWaveMapper reads the first device.
uint16_t waveOutGetCaps(uint32_t device, WaveOutCaps* caps);

class WaveOut {
public:
    // (device, message, header or nullptr)
    using Callback = std::function<void(WaveOut&, uint32_t message, WaveHeader* header)>;

    static uint16_t open(std::unique_ptr<WaveOut>& out, uint32_t device, const WaveFormat& format,
                         Callback callback);
    ~WaveOut();
    WaveOut(const WaveOut&) = delete;
    WaveOut& operator=(const WaveOut&) = delete;

    // Refused (still playing) while headers are queued; afterwards the object may be destroyed.
    uint16_t close();
    uint16_t prepare(WaveHeader* header);
    uint16_t unprepare(WaveHeader* header);
    uint16_t write(WaveHeader* header);
    uint16_t pause();
    uint16_t restart();
    uint16_t reset();
    uint16_t breakLoop();
    uint16_t getPosition(TimeRecord* time);
    const WaveFormat& format() const { return format_; }

private:
    WaveOut(const WaveFormat& format, Callback callback);
    void pull(uint8_t* out, uint32_t frames);
    // Takes a finished header off the queue front (keeping loops together) into `done`.
    void finishCurrent(std::vector<WaveHeader*>& done);
    void deliver(const std::vector<WaveHeader*>& done);

    WaveFormat format_;
    Callback callback_;
    std::unique_ptr<AudioSink> sink_;
    // Held while callbacks run, taken before `mutex_`, so that completions reach the client in order.
    std::recursive_mutex deliveryMutex_;
    std::mutex mutex_;
    std::deque<WaveHeader*> queue_;
    size_t cursor_ = 0;           // index in queue_ of the header playing
    uint32_t cursorBytes_ = 0;    // bytes of it already played
    size_t loopStart_ = SIZE_MAX; // index of the loop's first header while a loop plays
    uint32_t loopsLeft_ = 0;
    bool paused_ = false;
    bool closed_ = false;
    uint64_t framesPlayed_ = 0;
};

}  // namespace plat
