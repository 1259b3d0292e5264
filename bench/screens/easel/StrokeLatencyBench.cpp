// From a mouse move over the canvas to its pixels on the presented picture: the pencil paints
// the move, the canvas copies what changed to the screen port, and the screen update copies the
// canvas's rectangle to the window (the sprite layer's part, done here as one copy). Beside it,
// a plain full-screen copy of 800 x 600 pixels, the least a frame costs. Target: well inside one
// 60 Hz frame (16.7 ms) per event.
//
// Then the whole way as a child meets it, on a private X server (Xvfb): the built program
// logged in to its easel, a pointer move with the button down until the changed pixels are on
// the server's screen, beside a bare SDL window that fills the same small rectangle at each
// move and sends just that to the server. The ratio of the two medians is what counts; the
// run is skipped with a message when no X server can be started. TUMBLO_BENCH_OURS names
// another program folder of ours (an earlier build, to compare).
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxPalette.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/RCanvasOwner.h"
#include "tools/base/RToolMgr.h"
#include "tools/pencils/RCircle.h"
#include "bench/shell/PaintingOnX.h"
#include "tests/journeys/JourneyProgram.h"
#include "tests/xserver/XSession.h"
#include "tests/xserver/XvfbServer.h"

namespace {

using namespace Ostrel;

class NoOwner : public RCanvasOwner {
public:
    RPage* CurrentPage() const override { return nullptr; }
    std::unique_ptr<RPage> SetCurrentPage(std::unique_ptr<RPage> page) override { return page; }
    RDocument* CurrentDocument() const override { return nullptr; }
    const Paths* UserPaths() const override { return nullptr; }
    GlobalUserSettings* UserSettings() const override { return nullptr; }
    GfxColor PaintColor() const override { return color; }
    u16 DetachPanel() override { return 0; }
    void AttachPanel() override {}
    void PageStateChanged() override {}
    void GiveObjectFrame(RPageObject*) override {}
    u32 FileAlert(const char*, u32) override { return 0; }
    bool AskImportFile(u16, ImportChoice*, const ImportPreview*) override { return false; }
    bool IsCurrentScreen() const override { return true; }
    void ClickOutsideCanvas(Point16) override {}
    void SendToPanel(u32, uintptr_t) override {}
    bool CutMovePanelCurrent() const override { return false; }
    u16 FlashObjectLimit() const override { return 0; }
    GfxColor color = GfxColor::rgb(200, 0, 0);
};

constexpr Rect16 kCanvas{40, 30, 680, 510};

void BM_MouseMoveToPresentedPixels(benchmark::State& state) {
    memInit(0, 512);
    gfxInitPalettes();
    GfxPort* screen = gfxNewOffscreenPort(800, 600, 16, nullptr);
    GfxPort* window = gfxNewOffscreenPort(800, 600, 16, nullptr);
    gfxLockPort(screen);
    gfxLockPort(window);
    {
        NoOwner owner;
        RCanvas canvas(kCanvas);
        canvas.Init(&owner, nullptr, screen, nullptr);
        RCircle pencil;
        pencil.Activate(screen, -1, kCanvas);
        RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(&pencil), 0);
        canvas.ToolManager()->HandleMessage(&born, 0);
        canvas.HandleInput(kInputLeftButton, Point16{100, 100}, 0);
        i16 x = 100, y = 100;
        for (auto _ : state) {
            x = i16(x + 3 > 660 ? 60 : x + 3);
            y = i16(y + 2 > 490 ? 50 : y + 2);
            canvas.HandleMouseMove(Point16{x, y}, 1);
            gfxCopyBits(window, screen, kCanvas, kCanvas, 0);
        }
        canvas.HandleMouseUp(kInputLeftButton, Point16{x, y}, 0);
    }
    gfxUnlockPort(screen);
    gfxUnlockPort(window);
    gfxDisposePort(screen);
    gfxDisposePort(window);
    gfxShutdownPalettes();
    memShutdown();
}
BENCHMARK(BM_MouseMoveToPresentedPixels)->Unit(benchmark::kMicrosecond);

