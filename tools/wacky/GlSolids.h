#pragma once
// The solid things the wacky brushes draw with OpenGL inside an open GlDab, in picture
// coordinates with z growing towards the viewer (GlDab::kMiddle is the picture's plane): a ball
// (a GLU sphere compiled once into a display list the renderer keeps), a rod (a GLU cylinder,
// tapering from one end to the other) and a tube that follows a path (drawn in immediate mode:
// the half of it that faces the viewer, in bands of quad strips). Each takes the colour of a
// pixel of the picture and gets its light and shade.
#include <vector>

#include "engine/regions/Rects.h"
#include "tools/base/GlDab.h"

struct GlPoint {
    float x = 0, y = 0, z = 0;
};

void glBall(GlDab& dab, const GlPoint& centre, float radius, u16 pixel);
void glRod(const GlPoint& from, const GlPoint& to, float fromRadius, float toRadius, u16 pixel);
void glTube(const std::vector<GlPoint>& path, float radius, u16 pixel);
// The rectangle of the picture that points, each grown by the margin, may touch.
Rect16 boxAround(const std::vector<GlPoint>& points, float margin);
