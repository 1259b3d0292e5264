#include "media/objects/FlashMovie.h"

#include <algorithm>

#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "engine/regions/Regions.h"
#include "media/objects/MediaPlacement.h"
#include "media/objects/RFlash.h"
#include "media/swf/Document.h"
#include "media/swf/Movie.h"
#include "media/swfgl/FlashFramePlayer.h"
#include "platform/clock/Clock.h"

namespace {

constexpr u32 kMillisTimesOne = 65536000;
constexpr i32 kTwipsPerPixel = 20;

FlashMovie* movieOf(SprSprite* sprite) { return sprite ? reinterpret_cast<FlashMovie*>(sprite->data1) : nullptr; }

Rect16 sizedAt(i16 left, i16 top, i32 width, i32 height) {
    return {left, top, i16(left + width), i16(top + height)};
}

i16 optionSize(u32 option, u32 shift) { return i16((option >> shift) & kOptionSizeMask); }

}  // namespace

u32 FlashFrameDuration(u32 rate) { return rate == 0 ? 0 : std::max<u32>(1, kMillisTimesOne / rate); }

FlashMovie::~FlashMovie() {
    if (object_ && object_->Media() == this) object_->SetMedia(nullptr);
    // A removal during a screen update waits for its end: the sprite must not reach us then.
    if (SprSprite* sprite = sprFind(sprite_)) sprite->data1 = 0;
    if (sprite_) sprRemoveById(sprite_, 1, 1);
}

void FlashMovie::ObjectGone() {
    object_ = nullptr;
    playing_ = 0;
    sounds_.Stop();
    open_ = 0;
    if (SprSprite* sprite = sprFind(sprite_)) sprite->data1 = 0;
    if (sprite_) sprRemoveById(sprite_, 1, 1);
    sprite_ = 0;
}

void FlashMovie::MarkDirty() const {
    Rect16 shown = displayRect_;
    if (rectIntersect(&shown, owner_->area())) sprInvalRect(shown);
}

void FlashMovie::Rebuild() {
    if (!holder_) return;
    const u16 frame = holder_->Current();
    holder_->flipH = flipH_ ? 1 : 0;
    holder_->flipV = flipV_ ? 1 : 0;
    holder_->Build(i16(displayRect_.right - displayRect_.left), i16(displayRect_.bottom - displayRect_.top));
    holder_->SetCurrent(frame);
    redrawPending_ = 1;
    MarkDirty();
}

FlashMovie* FlashMovieLoad(RFlash* owner, std::span<const u8> bytes, Ostrel::RPageObject* object, bool makeSprite) {
    if (!owner || !object) return nullptr;
    if (auto* existing = dynamic_cast<FlashMovie*>(object->Media())) return existing;
    swf::document doc;
    if (bytes.empty() || bytes.size() > 0xFFFFFFFFu ||
        swf::LoadMovieFromMemory(doc, bytes.data(), u32(bytes.size())) != swf::kOk)
        return nullptr;
    // A movie's own frame beyond what a page shows is cut down to that; one without pixels
    // shows nothing and is refused.
    const i32 width = std::min<i32>((doc.frameRect.xMax - doc.frameRect.xMin) / kTwipsPerPixel, kFlashMaxSide);
    const i32 height = std::min<i32>((doc.frameRect.yMax - doc.frameRect.yMin) / kTwipsPerPixel, kFlashMaxSide);
    if (width <= 0 || height <= 0) return nullptr;

    auto made = std::unique_ptr<FlashMovie>(new FlashMovie(owner));
    FlashMovie* movie = made.get();
    movie->object_ = object;
    movie->open_ = 1;
    movie->frameRect_ = sizedAt(0, 0, width, height);
    const u32 option = object->option;
    if (optionSize(option, kOptionWidthShift) || optionSize(option, kOptionHeightShift))
        movie->frameRect_ = sizedAt(0, 0, std::max<i16>(1, optionSize(option, kOptionWidthShift)),
                                    std::max<i16>(1, optionSize(option, kOptionHeightShift)));
    // An object without a place of its own shows centred at the movie's size; one lying off
    // the area at the area's corner.
    const Ostrel::PageRect& place = object->rect;
    Rect16 display = owner->ToScreen(place);
    Rect16 inside = display;
    if (place.right <= place.left || place.bottom <= place.top) {
        display = centredInArea(owner->area(), movie->frameRect_.right, movie->frameRect_.bottom);
        object->rect = owner->ToPage(display);
    } else if (!rectIntersect(&inside, owner->area())) {
        display = sizedAt(owner->area().left, owner->area().top, place.right - place.left, place.bottom - place.top);
        object->rect = owner->ToPage(display);
    }
    movie->displayRect_ = display;
    // A movie whose pictures live in sprites (a page's own movie) moves while its root stays on
    // one frame: it has as many frames as its timelines take to come round together.
    movie->frameCount_ = u16(FlashFramePlayer::LoopFrames(doc, kFlashMaxFrames));
    movie->frameDuration_ = movie->frameCount_ > 1 ? FlashFrameDuration(doc.frameRate) : 0;
    const u16 flips = u16((option >> kOptionFlipShift) & 3);
    movie->flipH_ = (flips & kFlipHorizontal) ? -1 : 0;
    movie->flipV_ = (flips & kFlipVertical) ? -1 : 0;

    movie->holder_ = std::make_unique<FlashQTMovie>();
    movie->holder_->WriteTemporary(bytes);
    movie->sounds_.Open(bytes);
    movie->Rebuild();
    if (makeSprite) {
        const Point16 at{display.left, display.top};
        movie->sprite_ = sprNewWithProcs(0, 0, &at, nullptr, &FlashMovie::Step, &FlashMovie::DrawSprite);
        if (SprSprite* sprite = sprFind(movie->sprite_)) {
            sprite->data1 = reinterpret_cast<uintptr_t>(movie);
            sprite->bounds = display;
            rectIntersect(&sprite->bounds, owner->area());
            sprite->nextStepTime = kFlashParked;
        } else {
            movie->sprite_ = 0;
        }
    }
    object->SetMedia(movie);
    owner->movies_.push_back(std::move(made));
    return movie;
}

