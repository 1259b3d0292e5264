#include "tools/pencils/RMarker.h"

#include "tools/base/ToolNames.h"

RMarker::RMarker() : RStrokeTool(kToolIdMarker) {}

void RMarker::Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion&) {
    const u16 ink = PaintPixel(canvas);
    const PixelView& before = canvas.Before();
    PaintRoundDab(canvas, p, [ink, &before](i32 x, i32 y, u16) {
        u16 under = before.At(x, y);
        auto half = [](u32 a, u32 b) { return (a + b + 1) / 2; };
        return rgb555FromChannels(half(rgb555Red(under), rgb555Red(ink)), half(rgb555Green(under), rgb555Green(ink)),
                                  half(rgb555Blue(under), rgb555Blue(ink)));
    });
}
