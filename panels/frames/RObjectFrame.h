#pragma once
// The frame maker's record of one page object that can be chosen: the object, and whether it
// stands by itself (visible) or an edit frame stands in its place. Shown, its sprite draws a
// grey outline round the object, so that a child sees what on the page can be chosen; hidden,
// the sprite draws nothing. User-interface thread only.
#include "document/objects/RPageObject.h"
#include "engine/regions/Rects.h"

struct SprSprite;

namespace Ostrel {

class RObjectFrame {
public:
    // `rect` the object's place on the screen; `canvas` where the outline may show.
    RObjectFrame(RPageObject* object, const Rect16& rect, const Rect16& canvas, bool hidden);
    ~RObjectFrame();
    RObjectFrame(const RObjectFrame&) = delete;
    RObjectFrame& operator=(const RObjectFrame&) = delete;

    RPageObject* Object() const { return object_; }
    bool IsVisible() const { return visible_ != 0; }
    bool OutlineShown() const { return outlined_; }
    const Rect16& Rect() const { return rect_; }
    u16 SpriteId() const { return sprite_; }
    // An edit frame stands in the record's place: no outline.
    void Hide();
    // The record stands by itself again, its outline drawn.
    void Show();
    // The outline one pixel outside the given rectangle.
    void SetBounds(const Rect16& rect);
    // Suspended, a shown outline draws nothing for a while.
    void SetSuspended(bool suspended);

private:
    static void DrawOutline(SprSprite* sprite);

    RPageObject* object_;
    Rect16 rect_;
    Rect16 canvas_;
    u16 visible_;
    bool outlined_ = false;
    bool suspended_ = false;
    u16 sprite_ = 0;
};

}  // namespace Ostrel
