#include "engine/OsManager.h"

#include <cstdarg>
#include <cstdio>
#include <thread>

#include "engine/OsLock.h"
#include "engine/OsManagerTimer.h"
#include "engine/OsThreads.h"
#include "platform/system/SystemInfo.h"

namespace {

constexpr u16 kOldestSupportedVersion = 0x0400;
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
    bool timerRunning = false;
    u32 timerPeriod = kOsmDefaultTimerPeriod;
};

ManagerState manager;

// Another system thread posted notifications: the user-interface thread runs them when it
// next wakes, whether it idles in the scheduler or in its message loop.
void wakeHomeThread() { osmThreadsWakeIdle(); }

}  // namespace

bool osmStartSystemTimer() {
    manager.timerRunning = true;
    return true;
}

void osmStopSystemTimer() { manager.timerRunning = false; }

void osmGiveUpTimeSlice() { std::this_thread::yield(); }

EngineErr osmInit(void* instance) {
    // Settings made before the start survive it.
    const osmActivateProc activate = manager.activate;
    const u32 timerPeriod = manager.timerPeriod;
    manager = ManagerState{};
    manager.activate = activate;
    manager.timerPeriod = timerPeriod;
    manager.mmx = plat::cpuHasMmx();
    manager.version = kOsmReportedVersion;
    manager.ntFamily = true;
    if (manager.version < kOldestSupportedVersion) return osmSetSystemError(kOsmErrOldSystem);
    manager.instance = instance;

    if (EngineErr error = osmThreadsStartup()) return osmSetSystemError(error);
    osmLockSetHomeThread(wakeHomeThread);

    manager.initialised = true;
    osmSetAppActive(1);
    return kErrNone;
}

void osmShutdown() {
    if (!manager.initialised) return;
    osmEnterAllLocks();
    if (manager.appActive) osmSetAppActive(0);
    osmThreadsShutdown();
    osmDeleteAllIntervalTasks();
    osmLockSetHomeThread(nullptr);
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
