#include "tools/cut/RGraphicClip.h"

#include <utility>

#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "engine/regions/Regions.h"
#include "framework/input/RHotSpotList.h"
#include "platform/ui/Messages.h"
#include "tools/base/RToolMgr.h"
#include "tools/cut/ClipPixels.h"

namespace {

// The sprites' kind the clip's is found by.
constexpr u32 kClipSpriteKind = 34;
// Above the page's objects and the panel's art: the child is holding it.
constexpr u32 kClipSpriteFlags = kSprAboveAll | kClipSpriteKind;
// The sprite layer's modes: pick up, and drop what is picked up.
constexpr u16 kClipPickUp = 4;
constexpr u16 kClipDrop = 2;

// Pushes one axis of a span of the given length back inside [low, high).
i16 pushInside(i16 at, i32 length, i16 low, i16 high) {
    if (length >= high - low || at < low) return low;
    if (at + length > high) return i16(high - length);
    return at;
}

Point16 pointOf(u32 packed) { return Point16{i16(packed & 0xFFFF), i16(packed >> 16)}; }

}  // namespace

RGraphicClip::RGraphicClip(CListener* owner, bool floating)
    : Ostrel::RSender(kGraphicClipTag), owner_(owner), floating_(floating) {
    if (owner_) AddListener(owner_);
}

RGraphicClip::~RGraphicClip() {
    if (!gone_) Drop(false);
    if (mask_) rgnDispose(mask_);
}

u16 RGraphicClip::Init(RToolMgr* picture, const PixelView* image, memHandle mask, const Rect16& dragLimit,
                       Ostrel::RHotSpotList* outside, bool registerInput) {
    picture_ = picture;
    mask_ = rgnCreate();
    if (!mask_ || !mask || rgnCopy(mask_, mask) != kErrNone || rgnIsEmpty(mask_) != 0) return 1;
    const auto* record = static_cast<const RegionRecord*>(memDerefHandle(mask_));
    place_ = Point16{record->bounds.left, record->bounds.top};
    rgnOffset(mask_, i16(-place_.h), i16(-place_.v));
    size_ = Rect16{0, 0, i16(record->bounds.right - record->bounds.left), i16(record->bounds.bottom - record->bounds.top)};
    outline_ = maskOutline(mask_, size_.right, size_.bottom);
    const Point16 at = place_;
    const u16 sprite = sprNewWithProcs(kClipSpriteFlags, 0, &at, nullptr, &RGraphicClip::Step, &RGraphicClip::Draw);
    sprite_ = sprite == kSprNoId ? 0 : sprite;
    if (SprSprite* s = sprFind(sprite_)) {
        s->data1 = reinterpret_cast<uintptr_t>(this);
        s->hit = &RGraphicClip::Hit;
        s->bounds = GetBounds();
        sprBringToFront(s);
        sprInvalRect(s->bounds);
    }
    antsShown_ = true;
    dragLimit_ = dragLimit;
    outside_ = outside;
    if (registerInput) {
        Rest();
        Register(Ostrel::kInputMouseButtons | Ostrel::kInputMouseMove);
    }
    if (image && image->top) {
        image_.assign(size_t(size_.right) * size_t(size_.bottom), kRgb555White);
        ImageView().CopyRectFrom(*image, size_);
        // What floats in from elsewhere is put down in the picture as one change.
        if (picture_) picture_->BeginChange();
    } else {
        liftPending_ = true;
    }
    return 0;
}

PixelView RGraphicClip::ImageView() const {
    auto* pixels = const_cast<u16*>(image_.data());
    return PixelView{reinterpret_cast<u8*>(pixels), std::ptrdiff_t(size_.right) * 2, size_.right, size_.bottom};
}

Rect16 RGraphicClip::GetBounds() const {
    if (gone_ || !mask_) return Rect16{0, 0, 0, 0};
    return Rect16{place_.h, place_.v, i16(place_.h + size_.right), i16(place_.v + size_.bottom)};
}

Point16 RGraphicClip::Local(Point16 screen) const {
    const Rect16& canvas = picture_->CanvasRect();
    return Point16{i16(screen.h - canvas.left), i16(screen.v - canvas.top)};
}

bool RGraphicClip::InShape(Point16 point) const {
    if (!rectContainsPoint(GetBounds(), point)) return false;
    return rgnContainsPoint(mask_, Point16{i16(point.h - place_.h), i16(point.v - place_.v)}) == 1;
}

u16 RGraphicClip::Hit(SprSprite* sprite, Point16 point) {
    const auto* clip = reinterpret_cast<const RGraphicClip*>(sprite->data1);
    return clip && clip->InShape(point) ? 1 : 0;
}

bool RGraphicClip::Reaches(Point16 point) const {
    // The sprite layer knows what lies in front; without a screen the shape alone tells.
    SprSprite* own = sprFind(sprite_);
    if (!own) return InShape(point);
    return sprFindAtPoint(point, kClipSpriteKind, 1, 1, 0) == own;
}

