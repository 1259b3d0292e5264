#include "engine/gfx/GfxWindowPort.h"

#include <new>

#include "engine/regions/Regions.h"
#include "engine/gfx/GfxDirectDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "platform/display/DisplayDriver.h"
#include "platform/gdi/Blit.h"

namespace {

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
