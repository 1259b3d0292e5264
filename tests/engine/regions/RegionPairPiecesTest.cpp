// The pairing against the plain definition of an intersection: every overlapping pair, the
// given list's order first, each pair's overlap a piece, the pieces stably sorted by top and
// left; through the public intersection, those pieces joined by rgnMergeRects.
#include "engine/regions/RegionPairPieces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/regions/RegionColumnJoin.h"
#include "tests/engine/regions/RegionTestSupport.h"

namespace {

using R = Rect16;
using Rects = std::vector<Rect16>;

// Every overlapping pair in the order the pairing meets them: by given rectangle, then by own.
Rects foundPairs(const Rects& own, const Rects& given) {
    Rects pieces;
    for (const Rect16& r : given) {
        for (const Rect16& s : own) {
            Rect16 piece = s;
            if (rectIntersect(&piece, r)) pieces.push_back(piece);
        }
    }
    return pieces;
}

Rects pairPieces(const Rects& own, const Rects& given) {
    Rects pieces = foundPairs(own, given);
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const Rect16& x, const Rect16& y) { return x.top < y.top || (x.top == y.top && x.left < y.left); });
    return pieces;
}

// Rectangles in top order that may overlap, as a damaged stored region holds them, with tops
// and lefts often shared so that equal pieces come up.
Rects overlappingRects(std::mt19937& random, int count, int span) {
    Rects rects;
    for (int k = 0; k < count; ++k) {
        const int left = int(random() % unsigned(span)) / 2 * 2 - 30, top = int(random() % unsigned(span)) / 2 * 2 - 30;
        rects.push_back(R{i16(left), i16(top), i16(left + 1 + int(random() % 12)), i16(top + 1 + int(random() % 12))});
    }
    std::stable_sort(rects.begin(), rects.end(), [](const Rect16& x, const Rect16& y) { return x.top < y.top; });
    return rects;
}

class PairPiecesTest : public RegionTest {
protected:
    // A region block holding the rectangles as they are, as a damaged stored region would;
    // disposed by the caller.
    static memHandle storedRegion(const Rects& rects) {
        memHandle rgn = memAllocHandle(u32(kRgnRecordSize + rects.size() * sizeof(Rect16)));
        auto* record = static_cast<RegionRecord*>(memDerefHandle(rgn));
        record->tag = kRgnTag;
        record->bounds = rects.empty() ? Rect16{} : rects[0];
        for (const Rect16& r : rects) rectUnion(&record->bounds, r);
        record->capacity = u16(rects.size());
        record->count = u16(rects.size());
        std::copy(rects.begin(), rects.end(), rgnRects(record));
        return rgn;
    }
    ::testing::AssertionResult pairsLikeModel(const Rects& own, const Rects& given) {
        RegionScratch<Rect16> pieces;
        bool done = false;
        if (rgnPairPieces(own.data(), u32(own.size()), given.data(), u32(given.size()), pieces, &done) != kErrNone)
            return ::testing::AssertionFailure() << "failed";
        if (!done) return ::testing::AssertionFailure() << "refused lists in top order";
        const Rects got(pieces.data(), pieces.data() + pieces.size());
        const Rects expected = pairPieces(own, given);
        if (got != expected) return ::testing::AssertionFailure() << got.size() << " pieces, expected " << expected.size();
        return ::testing::AssertionSuccess();
    }
    // The public intersection against the pairs joined by rgnMergeRects in a region of their
    // own: rectangles and bounds.
    ::testing::AssertionResult intersectsLikeModel(memHandle dst, memHandle src) {
        const Rects own = rectsOf(dst), given = rectsOf(src);
        memHandle model = makeRegion();
        auto* record = static_cast<RegionRecord*>(memDerefHandle(model));
        for (const Rect16& r : pairPieces(own, given)) EXPECT_EQ(rgnInsertRect(model, &record, record->count, r), kErrNone);
        rgnMergeRects(record);
        if (rgnIntersect(dst, src) != kErrNone) return ::testing::AssertionFailure() << "failed";
        if (rectsOf(dst) != rectsOf(model)) return ::testing::AssertionFailure() << "rectangles differ";
        if (!rectEqual(boundsOf(dst), boundsOf(model))) return ::testing::AssertionFailure() << "bounds differ";
        return ::testing::AssertionSuccess();
    }
};

