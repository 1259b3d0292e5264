#pragma once
// The panelled door: a door in the dragged box in the paint, with a darker frame, four sunken
// panels and a brass knob.
#include "tools/wacky/RBuildingPart.h"

class RDoor : public RBuildingPart {
public:
    RDoor();

protected:
    void Build(ToolCanvas& canvas, const Rect16& box) override;
};
