// Eight-bit offscreen ports: indices written straight into the store where the call allows.
#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxRowCopy.h"
#include "engine/gfx/PackedRowPairWalk.h"
#include "engine/gfx/PackedRunPlacement.h"

namespace {

// Writes the runs of packed 8-bit rows drawn at `at`, mirrored or flipped as asked, into one
// clip piece of the store: the device row and the picture columns the piece lets through are
// found once per row and per piece, each run is then cut to those columns. In transparent
// mode, repeated index 0 leaves the store as it is. Mirroring, and a piece that lets every
// column through (runs are then cut only where they reach past the picture's width), are
// parameters of the type, so that the common case carries no test of them per run.
template <bool kMirror, bool kAllColumns>
class PackedInto8 {
public:
    PackedInto8(GfxDibBitmap& store, Point16 at, u16 width, u16 height, bool flip, bool transparent, const Rect16& piece)
        : store_(store), at_(at), width_(width), height_(height), flip_(flip), transparent_(transparent), piece_(piece) {
        // Device column d shows picture column d - at.h, or at.h + width - 1 - d when mirrored.
        const i32 fromLeft = kMirror ? at.h + i32(width) - piece.right : piece.left - at.h;
        const i32 fromRight = kMirror ? at.h + i32(width) - piece.left : piece.right - at.h;
        // The clip piece lies inside the picture's rectangle, so both are columns of the picture.
        firstColumn_ = u32(std::max<i32>(0, fromLeft));
        endColumn_ = u32(std::max<i32>(0, std::min<i32>(width, fromRight)));
        if (firstColumn_ < endColumn_) {
            keptFrom_ = kMirror ? i64(at.h) + width - endColumn_ : i64(at.h) + firstColumn_;
            kept_.resize(endColumn_ - firstColumn_);
        }
    }

    u8* row(u32 y) {
        const i32 device = flip_ ? at_.v + i32(height_) - 1 - i32(y) : at_.v + i32(y);
        if (device < piece_.top || device >= piece_.bottom) return nullptr;
        return store_.RowAt(device);
    }

    // The piece's columns of a row, which are all its runs may write.
    void keep(u8* row) {
        if (!kept_.empty()) std::memcpy(kept_.data(), row + keptFrom_, kept_.size());
    }
    void restore(u8* row) {
        if (!kept_.empty()) std::memcpy(row + keptFrom_, kept_.data(), kept_.size());
    }

    void run(u8* row, const GfxPackedRun& run) {
        // Most runs lie wholly inside the piece's columns and are written as they stand.
        u32 first = run.x, end = run.x + run.count;
        if (kAllColumns) {
            if (end > endColumn_) [[unlikely]] {
                end = endColumn_;
                if (first >= end) return;
            }
        } else if (first < firstColumn_ || end > endColumn_) [[unlikely]] {
            first = std::max(first, firstColumn_);
            end = std::min(end, endColumn_);
            if (first >= end) return;
        }
        const size_t count = end - first;
        // Measured from the row's start: the picture's column 0 may lie left of the store.
        // The device columns of picture columns [first, end): from `to` on, in reverse when mirrored.
        u8* to = row + (kMirror ? i64(at_.h) + width_ - end : i64(at_.h) + first);
        if (run.repeat) {
            // A run of an 8-bit row is at most 128 places: no call into the C library.
            const u8 value = run.colours[0];
            if (value != 0 || !transparent_) [[likely]] gfxFillPattern(to, 0x0101010101010101ull * value, count);
        } else if (!kMirror) {
            gfxCopySpan(to, run.colours + (first - run.x), count);
        } else {
            const u8* from = run.colours + (end - 1 - run.x);
            for (size_t i = 0; i < count; ++i) to[i] = *(from - i);
        }
    }

private:
    GfxDibBitmap& store_;
    Point16 at_;
    u16 width_;
    u16 height_;
    bool flip_;
    bool transparent_;
    Rect16 piece_;
    u32 firstColumn_ = 0;
    u32 endColumn_ = 0;
    i64 keptFrom_ = 0;
    std::vector<u8> kept_;
};

struct PackedPiece8 {
    GfxDibBitmap& store;
    Point16 at;
    u16 width;
    u16 height;
    bool flip;
    bool transparent;
    const Rect16& piece;
    const u8* pixels;
    size_t size;
    u32 rows;
};

// One function a kind of piece, so that the visitor is the walk's own local: its fields then
// stay in registers across the byte writes, which could otherwise alias them.
template <bool kMirror, bool kAllColumns>
bool drawPackedPiece8(const PackedPiece8& p) {
    PackedInto8<kMirror, kAllColumns> visit(p.store, p.at, p.width, p.height, p.flip, p.transparent, p.piece);
    return gfxWalkPackedRowPairs8(p.pixels, p.size, p.rows, visit);
}

}  // namespace

