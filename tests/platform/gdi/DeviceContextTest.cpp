#include "platform/gdi/DeviceContext.h"

#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "platform/gdi/Shapes.h"

using namespace gdi_test;

TEST(DeviceContext, TextModeMapsByTranslationOnly) {
    Canvas c = makeCanvas(10, 10, 8);
    c.dc->state().windowOrg = {5, 7};
    c.dc->state().viewportOrg = {1, 1};
    c.dc->state().windowExt = {1, 2};  // ignored in text mode
    EXPECT_EQ(c.dc->toDevice(Point{5, 7}), (Point{1, 1}));
    EXPECT_EQ(c.dc->toLogical(Point{0, 0}), (Point{4, 6}));
}

TEST(DeviceContext, AnisotropicMappingScalesBothAxes) {
    Canvas c = makeCanvas(10, 10, 8);
    ContextState& s = c.dc->state();
    s.mapMode = MapMode::Anisotropic;
    s.windowOrg = {100, 100};
    s.windowExt = {200, 100};
    s.viewportOrg = {0, 0};
    s.viewportExt = {100, 100};
    EXPECT_EQ(c.dc->toDevice(Point{300, 150}), (Point{100, 50}));
    EXPECT_EQ(c.dc->toLogical(Point{100, 50}), (Point{300, 150}));
    EXPECT_EQ(c.dc->widthToDevice(4), 2);
}

TEST(DeviceContext, ScaledShapesCoverTheirDeviceArea) {
    Canvas c = makeCanvas(8, 8, 8, RowOrder::TopDown, greyTable(256));
    ContextState& s = c.dc->state();
    s.mapMode = MapMode::Anisotropic;
    s.windowExt = {2, 2};
    s.viewportExt = {1, 1};
    s.brush = Brush::solid(tableIndexColor(1));
    patBlt(*c.dc, {0, 0, 8, 8}, kRopPatCopy);
    EXPECT_EQ(countNot(*c.surface, 0), 16u);
}

TEST(DeviceContext, SaveAndRestoreBringBackTheState) {
    Canvas c = makeCanvas(4, 4, 8);
    c.dc->state().textColor = rgbColor(1, 2, 3);
    EXPECT_EQ(c.dc->save(), 1);
    c.dc->state().textColor = rgbColor(9, 9, 9);
    c.dc->intersectClipRect({0, 0, 1, 1});
    EXPECT_EQ(c.dc->save(), 2);
    c.dc->state().rop2 = kR2XorPen;
    EXPECT_TRUE(c.dc->restore(-1));
    EXPECT_EQ(c.dc->state().rop2, kR2CopyPen);
    EXPECT_TRUE(c.dc->restore(1));
    EXPECT_EQ(c.dc->state().textColor, rgbColor(1, 2, 3));
    EXPECT_FALSE(c.dc->state().clip.has_value());
    EXPECT_FALSE(c.dc->restore(-1));
}

TEST(DeviceContext, IntersectClipRectNarrowsTheDrawableArea) {
    Canvas c = makeCanvas(10, 10, 8);
    c.dc->intersectClipRect({2, 2, 20, 5});
    c.dc->intersectClipRect({0, 3, 4, 9});
    EXPECT_EQ(c.dc->drawableArea(), Region(Rect{2, 3, 4, 5}));
}

TEST(DeviceContext, ColourReferencesResolvePerKind) {
    Canvas c = makeCanvas(2, 2, 8, RowOrder::BottomUp, greyTable(256));
    Palette palette(std::vector<PaletteEntry>{{0, 0, 0, 0}, {1, 1, 1, 0}, {90, 90, 90, 0}});
    c.dc->selectPalette(&palette);
    EXPECT_EQ(c.dc->resolve(tableIndexColor(200)), 200u);
    EXPECT_EQ(c.dc->resolve(paletteIndexColor(1)), 1u);  // table and palette agree at index 1
    EXPECT_EQ(c.dc->resolve(paletteIndexColor(2)), 90u);  // they differ at 2: nearest colour
    EXPECT_EQ(c.dc->resolve(rgbColor(33, 33, 33)), 33u);
    EXPECT_EQ(c.dc->resolve(paletteRgbColor(34, 34, 34)), 34u);
    Canvas rgb = makeCanvas(1, 1, 24);
    rgb.dc->selectPalette(&palette);
    EXPECT_EQ(rgb.dc->resolve(paletteIndexColor(2)), 0x5A5A5Au);
}

TEST(DeviceContext, MemoryContextWithoutSurfaceDrawsNothing) {
    auto dc = DeviceContext::createMemory();
    EXPECT_EQ(setPixel(*dc, {0, 0}, 0), kColorInvalid);
    rectangle(*dc, {0, 0, 5, 5});
    auto info = DeviceContext::createInformation();
    Surface* none = nullptr;
    EXPECT_EQ(info->selectSurface(none), nullptr);
    EXPECT_TRUE(info->drawableArea().empty());
}
