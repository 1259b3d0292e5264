// The strip's drag seen: the pressed cell's thumbnail under the pointer, at the size it has in
// its cell, from the moment the pointer leaves that cell until the button comes up.
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/controls/RBMOBitmapScroller.h"

namespace Ostrel {

namespace {

constexpr u32 kDragSpriteFlags = 0x800000;

}  // namespace

RBMOBitmapScroller::~RBMOBitmapScroller() { EndDrag(); }

u32 RBMOBitmapScroller::HandleInput(u32 button, Point16 point, u32 buttons) {
    const u32 taken = RScroller::HandleInput(button, point, buttons);
    EndDrag();
    const int item = PressedItem();
    if (!Valid(item) || cells_[size_t(item)].thumbnail.empty()) return taken;
    const u16 id = sprNewWithProcs(kDragSpriteFlags, 0, &point, nullptr, &FollowPointer, &DrawDragged);
    if (id == kSprNoId) return taken;
    dragSprite_ = id;
    dragItem_ = item;
    dragCell_ = GetCellRect(item);
    if (SprSprite* sprite = sprFind(dragSprite_)) {
        sprite->data1 = reinterpret_cast<uintptr_t>(this);
        // Nothing shows while the pointer is still in the cell: a click is no drag.
        sprite->bounds = Rect16{point.h, point.v, point.h, point.v};
        sprBringToFront(sprite);
    }
    return taken;
}

u32 RBMOBitmapScroller::HandleMouseUp(u32 button, Point16 point, u32 buttons) {
    EndDrag();
    return RScroller::HandleMouseUp(button, point, buttons);
}

void RBMOBitmapScroller::HandleNotification(const RInputEvent& event) {
    // A release another object took ends the drag all the same.
    if (event.kind == kInputEventMouseUp || event.kind == kInputEventMouseDown) EndDrag();
    RScroller::HandleNotification(event);
}

void RBMOBitmapScroller::EndDrag() {
    if (dragSprite_ == 0) return;
    if (SprSprite* sprite = sprFind(dragSprite_)) sprInvalRect(sprite->bounds);
    sprDispose(&dragSprite_);
    dragSprite_ = 0;
    dragItem_ = -1;
}

void RBMOBitmapScroller::FollowPointer(SprSprite* sprite, memHandle) {
    const auto* strip = reinterpret_cast<const RBMOBitmapScroller*>(sprite->data1);
    if (strip == nullptr) return;
    Point16 pointer{};
    sprGetMouse(&pointer);
    const Rect16& cell = strip->dragCell_;
    const i16 width = i16(cell.right - cell.left), height = i16(cell.bottom - cell.top);
    const Rect16 bounds = rectContainsPoint(cell, pointer)
                              ? Rect16{pointer.h, pointer.v, pointer.h, pointer.v}
                              : Rect16{i16(pointer.h - width / 2), i16(pointer.v - height / 2), i16(pointer.h + width - width / 2),
                                       i16(pointer.v + height - height / 2)};
    if (rectEqual(sprite->bounds, bounds)) return;
    sprInvalRect(sprite->bounds);
    sprite->bounds = bounds;
    sprInvalRect(sprite->bounds);
}

void RBMOBitmapScroller::DrawDragged(SprSprite* sprite) {
    const auto* strip = reinterpret_cast<const RBMOBitmapScroller*>(sprite->data1);
    if (strip == nullptr || rectIsEmpty(sprite->bounds) || !strip->Valid(strip->dragItem_)) return;
    const ScrollerPicture& picture = strip->cells_[size_t(strip->dragItem_)].thumbnail;
    if (picture.empty()) return;
    gfxDrawBitmapInRect(picture.data(), u32(picture.size()), sprite->bounds, 0, 0);
    gfxFrameRect(sprite->bounds);
}

}  // namespace Ostrel
