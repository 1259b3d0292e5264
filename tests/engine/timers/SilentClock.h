#pragma once
// A clock for timer tests that moves without telling anyone: the multimedia thread sleeps
// through it, as if the system had lost its events.
#include <atomic>

#include "engine/EngineTypes.h"
#include "platform/clock/Clock.h"

class SilentClock : public plat::ClockSource {
public:
    uint32_t millis() override { return now; }
    std::atomic<u32> now{1000};
};
