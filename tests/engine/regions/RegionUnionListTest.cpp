// The union's working list: changes made around a moving gap give the list a plain vector
// would hold, the block grows exactly when a full list takes one more, changes are taken
// back exactly, scans never start past a rectangle reaching their row, and the change limit
// that stops damaged lists holds at its edge.
#include "engine/regions/RegionUnionList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "tests/engine/regions/RegionTestSupport.h"

namespace {

using R = Rect16;
using Rects = std::vector<Rect16>;

// A region's block holding `rects` in a block of `capacity` slots.
memHandle blockOf(const Rects& rects, u16 capacity) {
    memHandle rgn = memAllocHandle(kRgnRecordSize + u32(capacity) * sizeof(Rect16));
    auto* record = static_cast<RegionRecord*>(memDerefHandle(rgn));
    *record = RegionRecord{kRgnTag, Rect16{}, capacity, u16(rects.size())};
    std::copy(rects.begin(), rects.end(), rgnRects(record));
    return rgn;
}

RegionRecord* recordOf(memHandle rgn) { return static_cast<RegionRecord*>(memDerefHandle(rgn)); }

// Damaged rectangles too: the list keeps whatever it is given.
Rect16 anyRect(std::mt19937& random) {
    auto edge = [&] { return i16(int(random() % 40) - 8); };
    return R{edge(), edge(), edge(), edge()};
}

Rects anyRects(std::mt19937& random, int most) {
    Rects rects;
    for (int k = int(random() % unsigned(most)); k > 0; --k) rects.push_back(anyRect(random));
    return rects;
}

// The slots a region holding `rects` keeps after a union.
u16 slotsFor(const Rects& rects) { return u16((rects.size() / kRgnSlotGrowth + 1) * kRgnSlotGrowth); }

// Makes one random change to both, returning the list's result.
EngineErr changeBoth(RegionUnionList& list, Rects& model, std::mt19937& random) {
    const int count = int(model.size());
    switch (count == 0 ? 0 : random() % 4) {
    case 0: {
        const int at = int(random() % unsigned(count + 1));
        const Rect16 r = anyRect(random);
        const EngineErr error = list.insert(at, r);
        if (error == kErrNone) model.insert(model.begin() + at, r);
        return error;
    }
    case 1: {
        const int at = int(random() % unsigned(count));
        model.erase(model.begin() + at);
        return list.remove(at);
    }
    case 2: {
        const int from = int(random() % unsigned(count)), at = int(random() % unsigned(from + 1));
        const Rect16 r = anyRect(random);
        model.erase(model.begin() + from);
        model.insert(model.begin() + at, r);
        return list.replace(from, at, r);
    }
    default: {
        const int at = int(random() % unsigned(count));
        const i16 bottom = anyRect(random).bottom;
        model[size_t(at)].bottom = bottom;
        return list.setBottom(at, bottom);
    }
    }
}

TEST_F(RegionTest, ChangesAroundTheGapGiveThePlainList) {
    std::mt19937 random(31);
    for (int trial = 0; trial < 300; ++trial) {
        Rects model = anyRects(random, 40);
        const u16 capacity = slotsFor(model);
        memHandle rgn = blockOf(model, capacity);
        u32 expectedCapacity = capacity;
        {
            RegionUnionList list(rgn, recordOf(rgn));
            for (int k = int(random() % 60); k > 0; --k) {
                const bool full = int(model.size()) == list.record()->capacity;
                const size_t before = model.size();
                ASSERT_EQ(changeBoth(list, model, random), kErrNone) << "trial " << trial;
                // The block grows by 16 slots exactly when a full list takes one more.
                if (full && model.size() > before) expectedCapacity += kRgnSlotGrowth;
                ASSERT_EQ(list.record()->capacity, expectedCapacity) << "trial " << trial;
                ASSERT_EQ(list.count(), int(model.size()));
                for (int i = 0; i < list.count(); ++i) ASSERT_EQ(list[i], model[size_t(i)]) << "trial " << trial;
            }
            list.close();
        }
        EXPECT_EQ(rectsOf(rgn), model) << "trial " << trial;
        EXPECT_EQ(u32(memGetHandleSize(rgn)), kRgnRecordSize + expectedCapacity * sizeof(Rect16));
        memFreeHandle(rgn);
    }
}

// Long runs of insertions into one list, each finding the gap used up: the gap opens again
// and again, as a union of a long source region opens it, and the list stays the plain one.
TEST_F(RegionTest, GapOpenedManyTimesGivesThePlainList) {
    struct Case {
        const char* what;
        int inserted;
        bool atEnd;
    };
    const Case cases[] = {{"a few at the end", 40, true}, {"many at the end", 2000, true}, {"many anywhere", 2000, false}};
    std::mt19937 random(34);
    for (const Case& c : cases) {
        Rects model;
        memHandle rgn = blockOf(model, slotsFor(model));
        {
            RegionUnionList list(rgn, recordOf(rgn));
            for (int k = 0; k < c.inserted; ++k) {
                const int at = c.atEnd ? list.count() : int(random() % unsigned(list.count() + 1));
                const R r{i16(k), 0, i16(k + 1), 1};
                ASSERT_EQ(list.insert(at, r), kErrNone) << c.what << " " << k;
                model.insert(model.begin() + at, r);
                list.keep();
            }
            list.close();
        }
        EXPECT_EQ(rectsOf(rgn), model) << c.what;
        EXPECT_EQ(recordOf(rgn)->capacity, (c.inserted / kRgnSlotGrowth + (c.inserted % kRgnSlotGrowth != 0)) * kRgnSlotGrowth)
            << c.what;
        memFreeHandle(rgn);
    }
}

TEST_F(RegionTest, ChangesTakenBackLeaveTheListAsKept) {
    std::mt19937 random(32);
    for (int trial = 0; trial < 300; ++trial) {
        Rects model = anyRects(random, 40);
        memHandle rgn = blockOf(model, slotsFor(model));
        {
            RegionUnionList list(rgn, recordOf(rgn));
            // Kept changes, then changes taken back, crossing block growth now and then.
            for (int k = int(random() % 10); k > 0; --k) ASSERT_EQ(changeBoth(list, model, random), kErrNone);
            list.keep();
            Rects discarded = model;
            for (int k = int(random() % 40); k > 0; --k) ASSERT_EQ(changeBoth(list, discarded, random), kErrNone);
            list.takeBack();
            list.close();
        }
        EXPECT_EQ(rectsOf(rgn), model) << "trial " << trial;
        memFreeHandle(rgn);
    }
}

// Every rectangle before a scan's start lies wholly above the row, damaged ones included,
// also after changes that move rectangles across the index's runs.
TEST_F(RegionTest, ScansStartBeforeEveryRectangleReachingTheirRow) {
    std::mt19937 random(33);
    for (int trial = 0; trial < 300; ++trial) {
        Rects model = anyRects(random, 90);
        std::sort(model.begin(), model.end(), [](const R& a, const R& b) { return a.top < b.top; });
        memHandle rgn = blockOf(model, slotsFor(model));
        {
            RegionUnionList list(rgn, recordOf(rgn));
            for (int step = 0; step < 30; ++step) {
                const i16 row = i16(int(random() % 48) - 12);
                const int start = list.scanStart(row);
                ASSERT_LE(start, list.count());
                for (int i = 0; i < start; ++i) {
                    ASSERT_TRUE(list[i].top < row && list[i].bottom < row)
                        << "trial " << trial << " row " << row << " index " << i << " start " << start;
                }
                if (random() % 2 == 0) {
                    ASSERT_EQ(changeBoth(list, model, random), kErrNone);
                }
            }
            list.close();
        }
        memFreeHandle(rgn);
    }
}

// Lists of every length up to 40 in blocks with no spare slot, with the gap a removal leaves
// at every place: the scans that read several rectangles at a time find what the plain loops
// find over the list without a gap, and read nothing outside the block.
TEST_F(RegionTest, ScansAcrossTheGapFindWhatThePlainLoopsFind) {
    std::mt19937 random(35);
    for (int length = 0; length <= 40; ++length) {
        for (int gapAt = 0; gapAt <= length; ++gapAt) {
            Rects model;
            for (int k = 0; k <= length; ++k) model.push_back(anyRect(random));
            memHandle rgn = blockOf(model, u16(model.size()));
            {
                RegionUnionList list(rgn, recordOf(rgn));
                ASSERT_EQ(list.remove(gapAt), kErrNone);
                model.erase(model.begin() + gapAt);
                const R a = anyRect(random);
                const R r{std::min(a.left, a.right), std::min(a.top, a.bottom), i16(std::max(a.left, a.right) + 1),
                          i16(std::max(a.top, a.bottom) + 1)};
                for (int from = 0; from <= length; ++from) {
                    for (int placed : {-1, 0}) {
                        int placeAt = placed, plainPlaceAt = placed;
                        ASSERT_EQ(list.skipPassing(from, r, placeAt),
                                  rgnSkipPassingPlain(model.data(), from, length, r, plainPlaceAt))
                            << length << " gap at " << gapAt << " from " << from;
                        ASSERT_EQ(placeAt, plainPlaceAt) << length << " gap at " << gapAt << " from " << from;
                    }
                    ASSERT_EQ(list.lastMeetingColumns(from, r), rgnLastMeetingColumnsPlain(model.data(), 0, from, r))
                        << length << " gap at " << gapAt << " before " << from;
                }
                list.close();
            }
            memFreeHandle(rgn);
        }
    }
}

// 64 changes per rectangle held plus 64 × 64: the last allowed and the next refused, for the
// changes counted once and for a replacement counted twice.
TEST_F(RegionTest, ChangeLimitHoldsAtItsEdge) {
    struct Case {
        const char* what;
        int held;
        bool replaceLast;
    };
    const Case cases[] = {{"empty list", 0, false}, {"one held", 1, false}, {"replacement at the edge", 3, true}};
    for (const Case& c : cases) {
        const Rects rects(size_t(c.held), R{0, 0, 1, 1});
        memHandle rgn = blockOf(rects, slotsFor(rects));
        {
            RegionUnionList list(rgn, recordOf(rgn));
            const int limit = 64 * (c.held + 64);
            // Bottom changes up to one short of the limit (two short before a replacement).
            list.insert(0, R{0, 0, 4, 4});
            for (int k = 1; k < limit - (c.replaceLast ? 2 : 1); ++k) ASSERT_EQ(list.setBottom(0, 3), kErrNone) << c.what;
            if (c.replaceLast) {
                ASSERT_EQ(list.replace(1, 0, R{0, 0, 2, 2}), kErrNone) << c.what;
                EXPECT_EQ(list.replace(1, 0, R{0, 0, 2, 2}), kRgnErrBadRegion) << c.what;
            } else {
                ASSERT_EQ(list.setBottom(0, 2), kErrNone) << c.what;
                EXPECT_EQ(list.setBottom(0, 1), kRgnErrBadRegion) << c.what;
                EXPECT_EQ(list.remove(0), kRgnErrBadRegion) << c.what;
                EXPECT_EQ(list.insert(0, R{0, 0, 1, 1}), kRgnErrBadRegion) << c.what;
            }
            // Taking the changes back and keeping starts the count again.
            list.takeBack();
            list.keep();
            EXPECT_EQ(list.insert(0, R{0, 0, 4, 4}), kErrNone) << c.what;
            list.close();
        }
        memFreeHandle(rgn);
    }
}

// The longest lists a block can hold, full and one short of full: the first scan reads and
// indexes every run, the next one halves over them all, and a list that would need slots past
// 65535 is refused by the memory check and left as it was.
TEST_F(RegionTest, LongestListsAreIndexedWholeAndStopAtTheSlotLimit) {
    struct Case {
        u16 capacity;
        int held;
        EngineErr expected;
    };
    const Case cases[] = {{65520, 65519, kErrNone}, {65520, 65520, kMemErrOutOfMemory},
                          {65535, 65534, kErrNone}, {65535, 65535, kMemErrOutOfMemory}};
    for (const Case& c : cases) {
        // Separate pixels, 256 to a row, in order.
        Rects rects;
        for (int k = 0; k < c.held; ++k) {
            const i16 x = i16(2 * (k % 256)), y = i16(2 * (k / 256));
            rects.push_back(R{x, y, i16(x + 1), i16(y + 1)});
        }
        memHandle rgn = blockOf(rects, c.capacity);
        recordOf(rgn)->bounds = R{0, 0, 511, 511};
        // One below every rectangle, then one already covered half way up.
        const R below{0, 600, 1, 601};
        memHandle src = makeRegion({below});
        ASSERT_EQ(rgnUnionRect(src, rects[rects.size() / 2]), kErrNone);
        EXPECT_EQ(rgnUnion(rgn, src), c.expected) << c.held;
        EXPECT_EQ(rgnGetLastError(), c.expected) << c.held;
        const RegionRecord* record = recordOf(rgn);
        if (c.expected == kErrNone) rects.push_back(below);
        EXPECT_EQ(record->capacity, c.capacity) << c.held;
        EXPECT_EQ(record->bounds, (R{0, 0, 511, c.expected == kErrNone ? i16(601) : i16(511)})) << c.held;
        EXPECT_TRUE(rectsOf(rgn) == rects) << c.held;
        memFreeHandle(rgn);
    }
}

}  // namespace
