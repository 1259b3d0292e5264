#pragma once
// A slide made of a file from outside: a white page holding the file's picture, movie,
// animation or sound. A picture becomes the page's own picture (fitted into the canvas and
// centred, then merged), so the slide looks and edits like a painted one; a movie or an
// animation stays an object that plays when the slide shows, centred at its own size (smaller
// when it does not fit), and a sound one that the slide plays. What the page holds shows in
// its thumbnail once it is saved. User-interface thread only.
#include <string>

#include "document/pages/RPageData.h"

namespace Ostrel {

// Which files the slide may be made of: pictures only (Add Graphic) or any media (Add Movie).
enum class MediaSlideKind : u8 { Picture, AnyMedia };

// Fills the empty page from the file (an engine text) of the type; `canvas` is the canvas's
// size, which the page's picture takes. kDocErrBadType for a file of a kind the slide cannot
// be made of; kDocErrNotReadable for one holding no picture, movie, animation or sound. A page
// refused its file is not to be kept.
EngineErr FillMediaSlide(RPageData& page, const std::string& path, FourCC fileType, MediaSlideKind kind,
                         const Rect16& canvas);

}  // namespace Ostrel
