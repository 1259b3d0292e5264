#include "engine/os/OsManager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "engine/os/OsLock.h"
#include "engine/os/OsThreads.h"
#include "platform/clock/Clock.h"
#include "platform/system/SystemInfo.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace {

std::vector<u16> activations;

class OsManager : public ::testing::Test {
protected:
    void SetUp() override {
        activations.clear();
        osmSetActivateCallback([](u16 active) { activations.push_back(active); });
        ASSERT_EQ(osmInit(nullptr), kErrNone);
    }
    void TearDown() override {
        osmShutdown();
        osmSetActivateCallback(nullptr);
        plat::Message drop;
        while (plat::peekMessage(drop, true)) {
        }
    }
    // Takes and dispatches what the queue holds now, as the framework's loop does.
    void pump() {
        plat::Message m;
        while (plat::peekMessage(m, true)) plat::dispatchMessage(m);
    }

    plat::ScopedFakeClock clock{5000};
};

struct TaskLog {
    std::vector<std::string> runs;
    osmIntervalTask* deleteInside = nullptr;
};

osmIntervalTask* addTask(TaskLog& log, const char* name, u32 interval) {
    struct Named {
        TaskLog* log;
        const char* name;
    };
    static std::vector<std::unique_ptr<Named>> names;
    names.push_back(std::make_unique<Named>(Named{&log, name}));
    return osmCreateIntervalTask(
        [](osmIntervalTask* task, void* argument) {
            auto* named = static_cast<Named*>(argument);
            named->log->runs.push_back(named->name);
            if (named->log->deleteInside == task) {
                EXPECT_EQ(osmDeleteIntervalTask(task), kErrNone);
                EXPECT_EQ(task->tag, fourCC("ITSK"));  // still there until the callback returns
            }
        },
        names.back().get(), interval);
}

TEST_F(OsManager, ReportsTheNewestSystemFamilyWithoutDriverOrMmxModule) {
    EXPECT_TRUE(osmIsNTFamily());
    EXPECT_EQ(osmGetSystemVersion(), kOsmReportedVersion);
    EXPECT_EQ(osmHasMMX(), plat::cpuHasMmx());
    EXPECT_EQ(osmGetMMXModule(), nullptr);
    EXPECT_EQ(osmGetDriverVersion(), 0);
    int page[16] = {};
    EXPECT_EQ(osmVxdLockPages(page, sizeof page), kErrNone);
    EXPECT_EQ(osmVxdUnlockPages(page, sizeof page), kErrNone);
    EXPECT_EQ(osmGetSystemError(), kErrNone);
}

TEST_F(OsManager, HiddenWindowAnswersTheVersionQuery) {
    const plat::WindowHandle hidden = osmGetHiddenWindow();
    ASSERT_TRUE(plat::isWindow(hidden));
    EXPECT_EQ(plat::windowTitle(hidden), kOsmWindowTitle);
    EXPECT_EQ(plat::sendMessage(hidden, kOsmMsgVersionQuery, 0, 0), 1792);
    EXPECT_EQ(osmGetThreadEngineVersion(std::this_thread::get_id()), 1792);
    std::thread other([] { EXPECT_EQ(osmGetThreadEngineVersion(std::this_thread::get_id()), 0); });
    other.join();
}

TEST_F(OsManager, MainWindowIsGivenOnlyWhileItExists) {
    EXPECT_EQ(osmGetMainWindow(), plat::kNoWindow);
    EXPECT_EQ(osmGetSystemError(), kOsmErrNoMainWindow);
    const plat::WindowHandle main = plat::createWindow({"main", "main", plat::defaultWindowProcedure});
    osmSetMainWindow(main);
    EXPECT_EQ(osmGetMainWindow(), main);
    EXPECT_EQ(plat::sendMessage(osmGetHiddenWindow(), kOsmMsgMainWindowQuery, 0, 0), intptr_t(main));
    plat::destroyWindow(main);
    EXPECT_EQ(plat::sendMessage(osmGetHiddenWindow(), kOsmMsgMainWindowQuery, 0, 0), 0);
    EXPECT_EQ(osmGetSystemError(), kOsmErrNoMainWindow);
}

