#pragma once
// The scratchy pen: four thin, shaky lines that wander about the path, each in its own shade,
// like a worn nib scratching the paper.
#include <array>
#include "tools/brushes/RPathBrush.h"

class RScratchyPen : public RPathBrush {
public:
    RScratchyPen();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    std::array<Point16, 4> last_{};
};
