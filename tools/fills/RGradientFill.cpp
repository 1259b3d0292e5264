#include "tools/fills/RGradientFill.h"

#include <algorithm>
#include <cmath>

#include "tools/base/ToolNames.h"
#include "tools/base/ToolPicture.h"

RGradientFill::RGradientFill() : RFill(kToolIdGradientFill) {}

GradientKind RGradientFill::Kind() const {
    u16 item = GetFillPatternId() >= kGradientPatternBase ? u16(GetFillPatternId() - kGradientPatternBase) : 0;
    return GradientKind(item % 4);
}

void RGradientFill::SetFillPatternId(u16 id) {
    RFill::SetFillPatternId(id);
    SetPatternTile(loadToolPicture(id));
}

u16 RGradientFill::FillPixel(const ToolCanvas& canvas, const PixelMask& area, i32 x, i32 y) const {
    const Rect16& r = area.Bounds();
    const double w = std::max(r.right - r.left - 1, 1), h = std::max(r.bottom - r.top - 1, 1);
    const double fx = (x - r.left) / w, fy = (y - r.top) / h;
    if (const PixelTile& picture = PatternTile(); picture.IsValid())
        return picture.At(i32(std::lround(fx * (picture.width - 1))), i32(std::lround(fy * (picture.height - 1))));
    double t = 0;
    switch (Kind()) {
        case GradientKind::Vertical: t = fy; break;
        case GradientKind::Horizontal: t = fx; break;
        case GradientKind::Radial: t = std::min(1.0, std::hypot(fx - 0.5, fy - 0.5) / std::sqrt(0.5)); break;
        case GradientKind::Diagonal: t = (fx + fy) / 2; break;
    }
    const u16 from = canvas.PaintPixel();
    auto mix = [t](u32 a, u32 b) { return u32(std::lround(a + (double(b) - a) * t)); };
    return rgb555FromChannels(mix(rgb555Red(from), 31), mix(rgb555Green(from), 31), mix(rgb555Blue(from), 31));
}
