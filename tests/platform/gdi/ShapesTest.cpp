#include "platform/gdi/Shapes.h"

#include <gtest/gtest.h>

#include <cstring>

#include "GdiTestSupport.h"

using namespace gdi_test;

namespace {

Canvas xorCanvas(int bits) {
    Canvas c = bits == 8 ? makeCanvas(40, 30, 8, RowOrder::BottomUp, greyTable(256)) : makeCanvas(40, 30, bits);
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 40; ++x) c.surface->setPixel(x, y, uint32_t(x * 7 + y * 13));
    c.dc->state().rop2 = kR2XorPen;
    c.dc->state().pen = Pen{Pen::Style::InsideFrame, 3, rgbColor(200, 40, 90)};
    c.dc->state().brush = Brush::solid(rgbColor(16, 200, 120));
    return c;
}

}  // namespace

// Each shape drawn twice in XOR mode leaves the picture as it was.
TEST(Shapes, XorTwiceLeavesNothingBehind) {
    using Draw = void (*)(DeviceContext&);
    const Draw shapes[] = {
        [](DeviceContext& dc) { rectangle(dc, {3, 4, 31, 22}); },
        [](DeviceContext& dc) { ellipse(dc, {-5, 2, 33, 29}); },
        [](DeviceContext& dc) { polygon(dc, {{2, 2}, {35, 8}, {6, 27}, {30, 25}}); },
        [](DeviceContext& dc) {
            moveTo(dc, {1, 1});
            lineTo(dc, {38, 20});
            lineTo(dc, {4, 28});
        },
        [](DeviceContext& dc) { patBlt(dc, {5, 5, 20, 20}, kRopPatInvert); },
    };
    for (int bits : {8, 16, 24}) {
        for (size_t i = 0; i < std::size(shapes); ++i) {
            Canvas c = xorCanvas(bits);
            auto before = c.surface->clone();
            shapes[i](*c.dc);
            EXPECT_NE(std::memcmp(before->memory(), c.surface->memory(), size_t(c.surface->stride()) * 30), 0);
            shapes[i](*c.dc);
            EXPECT_EQ(std::memcmp(before->memory(), c.surface->memory(), size_t(c.surface->stride()) * 30), 0)
                << "bits " << bits << " shape " << i;
        }
    }
}

TEST(Shapes, InsideFramePenStaysWithinTheRectangle) {
    Canvas c = makeCanvas(8, 6, 8, RowOrder::TopDown, greyTable(256));
    c.dc->state().pen = Pen{Pen::Style::InsideFrame, 2, tableIndexColor(1)};
    c.dc->state().brush = Brush::solid(tableIndexColor(2));
    rectangle(*c.dc, {1, 1, 7, 6});
    std::string expected =
        "........\n"
        ".111111.\n"
        ".111111.\n"
        ".112211.\n"
        ".111111.\n"
        ".111111.\n";
    std::string actual;
    for (int32_t y = 0; y < 6; ++y) {
        for (int32_t x = 0; x < 8; ++x) actual += c.surface->pixel(x, y) ? char('0' + c.surface->pixel(x, y)) : '.';
        actual += '\n';
    }
    EXPECT_EQ(actual, expected);
}

TEST(Shapes, EllipseIsSymmetricAndLeavesCornersUntouched) {
    Canvas c = makeCanvas(12, 8, 8, RowOrder::TopDown, greyTable(256));
    c.dc->state().pen = Pen::null();
    c.dc->state().brush = Brush::solid(tableIndexColor(9));
    ellipse(*c.dc, {0, 0, 12, 8});
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 12; ++x) {
            EXPECT_EQ(c.surface->pixel(x, y), c.surface->pixel(11 - x, y)) << x << "," << y;
            EXPECT_EQ(c.surface->pixel(x, y), c.surface->pixel(x, 7 - y)) << x << "," << y;
        }
    EXPECT_EQ(c.surface->pixel(0, 0), 0u);
    EXPECT_EQ(c.surface->pixel(6, 4), 9u);
    EXPECT_EQ(c.surface->pixel(0, 4), 9u);
}

TEST(Shapes, NullBrushDrawsOnlyTheOutline) {
    Canvas c = makeCanvas(6, 6, 8, RowOrder::TopDown, greyTable(256));
    c.dc->state().pen = Pen{Pen::Style::InsideFrame, 1, tableIndexColor(5)};
    c.dc->state().brush = Brush::null();
    rectangle(*c.dc, {0, 0, 6, 6});
    EXPECT_EQ(countNot(*c.surface, 0), 20u);
    EXPECT_EQ(c.surface->pixel(2, 2), 0u);
}

