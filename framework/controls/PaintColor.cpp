#include "framework/controls/PaintColor.h"

namespace Ostrel {

GfxColor& CurrentPaintColor() {
    static GfxColor color = GfxColor::rgb(0, 0, 0);
    return color;
}

u32 PackedPaintColor() {
    const GfxColor& c = CurrentPaintColor();
    return u32(c.red) | (u32(c.green) << 8) | (u32(c.blue) << 16);
}

}  // namespace Ostrel
