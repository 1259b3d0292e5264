#include "tools/base/BrushColor.h"

#include "tools/base/PixelView.h"

namespace {
GfxColor gBrushColor = GfxColor::rgb(0, 0, 0);
}

void setBrushColor(const GfxColor& color) { gBrushColor = color; }
const GfxColor& brushColor() { return gBrushColor; }

u16 rgb555FromColor(const GfxColor& color) {
    if (color.flag == kGfxColorFlagDefault || (color.flag & kGfxColorFlagIndex)) return kRgb555Black;
    return rgb555(color.red, color.green, color.blue);
}
