#pragma once
// A movie's first picture drawn into part of a 16-bit picture: what a page's thumbnail shows of
// a movie where it plays. The picture is scaled to the place and cut off at the picture's edges.
// User-interface thread only; without the media runtime nothing is drawn.
#include <span>

#include "engine/gfx/GfxPort.h"

// 0 on success; kDocErrBadRect for a place without pixels or a target that is not 16-bit,
// kDocErrNotReadable for bytes that hold no movie with a picture.
EngineErr PaintMovieFirstFrame(const GfxPixelDescriptor& target, std::span<const u8> movie, const Rect16& place);
