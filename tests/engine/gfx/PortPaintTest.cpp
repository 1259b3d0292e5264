#include <cstring>

#include "GfxTestSupport.h"
#include "engine/regions/RegionDifference.h"
#include "engine/gfx/GdiRegions.h"
#include "engine/gfx/GfxErrors.h"

namespace {

constexpr u32 kWhite555 = 0x7FFF;

void fillWhite(SurfacePort* port) {
    for (i32 y = 0; y < port->surface->height(); ++y) port->surface->fillSpan(y, 0, port->surface->width(), kWhite555);
}

memHandle makePolygon(std::initializer_list<Point16> points, u16 claimedCount) {
    memHandle h = memAllocHandle(u32(14 + points.size() * sizeof(Point16)));
    u8* block = static_cast<u8*>(memDerefHandle(h));
    std::memcpy(block + 12, &claimedCount, 2);
    size_t i = 0;
    for (const Point16& p : points) std::memcpy(block + 14 + sizeof(Point16) * i++, &p, sizeof p);
    return h;
}

}  // namespace

TEST_F(GfxTest, OvalInXorModeInvertsExactlyTheEllipse) {
    SurfacePort* port = makePort(20, 12, 16);
    fillWhite(port);
    auto brush = port->MakeSolidBrush(GfxColor::rgb(255, 255, 255));
    ASSERT_TRUE(brush);
    ASSERT_EQ(port->PaintOval(Rect16{0, 0, 20, 12}, *brush, 3), kErrNone);
    plat::gdi::Region oval = plat::gdi::Region::ellipse({0, 0, 20, 12});
    for (i32 y = 0; y < 12; ++y)
        for (i32 x = 0; x < 20; ++x)
            EXPECT_EQ(port->surface->pixel(x, y), oval.contains({x, y}) ? 0u : kWhite555) << x << "," << y;
    EXPECT_EQ(port->clipApplied, 0) << "the next bracket restores the port's clip";
    ASSERT_EQ(port->PaintRect(Rect16{0, 0, 20, 12}, *brush, 0), kErrNone);
    EXPECT_EQ(port->surface->pixel(0, 0), kWhite555);
}

TEST_F(GfxTest, FillInXorModeInvertsThroughThePatternTable) {
    SurfacePort* port = makePort(4, 1, 16);
    port->surface->setPixel(1, 0, 0x1234);
    ASSERT_EQ(port->FillColorRect(Rect16{1, 0, 3, 1}, GfxColor::rgb(255, 255, 255), 3), kErrNone);
    EXPECT_EQ(port->surface->pixel(1, 0), 0x1234u ^ 0x7FFFu);
    EXPECT_EQ(port->surface->pixel(2, 0), kWhite555);
    EXPECT_EQ(port->surface->pixel(3, 0), 0u);
    EXPECT_EQ(port->FillColorRect(Rect16{0, 0, 1, 1}, GfxColor(), 0), kGfxErrGdi);
}

TEST_F(GfxTest, PolygonsFillInEveryMode) {
    SurfacePort* port = makePort(10, 10, 16);
    auto brush = port->MakeSolidBrush(GfxColor::rgb(255, 255, 255));
    memHandle square = makePolygon({{2, 2}, {8, 2}, {8, 8}, {2, 8}}, 4);
    ASSERT_EQ(port->PaintPolygon(square, *brush, 0), kErrNone);
    EXPECT_EQ(port->surface->pixel(5, 5), kWhite555);
    EXPECT_EQ(port->surface->pixel(1, 5), 0u);
    ASSERT_EQ(port->PaintPolygon(square, *brush, 3), kErrNone);
    EXPECT_EQ(port->surface->pixel(5, 5), 0u);
    EXPECT_EQ(port->PaintPolygon(0, *brush, 0), kGfxErrNoPolygon);
    memHandle lying = makePolygon({{0, 0}, {9, 0}, {0, 9}}, 500);  // claims more points than it holds
    EXPECT_EQ(port->PaintPolygon(lying, *brush, 0), kErrNone);
    memFreeHandle(square);
    memFreeHandle(lying);
}

TEST_F(GfxTest, RegionsPaintInCopyAndOtherModes) {
    SurfacePort* port = makePort(10, 4, 16);
    memHandle rgn = rgnCreate();
    rgnUnionRect(rgn, Rect16{1, 0, 3, 4});
    rgnUnionRect(rgn, Rect16{6, 1, 8, 3});
    auto brush = port->MakeSolidBrush(GfxColor::rgb(255, 255, 255));
    ASSERT_EQ(port->PaintRegion(rgn, *brush, 0), kErrNone);
    EXPECT_EQ(port->surface->pixel(1, 0), kWhite555);
    EXPECT_EQ(port->surface->pixel(6, 0), 0u);
    EXPECT_EQ(port->surface->pixel(7, 2), kWhite555);
    ASSERT_EQ(port->PaintRegion(rgn, *brush, 3), kErrNone);
    EXPECT_EQ(port->surface->pixel(1, 0), 0u);
    EXPECT_EQ(port->surface->pixel(4, 0), 0u) << "outside the region stays";
    EXPECT_EQ(port->PaintRegion(0, *brush, 0), kRgnErrBadRegion);
    rgnDispose(rgn);
}

TEST_F(GfxTest, ClipRegionLimitsDrawingAfterTheNextBracket) {
    SurfacePort* port = makePort(10, 4, 16);
    rgnResetToRect(port->clipRegion, Rect16{2, 0, 4, 4});
    port->clipApplied = 0;
    port->FillColorRect(Rect16{0, 0, 10, 4}, GfxColor::rgb(255, 255, 255), 0);
    EXPECT_EQ(port->surface->pixel(1, 1), 0u);
    EXPECT_EQ(port->surface->pixel(2, 1), kWhite555);
    EXPECT_EQ(port->surface->pixel(4, 1), 0u);
}

