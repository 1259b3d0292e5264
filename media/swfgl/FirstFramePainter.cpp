#include "media/swfgl/FirstFramePainter.h"

#include <algorithm>
#include <cstring>

#include "document/storage/PageErrors.h"
#include "document/storage/StorageErrors.h"
#include "engine/gfx/gl/GLBitmapRenderer.h"
#include "media/swf/Document.h"
#include "media/swf/Movie.h"
#include "media/swf/Player.h"
#include "platform/gdi/Color.h"
#include "platform/gdi/DeviceContext.h"

namespace swf::draw {

namespace {

// The colour the player paints a movie's own background in, and that no pixel keeps here.
constexpr u16 kKeyPixel = plat::gdi::rgbTo555(plat::gdi::Rgb{0x39, 0xCE, 0x71});

u8* rowOf(const GfxPixelDescriptor& target, i32 y, i32 height) {
    return target.rowStep >= 0 ? target.base + y * target.rowStep : target.base + (height - 1 - y) * -target.rowStep;
}

}  // namespace

EngineErr PaintFirstFrame(const GfxPixelDescriptor& target, std::span<const u8> movie, const Rect16& place) {
    const i32 width = i32(place.right) - place.left, height = i32(place.bottom) - place.top;
    if (width <= 0 || height <= 0 || target.depth != 16 || !target.base) return kDocErrBadRect;
    document doc;
    if (movie.size() > 0xFFFFFFFFu || LoadMovieFromMemory(doc, movie.data(), u32(movie.size())) != kOk)
        return kDocErrNotReadable;
    player frames(doc, nullptr);
    if (frames.AdvanceFrame() != kOk) return kDocErrNotReadable;

    auto picture = plat::gdi::Surface::create(width, height, 16);
    if (!picture) return kDocErrBadSize;
    for (i32 y = 0; y < height; ++y) picture->fillSpan(y, 0, width, kKeyPixel);
    auto dc = plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Memory, *picture);
    GLBitmapRenderer renderer(16);
    if (!dc || renderer.Attach(dc.get(), u32(width), u32(height), 0, 0, width, height) != kGlOk)
        return kDocErrNoVectorRenderer;
    const Rect& frame = doc.frameRect;
    renderer.SetView(GlViewRect{frame.xMin, frame.yMin, frame.xMax, frame.yMax});
    if (frames.Render(renderer, 0) != kOk) return kDocErrNoVectorRenderer;

    const i32 portWidth = target.bounds.right - target.bounds.left;
    const i32 portHeight = target.bounds.bottom - target.bounds.top;
    const i32 x0 = std::max<i32>(place.left, 0), x1 = std::min<i32>(place.right, portWidth);
    const i32 y0 = std::max<i32>(place.top, 0), y1 = std::min<i32>(place.bottom, portHeight);
    for (i32 y = y0; y < y1; ++y) {
        const u8* from = picture->row(y - place.top);
        u8* to = rowOf(target, y, portHeight);
        for (i32 x = x0; x < x1; ++x) {
            u16 pixel = 0;
            std::memcpy(&pixel, from + 2 * (x - place.left), 2);
            if (pixel != kKeyPixel) std::memcpy(to + 2 * x, &pixel, 2);
        }
    }
    return kErrNone;
}

}  // namespace swf::draw
