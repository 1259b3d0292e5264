// Sixteen-bit offscreen ports: RGB555 words written straight into the store where the call allows.
#include <algorithm>
#include <bit>
#include <cstring>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxRowCopy.h"
#include "engine/gfx/PackedRowWalk.h"
#include "engine/gfx/PackedRunPlacement.h"

// Prepared pictures hold their colour words in machine order, the store holds little-endian
// words: the packed rows are copied word for word only where the two agree.
static_assert(std::endian::native == std::endian::little);

namespace {

// Writes the opaque runs of packed 16-bit rows drawn at `at` (neither mirrored nor flipped)
// into one clip piece of the store: the row and the picture columns the piece lets through
// are found once per row and per piece, each run is then cut to those columns.
class PackedInto16 {
public:
    // The clip piece lies inside the picture's rectangle, so both limits are picture columns.
    PackedInto16(GfxDibBitmap& store, Point16 at, u16 width, const Rect16& piece)
        : store_(store), at_(at), piece_(piece), firstColumn_(u32(std::max<i32>(0, piece.left - at.h))),
          endColumn_(u32(std::max<i32>(0, std::min<i32>(width, piece.right - at.h)))) {}

    bool row(u32 y) {
        const i32 device = at_.v + i32(y);
        if (device < piece_.top || device >= piece_.bottom) return false;
        row_ = store_.RowAt(device);
        return true;
    }

    void run(const GfxPackedRun& run) {
        // Most runs lie wholly inside the piece's columns and are written as they stand.
        u32 first = run.x, end = run.x + run.count;
        if (first < firstColumn_ || end > endColumn_) {
            first = std::max(first, firstColumn_);
            end = std::min(end, endColumn_);
            if (first >= end) return;
        }
        // Measured from the row's start: the picture's column 0 may lie left of the store.
        u8* to = row_ + 2 * (i64(at_.h) + first);
        if (run.repeat) {
            gfxFillWords(to, run.colourAt(0, true), end - first);
        } else {
            // Colour words and the store are both little-endian: the words move as bytes.
            gfxCopySpan(to, run.colours + 2 * size_t(first - run.x), 2 * size_t(end - first));
        }
    }

private:
    GfxDibBitmap& store_;
    Point16 at_;
    Rect16 piece_;
    u32 firstColumn_;
    u32 endColumn_;
    u8* row_ = nullptr;
};

}  // namespace

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
            PackedInto16 visit(*store_, at, width, piece);
            damaged |= !gfxWalkPackedRows16<false>(pixels, size, gfxRowsToRead(at.v, height, false, piece), visit);
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
