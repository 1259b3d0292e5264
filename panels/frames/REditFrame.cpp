#include "panels/frames/REditFrame.h"

#include <algorithm>

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "panels/frames/UndoFrame.h"

namespace Ostrel {

u16 gEditFrameDragging = 0;

namespace {

// The sprites' kinds a press finds them by.
constexpr u32 kFrameSpriteKind = 13;
constexpr u32 kHandleSpriteKind = 32;
constexpr u32 kFrameSpriteFlags = kSprStopAtEnd | kFrameSpriteKind;
constexpr u32 kHandleSpriteFlags = kSprStopAtEnd | kHandleSpriteKind;

Point16 cornerOf(const Rect16& r, i16 index) {
    switch (index) {
        case kHandleTopLeft: return {r.left, r.top};
        case kHandleBottomLeft: return {r.left, r.bottom};
        case kHandleTopRight: return {r.right, r.top};
        default: return {r.right, r.bottom};
    }
}

// Fills the part of `r` that lies on the canvas.
void fillOnCanvas(Rect16 r, const Rect16& canvas, const GfxColor& colour) {
    if (rectIntersect(&r, canvas)) gfxFillRect(r, colour, 0);
}

// Moves the sprite's bounds, marking the old and the new place for the next update.
void setBounds(u16 id, const Rect16& bounds) {
    SprSprite* sprite = sprFind(id);
    if (!sprite) return;
    sprInvalRect(sprite->bounds);
    sprite->bounds = bounds;
    sprite->changed = 1;
    sprInvalRect(bounds);
}

}  // namespace

REditFrame::REditFrame(FrameHost& host) : host_(host), canvas_(host.CanvasRect()) {}

REditFrame::~REditFrame() {
    if (resizing_ || dragging_) gEditFrameDragging = 0;
    undo_.reset();
    DestroySprites();
}

u16 REditFrame::Attach(RPageObject* object, u16) {
    if (!object) return 1;
    object_ = object;
    undo_ = std::make_unique<UndoFrame>(*this);
    drag_ = GetRect();
    CreateSprites();
    return 0;
}

Rect16 REditFrame::ToScreen(const PageRect& r) const {
    return {i16(r.left + host_.CanvasRect().left), i16(r.top + host_.CanvasRect().top),
            i16(r.right + host_.CanvasRect().left), i16(r.bottom + host_.CanvasRect().top)};
}

PageRect REditFrame::ToPage(const Rect16& r) const {
    return {i16(r.left - host_.CanvasRect().left), i16(r.top - host_.CanvasRect().top),
            i16(r.right - host_.CanvasRect().left), i16(r.bottom - host_.CanvasRect().top)};
}

Rect16 REditFrame::HandleRect(const Rect16& frame, i16 index) const {
    const Point16 corner = cornerOf(frame, index);
    constexpr i16 half = kHandleSize / 2;
    return {i16(corner.h - half), i16(corner.v - half), i16(corner.h - half + kHandleSize),
            i16(corner.v - half + kHandleSize)};
}

SprSprite* REditFrame::OwnSpriteAt(Point16 point, u32 kind) const {
    SprSprite* sprite = sprFindAtPoint(point, kind, 1, 1, 0);
    return sprite && sprite->data1 == reinterpret_cast<uintptr_t>(this) ? sprite : nullptr;
}

i16 REditFrame::HandleAt(Point16 point) const {
    // The handle in front at the point, as the sprite layer shows them.
    const SprSprite* sprite = OwnSpriteAt(point, kHandleSpriteKind);
    if (!sprite) return kNoHandle;
    for (i16 index = 0; index < 4; ++index)
        if (handles_[size_t(index)] == sprite->id && CornerIsHandle(index)) return index;
    return kNoHandle;
}

u16 REditFrame::HitHandle(Point16 point) const { return HandleAt(point) != kNoHandle ? 1 : 0; }

bool REditFrame::HitMove(Point16 point) const { return OwnSpriteAt(point, kFrameSpriteKind) != nullptr; }

bool REditFrame::Reaches(Point16 point) const {
    return OwnSpriteAt(point, kFrameSpriteKind) || OwnSpriteAt(point, kHandleSpriteKind);
}

// --- the sprites

void REditFrame::KeepBounds(SprSprite*, memHandle) {}

void REditFrame::CreateSprites() {
    const Point16 origin{0, 0};
    frameSprite_ = sprNew(kFrameSpriteFlags, 0, &origin);
    for (u16& handle : handles_) handle = sprNew(kHandleSpriteFlags, 0, &origin);
    auto setUp = [this](u16 id, SprDrawProc draw, SprHitProc hit) {
        SprSprite* sprite = sprFind(id);
        if (!sprite) return;
        sprite->step = &REditFrame::KeepBounds;
        sprite->draw = draw;
        sprite->hit = hit;
        sprite->data1 = reinterpret_cast<uintptr_t>(this);
    };
    setUp(frameSprite_, &REditFrame::DrawFrameSprite, &REditFrame::HitFrameSprite);
    for (u16 handle : handles_) setUp(handle, &REditFrame::DrawHandleSprite, &REditFrame::HitHandleSprite);
    PlaceHandles(GetRect());
}

void REditFrame::DestroySprites() {
    DropFrameSprite();
    if (frameSprite_) sprRemoveById(frameSprite_, 1, 1);
    for (u16 handle : handles_)
        if (handle) sprRemoveById(handle, 1, 1);
    frameSprite_ = 0;
    handles_.fill(0);
}

void REditFrame::PlaceHandles(const Rect16& frame) {
    setBounds(frameSprite_, frame);
    for (i16 index = 0; index < 4; ++index) setBounds(handles_[size_t(index)], CornerRect(frame, index));
}

void REditFrame::DrawOutline(const Rect16& frame) const {
    const GfxColor black = GfxColor::rgb(0, 0, 0);
    fillOnCanvas({frame.left, frame.top, frame.right, i16(frame.top + 1)}, canvas_, black);
    fillOnCanvas({frame.left, i16(frame.bottom - 1), frame.right, frame.bottom}, canvas_, black);
    fillOnCanvas({frame.left, frame.top, i16(frame.left + 1), frame.bottom}, canvas_, black);
    fillOnCanvas({i16(frame.right - 1), frame.top, frame.right, frame.bottom}, canvas_, black);
}

void REditFrame::DrawFrameSprite(SprSprite* sprite) {
    const auto* frame = reinterpret_cast<const REditFrame*>(sprite->data1);
    if (frame) frame->DrawOutline(frame->dragging_ || frame->resizing_ ? frame->drag_ : frame->GetRect());
}

u16 REditFrame::HitFrameSprite(SprSprite* sprite, Point16 point) {
    const auto* frame = reinterpret_cast<const REditFrame*>(sprite->data1);
    return frame && rectContainsPoint(frame->GetRect(), point) ? 1 : 0;
}

u16 REditFrame::HitHandleSprite(SprSprite* sprite, Point16 point) {
    const auto* frame = reinterpret_cast<const REditFrame*>(sprite->data1);
    if (!frame) return 0;
    for (i16 index = 0; index < 4; ++index)
        if (frame->handles_[size_t(index)] == sprite->id)
            return rectContainsPoint(frame->CornerRect(frame->GetRect(), index), point) ? 1 : 0;
    return 0;
}

void REditFrame::DrawHandleSprite(SprSprite* sprite) {
    const auto* frame = reinterpret_cast<const REditFrame*>(sprite->data1);
    if (!frame) return;
    for (i16 index = 0; index < 4; ++index)
        if (frame->handles_[size_t(index)] == sprite->id) frame->DrawCorner(index, sprite->bounds);
}

void REditFrame::DrawCorner(i16, const Rect16& bounds) const {
    // A white square with a black rim.
    fillOnCanvas(bounds, host_.CanvasRect(), GfxColor::rgb(0, 0, 0));
    Rect16 inside = bounds;
    rectInset(&inside, 2, 2);
    fillOnCanvas(inside, host_.CanvasRect(), GfxColor::rgb(255, 255, 255));
}

// --- moving

Rect16 REditFrame::MoveLimit() const {
    const Rect16 frame = GetRect();
    const i16 growH = std::max<i16>(0, i16(frame.right - frame.left - kMoveKeepOnCanvas));
    const i16 growV = std::max<i16>(0, i16(frame.bottom - frame.top - kMoveKeepOnCanvas));
    Rect16 limit = canvas_;
    rectInset(&limit, i16(-growH), i16(-growV));
    return limit;
}

void REditFrame::BeginMove(Point16 point) {
    ClickOff();
    press_ = point;
    start_ = drag_ = GetRect();
    dragging_ = 1;
    gEditFrameDragging = 1;
    // The sprite layer carries the outline, in front of everything, where DragTo puts it: were
    // it to follow the pointer between two moves on its own, the outline drawn at the place the
    // frame was dragged to would lie outside what the layer erases, and stay on the screen.
    if (SprSprite* sprite = sprFind(frameSprite_)) {
        sprite->dragFlags &= ~kSprDragFollow;
        sprActivate(sprite, &point, kTrackStart, 0, nullptr);
    }
}

SprSprite* REditFrame::CarriedFrameSprite() const {
    SprSprite* sprite = frameSprite_ ? sprFind(frameSprite_) : nullptr;
    return sprite && (sprite->dragFlags & kSprDragActive) ? sprite : nullptr;
}

void REditFrame::DropFrameSprite() {
    if (SprSprite* sprite = CarriedFrameSprite()) sprActivate(sprite, nullptr, kTrackStop, 0, nullptr);
}

Rect16 REditFrame::MovedRect(Point16 point) const {
    Rect16 moved = start_;
    rectOffset(&moved, i16(point.h - press_.h), i16(point.v - press_.v));
    const Rect16 limit = MoveLimit();
    if (moved.left < limit.left) rectOffset(&moved, i16(limit.left - moved.left), 0);
    if (moved.right > limit.right) rectOffset(&moved, i16(limit.right - moved.right), 0);
    if (moved.top < limit.top) rectOffset(&moved, 0, i16(limit.top - moved.top));
    if (moved.bottom > limit.bottom) rectOffset(&moved, 0, i16(limit.bottom - moved.bottom));
    return moved;
}

void REditFrame::DragTo(Point16 point) {
    if (dragging_) {
        drag_ = MovedRect(point);
        // The sprite layer carries the outline where the limit lets it go, at once rather than
        // at the next screen update.
        if (SprSprite* sprite = CarriedFrameSprite()) {
            sprite->mouse = Point16{i16(press_.h + drag_.left - start_.left), i16(press_.v + drag_.top - start_.top)};
            sprDragProc(sprite, 0);
        }
    } else if (resizing_)
        drag_ = ResizedRect(point);
    else
        return;
    PlaceHandles(drag_);
}

void REditFrame::EndMove(Point16) {
    if (!dragging_) return;
    DropFrameSprite();
    dragging_ = 0;
    gEditFrameDragging = 0;
    Commit(kUndoFrameMove);
    drag_ = GetRect();
    PlaceHandles(drag_);
}

// --- resizing

u16 REditFrame::BeginResize(Point16 point, u16 mode) {
    handle_ = HandleAt(point);
    const Rect16 frame = GetRect();
    if (handle_ == kNoHandle) return 0;
    ClickOff();
    press_ = point;
    start_ = drag_ = frame;
    return TrackHandle(point, mode);
}

Rect16 REditFrame::ResizedRect(Point16 point) const {
    const i16 dx = i16(point.h - press_.h), dy = i16(point.v - press_.v);
    const bool left = handle_ == kHandleTopLeft || handle_ == kHandleBottomLeft;
    const bool top = handle_ == kHandleTopLeft || handle_ == kHandleTopRight;
    const Point16 least = MinimumSize();
    Rect16 r = start_;
    // Within [lo, hi]; a side that cannot meet both stays where it was.
    auto limited = [](i16 value, i16 lo, i16 hi, i16 was) { return lo > hi ? was : std::clamp(value, lo, hi); };
    // The held corner goes as far as the canvas on its own sides (or where the frame already
    // stood past them), and keeps the least size from the opposite corner, or from the
    // canvas's edge when that corner lies past it.
    if (left)
        r.left = limited(i16(r.left + dx), std::min(canvas_.left, start_.left),
                         i16(std::min(r.right, canvas_.right) - least.h), r.left);
    else
        r.right = limited(i16(r.right + dx), i16(std::max(r.left, canvas_.left) + least.h),
                          std::max(canvas_.right, start_.right), r.right);
    if (top)
        r.top = limited(i16(r.top + dy), std::min(canvas_.top, start_.top),
                        i16(std::min(r.bottom, canvas_.bottom) - least.v), r.top);
    else
        r.bottom = limited(i16(r.bottom + dy), i16(std::max(r.top, canvas_.top) + least.v),
                           std::max(canvas_.bottom, start_.bottom), r.bottom);
    return r;
}

u16 REditFrame::TrackHandle(Point16, u16 mode) {
    if (mode == kTrackStart) {
        if (handle_ == kNoHandle) return 0;
        resizing_ = 1;
        gEditFrameDragging = 1;
        return 1;
    }
    if (mode != kTrackStop || !resizing_) return 0;
    resizing_ = 0;
    gEditFrameDragging = 0;
    return 1;
}

u16 REditFrame::EndResize(Point16 point, u16 mode) {
    if (resizing_) drag_ = ResizedRect(point);
    const u16 stopped = TrackHandle(point, mode);
    if (stopped && (point.h != press_.h || point.v != press_.v)) ApplyResize();
    handle_ = kNoHandle;
    drag_ = GetRect();
    PlaceHandles(drag_);
    return stopped;
}

void REditFrame::ApplyResize() { Commit(kUndoFrameSize); }

bool REditFrame::Commit(FourCC code) {
    const Rect16 before = GetRect();
    if (rectEqual(drag_, before) || !WriteBack(drag_)) return false;
    if (undo_) undo_->Record(code, before);
    return true;
}

}  // namespace Ostrel
