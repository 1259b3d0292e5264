#include "engine/gfx/GfxDDrawWindowPort.h"

#include <new>

#include "engine/regions/Regions.h"
#include "engine/gfx/GfxDirectDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "platform/display/DisplayDriver.h"
#include "platform/gdi/Blit.h"

GfxDDrawWindowPort::GfxDDrawWindowPort(plat::WindowHandle window, u32 flags, const Rect16& device)
    : GfxWindowPort(device), window_(window), flags_(flags) {
    kind = kGfxKindWindow;
}

std::unique_ptr<plat::gdi::DeviceContext> GfxDDrawWindowPort::MakeContext() {
    plat::DisplayWindow* face = Face();
    if (!face) return nullptr;
    return plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Window, face->surface());
}

Point16 GfxDDrawWindowPort::ScreenOrigin() const {
    const plat::DisplayWindow* face = Face();
    if (!face) return Point16{0, 0};
    const plat::gdi::Point origin = face->clientOrigin();
    return Point16{i16(origin.x), i16(origin.y)};
}

void GfxDDrawWindowPort::Unlock() {
    GfxPort::Unlock();
    if (lockCount != 0) return;
    if (plat::DisplayWindow* face = Face()) face->present(face->clientRect());
}

void GfxDDrawWindowPort::ShowCopied(const Rect16& r) {
    plat::DisplayWindow* face = Face();
    if (!face || !dc || rectIsEmpty(r)) return;
    face->present(dc->toDevice(plat::gdi::Rect{r.left, r.top, r.right, r.bottom}).normalized());
}

EngineErr GfxDDrawWindowPort::ApplyClip(memHandle region) {
    EngineErr error = RegionToGdi(&gdiClip, region);
    if (error != kErrNone) return error;
    if (updating_) gdiClip = plat::gdi::Region::combine(gdiClip, update_, plat::gdi::CombineOp::And);
    dc->selectClip(&gdiClip);
    dc->intersectClipRect(gfxToGdi(logicalRect));
    return kErrNone;
}

EngineErr GfxDDrawWindowPort::UnlockSurface() {
    if (!lockedSurface_) return kGfxErrNotSupported;
    lockedSurface_ = nullptr;
    return kErrNone;
}

EngineErr GfxDDrawWindowPort::BltFromSurface(const Rect16& dst, const Rect16& src, const void* surface,
                                             u16 sourceDepth, u32 rop) {
    // A repaint is clipped to the window's update area, which only the device context's clip
    // knows: it takes the drawing path.
    if (sourceDepth != depth || rop != plat::gdi::kRopSrcCopy || scaled || updating_) return kGfxErrNotSupported;
    if (dst.right - dst.left != src.right - src.left || dst.bottom - dst.top != src.bottom - src.top)
        return kGfxErrNotSupported;
    if (!rgnIsValid(clipRegion)) return kRgnErrBadRegion;
    const auto* record = static_cast<const RegionRecord*>(memDerefHandle(clipRegion));
    if (record->count == 0) return kErrNone;
    if (record->count > kGfxMaxBlitPieces) return kGfxErrNotSupported;
    Rect16 area;
    EngineErr error = LockSurface(&area);
    if (error != kErrNone) return error;
    // Port coordinates to surface coordinates; the pieces are cut to the logical rectangle.
    std::vector<GfxDDrawBlit> blits;
    auto* source = static_cast<plat::DirectSurface*>(const_cast<void*>(surface));
    for (u16 i = 0; i < record->count; ++i) {
        Rect16 piece = rgnRects(record)[i];
        if (!rectIntersect(&piece, dst) || !rectIntersect(&piece, logicalRect)) continue;
        Rect16 from{i16(src.left + piece.left - dst.left), i16(src.top + piece.top - dst.top),
                    i16(src.right - (dst.right - piece.right)), i16(src.bottom - (dst.bottom - piece.bottom))};
        rectOffset(&piece, i16(-offset.h), i16(-offset.v));
        blits.push_back(GfxDDrawBlit{piece, source, from, 0, nullptr});
    }
    error = ddrawBlt(lockedSurface_, blits.data(), u16(blits.size()));
    UnlockSurface();
    return error;
}

EngineErr GfxDDrawWindowPort::BeginUpdate() {
    if (updating_) return kGfxErrUpdateActive;
    plat::DisplayWindow* face = Face();
    if (!face) return kGfxErrGdi;
    if (face->updateRegion().empty()) {
        update_ = plat::gdi::Region(gfxToGdi(deviceRect));
    } else {
        update_ = face->updateRegion();
        face->validate(gfxToGdi(deviceRect));
    }
    updating_ = true;
    clipApplied = 0;
    return kErrNone;
}

EngineErr GfxDDrawWindowPort::EndUpdate() {
    if (!updating_) return kGfxErrNoUpdate;
    updating_ = false;
    update_ = plat::gdi::Region();
    clipApplied = 0;
    return kErrNone;
}

void GfxDDrawWindowPort::Detach() {
    updating_ = false;
    update_ = plat::gdi::Region();
    GfxPort::Detach();
}

EngineErr GfxDDrawWindowPort::Scroll(const Rect16& r, i16 dx, i16 dy, memHandle updateRegion) {
    EngineErr error = GfxPort::Scroll(r, dx, dy, updateRegion);
    if (error != kErrNone) return error;
    plat::DisplayWindow* face = Face();
    if (!face) return kErrNone;
    // The uncovered area, in device pixels: the rectangle less its moved copy.
    plat::gdi::Rect area = dc ? dc->toDevice(gfxToGdi(r)).normalized() : gfxToGdi(r);
    plat::gdi::Region exposed = plat::gdi::Region::combine(plat::gdi::Region(area),
                                                           plat::gdi::Region(area.offset(dx, dy)),
                                                           plat::gdi::CombineOp::Diff);
    for (const plat::gdi::Rect& piece : exposed.rects()) face->invalidate(piece);
    // A caller that takes the uncovered area redraws it at once.
    if (updateRegion)
        for (const plat::gdi::Rect& piece : exposed.rects()) face->validate(piece);
    return kErrNone;
}

GfxPort* gfxNewDDrawWindowPort(plat::WindowHandle window, u32 flags, GfxPalette* palette, const Rect16* area) {
    plat::DisplayWindow* face = plat::findDisplayWindow(window);
    if (!face) {
        gfxSetError(kGfxErrGdi);
        return nullptr;
    }
    plat::gdi::Rect client = face->clientRect();
    Rect16 device{0, 0, i16(client.right), i16(client.bottom)};
    if (area) {
        if (rectIsEmpty(*area) || area->left < 0 || area->top < 0 || area->right > device.right ||
            area->bottom > device.bottom) {
            gfxSetError(kGfxErrBadValue);
            return nullptr;
        }
        device = *area;
    }
    if (!(palette = gfxNewPortPalette(palette))) return nullptr;
    GfxPort* port = new (std::nothrow) GfxDDrawWindowPort(window, flags, device);
    if (!port) {
        gfxSetError(kGfxErrOutOfMemory);
        return nullptr;
    }
    return gfxFinishNewPort(port, palette);
}
