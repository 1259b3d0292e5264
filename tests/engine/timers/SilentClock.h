#pragma once
// A clock for timer tests that moves without telling anyone: the multimedia thread sleeps
// through it, as if the system had lost its events.
#include <atomic>

#include "engine/base/EngineTypes.h"
#include "platform/clock/Clock.h"

class SilentClock : public plat::FakeClock {
public:
    uint32_t millis() override { return now; }
    // Returns once the multimedia thread has looked at the time as it is now, so that a
    // later silent move is surely one it sleeps through.
    void settle() { advance(0); }
    std::atomic<u32> now{1000};
};
