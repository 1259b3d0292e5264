// Sixteen-bit offscreen ports: RGB555 words written straight into the store where the call allows.
#include <bit>
#include <cstring>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/PackedRunPlacement.h"

// Prepared pictures hold their colour words in machine order, the store holds little-endian
// words: the packed rows are copied word for word only where the two agree.
static_assert(std::endian::native == std::endian::little);

GfxOffscreenPort16::GfxOffscreenPort16(std::unique_ptr<GfxDibBitmap> store) : GfxOffscreenPort(std::move(store)) { kind = 2; }

EngineErr GfxOffscreenPort16::DrawPixels(const Rect16& dst, u16 width, u16 height, i16 rowBytes, u16 format, const u8* pixels,
                                         u32 size, u16 mode, u16 flags) {
    u16 packing = format & kGfxFormatPackingMask;
    bool fast = pixels && (format & kGfxFormatDepthMask) == 3 && !(format & (kGfxFormatColorTable | kGfxFormatCompressionMask)) &&
                (mode == 0 || mode == kGfxModeTransparent) && !scaled && width == dst.right - dst.left &&
                height == dst.bottom - dst.top && !(flags & (kGfxCopyMirror | kGfxCopyFlip)) &&
                (packing == 0 || packing == kGfxFormatPacked16);
    if (!fast) return GfxPort::DrawPixels(dst, width, height, rowBytes, format, pixels, size, mode, flags);
    if (packing == 0 && !gfxPlainRowsFit(width, height, rowBytes, 16, size)) return gfxSetError(kGfxErrBadFormat);

    Point16 at = ToDevice(dst);
    Rect16 area{at.h, at.v, i16(at.h + width), i16(at.v + height)};
    EngineErr error = store_->Lock();
    if (error != kErrNone) return gfxSetError(error);
    bool damaged = false;
    ForEachClipPiece(area, [&](const Rect16& piece) {
        if (packing == kGfxFormatPacked16) {
            damaged |= !gfxWalkPacked16(pixels, size, gfxRowsToRead(at.v, height, false, piece), [&](const GfxPackedRun& run) {
                GfxRunSpan span;
                if (run.transparent || !gfxPlaceRun(run, at.h, at.v, width, height, false, false, piece, &span)) return;
                u8* to = store_->RowAt(span.row) + 2 * span.left;
                u32 count = u32(span.right - span.left);
                if (run.repeat) {
                    u16 colour = run.colourAt(0, true);
                    for (u32 i = 0; i < count; ++i) writeLE16(to + 2 * i, colour);
                } else {
                    // Colour words and the store are both little-endian: whole rows of words move at once.
                    std::memcpy(to, run.colours + 2 * span.PlaceOf(span.left, run), 2 * size_t(count));
                }
            });
            return;
        }
        for (i32 y = piece.top; y < piece.bottom; ++y) {
            const u8* from = gfxPlainRow(pixels, rowBytes, height, y - at.v);
            std::memcpy(store_->RowAt(y) + 2 * piece.left, from + 2 * (piece.left - at.h), 2 * size_t(piece.right - piece.left));
        }
    });
    store_->Unlock();
    return gfxSetError(damaged ? kGfxErrBadFormat : kErrNone);
}

GfxColor* GfxOffscreenPort16::ReadPixel(GfxColor* out, i16 x, i16 y) {
    *out = GfxColor();
    if (BeginDraw() != kErrNone) return out;
    Point16 d;
    if (!StorePoint(x, y, &d)) {
        *out = GfxColor::rgb(0, 0, 0, 0);
    } else if (store_->Lock() == kErrNone) {
        plat::gdi::Rgb c = plat::gdi::rgbFrom555(readLE16(store_->RowAt(d.v) + 2 * d.h));
        *out = GfxColor::rgb(c.red, c.green, c.blue, 0);
        store_->Unlock();
    }
    EndDraw();
    return out;
}
