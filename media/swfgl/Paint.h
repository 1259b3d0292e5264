#pragma once
// The paint of one part, set into GL just before its geometry is drawn: a solid colour, a
// gradient texture or a bitmap texture through the colour transform of the instance being
// drawn, or a replacement paint from the movie's colour table. Gradient and bitmap textures are
// RGB and replace the colour; their coordinates come from the shape's own coordinates through
// the inverse of the fill's matrix. A texture lives for one part: EndPaint deletes it.
#include <vector>

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

// A bitmap fill's JPEG as decoded for its texture, kept with a compiled drawing so that a
// replay does not decode it again; its colours are those of the picture, before any colour
// transform.
struct DecodedBitmap {
    const void* character = nullptr;  // the bitmap it was decoded from; none: not decoded yet
    bool decoded = false;
    std::vector<u8> rgb;
    u32 width = 0, height = 0;                // the texture's
    u32 pictureWidth = 0, pictureHeight = 0;  // the JPEG's
};

// Answers the texture it made (0: none). A bitmap fill is decoded into `bitmap` when given and
// not yet decoded from the same character.
u32 SetPaint(const MeshPart& part, const PaintContext& context, DecodedBitmap* bitmap = nullptr);
void EndPaint(u32 texture);

}  // namespace swf::draw
