#include "tools/cut/CutRegion.h"

#include "engine/regions/Regions.h"
#include "tools/base/DashedPath.h"
#include "tools/base/PaintShapes.h"
#include "tools/base/PixelMask.h"

bool handCutRegion(CListener* owner, const std::vector<Point16>& outline, const PixelView& picture, const Rect16& canvasRect) {
    if (!owner) return false;
    PixelMask inside(picture.width, picture.height);
    polygonSpans(outline, picture.Bounds(), [&](i32 y, i32 x0, i32 x1) { inside.SetSpan(y, x0, x1); });
    memHandle region = inside.ToRegion(canvasRect.left, canvasRect.top);
    if (!region) return false;
    Ostrel::RMessage message(kCutRegionReady, uintptr_t(region), 0);
    owner->HandleMessage(&message, 0);
    return true;
}

Rect16 drawAnts(ToolCanvas& canvas, const std::vector<Point16>& outline, bool closed) {
    return drawDashedPath(canvas, outline, closed, i32(canvas.Time() / kAntsStepMs % (2 * kDashLength)));
}
