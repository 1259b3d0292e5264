#pragma once
// One movie object shown on the page, at the object's place and size, clipped to the canvas
// (see MovieSpriteRecord; page movies loop). Listed by an RMovie. The object tells the record
// when it goes: the movie then stops and shows nothing until its RMovie lets it go.
// User-interface thread only.
#include "document/objects/PageObjectMedia.h"
#include "document/objects/RPageObject.h"
#include "media/objects/MovieSpriteRecord.h"

class RMovie;

class MovieObj final : public MovieSpriteRecord, public Ostrel::PageObjectMedia {
public:
    // Opens `movie` (owned from here, even on failure) for the object at the object's place (the
    // area's top-left when it lies outside the area; centred at the movie's own size when the
    // object has none), lists the record with `owner` and hands it to the object; with `makeSprite` it shows
    // on the screen. Null for no owner or object, and for a movie without a time scale or
    // without a picture (a movie of sound alone).
    static MovieObj* Create(RMovie* owner, MrMovie* movie, Ostrel::RPageObject* object, bool makeSprite);
    ~MovieObj() override;

    void ObjectGone() override;

    Ostrel::RPageObject* object() const { return object_; }
    RMovie* owner() const { return owner_; }

private:
    friend class RMovie;
    friend void MovieObjStep(MovieObj* record);
    friend void MovieObjSetBounds(MovieObj* record, const Rect16& rect);

    MovieObj(RMovie* owner, MrMovie* movie) : MovieSpriteRecord(movie), owner_(owner) {}
    const Rect16& Area() const override;
    void DrawOnScreen() override;

    RMovie* owner_;
    Ostrel::RPageObject* object_ = nullptr;
};

// Step shows the next picture, or the first at the end.
void MovieObjStep(MovieObj* record);
Rect16 MovieObjGetBounds(const MovieObj* record);
// Shows the record at `rect` (screen) and puts its object there (page).
void MovieObjSetBounds(MovieObj* record, const Rect16& rect);
// The movie of a location: a file path; locations that name a scheme ("http:", "ftp://", ...)
// are refused with null, as are files that hold no movie.
MrMovie* OpenMovieFromLocation(const char* location);
