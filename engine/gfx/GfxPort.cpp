#include "engine/gfx/GfxPort.h"

#include "engine/regions/Regions.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "platform/gdi/RasterOps.h"

namespace {

GfxPort* currentPort = nullptr;
GfxPort* portListHead = nullptr;

constexpr u32 kSourceCodes[8] = {plat::gdi::kRopSrcCopy,    plat::gdi::kRopSrcAnd,       plat::gdi::kRopSrcPaint,
                                 plat::gdi::kRopSrcInvert,  plat::gdi::kRopNotSrcCopy,   plat::gdi::kRopDstAndNotSrc,
                                 plat::gdi::kRopMergePaint, plat::gdi::kRopNotSrcXorDst};
constexpr u32 kPatternCodes[8] = {plat::gdi::kRopPatCopy,      plat::gdi::kRopPatAndDst,     plat::gdi::kRopPatOrDst,
                                  plat::gdi::kRopPatInvert,    plat::gdi::kRopNotPat,        plat::gdi::kRopDstAndNotPat,
                                  plat::gdi::kRopDstOrNotPat,  plat::gdi::kRopNotPatXorDst};

bool isBad(GfxPort* handle) { return handle == nullptr || handle == kGfxBadPortHandle; }

GfxPort* checkedCurrent() { return gfxPortFromHandle(currentPort, kGfxCheckQuery); }

}  // namespace

u32 gfxSourceCopyCode(u16 mode) { return kSourceCodes[mode & 7]; }
u32 gfxPatternCode(u16 mode) { return kPatternCodes[mode & 7]; }

int gfxPenRop2(u16 mode) {
    using namespace plat::gdi;
    switch (mode) {
    case 0: return kR2CopyPen;
    case 1: return kR2MaskPen;
    case 2: return kR2MergePen;
    case 3: return kR2XorPen;
    case 4: return kR2NotCopyPen;
    case 5: return kR2NotMaskPen;
    case 6: return kR2NotMergePen;
    default: return kR2NotXorPen;
    }
}

GfxPort::GfxPort(const Rect16& device) : deviceRect(device) {
    tag = kGfxPortTag;
    SetMapping(Point16{0, 0}, Point16{0, 0});
    nextPort = portListHead;
    if (portListHead) portListHead->previousPort = this;
    portListHead = this;
}

GfxPort::~GfxPort() {
    if (previousPort) previousPort->nextPort = nextPort;
    if (nextPort) nextPort->previousPort = previousPort;
    if (portListHead == this) portListHead = nextPort;
    tag = 0;
}

void GfxPort::SetMapping(Point16 origin, Point16 size) {
    i32 deviceWidth = deviceRect.right - deviceRect.left, deviceHeight = deviceRect.bottom - deviceRect.top;
    logicalSize = size;
    logicalRect.left = origin.h;
    logicalRect.top = origin.v;
    logicalRect.right = i16(origin.h + (size.h ? size.h : deviceWidth));
    logicalRect.bottom = i16(origin.v + (size.v ? size.v : deviceHeight));
    offset = Point16{i16(origin.h - deviceRect.left), i16(origin.v - deviceRect.top)};
    // The scales come from the sizes, not from the stored edges: an origin near the 16-bit
    // limit wraps the logical rectangle but must not change the scale.
    hScale = fixedDiv(deviceWidth, size.h ? size.h : deviceWidth);
    vScale = fixedDiv(deviceHeight, size.v ? size.v : deviceHeight);
    scaled = (hScale != kFixedOne || vScale != kFixedOne) ? 1 : 0;
    if (dc) {
        ApplyMapping();
        clipApplied = 0;
    }
}

void GfxPort::ApplyMapping() {
    mappingMode = scaled ? kGfxMapAnisotropic : kGfxMapText;
    plat::gdi::ContextState& s = dc->state();
    s.mapMode = scaled ? plat::gdi::MapMode::Anisotropic : plat::gdi::MapMode::Text;
    s.viewportOrg = {deviceRect.left, deviceRect.top};
    s.viewportExt = {deviceRect.right - deviceRect.left, deviceRect.bottom - deviceRect.top};
    s.windowOrg = {logicalRect.left, logicalRect.top};
    s.windowExt = {logicalRect.right - logicalRect.left, logicalRect.bottom - logicalRect.top};
}

GfxPort* gfxPortListHead() { return portListHead; }

GfxPalette* gfxNewPortPalette(GfxPalette* palette) {
    GfxPalette* checked = palette == kGfxBadPaletteHandle ? nullptr : gfxPaletteFromHandle(palette);
    if (!checked) gfxSetError(kGfxErrBadPalette);
    return checked;
}

GfxPort* gfxFinishNewPort(GfxPort* port, GfxPalette* palette) {
    EngineErr error = port->ResetState();
    if (error != kErrNone) {
        port->Detach();
        delete port;
        gfxSetError(error);
        return nullptr;
    }
    port->SetPalette(palette);
    gfxSetError(kErrNone);
    return port;
}

GfxPort* gfxPortFromHandle(GfxPort* handle, u8 flags) {
    if (isBad(handle)) {
        gfxSetError(kGfxErrBadPort);
        return nullptr;
    }
    if ((flags & (kGfxCheckSource | kGfxCheckDraw)) && handle->deviceClass == kGfxDeviceClassDisplay && handle->depth == 8 &&
        handle->BeginDraw() == kErrNone)
        handle->EndDraw();
    gfxSetError(kErrNone);
    return handle;
}

