// A movie of this system carries a colour table: a solid fill whose colour is a key of the
// table is drawn with the table's paint instead (a solid colour, a gradient fitted to the
// shape's bounds, or a picture stretched over them); glyphs never go through the table.
#include "media/swf/Extensions.h"
#include "tests/media/swfgl/RenderFixture.h"

namespace swfgltest {
namespace {

using swf::Rgba;

constexpr Rgba kKey{1, 2, 3, 255};

Bytes U16(u16 v) { return Bytes{u8(v), u8(v >> 8)}; }

Bytes Signature() {
    return swftest::Tag(swf::kTagExtensions,
                        Bytes(swf::kExtensionSignature, swf::kExtensionSignature + swf::kExtensionSignatureSize));
}

Bytes Table(const Bytes& paint) {
    const u32 key = swf::xtagColorXTable::KeyOf(kKey);
    return swftest::Tag(swf::kTagColorXTable,
                        swftest::Concat({U16(1), {u8(key), u8(key >> 8), u8(key >> 16), u8(key >> 24)}, paint}));
}

struct TableCase {
    const char* name;
    Bytes paint;
    // Expected pixels at (x, y) of the 64 x 48 rectangle covering the picture.
    std::vector<std::tuple<i32, i32, u16>> pixels;
};

class ColourTableRender : public RenderFixture, public ::testing::WithParamInterface<int> {};

std::vector<TableCase> Cases() {
    return {
        {"solid", {0x00, 0, 0, 255, 255}, {{10, 10, Rgb555(0, 0, 255)}, {60, 40, Rgb555(0, 0, 255)}}},
        // A linear ramp from black to red fitted to the shape's width: the left edge dark, the
        // right edge red, the middle half way.
        {"fitted gradient",
         swftest::Concat({{240}, U16(2), {0, 0, 0, 0}, {255, 255, 0, 0}}),
         {{0, 20, Rgb555(0, 0, 0)}, {63, 20, Rgb555(248, 0, 0)}, {32, 20, Rgb555(128, 0, 0)}}},
        // A picture of 2 x 2 pixels stretched over the shape: one colour per quarter.
        {"stretched picture",
         swftest::Concat({{242}, U16(2), U16(2), {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0}}),
         {{10, 10, Rgb555(255, 0, 0)}, {50, 10, Rgb555(0, 255, 0)}, {10, 40, Rgb555(0, 0, 255)},
          {50, 40, Rgb555(255, 255, 0)}}},
    };
}

TEST_P(ColourTableRender, AKeyColourIsDrawnWithTheTablesPaint) {
    const TableCase c = Cases()[size_t(GetParam())];
    SCOPED_TRACE(c.name);
    Load(MovieOf(kFrame, 1,
                 swftest::Concat({Signature(), Table(c.paint), RectShape(1, kFrame, SolidFill(kKey)),
                                  Place(1, 1, swf::Matrix{}, swf::Cxform{})})));
    ASSERT_NE(document_->ColorTable(), nullptr);
    ASSERT_EQ(Draw(), swf::kOk);
    for (const auto& [x, y, expected] : c.pixels) {
        const u16 p = Pixel(x, y);
        // Ramp texels can land one texel off the computed one: one 5-bit step.
        EXPECT_LE(std::abs(i32(Red5(p)) - i32(Red5(expected))), 1) << x << "," << y;
        EXPECT_EQ(Green5(p), Green5(expected)) << x << "," << y;
        EXPECT_EQ(Blue5(p), Blue5(expected)) << x << "," << y;
    }
    // Without the table (render flag 1) the key colour itself shows.
    ASSERT_EQ(Draw(1), swf::kOk);
    EXPECT_EQ(Pixel(10, 10), Rgb555(1, 2, 3));
}

INSTANTIATE_TEST_SUITE_P(Paints, ColourTableRender, ::testing::Range(0, 3));

}  // namespace
}  // namespace swfgltest
