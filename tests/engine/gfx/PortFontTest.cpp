#include <cstring>

#include "GfxTestSupport.h"
#include "platform/gdi/Text.h"

namespace {

GfxFont makeFont(const char* face, u16 size, u16 style = 0) {
    GfxFont f;
    std::strncpy(f.faceName, face, kGfxFontNameSize - 1);
    f.size = size;
    f.style = style;
    return f;
}

}  // namespace

TEST(GfxFont, EscapementRoundsToTheNearestTenthOfADegree) {
    EXPECT_EQ(gfxFontEscapement(0x4000), 900);
    EXPECT_EQ(gfxFontEscapement(0x8000), 1800);
    EXPECT_EQ(gfxFontEscapement(1), 0);
    EXPECT_EQ(gfxFontEscapement(10), 1);  // 0.55 tenths
}

TEST_F(GfxTest, PortsCountTheirUseOfTheDefaultFont) {
    // Fonts are engine objects that outlive the ports using them, which the fixture disposes.
    static GfxFont standard = makeFont("DEFAULT", 12);
    gfxSetDefaultFont(&standard);
    GfxPort* a = makePort(4, 4, 16);
    GfxPort* b = makePort(4, 4, 16);
    EXPECT_EQ(standard.useCount, 2);
    EXPECT_EQ(a->font, &standard);
    ASSERT_TRUE(b->gdiFont);
    EXPECT_EQ(b->textMetrics.height, b->textMetrics.ascent + b->textMetrics.descent);
    gfxUnlockPort(b);
    EXPECT_FALSE(b->gdiFont) << "the last unlock lets the drawing-layer font go";
    b->Detach();
    EXPECT_EQ(standard.useCount, 1);
    gfxSetDefaultFont(nullptr);
}

TEST_F(GfxTest, SelectFontMakesTheRequestedStyle) {
    GfxPort* port = makePort(4, 4, 16);
    static GfxFont bold = makeFont("DejaVu Sans", 20, kGfxFontBold | kGfxFontUnderline);
    ASSERT_EQ(port->SelectFont(&bold), kErrNone);
    EXPECT_GE(port->textMetrics.weight, 600);
    EXPECT_TRUE(port->textMetrics.underlined);
    EXPECT_EQ(port->textMetrics.height - port->textMetrics.internalLeading, 20);
    EXPECT_EQ(&plat::gdi::contextFont(*port->dc), port->gdiFont.get());
    static GfxFont turned = makeFont("DejaVu Sans", 12);
    turned.rotated = 1;
    turned.angle = 0x4000;
    ASSERT_EQ(port->SelectFont(&turned), kErrNone);
    EXPECT_EQ(port->gdiFont->request().escapement, 900);
    EXPECT_EQ(port->gdiFont->request().outPrecision, plat::gdi::kOutTrueTypeOnlyPrecision);
}
