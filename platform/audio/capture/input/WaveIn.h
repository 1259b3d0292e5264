#pragma once
// A wave-in device: the client prepares headers and adds them in order; once started, the
// device fills the front header with captured bytes and returns it with the done flag set and
// its recorded byte count, from the backend's thread (kWaveInData). Frames that arrive while
// no header is queued are lost. Stop holds the capture and returns a partly filled front
// header; reset stops and returns every queued header. The device never calls its client
// while it holds its own lock, and calls it in the order the headers were filled. Any thread
// may call the operations; a callback may add headers but must not close the device.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio/WaveTypes.h"
#include "platform/audio/capture/CaptureBackend.h"

namespace plat {

// Callback messages.
constexpr uint32_t kWaveInOpened = 958;
constexpr uint32_t kWaveInClosed = 959;
constexpr uint32_t kWaveInData = 960;

class WaveIn {
public:
    using Callback = std::function<void(WaveIn&, uint32_t message, WaveHeader* header)>;

    // kWaveErrBadFormat when the device does not record in the format; with `queryOnly` only
    // that answer is given and nothing is opened.
    static uint16_t open(std::unique_ptr<WaveIn>& in, uint32_t device, const WaveFormat& format, Callback callback,
                         bool queryOnly = false);
    ~WaveIn();
    WaveIn(const WaveIn&) = delete;
    WaveIn& operator=(const WaveIn&) = delete;

    uint16_t prepare(WaveHeader* header);
    // Refused (still playing) while the header is queued.
    uint16_t unprepare(WaveHeader* header);
    uint16_t addBuffer(WaveHeader* header);
    uint16_t start();
    uint16_t stop();
    uint16_t reset();
    // Refused (still playing) while headers are queued; afterwards the object may be destroyed.
    uint16_t close();
    const WaveFormat& format() const { return format_; }

private:
    WaveIn(const WaveFormat& format, Callback callback);
    void push(const uint8_t* data, uint32_t frames);
    void deliver(const std::vector<WaveHeader*>& done);
    // Takes the front header off the queue as done, with what it holds.
    void finishFront(std::vector<WaveHeader*>& done);

    WaveFormat format_;
    Callback callback_;
    std::unique_ptr<CaptureSource> source_;
    // Held while callbacks run, taken before `mutex_`, so that completions reach the client in order.
    std::recursive_mutex deliveryMutex_;
    std::mutex mutex_;
    std::deque<WaveHeader*> queue_;
    bool closed_ = false;
};

}  // namespace plat
