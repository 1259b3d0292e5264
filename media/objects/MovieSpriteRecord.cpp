#include "media/objects/MovieSpriteRecord.h"

#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "engine/regions/Regions.h"
#include "media/objects/MovieWorldDraw.h"
#include "platform/clock/Clock.h"

namespace pm = plat::media;

namespace {

MovieSpriteRecord* recordOf(SprSprite* sprite) {
    return sprite ? reinterpret_cast<MovieSpriteRecord*>(sprite->data1) : nullptr;
}

}  // namespace

MovieSpriteRecord::~MovieSpriteRecord() {
    RemoveSprite();
    sound_.reset();
    if (movie_) {
        qtStopMovie(movie_.get());
        qtSetMovieDrawingCompleteProc(movie_.get(), nullptr, 0);
        qtSetMovieWorld(movie_.get(), nullptr);
    }
    movie_.reset();
    qtReleaseIfSet(world_);
}

void MovieSpriteRecord::DrawWorld(i16 x, i16 y, const Rect16& area, GfxPort* port) {
    if (busy_) return;
    drawMovieWorld(world_, movieRect_, x, y, area, port);
}

void MovieSpriteRecord::OpenMovie() {
    const i16 width = i16(movieRect_.right - movieRect_.left), height = i16(movieRect_.bottom - movieRect_.top);
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
    qtSetMovieDrawingCompleteProc(movie_.get(), &MovieSpriteRecord::Drawn, reinterpret_cast<intptr_t>(this));
    redrawPending_ = true;
}

void MovieSpriteRecord::MakeSprite() {
    const Point16 at{displayRect_.left, displayRect_.top};
    sprite_ = sprNewWithProcs(0, 0, &at, nullptr, &MovieSpriteRecord::Step, &MovieSpriteRecord::DrawSprite);
    SprSprite* sprite = sprFind(sprite_);
    if (!sprite) {
        sprite_ = 0;
        return;
    }
    sprite->data1 = reinterpret_cast<uintptr_t>(this);
    sprite->bounds = displayRect_;
    rectIntersect(&sprite->bounds, Area());
    sprite->nextStepTime = kMovieObjParked;
}

void MovieSpriteRecord::RemoveSprite() {
    // A removal during a screen update waits for its end: the sprite must not reach us then.
    if (SprSprite* sprite = sprFind(sprite_)) sprite->data1 = 0;
    if (sprite_) sprRemoveById(sprite_, 1, 1);
    sprite_ = 0;
}

void MovieSpriteRecord::MarkDirty() const {
    Rect16 shown = displayRect_;
    if (rectIntersect(&shown, Area())) sprInvalRect(shown);
}

MrErr MovieSpriteRecord::Drawn(MrMovie*, intptr_t refcon) {
    auto* record = reinterpret_cast<MovieSpriteRecord*>(refcon);
    record->redrawPending_ = true;
    return 0;
}

void MovieSpriteRecord::Step(SprSprite* sprite, memHandle region) {
    MovieSpriteRecord* record = recordOf(sprite);
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
    record->redrawPending_ = false;
    Rect16 shown = record->displayRect_;
    if (!rectIntersect(&shown, record->Area())) return;
    sprite->bounds = shown;
    rgnUnionRect(region, shown);
}

void MovieSpriteRecord::DrawSprite(SprSprite* sprite) {
    MovieSpriteRecord* record = recordOf(sprite);
    if (!record) return;
    record->DrawOnScreen();
    if (record->playing_) sprite->nextStepTime += record->frameDuration_;
}

void MovieObjPlay(MovieSpriteRecord* record) {
    if (!record || !record->open()) return;
    if (SprSprite* sprite = sprFind(record->sprite_)) sprite->nextStepTime = plat::clockMillis();
    record->redrawPending_ = true;
    qtStartMovie(record->movie_.get());
    record->frameDuration_ = kMovieObjFrameMs;
    record->playing_ = 1;
    if (!record->sound_) record->sound_ = std::make_unique<MovieSound>(record->movie_);
    record->sound_->Start();
}

void MovieObjPause(MovieSpriteRecord* record) {
    if (!record || !record->open()) return;
    qtSetMovieTimeValue(record->movie_.get(), 0);
    record->redrawPending_ = true;
}

void MovieObjStop(MovieSpriteRecord* record) {
    if (!record || !record->open()) return;
    record->playing_ = 0;
    if (SprSprite* sprite = sprFind(record->sprite_)) sprite->nextStepTime = kMovieObjParked;
    qtStopMovie(record->movie_.get());
    if (record->sound_) record->sound_->Stop();
}

bool MovieObjGetTiming(const MovieSpriteRecord* record, u32* milliseconds, u16* steps) {
    if (milliseconds) *milliseconds = kMovieObjFrameMs;
    if (steps) *steps = kMovieObjSteps;
    return record != nullptr;
}