// Lists from 1 to 1200 rectangles, each way round, both sound and overlapping ones.
TEST_F(PairPiecesTest, ListsInTopOrderGiveThePairsInRegionOrder) {
    std::mt19937 random(21);
    for (const int count : {1, 2, 7, 8, 9, 40, 300, 1200}) {
        const Rects sound = rectsOf(makeRegion(overlappingRects(random, count, 40 + count)));
        const Rects other = rectsOf(makeRegion(overlappingRects(random, count, 40 + count)));
        const Rects overlapping = overlappingRects(random, count, 40 + count / 4);
        EXPECT_TRUE(pairsLikeModel(sound, other)) << count;
        EXPECT_TRUE(pairsLikeModel(other, sound)) << count << " swapped";
        EXPECT_TRUE(pairsLikeModel(overlapping, other)) << count << " overlapping own";
        EXPECT_TRUE(pairsLikeModel(other, overlapping)) << count << " overlapping given";
    }
    EXPECT_TRUE(pairsLikeModel({}, {R{0, 0, 5, 5}}));
    EXPECT_TRUE(pairsLikeModel({R{0, 0, 5, 5}}, {}));
}

// Either list with a top less than the one before or an empty rectangle is refused, leaving
// the pieces untouched; the same lists at the limit (tops equal, one pixel wide or high) are
// paired.
TEST_F(PairPiecesTest, ListsOutOfTopOrderOrWithEmptyRectanglesAreRefused) {
    struct Case {
        const char* what;
        Rects list;
        bool paired;
    };
    const Case cases[] = {
        {"tops equal", {R{0, 0, 5, 5}, R{9, 3, 12, 6}, R{6, 3, 8, 9}}, true},
        {"top one less", {R{0, 0, 5, 5}, R{9, 3, 12, 6}, R{6, 2, 8, 9}}, false},
        {"first two out of order", {R{0, 1, 5, 5}, R{9, 0, 12, 6}}, false},
        {"last of many out of order", {R{0, 0, 1, 1}, R{0, 1, 1, 2}, R{0, 2, 1, 3}, R{0, 3, 1, 4}, R{0, 4, 1, 5}, R{0, 3, 1, 9}}, false},
        {"one pixel wide", {R{0, 0, 5, 5}, R{9, 3, 10, 6}}, true},
        {"no width", {R{0, 0, 5, 5}, R{9, 3, 9, 6}}, false},
        {"one pixel wide, second of three", {R{0, 0, 5, 5}, R{9, 3, 10, 6}, R{0, 7, 1, 8}}, true},
        {"no width, second of three", {R{0, 0, 5, 5}, R{9, 3, 9, 6}, R{0, 7, 1, 8}}, false},
        {"no height, third of three", {R{0, 0, 5, 5}, R{9, 3, 10, 6}, R{0, 7, 1, 7}}, false},
        {"one pixel high", {R{0, 0, 5, 5}, R{9, 3, 12, 4}}, true},
        {"no height", {R{0, 0, 5, 5}, R{9, 3, 12, 3}}, false},
        {"bottom above top", {R{0, 0, 5, 5}, R{9, 3, 12, 2}, R{0, 7, 1, 8}}, false},
        {"first empty", {R{4, 0, 4, 5}}, false},
    };
    const Rects other{R{-50, -50, 50, 50}};
    for (const Case& c : cases) {
        for (bool ownSide : {true, false}) {
            const Rects& own = ownSide ? c.list : other;
            const Rects& given = ownSide ? other : c.list;
            RegionScratch<Rect16> pieces;
            ASSERT_EQ(pieces.push(R{1, 2, 3, 4}), kErrNone);
            bool done = !c.paired;
            ASSERT_EQ(rgnPairPieces(own.data(), u32(own.size()), given.data(), u32(given.size()), pieces, &done), kErrNone);
            EXPECT_EQ(done, c.paired) << c.what << (ownSide ? " (own)" : " (given)");
            const Rects untouched{R{1, 2, 3, 4}};
            if (!c.paired) {
                EXPECT_EQ(Rects(pieces.data(), pieces.data() + pieces.size()), untouched) << c.what;
            }
        }
    }
}

