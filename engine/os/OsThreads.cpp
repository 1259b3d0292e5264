#include "engine/os/OsThreads.h"

#include <optional>
#include <vector>

#include "engine/os/OsIntervalTasks.h"
#include "engine/os/OsManager.h"
#include "platform/clock/Clock.h"
#include "platform/clock/ClockWaiter.h"
#include "platform/fiber/Fiber.h"

namespace {

constexpr u32 kSyncTag = fourCC("SYNC");
constexpr u32 kThreadKind = fourCC("THRD");
constexpr u32 kMutexKind = fourCC("MUTX");
constexpr u32 kEventKind = fourCC("EVNT");
constexpr u16 kCounterLimit = 65535;
constexpr u32 kStackGranule = 4096;

struct SchedulerState {
    bool started = false;
    bool shutDown = false;
    osmSyncObject* objects = nullptr;
    osmThread* ringHead = nullptr;
    osmThread* mainThread = nullptr;
    osmThread* current = nullptr;
    // Where the next scan starts while the current thread is out of the ring.
    osmThread* scanStart = nullptr;
    u16 forbid = 0;
    u16 nesting = 0;
    osmIntervalTask* tick = nullptr;
    u32 tickInterval = 0;
    EngineErr lastError = kErrNone;
    osmLock lock;
    std::unique_ptr<plat::ClockWaiter> idle;
    // A thread that deleted itself; freed by the thread that runs after it.
    osmThread* zombie = nullptr;
    // Objects destroyed while something outside may still touch them: events with a record
    // still queued on a held lock, threads with a system job still writing into their stack.
    // Freed when the thread system shuts down.
    std::vector<osmSyncObject*> retired;
};

SchedulerState state;

EngineErr setError(EngineErr error) {
    state.lastError = error;
    return error;
}

u32 now() { return plat::clockMillis(); }

// Moments of 0 mean "none", so a computed moment of 0 moves on by one millisecond.
u32 moment(u32 time) { return time ? time : 1; }

bool isObject(const osmSyncObject* object, u32 kind) {
    return object && object->tag == kSyncTag && (kind == 0 || object->kind == kind);
}

bool isLive(const osmSyncObject* object) {
    for (const osmSyncObject* o = state.objects; o; o = o->next) {
        if (o == object) return object->tag == kSyncTag;
    }
    return false;
}

// Both rings of threads (scheduler ring, waiter rings) are circular lists through a pair of
// links in the thread.
template <osmThread* osmThread::*Previous, osmThread* osmThread::*Next>
void ringAppend(osmThread*& head, osmThread* thread) {
    if (!head) {
        thread->*Previous = thread->*Next = thread;
        head = thread;
        return;
    }
    osmThread* last = head->*Previous;
    thread->*Previous = last;
    thread->*Next = head;
    last->*Next = thread;
    head->*Previous = thread;
}

template <osmThread* osmThread::*Previous, osmThread* osmThread::*Next>
void ringRemove(osmThread*& head, osmThread* thread) {
    if (thread->*Next == thread) {
        head = nullptr;
    } else {
        (thread->*Previous)->*Next = thread->*Next;
        (thread->*Next)->*Previous = thread->*Previous;
        if (head == thread) head = thread->*Next;
    }
    thread->*Previous = thread->*Next = nullptr;
}

constexpr auto appendToRing = ringAppend<&osmThread::ringPrevious, &osmThread::ringNext>;
constexpr auto removeFromRing = ringRemove<&osmThread::ringPrevious, &osmThread::ringNext>;
constexpr auto appendWaiter = ringAppend<&osmThread::waiterPrevious, &osmThread::waiterNext>;
constexpr auto removeWaiterLinks = ringRemove<&osmThread::waiterPrevious, &osmThread::waiterNext>;

struct LockGuard {
    LockGuard() { osmEnterLock(&state.lock); }
    ~LockGuard() { osmLeaveLock(&state.lock); }
};

int runnableCount() {
    int count = 0;
    osmThread* t = state.ringHead;
    if (!t) return 0;
    do {
        if (t->suspendCount == 0) count++;
        t = t->ringNext;
    } while (t != state.ringHead);
    return count;
}

bool highPriorityRunnable() {
    osmThread* t = state.ringHead;
    if (!t) return false;
    do {
        if (t->suspendCount == 0 && t->basePriority >= kOsmHighPriority) return true;
        t = t->ringNext;
    } while (t != state.ringHead);
    return false;
}

void tickProc(osmIntervalTask*, void*);

// The scheduler's tick exists while two or more threads share the processor.
void updateTick() {
    const bool shared = state.ringHead && state.ringHead->ringNext != state.ringHead;
    if (!shared || state.shutDown) {
        if (state.tick) osmDeleteIntervalTask(state.tick);
        state.tick = nullptr;
        return;
    }
    const u32 interval = highPriorityRunnable() ? kOsmEveryDispatch : kOsmTimeSlice;
    if (!state.tick) {
        state.tick = osmCreateIntervalTask(tickProc, nullptr, interval);
    } else if (state.tickInterval != interval) {
        osmSetTaskInterval(state.tick, interval);
    }
    state.tickInterval = interval;
}

bool sliceRunning(const osmThread* thread, u32 time) {
    return thread->sliceEnd != 0 && !plat::clockReached(time, thread->sliceEnd);
}

bool waitExpired(const osmThread* thread, u32 time) {
    return thread->waitLimited && u32(time - thread->waitStart) >= u32(thread->waitEnd - thread->waitStart);
}

bool eligible(const osmThread* thread, u32 time) {
    return thread->suspendCount == 0 && !thread->waitingOn &&
           (thread->wakeTime == 0 || plat::clockReached(time, thread->wakeTime));
}

// Whether `candidate` should replace `best`: a higher boost or base priority wins, and
// between equal pairs the one that has waited longest since it last ran.
bool better(const osmThread* candidate, const osmThread* best) {
    if (!best) return true;
    const bool bestAtLeast = best->boostPriority >= candidate->boostPriority && best->basePriority >= candidate->basePriority;
    const bool samePair = best->boostPriority == candidate->boostPriority && best->basePriority == candidate->basePriority;
    const bool bestWaitedLonger = int32_t(best->lastRun - candidate->lastRun) <= 0;
    return !(bestAtLeast && (!samePair || bestWaitedLonger));
}

// The earliest moment at which an examined thread could become eligible by time alone.
void noteWakeMoment(std::optional<u32>& earliest, const osmThread* thread, u32 time) {
    std::optional<u32> at;
    if (thread->suspendCount != 0) return;
    if (thread->waitingOn) {
        if (thread->waitLimited) at = thread->waitEnd;
    } else if (thread->wakeTime) {
        at = thread->wakeTime;
    }
    if (at && (!earliest || int32_t(*at - time) < int32_t(*earliest - time))) earliest = at;
}

// The best eligible thread; while none is, the system thread sleeps until one may be.
osmThread* pickBest(u32& time) {
    for (;;) {
        osmThread* first;
        int count = 0;
        if (state.current->inRing && state.forbid) {
            first = state.current;
            count = 1;
        } else {
            first = state.current->inRing ? state.current->ringNext : (state.scanStart ? state.scanStart : state.ringHead);
            for (osmThread* t = state.ringHead; t && (count == 0 || t != state.ringHead); t = t->ringNext) count++;
        }
        osmThread* best = nullptr;
        std::optional<u32> earliest;
        osmThread* thread = first;
        for (int i = 0; i < count; i++, thread = thread->ringNext) {
            {
                LockGuard guard;
                if (thread->waitingOn && waitExpired(thread, time)) thread->waitingOn->removeWaiter(thread, kOsmErrTimeout);
            }
            if (eligible(thread, time) && better(thread, best)) {
                best = thread;
            } else {
                thread->sliceEnd = 0;
                noteWakeMoment(earliest, thread, time);
            }
        }
        if (best) return best;
        state.idle->waitUntil(earliest);
        osmLockRunForeignPosts();
        time = now();
    }
}

// Steps that choose the next thread without making it current; nullptr when the scheduler
// does not run.
osmThread* choose(u32& time) {
    if (state.shutDown || state.nesting || !state.current) return nullptr;
    osmThread* current = state.current;
    if (!highPriorityRunnable() && current->inRing && current->suspendCount == 0 && !current->waitingOn &&
        sliceRunning(current, time)) {
        return nullptr;
    }
    state.nesting++;
    osmThread* best = pickBest(time);
    state.nesting--;
    if (best != current && current->inRing && sliceRunning(current, time) &&
        best->boostPriority == current->boostPriority && best->basePriority == current->basePriority) {
        return current;
    }
    current->sliceEnd = 0;
    return best;
}

void commit(osmThread* chosen, u32 time) {
    chosen->lastRun = time;
    chosen->wakeTime = 0;
    chosen->sliceEnd = moment(time + kOsmTimeSlice);
    chosen->boostPriority = 0;
}

void freeZombie() {
    if (!state.zombie) return;
    delete state.zombie;
    state.zombie = nullptr;
}

void switchTo(osmThread* next) {
    osmThread* previous = state.current;
    state.current = next;
    if (next == previous) return;
    plat::fiberSwitch(*previous->fiber, *next->fiber);
    freeZombie();
}

[[noreturn]] void leaveFor(osmThread* next) {
    state.current = next;
    plat::fiberExit(*next->fiber);
}

void reschedule() {
    u32 time = now();
    if (osmThread* chosen = choose(time)) {
        commit(chosen, time);
        switchTo(chosen);
    }
}

// The next thread to run after the current one left the ring for good.
osmThread* successor() {
    u32 time = now();
    state.nesting++;
    osmThread* next = pickBest(time);
    state.nesting--;
    commit(next, time);
    return next;
}

void tickProc(osmIntervalTask*, void*) { reschedule(); }

void threadStart(void* argument) {
    freeZombie();
    auto* self = static_cast<osmThread*>(argument);
    self->entry(self->argument);
    {
        LockGuard guard;
        self->setSignalled(1);
    }
    leaveFor(successor());
}

// Creation is refused once the thread system is shut down (or before it starts).
template <typename Object>
Object* newObject() {
    if (!state.started || state.shutDown) {
        setError(kOsmErrShutDown);
        return nullptr;
    }
    auto* object = new (std::nothrow) Object();
    if (!object) setError(kOsmErrNoMemory);
    return object;
}

void linkObject(osmSyncObject* object, u32 kind) {
    object->tag = kSyncTag;
    object->kind = kind;
    object->next = state.objects;
    if (state.objects) state.objects->previous = object;
    state.objects = object;
}

void releaseWaiters(osmSyncObject* object, EngineErr result) {
    while (object->firstWaiter) object->removeWaiter(object->firstWaiter, result);
}

// Clears the tag, releases the waiters and unlinks the object; the memory stays.
void retire(osmSyncObject* object) {
    object->tag = 0;
    {
        LockGuard guard;
        releaseWaiters(object, kOsmErrObjectDestroyed);
    }
    if (object->previous) object->previous->next = object->next;
    if (object->next) object->next->previous = object->previous;
    if (state.objects == object) state.objects = object->next;
    object->previous = object->next = nullptr;
}

bool recordPending(const osmNotification& record) { return record.queued.load() || record.postCount.load(); }

void destroy(osmSyncObject* object) {
    retire(object);
    if (object->kind == kEventKind) {
        auto* event = static_cast<osmEvent*>(object);
        auto pending = [event] { return recordPending(event->setRecord) || recordPending(event->resetRecord); };
        if (pending() && osmIsHomeThread()) osmLockRunForeignPosts();
        // A record still queued on a held lock must stay readable until the lock runs it.
        if (pending()) {
            state.retired.push_back(event);
            return;
        }
    }
    delete object;
}

void eventResetProc(uintptr_t argument) { reinterpret_cast<osmEvent*>(argument)->setSignalled(0); }
void eventSetProc(uintptr_t argument) { reinterpret_cast<osmEvent*>(argument)->setSignalled(1); }

EngineErr endlessOrTimeout(u32 timeout) { return timeout == kOsmNoTimeout ? kOsmErrEndlessWait : kOsmErrTimeout; }

EngineErr commonWait(osmSyncObject* object, osmThread* thread, u32 timeout) {
    {
        LockGuard guard;
        if (!object->mustWait(thread)) {
            object->grant(thread);
            return kErrNone;
        }
        if (timeout == 0) return kOsmErrTimeout;
        const u32 time = now();
        thread->waitStart = time;
        thread->waitLimited = timeout != kOsmNoTimeout;
        thread->waitEnd = time + timeout;
        thread->waitResult = kErrNone;
        object->addWaiter(thread);
    }
    reschedule();
    return thread->waitResult;
}

}  // namespace

