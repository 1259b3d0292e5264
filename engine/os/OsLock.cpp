#include "engine/os/OsLock.h"

#include <thread>

namespace {

struct LockState {
    osmLock* registeredHead = nullptr;
    std::atomic<bool> routing{false};
    // Read by posting threads while the home thread may be changing them.
    std::atomic<std::thread::id> home;
    std::atomic<osmWakeHomeProc> wakeHome{nullptr};
    std::atomic<bool> wakeRequested{false};
    // Wakes under way on posting threads; giving up routing waits until none is.
    std::atomic<int> wakesRunning{0};
};

LockState state;

void push(osmLock* lock, osmNotification* record) {
    record->next = lock->pending.load(std::memory_order_relaxed);
    while (!lock->pending.compare_exchange_weak(record->next, record, std::memory_order_release,
                                                std::memory_order_relaxed)) {
    }
}

// Takes every pending record, oldest first.
osmNotification* takeAll(osmLock* lock) {
    osmNotification* newestFirst = lock->pending.exchange(nullptr, std::memory_order_acquire);
    osmNotification* oldestFirst = nullptr;
    while (newestFirst) {
        osmNotification* next = newestFirst->next;
        newestFirst->next = oldestFirst;
        oldestFirst = newestFirst;
        newestFirst = next;
    }
    return oldestFirst;
}

// The count is lowered only after the posts it covered have run, so it never falls to 0
// while the record is in hand: the post that raises it from 0 again (and pushes the record
// anew) comes only once this round is done with it.
void runRecord(osmNotification* record) {
    record->queued.store(0, std::memory_order_relaxed);
    u32 posts = record->postCount.load();
    while (posts > 0) {
        for (u32 i = 0; i < posts; i++) record->function(record->argument);
        posts = record->postCount.fetch_sub(posts) - posts;
    }
}

// Runs with the depth at 1, taken by the caller from 0; records posted meanwhile are queued
// and taken in the next round.
void drain(osmLock* lock) {
    while (osmNotification* record = takeAll(lock)) {
        while (record) {
            osmNotification* next = record->next;
            runRecord(record);
            record = next;
        }
    }
}

void runIfFree(osmLock* lock) {
    u32 free = 0;
    if (lock->depth.compare_exchange_strong(free, 1)) osmLeaveLock(lock);
}

bool postsAreRouted(const osmLock* lock) {
    return lock->registered && state.routing.load() && std::this_thread::get_id() != state.home.load();
}

// Reads before writing: while a wake is pending, posters do not fight over the flag.
// Counted in before routing is looked at again, so that giving up routing either sees this
// wake under way or makes it see routing off.
void requestHomeWake() {
    if (state.wakeRequested.load(std::memory_order_relaxed) || state.wakeRequested.exchange(true)) return;
    state.wakesRunning.fetch_add(1);
    if (state.routing.load()) {
        if (osmWakeHomeProc wake = state.wakeHome.load()) wake();
    }
    state.wakesRunning.fetch_sub(1);
}

}  // namespace

void osmLockInit(osmLock* lock, u16 registerLock) {
    osmLockUnregister(lock);  // a lock set up again must not join the list twice
    lock->depth.store(0);
    lock->pending.store(nullptr);
    if (!registerLock) return;
    lock->registered = 1;
    lock->next = state.registeredHead;
    if (state.registeredHead) state.registeredHead->previous = lock;
    state.registeredHead = lock;
}

void osmLockUnregister(osmLock* lock) {
    if (!lock->registered) return;
    if (lock->previous) lock->previous->next = lock->next;
    if (lock->next) lock->next->previous = lock->previous;
    if (state.registeredHead == lock) state.registeredHead = lock->next;
    lock->previous = lock->next = nullptr;
    lock->registered = 0;
}

void osmEnterLock(osmLock* lock) { lock->depth.fetch_add(1); }

void osmLeaveLock(osmLock* lock) {
    while (lock->depth.fetch_sub(1) == 1) {
        // The last holder runs what was posted; a post that came while the depth fell is
        // still seen here, or else it would wait for a next leave that may never come.
        if (lock->pending.load() == nullptr) return;
        u32 free = 0;
        if (!lock->depth.compare_exchange_strong(free, 1)) return;
        drain(lock);
    }
}

void osmPostNotification(osmLock* lock, osmNotification* record) {
    const bool routed = postsAreRouted(lock);
    // Records that other threads queued for the home thread run first: queued behind them,
    // this one runs in its turn as the free lock is drained below.
    if (!routed && lock->depth.load() == 0 && lock->pending.load() == nullptr) {
        record->function(record->argument);
        return;
    }
    if (record->postCount.fetch_add(1) == 0) {
        record->queued.store(1, std::memory_order_relaxed);
        push(lock, record);
    }
    if (routed) {
        requestHomeWake();
        return;
    }
    // The lock may be free (or its holder left between our look and the push): run it ourselves.
    runIfFree(lock);
}

void osmLockDiscardPending(osmLock* lock) {
    for (osmNotification* record = takeAll(lock); record;) {
        // Read first: once the count is 0, a post from another thread may queue the record
        // again and relink it into the new pending list.
        osmNotification* next = record->next;
        record->queued.store(0);
        record->postCount.store(0);
        record = next;
    }
}

void osmEnterAllLocks() {
    for (osmLock* lock = state.registeredHead; lock; lock = lock->next) osmEnterLock(lock);
}

void osmLockSetHomeThread(osmWakeHomeProc wake) {
    state.routing.store(false);
    // What the old wake touches may go as soon as this returns.
    while (state.wakesRunning.load() != 0) std::this_thread::yield();
    state.wakeHome = wake;
    state.home = std::this_thread::get_id();
    state.wakeRequested.store(false);
    if (wake) state.routing.store(true);
}

bool osmIsHomeThread() { return !state.routing.load() || std::this_thread::get_id() == state.home.load(); }

void osmLockRunForeignPosts() {
    if (state.wakeRequested.load(std::memory_order_relaxed)) state.wakeRequested.store(false);
    for (osmLock* lock = state.registeredHead; lock;) {
        osmLock* next = lock->next;
        if (lock->pending.load()) runIfFree(lock);
        lock = next;
    }
}

u32 osmAtomicIncrement(u32* value) { return std::atomic_ref<u32>(*value).fetch_add(1) + 1; }

u32 osmAtomicDecrement(u32* value) { return std::atomic_ref<u32>(*value).fetch_sub(1) - 1; }

u32 osmAtomicExchange(u32* value, u32 newValue) { return std::atomic_ref<u32>(*value).exchange(newValue); }
