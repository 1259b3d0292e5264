#include "tools/handsfree/RTouchless.h"

RTouchless::RTouchless(i16 toolId, const DabLook& look) : RPathBrush(toolId), look_(look) {}

i32 RTouchless::Spacing() const { return lookSpacing(look_, GetSize()); }

void RTouchless::LayDab(ToolCanvas& canvas, Point16 p) {
    paintLookDab(canvas, look_, DabPlace{float(p.h) + 0.5f, float(p.v) + 0.5f, float(GetSize()), Heading(), DabIndex()}, Random());
}
