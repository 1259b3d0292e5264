#pragma once
// How far the packed rows of a picture drawn at device row y must be read to reach a clip
// piece, upright or flipped: the direct-memory paths of the offscreen ports read no further.
// Internal to the offscreen ports.
#include "engine/gfx/PackedPixels.h"
#include "engine/regions/Rects.h"

// The rows of a picture at device row y that must be read to reach every row of the piece.
inline u32 gfxRowsToRead(i32 y, i32 height, bool flip, const Rect16& piece) {
    i32 rows = flip ? y + height - piece.top : piece.bottom - y;
    return rows <= 0 ? 0 : u32(rows < height ? rows : height);
}
