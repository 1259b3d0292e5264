// Text at the pen and in boxes. Pen mode 0 draws straight on the port; other modes draw the
// text white on black into an offscreen picture of the text's box and copy that onto the port
// with the mode's source code, so that the mode combines the text with the picture.
#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>

#include "engine/gfx/GfxDrawPorts.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Shapes.h"
#include "platform/gdi/Text.h"

namespace {

using plat::gdi::DeviceContext;

std::string_view textOf(const char* text, u16 length) {
    if (!text) return {};
    return length == kGfxWholeText ? std::string_view(text) : std::string_view(text, length);
}

// Draws into an offscreen picture covering `box` (port coordinates) and copies it onto the
// port with the pen mode's source code.
EngineErr drawThroughOffscreen(GfxPort& port, const plat::gdi::Rect& box, const std::function<void(DeviceContext&)>& draw) {
    plat::gdi::Rect device = port.dc->toDevice(box).normalized();
    plat::gdi::Surface* target = port.dc->surface();
    if (device.width() <= 0 || device.height() <= 0) return kErrNone;
    if (!target) return kGfxErrGdi;
    auto picture = plat::gdi::Surface::create(device.width(), device.height(), target->bitsPerPixel(),
                                              plat::gdi::RowOrder::BottomUp, target->colorTable());
    auto context = DeviceContext::createMemory();
    if (!picture || !context) return kGfxErrGdi;
    context->selectSurface(picture.get());
    plat::gdi::ContextState& s = context->state();
    s.mapMode = plat::gdi::MapMode::Anisotropic;
    s.windowOrg = {box.left, box.top};
    s.windowExt = {box.right - box.left, box.bottom - box.top};
    s.viewportExt = {device.width(), device.height()};
    s.backgroundMode = plat::gdi::BackgroundMode::Transparent;
    s.textAlign = port.dc->state().textAlign;
    s.textColor = plat::gdi::rgbColor(255, 255, 255);
    s.justifyExtra = port.dc->state().justifyExtra;
    s.justifyBreaks = port.dc->state().justifyBreaks;
    plat::gdi::selectFont(*context, port.gdiFont);
    plat::gdi::moveTo(*context, port.dc->state().position);
    u32 black = picture->valueOf({0, 0, 0});
    for (i32 y = 0; y < picture->height(); ++y) picture->fillSpan(y, 0, picture->width(), black);
    draw(*context);
    plat::gdi::Box area{box.left, box.top, box.right - box.left, box.bottom - box.top};
    bool copied = plat::gdi::stretchBlt(*port.dc, area, context.get(), area, gfxSourceCopyCode(port.penMode));
    port.dc->state().position = context->state().position;
    return copied ? kErrNone : kGfxErrGdi;
}

i32 blanksIn(std::string_view text) { return i32(std::count(text.begin(), text.end(), ' ')); }

}  // namespace

i32 gfxTextWidth(const char* text, u16 length) {
    GfxPort* port = gfxDrawingPort();
    if (!port) return 0;
    GfxDrawBracket bracket(port);
    if (!bracket.open()) return 0;
    i32 width = plat::gdi::textExtent(*port->dc, textOf(text, length)).cx;
    if (width) width -= port->textMetrics.overhang;
    gfxSetError(kErrNone);
    return width;
}

EngineErr gfxDrawText(const char* text, u16 length, u16 extraPerBlank) {
    GfxPort* port = gfxDrawingPort();
    if (!port) return gfxGetLastError();
    GfxDrawBracket bracket(port);
    if (!bracket.open()) return gfxGetLastError();
    std::string_view chars = textOf(text, length);
    i32 blanks = extraPerBlank ? blanksIn(chars) : 0;
    DeviceContext& dc = *port->dc;
    plat::gdi::setTextJustification(dc, extraPerBlank * blanks, blanks);
    EngineErr error = kErrNone;
    if (port->penMode == 0) {
        plat::gdi::textOut(dc, dc.state().position, chars);
    } else {
        const plat::gdi::TextMetrics& m = port->textMetrics;
        plat::gdi::Point pen = dc.state().position;
        i32 width = plat::gdi::textExtent(dc, chars).cx;
        plat::gdi::Rect box{pen.x, pen.y - m.ascent - m.internalLeading, pen.x + width, pen.y + m.descent};
        error = drawThroughOffscreen(*port, box, [&](DeviceContext& picture) {
            plat::gdi::textOut(picture, picture.state().position, chars);
        });
    }
    plat::gdi::setTextJustification(dc, 0, 0);
    if (port->textMetrics.overhang) dc.state().position.x -= port->textMetrics.overhang;
    port->penPos = Point16{i16(dc.state().position.x), i16(dc.state().position.y)};
    return gfxSetError(error);
}

EngineErr gfxDrawTextBox(const Rect16& box, u16 flags, const char* text, u16 length) {
    GfxPort* port = gfxDrawingPort();
    if (!port) return gfxGetLastError();
    GfxDrawBracket bracket(port);
    if (!bracket.open()) return gfxGetLastError();
    std::string_view chars = textOf(text, length);
    DeviceContext& dc = *port->dc;
    u32 previousAlign = dc.state().textAlign;
    dc.state().textAlign = 0;
    u32 format = (flags & kGfxTextRight    ? plat::gdi::kDtRight
                  : flags & kGfxTextCenter ? plat::gdi::kDtCenter
                                           : plat::gdi::kDtLeft) |
                 plat::gdi::kDtWordBreak | plat::gdi::kDtNoClip | plat::gdi::kDtExternalLeading | plat::gdi::kDtNoPrefix;
    plat::gdi::Rect area{box.left, box.top, box.right, box.bottom};
    if (flags & (kGfxTextMiddle | kGfxTextBottom)) {
        plat::gdi::Rect measured = area;
        i32 h = plat::gdi::drawText(dc, chars, measured, format | plat::gdi::kDtCalcRect);
        i32 boxHeight = area.bottom - area.top;
        i32 top = flags & kGfxTextBottom ? area.bottom - h : area.top + (boxHeight / 2 - h / 2);
        area.top = top;
        area.bottom = top + boxHeight;
    }
    EngineErr error = kErrNone;
    if (port->penMode == 0) {
        dc.intersectClipRect(plat::gdi::Rect{box.left, box.top, box.right, box.bottom});
        plat::gdi::drawText(dc, chars, area, format);
        port->clipApplied = 0;
    } else {
        error = drawThroughOffscreen(*port, area, [&](DeviceContext& picture) {
            plat::gdi::Rect inside = area;
            plat::gdi::drawText(picture, chars, inside, format);
        });
    }
    dc.state().textAlign = previousAlign;
    return gfxSetError(error);
}
