// The easel's small things as a child meets them: a tool tip goes when its button is pressed,
// the palette's white and black paint as themselves, the curve bends toward the pointer before
// its second drag, a spray scatters its pattern, a large stamp is smooth, and a little kid's
// letters are stamped big enough to read.
#include <algorithm>

#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"

namespace {

// Panel buttons, in the window: the pencil panel's curve, the brush panel's pattern family and
// its spray, the stamp panel's largest size, the letter strip's first letter.
constexpr Area kCurve{426, 528, 28, 28}, kPatterns{120, 572, 90, 30}, kSpray{248, 553, 40, 40};
constexpr Area kLargestStamp{508, 492, 40, 26}, kFirstLetter{152, 522, 62, 62}, kBunny{522, 522, 64, 64};

bool dark(uint32_t p) { return (p >> 16 & 0xFF) < 100 && (p >> 8 & 0xFF) < 100 && (p & 0xFF) < 100; }

bool painted(uint32_t p) { return p != kPaper; }

// The rows of an area of the canvas that hold paint.
int paintedRows(const Shot& shot, const Area& area) {
    int rows = 0;
    for (int32_t y = area.y; y < area.y + area.height; ++y) rows += shot.count({area.x, y, area.width, 1}, painted) > 0;
    return rows;
}

// Painted pixels of an area unlike both of their neighbours in the row: a picture grown by
// repeating pixels has none, one grown smoothly has them wherever colours meet.
int blendedPixels(const Shot& shot, const Area& area) {
    int blended = 0;
    for (int32_t y = area.y; y < area.y + area.height; ++y)
        for (int32_t x = area.x + 1; x + 1 < area.x + area.width; ++x) {
            const uint32_t p = shot.pixel(x, y);
            blended += p != kPaper && p != shot.pixel(x - 1, y) && p != shot.pixel(x + 1, y);
        }
    return blended;
}

// A pixel well inside a patch of one colour.
bool insidePatch(const Shot& shot, int32_t x, int32_t y) {
    for (int32_t dy = -2; dy <= 2; ++dy)
        for (int32_t dx = -2; dx <= 2; ++dx)
            if (shot.pixel(x + dx, y + dy) != shot.pixel(x, y)) return false;
    return true;
}

// Picks the palette's white, at the top of the column that ends in its black: it shows as the
// page's paper does, so only its place tells it from the paper around the palette.
testing::AssertionResult pickWhite(Journey& j) {
    const Shot before = j.screenshot();
    j.click(planned("easel.side.swatch"));
    int32_t atX = -1, atY = -1;
    auto found = j.waitFor(
        [&] {
            const Shot open = j.screenshot();
            for (int32_t y = 0; y < open.height() && atX < 0; ++y)
                for (int32_t x = 0; x < open.width() && atX < 0; ++x)
                    if (open.pixel(x, y) == 0x000000 && before.pixel(x, y) != 0x000000 && insidePatch(open, x, y)) {
                        for (int32_t up = y; up > y - 200 && atX < 0; --up)
                            if (open.pixel(x, up) == kPaper && insidePatch(open, x, up)) atX = x, atY = up;
                        if (atX < 0) return false;
                    }
            return atX >= 0;
        },
        "the palette's white");
    if (!found) return found;
    j.click(atX, atY);
    return j.waitFor([&] { return j.screenshot().differences(before, {atX - 15, atY - 15, 30, 30}) == 0; }, "the palette to close");
}

// Presses a button and waits until it, or what it opens there, has changed and finished drawing.
testing::AssertionResult press(Journey& j, const Area& button, const Area& changes, const std::string& what) {
    const Shot before = j.screenshot();
    j.click(button);
    if (auto changed = j.waitForChange(before, changes, what); !changed) return changed;
    return j.settle();
}

testing::AssertionResult openPanel(Journey& j, const char* tool) {
    return press(j, planned(std::string("easel.tool.") + tool), planned("easel.panel"), std::string("the ") + tool + " panel");
}

// The text panel open when little kids' mode comes on becomes the letters at once.
TEST(EaselDetailsJourney, ALittleKidsLetterIsStampedBigEnoughToRead) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Leo"));
    ASSERT_TRUE(openPanel(j, "Text"));
    const Shot before = j.keep("text-panel");
    ASSERT_TRUE(chooseMenu(j, languageText("English", "MenuStrings", "Controls"),
                           languageText("English", "MenuStrings", "TurnSmallKidsMdeOn")));
    ASSERT_TRUE(j.waitForChange(before, planned("easel.side.GoToSlideShow"), "the little kids' easel"));
    ASSERT_TRUE(j.waitForChange(before, kFirstLetter, "the letters in the text panel's place"));
    ASSERT_TRUE(j.settle());
    j.keep("letters-panel");
    j.click(kFirstLetter);
    const Area canvas = canvasArea();
    j.click(canvas.centerX(), canvas.centerY());
    ASSERT_TRUE(j.waitFor([&] { return paintedPixels(j.screenshot()) > 0; }, "the letter"));
    ASSERT_TRUE(j.settle());
    const Shot stamped = j.keep("little-kids-letter");
    EXPECT_GE(paintedRows(stamped, canvas), 40) << "a letter a child reads from her seat";
}

