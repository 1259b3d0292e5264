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
        ASSERT_EQ(rgnTallest(rects.data(), count), rgnTallestPlain(rects.data(), count)) << "trial " << trial;
        Rect16 r = randomRect(random, false);
        if (r.left == r.right || r.top == r.bottom) continue;
        for (bool placing : {false, true}) {
            ASSERT_EQ(rgnSkipPassing(rects.data(), from, count, r, placing),
                      rgnSkipPassingPlain(rects.data(), from, count, r, placing))
                << "trial " << trial << " placing " << placing;
        }
    }
}

// Heights at the ends of what 16 bits hold, where a 16-bit difference wraps.
TEST(RegionScans, TallestAtTheEdgesOfTheRange) {
    struct Case {
        Rect16 rect;
        i32 tallest;
    };
    const Case cases[] = {{R{0, INT16_MIN, 1, INT16_MAX}, 65535}, {R{0, -1, 1, INT16_MAX}, 32768},
                          {R{0, 0, 1, INT16_MAX}, 32767},       {R{0, 5, 1, 5}, 0},
                          {R{0, INT16_MAX, 1, INT16_MIN}, 0},   {R{0, 3, 1, 4}, 1}};
    for (const Case& c : cases) {
        // The case in each of five places, among short rectangles.
        for (int place = 0; place < 5; ++place) {
            std::vector<Rect16> rects(5, R{0, 0, 1, 1});
            rects[size_t(place)] = c.rect;
            EXPECT_EQ(rgnTallest(rects.data(), 5), std::max(c.tallest, 1)) << c.rect.top << ".." << c.rect.bottom;
        }
    }
}

}  // namespace
