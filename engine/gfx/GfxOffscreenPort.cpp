#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxDirectDraw.h"
#include "engine/gfx/GfxSurfaceBitmap.h"
#include "engine/gfx/GfxMemoryDisplayPort.h"

#include <cstring>
#include <new>

#include "engine/regions/Regions.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"

namespace {

// Port rectangles are 16-bit signed.
constexpr u16 kMaxPortSide = 0x7FFF;

bool validDepth(u16 depth) { return depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32; }

}  // namespace

GfxOffscreenPort::GfxOffscreenPort(std::unique_ptr<GfxDibBitmap> store)
    : GfxPort(store->bounds), store_(std::move(store)) {
    kind = 0;
    deviceClass = store_->deviceClass;
    depth = store_->depth;
}

EngineErr GfxOffscreenPort::CopyBits(GfxPort* destination, const Rect16& dstRect, const Rect16& srcRect, u16 mode, u16 flags) {
    if (MemoryCopyApplies(destination, dstRect, srcRect, mode, flags))
        return MemoryCopy(static_cast<GfxOffscreenPort*>(destination), dstRect, srcRect, depth / 8u);
    Rect16 overlap = srcRect;
    if (destination == this && rectIntersect(&overlap, dstRect))
        return GfxPort::CopyBits(destination, dstRect, srcRect, mode, flags);
    Rect16 deviceSource = srcRect;
    if (scaled) {
        EngineErr error = BeginDraw();
        if (error != kErrNone) return error;
        plat::gdi::Rect r = dc->toDevice(plat::gdi::Rect{srcRect.left, srcRect.top, srcRect.right, srcRect.bottom});
        EndDraw();
        deviceSource = Rect16{i16(r.left), i16(r.top), i16(r.right), i16(r.bottom)};
    } else {
        rectOffset(&deviceSource, i16(-offset.h), i16(-offset.v));
    }
    bool indices = depth == 8 && palette == destination->palette && store_->NeedsIndexColors(destination->deviceClass);
    return store_->Blit(destination, dstRect, deviceSource, indices, gfxSourceCopyCode(mode),
                        plat::gdi::StretchMode::ColorOnColor, flags & kGfxCopyMirror, flags & kGfxCopyFlip);
}

EngineErr GfxOffscreenPort::BeginDraw() {
    if (drawNesting == 0 && !dc) {
        plat::gdi::DeviceContext* context = store_->GetDC();
        if (!context) return gfxGetLastError();
        dc = context;
        EngineErr error = AttachDC();
        if (error != kErrNone) {
            store_->ReleaseDC(context);
            dc = nullptr;
            return error;
        }
    }
    EngineErr error = GfxPort::BeginDraw();
    if (error != kErrNone && drawNesting == 0 && store_->contextReturn && dc) {
        DetachDC();
        store_->ReleaseDC(dc);
        dc = nullptr;
    }
    return error;
}

void GfxOffscreenPort::EndDraw() {
    GfxPort::EndDraw();
    if (drawNesting == 0 && store_->contextReturn && dc) {
        DetachDC();
        store_->ReleaseDC(dc);
        dc = nullptr;
    }
}

// A DIB store has no surface to lock or restore.
EngineErr GfxOffscreenPort::LockSurface(Rect16* out) {
    auto* surfaceStore = dynamic_cast<GfxSurfaceBitmap*>(store_.get());
    if (!surfaceStore) return kGfxErrNotSupported;
    EngineErr error = surfaceStore->Restore();
    if (error != kErrNone) return error;
    *out = store_->bounds;
    return kErrNone;
}

EngineErr GfxOffscreenPort::RestoreSurface() {
    auto* surfaceStore = dynamic_cast<GfxSurfaceBitmap*>(store_.get());
    return surfaceStore ? surfaceStore->Restore() : kGfxErrNotSupported;
}

