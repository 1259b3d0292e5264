#pragma once
// The plain door: a door in the dragged box in the paint, with a darker frame and a brass knob.
#include "tools/wacky/RBuildingPart.h"

class RDoorPlain : public RBuildingPart {
public:
    RDoorPlain();

protected:
    void Build(ToolCanvas& canvas, const Rect16& box) override;
};
