// Texts drawn in a box keep inside it: a short one stays on one line at its size, a long one
// is broken into the lines the box holds (or nearly holds, at a slightly smaller size), and
// one that still does not fit is made smaller,
// measured again at each size (hinted advances do not shrink in proportion).
#include <gtest/gtest.h>

#include <string>

#include "contentgen/content/ArtFonts.h"
#include "contentgen/content/ArtPainter.h"

namespace {

using nlohmann::json;

class ArtPainterText : public ::testing::Test {
protected:
    // The ink of `text` drawn in a box at (50, 20) of a larger picture.
    RasterBounds ink(const std::string& text, int boxWidth, int boxHeight, double size, double least = 0, bool outlined = false) const {
        json op = {{"text", text}, {"box", {kLeft, kTop, boxWidth, boxHeight}}, {"size", size}, {"fill", "#000000"}};
        if (least > 0) op["least"] = least;
        if (outlined) op["outline"] = "#000000";
        const json ops = json::array({op});
        return rasterOpaqueBounds(painter_.paint(ops, kLeft * 2 + boxWidth, kTop * 2 + boxHeight));
    }
    static constexpr int kLeft = 50;
    static constexpr int kTop = 20;
    const ArtFonts fonts_;
    const json library_ = json::object();
    const ArtPainter painter_{fonts_, library_, [](const std::string&) { return std::string(); }};
};

TEST_F(ArtPainterText, BoxedTextsKeepInsideTheirBox) {
    ASSERT_NE(fonts_.label(), nullptr);
    struct Case {
        const char* text;
        int width;
        int height;
        int lines;
    };
    const Case cases[] = {
        {"Save changes?", 374, 60, 1},
        {"Save your picture before you open another one?", 374, 60, 2},
        {"Save your picture before you open another one?", 374, 44, 2},
        {"¿Guardar tu dibujo antes de abrir una presentación?", 374, 60, 2},
        {"Save your picture before you open another one?", 374, 22, 1},
        {"Supercalifragilisticexpialidocious", 120, 60, 1},
        // A button's label box, nearly two lines tall: broken rather than shrunk to one line.
        {"Empezar de nuevo", 64, 28, 2},
        {"Empezar de nuevo", 64, 18, 1},
    };
    const int lineHeight = 22;  // an 18-unit line of the label font, with room
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const RasterBounds drawn = ink(c.text, c.width, c.height, 18);
        ASSERT_FALSE(drawn.empty());
        EXPECT_GE(drawn.left, kLeft);
        EXPECT_LE(drawn.right, kLeft + c.width);
        EXPECT_GE(drawn.top, kTop);
        EXPECT_LE(drawn.bottom, kTop + c.height);
        EXPECT_EQ(drawn.bottom - drawn.top > lineHeight, c.lines > 1) << drawn.bottom - drawn.top;
    }
}

// A word too long for a button at the least size a child reads keeps that size, drawn narrower.
TEST_F(ArtPainterText, AWordTooLongForItsBoxKeepsTheLeastSizeNarrower) {
    const RasterBounds shrunk = ink("Presentación", 64, 17, 15), kept = ink("Presentación", 64, 17, 15, 11);
    EXPECT_GT(kept.bottom - kept.top, shrunk.bottom - shrunk.top) << "taller than shrunk to fit";
    EXPECT_GE(kept.left, kLeft);
    EXPECT_LE(kept.right, kLeft + 64);
    // A button's label keeps its outline inside the box too.
    const RasterBounds outlined = ink("Transiciones", 64, 17, 15, 11, true);
    EXPECT_TRUE(outlined.left >= kLeft && outlined.right <= kLeft + 64);
}

}  // namespace

namespace {

// A tool operation shows what the program's own tool paints: over a white picture, inside
// its box only; a tool index the program has no tool for, or an unknown gesture, is refused.
TEST(ArtPainterTool, PaintsWhatTheToolPaintsInsideItsBoxAndRefusesWhatCannotPaint) {
    const ArtFonts fonts;
    const nlohmann::json library = nlohmann::json::object();
    const ArtPainter painter{fonts, library, [](const std::string&) { return std::string(); }};
    const nlohmann::json wave = {{"tool", 0}, {"box", {10, 10, 40, 30}}, {"size", 6}, {"colour", "#ff0000"}};
    const Raster drawn = painter.paint(nlohmann::json::array({wave}), 60, 50);
    int red = 0;
    for (int y = 0; y < drawn.height; ++y)
        for (int x = 0; x < drawn.width; ++x) {
            const bool inside = x >= 10 && x < 50 && y >= 10 && y < 40;
            const u32 p = drawn.at(x, y);
            EXPECT_EQ(p >> 24, inside ? 0xFFu : 0u) << x << "," << y;
            red += inside && ((p >> 16) & 0xFF) == 0xFF && (p & 0xFFFF) == 0;
        }
    EXPECT_GT(red, 10) << "the brush's red stroke";
    EXPECT_EQ(drawn.at(10, 10), 0xFFFFFFFFu) << "the paper the tool paints on is white";
    EXPECT_EQ(drawn.at(49, 39), 0xFFFFFFFFu);
    struct Refused {
        const char* why;
        nlohmann::json op;
    };
    const Refused refused[] = {
        {"no tool at that index", {{"tool", 120}, {"box", {0, 0, 20, 20}}}},
        {"an unknown gesture", {{"tool", 0}, {"box", {0, 0, 20, 20}}, {"gesture", "spin"}}},
        {"an empty box", {{"tool", 0}, {"box", {0, 0, 0, 20}}}},
    };
    for (const Refused& r : refused) EXPECT_THROW(painter.paint(nlohmann::json::array({r.op}), 30, 30), ArtError) << r.why;
}

}  // namespace