TEST_F(GfxTest, PatternBrushesByKind) {
    SurfacePort* port = makePort(8, 2, 8);
    u8 mono[2 + 8] = {0x00, kGfxPatternMono, 0xF0, 0x0F};
    auto brush = port->MakePatternBrush(mono);
    ASSERT_TRUE(brush);
    port->PaintRect(Rect16{0, 0, 8, 2}, *brush, 0);
    EXPECT_EQ(port->surface->pixel(0, 0), 0u) << "set bits take the black foreground";
    EXPECT_EQ(port->surface->pixel(7, 0), 255u) << "clear bits take the white background";
    EXPECT_EQ(port->surface->pixel(0, 1), 255u);
    u8 nibbles[2 + 32] = {0x00, kGfxPattern4, 0x19};
    auto four = port->MakePatternBrush(nibbles);
    port->PaintRect(Rect16{0, 0, 2, 1}, *four, 0);
    EXPECT_EQ(port->surface->pixel(0, 0), 1u);
    EXPECT_EQ(port->surface->pixel(1, 0), 249u);
    u8 bad[2 + 8] = {0x00, 0x11};
    EXPECT_EQ(port->MakePatternBrush(bad), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrBadPattern);
    EXPECT_EQ(port->MakePatternBrush(nullptr), nullptr);
}

TEST_F(GfxTest, ScrollMovesPixelsAndReportsTheUncoveredArea) {
    SurfacePort* port = makePort(4, 4, 16);
    port->surface->setPixel(1, 3, 0x1111);
    memHandle update = rgnCreate();
    ASSERT_EQ(port->Scroll(Rect16{0, 0, 4, 4}, 0, -2, update), kErrNone);
    EXPECT_EQ(port->surface->pixel(1, 1), 0x1111u);
    const auto* record = static_cast<const RegionRecord*>(memDerefHandle(update));
    ASSERT_EQ(record->count, 1);
    EXPECT_EQ(rgnRects(record)[0].top, 2);
    EXPECT_EQ(rgnRects(record)[0].bottom, 4);
    rgnDispose(update);
}

TEST_F(GfxTest, ReadPixelGivesIndicesOnEightBitsAndColoursOtherwise) {
    SurfacePort* sixteen = makePort(2, 2, 16);
    GfxColor c;
    sixteen->ReadPixel(&c, 0, 0);
    EXPECT_EQ(c.red, 0);
    EXPECT_EQ(c.flag, 0);
    sixteen->FillColorRect(Rect16{0, 0, 2, 2}, GfxColor::rgb(255, 255, 255), 0);
    sixteen->ReadPixel(&c, 1, 1);
    EXPECT_EQ(c.red, 248);
    EXPECT_EQ(c.blue, 248);
    SurfacePort* eight = makePort(2, 2, 8);
    eight->surface->setPixel(1, 0, 77);
    eight->ReadPixel(&c, 1, 0);
    EXPECT_EQ(c.GetKind(), 0);
    EXPECT_EQ(c.index(), 77);
}

TEST_F(GfxTest, RegionsConvertForTheDrawingLayer) {
    memHandle rgn = rgnCreate();
    plat::gdi::Region out(plat::gdi::Rect{0, 0, 5, 5});
    ASSERT_EQ(rgnToGdiRegion(&out, rgn, 3, 3), kErrNone);
    EXPECT_TRUE(out.empty());
    rgnUnionRect(rgn, Rect16{0, 0, 2, 2});
    rgnUnionRect(rgn, Rect16{4, 0, 6, 2});
    ASSERT_EQ(rgnToGdiRegion(&out, rgn, 10, -1), kErrNone);
    EXPECT_EQ(out.rects().size(), 2u);
    EXPECT_TRUE(out.contains({10, -1}));
    EXPECT_TRUE(out.contains({15, 0}));
    EXPECT_FALSE(out.contains({12, 0}));
    EXPECT_EQ(rgnToGdiRegion(nullptr, rgn, 0, 0), kRgnErrBadRegion);
    EXPECT_EQ(rgnToGdiRegion(&out, 0, 0, 0), kRgnErrBadRegion);
    rgnDispose(rgn);
}

TEST_F(GfxTest, PolygonsOfManyPointsFarOffThePortCostOnlyTheVisibleRows) {
    SurfacePort* port = makePort(16, 16, 16);
    auto brush = port->MakeSolidBrush(GfxColor::rgb(255, 255, 255));
    // A zigzag of 2000 points over 32000 rows, closed along x = -16000: its edge from
    // (-16000, 0) to (16000, 16) leaves only rows 8 to 15 of the port inside.
    std::vector<Point16> zigzag;
    for (i32 i = 0; i < 2000; ++i) zigzag.push_back({i16(i % 2 ? 16000 : -16000), i16(i * 16 - 16000)});
    zigzag.push_back({16000, 16000});
    zigzag.push_back({-16000, 16000});
    u16 count = u16(zigzag.size());
    memHandle h = memAllocHandle(u32(14 + zigzag.size() * sizeof(Point16)));
    u8* block = static_cast<u8*>(memDerefHandle(h));
    std::memcpy(block + 12, &count, 2);
    std::memcpy(block + 14, zigzag.data(), zigzag.size() * sizeof(Point16));
    ASSERT_EQ(port->PaintPolygon(h, *brush, 3), kErrNone);
    for (i32 y = 0; y < 16; ++y) EXPECT_EQ(port->surface->pixel(y, y), y < 8 ? 0u : kWhite555) << y;
    memFreeHandle(h);
}
