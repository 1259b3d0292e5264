#pragma once
// What both doors are made of: the leaf in the paint inside a darker frame, and the knob.
#include "tools/base/ToolCanvas.h"

void paintDoorLeaf(ToolCanvas& canvas, const Rect16& box, u16 paint);
void paintDoorKnob(ToolCanvas& canvas, const Rect16& box);
