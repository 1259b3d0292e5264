// libFuzzer target: any bytes taken as a tool's picture (a fill pattern, stamp or spray picture
// of an archive, a shape frame) give a tile of exactly the bitmap's size or none, reading only
// inside the block; packed rows walked once for the whole picture give, place by place, what
// the engine reads for that one place: 16-bit colours (gaps white) as they are.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/GfxPort.h"
#include "tools/base/ToolPicture.h"

namespace {

constexpr i32 kTransparentPlace = -2;
constexpr u16 kWhite555 = 0x7FFF;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = memInit(0, 512) == kErrNone && (gfxInitPalettes(), true);
    if (!ready) std::abort();
    const std::vector<u8> bitmap(data, data + size);
    const PixelTile tile = tileFromBitmap(bitmap.data(), u32(bitmap.size()));
    if (!tile.IsValid()) {
        if (!tile.pixels.empty() || tile.width || tile.height) std::abort();
        return 0;
    }
    const u16 width = readBE16(bitmap.data()), height = readBE16(bitmap.data() + 2);
    const u16 format = readBE16(bitmap.data() + 6);
    if (tile.width != width || tile.height != height) std::abort();
    for (u16 pixel : tile.pixels)
        if (pixel > kWhite555) std::abort();
    if ((format & kGfxFormatPackingMask) != kGfxFormatPacked16) return 0;
    for (u16 y = 0; y < height; ++y)
        for (u16 x = 0; x < width; ++x) {
            const i32 one = gfxGetBitmapPixel(bitmap.data(), u32(bitmap.size()), x, y);
            const u16 expected = one == kTransparentPlace ? kWhite555 : u16(one & kWhite555);
            if (one == -1 || tile.At(x, y) != expected) std::abort();
        }
    return 0;
}
