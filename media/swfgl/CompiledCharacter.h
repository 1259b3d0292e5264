#pragma once
// A character's drawing as a renderer keeps it: one GL list of geometry per part, compiled once,
// with the part's paint set anew at every replay, so that each instance shows its own colour
// transform and a fade changes from frame to frame. Kept by the renderer under the character's
// address; dropped when the character leaves its document or a colour table changes.
#include "engine/gfx/gl/GLBitmapRenderer.h"
#include "media/swfgl/Paint.h"

namespace swf::draw {

class CompiledCharacter : public GlCompiled {
public:
    struct Part {
        MeshPart paint;
        u32 list = 0;
        mutable DecodedBitmap bitmap;
    };

    // Compiles every part of the mesh; parts whose list could not be made are left out.
    static std::unique_ptr<CompiledCharacter> Compile(const ShapeMesh& mesh);
    void Replay(const PaintContext& context) const;

    std::vector<Part> parts;
};

// Sends the primitives of the mesh's parts to GL, each part with its paint.
void DrawMesh(const ShapeMesh& mesh, const PaintContext& context);

}  // namespace swf::draw
