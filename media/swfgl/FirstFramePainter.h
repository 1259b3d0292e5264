#pragma once
// A Flash movie's first frame drawn through OpenGL into part of a 16-bit picture: what the
// page merges into its background when a vector graphic is flattened. The frame is scaled to
// the place; the pixels the movie leaves uncovered keep the picture's own. User-interface
// thread only.
#include <span>

#include "engine/gfx/GfxPort.h"

namespace swf::draw {

// 0 on success; kDocErrBadRect for a place without pixels, kDocErrNotReadable for bytes that
// are no movie, kDocErrNoVectorRenderer when no OpenGL context can be made.
EngineErr PaintFirstFrame(const GfxPixelDescriptor& target, std::span<const u8> movie, const Rect16& place);

}  // namespace swf::draw
