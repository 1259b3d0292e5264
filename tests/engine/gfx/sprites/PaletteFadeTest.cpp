#include "engine/gfx/sprites/PaletteFade.h"

#include <gtest/gtest.h>

#include "engine/gfx/GfxDraw.h"
#include "platform/clock/Clock.h"
#include "tests/engine/gfx/sprites/SprShapesTestSupport.h"

namespace {

using namespace testshape;

// A fake clock that moves on by a fixed step every time it is read, so that a fade which
// waits for its duration to pass finishes without real time passing.
class SteppingClock : public plat::ClockSource {
public:
    explicit SteppingClock(u32 step) : step_(step) {}
    uint32_t millis() override {
        ++reads;
        return now_ += step_;
    }
    int reads = 0;

private:
    u32 now_ = 1000;
    u32 step_;
};

Bytes paletteResource(u16 first, const std::vector<std::array<u8, 4>>& entries, u16 count = 0xFFFF) {
    Bytes b;
    put16(b, first);
    put16(b, count == 0xFFFF ? u16(entries.size()) : count);
    for (const auto& e : entries) b.insert(b.end(), e.begin(), e.end());
    return b;
}

class PaletteFades : public SprShapesTest {
protected:
    void SetUp() override {
        SprShapesTest::SetUp();
        palette_ = gfxNewPalette(256, nullptr);
        ASSERT_NE(palette_, nullptr);
        makePort(4, 4, 8);
        gfxSetPortPalette(palette_);
        palette_->entries[20] = {10, 20, 30, 0};
        palette_->entries[21] = {200, 100, 0, 0};
        plat::setClockSource(&clock_);
    }
    void TearDown() override {
        plat::setClockSource(nullptr);
        gfxSetPortPalette(nullptr);
        gfxDisposePalette(palette_);
        SprShapesTest::TearDown();
    }
    bool entryIs(u16 i, u8 r, u8 g, u8 b) const {
        const GfxPaletteEntry& e = palette_->entries[i];
        return e.red == r && e.green == g && e.blue == b;
    }
    GfxPalette* palette_ = nullptr;
    SteppingClock clock_{25};
};

TEST_F(PaletteFades, FadeRunsItsDurationAndEndsOnTheTarget) {
    ASSERT_NE(openArchive({{kPaletteResourceType, 5, paletteResource(20, {{50, 60, 70, 0}, {0, 0, 0, 0}})}}), 0);
    EXPECT_EQ(PlayPaletteFade(200, 5), 0);
    EXPECT_TRUE(entryIs(20, 50, 60, 70));
    EXPECT_TRUE(entryIs(21, 0, 0, 0));
    // It waited for its 200 ms of clock time, in steps of 25.
    EXPECT_GE(clock_.reads, 1 + 8);
    EXPECT_LE(clock_.reads, 1 + 8 + 2);
}

TEST_F(PaletteFades, StepMixesByTheElapsedShare) {
    ASSERT_NE(openArchive({{kPaletteResourceType, 5, paletteResource(20, {{210, 20, 30, 0}})}}), 0);
    PaletteFade fade;
    ASSERT_TRUE(PaletteFadeSetUp(&fade, 5, 101));
    fade.elapsed = 50;
    PaletteFadeStep(fade);
    EXPECT_TRUE(entryIs(20, 110, 20, 30));
    fade.elapsed = 100;
    PaletteFadeStep(fade);
    EXPECT_TRUE(entryIs(20, 210, 20, 30));
}

TEST_F(PaletteFades, SetPaletteFromResourceSetsAtOnce) {
    ASSERT_NE(openArchive({{kPaletteResourceType, 5, paletteResource(21, {{1, 2, 3, 0}})}}), 0);
    EXPECT_EQ(SetPaletteFromResource(5), 0);
    EXPECT_TRUE(entryIs(21, 1, 2, 3));
    EXPECT_TRUE(entryIs(20, 10, 20, 30));
}

struct Unusable {
    const char* name;
    Bytes resource;
};
void PrintTo(const Unusable& u, std::ostream* os) { *os << u.name; }

class UnusablePalettes : public PaletteFades, public ::testing::WithParamInterface<Unusable> {};

TEST_P(UnusablePalettes, ReturnOneAndChangeNothing) {
    ASSERT_NE(openArchive({{kPaletteResourceType, 5, GetParam().resource}}), 0);
    EXPECT_EQ(PlayPaletteFade(100, 5), 1);
    EXPECT_TRUE(entryIs(20, 10, 20, 30));
    EXPECT_TRUE(entryIs(21, 200, 100, 0));
}

INSTANTIATE_TEST_SUITE_P(
    PaletteFades, UnusablePalettes,
    ::testing::Values(Unusable{"equal to the current colours", paletteResource(20, {{10, 20, 30, 0}, {200, 100, 0, 0}})},
                      Unusable{"shorter than its header", Bytes{0, 20, 0}},
                      Unusable{"count past the resource", paletteResource(20, {{1, 1, 1, 0}}, 2)},
                      Unusable{"range past entry 255", paletteResource(255, {{1, 1, 1, 0}, {2, 2, 2, 0}})}));

TEST_F(PaletteFades, RangeEndingAtEntry255IsUsed) {
    ASSERT_NE(openArchive({{kPaletteResourceType, 5, paletteResource(254, {{1, 1, 1, 0}, {2, 2, 2, 0}})}}), 0);
    PaletteFade fade;
    EXPECT_TRUE(PaletteFadeSetUp(&fade, 5, 0));
    EXPECT_EQ(fade.first, 254);
    EXPECT_EQ(fade.count, 2);
}

TEST_F(PaletteFades, MissingResourceReturnsOne) { EXPECT_EQ(PlayPaletteFade(100, 9), 1); }

}  // namespace
