#include "media/swfgl/FlashFramePainter.h"

#include <algorithm>
#include <cstring>

#include "document/storage/PageErrors.h"
#include "document/storage/StorageErrors.h"
#include "media/swf/Movie.h"

namespace swf::draw {

namespace {

u8* rowOf(const GfxPixelDescriptor& target, i32 y, i32 height) {
    return target.rowStep >= 0 ? target.base + y * target.rowStep : target.base + (height - 1 - y) * -target.rowStep;
}

}  // namespace

std::unique_ptr<FlashFramePainter> FlashFramePainter::Open(std::span<const u8> movie, i32 width, i32 height,
                                                           EngineErr* error) {
    *error = kDocErrBadRect;
    if (width <= 0 || height <= 0) return nullptr;
    std::unique_ptr<FlashFramePainter> painter(new FlashFramePainter());
    *error = kDocErrNotReadable;
    if (movie.size() > 0xFFFFFFFFu || LoadMovieFromMemory(painter->document_, movie.data(), u32(movie.size())) != kOk)
        return nullptr;
    painter->player_ = std::make_unique<player>(painter->document_, nullptr);
    // The frames are pictures: the movie's sounds are not heard while they are drawn.
    painter->player_->options |= kPlayerSilent;
    *error = kDocErrBadSize;
    painter->picture_ = plat::gdi::Surface::create(width, height, 16);
    if (!painter->picture_) return nullptr;
    *error = kDocErrNoVectorRenderer;
    painter->context_ = plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Memory, *painter->picture_);
    painter->renderer_ = std::make_unique<GLBitmapRenderer>(16);
    if (!painter->context_ ||
        painter->renderer_->Attach(painter->context_.get(), u32(width), u32(height), 0, 0, width, height) != kGlOk)
        return nullptr;
    const Rect& frame = painter->document_.frameRect;
    painter->renderer_->SetView(GlViewRect{frame.xMin, frame.yMin, frame.xMax, frame.yMax});
    painter->width_ = width;
    painter->height_ = height;
    *error = kErrNone;
    return painter;
}

FlashFramePainter::~FlashFramePainter() {
    // The drawings the renderer compiled refer to the movie's characters.
    renderer_.reset();
    player_.reset();
}

EngineErr FlashFramePainter::Play() {
    // After its last frame the movie starts again, as a page plays it.
    const bool ended = player_->CurrentFrame() >= std::max<u16>(document_.frameCount, 1);
    if ((ended ? player_->GotoFrame(1) : player_->AdvanceFrame()) != kOk) return kDocErrNotReadable;
    for (i32 y = 0; y < height_; ++y) picture_->fillSpan(y, 0, width_, kFlashUncoveredPixel);
    return player_->Render(*renderer_, 0) == kOk ? kErrNone : kDocErrNoVectorRenderer;
}

EngineErr FlashFramePainter::PaintOver(const GfxPixelDescriptor& target, const Rect16& place) const {
    if (target.depth != 16 || !target.base || i32(place.right) - place.left != width_ ||
        i32(place.bottom) - place.top != height_)
        return kDocErrBadRect;
    const i32 portWidth = target.bounds.right - target.bounds.left;
    const i32 portHeight = target.bounds.bottom - target.bounds.top;
    const i32 x0 = std::max<i32>(place.left, 0), x1 = std::min<i32>(place.right, portWidth);
    const i32 y0 = std::max<i32>(place.top, 0), y1 = std::min<i32>(place.bottom, portHeight);
    for (i32 y = y0; y < y1; ++y) {
        const u8* from = picture_->row(y - place.top);
        u8* to = rowOf(target, y, portHeight);
        for (i32 x = x0; x < x1; ++x) {
            u16 pixel = 0;
            std::memcpy(&pixel, from + 2 * (x - place.left), 2);
            if (pixel != kFlashUncoveredPixel) std::memcpy(to + 2 * x, &pixel, 2);
        }
    }
    return kErrNone;
}

}  // namespace swf::draw
