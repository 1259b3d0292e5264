#include "tools/brushes/RPathBrush.h"

#include <cmath>

namespace {
constexpr u32 kStrokeSeed = 0xB1A5;
}

void RPathBrush::MouseDown(ToolCanvas& canvas, Point16 p) {
    dabs_ = 0;
    heading_ = 0;
    random_.seed(kStrokeSeed);
    BeginStroke(p);
    RStrokeTool::MouseDown(canvas, p);
}

void RPathBrush::Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion& motion) {
    if (motion.dx != 0 || motion.dy != 0) heading_ = std::atan2(motion.dy, motion.dx);
    LayDab(canvas, p);
    ++dabs_;
}

float RPathBrush::Unit() { return std::uniform_real_distribution<float>(0.0f, 1.0f)(random_); }

bool RPathBrush::OffPicture(const ToolCanvas& canvas, Point16 p, i32 reach) {
    return p.h + reach < 0 || p.v + reach < 0 || p.h - reach >= canvas.Picture().width || p.v - reach >= canvas.Picture().height;
}
