#include "engine/regions/Rects.h"

#include <gtest/gtest.h>

#include "tests/engine/regions/RegionTestSupport.h"

namespace {

TEST(Rects, EmptinessAndContainmentUseExclusiveEdges) {
    Rect16 r{0, 0, 10, 5};
    EXPECT_FALSE(rectIsEmpty(r));
    EXPECT_TRUE(rectIsEmpty(Rect16{3, 0, 3, 5}));
    EXPECT_TRUE(rectIsEmpty(Rect16{0, 6, 10, 5}));
    EXPECT_TRUE(rectContainsPoint(r, {0, 0}));
    EXPECT_TRUE(rectContainsPoint(r, {9, 4}));
    EXPECT_FALSE(rectContainsPoint(r, {10, 4}));
    EXPECT_FALSE(rectContainsPoint(r, {9, 5}));
}

TEST(Rects, IntersectOfDisjointRectanglesIsAllZeros) {
    Rect16 a{0, 0, 10, 10};
    EXPECT_FALSE(rectIntersect(&a, Rect16{10, 0, 20, 10}));
    EXPECT_EQ(a, (Rect16{0, 0, 0, 0}));
    Rect16 b{0, 0, 10, 10};
    EXPECT_TRUE(rectIntersect(&b, Rect16{5, -5, 20, 8}));
    EXPECT_EQ(b, (Rect16{5, 0, 10, 8}));
}

TEST(Rects, UnionIgnoresEmptyRectangles) {
    Rect16 a{0, 0, 10, 10};
    rectUnion(&a, Rect16{50, 50, 50, 60});
    EXPECT_EQ(a, (Rect16{0, 0, 10, 10}));
    Rect16 empty{5, 5, 0, 0};
    rectUnion(&empty, Rect16{1, 2, 3, 4});
    EXPECT_EQ(empty, (Rect16{1, 2, 3, 4}));
    Rect16 bothEmpty{5, 5, 0, 0};
    rectUnion(&bothEmpty, Rect16{9, 9, 9, 9});
    EXPECT_EQ(bothEmpty, (Rect16{0, 0, 0, 0}));
    rectUnion(&a, Rect16{-5, 20, 0, 30});
    EXPECT_EQ(a, (Rect16{-5, 0, 10, 30}));
}

TEST(Rects, OffsetAndInsetMoveEdges) {
    Rect16 r{0, 0, 10, 10};
    rectOffset(&r, 3, -2);
    EXPECT_EQ(r, (Rect16{3, -2, 13, 8}));
    rectInset(&r, 1, 2);
    EXPECT_EQ(r, (Rect16{4, 0, 12, 6}));
    rectInset(&r, -4, -1);
    EXPECT_EQ(r, (Rect16{0, -1, 16, 7}));
}

TEST(Rects, DifferentEmptyRectanglesAreEqual) {
    EXPECT_TRUE(rectEqual(Rect16{0, 0, 0, 0}, Rect16{5, 9, 1, 2}));
    EXPECT_FALSE(rectEqual(Rect16{0, 0, 1, 1}, Rect16{0, 0, 0, 0}));
    EXPECT_TRUE(rectEqual(Rect16{1, 2, 3, 4}, Rect16{1, 2, 3, 4}));
    EXPECT_FALSE(rectEqual(Rect16{1, 2, 3, 4}, Rect16{1, 2, 3, 5}));
}

TEST(Rects, PinIncludesRightEdgeClampExcludesIt) {
    Rect16 r{0, 0, 10, 20};
    Point16 pinned{10, 25};
    rectPinPoint(r, &pinned);
    EXPECT_EQ(pinned.h, 10);
    EXPECT_EQ(pinned.v, 20);
    Point16 clamped{10, 25};
    rectClampPoint(r, &clamped);
    EXPECT_EQ(clamped.h, 9);
    EXPECT_EQ(clamped.v, 19);
    Point16 low{-3, -4};
    rectClampPoint(r, &low);
    EXPECT_EQ(low.h, 0);
    EXPECT_EQ(low.v, 0);
}

TEST(Rects, SwapBytesSwapsEachValue) {
    Rect16 r{0x0102, -2, 0x7F00, 1};
    rectSwapBytes(&r);
    EXPECT_EQ(r, (Rect16{0x0201, i16(0xFEFF), 0x007F, 0x0100}));
}

}  // namespace
