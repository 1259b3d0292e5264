#pragma once
// What a finished cut shape hands its owner (the cut and move panel): message 32111 with a new
// engine region of the shape's inside in screen coordinates in parameter 1. The owner takes
// the region; with no owner, or an empty inside, nothing is sent and nothing is left behind.
#include <vector>

#include "framework/messaging/CListener.h"
#include "tools/base/ToolCanvas.h"

constexpr u32 kCutRegionReady = 32111;
// The ants move one pixel per this many milliseconds.
constexpr u32 kAntsStepMs = 60;

// The inside of the closed outline within the picture, as a region moved to the canvas
// rectangle's corner; 0 when it is empty. True when it was handed over.
bool handCutRegion(CListener* owner, const std::vector<Point16>& outline, const PixelView& picture, const Rect16& canvasRect);
// The outline as marching ants at the canvas's time.
Rect16 drawAnts(ToolCanvas& canvas, const std::vector<Point16>& outline, bool closed);
