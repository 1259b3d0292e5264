#pragma once
// The pixel work the brushes share: a paint mixed into a pixel by an amount, lighter and darker
// shades, hues round the colour wheel, a fixed noise per position, and discs, lines, rings and
// polygons painted straight into a stroke's picture. Each painter marks what it touched.
#include <vector>

#include "tools/base/ToolCanvas.h"

// `amount` 0 keeps the pixel under, 1 gives the paint; channels are rounded.
u16 mixPixel(u16 under, u16 paint, float amount);
// -1 black, 0 the pixel itself, 1 white.
u16 shadePixel(u16 pixel, float amount);
// A saturated hue, 0 to 1 round the wheel from red.
u16 huePixel(float hue);
// The seven stripes of a rainbow, red first.
u16 rainbowStripe(i32 index);
// A fixed value per position and seed, the same at every call.
u32 brushNoise(i32 x, i32 y, u32 seed);

void paintDisc(ToolCanvas& canvas, float cx, float cy, float radius, u16 pixel);
// A disc whose pixels are mixed in by `amount` at the centre, falling to nothing at the rim
// (1 - (d/r)^2): soft, and building up where discs overlap.
void paintSoftDisc(ToolCanvas& canvas, float cx, float cy, float radius, float amount, u16 pixel);
// A line of round ends and the width's thickness (1: the pixels of the line).
void paintLine(ToolCanvas& canvas, Point16 a, Point16 b, i32 width, u16 pixel);
void paintPolyline(ToolCanvas& canvas, const std::vector<Point16>& path, bool closed, i32 width, u16 pixel);
void paintPolygon(ToolCanvas& canvas, const std::vector<Point16>& corners, u16 pixel);
void paintRect(ToolCanvas& canvas, const Rect16& r, u16 pixel);
// The corners of a regular polygon of `sides` around a centre, the first at `angle` (radians).
std::vector<Point16> regularPolygon(float cx, float cy, float radius, i32 sides, float angle);
// The rectangle a disc of the radius round (cx, cy) may touch.
Rect16 discBounds(float cx, float cy, float radius);
// A point rounded to the picture's grid, kept inside 16 bits.
Point16 pointAt(float x, float y);