EngineErr GfxOffscreenPort::LockBits(GfxPixelDescriptor* descriptor) {
    EngineErr error = store_->Lock();
    if (error != kErrNone) return error;
    *descriptor = GfxPixelDescriptor{store_->bounds, deviceRect,   logicalRect,         store_->base, -store_->stride,
                                     store_->depth,  u16(!store_->writeOnly), 1};
    bitsLocked = 1;
    return kErrNone;
}

EngineErr GfxOffscreenPort::UnlockBits(GfxPixelDescriptor*) {
    bitsLocked = 0;
    store_->Unlock();
    return kErrNone;
}

EngineErr GfxOffscreenPort::Lock() {
    if (lockCount == 0) {
        nativeDrawing = drawNesting = 0;
        jobState = pageState = 1;
        depth = store_->depth;
    }
    ++lockCount;
    return kErrNone;
}

void GfxOffscreenPort::Unlock() {
    if (lockCount) --lockCount;
    if (lockCount == 0 && dc) {
        DetachDC();
        store_->ReleaseDC(dc);
        dc = nullptr;
    }
}

bool GfxOffscreenPort::ForEachClipPiece(const Rect16& area, const std::function<void(const Rect16&)>& draw) {
    if (!rgnIsValid(clipRegion)) return false;
    const auto* record = static_cast<const RegionRecord*>(memDerefHandle(clipRegion));
    auto drawCut = [&](Rect16 piece) {
        if (rectIntersect(&piece, area) && rectIntersect(&piece, store_->bounds)) draw(piece);
    };
    if (gfxIsWholePlane(record)) {
        drawCut(store_->bounds);
        return true;
    }
    // The pieces are copied first: drawing must not see the region block move.
    std::vector<Rect16> pieces(rgnRects(record), rgnRects(record) + record->count);
    for (Rect16 piece : pieces) {
        rectOffset(&piece, i16(-offset.h), i16(-offset.v));
        drawCut(piece);
    }
    return true;
}

bool GfxOffscreenPort::MemoryCopyApplies(GfxPort* destination, const Rect16& dstRect, const Rect16& srcRect, u16 mode,
                                         u16 flags) const {
    auto* target = dynamic_cast<GfxOffscreenPort*>(destination);
    Rect16 overlap = srcRect;
    return kind != 0 && target && target->kind == kind && target->palette == palette && mode == 0 && !scaled && !target->scaled &&
           !(flags & (kGfxCopyMirror | kGfxCopyFlip)) && srcRect.right - srcRect.left == dstRect.right - dstRect.left &&
           srcRect.bottom - srcRect.top == dstRect.bottom - dstRect.top && !store_->writeOnly &&
           !(store_->deviceClass == kGfxDeviceClassSurface && target->store_->deviceClass == kGfxDeviceClassSurface) &&
           !(destination == this && rectIntersect(&overlap, dstRect));
}

