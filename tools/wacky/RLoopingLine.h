#pragma once
// The looping line: a pen that circles as it goes, so the line curls into loops like joined-up
// handwriting. It is built with the index it stands at: the first draws small loops in the
// paint, the second wide loops in the colours of the rainbow.
#include "tools/brushes/RPathBrush.h"

class RLoopingLine : public RPathBrush {
public:
    explicit RLoopingLine(i16 index);
    i32 Spacing() const override { return 1; }
    bool IsRainbow() const { return GetToolId() != kFirstIndex; }

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    static constexpr i16 kFirstIndex = 30;
    Point16 last_{0, 0};
};
