#pragma once
// Engine locks: nesting counters, not mutual exclusion. Engine code enters a lock around a
// stretch that callbacks from other system threads must not disturb; such callbacks post a
// notification record instead of acting, and the records run, in the order of their first
// post, when the last holder leaves. Nobody ever blocks on a lock.
//
// Engine code (entering, leaving, draining) runs on the engine's home system thread, the
// user-interface thread. Posting is safe from any system thread. Once a home thread is set,
// a post from another system thread to a registered lock never runs there: it is queued and
// the home thread is woken to run it, so notification functions always run where the
// engine's state lives. Before that (and for unregistered locks) a post to a free lock runs
// at once on the posting thread. Either way a post never overtakes records still queued on
// the lock: they run first.
#include <atomic>
#include <cstdint>

#include "engine/base/EngineTypes.h"

using osmNotifyProc = void (*)(uintptr_t argument);

struct osmNotification {
    osmNotification* next = nullptr;
    std::atomic<u32> queued{0};
    std::atomic<u32> postCount{0};
    osmNotifyProc function = nullptr;
    uintptr_t argument = 0;
};

struct osmLock {
    osmLock* previous = nullptr;
    osmLock* next = nullptr;
    u16 registered = 0;
    std::atomic<u32> depth{0};
    std::atomic<osmNotification*> pending{nullptr};
};

// Called on a foreign system thread when the home thread has notifications to run; it must
// make the home thread call osmLockRunForeignPosts soon. Called at most once until it does.
using osmWakeHomeProc = void (*)();

void osmLockInit(osmLock* lock, u16 registerLock);
void osmLockUnregister(osmLock* lock);
void osmEnterLock(osmLock* lock);
void osmLeaveLock(osmLock* lock);
void osmPostNotification(osmLock* lock, osmNotification* record);
void osmLockDiscardPending(osmLock* lock);
// Enters every registered lock once, so that nothing posted to them runs any more.
void osmEnterAllLocks();

// Makes the calling system thread the home thread; nullptr gives up routing. Returns only
// once no call of the previous wake function is under way on another thread.
void osmLockSetHomeThread(osmWakeHomeProc wake);
bool osmIsHomeThread();
// On the home thread: runs what other threads posted to registered locks that are free.
void osmLockRunForeignPosts();

u32 osmAtomicIncrement(u32* value);
u32 osmAtomicDecrement(u32* value);
u32 osmAtomicExchange(u32* value, u32 newValue);
