// Start-up to the splash's first frame (the whole application start: engine services, folders,
// content, main window, sprite layer, the splash entered and drawn) against merely opening a
// window and drawing one frame into it; the shut-down that follows each is reported beside it
// (counter shutdown_ms), not timed. Then the login's answer to the easel drawn with its tool
// panel, and what the easel costs while nobody touches it: the share of one core the program's
// threads use over thirty seconds of the real message loop, beside an empty window's. Each
// runs twice in one run: on the headless display and through SDL on a private X server (Xvfb);
// the X runs are skipped with a message when no X server can be started.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>

#include "app/application/RApplication.h"
#include "app/menus/RShellWindow.h"
#include "shell/ScreenTable.h"
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
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/display/sdl/SdlDisplay.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"
#include "tests/demo/screenshot/SdlDisplayOnXvfb.h"
#include "tests/xserver/XScreenshot.h"

namespace {

enum class Screen { Headless, Xvfb };

// SDL on a private X server, started at the first X run and kept for the rest of the run; the
// driver goes before the server.
struct XDisplay {
    XDisplay() {
        if (!server.running()) return;
        sdl = sdlDisplayOn(server);
    }
    XvfbServer server;
    std::unique_ptr<plat::DisplayDriver> sdl;
};

XDisplay& xDisplay() {
    static XDisplay x;
    return x;
}

// Makes `screen` the display the benchmark draws on; false (the benchmark skipped) when the X
// server or SDL on it cannot be had.
bool useScreen(Screen screen, benchmark::State& state) {
    static plat::HeadlessDisplay headless;
    if (screen == Screen::Headless) {
        plat::setDisplayDriver(&headless);
        return true;
    }
    XDisplay& x = xDisplay();
    if (!x.sdl) {
        state.SkipWithError(("no X display: " + (x.server.running() ? std::string("SDL could not open it")
                                                                     : x.server.failure())).c_str());
        return false;
    }
    plat::setDisplayDriver(x.sdl.get());
    return true;
}

double millisSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// What the screen shows of a window: on the headless display, how many frames it has
// presented; on X, the window's client area as the server shows it.
struct Shown {
    int presents = 0;
    std::vector<uint32_t> picture;
};

Shown shownOf(Screen screen, const plat::DisplayWindow* face) {
    Shown shown;
    if (!face) return shown;
    if (screen == Screen::Headless) {
        const auto* headless = dynamic_cast<const plat::HeadlessWindow*>(face);
        if (headless) shown.presents = headless->presentCount();
        return shown;
    }
    const plat::gdi::Point origin = face->clientOrigin();
    shown.picture = takeXScreenshot(xDisplay().server.display(), origin.x, origin.y, face->surface().width(),
                                    face->surface().height());
    return shown;
}

// Whether a new frame is on the screen since `before`: on the headless display, one more was
// presented; on X, the server shows another picture than before, and a picture (more than
// one colour) at that. Without the comparison, the frame already up (the splash) would pass
// for the one awaited.
bool newFrameOnScreen(Screen screen, const plat::DisplayWindow* face, const Shown& before) {
    if (!face) return false;
    const Shown now = shownOf(screen, face);
    if (screen == Screen::Headless) return now.presents > before.presents;
    if (now.picture.empty() || now.picture == before.picture) return false;
    for (uint32_t pixel : now.picture)
        if ((pixel & 0xFFFFFF) != (now.picture.front() & 0xFFFFFF)) return true;
    return false;
}

const plat::DisplayWindow* faceOf(const Ostrel::RApplication& application) {
    return application.GetMainWindow() ? application.GetMainWindow()->GetFace() : nullptr;
}

// Runs the loop as the program does until a frame newer than `before` is on the screen;
// false when none ever is.
bool frameShown(Screen screen, const Ostrel::RApplication& application, const Shown& before = {}) {
    const plat::DisplayWindow* face = faceOf(application);
    for (int turn = 0; turn < 1000; ++turn) {
        bool quit = false;
        int code = 0;
        plat::displayDriver().pumpEvents();
        while (mfxPumpOneMessage(&quit, &code) && !quit) {
        }
        if (newFrameOnScreen(screen, face, before)) return true;
        plat::waitForMessage();
    }
    return false;
}

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

// The login dialog's answer for a child's name, as the dialog posts it: the name travels as
// the record's payload.
void logIn(Ostrel::RApplication& application, const char* name) {
    Ostrel::RMessage answer(Ostrel::kMsgLoginClosed, 0, Ostrel::kLoginChosen);
    answer.Carry(std::string(name));
    application.HandleMessage(&answer, 0);
    sprUpdateScreen(1);
}

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The mean start-up to the splash's first frame on each screen, for the ratio the empty
// window's benchmark reports beside its own time.
double gStartupMs[2] = {0, 0};

void BM_StartupToSplashFrame(benchmark::State& state, Screen screen) {
    if (!useScreen(screen, state)) return;
    const Ostrel::ShellParts parts = programParts();
    double shutdown = 0, startup = 0;
    for (auto _ : state) {
        // In the framework's order: the instance initialisation, the OS manager, the loop's
        // task, the start-up, then the loop until the splash is on the screen.
        const auto start = std::chrono::steady_clock::now();
        Ostrel::RApplication application;
        application.SetShellParts(parts);
        application.InitInstance(0, {}, "");
        if (osmInit(nullptr) != kErrNone || !osmCreateIntervalTask(idleTask, nullptr, kOsmEveryDispatch)) {
            state.SkipWithError("the OS manager did not start");
            return;
        }
        const u16 result = application.Startup(0, {});
        const bool shown = result == 0 && frameShown(screen, application);
        const double took = millisSince(start);
        startup += took;
        state.SetIterationTime(took / 1000.0);
        const auto down = std::chrono::steady_clock::now();
        application.ExitInstance();
        osmShutdown();
        shutdown += millisSince(down);
        if (result != 0 || !shown) {
            state.SkipWithError(result != 0 ? "start-up failed" : "the splash was never presented");
            return;
        }
    }
    state.counters["shutdown_ms"] = benchmark::Counter(shutdown, benchmark::Counter::kAvgIterations);
    gStartupMs[int(screen)] = startup / double(state.iterations());
    plat::setDisplayDriver(nullptr);
}
BENCHMARK_CAPTURE(BM_StartupToSplashFrame, headless, Screen::Headless)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartupToSplashFrame, xvfb, Screen::Xvfb)->UseManualTime()->Unit(benchmark::kMillisecond);

