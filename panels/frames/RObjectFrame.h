#pragma once
// The frame maker's record of one page object that can be chosen: the object, and whether it
// stands by itself (visible) or an edit frame stands in its place. Shown, its sprite draws a
// grey outline round the object, so that a child sees what on the page can be chosen; hidden,
// the sprite draws nothing. Given the screen's hot-spot list, the record has a hot spot over
// the object while it stands by itself: the pointer shows that it can be chosen, and a click
// there sends kMsgSelectObjectFrame, naming the record, to the frame maker. User-interface
// thread only.
#include "document/objects/RPageObject.h"
#include "engine/regions/Rects.h"

class CListener;
struct SprSprite;

namespace Ostrel {

class RHotSpotItem;
class RHotSpotList;

// The group of the objects' hot spots in the screen's list.
constexpr u16 kObjectFrameHotSpotGroup = 4;

class RObjectFrame {
public:
    // `rect` the object's place on the screen; `canvas` where the outline may show; the hot
    // spot is made in `hotSpots` (none when null) and clicks on it go to `receiver`.
    RObjectFrame(RPageObject* object, const Rect16& rect, const Rect16& canvas, bool hidden, RHotSpotList* hotSpots = nullptr,
                 CListener* receiver = nullptr);
    ~RObjectFrame();
    RObjectFrame(const RObjectFrame&) = delete;
    RObjectFrame& operator=(const RObjectFrame&) = delete;

    RPageObject* Object() const { return object_; }
    bool IsVisible() const { return visible_ != 0; }
    bool OutlineShown() const { return outlined_; }
    const Rect16& Rect() const { return rect_; }
    u16 SpriteId() const { return sprite_; }
    // Null without a hot-spot list; out of service while the record is hidden.
    const RHotSpotItem* HotSpot() const { return item_; }
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
    void CreateHotSpot(RHotSpotList* hotSpots, CListener* receiver);

    RPageObject* object_;
    Rect16 rect_;
    Rect16 canvas_;
    u16 visible_;
    bool outlined_ = false;
    bool suspended_ = false;
    u16 sprite_ = 0;
    RHotSpotItem* item_ = nullptr;
};

}  // namespace Ostrel
