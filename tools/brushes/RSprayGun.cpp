#include "tools/brushes/RSprayGun.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/gfx/sprites/SprShapes.h"
#include "tools/base/ToolNames.h"
#include "tools/base/ToolPicture.h"

namespace {
constexpr u32 kSpraySeed = 0x5EED;
// A pattern is sprayed over a disc this many of its frames wide, whatever the size: a
// narrower one lays the frames on top of each other along the stroke.
constexpr i32 kPatternReachInFrames = 3;
}

RSprayGun::RSprayGun() : RStrokeTool(kToolIdSprayGun) {}

i32 RSprayGun::FrameSide() const {
    return pattern_.empty() ? 0 : std::max<i32>(pattern_.front().width, pattern_.front().height);
}

i32 RSprayGun::Reach() const { return std::max<i32>(GetSize(), kPatternReachInFrames * FrameSide()); }

// Frames land about a frame apart along the stroke; dots twice in a diameter.
i32 RSprayGun::Spacing() const { return std::max<i32>(1, pattern_.empty() ? GetSize() / 2 : FrameSide()); }

u32 RSprayGun::HandleToolMessage(const Ostrel::RMessage& message, uintptr_t data) {
    if (message.code != kToolMsgSprayPattern || message.param1 > UINT16_MAX) return 0;
    patternGroup_ = u16(message.param1);
    frameValue_ = message.param2;
    patternEntry_ = reinterpret_cast<SprayPatternEntry*>(data);
    pattern_ = loadGroupTiles(sprFindGroup(patternGroup_));
    nextFrame_ = 0;
    return 1;
}

void RSprayGun::MouseDown(ToolCanvas& canvas, Point16 p) {
    random_.seed(kSpraySeed);
    nextFrame_ = 0;
    RStrokeTool::MouseDown(canvas, p);
}

Point16 RSprayGun::Scatter(Point16 p) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    // Square root: points spread evenly over the disc's area rather than bunching at its centre.
    const double r = Reach() / 2.0 * std::sqrt(unit(random_)), angle = 2 * std::numbers::pi * unit(random_);
    return Point16{i16(std::clamp<long>(std::lround(p.h + r * std::cos(angle)), INT16_MIN, INT16_MAX)),
                   i16(std::clamp<long>(std::lround(p.v + r * std::sin(angle)), INT16_MIN, INT16_MAX))};
}

void RSprayGun::Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion&) {
    if (!pattern_.empty()) {
        stampTile(canvas, pattern_[nextFrame_], Scatter(p));
        nextFrame_ = (nextFrame_ + 1) % pattern_.size();
        return;
    }
    const u16 pixel = PaintPixel(canvas);
    for (i32 i = 0; i < GetSize(); ++i) {
        const Point16 dot = Scatter(p);
        canvas.Picture().Put(dot.h, dot.v, pixel);
    }
    canvas.MarkChanged(dabBounds(p, GetSize() + 1));
}
