#include "media/export/FlashFramePlayer.h"

#include "media/quicktime/TwipsRects.h"
#include "media/swf/Movie.h"

std::unique_ptr<FlashFramePlayer> FlashFramePlayer::Open(std::span<const u8> movie, i32 width, i32 height) {
    std::unique_ptr<FlashFramePlayer> playback(new FlashFramePlayer());
    if (width <= 0 || height <= 0 || movie.empty() || movie.size() > 0xFFFFFFFFu ||
        swf::LoadMovieFromMemory(playback->document_, movie.data(), u32(movie.size())) != swf::kOk)
        return nullptr;
    playback->player_ = std::make_unique<swf::player>(playback->document_, nullptr);
    playback->picture_ = plat::gdi::Surface::create(width, height, 16);
    if (!playback->picture_) return nullptr;
    playback->context_ =
        plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Memory, *playback->picture_);
    playback->renderer_ = std::make_unique<GLBitmapRenderer>(16);
    if (!playback->context_ ||
        playback->renderer_->Attach(playback->context_.get(), u32(width), u32(height), 0, 0, width, height) != kGlOk)
        return nullptr;
    const swf::Rect& frame = playback->document_.frameRect;
    playback->renderer_->SetView(GlViewRect{frame.xMin, frame.yMin, frame.xMax, frame.yMax});
    return playback;
}

FlashFramePlayer::~FlashFramePlayer() {
    // The drawings the renderer compiled refer to the movie's characters.
    renderer_.reset();
    player_.reset();
}

bool FlashFramePlayer::FrameSize(std::span<const u8> movie, i32* width, i32* height) {
    swf::document document;
    if (movie.empty() || movie.size() > 0xFFFFFFFFu ||
        swf::LoadMovieFromMemory(document, movie.data(), u32(movie.size())) != swf::kOk)
        return false;
    *width = (document.frameRect.xMax - document.frameRect.xMin) / kTwipsPerPixel;
    *height = (document.frameRect.yMax - document.frameRect.yMin) / kTwipsPerPixel;
    return *width > 0 && *height > 0;
}

bool FlashFramePlayer::DrawNext() {
    if (player_->AdvanceFrame() != swf::kOk) return false;
    return player_->Render(*renderer_, 0) == swf::kOk;
}
