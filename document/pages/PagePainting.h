#pragma once
// Painting stored pictures into the pixels of a 16-bit (RGB555) port. A picture fills the
// rectangle it is placed in, each port pixel taking the nearest picture pixel, so a picture
// resized on the page draws resized; a mask leaves its 0 pixels showing what lies below.
// Everything outside the port's pixels is cut off.
#include <span>

#include "document/objects/RPageObject.h"
#include "document/storage/PictureRecord.h"
#include "engine/gfx/GfxPort.h"

namespace Ostrel {

class RMediaFilePageObject;

// `origin` is where the page's top-left corner lands in the port's pixels. A picture whose
// pixels or mask do not match its size draws nothing.
void paintPicture(const GfxPixelDescriptor& target, const PictureRecord& picture, const PageRect& place,
                  Point16 origin);

// The part `area` of a port's pixels as pixels of their own, with (0, 0) at the area's
// top-left; false when the area is empty or not all inside the port.
bool portPart(const GfxPixelDescriptor& port, const Rect16& area, GfxPixelDescriptor* part);

// Draws the first frame of a vector graphic (a Flash movie's bytes) scaled into `place` of the
// target's pixels, leaving what its picture does not cover. The media services install it at
// start-up; without one vector graphics cannot be merged into a page (kDocErrNoVectorRenderer).
using VectorPainter = EngineErr (*)(const GfxPixelDescriptor& target, std::span<const u8> movie, const Rect16& place);
void SetVectorPainter(VectorPainter painter);
VectorPainter GetVectorPainter();

// Draws the first picture of a movie object (its bytes, or its file) scaled into `place` of the
// target's pixels, for a page's thumbnail. The media services install it at start-up; without
// one a movie shows nothing there.
using MoviePainter = EngineErr (*)(const GfxPixelDescriptor& target, const RMediaFilePageObject& movie,
                                   const Rect16& place);
void SetMoviePainter(MoviePainter painter);
MoviePainter GetMoviePainter();

// Paints the first picture of a vector graphic or a movie object into `place` through the
// painter of its kind; false for the other kinds, without a painter, or when the painter
// cannot read the object.
bool PaintMediaFirstPicture(const GfxPixelDescriptor& target, const RPageObject& object, const Rect16& place);

}  // namespace Ostrel
