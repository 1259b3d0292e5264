// The pen, the port's state and its clip region.
#include "engine/regions/Regions.h"
#include "engine/gfx/GfxDrawPorts.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "platform/gdi/Shapes.h"

namespace {

constexpr i32 kFailed = -1;

EngineErr readPenPosition(GfxPort* port) {
    GfxDrawBracket bracket(port);
    if (!bracket.open()) return gfxGetLastError();
    const plat::gdi::Point& at = port->dc->state().position;
    port->penPos = Point16{i16(at.x), i16(at.y)};
    return kErrNone;
}

// Moves the pen of the current port inside a bracket.
EngineErr movePen(bool relative, i16 x, i16 y) {
    GfxPort* port = gfxDrawingPort();
    if (!port) return gfxGetLastError();
    GfxDrawBracket bracket(port);
    if (!bracket.open()) return gfxGetLastError();
    plat::gdi::Point to{x, y};
    if (relative) to = plat::gdi::Point{port->dc->state().position.x + x, port->dc->state().position.y + y};
    plat::gdi::moveTo(*port->dc, to);
    port->penPos = Point16{i16(to.x), i16(to.y)};
    return gfxSetError(kErrNone);
}

// Runs a region operation on the current port's clip region.
template <typename Change>
EngineErr changeClip(Change change) {
    GfxPort* port = gfxQueriedPort();
    if (!port) return gfxGetLastError();
    EngineErr error = change(port->clipRegion);
    port->clipApplied = 0;
    return gfxSetError(error);
}

// Replaces a pen field of the current port, first in its device context when it has one;
// the previous value, or -1.
template <typename Apply>
i32 replacePenField(u16 GfxPort::*field, u16 value, Apply apply) {
    GfxPort* port = gfxQueriedPort();
    if (!port) return kFailed;
    if (port->dc && gfxSetError(apply(*port)) != kErrNone) return kFailed;
    u16 previous = port->*field;
    port->*field = value;
    gfxSetError(kErrNone);
    return previous;
}

}  // namespace

GfxColor* gfxSetForeColor(GfxColor* previous, const GfxColor& color) {
    *previous = GfxColor();
    GfxPort* port = gfxQueriedPort();
    if (!port) return previous;
    if (port->dc && port->SetPen(color, port->penSize) != kErrNone) return previous;
    *previous = port->foreColor;
    port->foreColor = color;
    gfxSetError(kErrNone);
    return previous;
}

i32 gfxSetPenSize(u16 size) {
    return replacePenField(&GfxPort::penSize, size, [&](GfxPort& port) { return port.SetPen(port.foreColor, size); });
}

i32 gfxSetPenMode(u16 mode) {
    return replacePenField(&GfxPort::penMode, mode, [&](GfxPort& port) { return port.SetPenMode(mode); });
}

EngineErr gfxGetPenState(GfxPenState* out) {
    GfxPort* port = gfxQueriedPort();
    if (!port) return gfxGetLastError();
    if (port->dc) readPenPosition(port);
    *out = GfxPenState{port->penPos, port->foreColor, port->penMode, port->penSize};
    return gfxSetError(kErrNone);
}

EngineErr gfxSetPenState(const GfxPenState& state) {
    GfxPort* port = gfxQueriedPort();
    if (!port) return gfxGetLastError();
    if (port->dc) {
        EngineErr error = port->SetPenMode(state.mode);
        if (error == kErrNone) error = port->SetPen(state.foreColor, state.size);
        if (error != kErrNone) {
            port->SetPenMode(port->penMode);
            return gfxSetError(error);
        }
        plat::gdi::moveTo(*port->dc, {state.position.h, state.position.v});
    }
    port->penPos = state.position;
    port->foreColor = state.foreColor;
    port->penMode = state.mode;
    port->penSize = state.size;
    return gfxSetError(kErrNone);
}

EngineErr gfxMoveTo(i16 x, i16 y) { return movePen(false, x, y); }
EngineErr gfxMove(i16 dx, i16 dy) { return movePen(true, dx, dy); }

EngineErr gfxGetPenPos(Point16* out) {
    GfxPort* port = gfxQueriedPort();
    if (!port) return gfxGetLastError();
    EngineErr error = readPenPosition(port);
    *out = port->penPos;
    return gfxSetError(error);
}

u16 gfxGetPortDepth() {
    GfxPort* port = gfxQueriedPort();
    return port ? port->depth : 0;
}

EngineErr gfxIntersectClipRect(const Rect16& r) {
    return changeClip([&](memHandle clip) { return rgnIntersectRect(clip, r); });
}
EngineErr gfxIntersectClipRgn(memHandle region) {
    return changeClip([&](memHandle clip) { return rgnIntersect(clip, region); });
}
EngineErr gfxResetClipRect(const Rect16& r) {
    return changeClip([&](memHandle clip) { return rgnResetToRect(clip, r); });
}
EngineErr gfxSetClipRgn(memHandle region) {
    return changeClip([&](memHandle clip) { return rgnCopy(clip, region); });
}
EngineErr gfxGetClipRgn(memHandle region) {
    GfxPort* port = gfxQueriedPort();
    if (!port) return gfxGetLastError();
    return gfxSetError(rgnCopy(region, port->clipRegion));
}
