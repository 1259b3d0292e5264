#include "tools/erasers/RDFirecracker.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "tools/base/PaintShapes.h"

namespace {
constexpr int kSparks = 12;
constexpr i32 kSparkSize = 3;
const std::array<u16, 3> kSparkColors = {rgb555(255, 40, 0), rgb555(255, 220, 0), rgb555(255, 140, 0)};
}  // namespace

RDFirecracker::RDFirecracker(CListener* owner, i16 index) : RDestructo(owner, index, kFirecrackerFrames) {}

void RDFirecracker::PaintFrame(ToolCanvas& canvas, u16 frame, Point16 origin) {
    const PixelView& picture = canvas.Picture();
    if (frame >= FrameCount()) {
        picture.Fill(kRgb555White);
        canvas.MarkChanged(picture.Bounds());
        return;
    }
    // The blast reaches the farthest corner at the last frame.
    const double reach = std::hypot(std::max<i32>(origin.h, picture.width - origin.h),
                                    std::max<i32>(origin.v, picture.height - origin.v));
    const i32 diameter = i32(std::lround(2 * reach * frame / FrameCount()));
    for (const DabSpan& span : roundDabSpans(diameter))
        picture.FillSpan(origin.v + span.dy, origin.h + span.x0, origin.h + span.x1, kRgb555White);
    canvas.MarkChanged(dabBounds(origin, diameter));
    for (int i = 0; i < kSparks; ++i) {
        const double angle = 2 * std::numbers::pi * (i + 0.5 * frame) / kSparks;
        Point16 spark{i16(std::lround(origin.h + diameter / 2.0 * std::cos(angle))),
                      i16(std::lround(origin.v + diameter / 2.0 * std::sin(angle)))};
        const u16 color = kSparkColors[size_t(i + frame) % kSparkColors.size()];
        for (const DabSpan& span : roundDabSpans(kSparkSize))
            picture.FillSpan(spark.v + span.dy, spark.h + span.x0, spark.h + span.x1, color);
        canvas.MarkChanged(dabBounds(spark, kSparkSize));
    }
}
