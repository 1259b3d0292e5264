#pragma once
// One demonstration movie on the screen: a movie shown at its own size at the record's display
// rectangle over everything else, clipped to its player's area, looping while it plays (see
// MovieSpriteRecord). User-interface thread only.
#include "media/objects/MovieSpriteRecord.h"

class RDemoMovie;

class DemoMovieObj final : public MovieSpriteRecord {
public:
    // Opens `movie` (owned from here, even on failure) at `rect`'s top-left with the movie's
    // size, lists the record with `owner` and makes it the current one; with `makeSprite` its
    // sprite goes on the screen. Null only when `owner` is null (the movie is then disposed).
    static DemoMovieObj* Create(RDemoMovie* owner, MrMovie* movie, const Rect16& rect, bool makeSprite);

private:
    DemoMovieObj(RDemoMovie* owner, MrMovie* movie, const Rect16& rect);
    const Rect16& Area() const override;
    void DrawOnScreen() override;

    RDemoMovie* owner_;
};
