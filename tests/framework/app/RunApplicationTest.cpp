#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/os/OsManager.h"
#include "framework/app/mfxApplication.h"
#include "framework/app/mfxMain.h"
#include "framework/messaging/CListener.h"
#include "framework/messaging/RSender.h"
#include "framework/messaging/mfDispatcher.h"
#include "framework/windows/mfxDisplayWindow.h"
#include "platform/clock/Clock.h"
#include "platform/display/DisplayDriver.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/files/Files.h"
#include "platform/system/NamedMutex.h"
#include "platform/ui/MessageQueue.h"

using Ostrel::RMessage;
using Log = std::vector<std::string>;

namespace {

constexpr uint32_t kMsgNudge = plat::kMsgUser + 40;
constexpr uint32_t kMsgFiltered = plat::kMsgUser + 41;

// Where the initialisation callback reports; the callback stays registered for the whole
// program, so it reports only while an application of these tests lives.
Log* callbackLog = nullptr;

void registerCallbackOnce() {
    static const bool registered = [] {
        mfxRegisterInitCallback([] {
            if (callbackLog) callbackLog->push_back("callback");
        });
        return true;
    }();
    (void)registered;
}

class TickingWindow : public mfxDisplayWindow {
public:
    TickingWindow() : mfxDisplayWindow("Test", Rect16{0, 0, 64, 48}) {}
    void OnTick(u32) override { ++ticks; }
    int ticks = 0;
};

// An application that records what the framework asks of it. Its start-up broadcasts at once
// and posts records; handlers post more; code 99 quits. Between idle steps it keeps the
// message loop turning while records wait, as the OS manager's timer does in the program.
class TestApplication : public mfxApplication, public CListener, public Ostrel::RSender {
public:
    TestApplication(Log& log) : RSender(fourCC("RApp")), log_(log) {
        AddListener(this);
        registerCallbackOnce();
        callbackLog = &log;
    }
    ~TestApplication() override { callbackLog = nullptr; }

    u32 InitInstance(u32, const std::vector<std::string>& options, const std::string& document) override {
        log_.push_back("init " + document + " " + std::to_string(options.size()));
        return initAnswer;
    }
    u16 Startup(u32, const std::vector<std::string>&) override {
        log_.push_back("startup");
        plat::NamedMutex other(kMfxInitMutexName);
        initMutexHeldDuringStart = !other.tryLock();
        window = std::make_unique<TickingWindow>();
        RMessage now(10, 0, 0);
        Broadcast(&now);
        PostMessage(1);
        PostMessageTo(this, 2);
        plat::postMessage(window->GetHandle(), kMsgNudge, 0, 0);
        if (startupActivations) {
            plat::postAppActivation(false);
            plat::postAppActivation(true);
        }
        return startupAnswer;
    }
    u32 OnActivate(u32 activating) override {
        log_.push_back("activate " + std::to_string(activating));
        return 0;
    }
    u16 OnIdle() override {
        if (mfxApplication::OnIdle() && dispatcher.DispatchQueuedMessages()) log_.push_back("idle");
        if (!mfMessageQueue::Global().IsEmpty()) plat::postMessage(window->GetHandle(), kMsgNudge, 0, 0);
        return 1;
    }
    u32 HandleMessage(RMessage* message, uintptr_t) override {
        log_.push_back("msg " + std::to_string(message->code));
        if (message->code == 2) PostMessage(3);
        if (message->code == 3) PostMessage(99);
        if (message->code == 99) Quit();
        return 0;
    }
    bool MayQuit() override {
        log_.push_back("may quit");
        return true;
    }
    void ExitInstance() override {
        log_.push_back("exit");
        ticks = window ? window->ticks : 0;
        window.reset();
    }

    bool startupActivations = false;
    u32 initAnswer = 1;
    u16 startupAnswer = 0;
    bool initMutexHeldDuringStart = false;
    int ticks = 0;
    mfDispatcher dispatcher;
    std::unique_ptr<TickingWindow> window;

private:
    Log& log_;
};

// Ends a message loop that would otherwise wait for ever, so that a fault fails the test
// (with the quit code kWatchdogCode) instead of hanging it. The wait is a timed condition
// wait that the test's end cuts short.
constexpr int kWatchdogCode = 77;

class LoopWatchdog {
public:
    explicit LoopWatchdog(std::chrono::seconds limit)
        : loopThread_(std::this_thread::get_id()), worker_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!ended_.wait_for(lock, limit, [this] { return done_; }))
                  plat::postThreadMessage(loopThread_, plat::kMsgQuit, kWatchdogCode, 0);
          }) {}
    ~LoopWatchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        ended_.notify_all();
        worker_.join();
    }

private:
    std::thread::id loopThread_;
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    std::thread worker_;
};

struct RunApplication : ::testing::Test {
    LoopWatchdog watchdog{std::chrono::seconds(30)};
    plat::ScopedFakeClock clock{1000};
    plat::HeadlessDisplay display;
    std::filesystem::path locks;
    Log log;

    void SetUp() override {
        plat::setDisplayDriver(&display);
        locks = std::filesystem::temp_directory_path() / ("fw-locks-" + std::to_string(::getpid()));
        std::filesystem::create_directories(locks);
        plat::setNamedMutexRoot(locks.string());
    }
    void TearDown() override {
        plat::setNamedMutexRoot("");
        std::filesystem::remove_all(locks);
        plat::setDisplayDriver(nullptr);
    }
};

}  // namespace

