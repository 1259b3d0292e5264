// Repainting a window: the current port must be a window port; between the two calls every
// clip of its drawing is cut to the area the window asked to have repainted.
#include "engine/gfx/GfxDDrawWindowPort.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxDrawPorts.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"

namespace {

GfxDDrawWindowPort* currentWindowPort() {
    GfxPort* port = gfxQueriedPort();
    if (!port) return nullptr;
    if (port->kind != kGfxKindWindow) {
        gfxSetError(kGfxErrBadPort);
        return nullptr;
    }
    return static_cast<GfxDDrawWindowPort*>(port);
}

}  // namespace

EngineErr gfxBeginUpdate() {
    GfxDDrawWindowPort* port = currentWindowPort();
    return port ? gfxSetError(port->BeginUpdate()) : kGfxErrBadPort;
}

EngineErr gfxEndUpdate() {
    GfxDDrawWindowPort* port = currentWindowPort();
    return port ? gfxSetError(port->EndUpdate()) : kGfxErrBadPort;
}
