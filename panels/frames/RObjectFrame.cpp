#include "panels/frames/RObjectFrame.h"

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/input/RHotSpotList.h"
#include "panels/frames/FrameCommands.h"

namespace Ostrel {

namespace {

// The sprite's kind a press finds it by, apart from an edit frame's.
constexpr u32 kObjectFrameKind = 47;
constexpr u32 kObjectFrameFlags = kSprStopAtEnd | kObjectFrameKind;

// The sprite keeps the bounds it is given.
void keepRecordBounds(SprSprite*, memHandle) {}

void fillOutlineSide(Rect16 r, const Rect16& canvas, const GfxColor& colour) {
    if (rectIntersect(&r, canvas)) gfxFillRect(r, colour, 0);
}

}  // namespace

RObjectFrame::RObjectFrame(RPageObject* object, const Rect16& rect, const Rect16& canvas, bool hidden, RHotSpotList* hotSpots,
                           CListener* receiver)
    : object_(object), rect_(rect), canvas_(canvas), visible_(1) {
    const Point16 origin{0, 0};
    const u16 id = sprNew(kObjectFrameFlags, 0, &origin);
    if (SprSprite* sprite = id == kSprNoId ? nullptr : sprFind(id)) {
        sprite_ = id;
        sprite->step = &keepRecordBounds;
        sprite->data1 = reinterpret_cast<uintptr_t>(this);
        sprite->bounds = rect_;
        sprite->clipRect = canvas_;
        sprite->clipEnabled = 1;
    }
    CreateHotSpot(hotSpots, receiver);
    if (hidden) Hide();
}

RObjectFrame::~RObjectFrame() {
    if (sprite_) sprRemoveById(sprite_, 1, 1);
    if (item_ && item_->GetList()) item_->GetList()->DestroyHotSpot(item_);
}

void RObjectFrame::CreateHotSpot(RHotSpotList* hotSpots, CListener* receiver) {
    if (!hotSpots) return;
    // Inside the outline, and only where the canvas shows the object.
    HSInfo info;
    info.rect = rect_;
    if (rectIntersect(&info.rect, canvas_))
        rectInset(&info.rect, 1, 1);
    else
        info.rect = {0, 0, 0, 0};
    info.kind = kHotSpotShapeRect;
    info.cursorOver = kDefaultCursorOver;
    info.cursorPressed = kDefaultCursorPressed;
    info.message = kMsgSelectObjectFrame;
    info.group = kObjectFrameHotSpotGroup;
    item_ = hotSpots->CreateHotSpot(info, 1);
    item_->SetRecord(reinterpret_cast<uintptr_t>(this));
    item_->SetReceiver(receiver);
}

void RObjectFrame::Hide() {
    if (item_) item_->Disable();
    visible_ = 0;
    outlined_ = false;
    if (SprSprite* sprite = sprite_ ? sprFind(sprite_) : nullptr) {
        sprite->draw = nullptr;
        sprHide(sprite, 1, 0);
        sprInvalRect(rect_);
    }
}

void RObjectFrame::Show() {
    if (item_) item_->Enable();
    visible_ = 1;
    outlined_ = true;
    if (SprSprite* sprite = sprite_ ? sprFind(sprite_) : nullptr) {
        sprite->draw = &RObjectFrame::DrawOutline;
        sprite->bounds = rect_;
        sprShow(sprite, 0);
        sprInvalRect(rect_);
    }
}

void RObjectFrame::SetBounds(const Rect16& rect) {
    sprInvalRect(rect_);
    rect_ = rect;
    rectInset(&rect_, -1, -1);
    if (item_) item_->SetRect(rect_);
    if (SprSprite* sprite = sprite_ ? sprFind(sprite_) : nullptr) {
        sprite->bounds = rect_;
        sprite->changed = 1;
    }
    sprInvalRect(rect_);
}

void RObjectFrame::SetSuspended(bool suspended) {
    suspended_ = suspended;
    sprInvalRect(rect_);
}

void RObjectFrame::DrawOutline(SprSprite* sprite) {
    const auto* record = reinterpret_cast<const RObjectFrame*>(sprite->data1);
    if (!record || !record->visible_ || record->suspended_) return;
    const Rect16& r = record->rect_;
    const GfxColor grey = GfxColor::rgb(128, 128, 128);
    fillOutlineSide({r.left, r.top, r.right, i16(r.top + 1)}, record->canvas_, grey);
    fillOutlineSide({r.left, i16(r.bottom - 1), r.right, r.bottom}, record->canvas_, grey);
    fillOutlineSide({r.left, r.top, i16(r.left + 1), r.bottom}, record->canvas_, grey);
    fillOutlineSide({i16(r.right - 1), r.top, r.right, r.bottom}, record->canvas_, grey);
}

}  // namespace Ostrel
