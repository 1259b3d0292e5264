#pragma once
// The outline drawn while a shape is dragged: one pixel wide, black and white in runs of four
// pixels. The phase shifts the runs along the path; stepping it with time makes the outline
// march.
#include <vector>

#include "tools/base/ToolCanvas.h"

constexpr i32 kDashLength = 4;

// Draws the path (closed back to its start when asked) and answers the rectangle it touched.
Rect16 drawDashedPath(ToolCanvas& canvas, const std::vector<Point16>& path, bool closed, i32 phase);