void BM_FullScreenMemcpy(benchmark::State& state) {
    std::vector<u16> from(800 * 600, 0x7FFF), to(800 * 600);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(u16));
        benchmark::DoNotOptimize(to.data());
    }
}
BENCHMARK(BM_FullScreenMemcpy)->Unit(benchmark::kMicrosecond);

// The least a painting program can do: an 800 x 600 SDL window on its own thread that waits
// for events and, at each pointer move with the button down, fills a small square at the
// pointer and sends that rectangle to the server.
class BareSdlPainter {
public:
    explicit BareSdlPainter(const std::string& display) : thread_([this, display] { Run(display); }) {
        while (!ready_) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ~BareSdlPainter() {
        stop_ = true;
        thread_.join();
    }
    bool opened() const { return opened_; }

private:
    void Run(const std::string& display) {
        ::setenv("DISPLAY", display.c_str(), 1);
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        SDL_Window* window = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0
                                 ? SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600,
                                                    SDL_WINDOW_SHOWN)
                                 : nullptr;
        SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
        if (surface) {
            SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 248, 248, 248));
            SDL_UpdateWindowSurface(window);
        }
        opened_ = surface != nullptr;
        ready_ = true;
        while (surface && !stop_) {
            SDL_Event event;
            if (!SDL_WaitEventTimeout(&event, 50)) continue;
            if (event.type != SDL_MOUSEMOTION || !(event.motion.state & SDL_BUTTON_LMASK)) continue;
            const SDL_Rect square{event.motion.x - 2, event.motion.y - 2, 5, 5};
            SDL_FillRect(surface, &square, SDL_MapRGB(surface->format, 0, 0, 0));
            SDL_UpdateWindowSurfaceRects(window, &square, 1);
        }
        if (window) SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    std::atomic<bool> ready_{false}, stop_{false}, opened_{false};
    std::thread thread_;
};

void BM_PointerToScreenOnX(benchmark::State& state) {
    using namespace painting_on_x;
    XvfbServer server;
    if (!server.running()) {
        state.SkipWithError(server.failure().c_str());
        return;
    }
    XSession x(server.display());
    for (auto _ : state) {
        double bare = -1, ours = -1;
        {
            BareSdlPainter painter(server.display());
            const XSession::Box window = x.windowBox(x.windowOfProcess(::getpid()));
            if (painter.opened() && window.width > 0 && settle(x, window)) bare = pointerToPixelsMs(x, window);
        }
        char pattern[] = "/tmp/tumblo-stroke-XXXXXX";
        const std::string home = ::mkdtemp(pattern);
        std::filesystem::create_directories(home + "/run");
        {
            const char* other = std::getenv("TUMBLO_BENCH_OURS");
            JourneyProgram program({.programDir = other ? other : TUMBLO_BENCH_PROGRAM_DIR, .home = home, .display = server.display(),
                                    .logFile = home + "/program.log", .arguments = {}, .executable = "tumblo4"});
            XSession::Box window;
            for (const auto start = Clock::now(); window.width == 0 && millisSince(start) < 20000; pause(20))
                window = x.windowBox(x.windowOfProcess(program.pid()));
            if (window.width > 0 && logInToEasel(x, window)) ours = pointerToPixelsMs(x, window);
            program.end(std::chrono::seconds(3));
        }
        std::filesystem::remove_all(home);
        if (bare < 0 || ours < 0) {
            state.SkipWithError(bare < 0 ? "the bare SDL window did not paint" : "the program did not paint");
            return;
        }
        state.counters["ours_ms"] = ours;
        state.counters["bare_sdl_ms"] = bare;
        state.counters["ratio_to_bare_sdl"] = ours / std::max(bare, 1e-3);
    }
}
BENCHMARK(BM_PointerToScreenOnX)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
