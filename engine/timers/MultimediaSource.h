#pragma once
// The expiry source of engine timers: one-shot multimedia timer events. A delay longer than
// the longest event is reached in several events, and only the last one fires. Events come
// on the multimedia timer's thread; a watchdog on the user-interface thread catches events
// that the system lost. Every source's state is under the sources' critical section, inside
// which the fire function runs: it must only post.
#include <mutex>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/timers/TimerErrors.h"
#include "platform/mmtimer/MmTimer.h"

class MultimediaSources;

using TimerFire = void (*)(void* argument);

class MultimediaSource {
public:
    explicit MultimediaSource(MultimediaSources& owner);
    ~MultimediaSource();
    MultimediaSource(const MultimediaSource&) = delete;
    MultimediaSource& operator=(const MultimediaSource&) = delete;

    EngineErr start(u32 delayMs, TimerFire fire, void* argument);
    void stop();

private:
    friend class MultimediaSources;
    // With the lock held: sets the event for the next step.
    EngineErr armStep();
    // With the lock held: after a step ended, either fire or go on with the next step.
    void stepEnded();

    MultimediaSources& owner_;
    TimerFire fire_ = nullptr;
    void* argument_ = nullptr;
    u32 eventId_ = 0;
    u32 remaining_ = 0;
    u32 step_ = 0;
    u32 deadline_ = 0;
};

class MultimediaSources {
public:
    MultimediaSources();
    ~MultimediaSources();
    MultimediaSources(const MultimediaSources&) = delete;
    MultimediaSources& operator=(const MultimediaSources&) = delete;

    // On the user-interface thread, every tick: restarts sources whose event is overdue.
    void watchdog();

private:
    friend class MultimediaSource;
    static constexpr u32 kOverdueMs = 10;
    static void onEvent(u32 eventId, void* context);

    plat::MmTimerCaps caps_;
    // Recursive: a fire from the watchdog runs on the user-interface thread, where the posted
    // expiry is delivered at once and its callback may start or stop sources again.
    std::recursive_mutex mutex_;
    std::vector<MultimediaSource*> sources_;
    plat::MmTimerService service_;  // last: its thread ends before the rest goes
};
