#include "tools/brushes/RRealBrush.h"

#include <algorithm>
#include <cmath>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

namespace {
// Pixels of stroke after which the brush has lost half of what it can lose.
constexpr float kDryingLength = 260.0f;
// The least paint a dry brush still lays.
constexpr float kDryPaint = 0.35f;
constexpr u32 kHairSeed = 7;
}  // namespace

RRealBrush::RRealBrush() : RPathBrush(kToolIdRealBrush) {}

void RRealBrush::BeginStroke(Point16) {
    coverage_.clear();
    travelled_ = 0;
}

void RRealBrush::LayDab(ToolCanvas& canvas, Point16 p) {
    const PixelView& picture = canvas.Picture();
    const size_t cells = size_t(picture.width) * size_t(picture.height);
    if (coverage_.size() != cells) coverage_.assign(cells, 0);
    if (DabIndex() > 0) travelled_ += float(Spacing());
    const float load = kDryPaint + (1 - kDryPaint) * kDryingLength / (kDryingLength + travelled_);
    const float radius = std::max(1.0f, float(GetSize()) / 2);
    // Across the stroke: each hair leaves its own streak.
    const float acrossX = -std::sin(Heading()), acrossY = std::cos(Heading());
    const u16 paint = PaintPixel(canvas);
    const i32 x0 = std::max(0, i32(p.h - radius)), x1 = std::min<i32>(picture.width - 1, i32(p.h + radius));
    const i32 y0 = std::max(0, i32(p.v - radius)), y1 = std::min<i32>(picture.height - 1, i32(p.v + radius));
    for (i32 y = y0; y <= y1; ++y) {
        const float dy = float(y - p.v);
        u16* row = picture.Row(y);
        const u16* before = canvas.Before().Row(y);
        for (i32 x = x0; x <= x1; ++x) {
            const float dx = float(x - p.h), d = std::hypot(dx, dy) / radius;
            if (d > 1) continue;
            // Each hair carries a little more or less of the paint: streaks along the stroke.
            const i32 hair = i32(std::floor(dx * acrossX + dy * acrossY + radius));
            const float streak = float(brushNoise(hair, 0, kHairSeed) % 256) / 255.0f * 0.36f - 0.18f;
            const float rim = d > 0.75f ? (1 - d) / 0.25f : 1.0f;
            const u8 amount = u8(std::lround(255 * std::min(1.0f, load * (0.5f + 0.5f * rim))));
            u8& laid = coverage_[size_t(y) * size_t(picture.width) + size_t(x)];
            if (amount <= laid) continue;
            laid = amount;
            row[x] = mixPixel(before[x], shadePixel(paint, streak), float(amount) / 255);
        }
    }
    canvas.MarkChanged(dabBounds(p, GetSize() + 2));
}
