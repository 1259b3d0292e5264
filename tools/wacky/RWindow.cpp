#include "tools/wacky/RWindow.h"

#include <algorithm>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

namespace {
const u16 kGlass = rgb555(175, 215, 245);
}

RWindow::RWindow() : RBuildingPart(kToolIdWindow) {}

void RWindow::Build(ToolCanvas& canvas, const Rect16& b) {
    const u16 frame = canvas.PaintPixel();
    const i16 w = i16(b.right - b.left), h = i16(b.bottom - b.top);
    const i16 bar = i16(std::max(2, std::min<i32>(w, h) / 12));
    const i16 midX = i16(b.left + w / 2), midY = i16(b.top + h / 2);
    paintRect(canvas, b, frame);
    paintRect(canvas, Rect16{i16(b.left + bar), i16(b.top + bar), i16(b.right - bar), i16(b.bottom - bar)}, kGlass);
    // A gleam across the top left pane.
    paintLine(canvas, Point16{i16(b.left + bar + w / 10), i16(midY - h / 10)}, Point16{i16(midX - w / 10), i16(b.top + bar + h / 10)},
              std::max<i32>(1, bar / 2), kRgb555White);
    paintRect(canvas, Rect16{i16(midX - bar / 2), b.top, i16(midX - bar / 2 + bar), b.bottom}, frame);
    paintRect(canvas, Rect16{b.left, i16(midY - bar / 2), b.right, i16(midY - bar / 2 + bar)}, frame);
    paintRect(canvas, Rect16{i16(b.left - bar), b.bottom, i16(b.right + bar), i16(b.bottom + bar + 1)}, shadePixel(frame, -0.45f));
}
