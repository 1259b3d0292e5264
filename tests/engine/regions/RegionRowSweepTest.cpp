// The sweep by rows against the plain definition of an intersection: every overlapping pair
// of rectangles, in region order, joined as rgnMergeRects joins them. Long lists go through
// the public intersection too, so the result block's rectangles and bounds are compared.
#include "engine/regions/RegionRowSweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/engine/regions/RegionTestSupport.h"

namespace {

using R = Rect16;
using Rects = std::vector<Rect16>;

// Every pair's intersection, in region order.
Rects pairPieces(const Rects& a, const Rects& b) {
    Rects pieces;
    for (const Rect16& p : a) {
        for (const Rect16& q : b) {
            Rect16 piece = p;
            if (rectIntersect(&piece, q)) pieces.push_back(piece);
        }
    }
    std::sort(pieces.begin(), pieces.end(), [](const Rect16& x, const Rect16& y) { return x.top < y.top || (x.top == y.top && x.left < y.left); });
    return pieces;
}

class RowSweepTest : public RegionTest {
protected:
    // The pieces joined by rgnMergeRects, in a region of their own: its rectangles and bounds.
    std::pair<Rects, Rect16> joined(const Rects& pieces) {
        memHandle rgn = makeRegion();
        auto* record = static_cast<RegionRecord*>(memDerefHandle(rgn));
        for (const Rect16& r : pieces) EXPECT_EQ(rgnInsertRect(rgn, &record, record->count, r), kErrNone);
        rgnMergeRects(record);
        return {rectsOf(rgn), boundsOf(rgn)};
    }
    ::testing::AssertionResult sweepsLikePairs(const Rects& a, const Rects& b) {
        RegionScratch<Rect16> kept;
        u32 pieces = 0;
        bool done = false;
        if (rgnIntersectByRows(a.data(), u32(a.size()), b.data(), u32(b.size()), kept, &pieces, &done) != kErrNone)
            return ::testing::AssertionFailure() << "failed";
        if (!done) return ::testing::AssertionFailure() << "refused lists that do not overlap";
        const Rects expectedPieces = pairPieces(a, b);
        if (pieces != expectedPieces.size())
            return ::testing::AssertionFailure() << pieces << " pieces, not " << expectedPieces.size();
        const Rects got(kept.data(), kept.data() + kept.size());
        if (got != joined(expectedPieces).first) return ::testing::AssertionFailure() << "rectangles differ";
        return ::testing::AssertionSuccess();
    }
};

// Regions whose rectangles often share edges and columns, so that pieces join in chains.
Rects latticeRects(std::mt19937& random, int count, int span, int lattice) {
    Rects rects;
    for (int k = 0; k < count; ++k) {
        const int left = int(random() % unsigned(span)) / lattice * lattice, top = int(random() % unsigned(span)) / lattice * lattice;
        const int w = lattice * (1 + int(random() % 4)), h = 1 + int(random() % unsigned(3 * lattice));
        rects.push_back(Rect16{i16(left - 40), i16(top - 40), i16(left - 40 + w), i16(top - 40 + h)});
    }
    return rects;
}

TEST_F(RowSweepTest, RandomRegionsMatchTheJoinedPairs) {
    struct Shape {
        const char* what;
        int count, span, lattice;
    };
    const Shape shapes[] = {{"sparse", 40, 200, 1}, {"dense", 120, 90, 1}, {"lattice", 150, 120, 8}, {"fine lattice", 300, 160, 2}};
    std::mt19937 random(7);
    for (const Shape& shape : shapes) {
        for (int trial = 0; trial < 12; ++trial) {
            const Rects a = rectsOf(makeRegion(latticeRects(random, shape.count, shape.span, shape.lattice)));
            const Rects b = rectsOf(makeRegion(latticeRects(random, shape.count, shape.span, shape.lattice)));
            ASSERT_TRUE(sweepsLikePairs(a, b)) << shape.what << " trial " << trial;
            ASSERT_TRUE(sweepsLikePairs(b, a)) << shape.what << " trial " << trial << " swapped";
        }
    }
}

TEST_F(RowSweepTest, EmptyAndDisjointListsGiveNoPieces) {
    const Rects some{R{0, 0, 10, 10}, R{20, 0, 30, 5}};
    const Rects below{R{0, 10, 10, 20}};
    const Rects right{R{10, 0, 20, 10}, R{30, 0, 40, 10}};
    for (const auto& [a, b] : {std::pair{some, Rects{}}, std::pair{Rects{}, some}, std::pair{some, below}, std::pair{some, right}})
        EXPECT_TRUE(sweepsLikePairs(a, b));
}

// A list with two rectangles that overlap, an empty one or one out of region order (a damaged
// stored region) is refused, wherever in the list that is; the same lists mended are swept.
TEST_F(RowSweepTest, DamagedListsAreRefused) {
    struct Case {
        const char* what;
        Rects damaged;
        Rects mended;
    };
    const Case cases[] = {
        {"empty column", {R{0, 0, 10, 5}, R{20, 3, 20, 9}}, {R{0, 0, 10, 5}, R{20, 3, 21, 9}}},
        {"bottom above top", {R{0, 0, 10, 5}, R{20, 3, 30, -30000}}, {R{0, 0, 10, 5}, R{20, 3, 30, 4}}},
        {"lefts falling in a run", {R{0, 0, 10, 5}, R{20, 6, 30, 9}, R{12, 6, 14, 9}}, {R{0, 0, 10, 5}, R{12, 6, 14, 9}, R{20, 6, 30, 9}}},
        {"lefts falling in a run beside a longer one", {R{15, 0, 18, 10}, R{20, 5, 30, 8}, R{12, 5, 14, 8}},
         {R{15, 0, 18, 10}, R{12, 5, 14, 8}, R{20, 5, 30, 8}}},
        {"top rising again", {R{0, 0, 10, 5}, R{0, 6, 10, 9}, R{20, 2, 30, 4}}, {R{0, 0, 10, 5}, R{20, 2, 30, 4}, R{0, 6, 10, 9}}},
        {"out of order below the other list", {R{0, 0, 5, 5}, R{0, 60, 5, 65}, R{0, 55, 5, 58}}, {R{0, 0, 5, 5}, R{0, 55, 5, 58}, R{0, 60, 5, 65}}},
        {"on one row", {R{0, 0, 10, 5}, R{5, 0, 15, 5}}, {R{0, 0, 10, 5}, R{10, 0, 15, 5}}},
        {"equal lefts", {R{0, 0, 10, 5}, R{0, 2, 4, 6}}, {R{0, 0, 10, 2}, R{0, 2, 4, 6}}},
        {"starting inside an earlier one", {R{0, 0, 20, 10}, R{22, 0, 30, 3}, R{25, 5, 28, 8}, R{5, 5, 8, 6}},
         {R{0, 0, 20, 5}, R{22, 0, 30, 3}, R{5, 5, 8, 6}, R{25, 5, 28, 8}}},
        {"in a run of two", {R{0, 0, 20, 10}, R{2, 5, 4, 8}, R{30, 5, 40, 8}}, {R{0, 0, 20, 5}, R{2, 5, 4, 8}, R{30, 5, 40, 8}}},
        {"in a run of six",
         {R{0, 0, 20, 10}, R{-9, 5, -8, 8}, R{-6, 5, -5, 7}, R{-3, 5, 1, 9}, R{21, 5, 22, 6}, R{23, 5, 24, 8}, R{25, 5, 40, 8}},
         {R{0, 0, 20, 10}, R{-9, 5, -8, 8}, R{-6, 5, -5, 7}, R{-3, 5, -1, 9}, R{21, 5, 22, 6}, R{23, 5, 24, 8}, R{25, 5, 40, 8}}},
        {"after an ended one", {R{0, 0, 20, 10}, R{22, 0, 24, 2}, R{21, 3, 30, 4}, R{19, 4, 21, 6}},
         {R{0, 0, 19, 10}, R{22, 0, 24, 2}, R{21, 3, 30, 4}, R{19, 4, 21, 6}}},
    };
    const Rects other{R{-50, -50, 50, 50}};
    for (const Case& c : cases) {
        for (bool ownSide : {true, false}) {
            RegionScratch<Rect16> kept;
            u32 pieces = 0;
            bool done = true;
            const Rects& a = ownSide ? c.damaged : other;
            const Rects& b = ownSide ? other : c.damaged;
            ASSERT_EQ(rgnIntersectByRows(a.data(), u32(a.size()), b.data(), u32(b.size()), kept, &pieces, &done), kErrNone);
            EXPECT_FALSE(done) << c.what << (ownSide ? " (own)" : " (given)");
            EXPECT_TRUE(ownSide ? sweepsLikePairs(c.mended, other) : sweepsLikePairs(other, c.mended)) << c.what;
        }
    }
}

// Long regions, as the screens' dirty areas are: the public intersection takes the sweep by
// rows and keeps the joined pairs and their bounds.
TEST_F(RowSweepTest, LongRegionIntersectionsKeepTheJoinedPairs) {
    std::mt19937 random(11);
    for (int trial = 0; trial < 4; ++trial) {
        Rects a, b;
        for (int k = 0; k < 700; ++k) {
            const int w = 4 + int(random() % 60), h = 4 + int(random() % 60);
            const int left = int(random() % unsigned(640 - w)), top = int(random() % unsigned(480 - h));
            a.push_back(Rect16{i16(left), i16(top), i16(left + w), i16(top + h)});
            b.push_back(Rect16{i16(left + 9), i16(top + 7), i16(left + w + 9), i16(top + h + 7)});
        }
        memHandle dst = makeRegion(a);
        memHandle src = makeRegion(b);
        const Rects own = rectsOf(dst), given = rectsOf(src);
        ASSERT_GE(given.size(), 256u) << "too short to be swept by rows";
        ASSERT_EQ(rgnIntersect(dst, src), kErrNone);
        const auto [rects, bounds] = joined(pairPieces(own, given));
        EXPECT_EQ(rectsOf(dst), rects) << "trial " << trial;
        EXPECT_TRUE(rectEqual(boundsOf(dst), bounds)) << "trial " << trial;
        EXPECT_TRUE(keepsInvariants(dst, true)) << "trial " << trial;
    }
}

// A long list with two overlapping rectangles (a damaged stored region) is refused by the
// sweep by rows and intersected by the sweep of one rectangle at a time; where the overlap
// lies right of everything the other list holds, that one too keeps every pair.
TEST_F(RowSweepTest, LongListsWithOverlapsAreSweptRectangleByRectangle) {
    Rects own;
    for (i16 k = 0; k < 300; ++k) own.push_back(R{i16(3 * (k % 20)), i16(2 * k), i16(3 * (k % 20) + 2), i16(2 * k + 1)});
    own.push_back(R{100, 101, 110, 121});
    own.push_back(R{105, 105, 115, 125});
    std::sort(own.begin(), own.end(), [](const Rect16& x, const Rect16& y) { return x.top < y.top || (x.top == y.top && x.left < y.left); });
    Rects given;
    for (i16 k = 0; k < 300; ++k) given.push_back(R{i16(k % 7), i16(2 * k), i16(k % 7 + 40), i16(2 * k + 2)});
    RegionScratch<Rect16> kept;
    u32 pieces = 0;
    bool done = true;
    ASSERT_EQ(rgnIntersectByRows(own.data(), u32(own.size()), given.data(), u32(given.size()), kept, &pieces, &done), kErrNone);
    ASSERT_FALSE(done);

    memHandle dst = memAllocHandle(u32(kRgnRecordSize + own.size() * sizeof(Rect16)));
    auto* record = static_cast<RegionRecord*>(memDerefHandle(dst));
    record->tag = kRgnTag;
    record->bounds = R{0, 0, 115, 599};
    record->capacity = u16(own.size());
    record->count = u16(own.size());
    std::copy(own.begin(), own.end(), rgnRects(record));
    memHandle src = makeRegion();
    for (const Rect16& r : given) ASSERT_EQ(rgnUnionRect(src, r), kErrNone);
    const Rects givenList = rectsOf(src);
    ASSERT_GE(givenList.size(), 256u);
    ASSERT_EQ(rgnIntersect(dst, src), kErrNone);
    EXPECT_EQ(rectsOf(dst), joined(pairPieces(own, givenList)).first);
    EXPECT_EQ(rgnDispose(dst), kErrNone);
}

}  // namespace
