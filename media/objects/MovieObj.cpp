#include "media/objects/MovieObj.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "engine/gfx/sprites/SprLayer.h"
#include "media/objects/MediaPlacement.h"
#include "media/objects/RMovie.h"

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
    if (makeSprite) record->MakeSprite();
    object->SetMedia(record);
    owner->records_.push_back(std::move(made));
    return record;
}

MovieObj::~MovieObj() {
    if (object_ && object_->Media() == this) object_->SetMedia(nullptr);
}

void MovieObj::ObjectGone() {
    object_ = nullptr;
    MovieObjStop(this);
    RemoveSprite();
}

const Rect16& MovieObj::Area() const { return owner_->area(); }

void MovieObj::DrawOnScreen() { owner_->Draw(this, displayRect_.left, displayRect_.top, nullptr); }

void MovieObjStep(MovieObj* record) {
    if (!record || !record->open()) return;
    MrMovie* movie = record->movie_.get();
    // After the last picture the movie's end, which shows no picture of its own, is the start.
    const MrTime next = qtIsMovieDone(movie) ? -1 : qtGetMovieNextInterestingTime(movie, qtGetMovieTime(movie));
    qtSetMovieTimeValue(movie, next < 0 || next >= qtGetMovieDuration(movie) ? 0 : next);
    qtMoviesTask(movie, 0);
    record->MarkDirty();
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
    record->redrawPending_ = true;
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
