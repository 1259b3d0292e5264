// Lines, frames, fills and single pixels on the current port.
#include "engine/gfx/GfxDrawPorts.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "platform/gdi/Shapes.h"

namespace {

constexpr u16 kInvertIndex = 255;
constexpr u16 kModeXor = 3;

// Runs a drawing step with the device context of the current port inside a bracket.
template <typename Draw>
EngineErr drawOnCurrent(Draw draw) {
    GfxPort* port = gfxDrawingPort();
    if (!port) return gfxGetLastError();
    GfxDrawBracket bracket(port);
    if (!bracket.open()) return gfxGetLastError();
    return gfxSetError(draw(*port));
}

// An outline with the hollow brush, the previous brush put back.
EngineErr frame(const Rect16& r, void (*shape)(plat::gdi::DeviceContext&, const plat::gdi::Rect&)) {
    return drawOnCurrent([&](GfxPort& port) {
        plat::gdi::Brush previous = port.dc->state().brush;
        port.dc->state().brush = plat::gdi::Brush::null();
        shape(*port.dc, gfxToGdi(r));
        port.dc->state().brush = previous;
        return kErrNone;
    });
}

EngineErr paintOval(const Rect16& r, const GfxColor& color, u16 mode) {
    return drawOnCurrent([&](GfxPort& port) {
        auto brush = port.MakeSolidBrush(color);
        if (!brush) return gfxGetLastError();
        return port.PaintOval(r, *brush, mode);
    });
}

}  // namespace

EngineErr gfxLineTo(i16 x, i16 y) {
    return drawOnCurrent([&](GfxPort& port) {
        plat::gdi::lineTo(*port.dc, {x, y});
        port.penPos = Point16{x, y};
        return kErrNone;
    });
}

EngineErr gfxFrameRect(const Rect16& r) { return frame(r, plat::gdi::rectangle); }
EngineErr gfxFrameOval(const Rect16& r) { return frame(r, plat::gdi::ellipse); }

EngineErr gfxFillRect(const Rect16& r, const GfxColor& color, u16 mode) {
    return drawOnCurrent([&](GfxPort& port) { return port.FillColorRect(r, color, mode); });
}

EngineErr gfxFillOval(const Rect16& r, const GfxColor& color, u16 mode) { return paintOval(r, color, mode); }

EngineErr gfxFillRgn(memHandle region, const u8* pattern) {
    return drawOnCurrent([&](GfxPort& port) {
        auto brush = port.MakePatternBrush(pattern);
        if (!brush) return gfxGetLastError();
        return port.PaintRegion(region, *brush, 0);
    });
}

EngineErr gfxEraseRect(const Rect16& r) {
    return drawOnCurrent([&](GfxPort& port) {
        auto brush = port.MakeSolidBrush(port.backColor);
        if (!brush) return gfxGetLastError();
        return port.PaintRect(r, *brush, 0);
    });
}

EngineErr gfxInvertRect(const Rect16& r) {
    return drawOnCurrent([&](GfxPort& port) {
        plat::gdi::invertRect(*port.dc, gfxToGdi(r));
        return kErrNone;
    });
}

EngineErr gfxInvertOval(const Rect16& r) {
    GfxColor last;
    last.FromIndex(kInvertIndex);
    return paintOval(r, last, kModeXor);
}

EngineErr gfxSetPixel(const GfxColor& color, i16 x, i16 y) {
    return drawOnCurrent([&](GfxPort& port) {
        plat::gdi::ColorRef ref = port.ToColorRef(color);
        if (ref == plat::gdi::kColorInvalid) return gfxGetLastError();
        plat::gdi::setPixel(*port.dc, {x, y}, ref);
        return kErrNone;
    });
}

GfxColor* gfxGetPixel(GfxColor* out, i16 x, i16 y) {
    *out = GfxColor();
    GfxPort* port = gfxPortFromHandle(gfxGetPort(), kGfxCheckSource);
    if (!port) return out;
    gfxSetError(kErrNone);
    return port->ReadPixel(out, x, y);
}