// From the login's answer to the easel entered (canvas, pencil panel, menus) and drawn.
void BM_LoginToEasel(benchmark::State& state, Screen screen) {
    if (!useScreen(screen, state)) return;
    const Ostrel::ShellParts parts = programParts();
    for (auto _ : state) {
        auto application = std::make_unique<Ostrel::RApplication>();
        application->SetShellParts(parts);
        application->InitInstance(0, {}, "");
        if (osmInit(nullptr) != kErrNone || !osmCreateIntervalTask(idleTask, nullptr, kOsmEveryDispatch)) {
            state.SkipWithError("the OS manager did not start");
            return;
        }
        if (application->Startup(0, {}) != 0 || !frameShown(screen, *application)) {
            state.SkipWithError("start-up failed");
            return;
        }
        // The splash as it stands, for the easel's frame to be told from it.
        const Shown splash = shownOf(screen, faceOf(*application));
        const auto start = std::chrono::steady_clock::now();
        logIn(*application, "Bench");
        const bool shown = frameShown(screen, *application, splash);
        state.SetIterationTime(millisSince(start) / 1000.0);
        const bool easel = application->GetCurrentModuleCode() == Ostrel::kScreenEasel;
        application->ExitInstance();
        application.reset();
        osmShutdown();
        if (!easel || !shown) {
            state.SkipWithError("the login did not bring the easel to the screen");
            return;
        }
    }
    plat::setDisplayDriver(nullptr);
}
BENCHMARK_CAPTURE(BM_LoginToEasel, headless, Screen::Headless)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoginToEasel, xvfb, Screen::Xvfb)->UseManualTime()->Unit(benchmark::kMillisecond);

// How long each idle measurement runs: long enough that the program's slow timers (the
// caret's blink, the swatch's turn) each come round many times.
constexpr auto kIdlePeriod = std::chrono::seconds(30);

// Share of one core the process used over the wall time of running `loop` until kIdlePeriod
// has passed, as a percentage.
template <typename Loop>
double idleCpuPercent(Loop loop) {
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = processCpuSeconds();
    while (std::chrono::steady_clock::now() - wallStart < kIdlePeriod) {
        if (!loop()) break;
    }
    const double cpu = processCpuSeconds() - cpuStart;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    return 100.0 * cpu / wall;
}

