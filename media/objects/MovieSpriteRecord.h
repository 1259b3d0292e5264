#pragma once
// A movie shown on its own sprite: the movie (owned, shared with its sound only), a 16-bit world
// of the size it shows at that the movie draws its pictures into, the sprite that copies that
// world to the screen, and its sound through the mixer. What the page's movies (MovieObj) and
// the demonstration movies (DemoMovieObj) share; each kind says where its pictures go and what
// area they are clipped to.
//
// The sprite's step gives the movie time on every screen update (the sprite layer reads the
// program's clock), marks the display dirty when a new picture was drawn, and starts a movie
// that played to its end again from the start (they loop). Play starts the movie (and its
// sound) from where it stands; stop holds it where it is; pause puts it back at its start
// without starting it. A record without movie or world draws nothing, and play, stop and pause
// then leave the movie alone. User-interface thread only.
#include <memory>

#include "engine/base/MemoryHandles.h"
#include "engine/regions/Rects.h"
#include "media/objects/MovieSound.h"
#include "media/quicktime/QtMovies.h"

class GfxPort;
struct SprSprite;

// The sprite's next-step time while stopped: it is not stepped for its own sake.
constexpr u32 kMovieObjParked = 99999999;
// How often a playing record asks to be looked at, and the steps its timing reports.
constexpr u32 kMovieObjFrameMs = 10;
constexpr u16 kMovieObjSteps = 1000;

class MovieSpriteRecord {
public:
    virtual ~MovieSpriteRecord();
    MovieSpriteRecord(const MovieSpriteRecord&) = delete;
    MovieSpriteRecord& operator=(const MovieSpriteRecord&) = delete;

    MrMovie* movie() const { return movie_.get(); }
    u16 sprite() const { return sprite_; }
    bool open() const { return world_ != nullptr; }
    bool playing() const { return playing_ != 0; }
    // Where it shows on the screen.
    const Rect16& displayRect() const { return displayRect_; }
    bool soundPlaying() const { return sound_ && sound_->playing(); }

    // The current picture with its top-left at (x, y) of `port`, clipped to `area`; nothing
    // while busy.
    void DrawWorld(i16 x, i16 y, const Rect16& area, GfxPort* port);

protected:
    explicit MovieSpriteRecord(MrMovie* movie) : movie_(movie, qtDisposeMovie) {}
    // What the pictures are clipped to, and where they go at the display rectangle.
    virtual const Rect16& Area() const = 0;
    virtual void DrawOnScreen() = 0;

    // A world of the movie rectangle's size in place of the one before, the movie's box and
    // pictures in it.
    void OpenMovie();
    // The sprite at the display rectangle, parked until played.
    void MakeSprite();
    // The sprite goes from the screen (at the update's end when one runs).
    void RemoveSprite();
    void MarkDirty() const;

    Rect16 movieRect_{};    // (0, 0) to the size it shows at
    Rect16 displayRect_{};  // on the screen
    u16 busy_ = 0;
    u16 sprite_ = 0;
    u32 frameDuration_ = 0;
    bool redrawPending_ = true;
    u16 playing_ = 0;
    std::shared_ptr<MrMovie> movie_;  // with the sound, which may hold it too
    MrWorld* world_ = nullptr;
    std::unique_ptr<MovieSound> sound_;

private:
    friend void MovieObjPlay(MovieSpriteRecord* record);
    friend void MovieObjPause(MovieSpriteRecord* record);
    friend void MovieObjStop(MovieSpriteRecord* record);

    static void Step(SprSprite* sprite, memHandle region);
    static void DrawSprite(SprSprite* sprite);
    static MrErr Drawn(MrMovie* movie, intptr_t refcon);
};

void MovieObjPlay(MovieSpriteRecord* record);
void MovieObjPause(MovieSpriteRecord* record);
void MovieObjStop(MovieSpriteRecord* record);
// 10 ms and 1000 steps for any record; false for none.
bool MovieObjGetTiming(const MovieSpriteRecord* record, u32* milliseconds, u16* steps);
