#include "media/objects/MovieObj.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "engine/regions/Regions.h"
#include "media/objects/MediaPlacement.h"
#include "media/objects/RMovie.h"
#include "platform/clock/Clock.h"

namespace pm = plat::media;

namespace {

// How often a playing record asks to be looked at, and the steps its timing reports.
constexpr u32 kMovieFrameMs = 10;
constexpr u16 kMovieSteps = 1000;
constexpr u32 kMovieParked = 99999999;

MovieObj* recordOf(SprSprite* sprite) { return sprite ? reinterpret_cast<MovieObj*>(sprite->data1) : nullptr; }

}  // namespace

MovieObj* MovieObj::Create(RMovie* owner, MrMovie* movie, Ostrel::RPageObject* object, bool makeSprite) {
    // A movie without a time scale has no times to play or step through, and one without a
    // picture nothing to show.
    MrRect box{};
    if (movie) qtGetMovieBox(movie, &box);
    if (!owner || !object || !movie || qtGetMovieTimeScale(movie) <= 0 || box.right <= box.left ||
        box.bottom <= box.top) {
        qtDisposeMovie(movie);
        return nullptr;
    }
    auto made = std::unique_ptr<MovieObj>(new MovieObj(owner, movie));
    MovieObj* record = made.get();
    record->object_ = object;
    const Ostrel::PageRect& place = object->rect;
    Rect16 display = owner->ToScreen(place);
    Rect16 inside = display;
    if (place.right <= place.left || place.bottom <= place.top) {
        display = centredInArea(owner->area(), box.right - box.left, box.bottom - box.top);
        object->rect = owner->ToPage(display);
    } else if (!rectIntersect(&inside, owner->area())) {
        display = {owner->area().left, owner->area().top, i16(owner->area().left + place.right - place.left),
                   i16(owner->area().top + place.bottom - place.top)};
        object->rect = owner->ToPage(display);
    }
    record->displayRect_ = display;
    record->movieRect_ = {0, 0, i16(display.right - display.left), i16(display.bottom - display.top)};
    record->OpenMovie();
    if (makeSprite) {
        const Point16 at{display.left, display.top};
        record->sprite_ = sprNewWithProcs(0, 0, &at, nullptr, &MovieObj::Step, &MovieObj::DrawSprite);
        if (SprSprite* sprite = sprFind(record->sprite_)) {
            sprite->data1 = reinterpret_cast<uintptr_t>(record);
            sprite->bounds = display;
            rectIntersect(&sprite->bounds, owner->area());
            sprite->nextStepTime = kMovieParked;
        } else {
            record->sprite_ = 0;
        }
    }
    object->SetMedia(record);
    owner->records_.push_back(std::move(made));
    return record;
}

void MovieObj::OpenMovie() {
    const i16 width = movieRect_.right, height = movieRect_.bottom;
    qtReleaseIfSet(world_);
    world_ = nullptr;
    if (!movie_ || width <= 0 || height <= 0) return;
    const pm::MrRect box{0, 0, height, width};
    qtSetMovieBox(movie_.get(), &box);
    if (qtNewWorldOfFormat(&world_, pm::kMrFormatL555, &box) != 0) {
        world_ = nullptr;
        return;
    }
    qtSetMovieActive(movie_.get(), 1);
    qtSetMovieWorld(movie_.get(), world_);
    qtSetMovieDrawingCompleteProc(movie_.get(), &MovieObj::Drawn, reinterpret_cast<intptr_t>(this));
    redrawPending_ = 1;
}

MovieObj::~MovieObj() {
    if (object_ && object_->Media() == this) object_->SetMedia(nullptr);
    // A removal during a screen update waits for its end: the sprite must not reach us then.
    if (SprSprite* sprite = sprFind(sprite_)) sprite->data1 = 0;
    if (sprite_) sprRemoveById(sprite_, 1, 1);
    sound_.reset();
    if (movie_) {
        qtStopMovie(movie_.get());
        qtSetMovieDrawingCompleteProc(movie_.get(), nullptr, 0);
        qtSetMovieWorld(movie_.get(), nullptr);
    }
    movie_.reset();
    qtReleaseIfSet(world_);
}

void MovieObj::ObjectGone() {
    object_ = nullptr;
    MovieObjStop(this);
    if (SprSprite* sprite = sprFind(sprite_)) sprite->data1 = 0;
    if (sprite_) sprRemoveById(sprite_, 1, 1);
    sprite_ = 0;
}

void MovieObj::MarkDirty() const {
    Rect16 shown = displayRect_;
    if (rectIntersect(&shown, owner_->area())) sprInvalRect(shown);
}