TEST(Shapes, PatternBrushRepeatsEveryEightPixelsFromTheSurfaceOrigin) {
    Canvas c = makeCanvas(20, 10, 8, RowOrder::TopDown, greyTable(256));
    std::array<ColorRef, 64> pattern{};
    for (int i = 0; i < 64; ++i) pattern[size_t(i)] = tableIndexColor(uint16_t(i + 1));
    c.dc->state().brush = Brush::withPattern(pattern);
    patBlt(*c.dc, {3, 2, 15, 7}, kRopPatCopy);
    EXPECT_EQ(c.surface->pixel(3, 2), uint32_t(2 * 8 + 3 + 1));
    EXPECT_EQ(c.surface->pixel(11, 2), uint32_t(2 * 8 + 3 + 1));
    EXPECT_EQ(c.surface->pixel(9, 8), uint32_t(0 * 8 + 1 + 1));
    EXPECT_EQ(c.surface->pixel(2, 2), 0u);
}

TEST(Shapes, PatBltAcceptsNegativeExtents) {
    Canvas c = makeCanvas(6, 6, 8, RowOrder::TopDown, greyTable(256));
    c.dc->state().brush = Brush::solid(tableIndexColor(3));
    patBlt(*c.dc, {4, 4, -2, -2}, kRopPatCopy);
    EXPECT_EQ(countNot(*c.surface, 0), 4u);
    EXPECT_EQ(c.surface->pixel(2, 2), 3u);
    EXPECT_EQ(c.surface->pixel(3, 3), 3u);
}

TEST(Shapes, DrawingStaysInsideTheClipRegion) {
    Canvas c = makeCanvas(10, 10, 8, RowOrder::TopDown, greyTable(256));
    Region clip = Region::combine(Region(Rect{0, 0, 5, 10}), Region(Rect{7, 0, 8, 10}), CombineOp::Or);
    c.dc->selectClip(&clip);
    c.dc->state().brush = Brush::solid(tableIndexColor(1));
    patBlt(*c.dc, {0, 0, 10, 10}, kRopPatCopy);
    EXPECT_EQ(countNot(*c.surface, 0), 60u);
    EXPECT_EQ(setPixel(*c.dc, {6, 1}, tableIndexColor(4)), kColorInvalid);
    EXPECT_EQ(getPixel(*c.dc, {6, 1}), kColorInvalid);
    EXPECT_EQ(getPixel(*c.dc, {7, 1}), rgbColor(1, 1, 1));
}

TEST(Shapes, InvertRectFlipsEveryBit) {
    Canvas c = makeCanvas(3, 1, 16);
    c.surface->setPixel(1, 0, 0x1234);
    invertRect(*c.dc, {1, 0, 2, 1});
    EXPECT_EQ(c.surface->pixel(1, 0), 0x7FFFu ^ 0x1234u);
    EXPECT_EQ(c.surface->pixel(0, 0), 0u);
}

TEST(Shapes, SetPixelReturnsTheColourStored) {
    Canvas c = makeCanvas(2, 2, 16);
    EXPECT_EQ(setPixel(*c.dc, {1, 1}, rgbColor(255, 255, 255)), rgbColor(248, 248, 248));
    EXPECT_EQ(getPixel(*c.dc, {1, 1}), rgbColor(248, 248, 248));
    EXPECT_EQ(getPixel(*c.dc, {2, 1}), kColorInvalid);
}

TEST(Shapes, AWidePenOnALongLineCostsItsLengthPlusItsWidth) {
    Canvas c = makeCanvas(16, 16, 8, RowOrder::BottomUp, greyTable(256));
    c.dc->state().pen = Pen{Pen::Style::Solid, 30001, tableIndexColor(9)};
    moveTo(*c.dc, {-30000, -30000});
    lineTo(*c.dc, {30000, 30000});
    EXPECT_EQ(countNot(*c.surface, 9), 0u);
}

TEST(Shapes, APolygonOfManyPointsFarOffTheSurfaceCostsOnlyTheVisibleRows) {
    Canvas c = makeCanvas(16, 16, 8, RowOrder::BottomUp, greyTable(256));
    c.dc->state().pen = Pen{Pen::Style::Solid, 1, tableIndexColor(9)};
    c.dc->state().brush = Brush::solid(tableIndexColor(9));
    // A zigzag of 2000 points between x = -16000 and x = 16000 over 32000 rows, closed along
    // x = -16000. Its edge from (-16000, 0) to (16000, 16) passes the surface's rows off to the
    // left above row 8 and off to the right below, so only rows 8 to 15 are inside.
    std::vector<Point> zigzag;
    for (int32_t i = 0; i < 2000; ++i) zigzag.push_back({i % 2 ? 16000 : -16000, i * 16 - 16000});
    zigzag.push_back({16000, 16000});
    zigzag.push_back({-16000, 16000});
    polygon(*c.dc, zigzag);
    for (int32_t y = 0; y < 16; ++y) EXPECT_EQ(c.surface->pixel(y, y), y < 8 ? 0u : 9u) << y;
    EXPECT_EQ(countNot(*c.surface, 9), 8u * 16u);
}
