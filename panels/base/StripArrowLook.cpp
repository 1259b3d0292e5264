#include "panels/base/StripArrowLook.h"

#include "engine/gfx/sprites/SprLayer.h"
#include "framework/controls/RButton.h"

namespace Ostrel {

StripArrowLook::~StripArrowLook() {
    if (item_ != nullptr && item_->GetClient() == this) item_->SetClient(nullptr);
}

void StripArrowLook::Attach(RHotSpotItem* item, u16 sprite) {
    if (item_ != nullptr && item_->GetClient() == this) item_->SetClient(nullptr);
    item_ = item;
    sprite_ = sprite;
    if (item_ != nullptr) item_->SetClient(this);
    SetDown(false, true);
}

u16 StripArrowLook::HandleEvent(u16 event, bool redraw) {
    switch (event) {
        case kHsEventPressed: SetDown(true, redraw); break;
        // Released over the arrow (the strip scrolls), left, or put back by the owner.
        case kHsEventClick:
        case kHsEventLeave:
        case kHsEventRelease:
        case kHsEventReset: SetDown(false, redraw); break;
        default: break;
    }
    return down_ ? kButtonDown : kButtonUp;
}

void StripArrowLook::SetDown(bool down, bool redraw) {
    if (down == down_) return;
    down_ = down;
    SprSprite* sprite = sprite_ != 0 ? sprFind(sprite_) : nullptr;
    if (sprite == nullptr) return;
    // A part of frame 0 ends the sprite's parts: its shape has no such arrow.
    for (u16 part = 0; part <= part_; ++part)
        if (sprite->parts[part].frame == 0) return;
    // The part changes its look in place, and only the arrow is drawn again: the sprite's
    // bounds reach across the strip that lies between the two arrows.
    SprPart& arrow = sprite->parts[part_];
    arrow.frame = u16(down ? arrow.frame + kStripArrowDownStep : arrow.frame - kStripArrowDownStep);
    if (redraw && item_ != nullptr) sprInvalRect(item_->GetRect());
}

}  // namespace Ostrel
