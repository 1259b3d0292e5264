// The join by left against rgnMergeRects on the same rectangles, and its refusal of lists
// where two rectangles of one left overlap.
#include "engine/regions/RegionColumnJoin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/regions/RegionPairPieces.h"
#include "tests/engine/regions/RegionTestSupport.h"

namespace {

using R = Rect16;
using Rects = std::vector<Rect16>;

class ColumnJoinTest : public RegionTest {
protected:
    // rgnMergeRects on the rectangles in a region of their own: its rectangles and bounds.
    std::pair<Rects, Rect16> merged(const Rects& rects) {
        memHandle rgn = makeRegion();
        auto* record = static_cast<RegionRecord*>(memDerefHandle(rgn));
        for (const Rect16& r : rects) EXPECT_EQ(rgnInsertRect(rgn, &record, record->count, r), kErrNone);
        rgnMergeRects(record);
        return {rectsOf(rgn), boundsOf(rgn)};
    }
    ::testing::AssertionResult joinsLikeMerge(Rects rects) {
        const auto [expected, expectedBounds] = merged(rects);
        u32 kept = 0;
        Rect16 bounds{};
        RgnJoinEnd end = RgnJoinEnd::tooSpread;
        if (rgnJoinColumns(rects.data(), u32(rects.size()), &kept, &bounds, &end) != kErrNone)
            return ::testing::AssertionFailure() << "failed";
        if (end != RgnJoinEnd::joined) return ::testing::AssertionFailure() << "refused";
        if (kept > rects.size()) return ::testing::AssertionFailure() << "kept " << kept << " of " << rects.size();
        if (!std::equal(rects.begin(), rects.begin() + kept, expected.begin(), expected.end()))
            return ::testing::AssertionFailure() << "rectangles differ";
        if (!rectEqual(bounds, expectedBounds)) return ::testing::AssertionFailure() << "bounds differ";
        return ::testing::AssertionSuccess();
    }
};

// Pieces of intersections of regions whose rectangles share columns, so that they join in
// chains.
TEST_F(ColumnJoinTest, PiecesOfIntersectionsJoinAsMerged) {
    std::mt19937 random(3);
    auto latticeRegion = [&](int count) {
        Rects rects;
        for (int k = 0; k < count; ++k) {
            const int left = int(random() % 30) * 4 - 60, top = int(random() % 60) * 2 - 60;
            rects.push_back(R{i16(left), i16(top), i16(left + 4 * (1 + int(random() % 3))), i16(top + 1 + int(random() % 12))});
        }
        return rectsOf(makeRegion(rects));
    };
    int checked = 0;
    for (int trial = 0; trial < 30; ++trial) {
        const Rects own = latticeRegion(20 + trial * 10), given = latticeRegion(10 + trial * 5);
        RegionScratch<Rect16> pieces;
        bool done = false;
        ASSERT_EQ(rgnPairPieces(own.data(), u32(own.size()), given.data(), u32(given.size()), pieces, &done), kErrNone);
        ASSERT_TRUE(done);
        // Lefts of the lattice span at most 116 columns: eight pieces make a table worth it.
        if (pieces.size() < 8) continue;
        ++checked;
        EXPECT_TRUE(joinsLikeMerge(Rects(pieces.data(), pieces.data() + pieces.size()))) << "trial " << trial;
    }
    EXPECT_GE(checked, 25);
    EXPECT_TRUE(joinsLikeMerge({}));
}

// Two rectangles of one left that touch are joined or kept apart; one row of overlap is
// refused; overlapping ones of different lefts are not the join's concern.
TEST_F(ColumnJoinTest, OverlapsWithinOneLeftAreRefused) {
    struct Case {
        const char* what;
        Rects rects;
        bool joined;
    };
    const Case cases[] = {
        {"touching, same right", {R{0, 0, 5, 4}, R{0, 4, 5, 9}}, true},
        {"touching, other right", {R{0, 0, 5, 4}, R{0, 4, 6, 9}}, true},
        {"one row of overlap", {R{0, 0, 5, 4}, R{0, 3, 6, 9}}, false},
        {"one row of overlap after a join", {R{0, 0, 5, 4}, R{0, 4, 5, 8}, R{0, 7, 2, 9}}, false},
        {"one row apart", {R{0, 0, 5, 4}, R{0, 5, 5, 9}}, true},
        {"overlapping, other lefts", {R{0, 0, 5, 4}, R{2, 3, 6, 9}}, true},
        {"one left out of top order, apart", {R{0, 5, 5, 9}, R{0, 0, 5, 4}}, false},
        {"one left out of top order, touching", {R{0, 4, 5, 9}, R{0, 0, 5, 4}}, false},
        {"one top and left twice", {R{0, 0, 5, 4}, R{0, 0, 5, 4}}, false},
    };
    for (const Case& c : cases) {
        Rects rects = c.rects;
        u32 kept = 0;
        Rect16 bounds{};
        RgnJoinEnd end = RgnJoinEnd::tooSpread;
        ASSERT_EQ(rgnJoinColumns(rects.data(), u32(rects.size()), &kept, &bounds, &end), kErrNone);
        EXPECT_EQ(end, c.joined ? RgnJoinEnd::joined : RgnJoinEnd::overlapping) << c.what;
        if (c.joined) {
            EXPECT_TRUE(joinsLikeMerge(c.rects)) << c.what;
        }
    }
}

// Lefts spread over more columns than the join's table is worth are handed back untouched,
// the limit and one past it.
TEST_F(ColumnJoinTest, WidelySpreadLeftsAreHandedBackUntouched) {
    const i16 widest = i16(kRgnJoinLeftsPerPiece * 2 - 1);
    const struct {
        i16 secondLeft;
        bool joined;
    } cases[] = {{widest, true}, {i16(widest + 1), false}};
    for (const auto& c : cases) {
        const Rects given{R{0, 0, 5, 4}, R{c.secondLeft, 4, i16(c.secondLeft + 5), 9}};
        Rects rects = given;
        u32 kept = 0;
        Rect16 bounds{};
        RgnJoinEnd end = RgnJoinEnd::overlapping;
        ASSERT_EQ(rgnJoinColumns(rects.data(), u32(rects.size()), &kept, &bounds, &end), kErrNone);
        EXPECT_EQ(end, c.joined ? RgnJoinEnd::joined : RgnJoinEnd::tooSpread) << c.secondLeft;
        if (c.joined) EXPECT_TRUE(joinsLikeMerge(given)) << c.secondLeft;
        else EXPECT_EQ(rects, given) << c.secondLeft;
    }
}

// Pieces in the order the pairing finds them, which keeps those of each left in top order,
// joined in that order: the ones kept, sorted, are what rgnMergeRects makes of all of them in
// region order, and the bounds start at the least top wherever it lies in the list.
TEST_F(ColumnJoinTest, PiecesJoinedInTheOrderFoundAreThoseMergedInRegionOrder) {
    std::mt19937 random(41);
    for (int trial = 0; trial < 30; ++trial) {
        Rects ownRects, givenRects;
        for (int k = 0; k < 40 + 10 * trial; ++k) {
            const int left = int(random() % 30) * 4 - 60, top = int(random() % 60) * 2 - 60;
            ownRects.push_back(R{i16(left), i16(top), i16(left + 4 * (1 + int(random() % 3))), i16(top + 1 + int(random() % 12))});
            givenRects.push_back(R{i16(left + 4), i16(top + 3), i16(left + 8 + int(random() % 9)), i16(top + 4 + int(random() % 12))});
        }
        const Rects own = rectsOf(makeRegion(ownRects)), given = rectsOf(makeRegion(givenRects));
        RegionScratch<Rect16> found, inOrder, keptInOrder;
        RgnPieceRows rows{};
        bool done = false;
        ASSERT_EQ(rgnFindPieces(own.data(), u32(own.size()), given.data(), u32(given.size()), found, &rows, &done), kErrNone);
        ASSERT_TRUE(done);
        ASSERT_EQ(rgnSortPieces(found.data(), found.size(), rows.first, rows.last, inOrder), kErrNone);
        const auto [expected, expectedBounds] = merged(Rects(inOrder.data(), inOrder.data() + inOrder.size()));
        u32 kept = 0;
        Rect16 bounds{};
        RgnJoinEnd end = RgnJoinEnd::tooSpread;
        ASSERT_EQ(rgnJoinColumns(found.data(), found.size(), &kept, &bounds, &end), kErrNone);
        ASSERT_EQ(end, RgnJoinEnd::joined) << "trial " << trial;
        ASSERT_EQ(rgnSortPieces(found.data(), kept, bounds.top, bounds.bottom - 1, keptInOrder), kErrNone);
        EXPECT_EQ(Rects(keptInOrder.data(), keptInOrder.data() + kept), expected) << "trial " << trial;
        EXPECT_TRUE(rectEqual(bounds, expectedBounds)) << "trial " << trial;
    }
    Rects rects{R{9, 5, 12, 9}, R{0, 0, 5, 4}, R{0, 4, 5, 6}};
    u32 kept = 0;
    Rect16 bounds{};
    RgnJoinEnd end = RgnJoinEnd::tooSpread;
    ASSERT_EQ(rgnJoinColumns(rects.data(), u32(rects.size()), &kept, &bounds, &end), kErrNone);
    ASSERT_EQ(end, RgnJoinEnd::joined);
    EXPECT_EQ(Rects(rects.begin(), rects.begin() + kept), (Rects{R{9, 5, 12, 9}, R{0, 0, 5, 6}}));
    EXPECT_TRUE(rectEqual(bounds, R{0, 0, 12, 9}));
}

}  // namespace
