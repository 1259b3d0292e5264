#pragma once
// Where an animation or a movie placed without a place of its own shows: centred in the area
// at `width` x `height`, made smaller (keeping its proportions) when it is larger.
#include "engine/regions/Rects.h"

Rect16 centredInArea(const Rect16& area, i32 width, i32 height);
