#pragma once
// The frame with which a child moves and resizes one page object on the canvas: an outline
// one pixel outside the object and four corner handles, drawn by sprites over the canvas. The
// frame maker (RFrameMaker) owns the current frame, receives the mouse and calls the frame's
// operations: a press on a handle resizes, a press inside the frame moves, and the frame
// follows the pointer until the release writes the new rectangle back to the object. Each
// move and resize is one undo step (UndoFrame). One subclass per kind of object gives the
// frame's rectangle for the object's and back (GetRect and WriteBack are inverses) and the
// smallest size. User-interface thread only.
#include <array>
#include <memory>

#include "document/objects/RPageObject.h"
#include "engine/base/MemoryHandles.h"
#include "engine/regions/Rects.h"
#include "framework/messaging/CListener.h"
#include "panels/frames/FrameHost.h"

struct SprSprite;

namespace Ostrel {

class UndoFrame;

// Handle indices.
constexpr i16 kNoHandle = -1;
constexpr i16 kHandleTopLeft = 0;
constexpr i16 kHandleBottomLeft = 1;
constexpr i16 kHandleTopRight = 2;
constexpr i16 kHandleBottomRight = 3;
// Handles are squares of this size centred on the frame's corners.
constexpr i16 kHandleSize = 9;
// A moved frame keeps at least this much of itself over the canvas.
constexpr i16 kMoveKeepOnCanvas = 10;
// The least width and height of a resized frame.
constexpr i16 kMinFrameWidth = 30;
constexpr i16 kMinFrameHeight = 10;
// The modes of TrackHandle: start the drag of the held handle, or stop it.
constexpr u16 kTrackStart = 4;
constexpr u16 kTrackStop = 2;

// Whether an edit frame is being moved or resized: 1 from the press to the release.
extern u16 gEditFrameDragging;

class REditFrame {
public:
    explicit REditFrame(FrameHost& host);
    virtual ~REditFrame();
    REditFrame(const REditFrame&) = delete;
    REditFrame& operator=(const REditFrame&) = delete;

    // Frames the object; 0, or 1 when the object cannot be framed (nothing made).
    virtual u16 Attach(RPageObject* object, u16 flag);
    // The frame's rectangle on the screen for the object as it stands.
    virtual Rect16 GetRect() const = 0;
    // The press on a content button of the frame: 0 when there is none under the point.
    virtual u16 ContentClick(Point16) { return 0; }
    // A click off the frame.
    virtual void ClickOff() {}
    // 1 when the point lies in a handle (left and top edges inclusive, right and bottom not).
    u16 HitHandle(Point16 point) const;
    // Whether the point lies on the frame where a press moves it.
    virtual bool HitMove(Point16 point) const;
    // Whether the point lies in the frame or on one of its handles or buttons.
    bool Reaches(Point16 point) const;

    // Resizing: a press on a handle, the pointer's moves, and the release.
    virtual u16 BeginResize(Point16 point, u16 mode);
    virtual u16 TrackHandle(Point16 point, u16 mode);
    virtual u16 EndResize(Point16 point, u16 mode);
    // Moving: a press inside the frame, the pointer's moves, and the release.
    virtual void BeginMove(Point16 point);
    virtual void EndMove(Point16 point);
    // The pointer moved while the frame is moved or a handle is held.
    void DragTo(Point16 point);

    bool IsResizing() const { return resizing_ != 0; }
    bool IsDragging() const { return dragging_ != 0; }
    RPageObject* Object() const { return object_; }
    // The frame's rectangle while it is dragged; GetRect otherwise.
    const Rect16& DragRect() const { return drag_; }
    // The rectangle inside which a move keeps the frame.
    Rect16 MoveLimit() const;
    const Rect16& CanvasLimit() const { return canvas_; }
    // Puts the object at the frame rectangle (as GetRect gives it) and shows it there; false
    // when the object refuses the rectangle, nothing changed.
    virtual bool WriteBack(const Rect16& frame) = 0;
    // The sprite that draws the outline.
    u16 FrameSpriteId() const { return frameSprite_; }

protected:
    // The smallest frame, in width and height.
    virtual Point16 MinimumSize() const { return {kMinFrameWidth, kMinFrameHeight}; }
    // The resize after the release: the object takes the dragged rectangle.
    virtual void ApplyResize();
    // The object takes the dragged rectangle, as the undo step `code`; false when nothing
    // changed or the object refused it.
    bool Commit(FourCC code);
    // Screen and page coordinates.
    Rect16 ToScreen(const PageRect& r) const;
    PageRect ToPage(const Rect16& r) const;
    FrameHost& Host() const { return host_; }
    // The frame and the handles drawn at `frame`.
    void PlaceHandles(const Rect16& frame);
    // Draws the frame's own marks (the outline; the text frame adds its move bar).
    virtual void DrawOutline(const Rect16& frame) const;
    void SetCanvasLimit(const Rect16& limit) { canvas_ = limit; }
    // A corner may hold a button of the frame's own instead of a handle: no resize starts
    // there, and the frame draws it (DrawCorner) where CornerRect puts it.
    virtual bool CornerIsHandle(i16) const { return true; }
    virtual Rect16 CornerRect(const Rect16& frame, i16 index) const { return HandleRect(frame, index); }
    virtual void DrawCorner(i16 index, const Rect16& bounds) const;

private:
    friend class UndoFrame;
    void CreateSprites();
    void DestroySprites();
    Rect16 HandleRect(const Rect16& frame, i16 index) const;
    Rect16 ResizedRect(Point16 point) const;
    Rect16 MovedRect(Point16 point) const;
    // The frame sprite while the sprite layer carries it in a move; null otherwise.
    SprSprite* CarriedFrameSprite() const;
    // The frame's own sprite of the kind that a press at the point finds first.
    SprSprite* OwnSpriteAt(Point16 point, u32 kind) const;
    // The handle a press at the point takes hold of, or kNoHandle.
    i16 HandleAt(Point16 point) const;
    void DropFrameSprite();
    static void DrawFrameSprite(SprSprite* sprite);
    static void DrawHandleSprite(SprSprite* sprite);
    static void KeepBounds(SprSprite* sprite, memHandle region);
    // A press finds the frame and its corners where they stand now, the object's own place.
    static u16 HitFrameSprite(SprSprite* sprite, Point16 point);
    static u16 HitHandleSprite(SprSprite* sprite, Point16 point);

    FrameHost& host_;
    RPageObject* object_ = nullptr;
    i16 handle_ = kNoHandle;
    u16 resizing_ = 0;
    u16 dragging_ = 0;
    Point16 press_{0, 0};
    // The frame at the press, and where the drag has it now.
    Rect16 start_{0, 0, 0, 0};
    Rect16 drag_{0, 0, 0, 0};
    Rect16 canvas_{0, 0, 0, 0};
    u16 frameSprite_ = 0;
    std::array<u16, 4> handles_{};
    std::unique_ptr<UndoFrame> undo_;
};

}  // namespace Ostrel
