#pragma once
// A clicked polygon whose inside is filled with the brushes' colour when it closes; the
// sides are drawn with the pencil again over the fill.
#include "tools/shapes/ROPoly.h"

class RFilledPoly : public ROPoly {
public:
    explicit RFilledPoly(CListener* owner);

protected:
    void Close(ToolCanvas& canvas, const std::vector<Point16>& corners) override;
};
