#include "media/objects/DemoMovieObj.h"

#include "media/objects/RDemoMovie.h"

DemoMovieObj::DemoMovieObj(RDemoMovie* owner, MrMovie* movie, const Rect16& rect)
    : MovieSpriteRecord(movie), owner_(owner) {
    movieRect_ = rect;
    displayRect_ = rect;
    // A movie placed outside the player's area shows at the area's corner instead.
    Rect16 inside = rect;
    if (!rectIntersect(&inside, owner->area()))
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
    if (makeSprite) record->MakeSprite();
    return record;
}

const Rect16& DemoMovieObj::Area() const { return owner_->area(); }

void DemoMovieObj::DrawOnScreen() { owner_->Draw(this, displayRect_.left, displayRect_.top, nullptr); }
