#pragma once
// Engine timers: callbacks after a delay, once or periodically, with millisecond resolution
// and without drift (a periodic timer's next deadline counts from its previous deadline, not
// from when its callback ran). Expiry comes from a multimedia timer event on its own system
// thread, which only posts the timer's notification on the timer lock; the callback runs
// when the OS manager delivers that notification, with the timer lock held.
//
// Records are never freed before timerShutdown: a deleted record goes on a free list and is
// reused by the next timerCreate. Calls come from the user-interface thread and from timer
// callbacks.
#include "engine/base/EngineTypes.h"
#include "engine/timers/TimerErrors.h"

struct TimerRecord;

// (the record, the user value given to timerCreate)
using TimerCallback = void (*)(TimerRecord* timer, u32 userValue);

EngineErr timerInit();
void timerShutdown();
EngineErr timerGetLastError();
// periodMs 0: once. Called from inside a callback, the running record is armed again, its
// delay counted from its previous deadline. nullptr on failure.
TimerRecord* timerCreate(u32 delayMs, u32 periodMs, TimerCallback callback, u32 userValue);
EngineErr timerDelete(TimerRecord* timer);
// Keep timer callbacks out while a client changes data they share.
void timerEnterLock();
void timerLeaveLock();
