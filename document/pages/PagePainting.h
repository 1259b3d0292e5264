#pragma once
// Painting stored pictures into the pixels of a 16-bit (RGB555) port. A picture fills the
// rectangle it is placed in, each port pixel taking the nearest picture pixel, so a picture
// resized on the page draws resized; a mask leaves its 0 pixels showing what lies below.
// Everything outside the port's pixels is cut off.
#include "document/objects/RPageObject.h"
#include "document/storage/PictureRecord.h"
#include "engine/gfx/GfxPort.h"

namespace Ostrel {

// `origin` is where the page's top-left corner lands in the port's pixels. A picture whose
// pixels or mask do not match its size draws nothing.
void paintPicture(const GfxPixelDescriptor& target, const PictureRecord& picture, const PageRect& place,
                  Point16 origin);

}  // namespace Ostrel
