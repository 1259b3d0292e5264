#pragma once
// Paints the inside of a closed path with the brushes' colour.
#include <vector>

#include "tools/base/ToolCanvas.h"

void fillShape(ToolCanvas& canvas, const std::vector<Point16>& path);
