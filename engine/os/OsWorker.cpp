#include "engine/os/OsWorker.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "engine/os/OsThreads.h"

struct osmWorker::SystemSide {
    std::thread thread;
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable jobEnded;
    bool woken = false;
    bool busy = false;  // a job was handed over and has not ended
    osmJobProc job = nullptr;  // null: stop
    void* argument = nullptr;
};

namespace {

void endJob(osmWorker::SystemSide& side) {
    std::lock_guard lock(side.mutex);
    side.busy = false;
    side.jobEnded.notify_all();
}

void workerProcedure(osmWorker* worker) {
    osmWorker::SystemSide& side = *worker->system;
    for (;;) {
        osmJobProc job;
        void* argument;
        {
            std::unique_lock lock(side.mutex);
            side.wake.wait(lock, [&] { return side.woken; });
            side.woken = false;
            job = side.job;
            argument = side.argument;
            side.job = nullptr;
        }
        if (!job) break;
        job(argument);
        endJob(side);
        osmSignalEvent(worker->done);
    }
    endJob(side);
    osmSignalEvent(worker->done);
}

EngineErr start(osmWorker* worker) {
    worker->done = osmCreateEvent(0);
    if (!worker->done) return osmGetLastError();
    auto* side = new (std::nothrow) osmWorker::SystemSide();
    if (!side) {
        osmDeleteObject(worker->done);
        worker->done = nullptr;
        return kOsmErrWorkerSystem;
    }
    worker->system = side;
    try {
        side->thread = std::thread(workerProcedure, worker);
    } catch (const std::system_error&) {
        delete side;
        worker->system = nullptr;
        osmDeleteObject(worker->done);
        worker->done = nullptr;
        return kOsmErrWorkerSystem;
    }
    return kErrNone;
}

void wakeWorker(osmWorker::SystemSide& side, osmJobProc job, void* argument) {
    std::lock_guard lock(side.mutex);
    side.job = job;
    side.argument = argument;
    side.woken = true;
    if (job) side.busy = true;
    side.wake.notify_one();
}

// The engine wait ends early once the thread system shuts down; the job's results live with
// the caller, so the caller must not go on before the job has ended.
void awaitJobEnd(osmWorker::SystemSide& side) {
    std::unique_lock lock(side.mutex);
    side.jobEnded.wait(lock, [&] { return !side.busy; });
}

}  // namespace

EngineErr osmWorkerRun(osmWorker* worker, osmJobProc job, void* argument) {
    if (osmIsShutDown()) return kOsmErrShutDown;
    if (!worker->system) {
        if (EngineErr error = start(worker)) return error;
    }
    osmThread* waiter = osmGetCurrentThread();
    worker->waiter = waiter;
    osmResetEvent(worker->done);
    // Should the waiter be deleted meanwhile, its stack stays until the thread system ends.
    if (waiter) waiter->systemJobs++;
    wakeWorker(*worker->system, job, argument);
    const EngineErr result = osmWaitForObject(worker->done, kOsmNoTimeout);
    if (worker->system) awaitJobEnd(*worker->system);  // a stop meanwhile has ended the job
    if (waiter) waiter->systemJobs--;
    worker->waiter = nullptr;
    return result;
}

void osmWorkerStop(osmWorker* worker) {
    if (!worker->system) return;
    if (worker->waiter) osmSuspendThread(worker->waiter);
    wakeWorker(*worker->system, nullptr, nullptr);
    worker->system->thread.join();
    delete worker->system;
    worker->system = nullptr;
    osmDeleteObject(worker->done);
    worker->done = nullptr;
    worker->waiter = nullptr;
}
