#pragma once
// Engine bitmaps made from rasters, in their stored form: the big-endian header (width,
// height, row bytes, format) and 16-bit colours in big-endian order, which the program puts
// into machine order when it loads them.
//  - Pictures ('tBMP', backdrops and swatch frames) are plain rows: every place opaque.
//  - Stamps (a stamp library's 'tBMP's) are plain rows whose white 0x7FFF is see-through: the
//    places the art leaves uncovered take it, and white the art is drawn with is kept a shade
//    below it, so that a stamp's white parts show white on a page of any colour.
//  - Alpha masks ('tBMP' too, drawn in one colour: the tinted areas of colour buttons) are a
//    big-endian width, height, row bytes and flags (0: plain rows), then one coverage byte
//    per place.
//  - Shape frames are packed rows: transparent places become gaps, runs of one colour
//    become repeats, so the sprite layer draws them transparently and small.
#include <vector>

#include "contentgen/raster/Raster.h"

std::vector<u8> writePlainBitmap16(const Raster& raster);
std::vector<u8> writeStampBitmap16(const Raster& raster);
std::vector<u8> writeAlphaMask8(const Raster& raster);
// The packed frame of the raster's `bounds` (usually its opaque bounds).
std::vector<u8> writePackedBitmap16(const Raster& raster, const RasterBounds& bounds);
