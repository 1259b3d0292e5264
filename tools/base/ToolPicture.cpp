#include "tools/base/ToolPicture.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/PackedPixels.h"
#include "engine/gfx/sprites/SprHeldResource.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "engine/gfx/sprites/SprShapes.h"

namespace {

constexpr i32 kTransparentPacked = -2;
constexpr i32 kUnreadablePixel = -1;

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

// Packed rows are walked once for the whole picture: read a pixel at a time, every pixel walks
// all the rows above it again, and a large picture takes minutes. False when the rows are
// damaged or, for 8-bit rows, leave a place unfilled (16-bit rows leave gaps transparent).
bool readPackedRows(const u8* bitmap, u32 size, int bits, bool table, PixelTile* tile) {
    const u16 format = readBE16(bitmap + 6);
    const bool words = (format & kGfxFormatPackingMask) == kGfxFormatPacked16;
    u32 start = kGfxBitmapHeaderSize;
    if (format & kGfxFormatColorTable) start += readBE16(bitmap + kGfxBitmapHeaderSize);
    // The table of 8-bit rows with one, in the engine's 0x00RRGGBB entries.
    std::vector<u8> entries;
    if (!words && table && bits <= 8) {
        entries.resize(4u << 8);
        gfxConvertColorTable(bitmap + kGfxBitmapHeaderSize, start - kGfxBitmapHeaderSize, 8, entries.data());
    }
    const size_t width = size_t(tile->width), height = size_t(tile->height);
    std::vector<u8> filled(width * height, 0);
    bool good = true;
    const bool whole = (words ? gfxWalkPacked16 : gfxWalkPacked8)(bitmap + start, size - start, u32(height), [&](const GfxPackedRun& run) {
        const u32 end = std::min<u32>(run.x + run.count, u32(width));
        for (u32 x = run.x; x < end && good; ++x) {
            i32 value = run.transparent ? kTransparentPacked : run.colourAt(x - run.x, words);
            if (!entries.empty() && value >= 0) value = i32(readLE32(entries.data() + 4 * size_t(value)));
            const size_t at = size_t(run.row) * width + x;
            good = toPixel(value, bits, table, &tile->pixels[at]);
            filled[at] = 1;
        }
    });
    if (!whole || !good) return false;
    for (size_t at = 0; at < filled.size(); ++at)
        if (!filled[at]) {
            if (!words) return false;
            tile->pixels[at] = kRgb555White;
        }
    return true;
}

}  // namespace

PixelTile tileFromBitmap(const u8* bitmap, u32 size) {
    if (!bitmap || size < kGfxBitmapHeaderSize) return {};
    const u16 width = readBE16(bitmap), height = readBE16(bitmap + 2), format = readBE16(bitmap + 6);
    if (width == 0 || height == 0 || width > kToolPictureMaxSide || height > kToolPictureMaxSide) return {};
    const int bits = gfxBitsOfDepthCode(format);
    const bool table = (format & kGfxFormatColorTable) != 0;
    // The first pixel read through the engine checks what the whole picture needs: a known
    // depth, no compression, a colour table that fits, 16-bit words in machine order.
    if (gfxGetBitmapPixel(bitmap, size, 0, 0) == kUnreadablePixel) return {};
    PixelTile tile{std::vector<u16>(size_t(width) * size_t(height)), i16(width), i16(height)};
    if (format & kGfxFormatPackingMask) return readPackedRows(bitmap, size, bits, table, &tile) ? tile : PixelTile{};
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

std::vector<PixelTile> loadGroupTiles(u16 slot) {
    std::vector<PixelTile> tiles;
    // A slot past the table (kSprNoSlot among them) holds no group.
    if (slot >= kSprGroupSlots) return tiles;
    // The sprite layer numbers frames in signed 16 bits.
    const i32 count = std::min<i32>(sprGroupFrameCount(i16(slot)), INT16_MAX);
    for (i32 frame = 1; frame <= count; ++frame) {
        std::span<const u8> bitmap = sprGroupFrame(i16(slot), i16(frame));
        PixelTile tile = tileFromBitmap(bitmap.data(), u32(bitmap.size()));
        if (tile.IsValid()) tiles.push_back(std::move(tile));
    }
    return tiles;
}
