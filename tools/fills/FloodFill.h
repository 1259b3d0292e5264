#pragma once
// The area a fill bucket fills: every pixel 4-connected to the seed that has the seed's
// colour. Found a row span at a time with a stack of spans to visit, so the work grows with
// the area's rows, not with its pixels' recursion depth.
#include "tools/base/PixelMask.h"
#include "tools/base/PixelView.h"

// An empty mask when the seed lies outside the picture.
PixelMask floodFillArea(const PixelView& picture, Point16 seed);
