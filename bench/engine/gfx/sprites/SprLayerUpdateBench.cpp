// Frames per second of the sprite layer's screen update with animated sprites over a
// backdrop: the dirty-rectangle update against recomposing the whole screen every frame
// (background copied everywhere, every sprite drawn, the whole picture copied to the window).
// Arguments: sprite count, screen width, screen height.
#include <benchmark/benchmark.h>

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/OffscreenPortForRect.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "platform/clock/Clock.h"
#include "tests/engine/gfx/sprites/AnimatedShapes.h"

namespace {

constexpr u16 kGroup = 2000;
constexpr u16 kShapes = 16;
constexpr u16 kFrameSize = 32;
constexpr u32 kStepMs = 100;

class Stage {
public:
    Stage(u16 sprites, i16 width, i16 height) : screenRect_{0, 0, width, height} {
        memInit(0, 4096);
        gfxInitPalettes();
        resInit();
        work_ = CreateOffscreenPortForRect(screenRect_, 16);
        window_ = CreateOffscreenPortForRect(screenRect_, 16);
        gfxSetPort(work_);
        paintBackdrop();
        sprSetScreen(sprInit(&screen_, window_, work_, screenRect_, nullptr));
        testshape::openArchiveImage(testshape::animatedArchive(kGroup, kShapes, kFrameSize), "bench");
        ok_ = sprScreen() && sprLoadGroup(kGroup, kShapes, 0, 0, kSprFirstIsGroupId) == 0;
        const i16 columns = i16(width / 96);
        for (u16 i = 0; i < sprites && ok_; ++i) {
            const Point16 at{i16(16 + (i % columns) * 96), i16(16 + (i / columns) * 64)};
            ok_ = sprNew(0, u16(kGroup + i % kShapes), &at) != kSprNoId;
        }
        sprInvalRect(screenRect_);
        sprUpdateScreen(1);
    }
    ~Stage() {
        sprShutdown(&screen_);
        gfxSetPort(nullptr);
        for (GfxPort* p : {work_, window_}) {
            gfxUnlockPort(p);
            gfxDisposePort(p);
        }
        resShutdown();
        gfxShutdownPalettes();
        memShutdown();
    }
    void frame(bool whole) {
        clock_.advance(kStepMs);
        if (whole) sprInvalRect(screenRect_);
        sprUpdateScreen(1);
    }
    // The window shows what the work picture holds.
    bool windowMatchesWork() {
        for (i16 y = 0; y < screenRect_.bottom; y += 7)
            for (i16 x = 0; x < screenRect_.right; x += 5) {
                GfxColor a, b;
                work_->ReadPixel(&a, x, y);
                window_->ReadPixel(&b, x, y);
                if (a.red != b.red || a.green != b.green || a.blue != b.blue) return false;
            }
        return true;
    }
    bool ok() const { return ok_; }

private:
    // Stripes, so that a wrong background copy shows.
    void paintBackdrop() {
        for (i16 y = 0; y < screenRect_.bottom; y += 20)
            gfxFillRect(Rect16{0, y, screenRect_.right, i16(y + 20)},
                        GfxColor::rgb(u8(40 + (y / 20) % 4 * 40), 90, u8(200 - (y / 20) % 3 * 50)), 0);
    }

    plat::ScopedFakeClock clock_{1};
    Rect16 screenRect_;
    GfxPort* work_ = nullptr;
    GfxPort* window_ = nullptr;
    SprScreen screen_{};
    bool ok_ = false;
};

void run(benchmark::State& state, bool whole) {
    Stage stage(u16(state.range(0)), i16(state.range(1)), i16(state.range(2)));
    if (!stage.ok()) return state.SkipWithError("the sprites could not be made");
    for (auto _ : state) stage.frame(whole);
    if (!stage.windowMatchesWork()) return state.SkipWithError("the window differs from the work picture");
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_DirtyRectangleUpdate(benchmark::State& state) { run(state, false); }
void BM_WholeScreenRecompose(benchmark::State& state) { run(state, true); }

BENCHMARK(BM_DirtyRectangleUpdate)->Args({64, 800, 600})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeScreenRecompose)->Args({64, 800, 600})->Unit(benchmark::kMillisecond);

}  // namespace