TEST_F(OsManager, ActivationEventsReachTheCallbackOnlyOnChange) {
    EXPECT_TRUE(osmIsAppActive());
    plat::postAppActivation(false);
    pump();
    EXPECT_FALSE(osmIsAppActive());
    plat::postAppActivation(false);
    pump();
    plat::postAppActivation(true);
    pump();
    EXPECT_EQ(activations, (std::vector<u16>{1, 0, 1}));
}

TEST_F(OsManager, StoppedTaskRunsOnlyOnForcedDispatchesAndEveryDispatchTaskAlways) {
    TaskLog log;
    addTask(log, "stopped", 0);
    addTask(log, "always", kOsmEveryDispatch);
    osmDispatchTasks(plat::clockMillis(), 0);
    EXPECT_EQ(log.runs, (std::vector<std::string>{"always"}));
    log.runs.clear();
    osmDispatchTasks(plat::clockMillis(), 1);
    EXPECT_EQ(log.runs, (std::vector<std::string>{"always", "stopped"}));  // newest first
    osmDeleteAllIntervalTasks();
}

TEST_F(OsManager, TimerMessagesForceADispatchAndOtherMessagesRunDueTasks) {
    TaskLog log;
    addTask(log, "every 10", 10);
    addTask(log, "stopped", 0);
    clock.advance(5);
    plat::postMessage(osmGetHiddenWindow(), plat::kMsgUser + 50, 0, 0);
    plat::Message m;
    ASSERT_TRUE(plat::peekMessage(m, true));  // not due yet: nothing runs
    EXPECT_TRUE(log.runs.empty());
    ASSERT_TRUE(plat::peekMessage(m, true));  // the 1 ms timer, due long ago: forced
    EXPECT_EQ(m.message, plat::kMsgTimer);
    EXPECT_EQ(m.wParam, kOsmTimerId);
    EXPECT_EQ(log.runs, (std::vector<std::string>{"stopped", "every 10"}));
    log.runs.clear();
    osmDeleteIntervalTask(nullptr);  // refused, nothing else changes
    EXPECT_EQ(osmGetSystemError(), kOsmErrNotIntervalTask);
    clock.advance(10);
    plat::postMessage(osmGetHiddenWindow(), plat::kMsgUser + 50, 0, 0);
    ASSERT_TRUE(plat::peekMessage(m, true));
    EXPECT_EQ(m.message, plat::kMsgUser + 50);
    EXPECT_EQ(log.runs, (std::vector<std::string>{"every 10"}));
    osmDeleteAllIntervalTasks();
}

TEST_F(OsManager, TaskDeletingItselfGoesAfterItsCallbackAndTheDispatchGoesOn) {
    TaskLog log;
    addTask(log, "last", kOsmEveryDispatch);
    osmIntervalTask* self = addTask(log, "self", kOsmEveryDispatch);
    addTask(log, "first", kOsmEveryDispatch);
    log.deleteInside = self;
    osmDispatchTasks(plat::clockMillis(), 0);
    EXPECT_EQ(log.runs, (std::vector<std::string>{"first", "self", "last"}));
    log.runs.clear();
    log.deleteInside = nullptr;
    osmDispatchTasks(plat::clockMillis(), 0);
    EXPECT_EQ(log.runs, (std::vector<std::string>{"first", "last"}));
    osmDeleteAllIntervalTasks();
}

TEST_F(OsManager, LastTaskStopsTheTimerAndANewOneStartsItAgain) {
    TaskLog log;
    osmIntervalTask* task = addTask(log, "only", 0);
    EXPECT_EQ(osmDeleteIntervalTask(task), kErrNone);
    clock.advance(20);
    plat::Message m;
    EXPECT_FALSE(plat::peekMessage(m, true));
    addTask(log, "again", 0);
    clock.advance(osmGetTimerPeriod());
    ASSERT_TRUE(plat::peekMessage(m, true));
    EXPECT_EQ(m.message, plat::kMsgTimer);
    EXPECT_EQ(log.runs, (std::vector<std::string>{"again"}));
    osmDeleteAllIntervalTasks();
}

