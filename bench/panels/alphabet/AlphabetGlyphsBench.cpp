// Drawing the alphabet strip again after a colour change: the 82 characters of the default set
// into 48 x 48 pictures (target: under 20 ms), against capturing 82 blank squares through the
// same offscreen picture (what the drawing of the glyphs themselves adds). Rounds fail unless
// every character gave a picture.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxPalette.h"
#include "panels/alphabet/AlphabetGlyphs.h"
#include "panels/alphabet/RAlphaPanel.h"

namespace {

using namespace Ostrel;

struct Graphics {
    Graphics() {
        memInit(0, 1024);
        gfxInitPalettes();
    }
};

void BM_RenderAlphabet(benchmark::State& state) {
    static Graphics graphics;
    const std::string set = kDefaultAlphabet;
    u8 shade = 0;
    for (auto _ : state) {
        const auto glyphs = RenderAlphabet(set, kDefaultAlphabetFont, kDefaultAlphabetFontSize, GfxColor::rgb(shade++, 0, 128));
        if (glyphs.size() != set.size()) state.SkipWithError("a character gave no picture");
        benchmark::DoNotOptimize(glyphs.data());
    }
    state.SetItemsProcessed(i64(state.iterations()) * i64(set.size()));
}
BENCHMARK(BM_RenderAlphabet)->Unit(benchmark::kMillisecond);

void BM_RenderBlanks(benchmark::State& state) {
    static Graphics graphics;
    const std::string blanks(82, ' ');
    for (auto _ : state) {
        const auto glyphs = RenderAlphabet(blanks, kDefaultAlphabetFont, kDefaultAlphabetFontSize, GfxColor::rgb(0, 0, 0));
        if (glyphs.size() != blanks.size()) state.SkipWithError("a square gave no picture");
        benchmark::DoNotOptimize(glyphs.data());
    }
}
BENCHMARK(BM_RenderBlanks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
