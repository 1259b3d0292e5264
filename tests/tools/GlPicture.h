#pragma once
// An OpenGL renderer bound to a test's picture the way the canvas binds the program's one to
// its own: over the picture's memory, its view the picture's pixels, with smooth shading.
// Renderer() is null when no GL context could be made (plat::gl::Context::refuse).
#include <memory>

#include "engine/gfx/gl/GLBitmapRenderer.h"
#include "platform/gdi/DeviceContext.h"
#include "tools/base/PixelView.h"

namespace tooltest {

class GlPicture {
public:
    explicit GlPicture(const PixelView& view) {
        const bool downwards = view.rowStep >= 0;
        u8* lowest = downwards ? view.top : view.top + (view.height - 1) * view.rowStep;
        surface_ = plat::gdi::Surface::wrap(lowest, view.width, view.height, 16, i32(downwards ? view.rowStep : -view.rowStep),
                                            downwards ? plat::gdi::RowOrder::TopDown : plat::gdi::RowOrder::BottomUp);
        if (surface_) dc_ = plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Memory, *surface_);
        if (!dc_ || renderer_.Attach(dc_.get(), u32(view.width), u32(view.height), 0, 0, view.width, view.height) != kGlOk) return;
        renderer_.SetView(GlViewRect{0, 0, view.width, view.height});
        renderer_.SelectSmoothShading();
        bound_ = true;
    }
    GLBitmapRenderer* Renderer() { return bound_ ? &renderer_ : nullptr; }

private:
    std::unique_ptr<plat::gdi::Surface> surface_;
    std::unique_ptr<plat::gdi::DeviceContext> dc_;
    GLBitmapRenderer renderer_{16};
    bool bound_ = false;
};

}  // namespace tooltest
