#include "engine/timers/Timers.h"

#include <algorithm>
#include <memory>
#include <new>

#include "engine/base/MemoryHandles.h"
#include "engine/os/OsIntervalTasks.h"
#include "engine/os/OsLock.h"
#include "engine/timers/MultimediaSource.h"
#include "platform/clock/Clock.h"

namespace {

constexpr FourCC kTimerTag = fourCC("TIME");

}  // namespace

struct TimerRecord {
    FourCC tag = kTimerTag;
    osmNotification notification{};
    std::unique_ptr<MultimediaSource> source;
    TimerRecord* nextAll = nullptr;
    TimerRecord* nextActive = nullptr;  // also the free list's link
    TimerRecord* previousActive = nullptr;
    bool free = false;
    bool armed = false;
    bool deleted = false;
    u32 deadline = 0;
    u32 period = 0;
    TimerCallback callback = nullptr;
    u32 userValue = 0;
};

namespace {

struct TimerState {
    bool initialised = false;
    EngineErr lastError = kErrNone;
    osmLock lock{};
    TimerRecord* all = nullptr;
    TimerRecord* freeList = nullptr;
    TimerRecord* active = nullptr;
    TimerRecord* running = nullptr;
    std::unique_ptr<MultimediaSources> sources;
    osmIntervalTask* watchdog = nullptr;
};

TimerState state;

EngineErr setError(EngineErr error) {
    state.lastError = error;
    return error;
}

class LockHold {
public:
    LockHold() { osmEnterLock(&state.lock); }
    ~LockHold() { osmLeaveLock(&state.lock); }
    LockHold(const LockHold&) = delete;
    LockHold& operator=(const LockHold&) = delete;
};

void linkActive(TimerRecord* r) {
    r->previousActive = nullptr;
    r->nextActive = state.active;
    if (state.active) state.active->previousActive = r;
    state.active = r;
    r->armed = true;
}

void unlinkActive(TimerRecord* r) {
    if (r->previousActive) r->previousActive->nextActive = r->nextActive;
    else state.active = r->nextActive;
    if (r->nextActive) r->nextActive->previousActive = r->previousActive;
    r->nextActive = r->previousActive = nullptr;
    r->armed = false;
}

void pushFree(TimerRecord* r) {
    r->free = true;
    r->nextActive = state.freeList;
    state.freeList = r;
}

void unlinkFree(TimerRecord* r) {
    for (TimerRecord** link = &state.freeList; *link; link = &(*link)->nextActive) {
        if (*link == r) {
            *link = r->nextActive;
            break;
        }
    }
    r->nextActive = nullptr;
    r->free = false;
}

// Runs on the multimedia timer's thread: only posts.
void post(void* argument) { osmPostNotification(&state.lock, static_cast<osmNotification*>(argument)); }

// Delay left of `delay` counted from `deadline`, at least 1 ms.
u32 delayFrom(u32 deadline, u32 delay) {
    const u32 now = plat::clockMillis();
    const u32 late = i32(now - deadline) > 0 ? now - deadline : 0;
    return late >= delay ? 1 : delay - late;
}

bool arm(TimerRecord* r, u32 delay) {
    if (r->source->start(delay, post, &r->notification) != kErrNone) return false;
    r->deadline = plat::clockMillis() + delay;
    linkActive(r);
    return true;
}

void fireStep(uintptr_t argument);

// Handler of an expiry still posted when its record was deleted.
void freeWhenHandled(uintptr_t argument) {
    LockHold hold;
    pushFree(reinterpret_cast<TimerRecord*>(argument));
}

void fireStep(uintptr_t argument) {
    LockHold hold;
    auto* r = reinterpret_cast<TimerRecord*>(argument);
    // An expiry posted while the callback ran (after re-arming itself) that then deleted the
    // timer is still delivered: the timer is no longer armed and must stay silent.
    if (!r->armed) return;
    unlinkActive(r);
    TimerRecord* previous = state.running;
    state.running = r;
    r->callback(r, r->userValue);
    state.running = previous;
    if (r->armed || r->deleted || r->free) return;
    if (r->period == 0 || !arm(r, delayFrom(r->deadline, r->period))) {
        r->deleted = true;
        pushFree(r);
    }
}

}  // namespace

EngineErr timerInit() {
    state.lastError = kErrNone;
    state.all = state.freeList = state.active = state.running = nullptr;
    osmLockInit(&state.lock, 1);
    state.sources = std::make_unique<MultimediaSources>();
    state.watchdog = osmCreateIntervalTask([](osmIntervalTask*, void*) { state.sources->watchdog(); }, nullptr, 1);
    if (state.watchdog == nullptr) {
        state.sources.reset();
        osmLockUnregister(&state.lock);
        return setError(kTimerErrCannotStart);
    }
    state.initialised = true;
    return setError(kErrNone);
}

void timerShutdown() {
    if (!state.initialised) return;
    {
        LockHold hold;
        while (state.active) timerDelete(state.active);
    }
    osmLockDiscardPending(&state.lock);
    for (TimerRecord* r = state.all; r;) {
        TimerRecord* next = r->nextAll;
        r->tag = 0;
        delete r;
        r = next;
    }
    osmDeleteIntervalTask(state.watchdog);
    state.sources.reset();
    osmLockUnregister(&state.lock);
    state.initialised = false;
}

EngineErr timerGetLastError() { return state.lastError; }

TimerRecord* timerCreate(u32 delayMs, u32 periodMs, TimerCallback callback, u32 userValue) {
    LockHold hold;
    TimerRecord* r = state.running;
    const bool reuseRunning = r != nullptr;
    if (reuseRunning) {
        if (r->free) unlinkFree(r);
        if (r->armed) unlinkActive(r);
        delayMs = delayFrom(r->deadline, delayMs);
    } else if (state.freeList) {
        r = state.freeList;
        unlinkFree(r);
    } else {
        r = new (std::nothrow) TimerRecord{};
        if (r) r->source.reset(new (std::nothrow) MultimediaSource(*state.sources));
        if (!r || !r->source) {
            delete r;
            return setError(kMemErrOutOfMemory), nullptr;
        }
        r->nextAll = state.all;
        state.all = r;
    }
    r->deleted = false;
    r->notification.function = fireStep;
    r->notification.argument = reinterpret_cast<uintptr_t>(r);
    r->period = periodMs;
    r->callback = callback;
    r->userValue = userValue;
    if (!arm(r, delayMs)) {
        pushFree(r);
        return setError(kTimerErrCannotStart), nullptr;
    }
    setError(kErrNone);
    return r;
}

EngineErr timerDelete(TimerRecord* timer) {
    LockHold hold;
    if (timer == nullptr || timer->tag != kTimerTag || timer->free) return setError(kTimerErrBadRecord);
    if (state.running != nullptr && timer != state.running) return setError(kTimerErrBadRecord);
    timer->source->stop();
    timer->deleted = true;
    if (timer->armed) unlinkActive(timer);
    if (timer->notification.queued.load() != 0) {
        timer->notification.function = freeWhenHandled;
    } else {
        pushFree(timer);
    }
    return setError(kErrNone);
}

void timerEnterLock() { osmEnterLock(&state.lock); }

void timerLeaveLock() { osmLeaveLock(&state.lock); }
