#include "tools/base/GlDab.h"

#include <algorithm>

#include "engine/gfx/gl/GLBitmapRenderer.h"
#include "platform/gl/Gl.h"

namespace gl = plat::gl;

namespace {

// From the upper left and in front (eye space: x right, y up, z towards the viewer).
constexpr float kLightDirection[3] = {-0.45f, 0.55f, 0.7f};
constexpr float kAmbient = 0.38f, kDiffuse = 0.72f, kSpecular = 0.55f, kSharpness = 36;
constexpr uint32_t kLitState[] = {gl::kScissorTest, gl::kDepthTest, gl::kLighting, gl::kLight0, gl::kColorMaterial,
                                  gl::kNormalize};

u8 widen(u8 five) { return u8((five << 3) | (five >> 2)); }

}  // namespace

GlDab::GlDab(ToolCanvas& canvas, const Rect16& box) : canvas_(canvas) {
    const PixelView& picture = canvas.Picture();
    box_ = Rect16{std::max<i16>(box.left, 0), std::max<i16>(box.top, 0), std::min(box.right, picture.width),
                  std::min(box.bottom, picture.height)};
    GLBitmapRenderer* renderer = canvas.Renderer();
    if (!renderer || rectIsEmpty(box_)) return;
    if (renderer->BeginDrawing(plat::gdi::Rect{box_.left, box_.top, box_.right, box_.bottom}) != kGlOk) return;
    renderer_ = renderer;
    gl::scissor(box_.left, picture.height - box_.bottom, box_.right - box_.left, box_.bottom - box_.top);
    for (uint32_t capability : kLitState) gl::enable(capability);
    gl::clearDepth();
    gl::shadeModelSmooth();
    gl::directionalLight(kLightDirection, kAmbient, kDiffuse, kSpecular);
    gl::shininess(kSpecular, kSharpness);
}

GlDab::~GlDab() {
    if (!renderer_) return;
    for (uint32_t capability : kLitState) gl::disable(capability);
    gl::disableTexturing();
    renderer_->EndDrawing(plat::gdi::Rect{box_.left, box_.top, box_.right, box_.bottom});
    canvas_.MarkChanged(box_);
}

void GlDab::Colour(u16 pixel) { gl::color4ub(widen(rgb555Red(pixel)), widen(rgb555Green(pixel)), widen(rgb555Blue(pixel)), 255); }
