#pragma once
// The engine worker: one system thread that runs blocking system calls (file operations,
// busy blits) while the engine thread that asked waits cooperatively, so the other engine
// threads go on meanwhile. The job's results travel back through its argument; the only
// engine call the worker makes is signalling the done event, which the engine lock hands
// to the user-interface thread.
//
// osmWorkerRun and osmWorkerStop are called from engine threads, one job at a time, and
// never while the thread system's lock is held: the done event could not change until the
// lock is left.
#include "engine/base/EngineTypes.h"

struct osmEvent;
struct osmThread;

constexpr EngineErr kOsmErrWorkerSystem = 4;

using osmJobProc = void (*)(void* argument);

struct osmWorker {
    struct SystemSide;
    SystemSide* system = nullptr;  // none until first use
    osmEvent* done = nullptr;
    osmThread* waiter = nullptr;
};

EngineErr osmWorkerRun(osmWorker* worker, osmJobProc job, void* argument);
void osmWorkerStop(osmWorker* worker);
