#include "tools/base/ToolPicture.h"

#include <iterator>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/sprites/SprHeldResource.h"
#include "engine/gfx/sprites/SprPicture.h"

namespace {

constexpr i32 kTransparentPacked = -2;

bool toPixel(i32 value, int bits, bool table, u16* out) {
    if (value == kTransparentPacked) {
        *out = kRgb555White;
        return true;
    }
    if (value < 0) return false;
    if (bits == 16) {
        *out = u16(value & 0x7FFF);
        return true;
    }
    if (bits > 16 || table) {
        *out = rgb555(u8(value >> 16), u8(value >> 8), u8(value));
        return true;
    }
    const GfxPalette* palette = gfxDefaultPalette();
    if (!palette || size_t(value) >= std::size(palette->entries)) return false;
    const GfxPaletteEntry& e = palette->entries[size_t(value)];
    *out = rgb555(e.red, e.green, e.blue);
    return true;
}

}  // namespace

PixelTile tileFromBitmap(const u8* bitmap, u32 size) {
    if (!bitmap || size < kGfxBitmapHeaderSize) return {};
    const u16 width = readBE16(bitmap), height = readBE16(bitmap + 2), format = readBE16(bitmap + 6);
    if (width == 0 || height == 0 || width > kToolPictureMaxSide || height > kToolPictureMaxSide) return {};
    const int bits = gfxBitsOfDepthCode(format);
    const bool table = (format & kGfxFormatColorTable) != 0;
    PixelTile tile{std::vector<u16>(size_t(width) * size_t(height)), i16(width), i16(height)};
    for (u16 y = 0; y < height; ++y)
        for (u16 x = 0; x < width; ++x)
            if (!toPixel(gfxGetBitmapPixel(bitmap, size, x, y), bits, table, &tile.pixels[size_t(y) * width + x])) return {};
    return tile;
}

PixelTile loadToolPicture(u16 pictureId) {
    ResourceRef ref = 0;
    const memHandle picture = sprLoadPicture(&ref, pictureId, 0);
    if (picture == 0) return {};
    PixelTile tile = tileFromBitmap(static_cast<const u8*>(memDerefHandle(picture)), u32(memGetHandleSize(picture)));
    sprReleaseResource(&ref);
    return tile;
}
