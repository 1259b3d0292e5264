#include "platform/display/PixelConversion.h"

#include <gtest/gtest.h>

#include <random>

namespace plat {
namespace {

// Every depth a window surface takes, over areas shorter and longer than the four pixels the
// rows are converted by at a time, at odd places: each pixel as the surface's own colour of it.
TEST(PixelConversion, EveryPixelAsItsSurfaceColour) {
    struct Case {
        int bits;
        gdi::Rect area;
    };
    const Case cases[] = {{16, {1, 0, 22, 3}}, {16, {3, 1, 6, 2}}, {24, {1, 0, 22, 3}}, {24, {0, 2, 8, 3}},
                          {24, {5, 1, 7, 2}},  {8, {2, 0, 11, 3}}};
    std::mt19937 random(5);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.bits << " bits from " << c.area.left);
        std::vector<gdi::Rgb> colors;
        for (int i = 0; c.bits == 8 && i < 256; ++i) colors.push_back({uint8_t(random()), uint8_t(random()), uint8_t(random())});
        auto surface = gdi::Surface::create(23, 3, c.bits, gdi::RowOrder::TopDown, colors);
        // Raw bytes: a 16-bit word read from a file may have its unused top bit set.
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t i = 0; i < 23 * c.bits / 8; ++i) surface->row(y)[i] = uint8_t(random());
        const int32_t pitch = c.area.width() + 2;
        std::vector<uint32_t> out(size_t(pitch) * size_t(c.area.height()), 0xDEADBEEF);
        convertToXrgb(*surface, c.area, out.data(), pitch);
        for (int32_t y = 0; y < c.area.height(); ++y)
            for (int32_t x = 0; x < pitch; ++x) {
                uint32_t expected = 0xDEADBEEF;
                if (x < c.area.width()) {
                    const uint8_t* at = surface->row(c.area.top + y) + (c.area.left + x) * c.bits / 8;
                    const gdi::Rgb rgb = surface->rgbOf(surface->pixel(c.area.left + x, c.area.top + y));
                    expected = c.bits == 16 ? xrgbFrom555(uint16_t((at[0] | at[1] << 8) & 0x7FFF))
                                            : (uint32_t(rgb.red) << 16) | (uint32_t(rgb.green) << 8) | rgb.blue;
                }
                EXPECT_EQ(out[size_t(y) * size_t(pitch) + size_t(x)], expected) << x << "," << y;
            }
    }
}

}  // namespace
}  // namespace plat
