#include "engine/gfx/WindowPorts.h"

#include <new>

#include "engine/Regions.h"
#include "engine/gfx/GfxDirectDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "platform/display/DisplayDriver.h"
#include "platform/gdi/Blit.h"

namespace {

plat::gdi::Rect toGdi(const Rect16& r) { return {r.left, r.top, r.right, r.bottom}; }

u16 depthOf(const plat::gdi::DeviceContext& dc) {
    int bits = dc.surface() ? dc.surface()->bitsPerPixel() : gfxDisplayDepth();
    return u16(bits > 24 ? 24 : bits);
}

}  // namespace

GfxWindowPort::GfxWindowPort(const Rect16& device) : GfxPort(device) {
    kind = kGfxKindDisplay;
    deviceClass = kGfxDeviceClassDisplay;
}

void GfxWindowPort::UpdateDeviceCaps() {
    if (dc) depth = depthOf(*dc);
}

EngineErr GfxWindowPort::Lock() {
    if (lockCount == 0) {
        std::unique_ptr<plat::gdi::DeviceContext> context = MakeContext();
        if (!context) return kGfxErrGdi;
        EngineErr error = AttachContext(std::move(context));
        if (error != kErrNone) return error;
        nativeDrawing = drawNesting = 0;
        jobState = pageState = 1;
        depth = depthOf(*dc);
    }
    ++lockCount;
    return kErrNone;
}

EngineErr GfxWindowPort::LockSurface(Rect16* out) {
    plat::DirectSurface* primary = ddrawGetPrimarySurface();
    if (!primary) return gfxGetLastError();
    lockedSurface_ = primary;
    *out = deviceRect;
    return kErrNone;
}

EngineErr GfxWindowPort::LockBits(GfxPixelDescriptor* descriptor) {
    plat::DirectSurface* primary = ddrawGetPrimarySurface();
    if (!primary) return kGfxErrNotSupported;
    GfxSurfaceLock lock{};
    EngineErr error = ddrawLockSurface(primary, &lock);
    if (error != kErrNone) return error;
    Rect16 surfaceBounds{0, 0, i16(primary->width()), i16(primary->height())};
    *descriptor = GfxPixelDescriptor{surfaceBounds, deviceRect, logicalRect, lock.base, lock.pitch, depth, 1, 1};
    bitsSurface_ = primary;
    bitsLocked = 1;
    return kErrNone;
}

EngineErr GfxWindowPort::UnlockBits(GfxPixelDescriptor* descriptor) {
    if (!bitsSurface_) return GfxPort::UnlockBits(descriptor);
    plat::SurfaceResult result = bitsSurface_->unlock();
    bitsSurface_ = nullptr;
    bitsLocked = 0;
    return result == plat::SurfaceResult::Ok ? kErrNone : kGfxErrDirectDraw;
}

GfxMemoryDisplayPort::GfxMemoryDisplayPort(const Rect16& device) : GfxWindowPort(device) {
    kind = kGfxKindMemoryDisplay;
}

EngineErr GfxMemoryDisplayPort::ResetState() {
    EngineErr error = GfxPort::ResetState();
    if (error != kErrNone) return error;
    int bits = plat::windowSurfaceDepth(plat::displayDriver().currentMode());
    picture_ = plat::gdi::Surface::create(deviceRect.right - deviceRect.left, deviceRect.bottom - deviceRect.top, bits,
                                          plat::gdi::RowOrder::TopDown);
    if (!picture_) {
        GfxPort::Detach();
        return kGfxErrGdi;
    }
    return kErrNone;
}

void GfxMemoryDisplayPort::Detach() {
    picture_.reset();
    GfxPort::Detach();
}

std::unique_ptr<plat::gdi::DeviceContext> GfxMemoryDisplayPort::MakeContext() {
    if (!picture_) return nullptr;
    std::unique_ptr<plat::gdi::DeviceContext> context = plat::gdi::DeviceContext::createMemory();
    context->selectSurface(picture_.get());
    return context;
}