// The eight-at-a-time test against the plain one, over columns with every edge relation
// (equal, one less, one more) to the rectangle tested.
TEST_F(PairPiecesTest, EightAtATimeFindsWhatThePlainTestFinds) {
    std::mt19937 random(5);
    std::vector<i16> left(72), top(72), right(72), bottom(72);
    for (int trial = 0; trial < 400; ++trial) {
        const Rect16 r{i16(int(random() % 9) - 4), i16(int(random() % 9) - 4), i16(int(random() % 9) + 5), i16(int(random() % 9) + 5)};
        for (size_t i = 0; i < left.size(); ++i) {
            left[i] = i16(int(random() % 20) - 10);
            top[i] = i16(int(random() % 20) - 10);
            right[i] = i16(left[i] + 1 + int(random() % 12));
            bottom[i] = i16(top[i] + 1 + int(random() % 12));
        }
        const RgnColumns c{left.data(), top.data(), right.data(), bottom.data()};
        for (u32 from = 0; from + 8 <= left.size(); from += 7)
            ASSERT_EQ(rgnOverlapsEight(c, from, r), rgnOverlapsEightPlain(c, from, r)) << "trial " << trial << " from " << from;
    }
}

// Long regions, as the screens' dirty areas are, each way round.
TEST_F(PairPiecesTest, LongRegionIntersectionsKeepTheJoinedPairs) {
    std::mt19937 random(11);
    for (int trial = 0; trial < 4; ++trial) {
        Rects a, b;
        for (int k = 0; k < 700; ++k) {
            const int w = 4 + int(random() % 60), h = 4 + int(random() % 60);
            const int left = int(random() % unsigned(640 - w)), top = int(random() % unsigned(480 - h));
            a.push_back(Rect16{i16(left), i16(top), i16(left + w), i16(top + h)});
            b.push_back(Rect16{i16(left + 9), i16(top + 7), i16(left + w + 9), i16(top + h + 7)});
        }
        EXPECT_TRUE(intersectsLikeModel(makeRegion(a), makeRegion(b))) << "trial " << trial;
        EXPECT_TRUE(intersectsLikeModel(makeRegion(b), makeRegion(a))) << "trial " << trial << " swapped";
    }
}

// A long stored region in top order with two rectangles that overlap (a damaged one): its
// pieces overlap too, the join by left refuses them, and the pieces are joined as
// rgnMergeRects joins them.
TEST_F(PairPiecesTest, LongListsWithOverlapsKeepTheJoinedPairs) {
    Rects own;
    for (i16 k = 0; k < 300; ++k) own.push_back(R{i16(3 * (k % 20)), i16(2 * k), i16(3 * (k % 20) + 2), i16(2 * k + 1)});
    own.push_back(R{100, 101, 110, 104});
    own.push_back(R{100, 103, 115, 107});
    std::sort(own.begin(), own.end(), [](const Rect16& x, const Rect16& y) { return x.top < y.top || (x.top == y.top && x.left < y.left); });
    memHandle dst = storedRegion(own);
    memHandle src = makeRegion();
    for (i16 k = 0; k < 300; ++k) ASSERT_EQ(rgnUnionRect(src, R{i16(k % 7), i16(2 * k), i16(k % 7 + 140), i16(2 * k + 2)}), kErrNone);
    EXPECT_TRUE(intersectsLikeModel(dst, src));
    EXPECT_EQ(rgnDispose(dst), kErrNone);
}

// Damaged lists with several rectangles of one top and left: each one joins the first later
// one not yet joined whose left and right match, as rgnMergeRects passes over the others,
// whether the pieces are few or many (a row of one-pixel rectangles makes up the count on
// either side of where the long-list join starts).
TEST_F(PairPiecesTest, RepeatedTopsAndLeftsJoinTheFirstMatchNotJoined) {
    struct Case {
        const char* what;
        Rects damaged;
        size_t joinedCount;
    };
    const Case cases[] = {
        {"two pairs", {R{0, 0, 5, 10}, R{0, 0, 5, 10}, R{0, 10, 5, 20}, R{0, 10, 5, 20}}, 2},
        {"first below of another right", {R{0, 0, 5, 10}, R{0, 10, 7, 20}, R{0, 10, 5, 20}}, 2},
        {"chain through a repeated one", {R{0, 0, 5, 10}, R{0, 0, 5, 10}, R{0, 10, 5, 20}, R{0, 10, 5, 20}, R{0, 20, 5, 30}}, 2},
    };
    for (const Case& c : cases) {
        for (const i16 filler : {i16(59), i16(60), i16(61), i16(200)}) {
            Rects own;
            for (i16 k = 0; k < filler; ++k) own.push_back(R{i16(100 + 2 * k), -5, i16(101 + 2 * k), -4});
            own.insert(own.end(), c.damaged.begin(), c.damaged.end());
            memHandle dst = storedRegion(own);
            memHandle src = makeRegion({R{-1000, -1000, 1000, 1000}});
            EXPECT_TRUE(intersectsLikeModel(dst, src)) << c.what << ", " << filler << " more";
            EXPECT_EQ(rectsOf(dst).size(), size_t(filler) + c.joinedCount) << c.what << ", " << filler << " more";
            EXPECT_EQ(rgnDispose(dst), kErrNone);
        }
    }
}

