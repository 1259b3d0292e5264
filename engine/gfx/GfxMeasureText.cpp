#include "engine/gfx/GfxMeasureText.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxPort.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Text.h"

EngineErr gfxMeasureText(GfxTextExtents* out, const char* text, u16 length, i16 extraPerSpace) {
    *out = GfxTextExtents{0, 0, 0};
    GfxPort* port = gfxPortFromHandle(gfxGetPort(), kGfxCheckDraw);
    if (!port) return gfxGetLastError();
    size_t count = !text ? 0 : length == kGfxTextToZero ? std::strlen(text) : length;
    if (count == 0) return gfxSetError(kErrNone);
    std::string_view view(text, count);

    EngineErr error = port->BeginDraw();
    if (error != kErrNone) return gfxSetError(error);
    plat::gdi::DeviceContext& dc = *port->dc;
    i32 spaces = i32(std::count(view.begin(), view.end(), ' '));
    plat::gdi::setTextJustification(dc, i32(extraPerSpace) * spaces, spaces);
    i32 extent = plat::gdi::textExtent(dc, view).cx;
    plat::gdi::setTextJustification(dc, 0, 0);
    const plat::gdi::Font& font = plat::gdi::contextFont(dc);
    if (font.metrics().pitchAndFamily & plat::gdi::kPitchTrueTypeBit) {
        i32 leading = font.abcWidths(u8(view.front())).a;
        i32 trailing = font.abcWidths(u8(view.back())).c;
        *out = GfxTextExtents{i16(leading), i16(extent - leading - trailing), i16(trailing)};
    } else {
        *out = GfxTextExtents{0, i16(extent), i16(-font.metrics().overhang)};
    }
    port->EndDraw();
    return gfxSetError(kErrNone);
}
