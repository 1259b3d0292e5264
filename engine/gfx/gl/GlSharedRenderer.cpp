#include "engine/gfx/gl/GlSharedRenderer.h"

#include <memory>

namespace {

constexpr u16 kCanvasDepth = 16;

std::unique_ptr<GLBitmapRenderer>& slot() {
    static std::unique_ptr<GLBitmapRenderer> renderer;
    return renderer;
}

}  // namespace

GLBitmapRenderer& glMakeSharedRenderer() {
    if (!slot()) slot() = std::make_unique<GLBitmapRenderer>(kCanvasDepth);
    return *slot();
}

GLBitmapRenderer* glSharedRenderer() { return slot().get(); }

void glReleaseSharedRenderer() {
    if (slot()) slot()->ReleaseContext();
    slot().reset();
}
