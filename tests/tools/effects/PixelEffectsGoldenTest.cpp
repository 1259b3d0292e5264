// Every pixel effect from one click on the same picture, laid on one golden sheet
// (golden/pixel_effects.png, in tool order); each click changes the picture and undo gives it
// back byte for byte.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "tests/tools/effects/EffectTestPictures.h"
#include "tools/effects/RBubbles.h"
#include "tools/effects/RBurlap.h"
#include "tools/effects/RColorize.h"
#include "tools/effects/REmboss.h"
#include "tools/effects/RFlip.h"
#include "tools/effects/RHueShift.h"
#include "tools/effects/RKaleidoscope.h"
#include "tools/effects/RLighten.h"
#include "tools/effects/RNuclear.h"
#include "tools/effects/RPinch.h"
#include "tools/effects/RPointilize.h"
#include "tools/effects/RPosterize.h"
#include "tools/effects/RPulse.h"
#include "tools/effects/RRipple.h"
#include "tools/effects/RSepia.h"
#include "tools/effects/RShear.h"
#include "tools/effects/RSolarize.h"
#include "tools/effects/RSpherize.h"
#include "tools/effects/RStripColor.h"
#include "tools/effects/RWavelet.h"
#include "tools/effects/RWhirl.h"
#include "tools/effects/RXRay.h"

namespace {

using namespace effecttest;

template <class T>
std::unique_ptr<RTool> make() {
    return std::make_unique<T>();
}

const std::function<std::unique_ptr<RTool>()> kEffects[] = {
    make<RXRay>,   make<RNuclear>, make<REmboss>,  make<RLighten>, make<RSepia>,  make<RColorize>,
    make<RHueShift>, make<RStripColor>, make<RPointilize>, make<RPosterize>, make<RSolarize>, make<RPinch>,
    make<RSpherize>, make<RRipple>, make<RBubbles>, make<RBurlap>, make<RWhirl>, make<RPulse>,
    make<RWavelet>, make<RShear>, make<RFlip>, make<RKaleidoscope>,
};

TEST(PixelEffects, EachClickPaintsItsGoldenAndUndoesExactly) {
    constexpr i32 kCount = i32(std::size(kEffects));
    Sheet sheet(kCount, 6);
    for (i32 i = 0; i < kCount; ++i) {
        std::unique_ptr<RTool> tool = kEffects[size_t(i)]();
        SCOPED_TRACE(tool->GetToolId());
        EXPECT_EQ(tool->GetToolId(), 65 + i);
        tooltest::Picture picture(kW, kH);
        paintScene(picture.view);
        const std::vector<u16> before = picture.pixels;
        tooltest::Easel easel(picture, GfxColor::rgb(40, 200, 60));
        easel.Use(*tool);
        easel.Click({40, 22});
        EXPECT_NE(picture.pixels, before);
        sheet.Place(i, picture.view);
        undo(easel);
        EXPECT_EQ(picture.pixels, before);
    }
    tooltest::expectGolden("pixel_effects", sheet.View());
}

}  // namespace
