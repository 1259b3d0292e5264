// The scanline flood fill against a plain recursive model on random pictures, and its edges.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "tests/tools/ToolTestSupport.h"
#include "tools/fills/FloodFill.h"

namespace {

void recursiveModel(const PixelView& v, i32 x, i32 y, u16 target, std::vector<u8>& seen) {
    if (!v.Contains(x, y) || seen[size_t(y) * size_t(v.width) + size_t(x)] || v.At(x, y) != target) return;
    seen[size_t(y) * size_t(v.width) + size_t(x)] = 1;
    recursiveModel(v, x + 1, y, target, seen);
    recursiveModel(v, x - 1, y, target, seen);
    recursiveModel(v, x, y + 1, target, seen);
    recursiveModel(v, x, y - 1, target, seen);
}

TEST(FloodFill, MatchesTheRecursiveModelOnRandomPictures) {
    std::mt19937 random(24);
    for (int round = 0; round < 60; ++round) {
        const i16 w = i16(1 + random() % 48), h = i16(1 + random() % 32);
        tooltest::Picture picture(w, h);
        const u32 colours = 2 + random() % 3;
        for (u16& p : picture.pixels) p = u16(random() % colours);
        const Point16 seed{i16(random() % u32(w)), i16(random() % u32(h))};
        std::vector<u8> model(size_t(w) * size_t(h), 0);
        recursiveModel(picture.view, seed.h, seed.v, picture.view.At(seed.h, seed.v), model);
        PixelMask mask = floodFillArea(picture.view, seed);
        size_t count = 0;
        for (i32 y = 0; y < h; ++y)
            for (i32 x = 0; x < w; ++x) {
                count += model[size_t(y) * size_t(w) + size_t(x)];
                ASSERT_EQ(mask.Test(x, y), model[size_t(y) * size_t(w) + size_t(x)] != 0)
                    << "round " << round << " at " << x << "," << y;
            }
        EXPECT_EQ(mask.Count(), count);
    }
}

TEST(FloodFill, SeedLimits) {
    tooltest::Picture picture(10, 8);
    struct Case {
        Point16 seed;
        size_t filled;
    };
    for (Case c : {Case{{0, 0}, 80}, Case{{9, 7}, 80}, Case{{10, 7}, 0}, Case{{9, 8}, 0}, Case{{-1, 0}, 0}})
        EXPECT_EQ(floodFillArea(picture.view, c.seed).Count(), c.filled) << c.seed.h << "," << c.seed.v;
}

TEST(FloodFill, DiagonalNeighboursDoNotLeak) {
    tooltest::Picture picture(3, 3);
    picture.view.Put(1, 0, 0);
    picture.view.Put(0, 1, 0);
    PixelMask mask = floodFillArea(picture.view, Point16{0, 0});
    EXPECT_EQ(mask.Count(), 1u);
}

// The shapes that make a span fill work hardest, at canvas size: a checkerboard (no pixel has
// a neighbour of its colour), a serpentine one pixel wide that turns at every row, and a comb
// whose teeth are single columns.
TEST(FloodFill, WorstShapesAtCanvasSize) {
    constexpr i16 kW = 800, kH = 600;
    struct Case {
        const char* name;
        std::function<bool(i32 x, i32 y)> open;
        size_t filled;
    };
    const Case cases[] = {
        {"checkerboard", [](i32 x, i32 y) { return (x + y) % 2 == 0; }, 1},
        // Walls on odd rows with a gap at alternate ends: one path through every even row.
        {"serpentine", [](i32 x, i32 y) { return y % 2 == 0 || (y % 4 == 1 ? x == kW - 1 : x == 0); },
         size_t(kH / 2) * kW + size_t(kH / 2)},
        {"comb", [](i32 x, i32 y) { return y == 0 || x % 2 == 0; }, size_t(kW) + size_t(kW / 2) * (kH - 1)},
    };
    for (const Case& c : cases) {
        tooltest::Picture picture(kW, kH);
        for (i32 y = 0; y < kH; ++y)
            for (i32 x = 0; x < kW; ++x) picture.view.Put(x, y, c.open(x, y) ? kRgb555White : kRgb555Black);
        EXPECT_EQ(floodFillArea(picture.view, Point16{0, 0}).Count(), c.filled) << c.name;
    }
}

}  // namespace