// ---- synchronisation objects -------------------------------------------------------------

osmSyncObject::~osmSyncObject() = default;

osmThread* osmSyncObject::owner() { return nullptr; }

void osmSyncObject::setSignalled(u16 flag) {
    signalled = flag;
    if (flag) releaseWaiters(this, kErrNone);
}

EngineErr osmSyncObject::wait(osmThread* thread, u32 timeout) { return commonWait(this, thread, timeout); }

void osmSyncObject::grant(osmThread* thread) {
    if (thread->waitingOn == this) removeWaiter(thread, kErrNone);
}

void osmSyncObject::addWaiter(osmThread* thread) {
    appendWaiter(firstWaiter, thread);
    thread->waitingOn = this;
}

bool osmSyncObject::mustWait(osmThread*) { return !signalled; }

void osmSyncObject::removeWaiter(osmThread* thread, EngineErr result) {
    removeWaiterLinks(firstWaiter, thread);
    thread->waitingOn = nullptr;
    thread->waitResult = result;
}

osmThread::~osmThread() = default;

void osmThread::setSignalled(u16 flag) {
    if (flag == 0) {
        appendToRing(state.ringHead, this);
        inRing = true;
        updateTick();
        return;
    }
    if (inRing) {
        if (state.scanStart == this || state.current == this) state.scanStart = ringNext != this ? ringNext : nullptr;
        removeFromRing(state.ringHead, this);
        inRing = false;
    }
    while (ownedMutexes) {
        ownedMutexes->recursion = 1;
        ownedMutexes->setSignalled(1);
    }
    if (waitingOn) waitingOn->removeWaiter(this, kOsmErrObjectDestroyed);
    finished = true;
    signalled = 1;
    releaseWaiters(this, kErrNone);
    updateTick();
}

