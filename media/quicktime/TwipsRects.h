#pragma once
// Rectangles for SWF output: four unsigned 32-bit twips (a pixel is 20 twips) in the order left,
// top, right, bottom. The canvas origin is the top-left corner of the page canvas, stored by
// the canvas when it is made; page rectangles are made canvas-relative by subtracting it.
// User-interface thread only.
#include "engine/regions/Rects.h"

constexpr i32 kTwipsPerPixel = 20;

struct TwipsRect {
    u32 left;
    u32 top;
    u32 right;
    u32 bottom;
};

void SetCanvasOrigin(Point16 origin);
Point16 CanvasOrigin();

void RectToTwips(const Rect16& rect, TwipsRect* out);
// The rectangle less the canvas origin, x from left and right, y from top and bottom.
void RectToTwipsRelative(const Rect16& rect, TwipsRect* out);
