#pragma once
// Engine threads and their synchronisation objects. Engine threads are cooperative: each has
// its own stack (a platform fiber) and all run on the user-interface system thread, the
// program's own flow being the main thread. The scheduler switches only at sleeps, waits,
// yields, suspensions and its time-slice tick (an interval task of the OS manager); it picks
// the eligible thread with the highest boost, then base priority, and among equals the one
// that has waited longest.
//
// Mutexes are recursive and handed to waiters in the order they came; events are
// manual-reset and are set or reset through notification records on the thread system's
// engine lock, which makes osmSignalEvent safe from other system threads. Every other call
// here belongs to the user-interface thread.
//
// The thread system is started and shut down by the OS manager (osmInit, osmShutdown).
#include <cstdint>
#include <memory>

#include "engine/base/EngineTypes.h"
#include "engine/os/OsLock.h"

namespace plat {
class Fiber;
}

constexpr EngineErr kOsmErrNoMemory = 2;
constexpr EngineErr kOsmErrShutDown = 300;
constexpr EngineErr kOsmErrObjectDestroyed = 301;
constexpr EngineErr kOsmErrTimeout = 303;
constexpr EngineErr kOsmErrNotAllowed = 350;
constexpr EngineErr kOsmErrSwitchingForbidden = 351;
constexpr EngineErr kOsmErrEndlessWait = 352;
constexpr EngineErr kOsmErrBadObject = 353;
constexpr EngineErr kOsmErrOnlyRunnable = 354;
constexpr EngineErr kOsmErrNotOwner = 355;
constexpr EngineErr kOsmErrCounterLimit = 356;
constexpr EngineErr kOsmErrOwnedByOther = 357;
constexpr EngineErr kOsmErrThreadFinished = 358;
constexpr EngineErr kOsmErrNoStackSpace = 359;

constexpr u32 kOsmNoTimeout = 0xFFFFFFFFu;
constexpr u32 kOsmTimeSlice = 20;
constexpr u16 kOsmDefaultPriority = 1;
// Threads at this base priority or above make the scheduler look at every dispatch.
constexpr u16 kOsmHighPriority = 2;

struct osmThread;

// The common base of threads, mutexes and events.
struct osmSyncObject {
    virtual ~osmSyncObject();
    virtual osmThread* owner();
    virtual void setSignalled(u16 flag);
    virtual EngineErr wait(osmThread* thread, u32 timeout);
    virtual void grant(osmThread* thread);
    virtual void addWaiter(osmThread* thread);
    virtual bool mustWait(osmThread* thread);
    virtual void removeWaiter(osmThread* thread, EngineErr result);

    u32 tag = 0;
    u32 kind = 0;
    u16 signalled = 0;
    osmSyncObject* previous = nullptr;
    osmSyncObject* next = nullptr;
    // Ring of waiting threads, oldest first.
    osmThread* firstWaiter = nullptr;
};

using osmThreadEntry = void (*)(void* argument);

struct osmMutex;

struct osmThread final : osmSyncObject {
    ~osmThread() override;
    void setSignalled(u16 flag) override;
    EngineErr wait(osmThread* thread, u32 timeout) override;

    u32 lastRun = 0;
    u32 wakeTime = 0;  // 0: eligible now
    u32 sliceEnd = 0;  // 0: slice used up
    u16 boostPriority = 0;
    u16 suspendCount = 1;
    u16 basePriority = kOsmDefaultPriority;
    bool inRing = false;
    bool finished = false;
    osmThreadEntry entry = nullptr;
    void* argument = nullptr;
    std::unique_ptr<plat::Fiber> fiber;
    osmMutex* ownedMutexes = nullptr;
    osmThread* ringPrevious = nullptr;
    osmThread* ringNext = nullptr;
    osmSyncObject* waitingOn = nullptr;
    EngineErr waitResult = 0;
    osmThread* waiterPrevious = nullptr;
    osmThread* waiterNext = nullptr;
    u32 waitStart = 0;
    u32 waitEnd = 0;
    bool waitLimited = false;
    // Jobs running on a system thread for this thread (the worker's): while any is, its
    // results may still be written into this thread's stack.
    u16 systemJobs = 0;
};

struct osmMutex final : osmSyncObject {
    osmThread* owner() override;
    void setSignalled(u16 flag) override;
    EngineErr wait(osmThread* thread, u32 timeout) override;
    void grant(osmThread* thread) override;
    bool mustWait(osmThread* thread) override;
    void addToOwner(osmThread* thread);
    void removeFromOwner();

    u16 recursion = 0;
    osmThread* ownerThread = nullptr;
    osmMutex* ownedPrevious = nullptr;
    osmMutex* ownedNext = nullptr;
};

struct osmEvent final : osmSyncObject {
    ~osmEvent() override;
    osmNotification resetRecord;
    osmNotification setRecord;
};

// Thread system, called by the OS manager.
EngineErr osmThreadsStartup();
void osmThreadsShutdown();
// Thread-safe: ends the scheduler's idle wait so that it runs what other threads posted.
void osmThreadsWakeIdle();

osmThread* osmCreateThread(osmThreadEntry entry, void* argument, u16 stackSize, u16 basePriority);
EngineErr osmResumeThread(osmThread* thread);
EngineErr osmSuspendThread(osmThread* thread);
EngineErr osmSetThreadPriority(osmThread* thread, u16 basePriority);
EngineErr osmRunThread(osmThread* thread);
void osmSleep(u32 ms);
void osmYield();
EngineErr osmForbidSwitching();
EngineErr osmPermitSwitching();
void osmDeleteAllThreads();

osmMutex* osmCreateMutex(u32 free);
EngineErr osmReleaseMutex(osmMutex* mutex);
osmEvent* osmCreateEvent(u32 set);
EngineErr osmResetEvent(osmEvent* event);
EngineErr osmSignalEvent(osmEvent* event);

EngineErr osmWaitForObject(osmSyncObject* object, u32 timeout);
EngineErr osmDeleteObject(osmSyncObject* object);

osmThread* osmGetCurrentThread();
osmThread* osmGetMainThread();
EngineErr osmGetLastError();
bool osmIsShutDown();
// The lock under which waiter rings change and events are set.
osmLock* osmThreadsLock();
