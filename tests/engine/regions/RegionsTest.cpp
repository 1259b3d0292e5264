#include "engine/regions/Regions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "platform/memory/SystemMemory.h"
#include "tests/engine/regions/RegionTestSupport.h"

namespace {

using R = Rect16;
using Rects = std::vector<Rect16>;

// The process heap, refusing to hand out more than `limit` bytes in one block while armed,
// and refusing request number `refused` (from 0) whatever its size; counts the requests.
class CappedAllocator : public plat::SystemAllocator {
public:
    explicit CappedAllocator(size_t limit, long refused = -1) : limit_(limit), refused_(refused) {
        plat::setSystemAllocator(this);
    }
    ~CappedAllocator() override { plat::setSystemAllocator(nullptr); }
    void* allocate(size_t size) override { return refuses(size) ? nullptr : std::malloc(size ? size : 1); }
    void* reallocate(void* block, size_t size) override {
        return refuses(size) ? nullptr : std::realloc(block, size ? size : 1);
    }
    void release(void* block) override { std::free(block); }
    plat::MemoryStatus status() override { return {}; }
    long requests() const { return requests_; }

private:
    bool refuses(size_t size) { return (requests_++ == refused_) | (size > limit_); }

    size_t limit_;
    long refused_;
    long requests_ = 0;
};

TEST_F(RegionTest, NewRegionIsEmptyAndValid) {
    memHandle rgn = makeRegion();
    EXPECT_EQ(rgnIsEmpty(rgn), 1);
    EXPECT_TRUE(rgnIsValid(rgn));
    EXPECT_EQ(static_cast<const RegionRecord*>(memDerefHandle(rgn))->capacity, kRgnSlotGrowth);
}

TEST_F(RegionTest, AddingCoveredRectangleChangesNothing) {
    memHandle rgn = makeRegion({R{0, 0, 20, 20}, R{30, 0, 40, 10}});
    Rects before = rectsOf(rgn);
    EXPECT_EQ(rgnUnionRect(rgn, R{5, 5, 15, 15}), kErrNone);
    EXPECT_EQ(rectsOf(rgn), before);
    EXPECT_EQ(rgnUnionRect(rgn, R{5, 5, 5, 15}), kErrNone);
    EXPECT_EQ(rectsOf(rgn), before);
}

TEST_F(RegionTest, SideBySideRectanglesJoin) {
    memHandle rgn = makeRegion({R{0, 0, 10, 10}, R{10, 0, 20, 10}});
    EXPECT_EQ(rectsOf(rgn), (Rects{R{0, 0, 20, 10}}));
    EXPECT_EQ(boundsOf(rgn), (R{0, 0, 20, 10}));
}

TEST_F(RegionTest, CoveringRectangleReplacesEverything) {
    memHandle rgn = makeRegion({R{0, 0, 5, 5}, R{10, 2, 12, 30}, R{3, 20, 6, 25}});
    EXPECT_EQ(rgnUnionRect(rgn, R{-1, -1, 40, 40}), kErrNone);
    EXPECT_EQ(rectsOf(rgn), (Rects{R{-1, -1, 40, 40}}));
}

TEST_F(RegionTest, OverlapOfLowerHalfSplitsIntoThreeBands) {
    memHandle rgn = makeRegion({R{0, 0, 10, 10}, R{5, 5, 15, 15}});
    EXPECT_EQ(rectsOf(rgn), (Rects{R{0, 0, 10, 5}, R{0, 5, 15, 10}, R{5, 10, 15, 15}}));
    EXPECT_EQ(boundsOf(rgn), (R{0, 0, 15, 15}));
}

TEST_F(RegionTest, RectangleGrowingDownStaysInTopOrder) {
    // The new rectangle joins the one below it, while one to its right starts between them.
    memHandle rgn = makeRegion({R{20, 5, 30, 10}, R{0, 10, 10, 20}});
    EXPECT_EQ(rgnUnionRect(rgn, R{0, 0, 10, 10}), kErrNone);
    EXPECT_EQ(rectsOf(rgn), (Rects{R{0, 0, 10, 20}, R{20, 5, 30, 10}}));
}

TEST_F(RegionTest, ContainsPointExcludesRightAndBottomEdges) {
    memHandle rgn = makeRegion({R{0, 0, 10, 10}, R{20, 20, 30, 30}});
    EXPECT_EQ(rgnContainsPoint(rgn, {0, 0}), 1);
    EXPECT_EQ(rgnContainsPoint(rgn, {29, 29}), 1);
    EXPECT_EQ(rgnContainsPoint(rgn, {10, 5}), 0);
    EXPECT_EQ(rgnContainsPoint(rgn, {5, 10}), 0);
    EXPECT_EQ(rgnContainsPoint(rgn, {30, 25}), 0);
    EXPECT_EQ(rgnContainsPoint(rgn, {15, 15}), 0);
    EXPECT_EQ(rgnContainsPoint(makeRegion(), {0, 0}), 0);
}

TEST_F(RegionTest, IntersectWithEmptyRectangleEmptiesRegion) {
    memHandle rgn = makeRegion({R{0, 0, 10, 10}});
    EXPECT_EQ(rgnIntersectRect(rgn, R{5, 5, 5, 5}), kErrNone);
    EXPECT_EQ(rgnIsEmpty(rgn), 1);
    EXPECT_EQ(boundsOf(rgn), (R{0, 0, 0, 0}));
}

TEST_F(RegionTest, OperationsWithItselfChangeNothing) {
    memHandle rgn = makeRegion({R{0, 0, 10, 10}, R{5, 5, 15, 15}});
    Rects before = rectsOf(rgn);
    EXPECT_EQ(rgnIntersect(rgn, rgn), kErrNone);
    EXPECT_EQ(rgnUnion(rgn, rgn), kErrNone);
    EXPECT_EQ(rgnCopy(rgn, rgn), kErrNone);
    EXPECT_EQ(rectsOf(rgn), before);
}

TEST_F(RegionTest, IntersectClipsAndMerges) {
    memHandle rgn = makeRegion({R{0, 0, 10, 10}, R{5, 5, 15, 15}});
    EXPECT_EQ(rgnIntersectRect(rgn, R{5, 0, 10, 20}), kErrNone);
    // Three bands of equal columns join into one.
    EXPECT_EQ(rectsOf(rgn), (Rects{R{5, 0, 10, 15}}));
    EXPECT_EQ(boundsOf(rgn), (R{5, 0, 10, 15}));
    EXPECT_TRUE(rgnIsValid(rgn));
}

TEST_F(RegionTest, IntersectKeepsTallRectanglesAfterShortOnesPass) {
    // The short rectangle lies above the second given rectangle, the tall one does not.
    memHandle rgn = makeRegion({R{0, 0, 10, 100}, R{20, 1, 30, 2}});
    memHandle clip = makeRegion({R{0, 5, 30, 6}, R{0, 50, 10, 60}});
    EXPECT_EQ(rgnIntersect(rgn, clip), kErrNone);
    EXPECT_EQ(rectsOf(rgn), (Rects{R{0, 5, 10, 6}, R{0, 50, 10, 60}}));
}

TEST_F(RegionTest, IntersectWithEmptyRegionEmpties) {
    memHandle rgn = makeRegion({R{0, 0, 10, 10}});
    EXPECT_EQ(rgnIntersect(rgn, makeRegion()), kErrNone);
    EXPECT_EQ(rgnIsEmpty(rgn), 1);
}

TEST_F(RegionTest, BadHandlesAreRefused) {
    Rect16 r{0, 0, 1, 1};
    EXPECT_EQ(rgnUnionRect(0, r), kRgnErrBadRegion);
    EXPECT_EQ(rgnGetLastError(), kRgnErrBadRegion);
    EXPECT_EQ(rgnIntersectRect(0, r), kRgnErrBadRegion);
    EXPECT_EQ(rgnIsEmpty(0), -1);
    EXPECT_EQ(rgnContainsPoint(0, {0, 0}), -1);
    EXPECT_FALSE(rgnIsValid(0));
    memHandle empty = memAllocHandle(0);
    EXPECT_EQ(rgnOffset(empty, 1, 1), kRgnErrBadRegion);
    EXPECT_EQ(rgnUnion(empty, makeRegion()), kRgnErrBadRegion);
    memFreeHandle(empty);
    EXPECT_EQ(rgnCreate() != 0 ? rgnGetLastError() : u16(1), kErrNone);
}

TEST_F(RegionTest, RecordClaimingMoreSlotsThanItsBlockIsRefused) {
    memHandle rgn = makeRegion({R{0, 0, 10, 10}});
    static_cast<RegionRecord*>(memDerefHandle(rgn))->capacity = 1000;
    EXPECT_EQ(rgnUnionRect(rgn, R{20, 20, 30, 30}), kRgnErrBadRegion);
    static_cast<RegionRecord*>(memDerefHandle(rgn))->capacity = kRgnSlotGrowth;
}

TEST_F(RegionTest, DisposeClearsTagAndKeepsItWhenRefused) {
    memHandle rgn = makeRegion();
    auto* record = static_cast<RegionRecord*>(memLockHandle(rgn));
    EXPECT_EQ(rgnDispose(rgn), kMemErrHandleLocked);
    EXPECT_EQ(record->tag, kRgnTag);
    memUnlockHandle(rgn);
    forget(rgn);
    EXPECT_EQ(rgnDispose(rgn), kErrNone);
    EXPECT_FALSE(rgnIsValid(rgn));
}

TEST_F(RegionTest, CopySetEmptyResetAndOffset) {
    memHandle src = makeRegion({R{0, 0, 10, 10}, R{5, 5, 15, 15}});
    memHandle dst = makeRegion({R{100, 100, 101, 101}});
    EXPECT_EQ(rgnCopy(dst, src), kErrNone);
    EXPECT_EQ(rectsOf(dst), rectsOf(src));
    EXPECT_EQ(boundsOf(dst), boundsOf(src));

    EXPECT_EQ(rgnOffset(dst, 10, -5), kErrNone);
    EXPECT_EQ(rectsOf(dst).front(), (R{10, -5, 20, 0}));
    EXPECT_EQ(boundsOf(dst), (R{10, -5, 25, 10}));

    EXPECT_EQ(rgnResetToRect(dst, R{1, 2, 3, 4}), kErrNone);
    EXPECT_EQ(rectsOf(dst), (Rects{R{1, 2, 3, 4}}));
    EXPECT_EQ(boundsOf(dst), (R{1, 2, 3, 4}));

    EXPECT_EQ(rgnSetEmpty(dst), kErrNone);
    EXPECT_EQ(rgnIsEmpty(dst), 1);
    EXPECT_EQ(boundsOf(dst), (R{0, 0, 0, 0}));
}

TEST_F(RegionTest, ResetToEmptyRectangleGivesEmptyRegion) {
    memHandle rgn = makeRegion({R{0, 0, 10, 10}});
    EXPECT_EQ(rgnResetToRect(rgn, R{5, 5, 2, 9}), kErrNone);
    EXPECT_EQ(rgnIsEmpty(rgn), 1);
}

TEST_F(RegionTest, CapacityGrowsBySixteenAndShrinksBack) {
    memHandle rgn = makeRegion();
    for (i16 k = 0; k < 40; ++k) ASSERT_EQ(rgnUnionRect(rgn, R{i16(3 * k), 0, i16(3 * k + 2), 2}), kErrNone);
    const auto* record = static_cast<const RegionRecord*>(memDerefHandle(rgn));
    EXPECT_EQ(record->count, 40);
    EXPECT_EQ(record->capacity, 48);
    EXPECT_EQ(u32(memGetHandleSize(rgn)), kRgnRecordSize + 48 * sizeof(Rect16));
    EXPECT_EQ(rgnUnionRect(rgn, R{0, 0, 200, 2}), kErrNone);
    record = static_cast<const RegionRecord*>(memDerefHandle(rgn));
    EXPECT_EQ(record->count, 1);
    EXPECT_EQ(record->capacity, 16);
}

// 70 separate columns of different heights under one wide rectangle: adding the rectangle
// leaves one pending piece per column.
Rects staggeredColumns() {
    Rects columns;
    for (i16 k = 0; k < 70; ++k) columns.push_back(R{i16(3 * k), 10, i16(3 * k + 2), i16(20 + k)});
    return columns;
}

TEST_F(RegionTest, TooManyPendingPiecesFailsAndKeepsTheRegion) {
    memHandle rgn = makeRegion(staggeredColumns());
    Rects before = rectsOf(rgn);
    Rect16 boundsBefore = boundsOf(rgn);
    EXPECT_EQ(rgnUnionRect(rgn, R{0, 0, 210, 15}), kRgnErrTooManyPieces);
    EXPECT_EQ(rgnGetLastError(), kRgnErrTooManyPieces);
    EXPECT_EQ(rectsOf(rgn), before);
    EXPECT_EQ(boundsOf(rgn), boundsBefore);
}

TEST_F(RegionTest, FailedUnionKeepsRectanglesAddedBefore) {
    memHandle rgn = makeRegion(staggeredColumns());
    memHandle src = makeRegion({R{-50, -50, -40, -40}, R{0, 0, 210, 15}});
    EXPECT_EQ(rgnUnion(rgn, src), kRgnErrTooManyPieces);
    EXPECT_EQ(rgnContainsPoint(rgn, {-45, -45}), 1);
    EXPECT_EQ(rgnContainsPoint(rgn, {2, 2}), 0);
    EXPECT_TRUE(keepsInvariants(rgn, false));
}

TEST_F(RegionTest, BlockThatCannotGrowLeavesRegionWhole) {
    memHandle rgn = makeRegion();
    for (i16 k = 0; k < 16; ++k) ASSERT_EQ(rgnUnionRect(rgn, R{i16(3 * k), 0, i16(3 * k + 2), 2}), kErrNone);
    Rects before = rectsOf(rgn);
    Rect16 boundsBefore = boundsOf(rgn);
    {
        CappedAllocator capped(256);
        EXPECT_EQ(rgnUnionRect(rgn, R{0, 5, 10, 6}), kMemErrOutOfMemory);
    }
    EXPECT_EQ(rectsOf(rgn), before);
    EXPECT_EQ(boundsOf(rgn), boundsBefore);
    EXPECT_EQ(rgnUnionRect(rgn, R{0, 5, 10, 6}), kErrNone);
    EXPECT_EQ(rectsOf(rgn).size(), 17u);
}

TEST_F(RegionTest, UnionThatCannotAllocateItsWorkingSpaceLeavesTheRegionWhole) {
    memHandle rgn = makeRegion();
    for (i16 k = 0; k < 40; ++k) ASSERT_EQ(rgnUnionRect(rgn, R{i16(3 * k), 0, i16(3 * k + 2), 2}), kErrNone);
    Rects before = rectsOf(rgn);
    Rect16 boundsBefore = boundsOf(rgn);
    {
        // Covering all 40 rectangles takes more changes than the union keeps track of without
        // allocating; the allocation fails.
        CappedAllocator capped(300);
        EXPECT_EQ(rgnUnionRect(rgn, R{-1, -1, 200, 3}), kMemErrOutOfMemory);
    }
    EXPECT_EQ(rectsOf(rgn), before);
    EXPECT_EQ(boundsOf(rgn), boundsBefore);
    EXPECT_EQ(rgnUnionRect(rgn, R{-1, -1, 200, 3}), kErrNone);
    EXPECT_EQ(rectsOf(rgn), (Rects{R{-1, -1, 200, 3}}));
}

TEST_F(RegionTest, IntersectionThatCannotAllocateKeepsRegion) {
    memHandle rgn = makeRegion({R{0, 0, 10, 10}});
    {
        CappedAllocator capped(0);
        EXPECT_EQ(rgnIntersectRect(rgn, R{5, 5, 20, 20}), kMemErrOutOfMemory);
    }
    EXPECT_EQ(rectsOf(rgn), (Rects{R{0, 0, 10, 10}}));
}

// Long intersections allocate working space at several steps (columns, pieces, their order,
// the join's tables, the result): with every allocation size capped lower in turn, each
// either fails with the memory error and leaves the region as it was, or gives the whole
// result.
TEST_F(RegionTest, LongIntersectionThatCannotAllocateKeepsRegion) {
    Rects a, b;
    for (i16 k = 0; k < 120; ++k) {
        a.push_back(R{i16(-32768 + 7 * k), i16(-32768 + 3 * k), i16(-32768 + 7 * k + 40), i16(-32768 + 3 * k + 9)});
        b.push_back(R{i16(-32768 + 5 * k), i16(-32768 + 3 * k + 1), i16(-32768 + 5 * k + 30), i16(-32768 + 3 * k + 8)});
    }
    memHandle src = makeRegion(b);
    memHandle expected = makeRegion(a);
    ASSERT_EQ(rgnIntersect(expected, src), kErrNone);
    int failures = 0;
    for (size_t cap = 0; cap < 40000; cap += 24) {
        memHandle rgn = makeRegion(a);
        const Rects before = rectsOf(rgn);
        const Rect16 boundsBefore = boundsOf(rgn);
        EngineErr error;
        {
            CappedAllocator capped(cap);
            error = rgnIntersect(rgn, src);
        }
        if (error == kErrNone) {
            EXPECT_EQ(rectsOf(rgn), rectsOf(expected)) << cap;
            EXPECT_EQ(boundsOf(rgn), boundsOf(expected)) << cap;
        } else {
            ++failures;
            EXPECT_EQ(error, kMemErrOutOfMemory) << cap;
            EXPECT_EQ(rectsOf(rgn), before) << cap;
            EXPECT_EQ(boundsOf(rgn), boundsBefore) << cap;
        }
        forget(rgn);
        EXPECT_EQ(rgnDispose(rgn), kErrNone);
    }
    EXPECT_GT(failures, 0);
    EXPECT_LT(failures, 40000 / 24);
}

// A stored region: big-endian tag, bounds, capacity, count, then the slots.
std::vector<u8> storedRegion(u16 capacity, u16 count, const Rects& rects) {
    std::vector<u8> bytes(kRgnRecordSize + capacity * sizeof(Rect16));
    writeBE32(bytes.data(), kRgnTag);
    writeBE16(bytes.data() + 12, capacity);
    writeBE16(bytes.data() + 14, count);
    u8* p = bytes.data() + 4;
    Rect16 bounds{};
    for (const Rect16& r : rects) rectUnion(&bounds, r);
    for (i16 v : {bounds.left, bounds.top, bounds.right, bounds.bottom}) writeBE16(p, u16(v)), p += 2;
    p = bytes.data() + kRgnRecordSize;
    for (const Rect16& r : rects)
        for (i16 v : {r.left, r.top, r.right, r.bottom}) writeBE16(p, u16(v)), p += 2;
    return bytes;
}

// Long intersections of stored lists in top order whose pieces the join by left takes in the
// order found; of damaged ones it refuses them, and they are found again in region order,
// joined there or, refused again, merged. With each allocation refused in turn, each either
// fails with the memory error and leaves the region as it was, or gives the whole result.
TEST_F(RegionTest, LongIntersectionsRefusedAnyAllocationKeepTheRegion) {
    struct Case {
        const char* what;
        Rects own;
        Rects given;
    };
    const Case cases[] = {
        {"sound", {R{0, 3, 10, 6}, R{0, 6, 10, 8}, R{0, 8, 4, 9}}, {R{0, 0, 10, 7}, R{0, 7, 10, 20}}},
        {"one left out of top order", {R{0, 3, 10, 4}, R{2, 4, 10, 12}}, {R{0, 0, 10, 20}, R{2, 3, 10, 4}}},
        {"one left overlapping", {R{0, 3, 10, 6}, R{2, 10, 10, 12}}, {R{0, 0, 10, 20}, R{2, 4, 10, 8}}},
    };
    auto stored = [](const Rects& rects) {
        std::vector<u8> bytes = storedRegion(u16(rects.size()), u16(rects.size()), rects);
        EXPECT_EQ(rgnSwapBytes(bytes.data(), u32(bytes.size())), kErrNone);
        memHandle rgn = memAllocHandle(u32(bytes.size()));
        std::memcpy(memDerefHandle(rgn), bytes.data(), bytes.size());
        return rgn;
    };
    for (const Case& c : cases) {
        // A row of one-pixel pieces makes the count long.
        Rects own, given{R{100, -5, 2000, -4}};
        for (i16 k = 0; k < 70; ++k) own.push_back(R{i16(100 + 2 * k), -5, i16(101 + 2 * k), -4});
        own.insert(own.end(), c.own.begin(), c.own.end());
        given.insert(given.end(), c.given.begin(), c.given.end());
        memHandle src = stored(given);
        memHandle expected = stored(own);
        long requests = 0;
        {
            CappedAllocator counting(SIZE_MAX);
            ASSERT_EQ(rgnIntersect(expected, src), kErrNone) << c.what;
            requests = counting.requests();
        }
        int failures = 0;
        for (long refused = 0; refused < requests; ++refused) {
            memHandle rgn = stored(own);
            const Rect16 boundsBefore = boundsOf(rgn);
            EngineErr error;
            {
                CappedAllocator capped(SIZE_MAX, refused);
                error = rgnIntersect(rgn, src);
            }
            if (error == kErrNone) {
                EXPECT_EQ(rectsOf(rgn), rectsOf(expected)) << c.what << ", " << refused;
                EXPECT_EQ(boundsOf(rgn), boundsOf(expected)) << c.what << ", " << refused;
            } else {
                ++failures;
                EXPECT_EQ(error, kMemErrOutOfMemory) << c.what << ", " << refused;
                EXPECT_EQ(rectsOf(rgn), own) << c.what << ", " << refused;
                EXPECT_EQ(boundsOf(rgn), boundsBefore) << c.what << ", " << refused;
            }
            EXPECT_EQ(memFreeHandle(rgn), kErrNone);
        }
        EXPECT_GT(failures, 0) << c.what;
        for (memHandle rgn : {src, expected}) EXPECT_EQ(memFreeHandle(rgn), kErrNone);
    }
}

TEST_F(RegionTest, StoredRegionIsConvertedToNativeOrder) {
    std::vector<u8> bytes = storedRegion(16, 2, {R{0, 0, 10, 10}, R{-5, 300, 20, 400}});
    ASSERT_EQ(rgnSwapBytes(bytes.data(), u32(bytes.size())), kErrNone);
    memHandle rgn = memAllocHandle(u32(bytes.size()));
    std::memcpy(memDerefHandle(rgn), bytes.data(), bytes.size());
    EXPECT_TRUE(rgnIsValid(rgn));
    EXPECT_EQ(rectsOf(rgn), (Rects{R{0, 0, 10, 10}, R{-5, 300, 20, 400}}));
    EXPECT_EQ(boundsOf(rgn), (R{-5, 0, 20, 400}));
    EXPECT_EQ(rgnContainsPoint(rgn, {0, 350}), 1);
    EXPECT_EQ(rgnDispose(rgn), kErrNone);
}

TEST_F(RegionTest, StoredRegionLargerThanItsResourceIsRefused) {
    std::vector<u8> bytes = storedRegion(16, 2, {R{0, 0, 10, 10}, R{20, 0, 30, 10}});
    std::vector<u8> original = bytes;
    // Capacity beyond the bytes read.
    EXPECT_EQ(rgnSwapBytes(bytes.data(), u32(bytes.size()) - 1), kRgnErrStoredSize);
    EXPECT_EQ(rgnGetLastError(), kRgnErrStoredSize);
    // Count beyond the capacity.
    writeBE16(bytes.data() + 14, 17);
    EXPECT_EQ(rgnSwapBytes(bytes.data(), u32(bytes.size())), kRgnErrStoredSize);
    writeBE16(bytes.data() + 14, 2);
    // Too short for the record itself.
    EXPECT_EQ(rgnSwapBytes(bytes.data(), 15), kRgnErrStoredSize);
    EXPECT_EQ(bytes, original);
}

// A stored region is checked for its size only: a damaged one can hold empty rectangles,
// even ones whose bottom lies far above their top. Intersections of it end (a watchdog stops
// the program if not), touch only its block and keep the sound rectangles.
TEST_F(RegionTest, IntersectingADamagedStoredRegionEnds) {
    struct Damage {
        const char* what;
        Rect16 rect;
    };
    const Damage damages[] = {{"empty row", R{20, 3, 30, 3}},
                              {"empty column", R{20, 3, 20, 9}},
                              {"bottom above every top", R{20, 3, 30, -30000}}};
    for (const Damage& damage : damages) {
        Rects rects;
        // Enough rectangles that the pieces are joined through an index by row.
        for (i16 k = 0; k < 70; ++k) rects.push_back(R{0, i16(2 * k), 10, i16(2 * k + 1)});
        rects.insert(rects.begin() + 2, damage.rect);
        std::vector<u8> bytes = storedRegion(80, u16(rects.size()), rects);
        ASSERT_EQ(rgnSwapBytes(bytes.data(), u32(bytes.size())), kErrNone);
        memHandle rgn = memAllocHandle(u32(bytes.size()));
        std::memcpy(memDerefHandle(rgn), bytes.data(), bytes.size());
        auto finished = std::make_shared<std::promise<EngineErr>>();
        std::future<EngineErr> result = finished->get_future();
        std::thread([rgn, finished] { finished->set_value(rgnIntersectRect(rgn, R{-100, -32000, 100, 200})); }).detach();
        if (result.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            ADD_FAILURE() << damage.what << ": the intersection did not end";
            std::_Exit(1);
        }
        EXPECT_EQ(result.get(), kErrNone) << damage.what;
        EXPECT_TRUE(rgnIsValid(rgn)) << damage.what;
        Rects kept = rectsOf(rgn);
        for (i16 k = 0; k < 70; ++k)
            EXPECT_NE(std::find(kept.begin(), kept.end(), R{0, i16(2 * k), 10, i16(2 * k + 1)}), kept.end()) << damage.what << " " << k;
        EXPECT_EQ(rgnDispose(rgn), kErrNone);
    }
}

TEST_F(RegionTest, AlternateTagIsAcceptedOthersAreNot) {
    memHandle rgn = makeRegion();
    auto* record = static_cast<RegionRecord*>(memDerefHandle(rgn));
    record->tag = kRgnTagAlternate;
    EXPECT_TRUE(rgnIsValid(rgn));
    record->tag = fourCC("RGN ");
    EXPECT_FALSE(rgnIsValid(rgn));
    record->tag = kRgnTag;
}

TEST_F(RegionTest, InsertRectGrowsAndFollowsTheBlock) {
    memHandle rgn = makeRegion();
    auto* record = static_cast<RegionRecord*>(memDerefHandle(rgn));
    for (i16 k = 0; k < 17; ++k) ASSERT_EQ(rgnInsertRect(rgn, &record, 0, R{k, k, i16(k + 1), i16(k + 1)}), kErrNone);
    EXPECT_EQ(record, memDerefHandle(rgn));
    EXPECT_EQ(record->capacity, 32);
    EXPECT_EQ(rgnRects(record)[0], (R{16, 16, 17, 17}));
    EXPECT_EQ(rgnInsertRect(rgn, &record, 40, R{0, 0, 1, 1}), kRgnErrBadRegion);
}

TEST_F(RegionTest, MergeJoinsEqualColumnsAndRecomputesBounds) {
    memHandle rgn = makeRegion();
    auto* record = static_cast<RegionRecord*>(memDerefHandle(rgn));
    for (const Rect16& r : {R{0, 0, 10, 5}, R{20, 0, 30, 5}, R{0, 5, 10, 8}, R{0, 8, 10, 9}, R{20, 6, 30, 9}})
        ASSERT_EQ(rgnInsertRect(rgn, &record, record->count, r), kErrNone);
    EXPECT_EQ(rgnMergeRects(record), 3);
    EXPECT_EQ(rectsOf(rgn), (Rects{R{0, 0, 10, 9}, R{20, 0, 30, 5}, R{20, 6, 30, 9}}));
    EXPECT_EQ(boundsOf(rgn), (R{0, 0, 30, 9}));
}

}  // namespace
