#include "platform/media/GraphicsImporter.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/media/MediaWorld.h"
#include "platform/media/PixelRows.h"

namespace pm = plat::media;

namespace {

constexpr int32_t kPictureW = 29, kPictureH = 17;

enum class Alpha { Opaque, OpaqueKnown, Mixed };

pm::PictureImage picture(Alpha alpha) {
    pm::PictureImage p;
    p.allocate(kPictureW, kPictureH);
    for (size_t i = 0; i < p.rgba.size(); ++i) p.rgba[i] = uint8_t(i * 11 + i / 53);
    for (int32_t y = 0; y < kPictureH; ++y)
        for (int32_t x = 0; x < kPictureW; ++x) {
            // Mixed: whole opaque rows, rows with clear and half-clear pixels.
            const uint8_t a = alpha != Alpha::Mixed || y % 3 == 0 ? 255 : x % 4 == 0 ? 0 : x % 4 == 1 ? 255 : uint8_t(x * 9);
            p.pixel(x, y)[3] = a;
        }
    p.opaque = alpha == Alpha::OpaqueKnown;
    return p;
}

// The picture's pixel under each one drawn, shown over what lay there by its alpha, a pixel at a time.
void drawOnePixelAtATime(const pm::PictureImage& p, pm::MrPixMap& map, const pm::MrRect& rect) {
    const int32_t w = pm::widthOf(rect), h = pm::heightOf(rect);
    for (int32_t y = std::max(rect.top, map.bounds.top); y < std::min(rect.bottom, map.bounds.bottom); ++y)
        for (int32_t x = std::max(rect.left, map.bounds.left); x < std::min(rect.right, map.bounds.right); ++x) {
            const uint8_t* s = p.pixel(int32_t(int64_t(x - rect.left) * p.width / w), int32_t(int64_t(y - rect.top) * p.height / h));
            uint8_t d[4];
            pm::readRowRgba(map, y - map.bounds.top, x - map.bounds.left, 1, d);
            for (int c = 0; c < 3; ++c) d[c] = uint8_t((s[c] * s[3] + d[c] * (255 - s[3]) + 127) / 255);
            d[3] = 255;
            pm::writeRowRgba(map, y - map.bounds.top, x - map.bounds.left, 1, d);
        }
}

}  // namespace

// Whole rows written at once where the picture is opaque at its natural size, blended rows
// elsewhere: every world format ends up as drawing one pixel at a time leaves it.
TEST(GraphicsImporter, EveryWorldFormatDrawsAsPixelByPixel) {
    const pm::MrRect bounds{-2, -3, 20, 31};
    const pm::MrRect natural{1, 0, 1 + kPictureH, kPictureW};
    // At natural size (also clipped), scaled both ways, and with one side of natural length.
    const pm::MrRect rects[] = {natural,         {-4, 5, -4 + kPictureH, 5 + kPictureW}, {0, 0, 9, 40}, {-1, 2, 30, 13},
                                {0, 0, kPictureH, 23}, {0, 0, 12, kPictureW}};
    for (uint32_t format : {pm::kMrFormatL555, pm::kMrFormatBgr24, pm::kMrFormatRgb24, pm::kMrFormatBgra32,
                            pm::kMrFormatIndexed8}) {
        for (Alpha alpha : {Alpha::Opaque, Alpha::OpaqueKnown, Alpha::Mixed}) {
            for (const pm::MrRect& rect : rects) {
                SCOPED_TRACE(testing::Message() << format << " alpha " << int(alpha) << " at " << rect.left << "," << rect.top
                                                << " " << pm::widthOf(rect) << "x" << pm::heightOf(rect));
                // Over memory at an odd address too: 16-bit rows then take the pixel road.
                for (size_t offset : {0, 1}) {
                    const int32_t rowBytes = pm::paddedRowBytes(pm::widthOf(bounds), pm::bitsOfFormat(format));
                    std::vector<uint8_t> ours(size_t(rowBytes) * pm::heightOf(bounds) + 1);
                    for (size_t i = 0; i < ours.size(); ++i) ours[i] = uint8_t(i * 5 + i / 31);
                    std::vector<uint8_t> theirs = ours;
                    pm::MrWorld* a = nullptr;
                    pm::MrWorld* b = nullptr;
                    ASSERT_EQ(pm::newWorldOverMemory(&a, format, &bounds, ours.data() + offset, rowBytes), 0);
                    ASSERT_EQ(pm::newWorldOverMemory(&b, format, &bounds, theirs.data() + offset, rowBytes), 0);
                    const pm::PictureImage p = picture(alpha);
                    pm::drawPicture(p, *a, rect);
                    drawOnePixelAtATime(p, b->map, rect);
                    EXPECT_TRUE(ours == theirs);
                    pm::disposeWorld(a);
                    pm::disposeWorld(b);
                }
            }
        }
    }
}
