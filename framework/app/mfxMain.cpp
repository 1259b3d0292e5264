#include "framework/app/mfxMain.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "engine/os/OsIntervalTasks.h"
#include "engine/os/OsManager.h"
#include "engine/util/SingleInstance.h"
#include "framework/app/mfxApplication.h"
#include "framework/app/mfxConfigFile.h"
#include "framework/app/mfxSelfUpdate.h"
#include "framework/app/mfxSignalEnding.h"
#include "framework/messaging/mfMessageQueue.h"
#include "framework/windows/mfxWindow.h"
#include "platform/clock/Clock.h"
#include "platform/display/DisplayDriver.h"
#include "platform/display/QuitSignals.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/files/Files.h"
#include "platform/system/NamedMutex.h"
#include "platform/ui/MessageQueue.h"

namespace {

constexpr int kFailedStart = 1;

std::vector<mfxInitCallback>& initCallbacks() {
    static std::vector<mfxInitCallback> callbacks;
    return callbacks;
}

bool windowIsLive(const mfxWindow* window) {
    for (const mfxWindow* live : mfxWindow::Windows()) {
        if (live == window) return true;
    }
    return false;
}

// The framework's one interval task: the application's idle step, then a tick on every
// framework window (a window that an earlier tick closed is skipped).
void idleTask(osmIntervalTask*, void*) {
    if (mfxApplication* application = mfxApplication::Get()) application->OnIdle();
    const u32 now = plat::clockMillis();
    const std::vector<mfxWindow*> windows = mfxWindow::Windows();
    for (mfxWindow* window : windows) {
        if (windowIsLive(window)) window->OnTick(now);
    }
}

void activationChanged(u16 active) {
    if (mfxApplication* application = mfxApplication::Get()) application->OnActivate(active);
}

// Held for the rest of the start. A start that cannot have it in time (another start is under
// way, or stuck, or another user holds it) goes on as one that found the program running, and
// the application's start-up tells so; one whose lock folders are both refused has the
// start-up name the folder.
std::unique_ptr<plat::NamedMutex> takeInitMutex() {
    auto mutex = std::make_unique<plat::NamedMutex>(kMfxInitMutexName);
    if (!mutex->valid()) {
        const std::string refused = mutex->refused();
        const plat::LockRefusal why = mutex->refusal();
        mutex = std::make_unique<plat::NamedMutex>(kMfxInitMutexFallbackName);
        if (!mutex->valid()) {
            if (refused.empty()) {
                SingleInstanceNoteRefusedLock(mutex->refused(), mutex->refusal());
            } else {
                SingleInstanceNoteRefusedLock(refused, why);
            }
        }
    }
    if (!mutex->lockWithin(kMfxInitMutexWait) && mutex->valid()) SingleInstanceNoteConflict();
    return mutex;
}

std::string withoutQuotes(std::string text) {
    if (!text.empty() && text.front() == '"') {
        text.erase(0, 1);
        if (!text.empty() && text.back() == '"') text.pop_back();
    }
    return text;
}

// An option is a slash and one word ("/safe"); whatever else begins with a slash is a path
// from the root ("/home/mia/pic.tbx", "/pic.tbx").
bool isOption(const std::string& argument) {
    if (argument.size() < 2 || argument.front() != '/') return false;
    return std::all_of(argument.begin() + 1, argument.end(), [](char c) { return std::isalnum(u8(c)) != 0; });
}

}  // namespace

void mfxRegisterInitCallback(mfxInitCallback callback) { initCallbacks().push_back(std::move(callback)); }

mfxCommandLine mfxParseCommandLine(const std::vector<std::string>& arguments) {
    mfxCommandLine line;
    std::string tail;
    for (const std::string& argument : arguments) {
        if (isOption(argument)) {
            line.options.push_back(argument);
        } else if (!argument.empty()) {
            // The document is the rest of the line: a path with spaces may arrive in pieces.
            tail += (tail.empty() ? "" : " ") + argument;
        }
    }
    line.document = withoutQuotes(tail);
    return line;
}

