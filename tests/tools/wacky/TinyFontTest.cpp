// The block letters and digits of the letter and dot-to-dot brushes, every glyph once at two
// scales (tests/tools/golden/tinyfont.png), and the width a number takes.
#include <gtest/gtest.h>

#include "tests/tools/ToolTestSupport.h"
#include "tools/wacky/TinyFont.h"

namespace {

using tooltest::Picture;

TEST(TinyFont, EveryLetterAndDigitHasItsGlyph) {
    Picture picture(200, 60);
    ToolCanvas canvas(picture.view, picture.view);
    const std::string glyphs = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (size_t i = 0; i < glyphs.size(); ++i)
        paintTinyGlyph(canvas, glyphs[i], 2 + i32(i % 18) * 11, 2 + i32(i / 18) * 18, 2, kRgb555Black);
    paintTinyGlyph(canvas, 'a', 2, 40, 2, kRgb555Black);  // no glyph: nothing
    paintTinyGlyph(canvas, '@', 14, 40, 2, kRgb555Black);
    tooltest::expectGolden("tinyfont", picture.view);
}

TEST(TinyFont, ANumberTakesSixCellsADigit) {
    Picture picture(100, 20);
    ToolCanvas canvas(picture.view, picture.view);
    const struct {
        u32 number;
        i32 scale;
        i32 width;
    } rows[] = {{0, 1, 6}, {9, 2, 12}, {10, 1, 12}, {4294967295u, 1, 60}};
    for (const auto& row : rows) EXPECT_EQ(paintTinyNumber(canvas, row.number, 0, 0, row.scale, kRgb555Black), row.width) << row.number;
}

}  // namespace
