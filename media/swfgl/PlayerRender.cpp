// swf::player::Render: the display list drawn back to front through a GLBitmapRenderer.
#include "engine/gfx/gl/GLBitmapRenderer.h"
#include "media/swf/CharacterEvents.h"
#include "media/swf/Player.h"
#include "media/swfgl/CharacterMesh.h"
#include "media/swfgl/ColourMath.h"
#include "media/swfgl/CompiledCharacter.h"
#include "platform/gl/Gl.h"

namespace swf {

namespace gl = plat::gl;

namespace {

// The key colour the owner of the picture turns into transparent pixels.
constexpr Rgba kKeyColour{0x39, 0xCE, 0x71, 0};

void DrawingUnneeded(const tagObject& character) { GLBitmapRenderer::DropEverywhere(&character); }
void PaintsChanged(const document&) { GLBitmapRenderer::DropAllEverywhere(); }

void MultiplyMatrix(const Matrix& m) {
    const double gl[16] = {m.scaleX / 65536.0, m.rotateSkew0 / 65536.0, 0, 0, m.rotateSkew1 / 65536.0,
                           m.scaleY / 65536.0, 0, 0, 0, 0, 1, 0, double(m.translateX), double(m.translateY), 0, 1};
    gl::multMatrixd(gl);
}

// The matrices of the parent's ancestors from the top level down, then the parent's own.
void ParentMatrices(const NameTree& tree, u32 parent) {
    u32 chain[kMaxDisplayLevel + 1];
    u32 count = 0;
    for (u32 at = parent; at != kNoEntry && count <= kMaxDisplayLevel; at = tree.Entry(at).parent) chain[count++] = at;
    while (count) MultiplyMatrix(tree.Entry(chain[--count]).matrix);
}

Cxform EntryCxform(const NameTree& tree, const NameTreeEntry& entry) {
    Cxform combined = entry.cxform;
    u32 levels = 0;
    for (u32 at = entry.parent; at != kNoEntry && levels++ <= kMaxDisplayLevel; at = tree.Entry(at).parent)
        combined = draw::CombineCxform(combined, tree.Entry(at).cxform);
    return combined;
}

void DrawCharacter(GLBitmapRenderer& renderer, const tagObject& character, const draw::PaintContext& context) {
    plat::gl::Tessellator* tessellator = renderer.Tessellator();
    if (!tessellator) return;
    const bool outline = context.flags & draw::kRenderOutline;
    if (context.flags & (draw::kRenderSilhouette | draw::kRenderOutline)) {
        draw::ShapeMesh mesh;
        draw::BuildCharacterMesh(*tessellator, character, outline, Rgba{0, 0, 0, 255}, mesh);
        draw::DrawMesh(mesh, context);
        return;
    }
    auto* compiled = static_cast<draw::CompiledCharacter*>(renderer.Compiled(&character));
    if (!compiled) {
        draw::ShapeMesh mesh;
        draw::BuildCharacterMesh(*tessellator, character, false, Rgba{}, mesh);
        compiled = static_cast<draw::CompiledCharacter*>(
            renderer.Keep(&character, draw::CompiledCharacter::Compile(mesh)));
    }
    compiled->Replay(context);
}

}  // namespace

Result player::Render(GLBitmapRenderer& renderer, u32 flags) {
    SetCharacterHooks(DrawingUnneeded, PaintsChanged);
    if (renderer.BeginDrawing() != kGlOk) return kErrNoContext;
    const NameTree& tree = DisplayList();
    draw::PaintContext context;
    context.flags = flags;
    context.root = &Document();
    context.maxTextureSize = renderer.MaxTextureSize();

    gl::pushMatrix();
    if (tree.background.alpha != 0) {
        const Rect& frame = Document().frameRect;
        gl::color4ub(kKeyColour.red, kKeyColour.green, kKeyColour.blue, kKeyColour.alpha);
        gl::recti(frame.xMin, frame.yMin, frame.xMax, frame.yMax);
    }
    bool first = true;
    u32 parent = kNoEntry;
    for (u32 index = tree.Last(); index != kNoEntry; index = tree.Entry(index).previous) {
        const NameTreeEntry& entry = tree.Entry(index);
        if (first || entry.parent != parent) {
            gl::popMatrix();
            gl::pushMatrix();
            ParentMatrices(tree, entry.parent);
            parent = entry.parent;
            first = false;
        }
        if ((entry.kind != kEntryShape && entry.kind != kEntryText) || !entry.character) continue;
        gl::pushMatrix();
        gl::translated(0, 0, entry.depth);
        MultiplyMatrix(entry.matrix);
        // Silhouettes are plain black and outlines plain lines: neither takes colour transforms.
        context.cxform = flags & (draw::kRenderSilhouette | draw::kRenderOutline) ? Cxform{} : EntryCxform(tree, entry);
        context.bounds = entry.character->GetBounds();
        DrawCharacter(renderer, *entry.character, context);
        gl::popMatrix();
    }
    gl::popMatrix();
    gl::flush();
    return renderer.EndDrawing() == kGlOk ? kOk : kErrNoContext;
}

}  // namespace swf
