#include "tools/wacky/RDoorPlain.h"

#include "tools/base/ToolNames.h"
#include "tools/wacky/DoorParts.h"

RDoorPlain::RDoorPlain() : RBuildingPart(kToolIdDoorPlain) {}

void RDoorPlain::Build(ToolCanvas& canvas, const Rect16& b) {
    paintDoorLeaf(canvas, b, canvas.PaintPixel());
    paintDoorKnob(canvas, b);
}
