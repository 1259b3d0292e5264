// The four-at-a-time scans of the union against their plain loops, over random lists with
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
        for (int length = 0; length <= count - from; ++length) {
            ASSERT_EQ(rgnLowestEdge(rects.data() + from, length), rgnLowestEdgePlain(rects.data() + from, length))
                << "trial " << trial << " length " << length;
        }
        Rect16 r = randomRect(random, false);
        if (r.left == r.right || r.top == r.bottom) continue;
        for (bool placing : {false, true}) {
            ASSERT_EQ(rgnSkipPassing(rects.data(), from, count, r, placing),
                      rgnSkipPassingPlain(rects.data(), from, count, r, placing))
                << "trial " << trial << " placing " << placing;
        }
    }
}

// The lowest edge is the greater of top and bottom, whichever way round, INT16_MIN for none.
TEST(RegionScans, LowestEdgeTakesTopsAndBottomsOnly) {
    struct Case {
        Rect16 rect;
        i16 lowest;
    };
    const Case cases[] = {{R{0, INT16_MIN, 1, INT16_MAX}, INT16_MAX}, {R{0, 7, 1, -3}, 7},
                          {R{INT16_MAX, -9, INT16_MAX, -8}, -8},     {R{0, INT16_MIN, 1, INT16_MIN}, INT16_MIN}};
    for (const Case& c : cases) {
        // The case in each of five places, among rectangles far above with far-out sides.
        for (int place = 0; place < 5; ++place) {
            std::vector<Rect16> rects(5, R{INT16_MAX, INT16_MIN, INT16_MAX, INT16_MIN});
            rects[size_t(place)] = c.rect;
            EXPECT_EQ(rgnLowestEdge(rects.data(), 5), c.lowest) << c.rect.top << ".." << c.rect.bottom << " at " << place;
        }
    }
    EXPECT_EQ(rgnLowestEdge(nullptr, 0), INT16_MIN);
}

}  // namespace
