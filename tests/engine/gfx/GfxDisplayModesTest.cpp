#include <gtest/gtest.h>

#include "engine/gfx/GfxDisplayModes.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/headless/HeadlessDisplay.h"

namespace {

// The desktop first: 1024 × 768 at 24 bits, 60 Hz.
std::vector<plat::DisplayMode> fakeModes() {
    return {{1024, 768, 24, 60}, {640, 480, 8, 60},  {640, 480, 16, 75}, {800, 600, 8, 60},  {800, 600, 8, 85},
            {800, 600, 16, 60},  {800, 600, 16, 72}, {800, 600, 32, 60}, {1024, 768, 16, 60}, {1280, 1024, 32, 0}};
}

class GfxDisplayModesTest : public ::testing::Test {
protected:
    GfxDisplayModesTest() {
        display.setModes(fakeModes());
        plat::setDisplayDriver(&display);
        gfxSetDisplayChangeEnabled(1);
    }
    ~GfxDisplayModesTest() override {
        gfxSetDisplayChangeEnabled(1);
        plat::setDisplayDriver(nullptr);
    }
    plat::HeadlessDisplay display;
};

struct ChoiceCase {
    const char* why;
    GfxDisplayMode wanted;
    u16 found;
    u32 width, height, bits, refresh;
};

GfxDisplayMode wantedRefresh(i16 w, i16 h, u32 colors, u16 palettized, u32 refresh) {
    GfxDisplayMode mode(w, h, colors, palettized);
    mode.refreshRate = refresh;
    return mode;
}

TEST_F(GfxDisplayModesTest, ChoosesTheSmallestModeThatSatisfiesTheDemands) {
    const ChoiceCase cases[] = {
        {"nothing demanded: the current display", GfxDisplayMode(kGfxAnySize, kGfxAnySize, kGfxAnyColors, 0), 1, 1024,
         768, 24, 60},
        {"smallest width first, then height, then bits", GfxDisplayMode(640, 480, 65536, 0), 1, 640, 480, 16, 75},
        {"palettized demands 8 bits; the refresh closest, then lowest", GfxDisplayMode(800, 600, 256, 1), 1, 800, 600,
         8, 60},
        {"bits is demanded through the colour count", GfxDisplayMode(800, 600, 1u << 24, 0), 1, 800, 600, 32, 60},
        {"width alone: bits closest to the desktop's 24, a tie keeping the earlier, then the lower refresh",
         GfxDisplayMode(700, kGfxAnySize, kGfxAnyColors, 0), 1, 800, 600, 16, 60},
        {"height alone: the width closest to the desktop's", GfxDisplayMode(kGfxAnySize, 700, kGfxAnyColors, 0), 1,
         1024, 768, 24, 60},
        {"a demanded refresh excludes modes without one", wantedRefresh(800, 600, 256, 1, 70), 1, 800, 600, 8, 85},
        {"a demanded refresh prefers the lowest that passes", wantedRefresh(800, 600, 65536, 0, 61), 1, 800, 600, 16,
         72},
        {"nothing satisfies a width beyond every mode", GfxDisplayMode(2000, kGfxAnySize, kGfxAnyColors, 0), 0, 0, 0,
         0, 0},
    };
    for (const ChoiceCase& c : cases) {
        GfxDisplayRecord record;
        u16 found = gfxFindDisplayMode(&c.wanted, &record);
        ASSERT_EQ(found, c.found) << c.why;
        if (found != 1) continue;
        EXPECT_EQ(record.pelsWidth, c.width) << c.why;
        EXPECT_EQ(record.pelsHeight, c.height) << c.why;
        EXPECT_EQ(record.bitsPerPel, c.bits) << c.why;
        EXPECT_EQ(record.displayFrequency, c.refresh) << c.why;
    }
}

TEST_F(GfxDisplayModesTest, WithoutDisplayChangesOnlyTheCurrentDisplayCounts) {
    gfxSetDisplayChangeEnabled(0);
    GfxDisplayRecord record;
    GfxDisplayMode fits(800, 600, 65536, 0);
    ASSERT_EQ(gfxFindDisplayMode(&fits, &record), 1);
    EXPECT_EQ(record.pelsWidth, 1024u);
    GfxDisplayMode palettized(800, 600, 256, 1);
    EXPECT_EQ(gfxFindDisplayMode(&palettized, &record), 0);
}

TEST_F(GfxDisplayModesTest, CheckWithoutChangeTestsTheCurrentDisplayIgnoringRefresh) {
    GfxDisplayMode mode = wantedRefresh(800, 600, 65536, 0, 100);
    ASSERT_EQ(gfxCheckDisplayMode(&mode, 0), 1);
    EXPECT_EQ(mode.width, 1024);
    EXPECT_EQ(mode.colorCount, 1u << 24);
    EXPECT_EQ(mode.palettized, 0);
    EXPECT_EQ(mode.refreshRate, 60u);
    GfxDisplayMode tooWide(1280, 600, 256, 0);
    EXPECT_EQ(gfxCheckDisplayMode(&tooWide, 0), 0);
    EXPECT_EQ(gfxGetLastError(), kErrNone);
}

TEST_F(GfxDisplayModesTest, CheckWithChangeRewritesTheModeFromTheChoice) {
    GfxDisplayMode mode(640, 480, 256, 1);
    ASSERT_EQ(gfxCheckDisplayMode(&mode, 1), 1);
    EXPECT_EQ(mode.bitsPerPixel, 8);
    EXPECT_EQ(mode.colorCount, 256u);
    EXPECT_EQ(mode.palettized, 1);
    EXPECT_EQ(display.currentMode().width, 1024) << "checking switches nothing";
}

TEST_F(GfxDisplayModesTest, SetSwitchesTheSimulatedDisplayAndRestoreGoesBack) {
    GfxDisplayMode mode(800, 600, 65536, 0);
    ASSERT_EQ(gfxSetDisplayMode(&mode), 1);
    EXPECT_EQ(display.currentMode(), (plat::DisplayMode{800, 600, 16, 60}));
    EXPECT_EQ(gfxDisplayDepth(), 16);
    GfxDisplayMode current;
    gfxGetCurrentDisplayMode(&current);
    EXPECT_EQ(current.width, 800);
    EXPECT_EQ(current.colorCount, 65536u);
    gfxRestoreDisplayMode();
    EXPECT_EQ(display.currentMode().width, 1024);
    EXPECT_EQ(gfxDisplayDepth(), 24);
}

TEST_F(GfxDisplayModesTest, EnumerationStopsWhenTheCallbackAnswers) {
    std::vector<u32> widths;
    auto collect = [](const GfxDisplayRecord* record, void* data) -> u16 {
        auto* out = static_cast<std::vector<u32>*>(data);
        out->push_back(record->pelsWidth);
        return out->size() == 3 ? 1 : 0;
    };
    EXPECT_EQ(gfxEnumDisplayModes(collect, &widths), kErrNone);
    EXPECT_EQ(widths, (std::vector<u32>{1024, 640, 640}));
}

}  // namespace
