#pragma once
// Where a run of packed rows lands when a picture is drawn at (x, y) into a clip piece,
// mirrored or flipped as asked: the direct-memory paths of the offscreen ports clip runs by
// these spans rather than pixel by pixel. Internal to the offscreen ports.
#include "engine/regions/Rects.h"
#include "engine/gfx/PackedPixels.h"

struct GfxRunSpan {
    i32 row;       // device row
    i32 left;      // device columns [left, right)
    i32 right;
    bool mirror;
    i32 firstX;    // device column of the picture's column 0 (its last column when mirrored)

    // The run's place that lands on device column `d`.
    u32 PlaceOf(i32 d, const GfxPackedRun& run) const { return u32((mirror ? firstX - d : d - firstX) - i32(run.x)); }
};

// False when no part of the run lands in the piece.
inline bool gfxPlaceRun(const GfxPackedRun& run, i32 x, i32 y, i32 width, i32 height, bool mirror, bool flip,
                        const Rect16& piece, GfxRunSpan* span) {
    i32 row = flip ? y + height - 1 - i32(run.row) : y + i32(run.row);
    if (row < piece.top || row >= piece.bottom || i32(run.x) >= width) return false;
    i32 end = i32(run.x + run.count < u32(width) ? run.x + run.count : u32(width));
    i32 left = mirror ? x + width - end : x + i32(run.x);
    i32 right = mirror ? x + width - i32(run.x) : x + end;
    span->row = row;
    span->left = left > piece.left ? left : piece.left;
    span->right = right < piece.right ? right : piece.right;
    span->mirror = mirror;
    span->firstX = mirror ? x + width - 1 : x;
    return span->left < span->right;
}

// The rows of a picture at device row y that must be read to reach every row of the piece.
inline u32 gfxRowsToRead(i32 y, i32 height, bool flip, const Rect16& piece) {
    i32 rows = flip ? y + height - piece.top : piece.bottom - y;
    return rows <= 0 ? 0 : u32(rows < height ? rows : height);
}
