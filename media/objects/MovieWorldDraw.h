#pragma once
// A movie's 16-bit world copied to a port: the part of `movieRect` (the world's size at the
// origin) placed with its top-left at (x, y) that lies in `area`. What the page movies and the
// demonstration movies share. False when nothing was drawn.
#include "engine/regions/Rects.h"
#include "media/quicktime/QtRuntime.h"

class GfxPort;

bool drawMovieWorld(plat::media::MrWorld* world, const Rect16& movieRect, i16 x, i16 y, const Rect16& area,
                    GfxPort* port);