SprSprite* RGraphicClip::Carried() const {
    SprSprite* s = sprFind(sprite_);
    return s && (s->dragFlags & kSprDragActive) ? s : nullptr;
}

void RGraphicClip::MoveTo(Point16 topLeft) {
    if (SprSprite* carried = Carried()) {
        // The sprite layer carries it where the drag limit lets it go.
        carried->mouse = Point16{i16(topLeft.h + carried->grabOffset.h), i16(topLeft.v + carried->grabOffset.v)};
        sprDragProc(carried, 0);
        place_ = carried->position;
        return;
    }
    topLeft.h = pushInside(topLeft.h, size_.right, dragLimit_.left, dragLimit_.right);
    topLeft.v = pushInside(topLeft.v, size_.bottom, dragLimit_.top, dragLimit_.bottom);
    SprSprite* s = sprFind(sprite_);
    if (s) sprInvalRect(s->bounds);
    place_ = topLeft;
    if (!s) return;
    s->position = topLeft;
    s->bounds = GetBounds();
    s->changed = 1;
    sprInvalRect(s->bounds);
}

void RGraphicClip::CenterOn(Point16 point) {
    MoveTo(Point16{i16(point.h - size_.right / 2), i16(point.v - size_.bottom / 2)});
}

void RGraphicClip::ToggleSprite(Point16 point) {
    if (gone_) return;
    antsShown_ = false;
    dragging_ = true;
    grab_ = Point16{i16(point.h - place_.h), i16(point.v - place_.v)};
    // Picked up in front of everything: the sprite layer carries it with the pointer.
    if (SprSprite* s = sprFind(sprite_)) sprActivate(s, &point, kClipPickUp, 0, &dragLimit_);
}

void RGraphicClip::FillUnder(u16 pixel) {
    if (!picture_ || !picture_->Work().top) return;
    const Point16 at = Local(place_);
    fillMask(picture_->Work(), PlacedMask{mask_, at}, pixel);
    picture_->ShowChange(Rect16{at.h, at.v, i16(at.h + size_.right), i16(at.v + size_.bottom)});
    sprInvalRect(GetBounds());
}

void RGraphicClip::EraseUnder(bool drop) {
    if (gone_ || !picture_) return;
    if (!picture_->ChangeOpen()) picture_->BeginChange();
    FillUnder(kRgb555White);
    if (drop) Drop(false);
}

void RGraphicClip::Lift(bool erase) {
    if (!image_.empty() || !picture_ || !picture_->Work().top) return;
    picture_->BeginChange();
    image_.assign(size_t(size_.right) * size_t(size_.bottom), kRgb555White);
    const Point16 at = Local(place_);
    copyThroughMask(ImageView(), picture_->Work(), Point16{i16(-at.h), i16(-at.v)}, PlacedMask{mask_, {0, 0}});
    if (erase) FillUnder(kRgb555White);
}

void RGraphicClip::CopyThroughMask(const PixelView& target, Point16 at) const {
    if (image_.empty()) return;
    copyThroughMask(target, ImageView(), at, PlacedMask{mask_, at});
}

u32 RGraphicClip::Press(Point16 point, bool copy) {
    if (gone_ || !enabled_) return 0;
    if (Reaches(point)) {
        ReleaseItem();
        antsShown_ = false;
        if (liftPending_) {
            liftPending_ = false;
            Lift(!floating_ && !copy);
            if (floating_) Tell(kClipState, 1);
            // From now on the clip floats over the picture: picking it up again erases
            // nothing under it (the picture there is the child's, not the piece's).
            floating_ = true;
        } else {
            if (!floating_ && !copy) FillUnder(kRgb555White);
            floating_ = true;
        }
        ToggleSprite(point);
        Tell(kClipMoved, kClipDragBegan);
        return 1;
    }
    if (rectContainsPoint(dragLimit_, point)) {
        Tell(kClipMoved, kClipPressedOff);
        Drop(false);
        return 0;
    }
    if (outside_ && outside_->ItemAt(point)) return 0;
    Drop(false);
    return 0;
}

u32 RGraphicClip::Release(Point16 point) {
    if (gone_ || !dragging_) return 0;
    // Put down first: a carried sprite goes where the pointer is now, and on a busy machine
    // the pointer may have moved on since the button came up. The piece lands where it did.
    if (SprSprite* carried = Carried()) sprActivate(carried, nullptr, kClipDrop, 0, nullptr);
    MoveTo(Point16{i16(point.h - grab_.h), i16(point.v - grab_.v)});
    dragging_ = false;
    antsShown_ = true;
    Rest();
    Tell(kClipMoved, kClipDragEnded);
    return 1;
}

