#pragma once
// The base of the tools that recompute pixels from their neighbourhood: a kernel gives each
// new pixel from the picture as the stroke began, so going over a place twice in one stroke
// does not compound. A canvas-wide effect runs its kernel over the whole picture at the press;
// an effect brush runs it under a round dab wherever the stroke goes; RunOverMask limits it
// to a region (a fill's or a cut's).
#include "tools/base/PixelMask.h"
#include "tools/base/RStrokeTool.h"

enum class EffectReach { Canvas, Dab };

class RPixelEffectTool : public RStrokeTool {
public:
    RPixelEffectTool(i16 toolId, EffectReach reach) : RStrokeTool(toolId), reach_(reach) {}

    void RunOverRect(ToolCanvas& canvas, const Rect16& r);
    void RunOverMask(ToolCanvas& canvas, const PixelMask& mask);

protected:
    // The new pixel at (x, y); the source is the picture as the stroke began.
    virtual u16 Kernel(const PixelView& source, i32 x, i32 y) const = 0;
    // Where the stroke was pressed (the middle of a whirl, a kaleidoscope), and the paint
    // colour then (what colorizing tints with).
    Point16 Origin() const { return origin_; }
    u16 Paint() const { return paint_; }

    void MouseDown(ToolCanvas& canvas, Point16 p) override;
    void MouseMove(ToolCanvas& canvas, Point16 p) override;
    void Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion& motion) override;

private:
    EffectReach reach_;
    Point16 origin_{0, 0};
    u16 paint_ = kRgb555Black;
};
