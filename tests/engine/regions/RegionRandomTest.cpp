// Region unions and intersections of random rectangles, checked pixel by pixel against a
// grid model and against the invariants every region keeps.
#include <gtest/gtest.h>

#include <random>

#include "engine/regions/Regions.h"
#include "tests/engine/regions/RegionTestSupport.h"

namespace {

// Rectangles inside the grid's window, small and large, often sharing edges.
class RandomRects {
public:
    explicit RandomRects(unsigned seed) : random_(seed) {}
    Rect16 next() {
        auto coordinate = [&] { return int(random_() % 16) * 4 - 8 + int(random_() % 2); };
        int left = coordinate(), top = coordinate();
        int width = 1 + int(random_() % 40), height = 1 + int(random_() % 40);
        return Rect16{i16(left), i16(top), i16(std::min(left + width, 72)), i16(std::min(top + height, 72))};
    }
    std::vector<Rect16> many(int count) {
        std::vector<Rect16> rects;
        for (int k = 0; k < count; ++k) rects.push_back(next());
        return rects;
    }
    int below(int n) { return int(random_() % unsigned(n)); }

private:
    std::mt19937 random_;
};

// The region's rectangles cover exactly the expected pixels, and point tests agree on a
// sample of them.
::testing::AssertionResult matchesGrid(memHandle rgn, const PixelGrid& expected, bool testPoints = true) {
    if (!(PixelGrid::of(rectsOf(rgn)) == expected)) return ::testing::AssertionFailure() << "rectangles differ";
    if (!testPoints) return ::testing::AssertionSuccess();
    for (int v = PixelGrid::kOrigin; v < PixelGrid::kOrigin + PixelGrid::kSize; v += 3) {
        for (int h = PixelGrid::kOrigin; h < PixelGrid::kOrigin + PixelGrid::kSize; h += 3) {
            if ((rgnContainsPoint(rgn, {i16(h), i16(v)}) == 1) != expected.covers(h, v))
                return ::testing::AssertionFailure() << "point (" << h << "," << v << ") differs";
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_F(RegionTest, RandomUnionsMatchPixelGrid) {
    RandomRects random(1);
    for (int trial = 0; trial < 150; ++trial) {
        memHandle rgn = makeRegion();
        PixelGrid expected;
        for (const Rect16& r : random.many(1 + random.below(30))) {
            ASSERT_EQ(rgnUnionRect(rgn, r), kErrNone);
            expected.paint(r);
            ASSERT_TRUE(keepsInvariants(rgn, false)) << "trial " << trial;
            ASSERT_TRUE(matchesGrid(rgn, expected, false)) << "trial " << trial;
        }
        ASSERT_TRUE(matchesGrid(rgn, expected)) << "trial " << trial;
    }
}

TEST_F(RegionTest, RandomRegionUnionsMatchPixelGrid) {
    RandomRects random(2);
    for (int trial = 0; trial < 150; ++trial) {
        std::vector<Rect16> a = random.many(1 + random.below(20));
        std::vector<Rect16> b = random.many(random.below(20));
        memHandle dst = makeRegion(a);
        memHandle src = makeRegion(b);
        ASSERT_EQ(rgnUnion(dst, src), kErrNone);
        ASSERT_TRUE(keepsInvariants(dst, false)) << "trial " << trial;
        ASSERT_TRUE(matchesGrid(dst, PixelGrid::of(a) | PixelGrid::of(b))) << "trial " << trial;
    }
}

TEST_F(RegionTest, RandomIntersectionsMatchPixelGrid) {
    RandomRects random(3);
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<Rect16> a = random.many(1 + random.below(20));
        std::vector<Rect16> b = random.many(1 + random.below(20));
        memHandle dst = makeRegion(a);
        memHandle src = makeRegion(b);
        ASSERT_EQ(rgnIntersect(dst, src), kErrNone);
        ASSERT_TRUE(keepsInvariants(dst, true)) << "trial " << trial;
        ASSERT_TRUE(matchesGrid(dst, PixelGrid::of(a) & PixelGrid::of(b))) << "trial " << trial;
        Rect16 bounds{};
        for (const Rect16& r : rectsOf(dst)) rectUnion(&bounds, r);
        ASSERT_TRUE(rectEqual(bounds, boundsOf(dst))) << "trial " << trial;
    }
}

TEST_F(RegionTest, RandomRectangleIntersectionsMatchPixelGrid) {
    RandomRects random(4);
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<Rect16> a = random.many(1 + random.below(25));
        Rect16 clip = random.next();
        memHandle rgn = makeRegion(a);
        ASSERT_EQ(rgnIntersectRect(rgn, clip), kErrNone);
        ASSERT_TRUE(keepsInvariants(rgn, true)) << "trial " << trial;
        ASSERT_TRUE(matchesGrid(rgn, PixelGrid::of(a) & PixelGrid::of({clip}))) << "trial " << trial;
    }
}

// Regions of up to more than a thousand rectangles: long lists of rectangles live on a row
// at once, which is where bookkeeping by rows goes wrong first. One region is a scatter of
// single pixels on a lattice (none touch, so none join); the other, small rectangles that
// overlap. Each is intersected with the other, both ways round.
TEST_F(RegionTest, IntersectionsOfManySmallRectanglesMatchPixelGrid) {
    struct Size {
        int pixels;
        int trials;
    };
    const Size sizes[] = {{1, 20}, {10, 20}, {100, 20}, {300, 10}, {900, 5}, {2000, 2}};
    RandomRects random(5);
    for (const Size& size : sizes) {
        for (int trial = 0; trial < size.trials; ++trial) {
            std::vector<Rect16> a, b;
            for (int k = 0; k < size.pixels; ++k) {
                const int h = 2 * random.below(44) - 14, v = 2 * random.below(44) - 14;
                b.push_back(Rect16{i16(h), i16(v), i16(h + 1), i16(v + 1)});
                const int left = random.below(90) - 16, top = random.below(90) - 16;
                a.push_back(Rect16{i16(left), i16(top), i16(left + 1 + random.below(5)), i16(top + 1 + random.below(5))});
            }
            if (size.pixels == 2000) {
                ASSERT_GT(rectsOf(makeRegion(b)).size(), 1000u);
            }
            for (bool swapped : {false, true}) {
                memHandle dst = makeRegion(swapped ? b : a);
                memHandle src = makeRegion(swapped ? a : b);
                ASSERT_EQ(rgnIntersect(dst, src), kErrNone);
                ASSERT_TRUE(keepsInvariants(dst, true)) << size.pixels << " trial " << trial << (swapped ? " swapped" : "");
                ASSERT_TRUE(matchesGrid(dst, PixelGrid::of(a) & PixelGrid::of(b), false)) << size.pixels << " trial " << trial;
            }
        }
    }
}

}  // namespace