// The least a window of ours costs while nobody touches it: an 800 x 600 window and the
// program's own kind of loop, which sleeps until input or a message comes, woken once a
// second by a timer of its own so that the measurement can end.
double emptyWindowIdleCpu() {
    constexpr uintptr_t kWakeTimer = 1;
    plat::WindowHandle window = plat::createWindow({"BenchIdleWindow", "Tumblo", plat::defaultWindowProcedure});
    auto face = plat::displayDriver().openWindow(window, "Tumblo", 800, 600);
    plat::setTimer(window, kWakeTimer, 1000);
    const double percent = idleCpuPercent([] {
        plat::displayDriver().pumpEvents();
        plat::Message message;
        while (plat::peekMessage(message, true)) plat::dispatchMessage(message);
        plat::waitForMessage();
        return true;
    });
    plat::killTimer(window, kWakeTimer);
    face.reset();
    plat::destroyWindow(window);
    return percent;
}

// The easel left alone for kIdlePeriod of the real loop beside an empty window left alone as
// long: the CPU time of the whole process over the wall time, as a percentage of one core,
// and the easel's share as a multiple of the empty window's (the smaller the better; the
// target is the easel under 0.5 % of a core in a real window).
void BM_EaselIdleCpu(benchmark::State& state, Screen screen) {
    if (!useScreen(screen, state)) return;
    const Ostrel::ShellParts parts = programParts();
    for (auto _ : state) {
        const double empty = emptyWindowIdleCpu();
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
        if (application.GetCurrentModuleCode() != Ostrel::kScreenEasel) {
            application.ExitInstance();
            osmShutdown();
            state.SkipWithError("the login did not bring the easel");
            return;
        }
        const double easel = idleCpuPercent([] {
            bool quit = false;
            int code = 0;
            plat::displayDriver().pumpEvents();
            if (!mfxPumpOneMessage(&quit, &code)) plat::waitForMessage();
            return !quit;
        });
        state.counters["idle_cpu_percent"] = easel;
        state.counters["empty_window_cpu_percent"] = empty;
        // A window that costs nothing measurable counts as a hundredth of a percent.
        state.counters["ratio_to_empty_window"] = easel / std::max(empty, 0.01);
        application.ExitInstance();
        osmShutdown();
    }
    plat::setDisplayDriver(nullptr);
}
BENCHMARK_CAPTURE(BM_EaselIdleCpu, headless, Screen::Headless)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_EaselIdleCpu, xvfb, Screen::Xvfb)->Iterations(1)->Unit(benchmark::kSecond);

// An empty window's first frame; beside it, the program's start-up to its splash's first
// frame as a multiple of it (ratio_startup_to_empty_window, when that benchmark ran first).
void BM_WindowAndOneFrame(benchmark::State& state, Screen screen) {
    if (!useScreen(screen, state)) return;
    double shutdown = 0, frame = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
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
        // A frame of two colours, so that the server is seen to show it (see newFrameOnScreen).
        gfxFillRect(Rect16{100, 100, 300, 200}, GfxColor::rgb(255, 214, 0), 0);
        gfxLockPort(windowPort);
        gfxCopyBits(windowPort, picture, whole, whole, 0);
        // Letting go of the window port presents the frame.
        gfxUnlockPort(windowPort);
        // The X server maps the new window and shows the frame in its own time.
        bool shown = newFrameOnScreen(screen, face.get(), Shown{});
        for (int turn = 0; turn < 2000 && !shown; ++turn) {
            plat::displayDriver().waitForInput(1);
            plat::displayDriver().pumpEvents();
            shown = newFrameOnScreen(screen, face.get(), Shown{});
        }
        const double took = millisSince(start);
        frame += took;
        state.SetIterationTime(took / 1000.0);
        const auto down = std::chrono::steady_clock::now();
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
        shutdown += millisSince(down);
        if (!shown) {
            state.SkipWithError("the frame was never on the screen");
            return;
        }
    }
    state.counters["shutdown_ms"] = benchmark::Counter(shutdown, benchmark::Counter::kAvgIterations);
    if (gStartupMs[int(screen)] > 0)
        state.counters["ratio_startup_to_empty_window"] = gStartupMs[int(screen)] / (frame / double(state.iterations()));
    plat::setDisplayDriver(nullptr);
}
BENCHMARK_CAPTURE(BM_WindowAndOneFrame, headless, Screen::Headless)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowAndOneFrame, xvfb, Screen::Xvfb)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
