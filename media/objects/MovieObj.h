#pragma once
// One movie object shown on the page: the movie (owned, shared with its sound only), a 16-bit
// world of the size the object shows at that the movie draws its pictures into, the sprite that
// copies that world to the screen at the object's place, and its sound through the mixer.
// Listed by an RMovie. The sprite's step gives the movie time on every screen update, marks the
// place dirty when a new picture was drawn and starts a movie that played to its end again
// (page movies loop). The object tells the record when it goes: the movie then stops and shows
// nothing until its RMovie lets it go. User-interface thread only.
#include <memory>

#include "document/objects/PageObjectMedia.h"
#include "document/objects/RPageObject.h"
#include "engine/base/MemoryHandles.h"
#include "engine/regions/Rects.h"
#include "media/objects/MovieSound.h"
#include "media/quicktime/QtMovies.h"

class RMovie;
struct SprSprite;

class MovieObj final : public Ostrel::PageObjectMedia {
public:
    // Opens `movie` (owned from here, even on failure) for the object at the object's place (the
    // area's top-left when it lies outside the area; centred at the movie's own size when the
    // object has none), lists the record with `owner` and hands it to the object; with `makeSprite` it shows
    // on the screen. Null for no owner or object, and for a movie without a time scale or
    // without a picture (a movie of sound alone).
    static MovieObj* Create(RMovie* owner, MrMovie* movie, Ostrel::RPageObject* object, bool makeSprite);
    ~MovieObj();
    MovieObj(const MovieObj&) = delete;
    MovieObj& operator=(const MovieObj&) = delete;

    void ObjectGone() override;

    MrMovie* movie() const { return movie_.get(); }
    Ostrel::RPageObject* object() const { return object_; }
    RMovie* owner() const { return owner_; }
    u16 sprite() const { return sprite_; }
    bool open() const { return world_ != nullptr; }
    bool playing() const { return playing_ != 0; }
    const Rect16& displayRect() const { return displayRect_; }
    bool soundPlaying() const { return sound_ && sound_->playing(); }

private:
    friend class RMovie;
    friend void MovieObjPlay(MovieObj* record);
    friend void MovieObjPause(MovieObj* record);
    friend void MovieObjStop(MovieObj* record);
    friend void MovieObjStep(MovieObj* record);
    friend void MovieObjSetBounds(MovieObj* record, const Rect16& rect);

    MovieObj(RMovie* owner, MrMovie* movie) : owner_(owner), movie_(movie, qtDisposeMovie) {}
    // A world of the movie rectangle's size, the movie's box and pictures in it.
    void OpenMovie();
    void MarkDirty() const;
    static void Step(SprSprite* sprite, memHandle region);
    static void DrawSprite(SprSprite* sprite);
    static MrErr Drawn(MrMovie* movie, intptr_t refcon);

    RMovie* owner_;
    Ostrel::RPageObject* object_ = nullptr;
    Rect16 movieRect_{};    // (0, 0) to the size it shows at
    Rect16 displayRect_{};  // on the screen
    u16 busy_ = 0;
    u16 sprite_ = 0;
    u16 drawn_ = 0;
    u32 frameDuration_ = 0;
    u16 framesShown_ = 0;
    u16 redrawPending_ = 1;
    u16 playing_ = 0;
    std::shared_ptr<MrMovie> movie_;
    MrWorld* world_ = nullptr;
    std::unique_ptr<MovieSound> sound_;
};

// Play starts the movie and its sound from where it stands; stop holds it; pause puts it back at
// its start. Step shows the next picture, or the first at the end.
void MovieObjPlay(MovieObj* record);
void MovieObjPause(MovieObj* record);
void MovieObjStop(MovieObj* record);
void MovieObjStep(MovieObj* record);
// 10 ms and 1000 steps for any record; false for none.
bool MovieObjGetTiming(const MovieObj* record, u32* milliseconds, u16* steps);
Rect16 MovieObjGetBounds(const MovieObj* record);
// Shows the record at `rect` (screen) and puts its object there (page).
void MovieObjSetBounds(MovieObj* record, const Rect16& rect);
// The movie of a location: a file path; locations that name a scheme ("http:", "ftp://", ...)
// are refused with null, as are files that hold no movie.
MrMovie* OpenMovieFromLocation(const char* location);
