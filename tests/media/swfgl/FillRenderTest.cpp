// Small renders compared with pixels computed here. Edges lie on whole pixels, so the pixel
// centres rule decides coverage exactly; texture lookups may land one texel to either side of
// the computed one where a texture coordinate falls on a texel boundary, so colours from
// textures are compared within one step of the 5-bit channel (two for the radial picture, whose
// neighbouring texels can differ by two ramp steps).
#include <cmath>
#include <cstdlib>

#include "engine/base/MemoryHandles.h"
#include "media/swf/Interfaces.h"
#include "tests/media/swfgl/RenderFixture.h"

namespace swfgltest {
namespace {

using swf::Matrix;
using swf::Rect;
using swf::Rgba;

constexpr Rgba kFillRed{255, 0, 0, 255};

Rect Pixels(i32 x0, i32 y0, i32 x1, i32 y1) { return Rect{x0 * kTwips, y0 * kTwips, x1 * kTwips, y1 * kTwips}; }

Bytes OneShape(const Bytes& shape, const Bytes& extra = {}) {
    return MovieOf(kFrame, 1, swftest::Concat({extra, shape, Place(1, 1, Matrix{}, swf::Cxform{})}));
}

class FillRender : public RenderFixture {};

TEST_F(FillRender, SolidRectangleCoversExactlyItsPixels) {
    Load(OneShape(RectShape(1, Pixels(16, 8, 48, 40), SolidFill(kFillRed))));
    ASSERT_EQ(Draw(), swf::kOk);
    for (i32 y = 0; y < kHeight; ++y)
        for (i32 x = 0; x < kWidth; ++x) {
            const bool inside = x >= 16 && x < 48 && y >= 8 && y < 40;
            ASSERT_EQ(Pixel(x, y), inside ? Rgb555(255, 0, 0) : kWhite555) << x << "," << y;
        }
}

TEST_F(FillRender, LinearRampRunsAcrossTheGradientSquare) {
    // The square of 32768 twips scaled onto the picture's width, centred on it.
    const Matrix m{i32(65536.0 * 1280 / 32768), 0, 0, i32(65536.0 * 1280 / 32768), 640, 480};
    Load(OneShape(RectShape(1, Pixels(0, 0, 64, 48), GradientFill(false, m, {{0, {0, 0, 0, 255}}, {255, kFillRed}}))));
    ASSERT_EQ(Draw(), swf::kOk);
    for (i32 x = 0; x < kWidth; ++x) {
        const double s = (x + 0.5) / kWidth;
        const u32 texel = std::min(255u, u32(s * 256));  // the ramp from 0 to 255 is the texel itself
        const u16 p = Pixel(x, 20);
        EXPECT_LE(std::abs(i32(Red5(p)) - i32(texel >> 3)), 1) << x;
        EXPECT_EQ(Green5(p), 0u);
    }
    EXPECT_LE(Red5(Pixel(0, 0)), 1u);
    EXPECT_GE(Red5(Pixel(63, 47)), 30u);
}

TEST_F(FillRender, RadialGradientGrowsFromTheCentre) {
    // The gradient square scaled to 64 pixels and centred on (32, 24).
    const Matrix m{i32(65536.0 * 1280 / 32768), 0, 0, i32(65536.0 * 1280 / 32768), 640, 480};
    Load(OneShape(RectShape(1, Pixels(0, 0, 64, 48), GradientFill(true, m, {{0, {0, 0, 0, 255}}, {255, kFillRed}}))));
    ASSERT_EQ(Draw(), swf::kOk);
    for (i32 y = 0; y < kHeight; ++y)
        for (i32 x = 0; x < kWidth; ++x) {
            const double s = (x + 0.5 - 32) / 64 + 0.5, t = (y + 0.5 - 24) / 64 + 0.5;
            const double tx = std::floor(s * 128), ty = std::floor(t * 128);
            const double distance = std::sqrt((tx - 64) * (tx - 64) + (ty - 64) * (ty - 64));
            const u32 texel = std::min(255u, u32(std::floor(distance / 64 * 255)));
            ASSERT_LE(std::abs(i32(Red5(Pixel(x, y))) - i32(texel >> 3)), 2) << x << "," << y;
        }
}

// A JPEG service whose picture is 3 x 2 pixels; decoded at any size, texel (u, v) gets
// red 40 u, green 100 v, blue 7.
class PatternJpeg : public swf::i_host, public swf::i_jpeg {
public:
    u32 AddRef() override { return 1; }
    u32 Release() override { return 1; }
    swf::Result QueryInterface(const std::type_info& id, void** out) override {
        if (id == typeid(swf::i_jpeg)) *out = static_cast<swf::i_jpeg*>(this);
        else if (id == typeid(swf::i_host)) *out = static_cast<swf::i_host*>(this);
        else return swf::kErrNoInterface;
        return swf::kOk;
    }
    swf::Result CreateWavePlay(swf::i_waveplay*&, swf::i_wavedata*) override { return swf::kErrNoInterface; }
    swf::Result Compress(u32, u32&, u8*&, u32&, const u8*, u32, u32, u32) override { return swf::kErrNoInterface; }
    swf::Result Decompress(u8*& pixels, u32 rowBytes, u32 width, u32 height, const u8*, u32, const u8*, u32) override {
        asked = {width, height};
        ++decodes;
        pixels = static_cast<u8*>(memAllocPtr(rowBytes * height));
        for (u32 v = 0; v < height; ++v)
            for (u32 u = 0; u < width; ++u) {
                u8* p = pixels + v * rowBytes + 3 * u;
                p[0] = u8(40 * u);
                p[1] = u8(100 * v);
                p[2] = 7;
            }
        return swf::kOk;
    }
    swf::Result GetInfo(i32& width, i32& height, const u8*, u32) override {
        width = 3;
        height = 2;
        return swf::kOk;
    }
    std::pair<u32, u32> asked;
    int decodes = 0;
};

TEST_F(FillRender, ClippedBitmapIsDecodedAtItsTextureSizeAndMappedByTheFillMatrix) {
    PatternJpeg jpeg;
    swf::SetHost(&jpeg);
    // 8 picture pixels per JPEG pixel: 160 twips.
    const Matrix m{160 * 65536, 0, 0, 160 * 65536, 0, 0};
    Load(OneShape(RectShape(1, Pixels(0, 0, 24, 16), BitmapFill(true, 7, m)), BitsJpeg2(7, {0xFF, 0xD8, 0xFF, 0xD9})));
    ASSERT_EQ(Draw(), swf::kOk);
    Clear(kWhite555);
    ASSERT_EQ(Draw(), swf::kOk);  // replayed: the JPEG is not decoded again
    swf::SetHost(nullptr);
    EXPECT_EQ(jpeg.decodes, 1);
    EXPECT_EQ(jpeg.asked, (std::pair<u32, u32>{4, 2}));
    for (i32 y = 0; y < 16; ++y)
        for (i32 x = 0; x < 24; ++x) {
            const double s = (x + 0.5) / 8 / 3, t = (y + 0.5) / 8 / 2;
            const u32 u = u32(s * 4), v = u32(t * 2);
            ASSERT_EQ(Pixel(x, y), Rgb555(u8(40 * u), u8(100 * v), 7)) << x << "," << y;
        }
    EXPECT_EQ(Pixel(30, 30), kWhite555);
}

TEST_F(FillRender, BitmapTexelsGoThroughTheInstancesColourTransform) {
    PatternJpeg jpeg;
    swf::SetHost(&jpeg);
    const Matrix m{160 * 65536, 0, 0, 160 * 65536, 0, 0};
    const swf::Cxform noRed{{0, 256, 256, 256}, {0, 0, 100, 0}};
    Load(MovieOf(kFrame, 1,
                 swftest::Concat({BitsJpeg2(7, {0xFF, 0xD8, 0xFF, 0xD9}),
                                  RectShape(1, Pixels(0, 0, 24, 16), BitmapFill(true, 7, m)), Place(1, 1, Matrix{}, noRed)})));
    ASSERT_EQ(Draw(), swf::kOk);
    swf::SetHost(nullptr);
    // Texel (2, 1): red 80 taken away, blue 7 + 100.
    EXPECT_EQ(Pixel(13, 9), Rgb555(0, 100, 107));
}

TEST_F(FillRender, BitmapFillNamingAShapeDrawsTransparentBlack) {
    const Matrix m{20 * 65536, 0, 0, 20 * 65536, 0, 0};
    Load(OneShape(RectShape(1, Pixels(0, 0, 8, 8), BitmapFill(true, 1, m))));
    ASSERT_EQ(Draw(), swf::kOk);
    EXPECT_EQ(Pixel(4, 4), 0u);  // character 1 is the shape itself
}

TEST_F(FillRender, HairlineIsDrawnTwentyFiveTwipsWide) {
    // Width 0 becomes 25 twips: rows whose centres lie within 12 twips of y = 480 (24 px).
    Path path{8 * kTwips, 24 * kTwips, 0, 0, 1, {Line(48 * kTwips, 0)}};
    Load(OneShape(Shape(1, kFrame, {}, {LineStyle(0, {0, 0, 255, 255})}, {path})));
    ASSERT_EQ(Draw(), swf::kOk);
    for (i32 y = 0; y < kHeight; ++y)
        for (i32 x = 0; x < kWidth; ++x) {
            const bool on = x >= 8 && x < 56 && (y == 23 || y == 24);
            ASSERT_EQ(Pixel(x, y), on ? Rgb555(0, 0, 255) : kWhite555) << x << "," << y;
        }
}

TEST_F(FillRender, LinesGoOverTheFill) {
    Path path{16 * kTwips, 24 * kTwips, 0, 0, 1, {Line(32 * kTwips, 0)}};
    Path box{16 * kTwips, 8 * kTwips, 0, 1, 0,
             {Line(32 * kTwips, 0), Line(0, 32 * kTwips), Line(-32 * kTwips, 0), Line(0, -32 * kTwips)}};
    Load(OneShape(Shape(1, kFrame, {SolidFill(kFillRed)}, {LineStyle(40, {0, 0, 255, 255})}, {box, path})));
    ASSERT_EQ(Draw(), swf::kOk);
    EXPECT_EQ(Pixel(30, 24), Rgb555(0, 0, 255));
    EXPECT_EQ(Pixel(30, 12), Rgb555(255, 0, 0));
}

TEST_F(FillRender, CurvedEdgesAreFlattenedAndFilled) {
    // A lens between two curves bulging up and down around y = 24.
    Path lens{8 * kTwips, 24 * kTwips, 0, 1, 0,
              {Curve(24 * kTwips, -16 * kTwips, 24 * kTwips, 16 * kTwips),
               Curve(-24 * kTwips, 16 * kTwips, -24 * kTwips, -16 * kTwips)}};
    Load(OneShape(Shape(1, kFrame, {SolidFill(kFillRed)}, {}, {lens})));
    ASSERT_EQ(Draw(), swf::kOk);
    EXPECT_EQ(Pixel(32, 24), Rgb555(255, 0, 0));
    EXPECT_EQ(Pixel(32, 18), Rgb555(255, 0, 0));
    EXPECT_EQ(Pixel(32, 4), kWhite555);
    EXPECT_EQ(Pixel(4, 24), kWhite555);
}

}  // namespace
}  // namespace swfgltest
