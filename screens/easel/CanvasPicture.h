#pragma once
// The canvas's painting as the page keeps it: the page's background picture ('tBMP' id 1)
// holds the canvas's pixels at the canvas's size, so a saved picture reopens pixel for pixel.
// Stored pixels are RGBA; each 5-bit channel widens to 8 bits in a way that narrows back to
// the same 5 bits.
#include "document/pages/RPageData.h"
#include "tools/base/PixelView.h"

namespace Ostrel {

PictureRecord pictureOfPixels(const PixelView& view);
// Fills the view with the picture stretched to it; false (the view untouched) when the
// picture holds no pixels.
bool drawPicture(const PixelView& view, const PictureRecord& picture);
// Fills the view with the page's background picture, stretched to the view as the page draws
// it; with no background picture, with `fill`.
void drawPageBackground(const PixelView& view, const RPageData& page, u16 fill);
// Puts the view's pixels into the page's background picture (making it when missing), sized
// to the view. 0, or the page's error when the background cannot be made.
EngineErr storePageBackground(const PixelView& view, RPageData& page);

}  // namespace Ostrel
