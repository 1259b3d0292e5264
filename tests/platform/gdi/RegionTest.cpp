#include "platform/gdi/Region.h"

#include <gtest/gtest.h>

#include <random>

using namespace plat::gdi;

namespace {

// The reference model: one bool per pixel of a 64 × 64 field starting at (-8, -8).
constexpr int kField = 64;
constexpr int kOrigin = -8;
using Mask = std::vector<bool>;

Mask maskOf(const Region& r) {
    Mask m(kField * kField);
    for (int y = 0; y < kField; ++y)
        for (int x = 0; x < kField; ++x) m[size_t(y * kField + x)] = r.contains({x + kOrigin, y + kOrigin});
    return m;
}

Mask combineMasks(const Mask& a, const Mask& b, CombineOp op) {
    Mask m(a.size());
    for (size_t i = 0; i < a.size(); ++i) {
        switch (op) {
        case CombineOp::And: m[i] = a[i] && b[i]; break;
        case CombineOp::Or: m[i] = a[i] || b[i]; break;
        case CombineOp::Xor: m[i] = a[i] != b[i]; break;
        case CombineOp::Diff: m[i] = a[i] && !b[i]; break;
        case CombineOp::Copy: m[i] = a[i]; break;
        }
    }
    return m;
}

// Adds rects() back together pixel by pixel: they must tile the region without overlap.
Mask maskOfRects(const Region& r) {
    Mask m(kField * kField);
    for (const Rect& rect : r.rects())
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x) {
                size_t i = size_t((y - kOrigin) * kField + (x - kOrigin));
                EXPECT_FALSE(m[i]) << "overlapping rectangles";
                m[i] = true;
            }
    return m;
}

Region randomRegion(std::mt19937& rng) {
    std::uniform_int_distribution<int> coord(-6, 36), extent(1, 12);
    Region r;
    for (int i = 0; i < 4; ++i) {
        int x0 = coord(rng), y0 = coord(rng);
        Rect rect{x0, y0, x0 + extent(rng), y0 + extent(rng)};
        Region piece = (i % 3 == 2) ? Region::ellipse(rect) : Region(rect);
        r = Region::combine(r, piece, i % 2 ? CombineOp::Xor : CombineOp::Or);
    }
    return r;
}

}  // namespace

TEST(Region, CombinationsMatchTheBitmaskModel) {
    std::mt19937 rng(7);
    const CombineOp ops[] = {CombineOp::And, CombineOp::Or, CombineOp::Xor, CombineOp::Diff, CombineOp::Copy};
    for (int round = 0; round < 60; ++round) {
        Region a = randomRegion(rng), b = randomRegion(rng);
        for (CombineOp op : ops) {
            Region r = Region::combine(a, b, op);
            Mask expected = combineMasks(maskOf(a), maskOf(b), op);
            ASSERT_EQ(maskOf(r), expected) << "round " << round << " op " << int(op);
            ASSERT_EQ(maskOfRects(r), expected);
        }
    }
}

TEST(Region, UnionOfManyRectanglesMatchesTheBitmaskModel) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coord(-6, 40), extent(1, 15);
    std::vector<Rect> rects;
    Mask expected(kField * kField);
    for (int i = 0; i < 37; ++i) {
        int x0 = coord(rng), y0 = coord(rng);
        rects.push_back({x0, y0, x0 + extent(rng), y0 + extent(rng)});
        expected = combineMasks(expected, maskOf(Region(rects.back())), CombineOp::Or);
    }
    EXPECT_EQ(maskOf(Region::unionOf(rects)), expected);
    EXPECT_TRUE(Region::unionOf({}).empty());
}

TEST(Region, EqualAreasGiveEqualRegions) {
    Region a = Region::combine(Region(Rect{0, 0, 5, 5}), Region(Rect{5, 0, 10, 5}), CombineOp::Or);
    EXPECT_EQ(a, Region(Rect{0, 0, 10, 5}));
    Region b = Region::combine(Region(Rect{0, 0, 10, 3}), Region(Rect{0, 3, 10, 5}), CombineOp::Or);
    EXPECT_EQ(b, Region(Rect{0, 0, 10, 5}));
    EXPECT_EQ(b.rectCount(), 1u);
}

TEST(Region, EmptyRectanglesMakeEmptyRegions) {
    EXPECT_TRUE(Region(Rect{5, 5, 5, 9}).empty());
    EXPECT_TRUE(Region(Rect{5, 9, 8, 2}).empty());
    EXPECT_TRUE(Region::combine(Region(Rect{0, 0, 4, 4}), Region(Rect{4, 0, 8, 4}), CombineOp::And).empty());
}

TEST(Region, BoundsAndOffset) {
    Region r = Region::combine(Region(Rect{2, 3, 5, 6}), Region(Rect{8, 1, 9, 4}), CombineOp::Or);
    EXPECT_EQ(r.bounds(), (Rect{2, 1, 9, 6}));
    r.offset(-2, 10);
    EXPECT_EQ(r.bounds(), (Rect{0, 11, 7, 16}));
    EXPECT_TRUE(r.contains({6, 11}));
    EXPECT_FALSE(r.contains({6, 14}));
}

TEST(Region, PolygonFillModesDifferOnlyWhereTheOutlineCrossesItself) {
    // A pentagram: its centre is wound twice.
    std::vector<Point> star = {{20, 0}, {32, 38}, {0, 14}, {40, 14}, {8, 38}};
    Region alternate = Region::polygon(star, FillMode::Alternate);
    Region winding = Region::polygon(star, FillMode::Winding);
    EXPECT_FALSE(alternate.contains({20, 20}));
    EXPECT_TRUE(winding.contains({20, 20}));
    EXPECT_TRUE(alternate.contains({20, 5}));
    EXPECT_TRUE(Region::combine(alternate, winding, CombineOp::Diff).empty());
}

TEST(Region, PolygonOfARectangleCoversExactlyThatRectangle) {
    Region r = Region::polygon({{2, 3}, {9, 3}, {9, 7}, {2, 7}}, FillMode::Alternate);
    EXPECT_EQ(r, Region(Rect{2, 3, 9, 7}));
}

TEST(Region, EllipseStaysInsideItsBoundsAndTouchesEachSide) {
    Region r = Region::ellipse({3, 4, 20, 13});
    EXPECT_EQ(r.bounds(), (Rect{3, 4, 20, 13}));
    EXPECT_FALSE(r.contains({3, 4}));
}
