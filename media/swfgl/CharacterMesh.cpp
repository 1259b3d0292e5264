#include "media/swfgl/CharacterMesh.h"

#include "engine/base/ByteOrder.h"
#include "media/swf/Document.h"
#include "media/swf/FontTag.h"
#include "media/swf/GlyphBlock.h"
#include "media/swf/Records.h"
#include "media/swf/ShapeTag.h"
#include "media/swf/TextTag.h"
#include "media/swfgl/ShapeRecords.h"

namespace swf::draw {

namespace {

constexpr double kGlyphSquare = 1024;

void ShapeOrOutline(plat::gl::Tessellator& tessellator, const ShapeSource& source, const PointMapping& mapping,
                    bool outline, const Rgba& outlineColour, ShapeMesh& mesh) {
    if (outline) OutlineShape(source, mapping, outlineColour, mesh);
    else TessellateShape(tessellator, source, mapping, mesh);
}

const tagDefineFont* FindFont(const tagObject& text, u16 id) {
    const document* owner = text.Owner();
    tagObject* found = owner ? owner->FindCharacter(id) : nullptr;
    if (!found || (found->Code() != kTagDefineFont && found->Code() != kTagDefineFont2)) return nullptr;
    return static_cast<const tagDefineFont*>(found);
}

// False, drawing nothing, when the glyph's records would take the text past the bytes left.
bool Glyph(plat::gl::Tessellator& tessellator, const tagDefineFont& font, u16 index, const Rgba& colour,
           const PointMapping& mapping, bool outline, const Rgba& outlineColour, u32& bytesLeft, ShapeMesh& mesh) {
    const Block& glyphs = font.Glyphs();
    const u16 count = GlyphCount(glyphs);
    if (index >= count || u64(2) + 4u * u64(count) > glyphs.Size()) return true;
    const u8* data = glyphs.Data();
    const u32 start = readLE32(data + 2 + 4u * index);
    const u32 end = index + 1 < count ? readLE32(data + 2 + 4u * (index + 1)) : glyphs.Size();
    if (start >= end || end > glyphs.Size()) return true;
    if (end - start > bytesLeft) return false;
    bytesLeft -= end - start;
    ShapeSource source;
    source.block = data;
    source.size = end;
    source.first = start + 1;  // after the byte of index bits
    source.glyph = true;
    source.glyphColour = colour;
    ShapeOrOutline(tessellator, source, mapping, outline, outlineColour, mesh);
    return true;
}

void Text(plat::gl::Tessellator& tessellator, const tagDefineText& text, bool outline, const Rgba& outlineColour,
          ShapeMesh& mesh) {
    const u8* block = text.Text().Data();
    const u32 size = text.Text().Size();
    if (!block || size < text::kRecordsStart) return;
    const Matrix m = GetMatrix(block + 16);
    const double ta = m.scaleX / 65536.0, tb = m.rotateSkew0 / 65536.0, tc = m.rotateSkew1 / 65536.0,
                 td = m.scaleY / 65536.0;
    const tagDefineFont* font = nullptr;
    double height = 0, penX = 0, penY = 0;
    Rgba colour{0, 0, 0, 255};
    u32 bytesLeft = kTextGlyphBytes;
    for (u32 at = text::kRecordsStart; u64(at) + 4 <= size;) {
        const u8* record = block + at;
        const u16 word = readLE16(record);
        const u16 kind = word & 3;
        if (kind == text::kStyle) {
            if (u64(at) + text::kStyleRecordSize > size) return;
            if (word & (text::kHasXOffset | text::kHasYOffset)) {
                penX = word & text::kHasXOffset ? i16(readLE16(record + 12)) : 0;
                penY = word & text::kHasYOffset ? i16(readLE16(record + 14)) : 0;
            }
            if (word & text::kHasFont) {
                font = FindFont(text, readLE16(record + 4));
                height = readLE16(record + 6);
            }
            if (word & text::kHasColour) colour = GetRgba(record + 8);
            at += text::kStyleRecordSize;
        } else if (kind == text::kGlyphRun) {
            const u16 count = readLE16(record + 2);
            if (u64(at) + 4 + 6u * u64(count) > size) return;
            for (u16 i = 0; i < count; ++i) {
                const u8* glyph = record + 4 + 6u * i;
                if (font) {
                    // Glyph square to twips at the pen, then the text's matrix.
                    const double s = height / kGlyphSquare;
                    PointMapping mapping;
                    mapping.identity = false;
                    mapping.a = ta * s;
                    mapping.b = tb * s;
                    mapping.c = tc * s;
                    mapping.d = td * s;
                    mapping.tx = ta * penX + tc * penY + m.translateX;
                    mapping.ty = tb * penX + td * penY + m.translateY;
                    if (!Glyph(tessellator, *font, readLE16(glyph), colour, mapping, outline, outlineColour,
                               bytesLeft, mesh))
                        return;
                }
                penX += i32(readLE32(glyph + 2));
            }
            at += 4 + 6u * count;
        } else {
            return;
        }
    }
}

}  // namespace

void BuildCharacterMesh(plat::gl::Tessellator& tessellator, const tagObject& character, bool outline,
                        const Rgba& outlineColour, ShapeMesh& mesh) {
    const u16 code = character.Code();
    if (code == kTagDefineText || code == kTagDefineText2) {
        Text(tessellator, static_cast<const tagDefineText&>(character), outline, outlineColour, mesh);
        return;
    }
    if (code != kTagDefineShape && code != kTagDefineShape2 && code != kTagDefineShape3) return;
    const Block& shape = static_cast<const tagDefineShape&>(character).Shape();
    ShapeSource source;
    source.block = shape.Data();
    source.size = shape.Size();
    source.first = ShapeFirstRecord(source.block, source.size);
    source.fills = ShapeFillStyles(source.block, source.size);
    source.lines = ShapeLineStyles(source.block, source.size);
    ShapeOrOutline(tessellator, source, PointMapping{}, outline, outlineColour, mesh);
}

}  // namespace swf::draw
