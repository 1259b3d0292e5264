#pragma once
// A movie's first picture drawn into part of a 16-bit picture: what a page's thumbnail shows of
// a movie where it plays. The picture is scaled to the place and cut off at the picture's edges.
// User-interface thread only; without the media runtime nothing is drawn.
#include "document/objects/RMediaFilePageObject.h"
#include "engine/gfx/GfxPort.h"

// 0 on success; kDocErrBadRect for a place without pixels or a target that is not 16-bit,
// kDocErrNotReadable for an object that holds no movie with a picture (in memory or in its file).
EngineErr PaintMovieFirstFrame(const GfxPixelDescriptor& target, const Ostrel::RMediaFilePageObject& movie,
                               const Rect16& place);
