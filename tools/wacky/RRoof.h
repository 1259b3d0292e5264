#pragma once
// The roof brush: a roof in the dragged box: a triangle in the paint, its peak at the middle of
// the top edge, covered with rows of staggered shingles and outlined in a darker shade.
#include "tools/wacky/RBuildingPart.h"

class RRoof : public RBuildingPart {
public:
    RRoof();

protected:
    std::vector<Point16> Outline() const override;
    void Build(ToolCanvas& canvas, const Rect16& box) override;

private:
    static std::vector<Point16> Triangle(const Rect16& box);
};
