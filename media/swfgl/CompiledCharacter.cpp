#include "media/swfgl/CompiledCharacter.h"

#include "platform/gl/Gl.h"

namespace swf::draw {

namespace gl = plat::gl;

namespace {

void Emit(const ShapeMesh& mesh, const MeshPart& part) {
    for (u32 p = part.firstPrimitive; p < part.firstPrimitive + part.primitiveCount; ++p) {
        const plat::gl::TessPrimitive& primitive = mesh.primitives[p];
        gl::begin(primitive.type);
        for (u32 v = primitive.first; v < primitive.first + primitive.count; ++v)
            gl::vertex2i(mesh.vertices[v].x, mesh.vertices[v].y);
        gl::end();
    }
}

}  // namespace

std::unique_ptr<CompiledCharacter> CompiledCharacter::Compile(const ShapeMesh& mesh) {
    auto compiled = std::make_unique<CompiledCharacter>();
    for (const MeshPart& part : mesh.parts) {
        const u32 list = gl::genLists(1);
        if (list == 0) continue;
        gl::newList(list);
        Emit(mesh, part);
        gl::endList();
        compiled->lists.push_back(list);
        compiled->parts.push_back(Part{part, list, {}});
    }
    return compiled;
}

void CompiledCharacter::Replay(const PaintContext& context) const {
    for (const Part& part : parts) {
        const u32 texture = SetPaint(part.paint, context, &part.bitmap);
        gl::callList(part.list);
        EndPaint(texture);
    }
}

void DrawMesh(const ShapeMesh& mesh, const PaintContext& context) {
    for (const MeshPart& part : mesh.parts) {
        const u32 texture = SetPaint(part, context);
        Emit(mesh, part);
        EndPaint(texture);
    }
}

}  // namespace swf::draw