EngineErr osmThread::wait(osmThread* thread, u32 timeout) {
    if (state.forbid && mustWait(thread)) return endlessOrTimeout(timeout);
    return commonWait(this, thread, timeout);
}

osmThread* osmMutex::owner() { return ownerThread; }

void osmMutex::setSignalled(u16 flag) {
    if (flag == 0) {
        grant(state.current);
        return;
    }
    if (!ownerThread || --recursion > 0) return;
    removeFromOwner();
    if (firstWaiter) grant(firstWaiter);
}

EngineErr osmMutex::wait(osmThread* thread, u32 timeout) {
    if (ownerThread == thread && recursion == kCounterLimit) return kOsmErrCounterLimit;
    if (mustWait(thread)) {
        if (state.forbid) return endlessOrTimeout(timeout);
        // The owner waits for something this thread owns: neither could ever go on.
        if (ownerThread->waitingOn && ownerThread->waitingOn->owner() == thread) return endlessOrTimeout(timeout);
    }
    return commonWait(this, thread, timeout);
}

void osmMutex::grant(osmThread* thread) {
    osmSyncObject::grant(thread);
    if (ownerThread == thread) {
        recursion++;
        return;
    }
    addToOwner(thread);
    recursion = 1;
}

bool osmMutex::mustWait(osmThread* thread) { return ownerThread && ownerThread != thread; }