// Overlapping lists on either side, long enough for the join by left to refuse them and
// near both ends of the coordinate range, against the pairs joined by rgnMergeRects.
TEST_F(PairPiecesTest, LongOverlappingListsAtTheCoordinateEndsJoinAsMerged) {
    std::mt19937 random(17);
    for (int trial = 0; trial < 40; ++trial) {
        const int origin = trial % 2 == 0 ? INT16_MIN : INT16_MAX - 80;
        auto damaged = [&](int count) {
            Rects rects;
            for (int k = 0; k < count; ++k) {
                const int left = origin + int(random() % 64) / 4 * 4, top = origin + int(random() % 64) / 2 * 2;
                const int width = 4 * (1 + int(random() % 3)), height = 1 + int(random() % 12);
                rects.push_back(R{i16(left), i16(top), i16(std::min(left + width, int(INT16_MAX))),
                                  i16(std::min(top + height, int(INT16_MAX)))});
            }
            std::stable_sort(rects.begin(), rects.end(), [](const Rect16& x, const Rect16& y) { return x.top < y.top; });
            return rects;
        };
        const Rects own = damaged(60 + trial * 4), given = damaged(30 + trial * 2);
        memHandle dst = storedRegion(own), src = storedRegion(given);
        EXPECT_TRUE(intersectsLikeModel(dst, src)) << "trial " << trial;
        EXPECT_EQ(rgnDispose(dst), kErrNone);
        EXPECT_EQ(rgnDispose(src), kErrNone);
    }
}

// The new region holds at most 65520 rectangles: one more is refused with the memory error
// and the region kept as it was. The pieces found on the way may be more, as long as they
// join into what a region holds.
TEST_F(PairPiecesTest, ResultsPastWhatARegionHoldsAreRefused) {
    // Cells apart, cells touching down columns so that they all join, or cells apart but for
    // the last one, which joins the first of the lowest row.
    enum class Cells { apart, joining, lastJoins };
    struct Case {
        u32 count;
        Cells cells;
        EngineErr expected;
    };
    const Case cases[] = {{65520, Cells::apart, kErrNone},
                          {65521, Cells::apart, kMemErrOutOfMemory},
                          {65521, Cells::joining, kErrNone},
                          {65521, Cells::lastJoins, kErrNone}};
    for (const Case& c : cases) {
        Rects own, joined;
        for (u32 k = 0; k < c.count; ++k) {
            const i16 column = i16(k % 256), row = i16(k / 256);
            if (c.cells == Cells::joining) {
                own.push_back(R{i16(2 * row), i16(-32768 + column), i16(2 * row + 1), i16(-32767 + column)});
                if (column == 0) joined.push_back(own.back());
                joined.back().bottom = own.back().bottom;
            } else if (c.cells == Cells::lastJoins && k + 1 == c.count) {
                own.push_back(R{0, i16(2 * row + 1), 1, i16(2 * row + 2)});
                joined[256 * u32(row)].bottom = i16(2 * row + 2);
            } else {
                own.push_back(R{i16(2 * column), i16(2 * row), i16(2 * column + 1), i16(2 * row + 1)});
                joined.push_back(own.back());
            }
        }
        std::stable_sort(own.begin(), own.end(), [](const Rect16& x, const Rect16& y) { return x.top < y.top; });
        memHandle dst = storedRegion(own);
        const Rect16 bounds = boundsOf(dst);
        EXPECT_EQ(rgnIntersectRect(dst, R{-32768, -32768, 32767, 32767}), c.expected) << c.count;
        // When refused, the region is kept as it was.
        EXPECT_EQ(rectsOf(dst), c.expected == kErrNone ? joined : own) << c.count;
        EXPECT_TRUE(rectEqual(boundsOf(dst), bounds)) << c.count;
        // A result of 65520 rectangles joined from more pieces fills the most slots a block has.
        if (c.cells == Cells::lastJoins) {
            EXPECT_EQ(static_cast<const RegionRecord*>(memDerefHandle(dst))->capacity, 65520);
        }
        EXPECT_EQ(rgnDispose(dst), kErrNone);
    }
}

