// A child pages through the brush panel's strips: every brush, wacky brush and voice brush has
// an icon of its own, painted on white by the brush itself.
#include <vector>

#include "tests/journeys/Journey.h"
#include "tests/journeys/ProgramSteps.h"

namespace {

// The brush panel, in the window: a family button and a sub-mode button choose a strip of four
// icons a page, paged by the arrow.
struct Strip {
    const char* name;
    int32_t familyX, familyY, modeX, modeY;
    int pages;
};
constexpr Strip kStrips[] = {
    {"brushes", 165, 513, 268, 523, 4},
    {"wacky", 165, 513, 268, 573, 2},
    {"voice", 165, 551, 268, 523, 2},
};
constexpr int32_t kForwardX = 548, kForwardY = 553;
constexpr Area kStrip{292, 528, 234, 54};
constexpr int32_t kCellStep = 60, kCellInset = 6, kCellSide = 42;
// Fewer differing pixels than a dab of paint: the same picture.
constexpr int kAlike = 40;

// One icon's inside, inside its frame.
struct Icon {
    std::vector<uint32_t> pixels;
};

Icon iconAt(const Shot& shot, int cell) {
    Icon icon;
    const int32_t left = kStrip.x + cell * kCellStep + kCellInset, top = kStrip.y + kCellInset;
    for (int32_t y = top; y < top + kCellSide; ++y)
        for (int32_t x = left; x < left + kCellSide; ++x) icon.pixels.push_back(shot.pixel(x, y));
    return icon;
}

int differences(const Icon& a, const Icon& b) {
    int different = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) different += a.pixels[i] != b.pixels[i];
    return different;
}

int ink(const Icon& icon) {
    int painted = 0;
    for (uint32_t p : icon.pixels) painted += p != kPaper && p != 0xFFFFFF;
    return painted;
}

TEST(ToolIconsJourney, EveryBrushOfTheBrushPanelHasAnIconOfItsOwn) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    j.click(planned("easel.tool.Paint"));
    ASSERT_TRUE(j.settle());
    std::vector<Icon> icons;
    std::vector<std::string> names;
    for (const Strip& strip : kStrips) {
        SCOPED_TRACE(strip.name);
        j.click(strip.familyX, strip.familyY);
        ASSERT_TRUE(j.settle());
        j.click(strip.modeX, strip.modeY);
        ASSERT_TRUE(j.settle());
        for (int page = 0; page < strip.pages; ++page) {
            if (page > 0) {
                const Shot before = j.screenshot();
                j.click(kForwardX, kForwardY);
                ASSERT_TRUE(j.waitForChange(before, kStrip, "the strip's next page"));
                ASSERT_TRUE(j.settle());
            }
            const Shot shown = j.keep(std::string(strip.name) + "-" + std::to_string(page + 1));
            for (int cell = 0; cell < 4; ++cell) {
                icons.push_back(iconAt(shown, cell));
                names.push_back(std::string(strip.name) + " " + std::to_string(page * 4 + cell + 1));
                EXPECT_GT(ink(icons.back()), kAlike) << names.back() << " shows paint";
            }
        }
    }
    for (size_t a = 0; a < icons.size(); ++a)
        for (size_t b = a + 1; b < icons.size(); ++b)
            EXPECT_GT(differences(icons[a], icons[b]), kAlike) << names[a] << " and " << names[b] << " look alike";
}

}  // namespace