EngineErr gfxDisposePort(GfxPort* handle) {
    GfxPort* port = gfxPortFromHandle(handle, 0);
    if (!port) return kGfxErrBadPort;
    if (port->lockCount) return gfxSetError(kGfxErrPortLocked);
    port->Detach();
    // The current port must not outlive the object it names.
    if (currentPort == port) currentPort = nullptr;
    delete port;
    return gfxSetError(kErrNone);
}

EngineErr gfxLockPort(GfxPort* handle) {
    GfxPort* port = gfxPortFromHandle(handle, 0);
    if (!port) return kGfxErrBadPort;
    return gfxSetError(port->Lock());
}

EngineErr gfxUnlockPort(GfxPort* handle) {
    GfxPort* port = gfxPortFromHandle(handle, 0);
    if (!port) return kGfxErrBadPort;
    if (port->lockCount == 0) return gfxSetError(kGfxErrPortNotLocked);
    port->Unlock();
    if (port->lockCount == 0 && currentPort == port) currentPort = nullptr;
    return gfxSetError(kErrNone);
}

GfxPort* gfxSetPort(GfxPort* handle) {
    GfxPort* previous = currentPort;
    if (handle == nullptr) {
        currentPort = nullptr;
        gfxSetError(kErrNone);
        return previous;
    }
    GfxPort* port = gfxPortFromHandle(handle, 0);
    if (!port) return kGfxBadPortHandle;
    if (port->lockCount == 0) {
        gfxSetError(kGfxErrPortNotLocked);
        return kGfxBadPortHandle;
    }
    currentPort = port;
    return previous;
}

GfxPort* gfxGetPort() { return currentPort; }

GfxPalette* gfxSetPortPalette(GfxPalette* handle) {
    GfxPort* port = checkedCurrent();
    if (!port) return kGfxBadPaletteHandle;
    GfxPalette* palette = handle == kGfxBadPaletteHandle ? nullptr : gfxPaletteFromHandle(handle);
    if (!palette) {
        gfxSetError(kGfxErrBadPalette);
        return kGfxBadPaletteHandle;
    }
    GfxPalette* previous = port->SetPalette(palette);
    gfxSetError(kErrNone);
    return previous == gfxDefaultPalette() ? nullptr : previous;
}

GfxPalette* gfxGetPortPalette() {
    GfxPort* port = checkedCurrent();
    if (!port) return kGfxBadPaletteHandle;
    return port->palette == gfxDefaultPalette() ? nullptr : port->palette;
}

EngineErr gfxSetPortOrigin(u16 x, u16 y) {
    GfxPort* port = checkedCurrent();
    if (!port) return kGfxErrBadPort;
    port->SetMapping(Point16{i16(x), i16(y)}, port->logicalSize);
    return gfxSetError(kErrNone);
}

EngineErr gfxSetPortScale(u16 width, u16 height) {
    GfxPort* port = checkedCurrent();
    if (!port) return kGfxErrBadPort;
    port->SetMapping(Point16{port->logicalRect.left, port->logicalRect.top}, Point16{i16(width), i16(height)});
    return gfxSetError(kErrNone);
}

EngineErr gfxGetPortRect(Rect16* out) {
    GfxPort* port = checkedCurrent();
    if (!port) return kGfxErrBadPort;
    *out = port->deviceRect;
    return gfxSetError(kErrNone);
}

EngineErr gfxDeviceToPort(Point16* point) {
    GfxPort* port = checkedCurrent();
    if (!port) return kGfxErrBadPort;
    EngineErr error = port->BeginDraw();
    if (error != kErrNone) return gfxSetError(error);
    plat::gdi::Point p = port->dc->toLogical(plat::gdi::Point{point->h, point->v});
    port->EndDraw();
    *point = Point16{i16(p.x), i16(p.y)};
    return gfxSetError(kErrNone);
}

plat::gdi::DeviceContext* gfxGetPortDC(GfxPort* handle) {
    GfxPort* port = gfxPortFromHandle(handle, kGfxCheckDraw);
    if (!port) return nullptr;
    EngineErr error = port->BeginDraw();
    if (error != kErrNone) {
        gfxSetError(error);
        return nullptr;
    }
    error = port->SetNativeMode(1);
    port->EndDraw();
    gfxSetError(error);
    return error == kErrNone ? port->dc : nullptr;
}

EngineErr gfxLockPortBits(GfxPixelDescriptor* out) {
    GfxPort* port = checkedCurrent();
    if (!port) return kGfxErrBadPort;
    return gfxSetError(port->LockBits(out));
}

EngineErr gfxUnlockPortBits(GfxPixelDescriptor* descriptor) {
    GfxPort* port = checkedCurrent();
    if (!port) return kGfxErrBadPort;
    return gfxSetError(port->UnlockBits(descriptor));
}

void gfxDisplayChanged(u16 depth) {
    gfxSetDisplayDepth(depth);
    for (GfxPort* port = portListHead; port; port = port->nextPort)
        if (port->dc) port->UpdateDeviceCaps();
}

EngineErr gfxReleasePortDC(GfxPort* handle) {
    GfxPort* port = gfxPortFromHandle(handle, 0);
    if (!port) return kGfxErrBadPort;
    if (!port->nativeDrawing) return gfxSetError(kGfxErrBadPort);
    return gfxSetError(port->SetNativeMode(0));
}