GfxOffscreenPort8::GfxOffscreenPort8(std::unique_ptr<GfxDibBitmap> store) : GfxOffscreenPort(std::move(store)) { kind = 1; }

EngineErr GfxOffscreenPort8::DrawPixels(const Rect16& dst, u16 width, u16 height, i16 rowBytes, u16 format, const u8* pixels,
                                        u32 size, u16 mode, u16 flags) {
    u16 depthCode = format & kGfxFormatDepthMask, packing = format & kGfxFormatPackingMask;
    bool oriented = flags & (kGfxCopyMirror | kGfxCopyFlip);
    bool mask = depthCode == 0 && packing == 0 && mode == kGfxModeTransparent && !oriented;
    bool plain = depthCode == 2 && packing == 0 && (mode == 0 || mode == kGfxModeTransparent) && !oriented;
    bool packed = depthCode == 2 && packing == kGfxFormatPacked8 && (mode == 0 || mode == kGfxModeTransparent) && rowBytes >= 0;
    if (!pixels || (format & (kGfxFormatColorTable | kGfxFormatCompressionMask)) || scaled ||
        width != dst.right - dst.left || height != dst.bottom - dst.top || !(mask || plain || packed))
        return GfxPort::DrawPixels(dst, width, height, rowBytes, format, pixels, size, mode, flags);
    if (!packed && !gfxPlainRowsFit(width, height, rowBytes, mask ? 1 : 8, size)) return gfxSetError(kGfxErrBadFormat);

    Point16 at = ToDevice(dst);
    Rect16 area{at.h, at.v, i16(at.h + width), i16(at.v + height)};
    u16 fore = mask ? TableIndex(foreColor) : 0;
    if (mask && fore == kGfxNoIndex) return GfxPort::DrawPixels(dst, width, height, rowBytes, format, pixels, size, mode, flags);
    EngineErr error = store_->Lock();
    if (error != kErrNone) return gfxSetError(error);
    bool damaged = false;
    bool transparent = mode == kGfxModeTransparent;
    bool mirror = flags & kGfxCopyMirror, flip = flags & kGfxCopyFlip;
    ForEachClipPiece(area, [&](const Rect16& piece) {
        if (packed) {
            const u32 rows = gfxRowsToRead(at.v, height, flip, piece);
            const PackedPiece8 p{*store_, at, width, height, flip, transparent, piece, pixels, size, rows};
            if (mirror) damaged |= !drawPackedPiece8<true, false>(p);
            else if (piece.left <= at.h && piece.right >= at.h + i32(width)) damaged |= !drawPackedPiece8<false, true>(p);
            else damaged |= !drawPackedPiece8<false, false>(p);
            return;
        }
        for (i32 y = piece.top; y < piece.bottom; ++y) {
            const u8* from = gfxPlainRow(pixels, rowBytes, height, y - at.v);
            u8* to = store_->RowAt(y);
            i32 sx = piece.left - at.h;
            if (mask) {
                for (i32 d = piece.left; d < piece.right; ++d, ++sx)
                    if (from[sx / 8] & (0x80 >> (sx % 8))) to[d] = u8(fore);
            } else if (!transparent) {
                std::memcpy(to + piece.left, from + sx, size_t(piece.right - piece.left));
            } else {
                for (i32 d = piece.left; d < piece.right; ++d, ++sx)
                    if (from[sx]) to[d] = from[sx];
            }
        }
    });
    store_->Unlock();
    return gfxSetError(damaged ? kGfxErrBadFormat : kErrNone);
}