void FlashMovie::Step(SprSprite* sprite, memHandle region) {
    FlashMovie* movie = movieOf(sprite);
    const SprScreen* screen = sprScreen();
    if (!movie || !movie->open_ || !screen || sprite->hideCount > 0) return;
    bool moved = false;
    const u32 due = movie->frameDuration_;
    if (movie->playing_ && due && i32(screen->currentTime - sprite->nextStepTime) >= 0) {
        // Frames missed by a late update are skipped, not played faster.
        const u32 frames = 1 + (screen->currentTime - sprite->nextStepTime) / due;
        if (movie->holder_) movie->holder_->SetCurrent(movie->holder_->Current() + frames);
        movie->sounds_.Advance(frames);
        movie->framesShown_ = u16(movie->framesShown_ + frames);
        sprite->nextStepTime += frames * due;
        moved = true;
    }
    if (!moved && !movie->redrawPending_) return;
    movie->redrawPending_ = 0;
    Rect16 shown = movie->displayRect_;
    if (!rectIntersect(&shown, movie->owner_->area())) return;
    sprite->bounds = shown;
    rgnUnionRect(region, shown);
}

void FlashMovie::DrawSprite(SprSprite* sprite) {
    if (FlashMovie* movie = movieOf(sprite)) movie->owner_->Draw(movie, nullptr, nullptr);
}

void FlashMoviePlay(FlashMovie* movie, FlashSounds sounds) {
    if (!movie || !movie->open_) return;
    SprSprite* sprite = sprFind(movie->sprite_);
    if (!sprite) return;
    if (sounds == FlashSounds::Heard) movie->sounds_.Start();
    movie->playing_ = 1;
    movie->redrawPending_ = 1;
    sprite->nextStepTime = movie->frameDuration_ ? plat::clockMillis() + movie->frameDuration_ : kFlashParked;
}

void FlashMoviePause(FlashMovie* movie) {
    if (!movie || !movie->open_) return;
    movie->framesShown_ = 0;
    if (movie->holder_) movie->holder_->SetCurrent(0);
    movie->sounds_.Stop();
    movie->redrawPending_ = 1;
}

void FlashMovieStop(FlashMovie* movie) {
    if (!movie) return;
    movie->playing_ = 0;
    movie->framesShown_ = 0;
    movie->sounds_.Stop();
    if (SprSprite* sprite = sprFind(movie->sprite_)) sprite->nextStepTime = kFlashParked;
}

u16 FlashMovieStep(FlashMovie* movie) {
    if (!movie || !movie->open_) return kFlashNoMovie;
    if (movie->holder_) movie->holder_->SetCurrent(u32(movie->holder_->Current()) + 1);
    movie->redrawPending_ = 1;
    movie->MarkDirty();
    return 0;
}

bool FlashMovieGetTiming(const FlashMovie* movie, u32* milliseconds, u16* frames) {
    if (!movie) return false;
    if (milliseconds) *milliseconds = movie->frameDuration_;
    if (frames) *frames = movie->frameCount_;
    return movie->frameCount_ > 1;
}

Rect16 FlashMovieGetBitmapBounds(const FlashMovie* movie) {
    return movie && movie->open() ? movie->frameRect() : Rect16{0, 0, 0, 0};
}

Rect16 FlashMovieGetBounds(const FlashMovie* movie) {
    return movie && movie->open() ? movie->displayRect() : Rect16{0, 0, 0, 0};
}

void FlashMovieSetBounds(FlashMovie* movie, const Rect16& rect) {
    if (!movie) return;
    movie->MarkDirty();
    movie->displayRect_ = rect;
    if (SprSprite* sprite = sprFind(movie->sprite_)) {
        sprite->position = Point16{rect.left, rect.top};
        sprite->bounds = rect;
        rectIntersect(&sprite->bounds, movie->owner_->area());
    }
    if (movie->object_) movie->object_->rect = movie->owner_->ToPage(rect);
    movie->redrawPending_ = 1;
    movie->MarkDirty();
}
