#pragma once
// The matrix that scales a RECT's content, rotates it about the RECT's centre by an angle in
// degrees and puts it at (x, y) in twips.
#include "media/swf/SwfTypes.h"

namespace swf {

void PlacementMatrix(Matrix& out, const Rect& rect, i32 x, i32 y, double angle, double scaleX, double scaleY);

}  // namespace swf