EngineErr GfxOffscreenPort8::StretchDIB(plat::gdi::Box dst, plat::gdi::Box src, const plat::gdi::DibImage& image, u32 rop) {
    bool indices = image.bitsPerPixel == 8 && !image.colors.empty();
    for (plat::gdi::ColorRef c : image.colors) indices &= plat::gdi::colorKind(c) == plat::gdi::kColorKindPaletteIndex;
    if (!indices || !dc) return GfxPort::StretchDIB(dst, src, image, rop);
    // Identity grey table and palette for the while, so that every index lands unchanged.
    std::vector<plat::gdi::Rgb> greys(256);
    std::vector<plat::gdi::PaletteEntry> entries(256);
    for (u16 i = 0; i < 256; ++i) {
        greys[i] = {u8(i), u8(i), u8(i)};
        entries[i] = {u8(i), u8(i), u8(i), 0};
    }
    plat::gdi::Palette grey(entries);
    store_->SetColorTable(0, 256, greys.data());
    const plat::gdi::Palette* previous = dc->selectPalette(&grey);
    EngineErr error = GfxPort::StretchDIB(dst, src, image, rop);
    dc->selectPalette(previous);
    CopyPaletteToTable(palette);
    return error;
}

GfxColor* GfxOffscreenPort8::ReadPixel(GfxColor* out, i16 x, i16 y) {
    *out = GfxColor();
    if (BeginDraw() != kErrNone) return out;
    Point16 d;
    if (!StorePoint(x, y, &d)) {
        *out = GfxColor::rgb(0, 0, 0, 0);
    } else if (store_->Lock() == kErrNone) {
        out->FromIndex(i16(store_->RowAt(d.v)[d.h]));
        store_->Unlock();
    }
    EndDraw();
    return out;
}

EngineErr GfxOffscreenPort8::FillColorRect(const Rect16& r, const GfxColor& color, u16 mode) {
    u16 index = mode == 0 && !scaled ? TableIndex(color) : kGfxNoIndex;
    if (index == kGfxNoIndex) return GfxPort::FillColorRect(r, color, mode);
    Rect16 area = r;
    rectOffset(&area, i16(-offset.h), i16(-offset.v));
    EngineErr error = store_->Lock();
    if (error != kErrNone) return gfxSetError(error);
    ForEachClipPiece(area, [&](const Rect16& piece) {
        for (i32 y = piece.top; y < piece.bottom; ++y)
            std::memset(store_->RowAt(y) + piece.left, u8(index), size_t(piece.right - piece.left));
    });
    store_->Unlock();
    return gfxSetError(kErrNone);
}

void GfxOffscreenPort8::CheckPalette() {
    CopyPaletteToTable(palette);
    GfxPort::CheckPalette();
}

GfxPalette* GfxOffscreenPort8::SetPalette(GfxPalette* newPalette) {
    if (newPalette && newPalette != palette && newPalette->realised) CopyPaletteToTable(newPalette);
    return GfxPort::SetPalette(newPalette);
}

plat::gdi::ColorRef GfxOffscreenPort8::ToColorRef(const GfxColor& color) {
    u16 index = TableIndex(color);
    if (index == kGfxNoIndex) {
        gfxSetError(kGfxErrColorRange);
        return plat::gdi::kColorInvalid;
    }
    return plat::gdi::tableIndexColor(index);
}

void GfxOffscreenPort8::CopyPaletteToTable(const GfxPalette* source) {
    if (source) store_->SetColorTableRGB(0, 256, source->entries);
}

u16 GfxOffscreenPort8::TableIndex(const GfxColor& color) {
    switch (color.GetKind()) {
    case -1: return kGfxNoIndex;
    case 0: return color.index() & 0xFF;
    default: return NearestIndex(color);
    }
}
