// The engine's union against the slow, obvious one, field by field after every call, over
// sound regions of many sizes and over damaged stored ones (inverted, empty, out of order,
// overlapping, at the ends of the 16-bit range).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <random>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/regions/Regions.h"
#include "tests/RefusingAllocator.h"
#include "tests/engine/regions/RegionTestSupport.h"
#include "tests/engine/regions/RegionUnionModel.h"

namespace {


using Rects = std::vector<Rect16>;

// A region's block holding the model's fields as they stand, damaged or not.
memHandle regionFrom(const RegionModel& model) {
    memHandle rgn = memAllocHandle(kRgnRecordSize + u32(model.capacity) * sizeof(Rect16));
    auto* record = static_cast<RegionRecord*>(memDerefHandle(rgn));
    *record = RegionRecord{kRgnTag, model.bounds, model.capacity, u16(model.rects.size())};
    std::copy(model.rects.begin(), model.rects.end(), rgnRects(record));
    return rgn;
}

::testing::AssertionResult sameAsModel(memHandle rgn, const RegionModel& model) {
    const auto* record = static_cast<const RegionRecord*>(memDerefHandle(rgn));
    if (record->tag != kRgnTag) return ::testing::AssertionFailure() << "tag changed";
    if (!(record->bounds == model.bounds)) return ::testing::AssertionFailure() << "bounds differ";
    if (record->capacity != model.capacity)
        return ::testing::AssertionFailure() << "capacity " << record->capacity << ", expected " << model.capacity;
    if (u32(memGetHandleSize(rgn)) != kRgnRecordSize + u32(model.capacity) * sizeof(Rect16))
        return ::testing::AssertionFailure() << "block size does not match the capacity";
    if (rectsOf(rgn) != model.rects) {
        return ::testing::AssertionFailure()
               << "rectangles differ: " << record->count << " against " << model.rects.size();
    }
    return ::testing::AssertionSuccess();
}

// Edges from a narrow range, so that equal edges are common, and now and then the extremes.
class Edges {
public:
    explicit Edges(unsigned seed) : random_(seed) {}
    i16 edge(int span) {
        switch (random_() % 32) {
        case 0: return INT16_MIN;
        case 1: return INT16_MAX;
        default: return i16(int(random_() % unsigned(span)) - 4);
        }
    }
    Rect16 sound(int span, int largest) {
        const int left = int(random_() % unsigned(span)), top = int(random_() % unsigned(span));
        return Rect16{i16(left), i16(top), i16(left + 1 + int(random_() % unsigned(largest))),
                      i16(top + 1 + int(random_() % unsigned(largest)))};
    }
    Rect16 any(int span) { return Rect16{edge(span), edge(span), edge(span), edge(span)}; }
    int below(int n) { return int(random_() % unsigned(n)); }

private:
    std::mt19937 random_;
};

// Adds the rectangles one call at a time to both, comparing after each. An empty rectangle
// leaves the region alone, its slots included.
void addAndCompare(memHandle rgn, RegionModel& model, const Rects& added, const char* what, int trial) {
    for (size_t k = 0; k < added.size(); ++k) {
        const EngineErr expected = rectIsEmpty(added[k]) ? kErrNone : regionModelUnion(model, {added[k]});
        ASSERT_EQ(rgnUnionRect(rgn, added[k]), expected) << what << " trial " << trial << " rect " << k;
        ASSERT_TRUE(sameAsModel(rgn, model)) << what << " trial " << trial << " rect " << k;
    }
}

TEST_F(RegionTest, UnionsOfSoundRegionsMatchTheModel) {
    struct Scale {
        const char* what;
        int trials;
        int rects;
        int span;
        int largest;
    };
    // Small spans give many shared edges and joins; the last is the benchmark's screen.
    const Scale scales[] = {{"tiny", 400, 12, 12, 6},   {"small", 200, 60, 40, 16},
                            {"wide", 60, 200, 200, 60}, {"tall strips", 40, 150, 100, 90},
                            {"screen", 4, 1000, 740, 64}};
    Edges edges(21);
    for (const Scale& scale : scales) {
        for (int trial = 0; trial < scale.trials; ++trial) {
            Rects added;
            for (int k = 0; k < scale.rects; ++k) added.push_back(edges.sound(scale.span, scale.largest));
            RegionModel model;
            memHandle rgn = makeRegion();
            addAndCompare(rgn, model, added, scale.what, trial);
        }
    }
}

// A union's list is not fixed by the pixels it covers: the same rectangles in the other order
// may leave another list, which every faster union has to leave too. Each order is held
// against the model field by field after every call.
TEST_F(RegionTest, TheUnionsListDependsOnTheOrderOfItsRectangles) {
    struct Case {
        const char* what;
        Rect16 first, second;
        bool listsDiffer;
    };
    const Case cases[] = {{"a piece starting inside one of its columns", {0, 0, 10, 20}, {0, 10, 10, 30}, true},
                          {"a wider one over the lower part", {5, 0, 15, 20}, {0, 10, 20, 30}, false},
                          {"side by side", {0, 0, 10, 10}, {10, 0, 20, 10}, false},
                          {"one below the other", {0, 0, 10, 10}, {0, 10, 10, 20}, false},
                          {"overlapping the lower half", {0, 0, 10, 10}, {5, 5, 15, 15}, false},
                          {"one inside the other", {0, 0, 20, 20}, {5, 5, 10, 10}, false}};
    for (const Case& c : cases) {
        RegionModel forwardModel, backwardModel;
        memHandle forward = makeRegion(), backward = makeRegion();
        addAndCompare(forward, forwardModel, {c.first, c.second}, c.what, 0);
        addAndCompare(backward, backwardModel, {c.second, c.first}, c.what, 1);
        EXPECT_TRUE(PixelGrid::of(rectsOf(forward)) == PixelGrid::of(rectsOf(backward))) << c.what;
        EXPECT_EQ(rectsOf(forward) != rectsOf(backward), c.listsDiffer) << c.what;
    }
}

TEST_F(RegionTest, UnionsOfDamagedRegionsMatchTheModel) {
    Edges edges(22);
    for (int trial = 0; trial < 3000; ++trial) {
        RegionModel model;
        const int count = edges.below(trial % 10 == 0 ? 120 : 24);
        // Mostly sound rectangles with a few damaged ones among them, or damage throughout.
        const bool throughout = trial % 3 == 0;
        for (int k = 0; k < count; ++k) {
            const bool damaged = throughout || edges.below(8) == 0;
            model.rects.push_back(damaged ? edges.any(24) : edges.sound(24, 10));
        }
        if (trial % 2 == 0) std::sort(model.rects.begin(), model.rects.end(), [](const Rect16& a, const Rect16& b) {
            return a.top < b.top || (a.top == b.top && a.left < b.left);
        });
        model.capacity = u16((count / kRgnSlotGrowth + 1 + edges.below(2)) * kRgnSlotGrowth);
        model.bounds = edges.any(24);
        memHandle rgn = regionFrom(model);
        Rects added;
        for (int k = 0; k < 6; ++k) added.push_back(edges.below(4) == 0 ? edges.any(24) : edges.sound(24, 12));
        addAndCompare(rgn, model, added, "damaged", trial);
        memFreeHandle(rgn);
        if (HasFatalFailure()) return;
    }
}

// Found by the random comparison above: a stored list whose inverted and overlapping
// rectangles make the union cut and join the same pieces for ever. The union stops (a
// watchdog ends the program if not), refuses the rectangle as a bad region and leaves the
// list as it was, as the model does.
TEST_F(RegionTest, DamagedListThatKeepsAUnionGoingIsRefused) {
    RegionModel model;
    model.capacity = 32;
    model.rects = {{5, -3, 16, 11},  {19, -3, 13, 10}, {-4, 0, -2, 17},  {9, 0, 4, 2},     {14, 0, -4, 14},
                   {14, 2, -2, 15},  {4, 3, 4, 1},     {6, 4, 3, 16},    {-32768, 5, 3, 9}, {7, 7, 15, 15},
                   {5, 8, 4, 3},     {-1, 9, 11, 9},   {-1, 10, 11, 10}, {2, 11, -3, 32767}, {13, 13, 3, 2},
                   {14, 13, -4, 19}, {12, 15, 1, 11},  {11, 17, 9, -2},  {13, 19, 18, 11}};
    const Rects stored = model.rects;
    memHandle rgn = regionFrom(model);
    auto finished = std::make_shared<std::promise<EngineErr>>();
    std::future<EngineErr> result = finished->get_future();
    std::thread([rgn, finished] { finished->set_value(rgnUnionRect(rgn, Rect16{14, 7, 20, 13})); }).detach();
    if (result.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ADD_FAILURE() << "the union did not end";
        std::_Exit(1);
    }
    EXPECT_EQ(result.get(), kRgnErrBadRegion);
    EXPECT_EQ(rgnGetLastError(), kRgnErrBadRegion);
    EXPECT_EQ(regionModelUnion(model, {Rect16{14, 7, 20, 13}}), kRgnErrBadRegion);
    EXPECT_EQ(model.rects, stored);
    EXPECT_TRUE(sameAsModel(rgn, model));
    memFreeHandle(rgn);
}

// Memory refused at each of the first requests a call makes: the block's growth after other
// changes to the list, the change record's growth, the shrink at the end. A call that fails
// leaves the region as the model has it after the rectangles before the failing one; the
// block always matches the capacity its record states.
TEST_F(RegionTest, UnionsRefusedMemoryPartWayKeepTheRegionWhole) {
    Edges edges(24);
    int refused = 0;
    for (int trial = 0; trial < 600; ++trial) {
        const int span = 20 + edges.below(100);
        Rects first, added;
        for (int k = edges.below(trial % 3 == 0 ? 200 : 40); k > 0; --k) first.push_back(edges.sound(span, 1 + edges.below(span)));
        for (int k = trial % 2 == 0 ? 1 : 2 + edges.below(30); k > 0; --k) added.push_back(edges.sound(span, 1 + edges.below(span)));
        RegionModel start;
        regionModelUnion(start, first);
        RegionModel source;
        source.rects = added;
        source.capacity = u16((added.size() / kRgnSlotGrowth + 1) * kRgnSlotGrowth);
        for (int allowed = 0; allowed < 6; ++allowed) {
            memHandle rgn = regionFrom(start);
            memHandle src = regionFrom(source);
            EngineErr error;
            {
                RefusingAllocator failing(allowed);
                error = added.size() == 1 ? rgnUnionRect(rgn, added[0]) : rgnUnion(rgn, src);
            }
            ASSERT_TRUE(error == kErrNone || error == kMemErrOutOfMemory) << "trial " << trial;
            refused += error != kErrNone;
            const auto* record = static_cast<const RegionRecord*>(memDerefHandle(rgn));
            ASSERT_EQ(u32(memGetHandleSize(rgn)), kRgnRecordSize + u32(record->capacity) * sizeof(Rect16));
            bool matched = false;
            for (size_t n = error == kErrNone ? added.size() : 0; n <= added.size() && !matched; ++n) {
                RegionModel model = start;
                if (regionModelUnion(model, Rects(added.begin(), added.begin() + long(n))) != kErrNone) break;
                matched = rectsOf(rgn) == model.rects && record->bounds == model.bounds;
            }
            ASSERT_TRUE(matched) << "trial " << trial << ", " << allowed << " requests allowed";
            memFreeHandle(rgn);
            memFreeHandle(src);
        }
    }
    EXPECT_GT(refused, 100);
}

// Columns of different heights under one wide rectangle leave a pending piece each: 63 of
// them are placed, the 64th is refused with the region left as it was.
TEST_F(RegionTest, PendingPiecesStopAtSixtyThree) {
    struct Case {
        int columns;
        EngineErr expected;
    };
    for (const Case& c : {Case{63, kErrNone}, Case{64, kRgnErrTooManyPieces}}) {
        Rects columns;
        for (int k = 0; k < c.columns; ++k) columns.push_back(Rect16{i16(3 * k), 10, i16(3 * k + 2), i16(20 + k)});
        RegionModel model;
        ASSERT_EQ(regionModelUnion(model, columns), kErrNone);
        memHandle rgn = regionFrom(model);
        const Rects before = model.rects;
        const Rect16 wide{0, 0, i16(3 * c.columns), 15};
        EXPECT_EQ(regionModelUnion(model, {wide}), c.expected) << c.columns;
        EXPECT_EQ(rgnUnionRect(rgn, wide), c.expected) << c.columns;
        EXPECT_TRUE(sameAsModel(rgn, model)) << c.columns;
        if (c.expected != kErrNone) EXPECT_EQ(model.rects, before) << c.columns;
        else EXPECT_TRUE(keepsInvariants(rgn, false)) << c.columns;
        memFreeHandle(rgn);
    }
}

// A long source region added in one call, above a rectangle already held or into an empty
// region: every one is inserted, so the working list's gap opens again and again.
TEST_F(RegionTest, LongSourceRegionsMatchTheModel) {
    struct Case {
        int pixels;
        bool below;
    };
    for (const Case& c : {Case{40, true}, Case{600, false}, Case{600, true}, Case{2000, true}}) {
        Rects pixels;
        for (int k = 0; k < c.pixels; ++k) {
            const i16 x = i16(2 * (k % 100)), y = i16(2 * (k / 100));
            pixels.push_back(Rect16{x, y, i16(x + 1), i16(y + 1)});
        }
        RegionModel model;
        if (c.below) regionModelUnion(model, {Rect16{0, 1000, 1, 1001}});
        memHandle dst = regionFrom(model);
        RegionModel source;
        regionModelUnion(source, pixels);
        memHandle src = regionFrom(source);
        ASSERT_EQ(regionModelUnion(model, pixels), kErrNone);
        ASSERT_EQ(rgnUnion(dst, src), kErrNone) << c.pixels;
        EXPECT_TRUE(sameAsModel(dst, model)) << c.pixels << " below " << c.below;
        memFreeHandle(dst);
        memFreeHandle(src);
    }
}

TEST_F(RegionTest, RegionUnionsMatchTheModel) {
    Edges edges(23);
    for (int trial = 0; trial < 300; ++trial) {
        Rects first, second;
        for (int k = edges.below(80); k > 0; --k) first.push_back(edges.sound(60, 20));
        for (int k = edges.below(80); k > 0; --k) second.push_back(edges.below(6) == 0 ? edges.any(60) : edges.sound(60, 20));
        RegionModel model;
        regionModelUnion(model, first);
        memHandle dst = regionFrom(model);
        RegionModel source;
        source.rects = second;
        source.capacity = u16((second.size() / kRgnSlotGrowth + 1) * kRgnSlotGrowth);
        memHandle src = regionFrom(source);
        const EngineErr expected = regionModelUnion(model, second);
        ASSERT_EQ(rgnUnion(dst, src), expected) << "trial " << trial;
        ASSERT_TRUE(sameAsModel(dst, model)) << "trial " << trial;
        memFreeHandle(dst);
        memFreeHandle(src);
    }
}

}  // namespace
