#pragma once
// The eight-way mirror: every dab is painted eight times, mirrored across the picture's middle
// lines and diagonals, so any scribble becomes a kaleidoscope pattern.
#include "tools/brushes/RPathBrush.h"

class R8WayMirror : public RPathBrush {
public:
    R8WayMirror();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;
};
