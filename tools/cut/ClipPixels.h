#pragma once
// The pixel work of a floating clip, done through its mask region rectangle by rectangle and a
// row at a time, so that the cost follows the area covered, never a region test per pixel.
// A placed mask is the region (its rectangles in the clip's own coordinates) moved to `at` in
// the target's coordinates and cut to `limit` there and to the target picture.
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/regions/Rects.h"
#include "tools/base/PixelView.h"

struct PlacedMask {
    memHandle region = 0;
    Point16 at{0, 0};
    Rect16 limit{-32768, -32768, 32767, 32767};
};

// Copies what the mask covers from `source`, whose top-left lies at `sourceAt` in the target's
// coordinates; what lies outside the source is left alone.
void copyThroughMask(const PixelView& target, const PixelView& source, Point16 sourceAt, const PlacedMask& mask);
// Fills what the mask covers with the pixel.
void fillMask(const PixelView& target, const PlacedMask& mask, u16 pixel);
// The pixels of the mask that have a neighbour (left, right, above or below) outside it, or
// lie on the edge of the width x height picture: the line the marching ants walk, in the
// mask's own coordinates, row by row.
std::vector<Point16> maskOutline(memHandle region, i16 width, i16 height);
// Marks the outline with marching ants: black where the 8x8 diagonal stripe pattern (rows
// 0xCC, 0x66, 0x33, 0x99, twice) rotated left by `phase` bits is set, white elsewhere, laid
// from the mask's own top-left so that the dashes move with the clip and march as the phase
// grows. Only the outline is touched: the piece inside it stays as it is.
void marchAnts(const PixelView& target, const std::vector<Point16>& outline, const PlacedMask& mask, u8 phase);
// One byte per pixel of a width x height picture (1 where the region covers, else 0), the
// region in the picture's own coordinates.
std::vector<u8> maskBytes(memHandle region, i16 width, i16 height);
// The rectangles of a region; none for a null or damaged one.
std::vector<Rect16> maskRects(memHandle region);