// The result's block has the slots inserting its pieces one by one would have grown it to,
// given back down to 16 × (count / 16 + 1): pieces that fill their slots keep them.
TEST_F(PairPiecesTest, ResultSlotsFollowThePieces) {
    const struct {
        u32 cells;
        u16 slots;
    } cases[] = {{1, 16}, {15, 16}, {16, 16}, {17, 32}, {32, 32}, {33, 48}, {65520, 65520}};
    for (const auto& c : cases) {
        Rects own;
        for (u32 k = 0; k < c.cells; ++k) {
            const i16 column = i16(k % 256), row = i16(k / 256);
            own.push_back(R{i16(2 * column), i16(2 * row), i16(2 * column + 1), i16(2 * row + 1)});
        }
        memHandle dst = storedRegion(own);
        EXPECT_EQ(rgnIntersectRect(dst, R{-32768, -32768, 32767, 32767}), kErrNone) << c.cells;
        EXPECT_EQ(static_cast<const RegionRecord*>(memDerefHandle(dst))->capacity, c.slots) << c.cells;
        EXPECT_EQ(rgnDispose(dst), kErrNone);
    }
}

// Two regions whose 131072 pieces join back into the 256 columns of one of them.
TEST_F(PairPiecesTest, PiecesFarPastWhatARegionHoldsJoin) {
    Rects columns, rows;
    for (i16 x = 0; x < 256; ++x) columns.push_back(R{i16(2 * x), 0, i16(2 * x + 1), 512});
    for (i16 y = 0; y < 512; ++y) rows.push_back(R{0, y, i16(600 + y % 2), i16(y + 1)});
    memHandle dst = storedRegion(columns), src = storedRegion(rows);
    EXPECT_EQ(rgnIntersect(dst, src), kErrNone);
    EXPECT_EQ(rectsOf(dst), columns);
    EXPECT_EQ(rgnDispose(dst), kErrNone);
    EXPECT_EQ(rgnDispose(src), kErrNone);
}


// Rectangles, which may overlap, in a square of `span` from a corner near either end of the
// coordinate range; in top order.
Rects rectsNear(std::mt19937& random, int count, int origin, int span) {
    Rects rects;
    for (int k = 0; k < count; ++k) {
        const int left = origin + int(random() % unsigned(span)), top = origin + int(random() % unsigned(span));
        const int width = 1 + int(random() % 20), height = 1 + int(random() % 20);
        rects.push_back(R{i16(left), i16(top), i16(std::min(left + width, int(INT16_MAX))), i16(std::min(top + height, int(INT16_MAX)))});
    }
    std::stable_sort(rects.begin(), rects.end(), [](const Rect16& x, const Rect16& y) { return x.top < y.top; });
    return rects;
}

// The pieces in the order found, on either side of where the own list is held column by
// column, for sound and overlapping lists near both ends of the coordinate range.
TEST_F(PairPiecesTest, PiecesAreFoundByGivenThenOwnRectangle) {
    std::mt19937 random(29);
    for (const int origin : {int(INT16_MIN), -40, int(INT16_MAX) - 60}) {
        for (const int ownCount : {15, 16, 17, 200}) {
            const Rects sound = rectsOf(makeRegion(rectsNear(random, ownCount, origin, 40)));
            const Rects overlapping = rectsNear(random, ownCount, origin, 40);
            const Rects given = rectsOf(makeRegion(rectsNear(random, 30, origin, 40)));
            for (const Rects* own : {&sound, &overlapping}) {
                RegionScratch<Rect16> found;
                RgnPieceRows rows{};
                bool done = false;
                ASSERT_EQ(rgnFindPieces(own->data(), u32(own->size()), given.data(), u32(given.size()), found, &rows, &done), kErrNone);
                ASSERT_TRUE(done);
                const Rects got(found.data(), found.data() + found.size());
                EXPECT_EQ(got, foundPairs(*own, given)) << origin << ", " << own->size() << " own";
                for (const Rect16& piece : got) {
                    EXPECT_GE(piece.top, rows.first) << origin;
                    EXPECT_LE(piece.top, rows.last) << origin;
                }
            }
        }
    }
}

