#pragma once
// The pictures the tools lay down (fill patterns, stamps, roller frames) are 'tBMP' engine
// bitmaps in the archives; the tools take them as RGB555 tiles. Every pixel is read through
// the engine's bitmap reader, which checks each row against the block; 16-bit pixels keep
// their colour, 24-bit and colour-table pixels are cut to five bits a channel, and palette
// indices without a table take the default palette's colour.
#include "tools/base/PixelTile.h"

// Larger pictures are refused: no tool lays down more than a canvas.
constexpr i32 kToolPictureMaxSide = 1024;

// An invalid (empty) tile when the bitmap cannot be read whole.
PixelTile tileFromBitmap(const u8* bitmap, u32 size);
// The 'tBMP' resource of any open archive; an invalid tile when it is missing or unreadable.
PixelTile loadToolPicture(u16 pictureId);
