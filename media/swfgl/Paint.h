#pragma once
// The paint of one part, set into GL just before its geometry is drawn: a solid colour, a
// gradient texture or a bitmap texture through the colour transform of the instance being
// drawn, or a replacement paint from the movie's colour table. Gradient and bitmap textures are
// RGB and replace the colour; their coordinates come from the shape's own coordinates through
// the inverse of the fill's matrix. A texture lives for one part: EndPaint deletes it.
#include "media/swf/Document.h"
#include "media/swfgl/ShapeMesh.h"

namespace swf::draw {

// Render flags.
constexpr u32 kRenderNoColourTable = 1;
constexpr u32 kRenderSilhouette = 2;
constexpr u32 kRenderOutline = 4;

struct PaintContext {
    Cxform cxform;
    u32 flags = 0;
    const document* root = nullptr;  // bitmaps and the colour table are looked up here
    Rect bounds;                     // of the character, for the paints fitted to it
    i32 maxTextureSize = 0;
};

// Answers the texture it made (0: none).
u32 SetPaint(const MeshPart& part, const PaintContext& context);
void EndPaint(u32 texture);

}  // namespace swf::draw