void osmMutex::addToOwner(osmThread* thread) {
    ownerThread = thread;
    signalled = 0;
    ownedPrevious = nullptr;
    ownedNext = thread->ownedMutexes;
    if (ownedNext) ownedNext->ownedPrevious = this;
    thread->ownedMutexes = this;
}

void osmMutex::removeFromOwner() {
    if (ownedPrevious) ownedPrevious->ownedNext = ownedNext;
    if (ownedNext) ownedNext->ownedPrevious = ownedPrevious;
    if (ownerThread->ownedMutexes == this) ownerThread->ownedMutexes = ownedNext;
    ownedPrevious = ownedNext = nullptr;
    ownerThread = nullptr;
    recursion = 0;
    signalled = 1;
}

osmEvent::~osmEvent() = default;

// ---- thread system -------------------------------------------------------------------------

EngineErr osmThreadsStartup() {
    state.shutDown = false;
    state.forbid = 0;
    state.nesting = 0;
    state.lastError = kErrNone;
    state.idle = std::make_unique<plat::ClockWaiter>();
    osmLockInit(&state.lock, 1);
    auto* main = new (std::nothrow) osmThread();
    if (!main) return kOsmErrNoMemory;
    main->fiber = plat::Fiber::forCurrentThread();
    linkObject(main, kThreadKind);
    main->suspendCount = 0;
    main->setSignalled(0);
    state.mainThread = state.current = main;
    commit(main, now());
    state.started = true;
    return kErrNone;
}

