#include "contentgen/content/BitmapWriter.h"

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxPackedWriter.h"

namespace {

constexpr u16 kDepth16 = 3;

void push16(std::vector<u8>& v, u16 w) {
    v.push_back(u8(w >> 8));
    v.push_back(u8(w));
}

void pushHeader(std::vector<u8>& v, int width, int height, u16 format) {
    push16(v, u16(width));
    push16(v, u16(height));
    push16(v, u16(width * 2));
    push16(v, format);
}

}  // namespace

std::vector<u8> writePlainBitmap16(const Raster& raster) {
    std::vector<u8> out;
    out.reserve(kGfxBitmapHeaderSize + size_t(raster.width) * size_t(raster.height) * 2);
    pushHeader(out, raster.width, raster.height, kDepth16);
    for (u32 p : raster.pixels) push16(out, rasterTo555(p | 0xFF000000u));
    return out;
}

std::vector<u8> writeStampBitmap16(const Raster& raster) {
    constexpr u16 kSeeThrough = 0x7FFF;
    std::vector<u8> out;
    out.reserve(kGfxBitmapHeaderSize + size_t(raster.width) * size_t(raster.height) * 2);
    pushHeader(out, raster.width, raster.height, kDepth16);
    for (u32 p : raster.pixels) {
        const u16 colour = rasterTo555(p);
        push16(out, !rasterOpaque(p) ? kSeeThrough : colour == kSeeThrough ? u16(kSeeThrough - 1) : colour);
    }
    return out;
}

std::vector<u8> writeAlphaMask8(const Raster& raster) {
    std::vector<u8> out;
    out.reserve(8 + raster.pixels.size());
    for (int field : {raster.width, raster.height, raster.width, 0}) push16(out, u16(field));
    for (u32 p : raster.pixels) out.push_back(u8(p >> 24));
    return out;
}

std::vector<u8> writePackedBitmap16(const Raster& raster, const RasterBounds& bounds) {
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    return gfxWritePacked16(u16(width), u16(height), [&](u32 x, u32 y) -> i32 {
        const u32 p = raster.at(int(bounds.left + int(x)), int(bounds.top + int(y)));
        return rasterOpaque(p) ? rasterTo555(p) : kGfxPackedClear;
    });
}
