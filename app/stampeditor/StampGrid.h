#pragma once
// A rubber stamp as the stamp editor holds it: up to 32 x 32 RGB555 pixels in a grid of 32
// entries a row, whatever the stamp's width. 0x7FFF is the transparent pixel (the stamping
// tool leaves the picture alone under it). The operations are the editor's: they change only
// the cells inside the stamp's width and height.
#include <array>
#include <span>
#include <vector>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr i32 kStampGridSide = 32;
constexpr u16 kStampTransparent = 0x7FFF;
// What EditStamp and the readers refuse: not a plain 16-bit engine bitmap of at most 32 x 32.
constexpr EngineErr kStampErrUnusable = 1;

struct StampGrid {
    std::array<u16, size_t(kStampGridSide * kStampGridSide)> cells{};
    i32 width = 0;
    i32 height = 0;

    bool Contains(i32 x, i32 y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    u16 At(i32 x, i32 y) const { return cells[size_t(y * kStampGridSide + x)]; }
    u16& At(i32 x, i32 y) { return cells[size_t(y * kStampGridSide + x)]; }
    bool operator==(const StampGrid& other) const;
};

// A blank stamp of that size (every pixel transparent); sizes are clamped to 1..32.
StampGrid BlankStamp(i32 width, i32 height);

// Reads an engine bitmap (stored big-endian or prepared in machine order): kStampErrUnusable
// unless it is 16 bits deep, plain rows, at most 32 x 32 and its rows fit the bytes.
EngineErr StampFromBitmap(std::span<const u8> bitmap, StampGrid* grid);
// The stamp as a stored engine bitmap: big-endian header and pixels, 16 bits deep.
std::vector<u8> BitmapFromStamp(const StampGrid& grid);

// The cell takes the colour; nothing outside the stamp.
void SetStampPixel(StampGrid& grid, i32 x, i32 y, u16 colour);
// From the cell, every cell of the cell's colour reached through its four neighbours takes
// `colour`; nothing when the cell already holds it or lies outside.
void FloodFillStamp(StampGrid& grid, i32 x, i32 y, u16 colour);
// Every pixel of colour `from` (every pixel when `from` is negative) takes `to`.
void ReplaceStampColour(StampGrid& grid, u16 to, i32 from);
// A clockwise quarter turn; width and height change places.
void RotateStamp(StampGrid& grid);
// Mirrors each row (left to right) when `mirrorRows`, else turns the rows upside down.
void FlipStamp(StampGrid& grid, bool mirrorRows);

}  // namespace Ostrel