EngineErr GfxOffscreenPort::MemoryCopy(GfxOffscreenPort* destination, const Rect16& dstRect, const Rect16& srcRect,
                                       u32 bytesPerPixel) {
    i32 sx = srcRect.left - offset.h, sy = srcRect.top - offset.v;
    i32 dl = dstRect.left, dt = dstRect.top, dr = dstRect.right, db = dstRect.bottom;
    if (sx < 0) dl -= sx, sx = 0;
    if (sy < 0) dt -= sy, sy = 0;
    if (sx + (dr - dl) > store_->bounds.right) dr = dl + (store_->bounds.right - sx);
    if (sy + (db - dt) > store_->bounds.bottom) db = dt + (store_->bounds.bottom - sy);
    if (dl >= dr || dt >= db) return gfxSetError(kErrNone);
    Rect16 area{i16(dl - destination->offset.h), i16(dt - destination->offset.v), i16(dr - destination->offset.h),
                i16(db - destination->offset.v)};
    EngineErr error = store_->Lock();
    if (error != kErrNone) return gfxSetError(error);
    error = destination->store_->Lock();
    if (error != kErrNone) {
        store_->Unlock();
        return gfxSetError(error);
    }
    GfxDibBitmap& to = *destination->store_;
    destination->ForEachClipPiece(area, [&](const Rect16& piece) {
        i32 fromX = sx + (piece.left - area.left), fromY = sy + (piece.top - area.top);
        size_t bytes = size_t(piece.right - piece.left) * bytesPerPixel;
        // Whole rows of two stores whose rows follow one another without padding, in the same
        // direction, make one block.
        if (i64(to.stride) == i64(bytes) && store_->stride == to.stride) {
            size_t rows = size_t(piece.bottom - piece.top);
            std::memcpy(to.RowAt(piece.bottom - 1) + piece.left * bytesPerPixel,
                        store_->RowAt(fromY + i32(rows) - 1) + fromX * bytesPerPixel, bytes * rows);
            return;
        }
        for (i32 y = piece.top; y < piece.bottom; ++y)
            std::memcpy(to.RowAt(y) + piece.left * bytesPerPixel, store_->RowAt(fromY + (y - piece.top)) + fromX * bytesPerPixel,
                        bytes);
    });
    destination->store_->Unlock();
    store_->Unlock();
    return gfxSetError(kErrNone);
}

bool GfxOffscreenPort::StorePoint(i16 x, i16 y, Point16* device) const {
    if (!rectContainsPoint(logicalRect, Point16{x, y})) return false;
    plat::gdi::Point d{x - offset.h, y - offset.v};
    if (scaled && dc) d = dc->toDevice(plat::gdi::Point{x, y});
    *device = Point16{i16(d.x), i16(d.y)};
    return rectContainsPoint(store_->bounds, *device);
}

GfxPort* gfxNewOffscreenPort(u16 width, u16 height, u16 depth, GfxPalette* palette) {
    if (depth == kGfxMemoryDisplayDepth) return gfxNewMemoryDisplayPort(width, height, palette);
    if (depth == 0) depth = gfxDisplayDepth();
    if (!validDepth(depth)) {
        gfxSetError(kGfxErrBadValue);
        return nullptr;
    }
    if (!(palette = gfxNewPortPalette(palette))) return nullptr;
    if (width > kMaxPortSide || height > kMaxPortSide) {
        gfxSetError(kGfxErrBadValue);
        return nullptr;
    }
    std::unique_ptr<GfxDibBitmap> store;
    // A direct surface serves only where someone redraws it when it is lost.
    if (ddrawHasRestoreHandlers()) {
        store.reset(new (std::nothrow)
                        GfxSurfaceBitmap(i16(width), i16(height), depth, kGfxPlaceNonLocal | kGfxPlaceReadable));
        if (!store) {
            gfxSetError(kGfxErrOutOfMemory);
            return nullptr;
        }
        if (store->Create(true) != kErrNone) store.reset();
    }
    if (!store) {
        store.reset(new (std::nothrow) GfxDibBitmap(i16(width), i16(height), depth));
        if (!store) {
            gfxSetError(kGfxErrOutOfMemory);
            return nullptr;
        }
        EngineErr error = store->Create(true);
        if (error != kErrNone) {
            gfxSetError(error);
            return nullptr;
        }
    }
    auto* surfaceStore = dynamic_cast<GfxSurfaceBitmap*>(store.get());
    GfxOffscreenPort* port = depth == 8    ? new (std::nothrow) GfxOffscreenPort8(std::move(store))
                             : depth == 16 ? new (std::nothrow) GfxOffscreenPort16(std::move(store))
                                           : new (std::nothrow) GfxOffscreenPort(std::move(store));
    if (!port) {
        gfxSetError(kGfxErrOutOfMemory);
        return nullptr;
    }
    if (surfaceStore) surfaceStore->owner = port;
    return gfxFinishNewPort(port, palette);
}
