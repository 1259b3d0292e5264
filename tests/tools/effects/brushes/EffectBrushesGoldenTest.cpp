// Every effect brush along one zigzag stroke over the same picture, laid on one golden sheet
// (golden/effect_brushes.png, in tool order): each changes the picture only under its stroke,
// and undo gives it back byte for byte.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "tests/tools/effects/EffectTestPictures.h"
#include "tools/effects/brushes/RBlurBrush.h"
#include "tools/effects/brushes/RColorizeBrush.h"
#include "tools/effects/brushes/REdgeBrush.h"
#include "tools/effects/brushes/REmbossBrush.h"
#include "tools/effects/brushes/RGreyscaleBrush.h"
#include "tools/effects/brushes/RHueShiftBrush.h"
#include "tools/effects/brushes/RMosaicBrush.h"
#include "tools/effects/brushes/RNuclearBrush.h"
#include "tools/effects/brushes/RPosterizeBrush.h"
#include "tools/effects/brushes/RSmearBrush.h"
#include "tools/effects/brushes/RSolarizeBrush.h"
#include "tools/effects/brushes/RXRayBrush.h"

namespace {

using namespace effecttest;

template <class T>
std::unique_ptr<RTool> make() {
    return std::make_unique<T>();
}

const std::function<std::unique_ptr<RTool>()> kBrushes[] = {
    make<RSmearBrush>,   make<RBlurBrush>,     make<RGreyscaleBrush>, make<RColorizeBrush>,
    make<RXRayBrush>,    make<REmbossBrush>,   make<REdgeBrush>,      make<RNuclearBrush>,
    make<RSolarizeBrush>, make<RHueShiftBrush>, make<RPosterizeBrush>, make<RMosaicBrush>,
};

TEST(EffectBrushes, EachStrokePaintsItsGoldenOnlyUnderItAndUndoesExactly) {
    constexpr i32 kCount = i32(std::size(kBrushes));
    const std::vector<Point16> zigzag = {{6, 8}, {20, 30}, {34, 10}, {48, 36}, {58, 14}};
    Sheet sheet(kCount, 6);
    for (i32 i = 0; i < kCount; ++i) {
        std::unique_ptr<RTool> tool = kBrushes[size_t(i)]();
        SCOPED_TRACE(tool->GetToolId());
        EXPECT_EQ(tool->GetToolId(), 87 + i);
        ToolParams params;
        params.sizes = {12};
        tool->SetParams(params);
        tooltest::Picture picture(kW, kH);
        paintScene(picture.view);
        const std::vector<u16> before = picture.pixels;
        tooltest::Easel easel(picture, GfxColor::rgb(40, 200, 60));
        easel.Use(*tool);
        easel.Stroke(zigzag);
        EXPECT_NE(picture.pixels, before);
        // The corners lie farther than the brush's reach from the stroke.
        for (Point16 corner : {Point16{0, kH - 1}, Point16{kW - 1, kH - 1}})
            EXPECT_EQ(picture.view.At(corner.h, corner.v), before[size_t(corner.v * kW + corner.h)]);
        sheet.Place(i, picture.view);
        undo(easel);
        EXPECT_EQ(picture.pixels, before);
    }
    tooltest::expectGolden("effect_brushes", sheet.View());
}

}  // namespace
