#pragma once
// Cuts out a polygon clicked corner by corner; the corners so far show as marching ants while
// the next side is dragged. Closing it (near the first corner, or Finish) hands its region.
#include "tools/shapes/ROPoly.h"

class RCutPoly : public ROPoly {
public:
    explicit RCutPoly(CListener* owner);

protected:
    Rect16 DrawBand(ToolCanvas& canvas) override;
    void Close(ToolCanvas& canvas, const std::vector<Point16>& corners) override;
};
