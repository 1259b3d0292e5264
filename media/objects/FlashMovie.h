#pragma once
// One Flash object shown on the page: the header of its movie (frame rectangle, rate, and frame
// count: the frames its timeline and its sprites' take to come round together), its holder of rendered frames, the sprite that shows the current frame at the display
// rectangle (the object's place on the screen) and its playing state. Loaded by FlashMovieLoad
// and listed by an RFlash from then on. A playing movie shows the next frame every frame
// duration of the sprite layer's clock (65536000 / the 16.16 rate ms) and starts again after
// its last; a movie of one frame never moves on. The object it shows tells it when it goes;
// the movie then shows nothing until its RFlash lets it go. User-interface thread only.
#include <memory>
#include <span>

#include "document/objects/PageObjectMedia.h"
#include "document/objects/RPageObject.h"
#include "engine/base/MemoryHandles.h"
#include "engine/regions/Rects.h"
#include "media/objects/FlashQTMovie.h"
#include "media/objects/FlashSoundTrack.h"

class RFlash;
struct SprSprite;

// The sprite's next-step time while it waits for nothing.
constexpr u32 kFlashParked = 99999999;
// Option word of a Flash or movie object: bits 0-7 a number, bits 8-9 the flips (bit 8
// horizontal), bits 10-20 the height and bits 21-31 the width it shows at (0 x 0: its own).
constexpr u32 kOptionFlipShift = 8;
constexpr u32 kOptionHeightShift = 10;
constexpr u32 kOptionWidthShift = 21;
constexpr u32 kOptionSizeMask = 0x7FF;
// The flip bits of RFlash::SetFlips and the option word.
constexpr u16 kFlipHorizontal = 1;
constexpr u16 kFlipVertical = 2;
// FlashMovieStep's answer for no movie.
constexpr u16 kFlashNoMovie = 0xFFFF;
// Whether a movie set playing is heard: a slide show plays its pages' animations quietly; the
// page's Play and the object's own play button let its sounds be heard, until it stops.
enum class FlashSounds : u8 { Heard, Quiet };

class FlashMovie final : public Ostrel::PageObjectMedia {
public:
    ~FlashMovie();
    FlashMovie(const FlashMovie&) = delete;
    FlashMovie& operator=(const FlashMovie&) = delete;

    void ObjectGone() override;

    bool open() const { return open_ != 0; }
    bool playing() const { return playing_ != 0; }
    u16 sprite() const { return sprite_; }
    Ostrel::RPageObject* object() const { return object_; }
    RFlash* owner() const { return owner_; }
    // The movie's own frame, (0, 0) to its size in pixels; where it shows on the screen.
    const Rect16& frameRect() const { return frameRect_; }
    const Rect16& displayRect() const { return displayRect_; }
    u32 frameDuration() const { return frameDuration_; }
    u16 frameCount() const { return frameCount_; }
    // The frame shown, from 0.
    u16 currentFrame() const { return holder_ ? holder_->Current() : 0; }
    i16 flipH() const { return flipH_; }
    i16 flipV() const { return flipV_; }
    const FlashQTMovie* holder() const { return holder_.get(); }
    const FlashSoundTrack& sounds() const { return sounds_; }

private:
    friend class RFlash;
    friend FlashMovie* FlashMovieLoad(RFlash* owner, std::span<const u8> bytes, Ostrel::RPageObject* object,
                                      bool makeSprite);
    friend void FlashMoviePlay(FlashMovie* movie, FlashSounds sounds);
    friend void FlashMoviePause(FlashMovie* movie);
    friend void FlashMovieStop(FlashMovie* movie);
    friend u16 FlashMovieStep(FlashMovie* movie);
    friend bool FlashMovieGetTiming(const FlashMovie* movie, u32* milliseconds, u16* frames);
    friend void FlashMovieSetBounds(FlashMovie* movie, const Rect16& rect);

    explicit FlashMovie(RFlash* owner) : owner_(owner) {}
    // A new holder with the flip states, rendered at the display size.
    void Rebuild();
    void MarkDirty() const;
    static void Step(SprSprite* sprite, memHandle region);
    static void DrawSprite(SprSprite* sprite);

    RFlash* owner_;
    Ostrel::RPageObject* object_ = nullptr;
    u16 open_ = 0;
    u16 drawn_ = 0;
    Rect16 frameRect_{};
    Rect16 displayRect_{};
    u16 sprite_ = 0;
    u32 frameDuration_ = 0;
    u16 frameCount_ = 1;
    u16 framesShown_ = 0;
    u16 redrawPending_ = 1;
    u16 playing_ = 0;
    i16 flipH_ = 0;
    i16 flipV_ = 0;
    u16 busy_ = 0;
    std::unique_ptr<FlashQTMovie> holder_;
    FlashSoundTrack sounds_;
};

// Reads the movie's header from the object's SWF bytes, lists a new movie with `owner`, and
// with `makeSprite` shows it on a sprite at the object's place (the owner's area's top-left when
// the object lies outside the area; centred at the movie's size when it has none), rendered at the object's size and flipped as its option
// word says. An object that already has a movie keeps it. Null for no owner or object, or for
// bytes that hold no readable movie; nothing is listed then.
FlashMovie* FlashMovieLoad(RFlash* owner, std::span<const u8> bytes, Ostrel::RPageObject* object, bool makeSprite);
// Play moves on from the frame shown, heard from the first frame unless quiet; stop holds it
// and silences it; pause puts it back at its first frame, its sounds stopped.
void FlashMoviePlay(FlashMovie* movie, FlashSounds sounds = FlashSounds::Heard);
void FlashMoviePause(FlashMovie* movie);
void FlashMovieStop(FlashMovie* movie);
// One frame on, after the last the first; kFlashNoMovie for no movie, else 0.
u16 FlashMovieStep(FlashMovie* movie);
// The frame duration in ms and the frame count; true when the movie has more than one frame
// (its sprites' frames count).
bool FlashMovieGetTiming(const FlashMovie* movie, u32* milliseconds, u16* frames);
// The movie's frame, or where it shows; empty for no movie.
Rect16 FlashMovieGetBitmapBounds(const FlashMovie* movie);
Rect16 FlashMovieGetBounds(const FlashMovie* movie);
// Shows the movie at `rect` (screen), and puts its object there (page).
void FlashMovieSetBounds(FlashMovie* movie, const Rect16& rect);
// The frame duration of a 16.16 rate: whole ms, at least 1; 0 for a rate of 0.
u32 FlashFrameDuration(u32 rate);
