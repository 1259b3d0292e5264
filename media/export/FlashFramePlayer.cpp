#include "media/export/FlashFramePlayer.h"

#include <algorithm>
#include <vector>

#include "media/quicktime/TwipsRects.h"
#include "media/swf/Movie.h"

namespace {

bool due(const swf::movie& timeline, u32 now) {
    return timeline.nextFrameTime != 0 && i32(now - timeline.nextFrameTime) >= 0;
}

// The timelines due, each before its sprites.
void collectDue(swf::movie& timeline, u32 now, std::vector<swf::movie*>* found) {
    if (due(timeline, now)) found->push_back(&timeline);
    for (swf::movie* child = timeline.FirstChild(); child; child = child->NextSibling()) collectDue(*child, now, found);
}

}  // namespace

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

bool FlashFramePlayer::PlayUntil(u32 nowMs) {
    player_->clock = nowMs;
    if (!started_) {
        started_ = true;
        // A movie of frames plays on unless its first frame stops it; one of a single frame
        // stays on it (its sprites play on), its sounds started once.
        if (document_.frameCount > 1) player_->nextFrameTime = nowMs + std::max<u32>(FrameMs(), 1);
        return DrawNext();
    }
    std::vector<swf::movie*> stepping;
    collectDue(*player_, nowMs, &stepping);
    if (stepping.empty()) return false;
    for (swf::movie* timeline : stepping) {
        // A step before it may have removed it (its parent moved on), or stopped it.
        if (!player_->Live(timeline) || !due(*timeline, nowMs)) continue;
        const u32 was = timeline->nextFrameTime;
        // A timeline whose tags cannot be played stays where it is; the others play on.
        if (timeline->AdvanceFrame() != swf::kOk) timeline->nextFrameTime = 0;
        if (!player_->Live(timeline) || timeline->nextFrameTime != was) continue;
        // Behind by a whole frame (a busy machine), it keeps to the clock rather than hurry.
        const u32 frameMs = std::max<u32>(timeline->Document().FrameDurationMs(), 1);
        u32 next = i32(nowMs - was) >= i32(frameMs) ? nowMs + frameMs : was + frameMs;
        timeline->nextFrameTime = next ? next : 1;
    }
    return player_->Render(*renderer_, 0) == swf::kOk;
}
