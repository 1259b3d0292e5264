#pragma once
// Hands out, on every move of the program clock between start and stop, the run of frames that
// has fallen due at `rate` frames a second since the start: the virtual sound devices play and
// record in step with the clock, which tests move by hand. The step runs on the thread that
// moved the clock, outside the pacer's lock; stop() waits for a running step to end.
#include <cstdint>
#include <functional>
#include <mutex>

namespace plat {

class ClockFramePacer {
public:
    using Step = std::function<void(uint64_t first, uint64_t frames)>;

    ClockFramePacer(uint32_t rate, Step step) : rate_(rate), step_(std::move(step)) {}
    ~ClockFramePacer() { stop(); }
    ClockFramePacer(const ClockFramePacer&) = delete;
    ClockFramePacer& operator=(const ClockFramePacer&) = delete;

    // Counts from frame 0 again; starting a started pacer changes nothing.
    void start();
    void stop();

private:
    void tick();

    uint32_t rate_;
    Step step_;
    std::mutex mutex_;
    int listener_ = 0;
    uint32_t startMs_ = 0;
    uint64_t done_ = 0;
};

}  // namespace plat