MrErr MovieObj::Drawn(MrMovie*, intptr_t refcon) {
    auto* record = reinterpret_cast<MovieObj*>(refcon);
    record->redrawPending_ = 1;
    ++record->framesShown_;
    return 0;
}

void MovieObj::Step(SprSprite* sprite, memHandle region) {
    MovieObj* record = recordOf(sprite);
    if (!record || !record->world_) return;
    qtMoviesTask(record->movie_.get(), 0);
    if (sprite->hideCount > 0) return;
    if (record->frameDuration_ && record->playing_ && qtIsMovieDone(record->movie_.get())) {
        qtSetMovieTimeValue(record->movie_.get(), 0);
        qtStartMovie(record->movie_.get());
        if (record->sound_) record->sound_->Start();
        qtMoviesTask(record->movie_.get(), 0);
    }
    if (!record->redrawPending_) return;
    record->redrawPending_ = 0;
    Rect16 shown = record->displayRect_;
    if (!rectIntersect(&shown, record->owner_->area())) return;
    sprite->bounds = shown;
    rgnUnionRect(region, shown);
}

void MovieObj::DrawSprite(SprSprite* sprite) {
    MovieObj* record = recordOf(sprite);
    if (!record) return;
    record->owner_->Draw(record, record->displayRect_.left, record->displayRect_.top, nullptr);
    if (record->playing_) sprite->nextStepTime += record->frameDuration_;
}

void MovieObjPlay(MovieObj* record) {
    if (!record || !record->open()) return;
    if (SprSprite* sprite = sprFind(record->sprite_)) sprite->nextStepTime = plat::clockMillis();
    record->redrawPending_ = 1;
    qtStartMovie(record->movie_.get());
    record->frameDuration_ = kMovieFrameMs;
    record->playing_ = 1;
    if (!record->sound_) record->sound_ = std::make_unique<MovieSound>(record->movie_);
    record->sound_->Start();
}

void MovieObjPause(MovieObj* record) {
    if (!record || !record->open()) return;
    record->framesShown_ = 0;
    qtSetMovieTimeValue(record->movie_.get(), 0);
    record->redrawPending_ = 1;
}

void MovieObjStop(MovieObj* record) {
    if (!record || !record->open()) return;
    record->playing_ = 0;
    record->framesShown_ = 0;
    if (SprSprite* sprite = sprFind(record->sprite_)) sprite->nextStepTime = kMovieParked;
    qtStopMovie(record->movie_.get());
    if (record->sound_) record->sound_->Stop();
}

void MovieObjStep(MovieObj* record) {
    if (!record || !record->open()) return;
    MrMovie* movie = record->movie_.get();
    // After the last picture the movie's end, which shows no picture of its own, is the start.
    const MrTime next = qtIsMovieDone(movie) ? -1 : qtGetMovieNextInterestingTime(movie, qtGetMovieTime(movie));
    qtSetMovieTimeValue(movie, next < 0 || next >= qtGetMovieDuration(movie) ? 0 : next);
    qtMoviesTask(movie, 0);
    record->redrawPending_ = 1;
    record->MarkDirty();
}

bool MovieObjGetTiming(const MovieObj* record, u32* milliseconds, u16* steps) {
    if (milliseconds) *milliseconds = kMovieFrameMs;
    if (steps) *steps = kMovieSteps;
    return record != nullptr;
}

Rect16 MovieObjGetBounds(const MovieObj* record) {
    return record && record->open() ? record->displayRect() : Rect16{0, 0, 0, 0};
}

void MovieObjSetBounds(MovieObj* record, const Rect16& rect) {
    if (!record) return;
    record->MarkDirty();
    record->displayRect_ = rect;
    if (SprSprite* sprite = sprFind(record->sprite_)) {
        sprite->position = Point16{rect.left, rect.top};
        sprite->bounds = rect;
        rectIntersect(&sprite->bounds, record->owner_->area());
    }
    if (record->object_) record->object_->rect = record->owner_->ToPage(rect);
    record->redrawPending_ = 1;
    record->MarkDirty();
}

MrMovie* OpenMovieFromLocation(const char* location) {
    if (!location || !*location) return nullptr;
    // A scheme is letters, digits, '+', '-' or '.' before a ':'; one letter is a drive.
    const char* colon = std::strchr(location, ':');
    if (colon && colon - location > 1 &&
        std::all_of(location, colon, [](char c) { return std::isalnum(u8(c)) || c == '+' || c == '-' || c == '.'; }))
        return nullptr;
    MrMovie* movie = nullptr;
    if (qtOpenMovieFile(location, &movie) != 0) return nullptr;
    return movie;
}
