#pragma once
// The Flash objects of the page on the screen: the area they show in (the canvas; objects are
// placed relative to its top-left and clipped to it), the port their frames go to (the sprite
// layer's work port when none is given), and the movies it lists, each loaded by
// FlashMovieLoad. Making one installs the program's SWF host (SwfHost.h) in the SWF engine,
// so that the movies' bitmaps decode and their sounds play. User-interface thread only.
#include <memory>
#include <vector>

#include "media/objects/FlashMovie.h"

class GfxPort;

class RFlash {
public:
    RFlash(GfxPort* port, const Rect16& area);
    virtual ~RFlash();
    RFlash(const RFlash&) = delete;
    RFlash& operator=(const RFlash&) = delete;

    // The movie's current frame at its display rectangle into `port` (or the owner's port or
    // the work port), clipped to `rect` when given, else to the area. Nothing while busy.
    virtual void Draw(FlashMovie* movie, GfxPort* port, const Rect16* rect);

    // Shows the movie at `rect` (screen) and sized to it, rendered again at that size.
    void MoveMovie(FlashMovie* movie, const Rect16& rect);
    // Toggles the flips (kFlipHorizontal, kFlipVertical) and renders the frames again.
    void SetFlips(FlashMovie* movie, u16 bits);
    // Takes the movie off the list and deletes it with its sprite; DetachMovie hands it back.
    void RemoveMovie(FlashMovie* movie);
    std::unique_ptr<FlashMovie> DetachMovie(FlashMovie* movie);
    // Deletes the movies whose object went.
    void RemoveOrphans();

    const Rect16& area() const { return area_; }
    GfxPort* port() const { return port_; }
    size_t count() const { return movies_.size(); }
    FlashMovie* movie(size_t index) const { return movies_[index].get(); }
    // Page and screen places.
    Rect16 ToScreen(const Ostrel::PageRect& r) const;
    Ostrel::PageRect ToPage(const Rect16& r) const;

private:
    friend FlashMovie* FlashMovieLoad(RFlash* owner, std::span<const u8> bytes, Ostrel::RPageObject* object,
                                      bool makeSprite);

    Rect16 area_;
    GfxPort* port_;
    std::vector<std::unique_ptr<FlashMovie>> movies_;
};
