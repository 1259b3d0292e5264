#include "engine/os/OsWorker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "engine/os/OsLocalBlocks.h"
#include "engine/os/OsManager.h"
#include "engine/os/OsThreads.h"
#include "platform/clock/Clock.h"

namespace {

class EngineWorker : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(osmInit(nullptr), kErrNone); }
    void TearDown() override {
        osmWorkerStop(&worker);
        osmShutdown();
    }
    plat::ScopedFakeClock clock{500};
    osmWorker worker;
};

// A blocking job that ends only when an engine thread lets it: the engine threads must run
// while the caller waits for the job.
struct Gate {
    std::mutex mutex;
    std::condition_variable opened;
    bool open = false;
    std::thread::id ranOn;
};

void waitAtGate(void* argument) {
    auto& gate = *static_cast<Gate*>(argument);
    gate.ranOn = std::this_thread::get_id();
    std::unique_lock lock(gate.mutex);
    gate.opened.wait(lock, [&] { return gate.open; });
}

void openGate(void* argument) {
    auto& gate = *static_cast<Gate*>(argument);
    std::lock_guard lock(gate.mutex);
    gate.open = true;
    gate.opened.notify_all();
}

TEST_F(EngineWorker, OtherEngineThreadsRunWhileTheCallerWaitsForTheJob) {
    Gate gate;
    osmThread* opener = osmCreateThread(openGate, &gate, 0, kOsmDefaultPriority);
    osmResumeThread(opener);
    EXPECT_EQ(osmWorkerRun(&worker, waitAtGate, &gate), kErrNone);
    EXPECT_TRUE(gate.open);
    EXPECT_NE(gate.ranOn, std::this_thread::get_id());
}

TEST_F(EngineWorker, JobsRunOneAfterAnotherOnTheSameSystemThread) {
    std::thread::id first, second;
    auto note = [](void* id) { *static_cast<std::thread::id*>(id) = std::this_thread::get_id(); };
    EXPECT_EQ(osmWorkerRun(&worker, note, &first), kErrNone);
    EXPECT_EQ(osmWorkerRun(&worker, note, &second), kErrNone);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, std::this_thread::get_id());
}

TEST_F(EngineWorker, StoppingAWorkerThatNeverRanDoesNothing) {
    osmWorkerStop(&worker);
    EXPECT_EQ(worker.system, nullptr);
    EXPECT_EQ(worker.done, nullptr);
}

TEST_F(EngineWorker, RefusedAfterTheThreadsAreShutDown) {
    osmDeleteAllThreads();
    EXPECT_EQ(osmWorkerRun(&worker, [](void*) {}, nullptr), kOsmErrShutDown);
}

// The job's results live with the caller: even when the thread system's shut-down ends the
// caller's wait early, the call must not return before the job has finished.
struct LateJob {
    Gate gate;
    std::atomic<bool> finished{false};
    std::atomic<bool> shuttingDown{false};
    std::thread opener;
};

void waitAtGateThenFinish(void* argument) {
    auto& job = *static_cast<LateJob*>(argument);
    waitAtGate(&job.gate);
    job.finished = true;
}

// Runs on an engine thread while the main thread waits for the job: shuts the threads down,
// which releases the main thread at once, and has the gate opened only a while later.
void shutDownWhileTheJobRuns(void* argument) {
    auto& job = *static_cast<LateJob*>(argument);
    job.opener = std::thread([&job] {
        while (!job.shuttingDown.load()) std::this_thread::yield();
        for (int i = 0; i < 1000; i++) std::this_thread::yield();
        openGate(&job.gate);
    });
    job.shuttingDown = true;
    osmDeleteAllThreads();
}

TEST_F(EngineWorker, ShutDownDuringAJobStillReturnsOnlyOnceTheJobIsDone) {
    LateJob job;
    osmThread* stopper = osmCreateThread(shutDownWhileTheJobRuns, &job, 0, kOsmDefaultPriority);
    osmResumeThread(stopper);
    EXPECT_EQ(osmWorkerRun(&worker, waitAtGateThenFinish, &job), kErrNone);
    EXPECT_TRUE(job.finished.load());
    job.opener.join();
}

// An engine thread deleted while it waits for a job: the job still writes its results into
// that thread's stack, and stopping the worker still looks at its waiter.
struct JobOnADeletedThread {
    osmWorker* worker;
    Gate gate;
    std::atomic<bool> started{false};
    std::atomic<bool> written{false};
};

// Lives on the waiting engine thread's stack, as the file requests do.
struct StackRequest {
    JobOnADeletedThread* job;
    int result;
};

void writeResultAfterGate(void* argument) {
    auto* request = static_cast<StackRequest*>(argument);
    request->job->started = true;
    waitAtGate(&request->job->gate);
    request->result = 42;
    request->job->written = true;
}

void runJobWithResultsOnTheStack(void* argument) {
    auto* job = static_cast<JobOnADeletedThread*>(argument);
    StackRequest request{job, 0};
    osmWorkerRun(job->worker, writeResultAfterGate, &request);
}

TEST_F(EngineWorker, DeletingTheWaitingThreadLeavesItsStackToTheJob) {
    JobOnADeletedThread job{&worker, {}, {}, {}};
    osmThread* waiter = osmCreateThread(runJobWithResultsOnTheStack, &job, 0, kOsmDefaultPriority);
    osmResumeThread(waiter);
    osmSleep(0);
    ASSERT_NE(worker.waiter, nullptr);
    while (!job.started.load()) std::this_thread::yield();
    EXPECT_EQ(osmDeleteObject(waiter), kErrNone);

    openGate(&job.gate);
    osmWorkerStop(&worker);
    EXPECT_TRUE(job.written.load());
    EXPECT_EQ(worker.system, nullptr);
}

TEST(EngineLocalBlocks, SizeZeroGivesNullWithoutError) {
    EXPECT_EQ(osmAllocLocal(0), nullptr);
    EXPECT_EQ(osmGetAllocError(), kErrNone);
}

TEST(EngineLocalBlocks, FreeRefusesNullAndMisalignedPointers) {
    void* block = osmAllocLocal(16);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(osmFreeLocal(static_cast<char*>(block) + 1), kOsmErrLocalBadPointer);
    EXPECT_EQ(osmFreeLocal(nullptr), kOsmErrLocalBadPointer);
    EXPECT_EQ(osmGetAllocError(), kOsmErrLocalBadPointer);
    EXPECT_EQ(osmFreeLocal(block), kErrNone);
}

}  // namespace