GfxDDrawWindowPort::GfxDDrawWindowPort(plat::WindowHandle window, u32 flags, const Rect16& device)
    : GfxWindowPort(device), window_(window), flags_(flags) {
    kind = kGfxKindWindow;
}

std::unique_ptr<plat::gdi::DeviceContext> GfxDDrawWindowPort::MakeContext() {
    plat::DisplayWindow* face = Face();
    if (!face) return nullptr;
    return plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Window, face->surface());
}

void GfxDDrawWindowPort::Unlock() {
    GfxPort::Unlock();
    if (lockCount != 0) return;
    if (plat::DisplayWindow* face = Face()) face->present(face->clientRect());
}

EngineErr GfxDDrawWindowPort::ApplyClip(memHandle region) {
    EngineErr error = RegionToGdi(&gdiClip, region);
    if (error != kErrNone) return error;
    if (updating_) gdiClip = plat::gdi::Region::combine(gdiClip, update_, plat::gdi::CombineOp::And);
    dc->selectClip(&gdiClip);
    dc->intersectClipRect(toGdi(logicalRect));
    return kErrNone;
}

EngineErr GfxDDrawWindowPort::UnlockSurface() {
    if (!lockedSurface_) return kGfxErrNotSupported;
    lockedSurface_ = nullptr;
    return kErrNone;
}

EngineErr GfxDDrawWindowPort::BltFromSurface(const Rect16& dst, const Rect16& src, const void* surface,
                                             u16 sourceDepth, u32 rop) {
    if (sourceDepth != depth || rop != plat::gdi::kRopSrcCopy || scaled) return kGfxErrNotSupported;
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
        update_ = plat::gdi::Region(toGdi(deviceRect));
    } else {
        update_ = face->updateRegion();
        face->validate(toGdi(deviceRect));
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
    plat::gdi::Rect area = dc ? dc->toDevice(toGdi(r)).normalized() : toGdi(r);
    plat::gdi::Region exposed = plat::gdi::Region::combine(plat::gdi::Region(area),
                                                           plat::gdi::Region(area.offset(dx, dy)),
                                                           plat::gdi::CombineOp::Diff);
    for (const plat::gdi::Rect& piece : exposed.rects()) face->invalidate(piece);
    // A caller that takes the uncovered area redraws it at once.
    if (updateRegion)
        for (const plat::gdi::Rect& piece : exposed.rects()) face->validate(piece);
    return kErrNone;
}

GfxPort* gfxNewMemoryDisplayPort(u16 width, u16 height, GfxPalette* palette) {
    if (!(palette = gfxNewPortPalette(palette))) return nullptr;
    if (width > 0x7FFF || height > 0x7FFF) {
        gfxSetError(kGfxErrBadValue);
        return nullptr;
    }
    GfxPort* port = new (std::nothrow) GfxMemoryDisplayPort(Rect16{0, 0, i16(width), i16(height)});
    if (!port) {
        gfxSetError(kGfxErrOutOfMemory);
        return nullptr;
    }
    return gfxFinishNewPort(port, palette);
}

GfxPort* gfxNewDDrawWindowPort(plat::WindowHandle window, u32 flags, GfxPalette* palette) {
    if (!(palette = gfxNewPortPalette(palette))) return nullptr;
    plat::DisplayWindow* face = plat::findDisplayWindow(window);
    if (!face) {
        gfxSetError(kGfxErrGdi);
        return nullptr;
    }
    plat::gdi::Rect client = face->clientRect();
    Rect16 device{0, 0, i16(client.right), i16(client.bottom)};
    GfxPort* port = new (std::nothrow) GfxDDrawWindowPort(window, flags, device);
    if (!port) {
        gfxSetError(kGfxErrOutOfMemory);
        return nullptr;
    }
    return gfxFinishNewPort(port, palette);
}
