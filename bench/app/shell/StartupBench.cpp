// Start-up to the splash's first frame (the whole application start: engine services, folders,
// content, main window, sprite layer, the splash entered and drawn) against merely opening a
// window and drawing one frame into it. Both end with their shut-down, which is timed too.
// Then the login's answer to the easel drawn with its tool panel, and what the easel costs
// while nobody touches it: the share of one core the program's threads use over ten seconds
// of the real message loop.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>

#include "app/application/RApplication.h"
#include "app/shell/ScreenTable.h"
#include "document/users/EnginePath.h"
#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"
#include "engine/gfx/GfxDDrawWindowPort.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxInit.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/ini/IniProfiles.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/os/OsIntervalTasks.h"
#include "engine/os/OsManager.h"
#include "framework/app/mfxMain.h"
#include "framework/windows/mfxWindow.h"
#include "platform/clock/Clock.h"
#include "platform/display/DisplayDriver.h"
#include "platform/ui/MessageQueue.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/ui/Windows.h"

namespace {

std::string scratchRoot() {
    static const std::string root = [] {
        char pattern[] = "/tmp/tumblo-bench-XXXXXX";
        return std::string(::mkdtemp(pattern));
    }();
    return root;
}

Ostrel::ShellParts programParts() {
    Ostrel::ShellParts parts = Ostrel::ProgramShellParts();
    parts.roots = {Ostrel::engineTextOfHostFolder(TUMBLO_BENCH_PROGRAM_DIR),
                   Ostrel::engineTextOfHostFolder(scratchRoot() + "/data/tumblo4"),
                   Ostrel::engineTextOfHostFolder(scratchRoot() + "/config/tumblo4")};
    return parts;
}

// The framework loop's one task: the application's idle step and a tick on every window.
void idleTask(osmIntervalTask*, void*) {
    if (mfxApplication* application = mfxApplication::Get()) application->OnIdle();
    const u32 now = plat::clockMillis();
    for (mfxWindow* window : mfxWindow::Windows()) window->OnTick(now);
}

// The login dialog's answer for a child's name, as the dialog posts it.
void logIn(Ostrel::RApplication& application, const char* name) {
    Ostrel::RMessage answer(Ostrel::kMsgLoginClosed, reinterpret_cast<uintptr_t>(new std::string(name)),
                            Ostrel::kLoginChosen);
    application.HandleMessage(&answer, 0);
    sprUpdateScreen(1);
}

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

void BM_StartupToSplashFrame(benchmark::State& state) {
    const Ostrel::ShellParts parts = programParts();
    for (auto _ : state) {
        if (osmInit(nullptr) != kErrNone) {
            state.SkipWithError("the OS manager did not start");
            return;
        }
        Ostrel::RApplication application;
        application.SetShellParts(parts);
        const u16 result = application.Startup(0, {});
        application.ExitInstance();
        osmShutdown();
        if (result != 0) {
            state.SkipWithError("start-up failed");
            return;
        }
    }
}
BENCHMARK(BM_StartupToSplashFrame)->Unit(benchmark::kMillisecond);

// From the login's answer to the easel entered (canvas, pencil panel, menus) and drawn.
void BM_LoginToEasel(benchmark::State& state) {
    const Ostrel::ShellParts parts = programParts();
    for (auto _ : state) {
        state.PauseTiming();
        if (osmInit(nullptr) != kErrNone) {
            state.SkipWithError("the OS manager did not start");
            return;
        }
        auto application = std::make_unique<Ostrel::RApplication>();
        application->SetShellParts(parts);
        if (application->Startup(0, {}) != 0) {
            state.SkipWithError("start-up failed");
            return;
        }
        state.ResumeTiming();
        logIn(*application, "Bench");
        state.PauseTiming();
        const bool easel = application->GetCurrentModuleCode() == Ostrel::kScreenEasel;
        application->ExitInstance();
        application.reset();
        osmShutdown();
        state.ResumeTiming();
        if (!easel) {
            state.SkipWithError("the login did not bring the easel");
            return;
        }
    }
}
BENCHMARK(BM_LoginToEasel)->Unit(benchmark::kMillisecond);

// The easel left alone for ten seconds of the real loop: CPU time of the whole process over
// the wall time, as a percentage of one core.
void BM_EaselIdleCpu(benchmark::State& state) {
    const Ostrel::ShellParts parts = programParts();
    for (auto _ : state) {
        // In the framework's order: the instance initialisation, the OS manager, the loop's
        // task, the start-up.
        Ostrel::RApplication application;
        application.SetShellParts(parts);
        application.InitInstance(0, {}, "");
        if (osmInit(nullptr) != kErrNone) {
            state.SkipWithError("the OS manager did not start");
            return;
        }
        if (!osmCreateIntervalTask(idleTask, nullptr, kOsmEveryDispatch) || application.Startup(0, {}) != 0) {
            state.SkipWithError("start-up failed");
            return;
        }
        logIn(application, "Bench");
        const auto wallStart = std::chrono::steady_clock::now();
        const double cpuStart = processCpuSeconds();
        bool quit = false;
        int code = 0;
        while (!quit && std::chrono::steady_clock::now() - wallStart < std::chrono::seconds(10)) {
            plat::displayDriver().pumpEvents();
            if (!mfxPumpOneMessage(&quit, &code)) plat::waitForMessage();
        }
        const double cpu = processCpuSeconds() - cpuStart;
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        state.counters["idle_cpu_percent"] = 100.0 * cpu / wall;
        application.ExitInstance();
        osmShutdown();
    }
}
BENCHMARK(BM_EaselIdleCpu)->Iterations(1)->Unit(benchmark::kSecond);

void BM_WindowAndOneFrame(benchmark::State& state) {
    for (auto _ : state) {
        osmInit(nullptr);
        memInit(0, 512);
        osInit();
        iniInit();
        GfxDisplayMode anyMode(kGfxAnySize, kGfxAnySize, kGfxAnyColors, 0);
        gfxInit(&anyMode, 0);
        plat::WindowHandle window = plat::createWindow({"BenchWindow", "Tumblo", plat::defaultWindowProcedure});
        auto face = plat::displayDriver().openWindow(window, "Tumblo", 800, 600);
        GfxPort* windowPort = gfxNewDDrawWindowPort(window, 0, nullptr);
        GfxPort* picture = gfxNewOffscreenPort(800, 600, 16, nullptr);
        const Rect16 whole{0, 0, 800, 600};
        gfxLockPort(picture);
        GfxPort* previous = gfxSetPort(picture);
        gfxFillRect(whole, GfxColor::rgb(126, 200, 255), 0);
        gfxLockPort(windowPort);
        gfxCopyBits(windowPort, picture, whole, whole, 0);
        gfxUnlockPort(windowPort);
        gfxSetPort(previous);
        gfxUnlockPort(picture);
        gfxSetPort(nullptr);
        gfxDisposePort(picture);
        gfxDisposePort(windowPort);
        face.reset();
        plat::destroyWindow(window);
        gfxShutdown();
        iniShutdown();
        osShutdown();
        memShutdown();
        osmShutdown();
    }
}
BENCHMARK(BM_WindowAndOneFrame)->Unit(benchmark::kMillisecond);

}  // namespace
