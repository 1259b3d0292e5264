#pragma once
// The little block letters and digits the letter brush and the dot-to-dot brush paint: five
// by seven cells, each cell a square of `scale` pixels.
#include "tools/base/ToolCanvas.h"

constexpr i32 kTinyFontWidth = 5;
constexpr i32 kTinyFontHeight = 7;

// Paints the glyph of 'A'-'Z' or '0'-'9' with its top left at (left, top); other characters
// paint nothing.
void paintTinyGlyph(ToolCanvas& canvas, char c, i32 left, i32 top, i32 scale, u16 pixel);
// Paints the decimal digits of a number from (left, top); answers the width it took.
i32 paintTinyNumber(ToolCanvas& canvas, u32 number, i32 left, i32 top, i32 scale, u16 pixel);
