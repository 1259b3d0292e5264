#pragma once
// A stored picture made drawable: the engine bitmap a picture sprite draws. A picture without
// a mask becomes plain 16-bit rows; one with a mask becomes packed 16-bit rows whose masked
// places are gaps, so that what lies below shows through them (transfer mode
// kGfxModeTransparent). Colours are RGB555 words in machine order.
#include <vector>

#include "document/storage/PictureRecord.h"

// Empty for a picture whose pixels or mask do not match its size.
std::vector<u8> expandPictureBitmap(const PictureRecord& picture);
// The same bitmap in its stored form (colours in big-endian order), as libraries keep their
// thumbnails.
std::vector<u8> storedPictureBitmap(const PictureRecord& picture);
