#pragma once
// The OS manager: the engine's link to the system. It identifies the system and the
// processor, owns a hidden window and a message hook on the user-interface thread, runs the
// interval tasks from one system timer, tracks whether the application is active, and
// starts the engine's thread system. The framework starts it during its initialisation and
// stops it at exit; everything here runs on the user-interface thread.
//
// Two optional parts have no counterpart on this system: the timer driver for old consumer
// systems (this system reports the NT family, where it is never opened) and the separately
// loaded MMX mixing module (the mixer's built-in kernels do all the work). Their callers see
// the "not present" answers: no driver handle, driver version 0, no MMX module.
#include <cstdint>

#include <thread>

#include "engine/base/EngineTypes.h"
#include "engine/os/OsIntervalTasks.h"
#include "platform/ui/Messages.h"

constexpr EngineErr kOsmErrNoMainWindow = 10001;
constexpr EngineErr kOsmErrSystemObjects = 10002;
// Below 4.0; this system always reports a newer one.
constexpr EngineErr kOsmErrOldSystem = 10052;

// The system version this program reports, as the BCD word major.minor: the NT family.
constexpr u16 kOsmReportedVersion = 0x0500;
constexpr u16 kOsmEngineVersion = 1792;
constexpr u32 kOsmDefaultTimerPeriod = 1;
constexpr char kOsmWindowTitle[] = "KESTROW OS Manager";
constexpr uintptr_t kOsmTimerId = 0x5449;
// Messages the hidden window answers.
constexpr u32 kOsmMsgVersionQuery = plat::kMsgUser;
constexpr u32 kOsmMsgMainWindowQuery = plat::kMsgUser + 1;
constexpr u32 kOsmMsgRunNotifications = plat::kMsgUser + 2;

using osmActivateProc = void (*)(u16 active);

EngineErr osmInit(void* instance);
void osmShutdown();
void* osmGetInstance();

EngineErr osmGetSystemError();
EngineErr osmSetSystemError(EngineErr error);

u16 osmGetSystemVersion();
bool osmIsNTFamily();
bool osmHasMMX();
// The loaded MMX module, null when none is.
void* osmGetMMXModule();
// The timer driver's version word, 0 when the driver is not open.
u16 osmGetDriverVersion();
EngineErr osmVxdLockPages(const void* address, u32 size);
EngineErr osmVxdUnlockPages(const void* address, u32 size);

plat::WindowHandle osmGetHiddenWindow();
void osmSetMainWindow(plat::WindowHandle window);
// kOsmErrNoMainWindow and no window when none is registered or it is gone.
plat::WindowHandle osmGetMainWindow();
// The engine version answered by that system thread's OS manager window, 0 without one.
u16 osmGetThreadEngineVersion(std::thread::id thread);

bool osmIsAppActive();
void osmSetAppActive(u16 active);
osmActivateProc osmSetActivateCallback(osmActivateProc callback);

// The interval-task timer's period in ms; takes effect when the timer next starts.
void osmSetTimerPeriod(u32 ms);
// The same, at once: a running timer goes on with the new period from now.
void osmPaceTimer(u32 ms);
u32 osmGetTimerPeriod();

u16 osmToBCD(u16 value);
void osmDebugPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
