#include "media/objects/PictureBitmap.h"

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxPackedWriter.h"
#include "platform/gdi/Color.h"

namespace {

constexpr u16 kDepth16 = 3;

u16 colourAt(const PictureRecord& picture, u32 x, u32 y) {
    const u8* rgba = &picture.pixels[(size_t(y) * picture.width + x) * 4];
    return plat::gdi::rgbTo555({rgba[0], rgba[1], rgba[2]});
}

// Rows keep the whole stride the drawing calls expect, however narrow the picture.
std::vector<u8> plainRows(const PictureRecord& picture) {
    const size_t stride = (size_t(picture.width) * 16 + 31) / 32 * 4;
    std::vector<u8> out(kGfxBitmapHeaderSize + stride * picture.height, 0);
    writeBE16(out.data(), picture.width);
    writeBE16(out.data() + 2, picture.height);
    writeBE16(out.data() + 4, u16(stride));
    writeBE16(out.data() + 6, kDepth16);
    for (u32 y = 0; y < picture.height; ++y)
        for (u32 x = 0; x < picture.width; ++x)
            writeBE16(out.data() + kGfxBitmapHeaderSize + y * stride + 2 * x, colourAt(picture, x, y));
    return out;
}

}  // namespace

std::vector<u8> storedPictureBitmap(const PictureRecord& picture) {
    const size_t area = size_t(picture.width) * picture.height;
    if (area == 0 || picture.width > kPictureMaxSide || picture.height > kPictureMaxSide ||
        picture.pixels.size() != area * 4 || (!picture.mask.empty() && picture.mask.size() != area))
        return {};
    return picture.mask.empty() ? plainRows(picture)
                                : gfxWritePacked16(picture.width, picture.height, [&](u32 x, u32 y) -> i32 {
                                      return picture.mask[size_t(y) * picture.width + x] ? colourAt(picture, x, y)
                                                                                         : kGfxPackedClear;
                                  });
}

std::vector<u8> expandPictureBitmap(const PictureRecord& picture) {
    std::vector<u8> bitmap = storedPictureBitmap(picture);
    // Drawn as the engine draws stored pictures: colours in machine order.
    if (bitmap.empty() || !gfxPrepareBitmapWords(bitmap.data(), u32(bitmap.size()))) return {};
    return bitmap;
}
