#pragma once
// The pictures the tools lay down (fill patterns, stamps, roller and spray patterns) are 'tBMP'
// engine bitmaps in the archives or the frames of shape groups the sprite layer has loaded;
// the tools take them as RGB555 tiles. Every pixel is read through
// the engine's bitmap reader, which checks each row against the block; 16-bit pixels keep
// their colour, 24-bit and colour-table pixels are cut to five bits a channel, and palette
// indices without a table take the default palette's colour.
#include <vector>

#include "tools/base/PixelTile.h"

// Larger pictures are refused: no tool lays down more than a canvas.
constexpr i32 kToolPictureMaxSide = 1024;

// An invalid (empty) tile when the bitmap cannot be read whole.
PixelTile tileFromBitmap(const u8* bitmap, u32 size);
// The 'tBMP' resource of any open archive; an invalid tile when it is missing or unreadable.
PixelTile loadToolPicture(u16 pictureId);
// The frames of the shape group in a sprite-layer slot, in frame order; frames that cannot be
// read are left out, and a slot without a group gives none.
std::vector<PixelTile> loadGroupTiles(u16 slot);