TEST(EaselDetailsJourney, ABunnyStampedOnABlackPageKeepsItsWhiteFace) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Ana"));
    const Area canvas = canvasArea(), face{canvas.centerX() - 16, canvas.centerY() + 4, 32, 28};
    // The fill's first pour, in the colour a child starts with: black.
    ASSERT_TRUE(openPanel(j, "FillBucket"));
    j.click(canvas.centerX(), canvas.centerY());
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(face, 0) == face.width * face.height; }, "the black page"));
    ASSERT_TRUE(openPanel(j, "RubberStamps"));
    ASSERT_TRUE(press(j, kLargestStamp, kLargestStamp, "the largest size"));
    ASSERT_TRUE(press(j, kBunny, kBunny, "the bunny chosen"));
    j.click(canvas.centerX(), canvas.centerY());
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(canvas, 0) < canvas.width * canvas.height; }, "the bunny"));
    ASSERT_TRUE(j.settle());
    EXPECT_LT(j.keep("bunny-on-black").countColour(face, 0), face.width * face.height / 20) << "a stamp keeps the white it is drawn with";
}

TEST(EaselDetailsJourney, TipsGoWhenPressedWhiteAndBlackPaintCurvesBendSpraysScatterAndBigStampsAreSmooth) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const Area canvas = canvasArea();

    // The tip: shown while the pointer rests on the Paint button, over the button below; gone
    // once the button is pressed (below the glow of the chosen button).
    const Area paint = planned("easel.tool.Paint"), tip{0, paint.y + paint.height + 7, 104, 12};
    j.move(canvas.centerX(), canvas.centerY());
    ASSERT_TRUE(j.settle());
    const Shot untipped = j.screenshot();
    j.move(paint.centerX(), paint.centerY());
    ASSERT_TRUE(j.waitForChange(untipped, tip, "the Paint button's tip"));
    j.keep("tip-shown");
    j.click(paint);
    const auto tipGone = [&] { return j.screenshot().differences(untipped, tip) == 0; };
    ASSERT_TRUE(j.waitFor(tipGone, "the tip gone"));
    ASSERT_TRUE(j.holds(tipGone, "the tip gone"));
    ASSERT_TRUE(j.settle());

    // Pure black paints beside the paper; pure white, the paper's own white, paints black away.
    const Area line{canvas.x + 140, canvas.y + 90, 300, 20};
    ASSERT_EQ(pickColour(j, [](uint32_t p) { return p == 0x000000; }), 0x000000u) << "the palette offers black";
    j.drag(canvas.x + 40, line.centerY(), canvas.x + 540, line.centerY());
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().count(line, dark) > 300; }, "a black stroke"));
    ASSERT_TRUE(j.settle());
    const int black = j.screenshot().count(line, dark);
    ASSERT_TRUE(pickWhite(j));
    j.drag(canvas.x + 40, line.centerY(), canvas.x + 540, line.centerY());
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().count(line, dark) < black / 4; }, "white over the black stroke"));
    j.keep("white-and-black");

    // Each of the others paints a part of the page of its own. The curve: its first drag lays a
    // line; the pointer, moved without a press, bends it.
    ASSERT_TRUE(openPanel(j, "Draw"));
    ASSERT_TRUE(press(j, kCurve, kCurve, "the curve chosen"));
    const Area straight{canvas.x + 196, canvas.y + 256, 100, 20};
    j.drag(canvas.x + 96, canvas.y + 266, canvas.x + 396, canvas.y + 266);
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().count(straight, dark) > 20; }, "the curve's line"));
    ASSERT_TRUE(j.settle());
    const Area bend{canvas.x + 196, canvas.y + 196, 100, 40};
    const auto bent = [&] { return j.screenshot().count(bend, dark) > 5; };
    EXPECT_FALSE(bent()) << "a straight line after the first drag";
    j.move(canvas.x + 246, canvas.y + 146);
    EXPECT_TRUE(j.waitFor(bent, "the line bent toward the pointer"));
    ASSERT_TRUE(j.settle());
    j.keep("curve-bending");
    j.click(canvas.x + 246, canvas.y + 146);

    // The spray scatters its pattern over a band several of its pictures wide.
    ASSERT_TRUE(openPanel(j, "Paint"));
    ASSERT_TRUE(press(j, kPatterns, kPatterns, "the patterns"));
    ASSERT_TRUE(press(j, kSpray, kSpray, "the spray"));
    const Area band{canvas.x, canvas.y + 300, canvas.width, canvas.height - 300};
    j.drag(canvas.x + 40, canvas.y + 380, canvas.x + 540, canvas.y + 380, 100);
    EXPECT_TRUE(j.waitFor([&] { return paintedRows(j.screenshot(), band) > 40; }, "a band of pictures, not one row"));
    // The spray has come to the stroke's end before the next button is pressed.
    const Area end{canvas.x + 480, band.y, 100, band.height};
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().count(end, painted) > 0; }, "the spray at the stroke's end"));
    ASSERT_TRUE(j.settle());
    j.keep("spray");

    // The largest stamp is grown smoothly.
    ASSERT_TRUE(openPanel(j, "RubberStamps"));
    ASSERT_TRUE(press(j, kLargestStamp, kLargestStamp, "the largest size"));
    const Area stamp{canvas.x + 420, canvas.y + 120, 130, 130};
    j.click(stamp.centerX(), stamp.centerY());
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().count(stamp, painted) > 1000; }, "the stamp"));
    ASSERT_TRUE(j.settle());
    const Shot stamped = j.keep("large-stamp");
    EXPECT_GT(blendedPixels(stamped, stamp), stamped.count(stamp, painted) / 4) << "colours blend where they meet";
}

}  // namespace
