#include "engine/gfx/GfxSurfaceBitmap.h"

#include <cstring>

#include "engine/gfx/GfxDirectDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/PaletteState.h"

GfxSurfaceBitmap::GfxSurfaceBitmap(i16 width, i16 height, u16 bitsPerPixel, u16 placementFlags)
    : GfxDibBitmap(width, height, bitsPerPixel), placement(placementFlags) {
    deviceClass = kGfxDeviceClassSurface;
    contextReturn = 1;
}

GfxSurfaceBitmap::~GfxSurfaceBitmap() { Destroy(); }

EngineErr GfxSurfaceBitmap::ChoosePlace(const plat::DirectCapabilities& caps, plat::SurfacePlace* place) const {
    bool blittable = placement & kGfxPlaceBlittable;
    switch (placement & kGfxPlaceMask) {
        case kGfxPlaceSystem:
            if (blittable && !caps.blitsFromSystemMemory) return kGfxErrNotSupported;
            *place = plat::SurfacePlace::SystemMemory;
            return kErrNone;
        case kGfxPlaceNonLocal:
            if (!caps.nonLocalVideo || (blittable && !caps.blitsFromNonLocalVideo)) return kGfxErrNotSupported;
            *place = plat::SurfacePlace::NonLocalVideo;
            return kErrNone;
        case kGfxPlaceLocal:
            if (blittable && !caps.hardwareBlitter) return kGfxErrNotSupported;
            *place = plat::SurfacePlace::LocalVideo;
            return kErrNone;
    }
    if (!blittable) *place = plat::SurfacePlace::LocalVideo;
    else if (caps.blitsFromSystemMemory) *place = plat::SurfacePlace::SystemMemory;
    else if (caps.nonLocalVideo && caps.blitsFromNonLocalVideo) *place = plat::SurfacePlace::NonLocalVideo;
    else if (caps.hardwareBlitter) *place = plat::SurfacePlace::LocalVideo;
    else return kGfxErrNotSupported;
    return kErrNone;
}

EngineErr GfxSurfaceBitmap::Create(bool clear) {
    plat::DirectSurfaceService* service = ddrawGetObject();
    if (!service) return gfxGetLastError();
    if (depth != 8 && depth != 16 && depth != 24) return kGfxErrNotSupported;
    if (!RowsAddressable()) return kGfxErrDirectDraw;
    if (depth == 8 && table_.empty())
        for (u16 i = 0; i < 256; ++i) {
            const GfxPalette* palette = gfxDefaultPalette();
            table_.push_back(palette ? plat::gdi::Rgb{palette->entries[i].red, palette->entries[i].green,
                                                      palette->entries[i].blue}
                                     : plat::gdi::Rgb{});
        }
    plat::SurfacePlace place;
    EngineErr error = ChoosePlace(service->capabilities(), &place);
    if (error != kErrNone) return error;
    plat::SurfaceResult made = service->createOffscreen(bounds.right, bounds.bottom, depth, place, &surface_);
    if (made != plat::SurfaceResult::Ok)
        return made == plat::SurfaceResult::Unsupported ? kGfxErrNotSupported : kGfxErrDirectDraw;
    if (depth == 8) surface_->pixels()->setColorTable(0, table_);
    u16 where = place == plat::SurfacePlace::NonLocalVideo ? kGfxPlaceNonLocal
                : place == plat::SurfacePlace::SystemMemory ? kGfxPlaceSystem
                                                             : kGfxPlaceLocal;
    placement = u16((placement & ~kGfxPlaceMask) | where | kGfxPlaceReadable);
    writeOnly = 0;
    if (clear) {
        if (Lock() != kErrNone) {
            surface_.reset();
            return kGfxErrDirectDraw;
        }
        for (i32 y = 0; y < bounds.bottom; ++y) std::memset(RowAt(y), 0, size_t(-stride));
        Unlock();
    }
    created = 1;
    return kErrNone;
}

void GfxSurfaceBitmap::Destroy() {
    context_.reset();
    if (surface_ && surface_->locked()) surface_->unlock();
    surface_.reset();
    base = nullptr;
    created = 0;
}

EngineErr GfxSurfaceBitmap::Restore() {
    if (!surface_) return kGfxErrDirectDraw;
    if (!surface_->lost()) return kErrNone;
    plat::SurfaceResult result = surface_->restore();
    if (result == plat::SurfaceResult::ModeChanged) {
        Destroy();
        EngineErr error = Create(false);
        if (error != kErrNone) return error;
    } else if (result != plat::SurfaceResult::Ok) {
        return kGfxErrDirectDraw;
    }
    writeOnly = 0;
    return ddrawTellHandlers(kDDrawEventSurfaceRestored, uintptr_t(owner), true) ? kErrNone : kGfxErrBadValue;
}

