#include "media/swfgl/FlashFramePlayer.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "media/swf/Movie.h"

namespace {

constexpr i32 kTwipsPerPixel = 20;

bool due(const swf::movie& timeline, u32 now) {
    return timeline.nextFrameTime != 0 && i32(now - timeline.nextFrameTime) >= 0;
}

// The timelines due, each before its sprites.
void collectDue(swf::movie& timeline, u32 now, std::vector<swf::movie*>* found) {
    if (due(timeline, now)) found->push_back(&timeline);
    for (swf::movie* child = timeline.FirstChild(); child; child = child->NextSibling()) collectDue(*child, now, found);
}

// Sprites placed and playing that have not played a frame yet, each before its own sprites.
void collectNew(swf::movie& timeline, std::vector<swf::movie*>* found) {
    if (timeline.Parent() && timeline.CurrentFrame() == 0 && timeline.nextFrameTime != 0) found->push_back(&timeline);
    for (swf::movie* child = timeline.FirstChild(); child; child = child->NextSibling()) collectNew(*child, found);
}

u64 loopOf(const swf::document& movie, u64 most) {
    u64 frames = std::max<u16>(movie.frameCount, 1);
    for (const swf::document* sprite = movie.FirstChild(); sprite && frames < most; sprite = sprite->NextSibling())
        frames = std::min(most, std::lcm(frames, loopOf(*sprite, most)));
    return std::min(frames, most);
}

}  // namespace

std::unique_ptr<FlashFramePlayer> FlashFramePlayer::Open(std::span<const u8> movie, i32 width, i32 height,
                                                         FlashFrameUse use) {
    std::unique_ptr<FlashFramePlayer> playback(new FlashFramePlayer());
    if (width <= 0 || height <= 0 || movie.empty() || movie.size() > 0xFFFFFFFFu ||
        swf::LoadMovieFromMemory(playback->document_, movie.data(), u32(movie.size())) != swf::kOk)
        return nullptr;
    playback->use_ = use;
    playback->player_ = std::make_unique<swf::player>(playback->document_, nullptr);
    // Frames drawn ahead are not heard: the page plays the movie's sounds when it shows them.
    if (use == FlashFrameUse::Ahead) playback->player_->options |= swf::kPlayerSilent;
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

u32 FlashFramePlayer::LoopFrames(const swf::document& movie, u32 most) { return u32(loopOf(movie, std::max(most, 1u))); }

bool FlashFramePlayer::Draw() {
    if (use_ == FlashFrameUse::Ahead)
        for (i32 y = 0; y < picture_->height(); ++y) picture_->fillSpan(y, 0, picture_->width(), kKeyPixel);
    return player_->Render(*renderer_, 0) == swf::kOk;
}

bool FlashFramePlayer::DrawNext() {
    if (player_->AdvanceFrame() != swf::kOk) return false;
    return Draw();
}

void FlashFramePlayer::ShowNewSprites() {
    // A sprite's first frame may place sprites of its own; each is stepped once.
    std::vector<swf::movie*> shown;
    for (;;) {
        std::vector<swf::movie*> placed;
        collectNew(*player_, &placed);
        std::erase_if(placed, [&](swf::movie* t) { return std::find(shown.begin(), shown.end(), t) != shown.end(); });
        if (placed.empty()) return;
        for (swf::movie* timeline : placed) {
            if (!player_->Live(timeline) || timeline->CurrentFrame() != 0) continue;
            shown.push_back(timeline);
            // It stays due one frame after its placing, as the placing set it.
            if (timeline->AdvanceFrame() != swf::kOk && player_->Live(timeline)) timeline->nextFrameTime = 0;
        }
    }
}

bool FlashFramePlayer::PlayUntil(u32 nowMs) {
    player_->clock = nowMs;
    if (!started_) {
        started_ = true;
        // A movie of frames plays on unless its first frame stops it; one of a single frame
        // stays on it (its sprites play on), its sounds started once.
        if (document_.frameCount > 1) player_->nextFrameTime = nowMs + std::max<u32>(FrameMs(), 1);
        if (player_->AdvanceFrame() != swf::kOk) return false;
        ShowNewSprites();
        return Draw();
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
    ShowNewSprites();
    return Draw();
}
