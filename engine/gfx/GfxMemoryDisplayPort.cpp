#include "engine/gfx/GfxMemoryDisplayPort.h"

#include <new>

#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "platform/display/choice/DisplayChoice.h"

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
