#include "engine/os/OsManager.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <thread>

#include "engine/os/OsLock.h"
#include "engine/os/OsManagerTimer.h"
#include "engine/os/OsThreads.h"
#include "platform/clock/Clock.h"
#include "platform/system/SystemInfo.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace {

constexpr size_t kDebugMessageSize = 1024;

struct ManagerState {
    EngineErr systemError = kErrNone;
    bool initialised = false;
    bool appActive = false;
    osmActivateProc activate = nullptr;
    void* instance = nullptr;
    u16 version = 0;
    bool ntFamily = false;
    bool mmx = false;
    void* mmxModule = nullptr;
    u16 driverVersion = 0;
    u32 timerPeriod = kOsmDefaultTimerPeriod;
    bool timerRunning = false;
    // Read by other system threads when they wake this one.
    std::atomic<plat::WindowHandle> hiddenWindow{plat::kNoWindow};
    int hook = 0;
    plat::WindowHandle mainWindow = plat::kNoWindow;
};

ManagerState manager;

// Another system thread posted notifications: the user-interface thread runs them when it
// next wakes, whether it idles in the scheduler or in its message loop.
void wakeHomeThread() {
    osmThreadsWakeIdle();
    plat::postMessage(manager.hiddenWindow.load(), kOsmMsgRunNotifications, 0, 0);
}

intptr_t hiddenWindowProcedure(plat::WindowHandle window, u32 message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
    case plat::kMsgDestroy:
        return 0;
    case plat::kMsgActivateApp:
        osmSetAppActive(wParam != 0);
        break;
    case kOsmMsgVersionQuery:
        return kOsmEngineVersion;
    case kOsmMsgMainWindowQuery:
        return intptr_t(osmGetMainWindow());
    case kOsmMsgRunNotifications:
        osmLockRunForeignPosts();
        return 0;
    }
    return plat::defaultWindowProcedure(window, message, wParam, lParam);
}

// Every message the user-interface thread takes: the system timer forces a dispatch of all
// tasks, anything else runs the tasks that are due.
void messageHook(plat::Message& message) {
    const u32 now = plat::clockMillis();
    if (message.message == plat::kMsgTimer && message.wParam == kOsmTimerId &&
        message.window == manager.hiddenWindow.load()) {
        osmDispatchTasks(now, 1);
    } else if (osmNextTaskDue() != 0) {
        osmDispatchTasks(now, 0);
    }
}

void removeSystemObjects() {
    if (manager.hook) plat::removeGetMessageHook(manager.hook);
    manager.hook = 0;
    const plat::WindowHandle hidden = manager.hiddenWindow.exchange(plat::kNoWindow);
    if (hidden) plat::destroyWindow(hidden);
}

}  // namespace

bool osmStartSystemTimer() {
    const plat::WindowHandle hidden = manager.hiddenWindow.load();
    manager.timerRunning = hidden && plat::setTimer(hidden, kOsmTimerId, manager.timerPeriod);
    return manager.timerRunning;
}

void osmStopSystemTimer() {
    manager.timerRunning = false;
    if (const plat::WindowHandle hidden = manager.hiddenWindow.load()) plat::killTimer(hidden, kOsmTimerId);
}

void osmGiveUpTimeSlice() { std::this_thread::yield(); }

EngineErr osmInit(void* instance) {
    // The activate callback and the timer period may be set before the start and survive it.
    manager.systemError = kErrNone;
    manager.initialised = manager.appActive = false;
    manager.mmxModule = nullptr;
    manager.driverVersion = 0;
    manager.mainWindow = plat::kNoWindow;
    manager.mmx = plat::cpuHasMmx();
    manager.version = kOsmReportedVersion;
    manager.ntFamily = true;
    manager.instance = instance;

    manager.hiddenWindow = plat::createWindow({kOsmWindowTitle, kOsmWindowTitle, hiddenWindowProcedure});
    if (!manager.hiddenWindow.load()) return osmSetSystemError(kOsmErrSystemObjects);
    manager.hook = plat::addGetMessageHook(messageHook);
    if (EngineErr error = osmThreadsStartup()) {
        removeSystemObjects();
        return osmSetSystemError(error);
    }
    osmLockSetHomeThread(wakeHomeThread);
    // The Windows 95 driver is opened only outside the NT family, and the MMX module is not
    // provided: both stay absent.

    manager.initialised = true;
    osmSetAppActive(1);
    return kErrNone;
}

void osmShutdown() {
    if (!manager.initialised) return;
    osmEnterAllLocks();
    osmLockSetHomeThread(nullptr);
    if (manager.appActive) osmSetAppActive(0);
    osmThreadsShutdown();
    osmDeleteAllIntervalTasks();
    removeSystemObjects();
    manager.initialised = false;
}

void* osmGetInstance() { return manager.instance; }

EngineErr osmGetSystemError() { return manager.systemError; }

EngineErr osmSetSystemError(EngineErr error) {
    manager.systemError = error;
    return error;
}

u16 osmGetSystemVersion() { return manager.version; }
bool osmIsNTFamily() { return manager.ntFamily; }
bool osmHasMMX() { return manager.mmx; }
void* osmGetMMXModule() { return manager.mmxModule; }
u16 osmGetDriverVersion() { return manager.driverVersion; }

// Without the driver there are no pages to keep resident through it.
EngineErr osmVxdLockPages(const void*, u32) { return kErrNone; }
EngineErr osmVxdUnlockPages(const void*, u32) { return kErrNone; }

plat::WindowHandle osmGetHiddenWindow() { return manager.hiddenWindow.load(); }

void osmSetMainWindow(plat::WindowHandle window) { manager.mainWindow = window; }

plat::WindowHandle osmGetMainWindow() {
    if (!manager.mainWindow || !plat::isWindow(manager.mainWindow)) {
        osmSetSystemError(kOsmErrNoMainWindow);
        return plat::kNoWindow;
    }
    osmSetSystemError(kErrNone);
    return manager.mainWindow;
}

u16 osmGetThreadEngineVersion(std::thread::id thread) {
    for (plat::WindowHandle window : plat::threadWindows(thread)) {
        if (plat::windowTitle(window) == kOsmWindowTitle) return u16(plat::sendMessage(window, kOsmMsgVersionQuery, 0, 0));
    }
    return 0;
}

bool osmIsAppActive() { return manager.appActive; }

void osmSetAppActive(u16 active) {
    const bool flag = active != 0;
    if (flag == manager.appActive) return;
    manager.appActive = flag;
    if (manager.activate) manager.activate(flag ? 1 : 0);
}

osmActivateProc osmSetActivateCallback(osmActivateProc callback) {
    osmActivateProc previous = manager.activate;
    manager.activate = callback;
    return previous;
}

void osmSetTimerPeriod(u32 ms) { manager.timerPeriod = ms ? ms : kOsmDefaultTimerPeriod; }
u32 osmGetTimerPeriod() { return manager.timerPeriod; }

void osmPaceTimer(u32 ms) {
    osmSetTimerPeriod(ms);
    if (manager.timerRunning) osmStartSystemTimer();
}

u16 osmToBCD(u16 value) {
    const u16 high = value >> 8;
    const u16 low = value & 0xFF;
    return u16(((high / 10) << 12) | ((high % 10) << 8) | ((low / 10) << 4) | (low % 10));
}

void osmDebugPrintf(const char* format, ...) {
    char message[kDebugMessageSize];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    if (message[0]) plat::debugOutput(message);
}
