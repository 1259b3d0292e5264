#pragma once
// The floating piece of picture a child moves or copies: a selection of the canvas's picture
// (a finished cut shape, a stencil) or a pasted picture. Resting, it shows the piece (the
// picture under it, or the lifted pixels) inside marching ants along its outline; a press inside the shape lifts the pixels under it (the first lift
// leaves white behind, unless the clip floats or Ctrl is held, which copies) and drags them
// within the drag limit; the release rests it at the new place; a press elsewhere on the
// canvas puts it down into the picture and ends it. A clip that holds pixels always puts them
// down when it ends, however it ends (dropped while dragged, deleted, its owner switching
// modes): the piece is never lost and the hole never left alone. The lift, the moves and the
// put-down are one change of the tool manager's picture (one undo step), closed by the owner
// once the clip is gone (RToolMgr::EndChange).
//
// At rest it has a hot-spot item over its shape, made in the outside list (a clip without
// one has none) and handed on with kClipHotSpot. It tells its owner directly: kClipMoved with kClipDragEnded, kClipDragBegan or
// kClipPressedOff; kClipState with 1 at the first lift of a floating clip, 0 when it is gone.
// It posts kClipPutDown to the owner when it put pixels into the picture.
// User-interface thread only.
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/regions/Rects.h"
#include "framework/input/RInputObject.h"
#include "framework/messaging/CListener.h"
#include "framework/messaging/RSender.h"
#include "tools/base/PixelView.h"

class RToolMgr;
struct SprSprite;

namespace Ostrel {
class RHotSpotItem;
class RHotSpotList;
}

constexpr FourCC kGraphicClipTag = fourCC("gclp");
constexpr u32 kClipMoved = 22353;
constexpr u16 kClipDragEnded = 1;
constexpr u16 kClipDragBegan = 2;
constexpr u16 kClipPressedOff = 3;
constexpr u32 kClipState = 22354;
constexpr u32 kClipPutDown = 7786;
// Broadcast with the clip's new hot-spot item (parameter 1) each time it comes to rest: the
// screen takes the item into its own list, where it shows the hand over the piece.
constexpr u32 kClipHotSpot = 6618;
// The ants march one step per this many milliseconds while the clip rests.
constexpr u32 kClipAntsStepMs = 120;

class RGraphicClip : public Ostrel::RInputObject, public Ostrel::RSender {
public:
    // `floating`: nothing is erased under the clip at its first lift (a pasted picture).
    RGraphicClip(CListener* owner, bool floating);
    ~RGraphicClip() override;
    RGraphicClip(const RGraphicClip&) = delete;
    RGraphicClip& operator=(const RGraphicClip&) = delete;

    // `picture`: the tool manager whose picture the clip cuts from and puts down into.
    // `mask`: the shape in screen coordinates (copied). `image`: the pixels to float, the
    // mask's bounds in size, or null to take them from the picture at the first press.
    // `outside`: items outside the canvas that may be pressed without dropping the clip.
    // `registerInput`: take presses, moves and releases. 0, or 1 when the shape cannot be made
    // or is empty.
    u16 Init(RToolMgr* picture, const PixelView* image, memHandle mask, const Rect16& dragLimit,
             Ostrel::RHotSpotList* outside, bool registerInput);

    // Moves the clip so that its bounds' centre lies on the point.
    void CenterOn(Point16 point);
    // The bounds on the screen; empty once gone.
    Rect16 GetBounds() const;
    // Starts dragging from the point at once (a stencil follows the mouse as it is chosen).
    void ToggleSprite(Point16 point);
    // Fills the picture under the shape with white; then, with `drop`, drops the clip.
    void EraseUnder(bool drop);
    // Copies the clip's pixels through its shape into `target`, the clip's top-left at `at`.
    void CopyThroughMask(const PixelView& target, Point16 at) const;

    // 1 when the press lifted (or picked up again) the clip; 0 when it was dropped or left.
    u32 Press(Point16 point, bool copy);
    // 1 when it ended a drag.
    u32 Release(Point16 point);
    // Puts the pixels down into the picture (unless `keepPicture`) and ends the clip.
    void Drop(bool keepPicture);

    bool IsGone() const { return gone_; }
    bool IsDragged() const { return dragging_; }
    bool HoldsPixels() const { return !image_.empty(); }
    bool ShowsAnts() const { return antsShown_; }
    u8 AntsPhase() const { return phase_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    // The shape at the clip's own origin, and the pixels (empty before the lift).
    memHandle Mask() const { return mask_; }
    const std::vector<u16>& Pixels() const { return image_; }
    i16 Width() const { return i16(size_.right); }
    i16 Height() const { return i16(size_.bottom); }
    u16 SpriteId() const { return sprite_; }

    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseMove(Point16 point, u32 buttons) override;
    u32 HandleMouseUp(u32 button, Point16 point, u32 buttons) override;
    void HandleNotification(const Ostrel::RInputEvent& event) override;

private:
    PixelView ImageView() const;
    Point16 Local(Point16 screen) const;
    bool InShape(Point16 point) const;
    // Whether a press at the point reaches the clip's shape, found in the sprite layer.
    bool Reaches(Point16 point) const;
    // The clip's sprite while the sprite layer carries it.
    SprSprite* Carried() const;
    static u16 Hit(SprSprite* sprite, Point16 point);
    void Lift(bool erase);
    void FillUnder(u16 pixel);
    void PutDown();
    void MoveTo(Point16 topLeft);
    void Tell(u32 code, u16 param2);
    // Makes the resting clip's hot-spot item over its shape and hands it on.
    void Rest();
    void ReleaseItem();
    void FreeSprite();
    static void Draw(SprSprite* sprite);
    static void Step(SprSprite* sprite, memHandle region);

    CListener* owner_;
    RToolMgr* picture_ = nullptr;
    memHandle mask_ = 0;
    // The mask's bounds at the origin; the clip's top-left on the screen.
    Rect16 size_{0, 0, 0, 0};
    Point16 place_{0, 0};
    // The mask's outline pixels, where the ants march while the clip rests.
    std::vector<Point16> outline_;
    std::vector<u16> image_;
    u16 sprite_ = 0;
    Rect16 dragLimit_{0, 0, 0, 0};
    Point16 grab_{0, 0};
    Ostrel::RHotSpotList* outside_ = nullptr;
    // Whichever list holds it now; found again by the lists before it is released.
    Ostrel::RHotSpotItem* item_ = nullptr;
    u8 phase_ = 0;
    bool antsShown_ = false;
    bool dragging_ = false;
    bool liftPending_ = false;
    bool floating_;
    bool enabled_ = true;
    bool gone_ = false;
};
