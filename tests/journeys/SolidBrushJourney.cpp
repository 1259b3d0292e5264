// A child picks a colour, turns the brushes' panel to its wacky side, and paints with its first
// brush, a rope of two twisted tubes drawn with OpenGL: the rope shows lit and shaded, many
// shades of the one colour, where a flat drawing would show the colour alone.
#include <set>

#include "tests/journeys/Journey.h"
#include "tests/journeys/ProgramSteps.h"

namespace {

bool brushRed(uint32_t p) { return (p >> 16 & 0xFF) > 200 && (p >> 8 & 0xFF) < 80 && (p & 0xFF) < 80; }

// In the brushes' panel: the wacky side's button under the real brushes' one, and the first
// brush of the strip beside them.
constexpr int32_t kWackySideX = 160, kWackySideY = 104;
constexpr int32_t kFirstBrushX = 214, kFirstBrushY = 87;
// Fewer shades than a lit tube shows, more than the edges' smoothing of a flat line gives.
constexpr size_t kLitShades = 12;

// The colours of the painted pixels whose hue is the chosen one's (red is their largest part).
std::set<uint32_t> shadesOfRed(const Shot& shot, const Area& area) {
    std::set<uint32_t> shades;
    shot.count(area, [&](uint32_t p) {
        const uint32_t r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
        if ((p & 0xFFFFFF) != kPaper && r > g + 40 && r > b + 40) shades.insert(p & 0xFFFFFF);
        return false;
    });
    return shades;
}

TEST(SolidBrushJourney, TheWackyRopeIsPaintedLitAndShaded) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    ASSERT_NE(pickColour(j, brushRed), 0u);

    const Area panel = planned("easel.panel");
    Shot before = j.screenshot();
    j.click(planned("easel.tool.Paint"));
    ASSERT_TRUE(j.waitForChange(before, panel, "the brushes' panel"));
    ASSERT_TRUE(j.settle());
    before = j.screenshot();
    j.click(panel.x + kWackySideX, panel.y + kWackySideY);
    ASSERT_TRUE(j.waitForChange(before, panel, "the wacky brushes in the panel"));
    ASSERT_TRUE(j.settle());
    j.click(panel.x + kFirstBrushX, panel.y + kFirstBrushY);
    ASSERT_TRUE(j.settle());

    const Area canvas = canvasArea();
    j.drag(canvas.x + 100, canvas.y + 120, canvas.x + 400, canvas.y + 320, 30);
    // Each dab is a small lit scene: a sanitizer build draws the stroke well after the hand ends it.
    const Area start{canvas.x + 90, canvas.y + 110, 24, 24}, end{canvas.x + 388, canvas.y + 308, 24, 24};
    ASSERT_TRUE(j.waitFor(
        [&] {
            const Shot shot = j.screenshot();
            return !shadesOfRed(shot, start).empty() && !shadesOfRed(shot, end).empty();
        },
        "the rope from one end of the stroke to the other", std::chrono::seconds(90)));
    ASSERT_TRUE(j.settle());
    EXPECT_GE(shadesOfRed(j.keep("rope"), canvas).size(), kLitShades) << "a rope in many shades of red";
}

}  // namespace
