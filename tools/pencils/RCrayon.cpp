#include "tools/pencils/RCrayon.h"

#include <algorithm>

#include "tools/base/ToolNames.h"
#include "tools/pencils/PaperGrain.h"

RCrayon::RCrayon() : RStrokeTool(kToolIdCrayon) {}

void RCrayon::Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion&) {
    const u16 pixel = PaintPixel(canvas);
    PaintRoundDab(canvas, p, [pixel](i32 x, i32 y, u16 old) {
        u32 grain = paperGrain(x, y);
        if (grain % 8 == 0) return old;
        // -1, 0 or +1 on every channel.
        i32 shade = i32((grain >> 8) % 3) - 1;
        auto channel = [shade](u32 c) { return u32(std::clamp<i32>(i32(c) + shade, 0, 31)); };
        return rgb555FromChannels(channel(rgb555Red(pixel)), channel(rgb555Green(pixel)), channel(rgb555Blue(pixel)));
    });
}
