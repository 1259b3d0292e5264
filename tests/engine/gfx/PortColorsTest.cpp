#include "GfxTestSupport.h"
#include "engine/gfx/GfxErrors.h"

TEST_F(GfxTest, RgbColoursBecomePaletteIndicesOnlyOnEightBitPorts) {
    GfxPort* eight = makePort(2, 2, 8);
    const GfxPaletteEntry& e = gfxDefaultPalette()->entries[77];
    EXPECT_EQ(eight->ToColorRef(GfxColor::rgb(e.red, e.green, e.blue)), plat::gdi::paletteIndexColor(77));
    GfxPort* sixteen = makePort(2, 2, 16);
    EXPECT_EQ(sixteen->ToColorRef(GfxColor::rgb(1, 2, 3)), plat::gdi::paletteRgbColor(1, 2, 3));
    EXPECT_EQ(sixteen->ToColorRef(GfxColor()), plat::gdi::kColorInvalid);
    EXPECT_EQ(gfxGetLastError(), kGfxErrColorRange);
}

TEST_F(GfxTest, IndexColoursAreRangeChecked) {
    GfxPort* port = makePort(2, 2, 8);
    GfxPalette* p = gfxNewPalette(40, nullptr);  // owns 10..39
    port->SetPalette(p);
    GfxColor inside, outside, upper;
    inside.FromIndex(39);
    outside.FromIndex(40);
    upper.FromIndex(250);
    EXPECT_EQ(port->ToColorRef(inside), plat::gdi::paletteIndexColor(39));
    EXPECT_EQ(port->ToColorRef(outside), plat::gdi::kColorInvalid);
    EXPECT_EQ(port->ToColorRef(upper), plat::gdi::paletteIndexColor(250));
    GfxColor out;
    port->IndexToColor(&out, 40);
    EXPECT_EQ(out.flag, kGfxColorFlagDefault);
    EXPECT_EQ(gfxGetLastError(), kGfxErrColorRange);
    EXPECT_EQ(outside.ToIndex(), kGfxNoIndex);
}

TEST_F(GfxTest, NearestIndexFindsExactEntriesAndPrefersLowerOnTies) {
    GfxPort* port = makePort(2, 2, 8);
    GfxPalette* p = gfxNewPalette(256, nullptr);
    GfxColor colors[256];
    for (auto& c : colors) c = GfxColor::rgb(100, 100, 100);
    colors[50] = GfxColor::rgb(10, 20, 30);
    gfxSetPaletteEntries(p, 0, 256, colors);
    port->SetPalette(p);
    EXPECT_EQ(port->NearestIndex(GfxColor::rgb(10, 20, 30)), 50);
    EXPECT_EQ(port->NearestIndex(GfxColor::rgb(100, 100, 101)), 10) << "first of the equal entries";
    EXPECT_EQ(port->NearestIndex(GfxColor::rgb(250, 250, 250, kGfxColorFlagPortRgb)), 255) << "static colours only";
    EXPECT_EQ(port->NearestIndex(GfxColor::rgb(250, 250, 250, 8)), 10) << "own colours only";
}

TEST_F(GfxTest, PenAndBackgroundReachTheContext) {
    GfxPort* port = makePort(2, 2, 16);
    EXPECT_EQ(port->SetPen(GfxColor::rgb(9, 8, 7), 3), kErrNone);
    EXPECT_EQ(port->dc->state().pen.width, 3);
    EXPECT_EQ(port->dc->state().pen.style, plat::gdi::Pen::Style::InsideFrame);
    EXPECT_EQ(port->dc->state().textColor, plat::gdi::paletteRgbColor(9, 8, 7));
    plat::gdi::Pen before = port->dc->state().pen;
    EXPECT_EQ(port->SetPen(GfxColor(), 5), kGfxErrColorRange);
    EXPECT_EQ(port->dc->state().pen.width, before.width) << "a failed pen keeps the old one";
    EXPECT_EQ(port->SetBackColor(GfxColor::rgb(1, 1, 1)), kErrNone);
    EXPECT_EQ(port->dc->state().backgroundColor, plat::gdi::paletteRgbColor(1, 1, 1));
    port->SetPenMode(3);
    EXPECT_EQ(port->dc->state().rop2, plat::gdi::kR2XorPen);
}

TEST_F(GfxTest, CheckPaletteAsksForARealisationWhenThePaletteChanged) {
    GfxPort* port = makePort(2, 2, 16);
    GfxPalette* p = gfxNewPalette(256, nullptr);
    port->SetPalette(p);
    gfxRealizePalette(p, 1);
    port->BeginDraw();
    port->EndDraw();
    EXPECT_EQ(port->paletteRealised, p);
    port->CheckPalette();
    EXPECT_EQ(port->paletteRealised, p) << "unchanged and realised: nothing to do";
    GfxColor c = GfxColor::rgb(1, 2, 3);
    gfxSetPaletteEntries(p, 20, 1, &c);
    port->CheckPalette();
    EXPECT_EQ(port->paletteRealised, nullptr);
}