void osmThreadsShutdown() {
    if (!state.started) return;
    state.shutDown = true;
    if (state.tick) osmDeleteIntervalTask(state.tick);
    state.tick = nullptr;
    osmLockDiscardPending(&state.lock);
    while (state.objects) {
        osmSyncObject* object = state.objects;
        if (object->kind == kThreadKind) {
            auto* thread = static_cast<osmThread*>(object);
            if (thread->inRing) removeFromRing(state.ringHead, thread);
        }
        retire(object);
        delete object;
    }
    osmLockDiscardPending(&state.lock);
    for (osmSyncObject* object : state.retired) delete object;
    state.retired.clear();
    freeZombie();
    osmLockUnregister(&state.lock);
    state.idle.reset();
    state.ringHead = state.mainThread = state.current = state.scanStart = nullptr;
    state.started = false;
}

void osmThreadsWakeIdle() {
    if (state.idle) state.idle->wake();
}

osmThread* osmCreateThread(osmThreadEntry entry, void* argument, u16 stackSize, u16 basePriority) {
    auto* thread = newObject<osmThread>();
    if (!thread) return nullptr;
    const u32 size = (u32(stackSize) + kStackGranule - 1) / kStackGranule * kStackGranule;
    thread->fiber = plat::Fiber::create(size ? size : kStackGranule, threadStart, thread);
    if (!thread->fiber) {
        delete thread;
        setError(kOsmErrNoStackSpace);
        return nullptr;
    }
    thread->entry = entry;
    thread->argument = argument;
    thread->basePriority = basePriority;
    linkObject(thread, kThreadKind);
    thread->setSignalled(0);
    setError(kErrNone);
    return thread;
}

EngineErr osmResumeThread(osmThread* thread) {
    if (state.shutDown) return setError(kOsmErrShutDown);
    if (!isObject(thread, kThreadKind)) return setError(kOsmErrBadObject);
    if (thread->finished) return setError(kOsmErrThreadFinished);
    if (thread->suspendCount == 0) return setError(kOsmErrCounterLimit);
    if (--thread->suspendCount == 0) updateTick();
    return setError(kErrNone);
}

EngineErr osmSuspendThread(osmThread* thread) {
    if (!isObject(thread, kThreadKind)) return setError(kOsmErrBadObject);
    if (thread->finished) return setError(kOsmErrThreadFinished);
    if (thread->suspendCount == kCounterLimit) return setError(kOsmErrCounterLimit);
    const bool self = thread == state.current;
    if (self && state.forbid) return setError(kOsmErrSwitchingForbidden);
    if (self && thread->suspendCount == 0 && runnableCount() == 1) return setError(kOsmErrOnlyRunnable);
    if (++thread->suspendCount == 1) updateTick();
    if (self) reschedule();
    return setError(kErrNone);
}

EngineErr osmSetThreadPriority(osmThread* thread, u16 basePriority) {
    if (!isObject(thread, kThreadKind)) return setError(kOsmErrBadObject);
    if (thread->finished) return setError(kOsmErrThreadFinished);
    thread->basePriority = basePriority;
    updateTick();
    return setError(kErrNone);
}

EngineErr osmRunThread(osmThread* thread) {
    if (state.shutDown) return setError(kOsmErrShutDown);
    if (!isObject(thread, kThreadKind)) return setError(kOsmErrBadObject);
    if (thread->finished) return setError(kOsmErrThreadFinished);
    osmThread* caller = state.current;
    if (thread == caller) return setError(kErrNone);
    const u32 callerSlice = caller->sliceEnd;
    caller->sliceEnd = 0;
    thread->boostPriority++;
    u32 time = now();
    osmThread* chosen = choose(time);
    if (chosen != thread) {
        thread->boostPriority--;
        caller->sliceEnd = callerSlice;
        return setError(kErrNone);
    }
    commit(thread, time);
    caller->boostPriority++;
    switchTo(thread);
    return setError(kErrNone);
}

void osmSleep(u32 ms) {
    osmThread* current = state.current;
    if (!current || state.forbid || state.shutDown) return;
    const u32 time = now();
    if (ms == kOsmNoTimeout) {
        if (!sliceRunning(current, time)) reschedule();
        return;
    }
    current->sliceEnd = 0;
    current->wakeTime = ms ? moment(time + ms) : 0;
    reschedule();
}

void osmYield() {
    if (state.current && state.current == state.mainThread) {
        osmDispatchTasks(now(), 1);
    } else {
        osmSleep(0);
    }
}

EngineErr osmForbidSwitching() {
    if (state.forbid == kCounterLimit) return setError(kOsmErrCounterLimit);
    state.forbid++;
    return setError(kErrNone);
}

EngineErr osmPermitSwitching() {
    if (state.forbid == 0) return setError(kOsmErrCounterLimit);
    state.forbid--;
    return setError(kErrNone);
}

