#include "tools/pencils/RChalk.h"

#include "tools/base/ToolNames.h"
#include "tools/pencils/PaperGrain.h"

RChalk::RChalk() : RStrokeTool(kToolIdChalk) {}

void RChalk::Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion&) {
    const u16 pixel = PaintPixel(canvas);
    PaintRoundDab(canvas, p, [pixel](i32 x, i32 y, u16 old) { return paperGrain(x, y) % 3 == 0 ? old : pixel; });
}