void GfxSurfaceBitmap::GetColorTable(u16 first, u16 count, plat::gdi::Rgb* out) const {
    for (u16 i = 0; i < count && size_t(first) + i < table_.size(); ++i) out[i] = table_[first + i];
}

void GfxSurfaceBitmap::SetColorTable(u16 first, u16 count, const plat::gdi::Rgb* entries) {
    if (depth != 8) return;
    for (u16 i = 0; i < count && size_t(first) + i < table_.size(); ++i) table_[first + i] = entries[i];
    if (plat::gdi::Surface* pixels = surface_ ? surface_->pixels() : nullptr) pixels->setColorTable(0, table_);
}

plat::gdi::DeviceContext* GfxSurfaceBitmap::GetDC() {
    if (surface_ && surface_->lost()) {
        EngineErr error = Restore();
        if (error != kErrNone && error != kGfxErrBadValue) {
            gfxSetError(error);
            return nullptr;
        }
    }
    plat::gdi::Surface* pixels = surface_ ? surface_->pixels() : nullptr;
    if (!pixels) {
        gfxSetError(kGfxErrDirectDraw);
        return nullptr;
    }
    context_ = plat::gdi::DeviceContext::createMemory();
    context_->selectSurface(pixels);
    return context_.get();
}

EngineErr GfxSurfaceBitmap::Lock() {
    if (!surface_) return kGfxErrDirectDraw;
    GfxSurfaceLock lock{};
    while (ddrawLockSurface(surface_.get(), &lock) != kErrNone) {
        if (ddrawLastResult() != kDDrawErrSurfaceLost) return kGfxErrDirectDraw;
        EngineErr error = Restore();
        if (error != kErrNone && error != kGfxErrBadValue) return error;
    }
    base = lock.base;
    stride = -lock.pitch;
    origin = 0;
    return kErrNone;
}

void GfxSurfaceBitmap::Unlock() {
    if (surface_ && surface_->locked()) surface_->unlock();
}

EngineErr GfxSurfaceBitmap::Blit(GfxPort* destination, const Rect16& dstRect, const Rect16& srcRect,
                                 bool paletteIndices, u32 rop, plat::gdi::StretchMode stretch, bool mirror,
                                 bool flip) {
    const PaletteState& palettes = paletteState();
    if (!mirror && !flip && (palettes.twoReserved != 0) == (palettes.noStatic != 0)) {
        EngineErr error = destination->BltFromSurface(dstRect, srcRect, surface_.get(), depth, rop);
        if (error == kGfxErrDirectDraw && ddrawLastResult() == kDDrawErrSurfaceLost && Restore() != kGfxErrDirectDraw)
            error = destination->BltFromSurface(dstRect, srcRect, surface_.get(), depth, rop);
        if (error != kGfxErrNotSupported) return error;
    }
    EngineErr error = Restore();
    if (error != kErrNone && error != kGfxErrBadValue) return error;
    return DrawInto(destination, dstRect, srcRect, paletteIndices, rop, stretch, mirror, flip);
}

EngineErr GfxSurfaceBitmap::DrawInto(GfxPort* destination, const Rect16& dstRect, const Rect16& srcRect,
                                     bool paletteIndices, u32 rop, plat::gdi::StretchMode stretch, bool mirror,
                                     bool flip) {
    plat::gdi::Box dst, src;
    if (!CutToBounds(dstRect, srcRect, mirror, flip, &dst, &src)) return kErrNone;
    EngineErr error = destination->BeginDraw();
    if (error != kErrNone) return error;
    error = Lock();
    if (error == kErrNone) {
        destination->dc->state().stretchMode = stretch;
        plat::gdi::DibImage image{bounds.right, bounds.bottom, depth, -stride, plat::gdi::RowOrder::TopDown, base, {}};
        for (u16 i = 0; i < table_.size(); ++i)
            image.colors.push_back(paletteIndices ? plat::gdi::paletteIndexColor(i) : plat::gdi::rgbColor(table_[i]));
        if (destination->StretchDIB(dst, src, image, rop) != kErrNone) error = kGfxErrGdi;
        Unlock();
    }
    destination->EndDraw();
    return error;
}