// The rows the pieces start on reach down to the own list's lowest bottom wherever it lies:
// in the first block of eight turned into columns, a later one, or the rectangles after the
// last block. Every other rectangle ends near the top, so only the tall one meets the given.
TEST_F(PairPiecesTest, TheLowestBottomIsFoundInAnyBlockOfEight) {
    struct Case {
        u32 ownCount;
        u32 tallAt;
    };
    const Case cases[] = {{16, 0}, {16, 7}, {17, 8}, {24, 0}, {24, 15}, {23, 17}, {40, 3}};
    for (const Case& c : cases) {
        Rects own;
        for (u32 i = 0; i < c.ownCount; ++i) {
            const i16 left = i16(3 * i), top = i16(i);
            own.push_back(R{left, top, i16(left + 2), i16(i == c.tallAt ? INT16_MAX : top + 2)});
        }
        const Rects given{R{-10, 20000, 200, INT16_MAX}};
        RegionScratch<Rect16> found;
        RgnPieceRows rows{};
        bool done = false;
        ASSERT_EQ(rgnFindPieces(own.data(), c.ownCount, given.data(), 1, found, &rows, &done), kErrNone);
        ASSERT_TRUE(done);
        const Rects got(found.data(), found.data() + found.size());
        EXPECT_EQ(got, (Rects{R{i16(3 * c.tallAt), 20000, i16(3 * c.tallAt + 2), INT16_MAX}})) << c.ownCount << ", " << c.tallAt;
        EXPECT_EQ(rows.last, INT16_MAX - 1) << c.ownCount << ", " << c.tallAt;
        EXPECT_TRUE(pairsLikeModel(own, given)) << c.ownCount << ", " << c.tallAt;
    }
}

// Sorting keeps pieces of equal top and left in their order whether the rows are counted
// (at most kRgnCountedRowsPerPiece rows a piece) or the pieces sorted (one row more), and for
// few pieces.
TEST_F(PairPiecesTest, SortingPiecesIsStableOnBothSidesOfTheCountedRows) {
    std::mt19937 random(31);
    for (const u32 count : {32u, 33u, 40u}) {
        for (const u32 rows : {kRgnCountedRowsPerPiece * count, kRgnCountedRowsPerPiece * count + 1}) {
            const i32 firstTop = INT16_MIN;
            Rects pieces;
            for (u32 k = 0; k < count; ++k) {
                // Tops and lefts from a few values so that many pieces share both; the right
                // tells them apart.
                const i32 top = k == 0 ? firstTop : k == 1 ? firstTop + i32(rows) - 1 : firstTop + i32(random() % 4) * i32(rows / 4);
                const i16 left = i16(int(random() % 3) - 1);
                pieces.push_back(R{left, i16(top), i16(left + 1 + i16(k)), i16(top + 1)});
            }
            RegionScratch<Rect16> sorted;
            ASSERT_EQ(rgnSortPieces(pieces.data(), count, firstTop, firstTop + i32(rows) - 1, sorted), kErrNone);
            Rects expected = pieces;
            std::stable_sort(expected.begin(), expected.end(),
                             [](const Rect16& x, const Rect16& y) { return x.top < y.top || (x.top == y.top && x.left < y.left); });
            EXPECT_EQ(Rects(sorted.data(), sorted.data() + sorted.size()), expected) << count << " pieces over " << rows << " rows";
        }
    }
}

