#include "tools/wacky/DoorParts.h"

#include <algorithm>

#include "tools/brushes/BrushPaint.h"

namespace {
const u16 kBrass = rgb555(230, 190, 40);
}

void paintDoorLeaf(ToolCanvas& canvas, const Rect16& b, u16 paint) {
    const i16 frame = i16(std::max(2, (b.right - b.left) / 14));
    paintRect(canvas, b, shadePixel(paint, -0.45f));
    paintRect(canvas, Rect16{i16(b.left + frame), i16(b.top + frame), i16(b.right - frame), b.bottom}, paint);
}

void paintDoorKnob(ToolCanvas& canvas, const Rect16& b) {
    const float w = float(b.right - b.left);
    const float radius = std::max(1.5f, w / 14);
    const float x = float(b.right) - w / 6, y = float(b.top) + float(b.bottom - b.top) * 0.55f;
    paintDisc(canvas, x, y, radius, kBrass);
    paintDisc(canvas, x - radius / 3, y - radius / 3, radius / 3, kRgb555White);
}
