#pragma once
// Helpers for region tests: a fixture that starts the memory manager, regions built from
// rectangle lists, and a pixel-grid model to check region contents against.
#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/regions/Regions.h"

inline bool operator==(const Rect16& a, const Rect16& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline void PrintTo(const Rect16& r, std::ostream* out) {
    *out << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

class RegionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(memInit(0, 512), kErrNone); }
    void TearDown() override {
        for (memHandle rgn : owned_) rgnDispose(rgn);
        memShutdown();
    }

    // A region holding the union of the rectangles, added in order; disposed after the test.
    memHandle makeRegion(std::initializer_list<Rect16> rects = {}) { return makeRegion(std::vector<Rect16>(rects)); }
    memHandle makeRegion(const std::vector<Rect16>& rects) {
        memHandle rgn = rgnCreate();
        EXPECT_NE(rgn, 0);
        for (const Rect16& r : rects) EXPECT_EQ(rgnUnionRect(rgn, r), kErrNone);
        owned_.push_back(rgn);
        return rgn;
    }
    // Stops the fixture from disposing a region the test disposed itself.
    void forget(memHandle rgn) { std::erase(owned_, rgn); }

private:
    std::vector<memHandle> owned_;
};

inline std::vector<Rect16> rectsOf(memHandle rgn) {
    const auto* record = static_cast<const RegionRecord*>(memDerefHandle(rgn));
    const Rect16* rects = rgnRects(record);
    return std::vector<Rect16>(rects, rects + record->count);
}

inline Rect16 boundsOf(memHandle rgn) { return static_cast<const RegionRecord*>(memDerefHandle(rgn))->bounds; }

// Which pixels of a square window are covered.
class PixelGrid {
public:
    static constexpr int kOrigin = -16;
    static constexpr int kSize = 96;

    void paint(const Rect16& r) {
        for (int v = r.top; v < r.bottom; ++v)
            for (int h = r.left; h < r.right; ++h) at(h, v) = 1;
    }
    static PixelGrid of(const std::vector<Rect16>& rects) {
        PixelGrid grid;
        for (const Rect16& r : rects) grid.paint(r);
        return grid;
    }
    PixelGrid operator|(const PixelGrid& other) const { return combine(other, [](bool a, bool b) { return a || b; }); }
    PixelGrid operator&(const PixelGrid& other) const { return combine(other, [](bool a, bool b) { return a && b; }); }
    bool operator==(const PixelGrid& other) const { return pixels_ == other.pixels_; }
    bool covers(int h, int v) const { return pixels_[index(h, v)] != 0; }

private:
    static int index(int h, int v) { return (v - kOrigin) * kSize + (h - kOrigin); }
    u8& at(int h, int v) { return pixels_[index(h, v)]; }
    template <typename Op>
    PixelGrid combine(const PixelGrid& other, Op op) const {
        PixelGrid out;
        for (size_t i = 0; i < pixels_.size(); ++i) out.pixels_[i] = op(pixels_[i] != 0, other.pixels_[i] != 0) ? 1 : 0;
        return out;
    }
    std::vector<u8> pixels_ = std::vector<u8>(kSize * kSize, 0);
};

// Checks the invariants every region keeps; `merged` also asks that no two rectangles touch
// vertically with equal columns.
inline ::testing::AssertionResult keepsInvariants(memHandle rgn, bool merged) {
    std::vector<Rect16> rects = rectsOf(rgn);
    Rect16 bounds = boundsOf(rgn);
    for (size_t i = 0; i < rects.size(); ++i) {
        const Rect16& a = rects[i];
        if (rectIsEmpty(a)) return ::testing::AssertionFailure() << "empty rectangle " << i;
        if (a.left < bounds.left || a.top < bounds.top || a.right > bounds.right || a.bottom > bounds.bottom)
            return ::testing::AssertionFailure() << "rectangle " << i << " outside the bounds";
        if (i > 0) {
            const Rect16& p = rects[i - 1];
            if (p.top > a.top || (p.top == a.top && p.left > a.left))
                return ::testing::AssertionFailure() << "rectangle " << i << " out of order";
        }
        for (size_t j = i + 1; j < rects.size(); ++j) {
            Rect16 overlap = a;
            if (rectIntersect(&overlap, rects[j]))
                return ::testing::AssertionFailure() << "rectangles " << i << " and " << j << " overlap";
            const Rect16& b = rects[j];
            if (merged && b.top == a.bottom && b.left == a.left && b.right == a.right)
                return ::testing::AssertionFailure() << "rectangles " << i << " and " << j << " not merged";
        }
    }
    return ::testing::AssertionSuccess();
}