void RGraphicClip::PutDown() {
    if (!picture_ || !picture_->Work().top || image_.empty()) return;
    const Point16 at = Local(place_);
    CopyThroughMask(picture_->Work(), at);
    picture_->ShowChange(Rect16{at.h, at.v, i16(at.h + size_.right), i16(at.v + size_.bottom)});
}

void RGraphicClip::Drop(bool keepPicture) {
    if (gone_) return;
    Unregister();
    // Dragged or resting, the pixels go where the clip is now.
    if (!image_.empty()) {
        if (!keepPicture) PutDown();
        PostMessageTo(owner_, kClipPutDown, reinterpret_cast<uintptr_t>(this), 0);
    }
    FreeSprite();
    image_.clear();
    antsShown_ = false;
    dragging_ = false;
    gone_ = true;
    ReleaseItem();
    Tell(kClipState, 0);
}

void RGraphicClip::FreeSprite() {
    if (SprSprite* s = sprFind(sprite_)) {
        s->data1 = 0;
        sprInvalRect(s->bounds);
    }
    if (sprite_) sprRemoveById(sprite_, 1, 1);
    sprite_ = 0;
}

void RGraphicClip::Rest() {
    ReleaseItem();
    if (!outside_) return;
    memHandle shape = rgnCreate();
    if (!shape) return;
    rgnCopy(shape, mask_);
    rgnOffset(shape, place_.h, place_.v);
    Ostrel::HSInfo info;
    info.rect = GetBounds();
    info.kind = Ostrel::kHotSpotRegion;
    item_ = outside_->CreateRegionHotSpot(info, shape);
    rgnDispose(shape);
    if (!item_) return;
    Ostrel::RMessage message(kClipHotSpot, reinterpret_cast<uintptr_t>(item_), 0);
    message.sender = this;
    Broadcast(&message);
}

void RGraphicClip::ReleaseItem() {
    Ostrel::RHotSpotItem* item = std::exchange(item_, nullptr);
    if (!item) return;
    // The screen that took it may have gone with its list, and the item with it.
    for (Ostrel::RHotSpotList* list : Ostrel::RHotSpotList::Lists())
        for (int i = 0; i < list->Count(); ++i)
            if (list->GetHotSpot(i) == item) return list->DestroyHotSpot(item);
}

void RGraphicClip::Tell(u32 code, u16 param2) {
    if (!owner_) return;
    Ostrel::RMessage message(code, reinterpret_cast<uintptr_t>(this), param2);
    message.sender = this;
    owner_->HandleMessage(&message, 0);
}

u32 RGraphicClip::HandleInput(u32, Point16 point, u32 buttons) {
    return Press(point, (buttons & plat::kMouseControl) != 0);
}

u32 RGraphicClip::HandleMouseMove(Point16 point, u32) {
    if (!dragging_ || gone_) return 0;
    MoveTo(Point16{i16(point.h - grab_.h), i16(point.v - grab_.v)});
    return 1;
}

u32 RGraphicClip::HandleMouseUp(u32, Point16 point, u32) { return Release(point); }

void RGraphicClip::HandleNotification(const Ostrel::RInputEvent& event) {
    if (event.kind != Ostrel::kInputEventMouseDown || gone_) return;
    // A press another object took on an item the clip may be left for (a panel button).
    if (outside_ && outside_->ItemAt(pointOf(event.data))) return;
    Drop(false);
}

void RGraphicClip::Step(SprSprite* sprite, memHandle) {
    auto* clip = reinterpret_cast<RGraphicClip*>(sprite->data1);
    SprScreen* screen = sprScreen();
    if (!clip) return;
    // Where the sprite layer carried it, the pixels go down and the next press finds it.
    clip->place_ = sprite->position;
    if (!clip->antsShown_ || !screen) return;
    if (i32(screen->currentTime - sprite->nextStepTime) < 0) return;
    sprite->nextStepTime = screen->currentTime + kClipAntsStepMs;
    sprite->changed = 1;
}

void RGraphicClip::Draw(SprSprite* sprite) {
    auto* clip = reinterpret_cast<RGraphicClip*>(sprite->data1);
    SprScreen* screen = sprScreen();
    auto* port = screen ? dynamic_cast<GfxOffscreenPort*>(screen->workPort) : nullptr;
    if (!clip || !port) return;
    const PixelView target = pixelViewOfPort(*port);
    if (!target.top) return;
    // Only what the update recomposes: elsewhere the work picture already shows the clip.
    for (const Rect16& dirty : maskRects(screen->dirty)) {
        const PlacedMask placed{clip->mask_, sprite->position, dirty};
        if (!clip->image_.empty()) copyThroughMask(target, clip->ImageView(), sprite->position, placed);
        if (clip->antsShown_) marchAnts(target, clip->outline_, placed, clip->phase_);
    }
    if (clip->antsShown_) clip->phase_ = u8((clip->phase_ + 1) & 7);
}