TEST_F(OsManager, SchedulerTickSwitchesThreadsFromTheMessageLoop) {
    std::vector<std::string> runs;
    osmThread* worker = osmCreateThread([](void* r) { static_cast<std::vector<std::string>*>(r)->push_back("thread"); },
                                        &runs, 0, kOsmDefaultPriority);
    osmResumeThread(worker);
    clock.advance(kOsmTimeSlice);  // the main thread's slice is over
    plat::Message m;
    ASSERT_TRUE(plat::peekMessage(m, true));
    EXPECT_EQ(runs, (std::vector<std::string>{"thread"}));
}

TEST_F(OsManager, HighPriorityThreadIsScheduledAtEveryDispatch) {
    std::vector<std::string> runs;
    osmThread* urgent = osmCreateThread([](void* r) { static_cast<std::vector<std::string>*>(r)->push_back("urgent"); },
                                        &runs, 0, kOsmDefaultPriority);
    osmResumeThread(urgent);
    EXPECT_EQ(osmSetThreadPriority(urgent, kOsmHighPriority), kErrNone);
    plat::postMessage(osmGetHiddenWindow(), plat::kMsgUser + 50, 0, 0);
    plat::Message m;
    ASSERT_TRUE(plat::peekMessage(m, true));  // no timer message: a normal dispatch
    EXPECT_EQ(m.message, plat::kMsgUser + 50);
    EXPECT_EQ(runs, (std::vector<std::string>{"urgent"}));
}

// A notification posted by another system thread while the user-interface thread blocks in
// its message loop runs on the user-interface thread.
std::thread::id ranOn;
std::atomic<bool> ran{false};

TEST_F(OsManager, ForeignNotificationRunsOnTheUserInterfaceThread) {
    osmLock lock;
    osmLockInit(&lock, 1);
    osmNotification record;
    record.function = [](uintptr_t) {
        ranOn = std::this_thread::get_id();
        ran = true;
    };
    ran = false;
    std::thread poster([&] { osmPostNotification(&lock, &record); });
    plat::Message m;
    while (!ran.load() && plat::getMessage(m)) plat::dispatchMessage(m);
    poster.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    osmLockUnregister(&lock);
}

TEST_F(OsManager, TimerPeriodIsASetting) {
    EXPECT_EQ(osmGetTimerPeriod(), kOsmDefaultTimerPeriod);
    osmSetTimerPeriod(10);
    TaskLog log;
    addTask(log, "slow", 0);
    clock.advance(9);
    plat::Message m;
    EXPECT_FALSE(plat::peekMessage(m, true));
    clock.advance(1);
    EXPECT_TRUE(plat::peekMessage(m, true));
    osmDeleteAllIntervalTasks();
    osmSetTimerPeriod(kOsmDefaultTimerPeriod);
}

TEST(OsManagerHelpers, ToBcdConvertsEachByte) {
    EXPECT_EQ(osmToBCD(0x040A), 0x0410);
    EXPECT_EQ(osmToBCD(0x0500), 0x0500);
    EXPECT_EQ(osmToBCD(0x6363), 0x9999);
}

TEST(OsManagerHelpers, DebugPrintfFormatsIntoOneMessage) {
    testing::internal::CaptureStderr();
    osmDebugPrintf("%s %d", "tasks", 3);
    osmDebugPrintf("%s", "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "tasks 3");
}

}  // namespace

namespace {

// A program may end from any state: returning from main (which std::exit stands for here)
// with the manager still running runs every static destructor, the scheduler's among them.
TEST(OsManagerDeathTest, AProgramThatNeverShutsTheManagerDownStillExitsCleanly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            if (osmInit(nullptr) != kErrNone) std::_Exit(2);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
