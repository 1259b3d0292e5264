#include "media/swfgl/CharacterMesh.h"

#include "engine/base/ByteOrder.h"
#include "media/swf/FontTag.h"
#include "tests/media/swfgl/RenderFixture.h"

namespace swfgltest {
namespace {

class CharacterMesh : public RenderFixture {};

// One glyph of a few thousand edges named again and again: the text draws it while the glyph
// records drawn stay within the budget, and draws nothing more past it.
TEST_F(CharacterMesh, ATextStopsDrawingGlyphsPastItsBudgetOfGlyphRecords) {
    Path large{0, -512, 1, 0, 0, {}};
    for (int i = 0; i < 4000; ++i) large.edges.push_back(Line(1, 0));
    large.edges.push_back(Line(0, 512));
    large.edges.push_back(Line(-4000, 0));
    large.edges.push_back(Line(0, -512));
    Load(MovieOf(kFrame, 1, Font(5, {{large}})));
    const auto* font = static_cast<const swf::tagDefineFont*>(document_->FindCharacter(5));
    ASSERT_NE(font, nullptr);
    const swf::Block& glyphs = font->Glyphs();
    const u32 glyphBytes = glyphs.Size() - readLE32(glyphs.Data() + 2);
    const u32 fitting = swf::draw::kTextGlyphBytes / glyphBytes;
    ASSERT_LT(fitting, 127u);  // one glyph run holds them all
    for (u32 named : {fitting, fitting + 1}) {
        SCOPED_TRACE(named);
        Load(MovieOf(kFrame, 1,
                     swftest::Concat({Font(5, {{large}}),
                                      Text(6, 5, 640, {0, 0, 255, 255}, 0, 480, std::vector<Glyph>(named, {0, 0}))})));
        swf::draw::ShapeMesh mesh;
        swf::draw::BuildCharacterMesh(*renderer_.Tessellator(), *document_->FindCharacter(6), false, {}, mesh);
        EXPECT_EQ(mesh.parts.size(), fitting);
    }
}

}  // namespace
}  // namespace swfgltest
