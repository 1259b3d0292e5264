// Start-up to the splash's first frame (the whole application start: engine services, folders,
// content, main window, sprite layer, the splash entered and drawn) against merely opening a
// window and drawing one frame into it. Both end with their shut-down, which is timed too.
#include <benchmark/benchmark.h>

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
#include "engine/os/OsManager.h"
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

void BM_StartupToSplashFrame(benchmark::State& state) {
    Ostrel::ShellParts parts = Ostrel::ProgramShellParts();
    parts.roots = {Ostrel::engineTextOfHostFolder(TUMBLO_BENCH_PROGRAM_DIR),
                   Ostrel::engineTextOfHostFolder(scratchRoot() + "/data/tumblo4"),
                   Ostrel::engineTextOfHostFolder(scratchRoot() + "/config/tumblo4")};
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
