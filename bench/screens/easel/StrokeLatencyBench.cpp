// From a mouse move over the canvas to its pixels on the presented picture: the pencil paints
// the move, the canvas copies what changed to the screen port, and the screen update copies the
// canvas's rectangle to the window (the sprite layer's part, done here as one copy). Beside it,
// a plain full-screen copy of 800 x 600 pixels, the least a frame costs. Target: well inside one
// 60 Hz frame (16.7 ms) per event.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxPalette.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/RCanvasOwner.h"
#include "tools/base/RToolMgr.h"
#include "tools/pencils/RCircle.h"

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

}  // namespace
