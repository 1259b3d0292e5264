#include "engine/regions/RegionDifference.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/engine/regions/RegionTestSupport.h"

namespace {

using R = Rect16;
using Rects = std::vector<Rect16>;

bool inAny(const Rects& rects, int h, int v) {
    for (const Rect16& r : rects)
        if (h >= r.left && h < r.right && v >= r.top && v < r.bottom) return true;
    return false;
}

TEST_F(RegionTest, CuttingTheMiddleLeavesFourOrderedPieces) {
    memHandle rgn = makeRegion({R{0, 0, 20, 20}});
    ASSERT_EQ(rgnDiffRect(rgn, R{5, 5, 10, 10}), kErrNone);
    EXPECT_EQ(rectsOf(rgn), (Rects{R{0, 0, 20, 5}, R{0, 5, 5, 10}, R{10, 5, 20, 10}, R{0, 10, 20, 20}}));
    EXPECT_EQ(boundsOf(rgn), (R{0, 0, 20, 20}));
}

TEST_F(RegionTest, CuttingEverythingOrNothing) {
    memHandle all = makeRegion({R{0, 0, 10, 10}, R{20, 0, 30, 5}});
    EXPECT_EQ(rgnDiffRect(all, R{-5, -5, 40, 40}), kErrNone);
    EXPECT_EQ(rgnIsEmpty(all), 1);
    memHandle missed = makeRegion({R{0, 0, 10, 10}});
    EXPECT_EQ(rgnDiffRect(missed, R{10, 0, 20, 10}), kErrNone);
    EXPECT_EQ(rectsOf(missed), (Rects{R{0, 0, 10, 10}}));
    EXPECT_EQ(rgnDiffRect(missed, R{3, 3, 3, 8}), kErrNone) << "an empty rectangle changes nothing";
    EXPECT_EQ(rectsOf(missed), (Rects{R{0, 0, 10, 10}}));
}

TEST_F(RegionTest, DiffRefusesABadRegion) {
    R cut{0, 0, 1, 1};
    EXPECT_EQ(rgnDiffRects(0, 1, &cut), kRgnErrBadRegion);
    EXPECT_EQ(rgnGetLastError(), kRgnErrBadRegion);
}

TEST_F(RegionTest, DiffMatchesThePixelModelAndKeepsInvariants) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> coord(-10, 50), extent(1, 25);
    auto randomRect = [&] {
        int h = coord(rng), v = coord(rng);
        return R{i16(h), i16(v), i16(h + extent(rng)), i16(v + extent(rng))};
    };
    for (int round = 0; round < 40; ++round) {
        Rects filled, cuts;
        for (int i = 0; i < 6; ++i) filled.push_back(randomRect());
        for (int i = 0; i < 3; ++i) cuts.push_back(randomRect());
        memHandle rgn = makeRegion(filled);
        ASSERT_EQ(rgnDiffRects(rgn, u16(cuts.size()), cuts.data()), kErrNone);
        ASSERT_TRUE(keepsInvariants(rgn, true)) << "round " << round;
        PixelGrid expected;
        for (int v = -16; v < 80; ++v)
            for (int h = -16; h < 80; ++h)
                if (inAny(filled, h, v) && !inAny(cuts, h, v)) expected.paint(R{i16(h), i16(v), i16(h + 1), i16(v + 1)});
        ASSERT_TRUE(PixelGrid::of(rectsOf(rgn)) == expected) << "round " << round;
        EXPECT_LE(static_cast<const RegionRecord*>(memDerefHandle(rgn))->capacity,
                  kRgnSlotGrowth * (rectsOf(rgn).size() / kRgnSlotGrowth + 1));
    }
}

}  // namespace
