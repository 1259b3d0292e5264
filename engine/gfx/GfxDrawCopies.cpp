// Pixel buffers, engine bitmaps and copies between ports.
#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxDrawPorts.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/regions/Regions.h"
#include "platform/gdi/Surface.h"

namespace {

struct BitmapHeader {
    u16 width;
    u16 height;
    i16 rowBytes;
    u16 format;
};

bool readBitmapHeader(const u8* bitmap, u32 size, BitmapHeader* out) {
    if (!bitmap || size < kGfxBitmapHeaderSize) return false;
    *out = BitmapHeader{readBE16(bitmap), readBE16(bitmap + 2), i16(readBE16(bitmap + 4)), readBE16(bitmap + 6)};
    return true;
}

u16 formatOfDepth(u16 depth) {
    switch (depth) {
    case 4: return 1;
    case 8: return 2;
    case 16: return 3;
    case 24: return 4;
    default: return 0;
    }
}

}  // namespace

EngineErr gfxDrawPixelsInRect(u16 width, u16 height, i16 rowBytes, u16 format, const u8* pixels, u32 size,
                              const Rect16& dst, u16 mode, u16 flags) {
    if (format & kGfxFormatCompressionMask) return gfxSetError(kGfxErrBadFormat);
    GfxPort* port = gfxDrawingPort();
    if (!port) return gfxGetLastError();
    return gfxSetError(port->DrawPixels(dst, width, height, rowBytes, format, pixels, size, mode, flags));
}

EngineErr gfxDrawPixels(u16 width, u16 height, i16 rowBytes, u16 format, const u8* pixels, u32 size, i16 x, i16 y, u16 mode) {
    Rect16 dst{x, y, i16(x + width), i16(y + height)};
    return gfxDrawPixelsInRect(width, height, rowBytes, format, pixels, size, dst, mode, 0);
}

EngineErr gfxDrawBitmap(const u8* bitmap, u32 size, i16 x, i16 y, u16 mode) {
    BitmapHeader h;
    if (!readBitmapHeader(bitmap, size, &h)) return gfxSetError(kGfxErrBadFormat);
    return gfxDrawPixels(h.width, h.height, h.rowBytes, h.format, bitmap + kGfxBitmapHeaderSize, size - kGfxBitmapHeaderSize,
                         x, y, mode);
}

EngineErr gfxDrawBitmapInRect(const u8* bitmap, u32 size, const Rect16& dst, u16 mode, u16 flags) {
    BitmapHeader h;
    if (!readBitmapHeader(bitmap, size, &h)) return gfxSetError(kGfxErrBadFormat);
    return gfxDrawPixelsInRect(h.width, h.height, h.rowBytes, h.format, bitmap + kGfxBitmapHeaderSize,
                               size - kGfxBitmapHeaderSize, dst, mode, flags);
}

EngineErr gfxDrawPixelBuffer(const Rect16& r, const u8* pixels, u16 depth) {
    if (!pixels) return gfxSetError(kGfxErrBadFormat);
    GfxPort* port = gfxDrawingPort();
    if (!port) return gfxGetLastError();
    u16 width = u16(r.right - r.left), height = u16(r.bottom - r.top);
    u16 format = formatOfDepth(depth);
    i32 stride = plat::gdi::Surface::strideFor(width, gfxBitsOfDepthCode(format));
    return gfxSetError(port->DrawPixels(r, width, height, i16(stride), format, pixels, u32(stride) * height, 0, 0));
}

EngineErr gfxCopyBitsEx(GfxPort* destination, GfxPort* source, const Rect16& dstRect, const Rect16& srcRect, u16 mode,
                        u16 flags) {
    GfxPort* from = gfxPortFromHandle(source, kGfxCheckSource);
    if (!from) return gfxGetLastError();
    GfxPort* to = gfxPortFromHandle(destination, kGfxCheckDraw);
    if (!to) return gfxGetLastError();
    return gfxSetError(from->CopyBits(to, dstRect, srcRect, mode, flags));
}

EngineErr gfxCopyBits(GfxPort* destination, GfxPort* source, const Rect16& dstRect, const Rect16& srcRect, u16 mode) {
    return gfxCopyBitsEx(destination, source, dstRect, srcRect, mode, 0);
}

EngineErr gfxCopyBitsRgn(GfxPort* destination, GfxPort* source, const Rect16& dstRect, const Rect16& srcRect, u16 mode,
                         memHandle mask) {
    constexpr u16 kModeMask = 0x0F;
    const u16 flags = mode & (kGfxCopyMirror | kGfxCopyFlip);
    if (!mask) return gfxCopyBitsEx(destination, source, dstRect, srcRect, mode & kModeMask, flags);
    GfxPort* to = gfxPortFromHandle(destination, kGfxCheckDraw);
    if (!to) return gfxGetLastError();
    // The mask joins the destination's clip for this copy only.
    const memHandle saved = rgnCreate();
    if (!saved) return gfxSetError(rgnGetLastError());
    EngineErr error = rgnCopy(saved, to->clipRegion);
    if (error == kErrNone) error = rgnIntersect(to->clipRegion, mask);
    to->clipApplied = 0;
    if (error == kErrNone) error = gfxCopyBitsEx(destination, source, dstRect, srcRect, mode & kModeMask, flags);
    rgnCopy(to->clipRegion, saved);
    to->clipApplied = 0;
    rgnDispose(saved);
    return gfxSetError(error);
}
