#pragma once
// The canvas as the screen shows it at this moment (the painting with the stickers, animations
// and movies in their current pictures), taken from the sprite layer's work port. User-interface
// thread.
#include <vector>

#include "engine/regions/Rects.h"

// A JPEG stream of the screen's `canvas` rectangle; empty without a screen or for an empty one.
std::vector<u8> CanvasSnapshot(const Rect16& canvas);
