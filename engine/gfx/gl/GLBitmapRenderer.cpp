#include "engine/gfx/gl/GLBitmapRenderer.h"

#include <algorithm>

#include "platform/gl/Gl.h"

namespace {

// Never destroyed: a renderer kept in a static (the shared one) may be destroyed at exit after
// a record made later than it would be, and still takes itself off.
std::vector<GLBitmapRenderer*>& liveRenderers() {
    static auto* renderers = new std::vector<GLBitmapRenderer*>;
    return *renderers;
}

}  // namespace

GLBitmapRenderer::GLBitmapRenderer(u16 colourDepth)
    : colourDepth_(colourDepth), tessellator_(plat::gl::Tessellator::create()) {
    liveRenderers().push_back(this);
}

GLBitmapRenderer::~GLBitmapRenderer() {
    ReleaseContext();
    auto& live = liveRenderers();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

u16 GLBitmapRenderer::Attach(plat::gdi::DeviceContext* dc, u32 width, u32 height, i32 left, i32 top, i32 right,
                             i32 bottom) {
    plat::gdi::Surface* picture = dc ? dc->surface() : nullptr;
    if (dc != dc_ || !context_ || u32(context_->width()) != width || u32(context_->height()) != height) {
        ReleaseContext();
        if (!picture || picture->bitsPerPixel() != colourDepth_ || u32(picture->width()) != width ||
            u32(picture->height()) != height)
            return Fail();
        context_ = plat::gl::Context::create(i32(width), i32(height));
        if (!context_) return Fail();
        dc_ = dc;
    }
    if (MakeCurrent() != kGlOk) {
        ReleaseContext();
        return Fail();
    }
    maxTextureSize_ = plat::gl::maxTextureSize();
    plat::gl::viewport(left, i32(height) - bottom, right - left, bottom - top);
    Yield();
    return lastError_ = kGlOk;
}

void GLBitmapRenderer::ReleaseContext() {
    // The lists die with the context that named them.
    compiled_.clear();
    retired_.clear();
    context_.reset();
    dc_ = nullptr;
    maxTextureSize_ = 0;
}

void GLBitmapRenderer::SetView(const GlViewRect& view) {
    namespace gl = plat::gl;
    if (MakeCurrent() != kGlOk) return;
    const double width = double(view.right) - view.left, height = double(view.bottom) - view.top;
    gl::matrixMode(gl::kProjection);
    gl::loadIdentity();
    gl::ortho(0, width, 0, height, 0, 65535);
    gl::shadeModelFlat();
    gl::enable(gl::kLineSmooth);
    gl::enable(gl::kMap1Vertex3);
    gl::matrixMode(gl::kModelView);
    gl::loadIdentity();
    gl::translated(0, height, -65535);
    gl::scaled(1, -1, 1);
    gl::translated(-double(view.left), -double(view.top), 0);
    Yield();
}

void GLBitmapRenderer::SelectSmoothShading() {
    if (MakeCurrent() != kGlOk) return;
    plat::gl::shadeModelSmooth();
    Yield();
}

u16 GLBitmapRenderer::MakeCurrent() {
    if (!context_ || !context_->makeCurrent()) return Fail();
    DeleteRetired();
    return lastError_ = kGlOk;
}

u16 GLBitmapRenderer::BeginDrawing() {
    if (MakeCurrent() != kGlOk) return lastError_;
    return BeginDrawing(dc_->surface()->bounds());
}

u16 GLBitmapRenderer::EndDrawing() {
    if (MakeCurrent() != kGlOk) return lastError_;
    return EndDrawing(dc_->surface()->bounds());
}

u16 GLBitmapRenderer::BeginDrawing(const plat::gdi::Rect& area) {
    if (MakeCurrent() != kGlOk) return lastError_;
    if (!context_->loadFrom(*dc_->surface(), area)) {
        Yield();
        return Fail();
    }
    return kGlOk;
}

u16 GLBitmapRenderer::EndDrawing(const plat::gdi::Rect& area) {
    if (MakeCurrent() != kGlOk) return lastError_;
    const bool finished = context_->finishInto(*dc_->surface(), area);
    Yield();
    return finished ? kGlOk : Fail();
}

GlDescription GLBitmapRenderer::Describe() {
    namespace gl = plat::gl;
    if (!context_ || MakeCurrent() != kGlOk) return {};
    GlDescription description{gl::string(gl::kVendor), gl::string(gl::kRenderer), gl::string(gl::kVersion)};
    Yield();
    return description;
}

GlCompiled* GLBitmapRenderer::Compiled(const void* key) const {
    const auto found = compiled_.find(key);
    return found == compiled_.end() ? nullptr : found->second.get();
}

GlCompiled* GLBitmapRenderer::Keep(const void* key, std::unique_ptr<GlCompiled> drawing) {
    Drop(key);
    GlCompiled* kept = drawing.get();
    compiled_[key] = std::move(drawing);
    return kept;
}

void GLBitmapRenderer::Drop(const void* key) {
    const auto found = compiled_.find(key);
    if (found == compiled_.end()) return;
    Retire(*found->second);
    compiled_.erase(found);
}

void GLBitmapRenderer::DropAll() {
    for (auto& [key, drawing] : compiled_) Retire(*drawing);
    compiled_.clear();
}

void GLBitmapRenderer::DropEverywhere(const void* key) {
    for (GLBitmapRenderer* renderer : liveRenderers()) renderer->Drop(key);
}

void GLBitmapRenderer::DropAllEverywhere() {
    for (GLBitmapRenderer* renderer : liveRenderers()) renderer->DropAll();
}

void GLBitmapRenderer::Retire(GlCompiled& drawing) {
    retired_.insert(retired_.end(), drawing.lists.begin(), drawing.lists.end());
    drawing.lists.clear();
    if (context_ && context_->isCurrent()) DeleteRetired();
}

void GLBitmapRenderer::DeleteRetired() {
    for (u32 list : retired_) plat::gl::deleteLists(list, 1);
    retired_.clear();
}