// Long intersections join their pieces in the order found and sort only those kept; where a
// list overlaps itself so that pieces of one left come out of top order, they are found again
// in region order. Either way the result is the joined pairs, on both sides of the piece count
// where the join by left starts (a row of one-pixel fillers makes up the count).
TEST_F(PairPiecesTest, JoiningInTheOrderFoundGivesTheJoinedPairs) {
    struct Case {
        const char* what;
        Rects own;
        Rects given;
    };
    const Case cases[] = {
        // The second given rectangle lies inside the first: its piece of left 2 ends where
        // the first one's of left 2 starts, found before it; the two join.
        {"one left out of top order", {R{0, 3, 10, 4}, R{2, 4, 10, 12}}, {R{0, 0, 10, 20}, R{2, 3, 10, 4}}},
        {"one left overlapping", {R{0, 3, 10, 6}, R{2, 10, 10, 12}}, {R{0, 0, 10, 20}, R{2, 4, 10, 8}}},
        {"repeated given rectangle", {R{0, 3, 10, 6}, R{0, 6, 10, 8}}, {R{0, 0, 10, 20}, R{0, 0, 10, 20}}},
        {"sound, joining down one column", {R{0, 3, 10, 6}, R{0, 6, 10, 8}, R{0, 8, 4, 9}}, {R{0, 0, 10, 7}, R{0, 7, 10, 20}}},
    };
    for (const Case& c : cases) {
        for (const i16 filler : {i16(59), i16(60), i16(61), i16(300)}) {
            Rects own, given{R{100, -5, 2000, -4}};
            for (i16 k = 0; k < filler; ++k) own.push_back(R{i16(100 + 2 * k), -5, i16(101 + 2 * k), -4});
            own.insert(own.end(), c.own.begin(), c.own.end());
            given.insert(given.end(), c.given.begin(), c.given.end());
            memHandle dst = storedRegion(own), src = storedRegion(given);
            EXPECT_TRUE(intersectsLikeModel(dst, src)) << c.what << ", " << filler << " fillers";
            EXPECT_EQ(rgnDispose(dst), kErrNone);
            EXPECT_EQ(rgnDispose(src), kErrNone);
        }
    }
}

// Sound regions near both ends of the coordinate range, and one-pixel columns against
// one-pixel rows (pieces that join nothing) and against a column (pieces that all join).
TEST_F(PairPiecesTest, LongIntersectionsAtTheExtremesKeepTheJoinedPairs) {
    std::mt19937 random(37);
    for (const int origin : {int(INT16_MIN), int(INT16_MAX) - 120}) {
        for (int trial = 0; trial < 6; ++trial) {
            const Rects a = rectsNear(random, 100 + 40 * trial, origin, 120);
            const Rects b = rectsNear(random, 100 + 40 * trial, origin, 120);
            EXPECT_TRUE(intersectsLikeModel(makeRegion(a), makeRegion(b))) << origin << ", trial " << trial;
        }
    }
    Rects columns, rows, column;
    for (i16 k = 0; k < 100; ++k) {
        columns.push_back(R{i16(INT16_MIN + 2 * k), INT16_MIN, i16(INT16_MIN + 2 * k + 1), i16(INT16_MIN + 300)});
        rows.push_back(R{INT16_MIN, i16(INT16_MIN + 2 * k), i16(INT16_MIN + 300), i16(INT16_MIN + 2 * k + 1)});
        column.push_back(R{i16(INT16_MAX - 1), i16(INT16_MAX - 200 + 2 * k), INT16_MAX, i16(INT16_MAX - 198 + 2 * k)});
    }
    EXPECT_TRUE(intersectsLikeModel(makeRegion(columns), makeRegion(rows))) << "columns and rows";
    EXPECT_TRUE(intersectsLikeModel(makeRegion(rows), makeRegion(columns))) << "rows and columns";
    memHandle stacked = storedRegion(column);
    EXPECT_TRUE(intersectsLikeModel(makeRegion({R{i16(INT16_MAX - 1), i16(INT16_MAX - 300), INT16_MAX, INT16_MAX}}), stacked));
    EXPECT_EQ(rgnDispose(stacked), kErrNone);
}

// Long intersections whose lefts spread too far for the join's table are joined by the
// merge instead, the pieces sorted as found: the limit and one column past it.
TEST_F(PairPiecesTest, WidelySpreadLongIntersectionsJoinAsMerged) {
    // 62 fillers, a far one and two pieces that join: 65 pieces, lefts from 0 to 100 + far.
    const i16 limit = i16(kRgnJoinLeftsPerPiece * 65 - 101);
    for (const i16 far : {limit, i16(limit + 1)}) {
        Rects own;
        for (i16 k = 0; k < 62; ++k) own.push_back(R{i16(100 + 2 * k), -5, i16(101 + 2 * k), -4});
        own.push_back(R{i16(100 + far), -5, i16(101 + far), -4});
        own.push_back(R{0, 0, 5, 4});
        own.push_back(R{0, 4, 5, 9});
        memHandle dst = storedRegion(own);
        EXPECT_TRUE(intersectsLikeModel(dst, makeRegion({R{-1000, -1000, 2000, 1000}}))) << far;
        EXPECT_EQ(rectsOf(dst).size(), size_t(64)) << far;
        EXPECT_EQ(rgnDispose(dst), kErrNone);
    }
}

}  // namespace
