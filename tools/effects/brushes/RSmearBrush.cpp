#include "tools/effects/brushes/RSmearBrush.h"

#include <cmath>

#include "tools/effects/EffectPixels.h"

void RSmearBrush::Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion& motion) {
    const double length = std::hypot(motion.dx, motion.dy);
    if (length == 0) return;
    const double reach = GetSize() / 3.0 / length;
    const i32 bx = i32(std::lround(motion.dx * reach)), by = i32(std::lround(motion.dy * reach));
    if (bx == 0 && by == 0) return;
    const PixelView& picture = canvas.Picture();
    PaintRoundDab(canvas, p, [&](i32 x, i32 y, u16 old) {
        const u16 behind = effectSample(picture, x - bx, y - by);
        return rgb555FromChannels((rgb555Red(old) + 3 * rgb555Red(behind)) / 4, (rgb555Green(old) + 3 * rgb555Green(behind)) / 4,
                                  (rgb555Blue(old) + 3 * rgb555Blue(behind)) / 4);
    });
}
