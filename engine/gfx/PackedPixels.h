#pragma once
// Decoders of the packed pixel rows of engine pictures: run-length 8-bit rows and the 16-bit
// rows with transparent gaps. Headers are big-endian; 16-bit colour words are in machine
// order (the pictures are prepared before drawing). Pictures come from files, so every
// decoder reads only inside the given data size and writes only inside the given width and
// height; data that ends early or whose headers point past its end is refused as damaged.
#include <cstddef>
#include <functional>

#include "engine/base/EngineTypes.h"

// One run of a packed picture: `count` places of `row` from `x` taking the colours at
// `colours` in turn (1 byte a place for 8-bit rows, a machine-order word for 16-bit rows), or
// the one colour there repeated. Transparent runs (16-bit gaps) have no colours.
struct GfxPackedRun {
    u32 row;
    u32 x;
    u32 count;
    const u8* colours;
    bool repeat;
    bool transparent;
    u16 colourAt(u32 place, bool words) const {
        u32 i = repeat ? 0 : place;
        return words ? u16(colours[2 * i] | (colours[2 * i + 1] << 8)) : colours[i];
    }
};
using GfxPackedRunVisitor = std::function<void(const GfxPackedRun&)>;

// Walk the runs of the first `height` rows; false when the data is damaged (the runs before
// the damage have been visited). 16-bit rows report their leading and trailing gaps and the
// empty rows as transparent runs; places past the last run of a row are not reported.
bool gfxWalkPacked8(const u8* data, size_t size, u32 height, const GfxPackedRunVisitor& visit);
bool gfxWalkPacked16(const u8* data, size_t size, u32 height, const GfxPackedRunVisitor& visit);

// Expands packed 8-bit rows into `out` (top-down rows of `stride` bytes); false when damaged.
bool gfxExpandPacked8(const u8* data, size_t size, u16 width, u16 height, u8* out, size_t stride);

enum class GfxPacked16Result { Opaque, Transparent, Damaged };
// Writes packed 16-bit rows into `out` (top-down rows of `stride` words): opaque places get
// their own colour, or `opaqueFill` when `ownColours` is false; transparent places get
// `transparentFill`. Tells whether any place is transparent.
GfxPacked16Result gfxExpandPacked16(const u8* data, size_t size, u16 width, u16 height, u16* out, size_t stride,
                                    bool ownColours, u16 opaqueFill, u16 transparentFill);

// The value at (x, y) of packed rows: an 8-bit index, a 16-bit colour, -2 for a transparent
// place of 16-bit rows, -1 when the data is damaged or does not reach the place.
i32 gfxPacked8Pixel(const u8* data, size_t size, u32 x, u32 y);
i32 gfxPacked16Pixel(const u8* data, size_t size, u32 x, u32 y);
