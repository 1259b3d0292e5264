#pragma once
// The geometry of one character, tessellated and ready to draw: parts that each take one paint
// (a fill style, a line style, or a solid colour of their own for glyphs and outlines) over
// primitives of integer twips. Fills come from the GLU tessellator (with the curve resolution
// halved and the fill built again after a tessellation error, and the fill given up below two
// points per curve); lines are quadrilaterals along each segment, at least 25 twips wide,
// without caps or joins; a segment whose ends are equal draws nothing.
#include <vector>

#include "media/swf/SwfTypes.h"
#include "platform/gl/GlTessellator.h"

namespace swf::draw {

enum class PartKind : u8 { Fill, Line, Outline };

struct MeshPart {
    PartKind kind = PartKind::Fill;
    // The fill or line style entry in the character's block; null: the solid colour below.
    const u8* style = nullptr;
    Rgba solid{0, 0, 0, 255};
    u32 firstPrimitive = 0;
    u32 primitiveCount = 0;
};

struct ShapeMesh {
    std::vector<MeshPart> parts;
    std::vector<plat::gl::TessPrimitive> primitives;
    std::vector<plat::gl::TessPoint> vertices;
    void Clear() {
        parts.clear();
        primitives.clear();
        vertices.clear();
    }
};

// Where a shape's points go: identity for shapes; glyphs are scaled to their height, moved to
// the pen and carried through the text's matrix here, so that their vertices are twips of the
// text.
struct PointMapping {
    bool identity = true;
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;  // x' = a x + c y + tx; y' = b x + d y + ty
};

// One shape block's records: the whole block the offsets count in, the first record, and the
// style arrays in force at the start. Glyphs have no style arrays: they are filled with their
// colour wherever fill style 1 is selected.
struct ShapeSource {
    const u8* block = nullptr;
    u32 size = 0;
    u32 first = 0;
    const u8* fills = nullptr;
    const u8* lines = nullptr;
    bool glyph = false;
    Rgba glyphColour{0, 0, 0, 255};
};

// Appends the fills and lines of the shape, layer by layer.
void TessellateShape(plat::gl::Tessellator& tessellator, const ShapeSource& source, const PointMapping& mapping,
                     ShapeMesh& mesh);
// Appends the edges as line strips of 8 points per curve, one part in the colour given.
void OutlineShape(const ShapeSource& source, const PointMapping& mapping, const Rgba& colour, ShapeMesh& mesh);
// The four corners of a segment's quadrilateral as a triangle strip; false for a zero-length one.
bool SegmentQuad(plat::gl::TessPoint from, plat::gl::TessPoint to, u16 width, plat::gl::TessPoint corners[4]);

}  // namespace swf::draw