bool mfxPumpOneMessage(bool* quit, int* code) {
    plat::Message message;
    if (!plat::peekMessage(message, true)) return false;
    if (message.message == plat::kMsgQuit) {
        *quit = true;
        *code = int(message.wParam);
        return true;
    }
    if (mfxApplication* application = mfxApplication::Get(); application && application->PreTranslateMessage(message))
        return true;
    const std::vector<mfxWindow*>& windows = mfxWindow::Windows();
    if (!windows.empty() && windows.front()->PreTranslateMessage(message)) return true;
    plat::dispatchMessage(message);
    return true;
}

bool mfxRunMessagesUntil(const std::function<bool()>& done) {
    // Only the headless driver's input can run out for good.
    const bool headless = plat::displayDriver().name() == "headless";
    bool quit = false;
    int code = 0;
    // Headless, the objects' own messages without any input run out within this many steps,
    // or they never will.
    constexpr int kHeadlessIdleSteps = 1000;
    int idleSteps = 0;
    while (!done()) {
        plat::displayDriver().pumpEvents();
        // A close of a window (its close box, the desktop's quit, a caught signal) ends the
        // wait unanswered; the close stays for the loop outside.
        if (plat::Message next; plat::peekMessage(next, false) && next.message == plat::kMsgClose) return false;
        if (mfxPumpOneMessage(&quit, &code)) {
            idleSteps = 0;
            if (!quit) continue;
            plat::postQuitMessage(code);
            return false;
        }
        // The windows' queue is empty: the idle step delivers what the program's objects
        // posted to each other, and the windows tick.
        idleTask(nullptr, nullptr);
        plat::Message waiting;
        if (done() || plat::peekMessage(waiting, false)) continue;
        if (headless && (mfMessageQueue::Global().IsEmpty() || ++idleSteps > kHeadlessIdleSteps)) return false;
        if (!headless && mfMessageQueue::Global().IsEmpty()) plat::waitForMessage();
    }
    return true;
}

int mfxRunMessageLoop() {
    bool quit = false;
    int code = 0;
    while (!quit) {
        plat::displayDriver().pumpEvents();
        if (!mfxPumpOneMessage(&quit, &code)) plat::waitForMessage();
    }
    return code;
}

int mfxRunApplication(const mfxCommandLine& commandLine, u32 mode) {
    mfxApplication* application = mfxApplication::Get();
    if (!application || !application->InitInstance(mode, commandLine.options, commandLine.document)) return kFailedStart;

    // From here to the exit handler a termination signal keeps the child's work and ends the
    // program, from whatever loop runs, on every display, headless too.
    const plat::QuitSignalCatcher quitSignals;
    const mfxSignalEnding signalEnding(*application);
    std::unique_ptr<plat::NamedMutex> initMutex = takeInitMutex();

    for (const mfxInitCallback& callback : initCallbacks()) callback();
    if (osmInit(nullptr) != kErrNone) return kFailedStart;
    const osmActivateProc previousActivate = osmSetActivateCallback(activationChanged);
    osmIntervalTask* idle = osmCreateIntervalTask(idleTask, nullptr, kOsmEveryDispatch);

    int code = idle ? application->Startup(mode, commandLine.options) : kFailedStart;
    initMutex.reset();

    if (code == 0) code = mfxRunMessageLoop();

    // The exit handler.
    application->ExitInstance();
    if (idle) osmDeleteIntervalTask(idle);
    osmSetActivateCallback(previousActivate);
    osmShutdown();
    return code;
}

int mfxStart(const std::string& programFile, const std::vector<std::string>& arguments) {
    const mfxCommandLine commandLine = mfxParseCommandLine(arguments);
    const size_t cut = programFile.find_last_of('\\');
    const std::string folder = cut == std::string::npos ? std::string() : programFile.substr(0, cut);
    uint32_t attributes = 0;
    if (plat::fileGetAttributes(folder + "\\" + kMfxConfigFileName, &attributes) != plat::kSysOk) {
        // The updater: the document argument names the install folder.
        return mfxUpdateExitCode(mfxUpdateInstalledCopy(programFile, commandLine.document));
    }
    return mfxRunApplication(commandLine, 0);
}

int mfxMain(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    return mfxStart(plat::programFileText(), arguments);
}
