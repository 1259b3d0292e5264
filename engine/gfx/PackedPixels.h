#pragma once
// Decoders of the packed pixel rows of engine pictures: run-length 8-bit rows and the 16-bit
// rows with transparent gaps. Headers are big-endian; 16-bit colour words are in machine
// order (the pictures are prepared before drawing). Writes stay inside the given width and
// height; the caller vouches for the length of the packed data.
#include <cstddef>
#include <vector>

#include "engine/EngineTypes.h"

// Expands packed 8-bit rows into `out` (top-down rows of `stride` bytes).
void gfxExpandPacked8(const u8* data, u16 width, u16 height, u8* out, size_t stride);

// Writes packed 16-bit rows into `out` (top-down rows of `stride` words): opaque places get
// their own colour, or `opaqueFill` when `ownColours` is false; transparent places get
// `transparentFill`. Returns whether any place is transparent.
bool gfxExpandPacked16(const u8* data, u16 width, u16 height, u16* out, size_t stride, bool ownColours, u16 opaqueFill,
                       u16 transparentFill);
