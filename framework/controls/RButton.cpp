#include "framework/controls/RButton.h"

#include "engine/gfx/sprites/SprLayer.h"
#include "framework/input/RHotSpotList.h"

namespace Ostrel {

RButton::RButton(const ButtonRecord& record, u16 sprite, RHotSpotItem* item, CListener* listener)
    : record_(record), sprite_(sprite), item_(item), listener_(listener) {
    if (item_ != nullptr) item_->SetClient(this);
}

RButton::~RButton() {
    if (item_ != nullptr) {
        RHotSpotItem* item = item_;
        item_ = nullptr;
        item->SetClient(nullptr);
        if (item->GetList() != nullptr) item->GetList()->DestroyHotSpot(item);
    }
    if (sprite_ != kSprNoId) sprDispose(&sprite_);
}

void RButton::Draw() {
    shown_ = true;
    SprSprite* sprite = sprFind(sprite_);
    if (sprite == nullptr) return;
    const u16 shape = HasShape(state_) ? record_.shapes[state_] : record_.shapes[kButtonUp];
    if (sprite->shape != shape) sprSetShape(sprite, shape, nullptr, 0);
    sprShow(sprite, 0);
}

void RButton::SetLook(u16 shape, u16 highlighted, u16 pressedShape) {
    record_.shapes = {shape, highlighted, pressedShape, pressedShape};
    if (shown_) Draw();
}

void RButton::Show() {
    Draw();
    if (item_ != nullptr) item_->Enable();
}

// The item goes out of service too: a hidden button must not light up under the pointer.
void RButton::Hide() {
    if (item_ != nullptr) item_->Disable();
    if (SprSprite* sprite = sprFind(sprite_)) sprHide(sprite, 1, 0);
    shown_ = false;
}

void RButton::EnableHotSpot(bool enable) {
    if (item_ == nullptr) return;
    if (enable)
        item_->Enable();
    else
        item_->Disable();
}

void RButton::Post(u32 code) {
    if (item_ == nullptr || item_->GetGroup() == 0 || item_->GetList() == nullptr) return;
    item_->GetList()->PostMessageTo(listener_, code, reinterpret_cast<uintptr_t>(item_), item_->GetGroup());
}

// A click or press: the button goes down and latches, becomes selected, or, for a latched
// toggle clicked again, is released.
u16 RButton::Press(u16 event) {
    if (!HasShape(kButtonDown) && !HasShape(kButtonSelected)) return kButtonUp;
    if (record_.kind == ButtonKind::Select) {
        selected_ = true;
        Post(kMsgButtonSelected);
        return kButtonSelected;
    }
    if (latched_ && event == kHsEventClick) {
        if (record_.kind == ButtonKind::Toggle) {
            latched_ = false;
            return kButtonUp;
        }
        return state_;
    }
    latched_ = true;
    Post(kMsgButtonLatched);
    return kButtonDown;
}

u16 RButton::HandleEvent(u16 event, bool redraw) {
    u16 next = state_;
    switch (event) {
        case kHsEventEnter:
        case kHsEventPressed: next = kButtonHighlighted; break;
        // The pointer left: back to the look the button rests in.
        case kHsEventLeave: next = selected_ ? kButtonSelected : latched_ ? kButtonDown : kButtonUp; break;
        case kHsEventRelease:
        case kHsEventReset:
            latched_ = false;
            selected_ = false;
            next = kButtonUp;
            break;
        case kHsEventClick:
        case kHsEventPress: next = Press(event); break;
        case kHsEventActivate: next = HasShape(kButtonSelected) ? Press(kHsEventClick) : kButtonUp; break;
        case kHsEventSelect:
            if (HasShape(kButtonSelected)) {
                selected_ = true;
                next = kButtonSelected;
            }
            break;
        default: break;
    }
    const bool changed = next != state_;
    state_ = next;
    if (changed && redraw && shown_) Draw();
    return state_;
}

void RButton::SetSpriteProcs(SprReadyProc ready, SprStepProc step, SprDrawProc draw) {
    if (SprSprite* sprite = sprFind(sprite_)) sprSetProcs(sprite, ready, step, draw);
}

void RButton::SetOwnerData(uintptr_t owner) {
    owner_ = owner;
    if (SprSprite* sprite = sprFind(sprite_)) sprite->data1 = owner;
}

}  // namespace Ostrel