TEST_F(RunApplication, StartPostBroadcastDispatchAndQuitInOrder) {
    TestApplication application(log);
    mfxCommandLine line;
    line.document = "cat.tbx";
    line.options = {"/a"};
    EXPECT_EQ(mfxRunApplication(line, 0), 0);
    EXPECT_EQ(log, (Log{"init cat.tbx 1", "callback", "startup", "msg 10", "msg 1", "msg 2", "idle", "msg 3", "idle", "msg 99",
                        "may quit", "idle", "exit"}));
    EXPECT_TRUE(application.initMutexHeldDuringStart);
    EXPECT_GE(application.ticks, 3);
    // The exit handler stopped the OS manager and let go of the init mutex.
    EXPECT_EQ(osmGetHiddenWindow(), plat::kNoWindow);
    plat::NamedMutex init(kMfxInitMutexName);
    EXPECT_TRUE(init.tryLock());
}

TEST_F(RunApplication, FailedStartEndsWithItsCodeAfterTheExitHandler) {
    TestApplication application(log);
    application.startupAnswer = 7;
    EXPECT_EQ(mfxRunApplication(mfxCommandLine{}, 0), 7);
    EXPECT_EQ(log, (Log{"init  0", "callback", "startup", "msg 10", "exit"}));
    EXPECT_EQ(osmGetHiddenWindow(), plat::kNoWindow);
}

TEST_F(RunApplication, RefusedInstanceInitialisationStartsNothing) {
    TestApplication application(log);
    application.initAnswer = 0;
    EXPECT_EQ(mfxRunApplication(mfxCommandLine{}, 0), 1);
    EXPECT_EQ(log, (Log{"init  0"}));
}

TEST_F(RunApplication, QuitWaitsForPermissionAndAsksAgainAfterARefusal) {
    struct Refusing : mfxApplication {
        bool answer = false;
        int asked = 0;
        bool MayQuit() override {
            ++asked;
            return answer;
        }
    } application;
    auto quitPosted = [] {
        plat::Message m;
        bool found = false;
        while (plat::peekMessage(m, true)) found = found || m.message == plat::kMsgQuit;
        return found;
    };
    application.Quit();
    EXPECT_FALSE(quitPosted());
    EXPECT_EQ(application.asked, 1);
    application.answer = true;
    application.Quit();
    EXPECT_TRUE(quitPosted());
    application.answer = false;
    application.Quit();
    EXPECT_TRUE(quitPosted());
    EXPECT_EQ(application.asked, 2);
    EXPECT_TRUE(application.IsQuitting());
}

TEST_F(RunApplication, RepeatedQuitsLeaveOneQuitMessage) {
    mfxApplication application;
    application.Quit();
    application.Quit();
    int quits = 0;
    plat::Message m;
    while (plat::peekMessage(m, true)) quits += m.message == plat::kMsgQuit;
    EXPECT_EQ(quits, 1);
}

TEST_F(RunApplication, ApplicationRegistersItselfWhileItLives) {
    EXPECT_EQ(mfxApplication::Get(), nullptr);
    {
        TestApplication application(log);
        EXPECT_EQ(mfxApplication::Get(), &application);
    }
    EXPECT_EQ(mfxApplication::Get(), nullptr);
}

TEST_F(RunApplication, ActivationChangesReachTheApplication) {
    TestApplication application(log);
    application.startupActivations = true;
    EXPECT_EQ(mfxRunApplication(mfxCommandLine{}, 0), 0);
    const Log activations = [&] {
        Log only;
        for (const std::string& line : log)
            if (line.rfind("activate", 0) == 0) only.push_back(line);
        return only;
    }();
    EXPECT_EQ(activations, (Log{"activate 0", "activate 1"}));
}

TEST_F(RunApplication, ApplicationFilterSeesMessagesBeforeTheWindows) {
    struct Filtering : mfxApplication {
        bool PreTranslateMessage(const plat::Message& message) override { return message.message == kMsgFiltered; }
    } application;
    struct Window : mfxDisplayWindow {
        Window() : mfxDisplayWindow("W", Rect16{0, 0, 8, 8}) {}
        intptr_t WindowProc(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
            if (message >= kMsgNudge) heard.push_back(message);
            return mfxDisplayWindow::WindowProc(message, wParam, lParam);
        }
        std::vector<uint32_t> heard;
    } window;
    plat::postMessage(window.GetHandle(), kMsgFiltered, 0, 0);
    plat::postMessage(window.GetHandle(), kMsgNudge, 0, 0);
    plat::postQuitMessage(3);
    bool quit = false;
    int code = 0;
    while (!quit && mfxPumpOneMessage(&quit, &code)) {
    }
    EXPECT_TRUE(quit);
    EXPECT_EQ(code, 3);
    EXPECT_EQ(window.heard, (std::vector<uint32_t>{kMsgNudge}));
}

// Started beside its configuration file the executable runs the application; started
// elsewhere it updates the installation its argument names.
TEST_F(RunApplication, ConfigurationFileBesideTheExecutableDecidesBetweenProgramAndUpdater) {
    namespace fs = std::filesystem;
    const fs::path build = locks / "build";
    const fs::path install = locks / "install";
    fs::create_directories(build);
    fs::create_directories(install);
    std::ofstream(build / "tumblo") << "new";
    std::ofstream(install / "tumblo") << "old";
    std::ofstream(install / "TB.cfg") << "";
    auto text = [](const fs::path& p) { return plat::textOfHostPath(p.string()); };

    TestApplication application(log);
    EXPECT_EQ(mfxStart(text(build / "tumblo"), {text(install)}), 0);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(fs::exists(install / "tumblo.old"));
    EXPECT_EQ(mfxStart(text(build / "tumblo"), {}), 2);

    EXPECT_EQ(mfxStart(text(install / "tumblo"), {"/x", "doc.tbx"}), 0);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "init doc.tbx 1");
    EXPECT_EQ(log.back(), "exit");
}
