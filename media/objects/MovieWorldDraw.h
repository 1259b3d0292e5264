#pragma once
// Placing page media in its area, and a movie's 16-bit world copied to a port: the part of `movieRect` (the world's size at the
// origin) placed with its top-left at (x, y) that lies in `area`. What the page movies and the
// demonstration movies share. False when nothing was drawn.
#include "engine/regions/Rects.h"
#include "media/quicktime/QtRuntime.h"

class GfxPort;

// Where media of `width` x `height` placed without a place of its own shows: centred in the
// area, made smaller (keeping its proportions) when it is larger.
Rect16 centredInArea(const Rect16& area, i32 width, i32 height);

bool drawMovieWorld(plat::media::MrWorld* world, const Rect16& movieRect, i16 x, i16 y, const Rect16& area,
                    GfxPort* port);
