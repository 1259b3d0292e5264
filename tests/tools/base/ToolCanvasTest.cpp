// What a stroke's canvas tells the tools: its host's colour as a picture pixel and its host's
// sounds switch; without a host, black and sounds on.
#include <gtest/gtest.h>

#include "tests/tools/base/FixedToolHost.h"
#include "tools/base/ToolCanvas.h"

namespace {

TEST(ToolCanvas, AnswersForItsHostOrBlackWithSoundsOn) {
    const PixelView none{};
    struct Case {
        const char* name;
        GfxColor color;
        bool sounds;
        u16 pixel;
    };
    const Case cases[] = {
        {"channels by their top five bits", GfxColor::rgb(255, 8, 7), true, u16(31 << 10 | 1 << 5)},
        {"white", GfxColor::rgb(255, 255, 255), false, kRgb555White},
        {"the default colour paints black", GfxColor::rgb(255, 255, 255, kGfxColorFlagDefault), false, kRgb555Black},
        {"a palette index paints black", GfxColor::rgb(255, 255, 255, kGfxColorFlagIndex), true, kRgb555Black},
    };
    for (const Case& c : cases) {
        const FixedToolHost host(c.color, c.sounds);
        const ToolCanvas canvas(none, none, &host);
        EXPECT_EQ(canvas.PaintPixel(), c.pixel) << c.name;
        EXPECT_EQ(canvas.SoundsOn(), c.sounds) << c.name;
    }
    const ToolCanvas alone(none, none);
    EXPECT_EQ(alone.PaintPixel(), kRgb555Black);
    EXPECT_TRUE(alone.SoundsOn());
}

}  // namespace
