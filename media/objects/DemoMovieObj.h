#pragma once
// One demonstration movie on the screen: the movie (owned, shared with its sound only), a 16-bit
// world of its size that the movie draws its pictures into, the sprite that shows that world at
// the record's display rectangle over everything else, and its sound through the mixer. The
// sprite's step gives the movie time on every screen update (the sprite layer reads the
// program's clock), marks the display dirty when a new picture was drawn, and starts a movie
// that played to its end again from the start (demonstrations loop).
//
// Play starts the movie (and its sound) from where it stands; stop holds it where it is; pause
// puts it back at its start without starting it. A record without movie or world draws
// nothing, and play, stop and pause then leave the movie alone. User-interface thread only.
#include <memory>

#include "engine/base/MemoryHandles.h"
#include "engine/regions/Rects.h"
#include "media/objects/MovieSound.h"
#include "media/quicktime/QtMovies.h"

class RDemoMovie;
struct SprSprite;

// The sprite's next-step time while stopped: it is not stepped for its own sake.
constexpr u32 kMovieObjParked = 99999999;
// How often a playing record asks to be looked at, and the steps its timing reports.
constexpr u32 kMovieObjFrameMs = 10;
constexpr u16 kMovieObjSteps = 1000;

class DemoMovieObj {
public:
    // Opens `movie` (owned from here, even on failure) at `rect`'s top-left with the movie's
    // size, lists the record with `owner` and makes it the current one; with `makeSprite` its
    // sprite goes on the screen. Null only when `owner` is null (the movie is then disposed).
    static DemoMovieObj* Create(RDemoMovie* owner, MrMovie* movie, const Rect16& rect, bool makeSprite);
    ~DemoMovieObj();
    DemoMovieObj(const DemoMovieObj&) = delete;
    DemoMovieObj& operator=(const DemoMovieObj&) = delete;

    MrMovie* movie() const { return movie_.get(); }
    u16 sprite() const { return sprite_; }
    bool open() const { return world_ != nullptr; }
    bool playing() const { return playing_ != 0; }
    // Where it shows on the screen.
    const Rect16& displayRect() const { return displayRect_; }
    bool soundPlaying() const { return sound_ && sound_->playing(); }

private:
    friend class RDemoMovie;
    friend void MovieObjPlay(DemoMovieObj* record);
    friend void MovieObjPause(DemoMovieObj* record);
    friend void MovieObjStop(DemoMovieObj* record);

    DemoMovieObj(RDemoMovie* owner, MrMovie* movie, const Rect16& rect);
    void OpenMovie();
    static void Step(SprSprite* sprite, memHandle region);
    static void DrawSprite(SprSprite* sprite);
    static MrErr Drawn(MrMovie* movie, intptr_t refcon);

    RDemoMovie* owner_;
    Rect16 movieRect_{};    // (0, 0) to the movie's size
    Rect16 displayRect_{};  // on the screen
    u16 busy_ = 0;
    u16 sprite_ = 0;
    u16 drawn_ = 0;
    u32 frameDuration_ = 0;
    u16 framesShown_ = 0;
    u16 redrawPending_ = 1;
    u16 playing_ = 0;
    std::shared_ptr<MrMovie> movie_;  // with the sound, which may hold it too
    MrWorld* world_ = nullptr;
    std::unique_ptr<MovieSound> sound_;
};

void MovieObjPlay(DemoMovieObj* record);
void MovieObjPause(DemoMovieObj* record);
void MovieObjStop(DemoMovieObj* record);
// 10 ms and 1000 steps for any record; false for none.
bool MovieObjGetTiming(const DemoMovieObj* record, u32* milliseconds, u16* steps);
