#pragma once
// The mesh of a shape or text character: shapes are tessellated from their block, texts glyph
// by glyph (each glyph scaled to the style's height over the 1024-unit glyph square, moved to
// the pen and carried through the text's matrix). A glyph index past its font's glyphs, or a
// font that is missing, draws nothing; the pen still advances. In outline mode the edges are
// drawn as line strips in the colour given instead. A text draws glyphs until their records
// add up to kTextGlyphBytes; the glyphs past that draw nothing, so that a small movie naming
// one large glyph over and over cannot take unbounded time and memory.
#include "media/swf/Tag.h"
#include "media/swfgl/ShapeMesh.h"

namespace swf::draw {

constexpr u32 kTextGlyphBytes = 1u << 22;

void BuildCharacterMesh(plat::gl::Tessellator& tessellator, const tagObject& character, bool outline,
                        const Rgba& outlineColour, ShapeMesh& mesh);

}  // namespace swf::draw