void osmDeleteAllThreads() {
    if (!state.started) return;
    state.forbid = 0;
    osmThread* main = state.mainThread;
    {
        LockGuard guard;
        while (main->ringNext != main) {
            osmThread* thread = main->ringNext;
            thread->setSignalled(1);
        }
        // Waits end at once from now on, the main thread's own included.
        if (main->waitingOn) main->waitingOn->removeWaiter(main, kErrNone);
    }
    state.shutDown = true;
    updateTick();
    if (state.current != main) leaveFor(main);
}

osmMutex* osmCreateMutex(u32 free) {
    auto* mutex = newObject<osmMutex>();
    if (!mutex) return nullptr;
    linkObject(mutex, kMutexKind);
    mutex->signalled = 1;
    if (!free) mutex->grant(state.current);
    setError(kErrNone);
    return mutex;
}

EngineErr osmReleaseMutex(osmMutex* mutex) {
    if (!isObject(mutex, kMutexKind)) return setError(kOsmErrBadObject);
    if (!mutex->ownerThread || mutex->recursion == 0) return setError(kOsmErrCounterLimit);
    if (mutex->ownerThread != state.current) return setError(kOsmErrNotOwner);
    LockGuard guard;
    mutex->setSignalled(1);
    return setError(kErrNone);
}

osmEvent* osmCreateEvent(u32 set) {
    auto* event = newObject<osmEvent>();
    if (!event) return nullptr;
    linkObject(event, kEventKind);
    event->signalled = set ? 1 : 0;
    event->resetRecord.function = eventResetProc;
    event->resetRecord.argument = reinterpret_cast<uintptr_t>(event);
    event->setRecord.function = eventSetProc;
    event->setRecord.argument = reinterpret_cast<uintptr_t>(event);
    setError(kErrNone);
    return event;
}

EngineErr osmResetEvent(osmEvent* event) {
    if (state.shutDown) return setError(kOsmErrShutDown);
    if (!isObject(event, kEventKind)) return setError(kOsmErrBadObject);
    osmPostNotification(&state.lock, &event->resetRecord);
    return setError(kErrNone);
}

EngineErr osmSignalEvent(osmEvent* event) {
    if (!isObject(event, kEventKind)) return kOsmErrBadObject;
    osmPostNotification(&state.lock, &event->setRecord);
    return kErrNone;
}

EngineErr osmWaitForObject(osmSyncObject* object, u32 timeout) {
    if (state.shutDown) return kErrNone;
    if (!isObject(object, 0)) return setError(kOsmErrBadObject);
    osmThread* current = state.current;
    if (timeout != 0 && !object->mustWait(current)) {
        const u32 start = now();
        osmSleep(kOsmNoTimeout);
        if (!isLive(object)) return setError(kOsmErrObjectDestroyed);
        if (timeout != kOsmNoTimeout) {
            const u32 spent = now() - start;
            timeout = spent >= timeout ? 0 : timeout - spent;
        }
    }
    return setError(object->wait(current, timeout));
}

EngineErr osmDeleteObject(osmSyncObject* object) {
    if (!isObject(object, 0)) return setError(kOsmErrBadObject);
    if (object->kind != kThreadKind) {
        osmThread* owner = object->owner();
        if (owner && owner != state.current) return setError(kOsmErrOwnedByOther);
        if (owner) {
            LockGuard guard;
            static_cast<osmMutex*>(object)->removeFromOwner();
        }
        destroy(object);
        return setError(kErrNone);
    }
    auto* thread = static_cast<osmThread*>(object);
    if (thread == state.mainThread) return setError(kOsmErrNotAllowed);
    const bool self = thread == state.current;
    if (self && state.forbid) return setError(kOsmErrSwitchingForbidden);
    if (self && thread->suspendCount == 0 && runnableCount() == 1) return setError(kOsmErrOnlyRunnable);
    if (thread->inRing) {
        LockGuard guard;
        thread->setSignalled(1);
    }
    setError(kErrNone);
    if (!self && thread->systemJobs) {
        retire(thread);
        state.retired.push_back(thread);
        return kErrNone;
    }
    if (!self) {
        destroy(thread);
        return kErrNone;
    }
    retire(thread);
    state.zombie = thread;
    leaveFor(successor());
}

osmThread* osmGetCurrentThread() { return state.current; }
osmThread* osmGetMainThread() { return state.mainThread; }
EngineErr osmGetLastError() { return state.lastError; }
bool osmIsShutDown() { return state.shutDown; }
osmLock* osmThreadsLock() { return &state.lock; }
