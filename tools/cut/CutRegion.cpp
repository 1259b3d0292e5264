#include "tools/cut/CutRegion.h"

#include <algorithm>
#include <cstdlib>

#include "engine/regions/Regions.h"
#include "tools/base/DashedPath.h"
#include "tools/base/PaintShapes.h"
#include "tools/base/PixelMask.h"

namespace {

// The pixel steps around the closed outline.
size_t outlineLength(const std::vector<Point16>& outline) {
    size_t length = 0;
    for (size_t i = 0; i < outline.size(); ++i) {
        const Point16& a = outline[i];
        const Point16& b = outline[(i + 1) % outline.size()];
        length += size_t(std::max(std::abs(b.h - a.h), std::abs(b.v - a.v)));
    }
    return length;
}

}  // namespace

bool handCutRegion(CListener* owner, const std::vector<Point16>& outline, const PixelView& picture, const Rect16& canvasRect) {
    if (!owner) return false;
    PixelMask inside(picture.width, picture.height);
    polygonSpans(outline, picture.Bounds(), [&](i32 y, i32 x0, i32 x1) { inside.SetSpan(y, x0, x1); });
    // A stroke there and back along a line encloses a sliver thinner than a pixel or two, which
    // no child could pick up: it cuts nothing.
    memHandle region = inside.Count() < outlineLength(outline) ? 0 : inside.ToRegion(canvasRect.left, canvasRect.top);
    // A shape that closes on nothing (a straight stroke, a click) is reported all the same:
    // the child hears that the stroke cut nothing.
    Ostrel::RMessage message(kCutRegionReady, uintptr_t(region), 0);
    owner->HandleMessage(&message, 0);
    return region != 0;
}

Rect16 drawAnts(ToolCanvas& canvas, const std::vector<Point16>& outline, bool closed) {
    return drawDashedPath(canvas, outline, closed, i32(canvas.Time() / kAntsStepMs % (2 * kDashLength)));
}
