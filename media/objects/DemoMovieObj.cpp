#include "media/objects/DemoMovieObj.h"

#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "engine/regions/Regions.h"
#include "media/objects/RDemoMovie.h"
#include "platform/clock/Clock.h"

namespace pm = plat::media;

namespace {

DemoMovieObj* recordOf(SprSprite* sprite) { return sprite ? reinterpret_cast<DemoMovieObj*>(sprite->data1) : nullptr; }

Rect16 overlap(Rect16 a, const Rect16& b) {
    rectIntersect(&a, b);
    return a;
}

}  // namespace

DemoMovieObj::DemoMovieObj(RDemoMovie* owner, MrMovie* movie, const Rect16& rect)
    : owner_(owner), movie_(movie, qtDisposeMovie) {
    movieRect_ = rect;
    displayRect_ = rect;
    // A movie placed outside the player's area shows at the area's corner instead.
    if (rectIsEmpty(overlap(rect, owner->area())))
        rectOffset(&displayRect_, i16(owner->area().left - rect.left), i16(owner->area().top - rect.top));
    rectOffset(&movieRect_, i16(-movieRect_.left), i16(-movieRect_.top));
}

DemoMovieObj* DemoMovieObj::Create(RDemoMovie* owner, MrMovie* movie, const Rect16& rect, bool makeSprite) {
    if (!owner) {
        qtDisposeMovie(movie);
        return nullptr;
    }
    auto made = std::unique_ptr<DemoMovieObj>(new DemoMovieObj(owner, movie, rect));
    DemoMovieObj* record = made.get();
    record->OpenMovie();
    owner->records_.push_back(std::move(made));
    owner->current_ = record;
    if (makeSprite) {
        const Point16 at{record->displayRect_.left, record->displayRect_.top};
        record->sprite_ = sprNewWithProcs(0, 0, &at, nullptr, &DemoMovieObj::Step, &DemoMovieObj::DrawSprite);
        if (SprSprite* sprite = sprFind(record->sprite_)) {
            sprite->data1 = reinterpret_cast<uintptr_t>(record);
            sprite->bounds = record->displayRect_;
            sprite->nextStepTime = kMovieObjParked;
        } else {
            record->sprite_ = 0;
        }
    }
    return record;
}

void DemoMovieObj::OpenMovie() {
    const i16 width = i16(movieRect_.right - movieRect_.left), height = i16(movieRect_.bottom - movieRect_.top);
    if (!movie_ || width <= 0 || height <= 0) return;
    const pm::MrRect box{0, 0, height, width};
    qtSetMovieBox(movie_.get(), &box);
    if (qtNewWorldOfFormat(&world_, pm::kMrFormatL555, &box) != 0) {
        world_ = nullptr;
        return;
    }
    qtSetMovieActive(movie_.get(), 1);
    qtSetMovieWorld(movie_.get(), world_);
    qtSetMovieDrawingCompleteProc(movie_.get(), &DemoMovieObj::Drawn, reinterpret_cast<intptr_t>(this));
}

DemoMovieObj::~DemoMovieObj() {
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

MrErr DemoMovieObj::Drawn(MrMovie*, intptr_t refcon) {
    auto* record = reinterpret_cast<DemoMovieObj*>(refcon);
    record->redrawPending_ = 1;
    ++record->framesShown_;
    return 0;
}

void DemoMovieObj::Step(SprSprite* sprite, memHandle region) {
    DemoMovieObj* record = recordOf(sprite);
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
    const Rect16 shown = overlap(record->displayRect_, record->owner_->area());
    sprite->bounds = shown;
    rgnUnionRect(region, shown);
}

void DemoMovieObj::DrawSprite(SprSprite* sprite) {
    DemoMovieObj* record = recordOf(sprite);
    if (!record) return;
    record->owner_->Draw(record, record->displayRect_.left, record->displayRect_.top, nullptr);
    if (record->playing_) sprite->nextStepTime += record->frameDuration_;
}

void MovieObjPlay(DemoMovieObj* record) {
    if (!record || !record->open()) return;
    if (SprSprite* sprite = sprFind(record->sprite_)) sprite->nextStepTime = plat::clockMillis();
    record->redrawPending_ = 1;
    qtStartMovie(record->movie_.get());
    record->frameDuration_ = kMovieObjFrameMs;
    record->playing_ = 1;
    if (!record->sound_) record->sound_ = std::make_unique<MovieSound>(record->movie_);
    record->sound_->Start();
}

void MovieObjPause(DemoMovieObj* record) {
    if (!record || !record->open()) return;
    record->framesShown_ = 0;
    qtSetMovieTimeValue(record->movie_.get(), 0);
}

void MovieObjStop(DemoMovieObj* record) {
    if (!record || !record->open()) return;
    record->playing_ = 0;
    record->framesShown_ = 0;
    if (SprSprite* sprite = sprFind(record->sprite_)) sprite->nextStepTime = kMovieObjParked;
    qtStopMovie(record->movie_.get());
    if (record->sound_) record->sound_->Stop();
}

bool MovieObjGetTiming(const DemoMovieObj* record, u32* milliseconds, u16* steps) {
    if (milliseconds) *milliseconds = kMovieObjFrameMs;
    if (steps) *steps = kMovieObjSteps;
    return record != nullptr;
}
