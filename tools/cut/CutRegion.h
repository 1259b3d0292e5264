#pragma once
// What a finished cut shape hands its owner (the cut and move panel): message 32111 with a new
// engine region of the shape's inside in screen coordinates in parameter 1, which the owner
// takes. A shape whose inside is empty or a mere sliver, fewer pixels than its outline is long
// (a straight stroke, a click), sends 0 there, so that the owner can tell the child nothing
// was cut. With no owner nothing is sent.
#include <vector>

#include "framework/messaging/CListener.h"
#include "tools/base/ToolCanvas.h"

constexpr u32 kCutRegionReady = 32111;
// The ants move one pixel per this many milliseconds.
constexpr u32 kAntsStepMs = 60;

// The inside of the closed outline within the picture, as a region moved to the canvas
// rectangle's corner. True when a region was handed over.
bool handCutRegion(CListener* owner, const std::vector<Point16>& outline, const PixelView& picture, const Rect16& canvasRect);
// The outline as marching ants at the canvas's time.
Rect16 drawAnts(ToolCanvas& canvas, const std::vector<Point16>& outline, bool closed);
