#include "engine/gfx/DrawColoredAlphaMask.h"

#include <algorithm>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxPort.h"

namespace {

constexpr u32 kHeaderSize = 8;
constexpr u8 kRepeatRun = 0x80;

struct Colour {
    u32 r, g, b;
};

u16 shade(u16 pixel, const Colour& c, u8 alpha, bool blend) {
    if (alpha == 0) return pixel;
    if (!blend) return u16(((c.r * alpha >> 8) << 10) | ((c.g * alpha >> 8) << 5) | (c.b * alpha >> 8));
    const u32 keep = 255u - alpha;
    const u32 r = (((pixel >> 10) & 31) * keep + c.r * alpha) >> 8;
    const u32 g = (((pixel >> 5) & 31) * keep + c.g * alpha) >> 8;
    const u32 b = ((pixel & 31) * keep + c.b * alpha) >> 8;
    return u16((r << 10) | (g << 5) | b);
}

// Fills `out` with the `width` alpha values of a run-length row of `size` bytes; runs are cut
// at the row's width and places no run reaches stay 0. False when a run reaches past the row.
bool codedRow(const u8* data, u32 size, u16 width, u8* out) {
    std::fill(out, out + width, 0);
    u32 at = 0, x = 0;
    while (at < size && x < width) {
        const u8 c = data[at++];
        const u32 length = (c & 127u) + 1, count = std::min<u32>(length, width - x);
        if (c & kRepeatRun) {
            if (at >= size) return false;
            std::fill(out + x, out + x + count, data[at++]);
        } else {
            if (size - at < length) return false;
            std::copy(data + at, data + at + count, out + x);
            at += length;
        }
        x += count;
    }
    return true;
}

}  // namespace

EngineErr DrawColoredAlphaMask(i16 x, i16 y, const u8* mask, u32 maskSize, u32 colour, bool blend, const Rect16* clip) {
    if (!mask || maskSize < kHeaderSize) return gfxSetError(kGfxErrBadFormat);
    const u16 width = readBE16(mask), height = readBE16(mask + 2), rowBytes = readBE16(mask + 4);
    const bool coded = readBE16(mask + 6) & kAlphaMaskRunLength;
    const u8* rows = mask + kHeaderSize;
    const u32 rowsSize = maskSize - kHeaderSize;
    if (!coded && (rowBytes < width || u64(rowBytes) * height > rowsSize)) return gfxSetError(kGfxErrBadFormat);

    GfxPixelDescriptor pixels{};
    EngineErr error = gfxLockPortBits(&pixels);
    if (error != kErrNone) return error;
    if (pixels.depth != 16 || !pixels.base) {
        gfxUnlockPortBits(&pixels);
        return gfxSetError(kGfxErrNotSupported);
    }
    Rect16 area{x, y, i16(std::min<i32>(x + i32(width), INT16_MAX)), i16(std::min<i32>(y + i32(height), INT16_MAX))};
    rectIntersect(&area, pixels.bounds);
    if (clip) rectIntersect(&area, *clip);

    const Colour c{(colour & 0xFF) >> 3, ((colour >> 8) & 0xFF) >> 3, ((colour >> 16) & 0xFF) >> 3};
    const i32 portHeight = i32(pixels.bounds.bottom) - pixels.bounds.top;
    std::vector<u8> alphas(width);
    u32 codedAt = 0;
    error = kErrNone;
    for (i32 row = 0; row < height && !rectIsEmpty(area); ++row) {
        bool ok;
        if (coded) {
            if (rowsSize - codedAt < 2) {
                error = kGfxErrBadFormat;
                break;
            }
            const u32 length = readBE16(rows + codedAt);
            codedAt += 2;
            if (rowsSize - codedAt < length) {
                error = kGfxErrBadFormat;
                break;
            }
            ok = codedRow(rows + codedAt, length, width, alphas.data());
            codedAt += length;
        } else {
            const u8* plain = rows + size_t(row) * rowBytes;
            std::copy(plain, plain + width, alphas.begin());
            ok = true;
        }
        if (!ok) {
            error = kGfxErrBadFormat;
            break;
        }
        const i32 py = y + row;
        if (py < area.top || py >= area.bottom) continue;
        const i32 deviceY = py - pixels.bounds.top;
        u8* line = pixels.rowStep >= 0 ? pixels.base + size_t(deviceY) * size_t(pixels.rowStep)
                                       : pixels.base + size_t(portHeight - 1 - deviceY) * size_t(-pixels.rowStep);
        for (i32 px = area.left; px < area.right; ++px) {
            u8* p = line + 2 * size_t(px - pixels.bounds.left);
            writeLE16(p, shade(readLE16(p), c, alphas[size_t(px - x)], blend));
        }
    }
    gfxUnlockPortBits(&pixels);
    return gfxSetError(error);
}
