#include "tools/wacky/RABC.h"

#include <algorithm>
#include <cmath>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RABC::RABC() : RPathBrush(kToolIdABC) {}

i32 RABC::Spacing() const { return std::max<i32>(6, (kTinyFontWidth + 2) * Scale()); }

void RABC::LayDab(ToolCanvas& canvas, Point16 p) {
    const i32 scale = Scale();
    paintTinyGlyph(canvas, char('A' + DabIndex() % 26), p.h - kTinyFontWidth * scale / 2, p.v - kTinyFontHeight * scale / 2, scale,
                   PaintPixel(canvas));
}
