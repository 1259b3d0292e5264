#pragma once
// Multimedia timer events: one-shot callbacks at a millisecond deadline, all fired on one
// system thread that sleeps until the earliest deadline (an absolute time on the program's
// clock). Callbacks run on that thread without the service's lock, so they may set and kill
// events themselves; they must be short and must not wait for other threads.
//
// Under a fake clock the thread waits for the clock to move instead of for real time, and
// moving the clock returns only once every event due by then has fired, so tests advance
// time and check results without sleeping.
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>

namespace plat {

struct MmTimerCaps {
    uint32_t minPeriod;
    uint32_t maxPeriod;
};

class MmTimerService {
public:
    using Callback = void (*)(uint32_t eventId, void* context);

    MmTimerService();
    ~MmTimerService();
    MmTimerService(const MmTimerService&) = delete;
    MmTimerService& operator=(const MmTimerService&) = delete;

    static MmTimerCaps caps();
    // Fires `callback` once, `delayMs` from now; returns the event id (never 0).
    uint32_t setEvent(uint32_t delayMs, Callback callback, void* context);
    // An event whose callback is already running still finishes it.
    void killEvent(uint32_t eventId);

private:
    struct Event {
        uint32_t deadline;
        Callback callback;
        void* context;
    };

    void run();
    void fireDue(std::unique_lock<std::mutex>& lock);
    void waitForWork(std::unique_lock<std::mutex>& lock);
    void settleAfterClockMove();

    std::mutex mutex_;
    std::condition_variable wakeup_;
    std::condition_variable settled_;
    std::map<uint32_t, Event> events_;  // by id
    uint32_t nextId_ = 1;
    bool wake_ = false;
    bool quit_ = false;
    uint64_t passesStarted_ = 0;
    uint64_t passesDone_ = 0;
    int clockListener_ = 0;
    std::thread thread_;
};

}  // namespace plat
