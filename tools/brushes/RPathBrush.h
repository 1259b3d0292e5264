#pragma once
// The base of the brushes that need to know their stroke: how many dabs it has laid since the
// press, which way it heads (radians, 0 to the right, kept while the mouse stands still), and
// a random generator started afresh at each press, so that a stroke replayed paints the same.
#include <random>

#include "tools/base/RStrokeTool.h"

class RPathBrush : public RStrokeTool {
public:
    using RStrokeTool::RStrokeTool;

protected:
    void MouseDown(ToolCanvas& canvas, Point16 p) override;
    void Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion& motion) final;
    // One dab, with DabIndex(), Heading() and Random() telling about the stroke.
    virtual void LayDab(ToolCanvas& canvas, Point16 p) = 0;
    // A press begins a new stroke: reset what the brush keeps of the last one.
    virtual void BeginStroke(Point16) {}

    i32 DabIndex() const { return dabs_; }
    float Heading() const { return heading_; }
    std::minstd_rand& Random() { return random_; }
    // A number from 0 up to (not including) 1.
    float Unit();
    // Whether everything within `reach` pixels of p lies off the picture: a brush that keeps
    // nothing from dab to dab may skip such a dab.
    static bool OffPicture(const ToolCanvas& canvas, Point16 p, i32 reach);

private:
    i32 dabs_ = 0;
    float heading_ = 0;
    std::minstd_rand random_;
};
