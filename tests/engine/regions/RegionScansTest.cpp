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

TEST(RegionScans, SeveralAtATimeFindWhatThePlainLoopsFind) {
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
        const int before = from + int(random() % unsigned(count - from + 1));
        ASSERT_EQ(rgnLastMeetingColumns(rects.data(), from, before, r),
                  rgnLastMeetingColumnsPlain(rects.data(), from, before, r))
            << "trial " << trial << " before " << before;
        if (r.left == r.right || r.top == r.bottom) continue;
        // With r's place still open, and found before.
        for (int placed : {-1, 0}) {
            int placeAt = placed, plainPlaceAt = placed;
            ASSERT_EQ(rgnSkipPassing(rects.data(), from, count, r, placeAt),
                      rgnSkipPassingPlain(rects.data(), from, count, r, plainPlaceAt))
                << "trial " << trial << " placed " << placed;
            ASSERT_EQ(placeAt, plainPlaceAt) << "trial " << trial << " placed " << placed;
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

// Which rectangles a piece r passes, and which of them opens r's place, each case in each of
// 20 places among rectangles far above and left of r, so that both the eight-at-a-time pass
// and its last group meet it.
TEST(RegionScans, SkipPassesWhatThePieceLeavesAndFindsItsPlace) {
    struct Case {
        const char* what;
        Rect16 rect;
        bool passes;
        bool opens;
    };
    const Rect16 r{10, 10, 20, 20};
    const Case cases[] = {{"above and left", R{0, 0, 5, 5}, true, false},
                          {"ends on the top, other columns", R{0, 0, 30, 10}, true, false},
                          {"ends on the top, same left only", R{10, 0, 25, 10}, true, false},
                          {"ends on the top, same columns", R{10, 0, 20, 10}, false, false},
                          {"ends one row into r", R{0, 0, 30, 11}, false, false},
                          {"tall, left of r", R{0, 5, 5, 30}, true, false},
                          {"same top, left of r", R{0, 10, 5, 20}, true, false},
                          {"same top, right of r", R{21, 10, 30, 20}, true, true},
                          {"same top, touching r's right", R{20, 10, 30, 20}, false, false},
                          {"lower top, left of r", R{0, 12, 5, 14}, true, true},
                          {"inside r", R{12, 12, 18, 18}, false, false},
                          {"inverted, inside r", R{15, 15, 12, 12}, false, false},
                          {"starts on r's bottom", R{0, 20, 5, 30}, false, false}};
    for (const Case& c : cases) {
        for (int place = 0; place < 20; ++place) {
            std::vector<Rect16> rects(20, R{INT16_MIN, INT16_MIN, INT16_MIN + 1, INT16_MIN + 1});
            rects[size_t(place)] = c.rect;
            int placeAt = -1, plainPlaceAt = -1;
            EXPECT_EQ(rgnSkipPassing(rects.data(), 0, 20, r, placeAt), c.passes ? 20 : place) << c.what << " at " << place;
            EXPECT_EQ(placeAt, c.opens ? place : -1) << c.what << " at " << place;
            EXPECT_EQ(rgnSkipPassingPlain(rects.data(), 0, 20, r, plainPlaceAt), c.passes ? 20 : place)
                << c.what << " at " << place;
            EXPECT_EQ(plainPlaceAt, placeAt) << c.what << " at " << place;
        }
    }
}

}  // namespace
