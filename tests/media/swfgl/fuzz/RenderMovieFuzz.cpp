// Draws whatever loads as a movie, frame after frame, filled, as a silhouette and as outlines,
// into a small 16-bit picture: every shape, glyph run and paint the input describes goes through
// the tessellator and the paints. Nothing may crash, hang or touch freed memory.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/gfx/gl/GLBitmapRenderer.h"
#include "media/swf/Document.h"
#include "media/swf/Movie.h"
#include "media/swf/Player.h"
#include "platform/gdi/DeviceContext.h"

// Mesa's OSMesa keeps a few small records of every context made current until the process ends.
extern "C" const char* __lsan_default_suppressions() { return "leak:libOSMesa.so\n"; }

namespace {

constexpr int kFrames = 6;
constexpr i32 kWidth = 48, kHeight = 32;

struct Target {
    Target() {
        picture = plat::gdi::Surface::create(kWidth, kHeight, 16);
        dc = plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Memory, *picture);
        renderer.Attach(dc.get(), kWidth, kHeight, 0, 0, kWidth, kHeight);
    }
    std::unique_ptr<plat::gdi::Surface> picture;
    std::unique_ptr<plat::gdi::DeviceContext> dc;
    GLBitmapRenderer renderer{16};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0xFFFFFFFFu) return 0;
    static Target target;
    swf::document movie;
    if (swf::LoadMovieFromMemory(movie, data, u32(size)) != swf::kOk) return 0;
    swf::player p(movie, nullptr);
    p.stepBudget = 1 << 12;
    const swf::Rect& frame = movie.frameRect;
    target.renderer.SetView(GlViewRect{frame.xMin, frame.yMin, frame.xMax, frame.yMax});
    for (int step = 0; step < kFrames; ++step) {
        p.AdvanceFrame();
        p.Render(target.renderer, u32(step % 3 == 0 ? 0 : 1u << (step % 3)));
    }
    return 0;
}
