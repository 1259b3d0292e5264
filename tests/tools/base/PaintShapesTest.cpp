// The shared geometry: dabs, lines, polygon insides.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/base/PaintShapes.h"

namespace {

size_t pixelCount(const std::vector<DabSpan>& spans) {
    size_t n = 0;
    for (const DabSpan& s : spans) n += size_t(s.x1 - s.x0);
    return n;
}

TEST(PaintShapes, RoundDabsAreRoundAndFitTheirBounds) {
    for (i32 d : {1, 2, 3, 5, 10, 21, 40}) {
        auto spans = roundDabSpans(d);
        Rect16 box = dabBounds(Point16{0, 0}, d);
        for (const DabSpan& s : spans) {
            EXPECT_GE(s.x0, box.left) << d;
            EXPECT_LE(s.x1, box.right) << d;
            EXPECT_GE(s.dy, box.top) << d;
            EXPECT_LT(s.dy, box.bottom) << d;
        }
        if (d >= 10) {
            EXPECT_NEAR(double(pixelCount(spans)), M_PI * d * d / 4, d * 1.5) << d;
        }
    }
    EXPECT_EQ(pixelCount(roundDabSpans(0)), 1u);
    EXPECT_EQ(pixelCount(squareDabSpans(4)), 16u);
}

TEST(PaintShapes, LinePixelsRunFromEndToEnd) {
    auto line = linePixels(Point16{2, 3}, Point16{9, -1});
    ASSERT_EQ(line.size(), 8u);
    EXPECT_EQ(line.front().h, 2);
    EXPECT_EQ(line.back().v, -1);
    EXPECT_EQ(linePixels(Point16{4, 4}, Point16{4, 4}).size(), 1u);
}

TEST(PaintShapes, PolygonInsideOfARectangle) {
    size_t n = 0;
    polygonSpans(rectanglePath(Point16{2, 2}, Point16{12, 7}), Rect16{0, 0, 100, 100},
                 [&](i32, i32 x0, i32 x1) { n += size_t(x1 - x0); });
    EXPECT_EQ(n, 50u);
    n = 0;
    polygonSpans(rectanglePath(Point16{2, 2}, Point16{12, 7}), Rect16{0, 0, 5, 5},
                 [&](i32, i32 x0, i32 x1) { n += size_t(x1 - x0); });
    EXPECT_EQ(n, 9u);  // cut to the limit
}

}  // namespace
