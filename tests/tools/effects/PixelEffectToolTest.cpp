// The pixel-effect base: a kernel over the whole canvas, under a brush's dabs (never twice
// over in one stroke), or over a region.
#include <gtest/gtest.h>

#include "tests/tools/ToolTestSupport.h"
#include "tools/base/ToolNames.h"
#include "tools/effects/RPixelEffectTool.h"

namespace {

class Invert : public RPixelEffectTool {
public:
    explicit Invert(EffectReach reach) : RPixelEffectTool(65, reach) {
        ToolParams params;
        params.sizes = {5};
        SetParams(params);
    }

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return u16(~source.At(x, y) & 0x7FFF); }
};

TEST(PixelEffectTool, CanvasReachChangesEveryPixelOnce) {
    tooltest::Picture picture(20, 10, 0x0100);
    tooltest::Easel easel(picture);
    Invert effect(EffectReach::Canvas);
    easel.Use(effect);
    easel.Stroke({{3, 3}, {10, 5}, {15, 8}});
    for (u16 p : picture.pixels) ASSERT_EQ(p, u16(~0x0100 & 0x7FFF));
}

TEST(PixelEffectTool, DabReachDoesNotCompoundWithinAStroke) {
    tooltest::Picture picture(30, 10, 0x0100);
    tooltest::Easel easel(picture);
    Invert brush(EffectReach::Dab);
    easel.Use(brush);
    easel.Stroke({{5, 5}, {20, 5}, {5, 5}, {20, 5}});  // back and forth over the same place
    EXPECT_EQ(picture.view.At(12, 5), u16(~0x0100 & 0x7FFF));
    EXPECT_EQ(picture.view.At(12, 0), 0x0100);  // outside the 5-pixel dabs
    EXPECT_EQ(picture.view.At(27, 5), 0x0100);
}

TEST(PixelEffectTool, MaskReachStaysInsideTheMask) {
    tooltest::Picture picture(10, 10, 0);
    Invert effect(EffectReach::Canvas);
    PixelMask mask(10, 10);
    mask.SetSpan(4, 2, 6);
    ToolCanvas canvas(picture.view, picture.view);
    effect.RunOverMask(canvas, mask);
    size_t changed = 0;
    for (u16 p : picture.pixels) changed += p != 0;
    EXPECT_EQ(changed, 4u);
    EXPECT_EQ(canvas.Changed().left, 2);
    EXPECT_EQ(canvas.Changed().right, 6);
}

}  // namespace
