#include "tools/wacky/RDoor.h"

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"
#include "tools/wacky/DoorParts.h"

RDoor::RDoor() : RBuildingPart(kToolIdDoor) {}

void RDoor::Build(ToolCanvas& canvas, const Rect16& b) {
    const u16 paint = canvas.PaintPixel();
    paintDoorLeaf(canvas, b, paint);
    const i16 w = i16(b.right - b.left), h = i16(b.bottom - b.top);
    const i16 margin = i16(w / 6 + 2), gap = i16(h / 14 + 2);
    const i16 midX = i16(b.left + w / 2), midY = i16(b.top + h * 2 / 5);
    const Rect16 panels[] = {{i16(b.left + margin), i16(b.top + gap), i16(midX - gap / 2), i16(midY - gap / 2)},
                             {i16(midX + gap / 2), i16(b.top + gap), i16(b.right - margin), i16(midY - gap / 2)},
                             {i16(b.left + margin), i16(midY + gap / 2), i16(midX - gap / 2), i16(b.bottom - gap)},
                             {i16(midX + gap / 2), i16(midY + gap / 2), i16(b.right - margin), i16(b.bottom - gap)}};
    for (const Rect16& panel : panels) {
        paintRect(canvas, panel, shadePixel(paint, -0.3f));
        paintRect(canvas, Rect16{i16(panel.left + 1), i16(panel.top + 1), panel.right, panel.bottom}, shadePixel(paint, 0.15f));
    }
    paintDoorKnob(canvas, b);
}
