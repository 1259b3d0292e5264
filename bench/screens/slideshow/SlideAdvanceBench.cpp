// From the moment a timed slide's seconds run out to the first frame of the next slide's
// transition in the screen's port: the transition notices the time, takes the next page, the
// canvas draws that page whole (its background picture stretched over the easel's size and a
// picture on it) and draws the transition's first step into the show rectangle. The two
// 640 x 480 pages alternate. Target: inside one 60 Hz frame (16.7 ms).
#include <benchmark/benchmark.h>

#include "document/pages/RPage.h"
#include "document/project/RDocument.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PictureRecord.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxPalette.h"
#include "screens/slideshow/RSlideShowCanvas.h"
#include "screens/slideshow/RTransition.h"

namespace {

using namespace Ostrel;

constexpr Rect16 kShow{80, 60, 720, 540};
u32 gNow = 0;
u32 benchClock() { return gNow; }

std::vector<u8> picture(u16 width, u16 height, u8 shade) {
    PictureRecord record{width, height, {}, {}};
    for (u32 i = 0; i < u32(width) * height; ++i) record.pixels.insert(record.pixels.end(), {shade, u8(i), u8(i >> 8), 255});
    std::vector<u8> bytes;
    writePictureRecord(record, false, &bytes);
    return bytes;
}

void BM_SlideEndToFirstTransitionFrame(benchmark::State& state) {
    memInit(0, 512);
    gfxInitPalettes();
    GfxPort* screen = gfxNewOffscreenPort(800, 600, 16, nullptr);
    gfxLockPort(screen);
    {
        RDocument document(nullptr);
        for (u8 shade : {u8(40), u8(200)}) {
            auto page = std::make_unique<RPage>(PageSettings{}, "", 0);
            page->SetTiming(1, 0);
            page->SetTransitionEffect(u16(state.range(0)));
            page->Data().AddObject(kTypeBitmap, kBackgroundId, picture(592, 444, shade), {0, 0, 592, 444});
            page->Data().AddObject(kTypeMovableBitmap, 1, picture(120, 90, u8(255 - shade)), {100, 100, 220, 190});
            page->Data().SetDirtyState(true);
            document.AppendPage(std::move(page));
        }
        RSlideShowCanvas canvas(kShow, screen, nullptr, nullptr);
        canvas.PrepareMedia();
        canvas.SetPlaying(true);
        RTransition transition(nullptr, &document, ShowSwitches{false, false}, benchClock);
        transition.Start(nullptr, &canvas);
        canvas.ShowPage(AdvanceSlideShow(&transition), 0);
        for (auto _ : state) {
            gNow += 1000;
            RPage* next = nullptr;
            while (!next) next = AdvanceSlideShow(&transition);
            canvas.ShowPage(next, 0);
            canvas.HandleTick(gNow);
            benchmark::DoNotOptimize(next);
        }
    }
    gfxUnlockPort(screen);
    gfxDisposePort(screen);
    gfxShutdownPalettes();
    memShutdown();
}
// Without a transition, with the fade, and with the sparkle.
BENCHMARK(BM_SlideEndToFirstTransitionFrame)->Arg(0)->Arg(1)->Arg(7)->Unit(benchmark::kMillisecond);

}  // namespace
