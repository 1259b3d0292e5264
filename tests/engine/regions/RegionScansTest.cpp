// The union's scans that look at several rectangles at a time against their plain loops, over random lists with
// every start, length and rectangle, damaged ones (empty, inverted, out of order) included.
#include "engine/regions/RegionScans.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "tests/engine/regions/RegionTestSupport.h"

namespace {

using R = Rect16;

// Edges from a narrow range so that equal edges are common, with now and then the extremes.
i16 randomEdge(std::mt19937& random) {
    switch (random() % 16) {
    case 0: return INT16_MIN;
    case 1: return INT16_MAX;
    default: return i16(int(random() % 24) - 4);
    }
}

Rect16 randomRect(std::mt19937& random, bool damaged) {
    Rect16 r{randomEdge(random), randomEdge(random), randomEdge(random), randomEdge(random)};
    if (!damaged) {
        if (r.left > r.right) std::swap(r.left, r.right);
        if (r.top > r.bottom) std::swap(r.top, r.bottom);
    }
    return r;
}

TEST(RegionScans, FourAtATimeFindsWhatThePlainLoopsFind) {
    std::mt19937 random(15);
    for (int trial = 0; trial < 4000; ++trial) {
        const bool damaged = trial % 2 == 1;
        std::vector<Rect16> rects(random() % 23);
        for (Rect16& s : rects) s = randomRect(random, damaged);
        const int count = int(rects.size());
        const int from = count == 0 ? 0 : int(random() % unsigned(count + 1));
        const i16 row = randomEdge(random);
        ASSERT_EQ(rgnFirstReaching(rects.data(), from, count, row), rgnFirstReachingPlain(rects.data(), from, count, row))
            << "trial " << trial << " row " << row;
        Rect16 r = randomRect(random, false);
        if (r.left == r.right || r.top == r.bottom) continue;
        for (bool placing : {false, true}) {
            ASSERT_EQ(rgnSkipPassing(rects.data(), from, count, r, placing),
                      rgnSkipPassingPlain(rects.data(), from, count, r, placing))
                << "trial " << trial << " placing " << placing;
        }
    }
}

// A rectangle reaches a row with its top or its bottom, whichever way round; in each of 40
// places, so that the sixteen-at-a-time pass and the four-at-a-time one both meet it.
TEST(RegionScans, FirstReachingTakesTopsAndBottomsOnly) {
    struct Case {
        Rect16 rect;
        i16 row;
        bool reaches;
    };
    const Case cases[] = {{R{0, 0, 1, 7}, 7, true},          {R{0, 0, 1, 7}, 8, false},
                          {R{0, 7, 1, -3}, 7, true},         {R{0, 7, 1, -3}, 8, false},
                          {R{INT16_MAX, 0, INT16_MAX, 1}, 2, false}, {R{0, INT16_MAX, 1, INT16_MIN}, INT16_MAX, true},
                          {R{0, INT16_MIN, 1, INT16_MIN}, INT16_MIN, true}};
    for (const Case& c : cases) {
        for (int place = 0; place < 40; ++place) {
            // Rectangles far above, with sides far out, and the case among them.
            std::vector<Rect16> rects(40, R{INT16_MAX, INT16_MIN, INT16_MAX, INT16_MIN});
            rects[size_t(place)] = c.rect;
            // Every rectangle reaches the topmost row.
            const int expected = c.row == INT16_MIN ? 0 : (c.reaches ? place : 40);
            EXPECT_EQ(rgnFirstReaching(rects.data(), 0, 40, c.row), expected) << "row " << c.row << " at " << place;
        }
    }
}

}  // namespace
