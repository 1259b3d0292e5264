#include "framework/input/RHotSpotItem.h"

#include "engine/gfx/sprites/SprLayer.h"
#include "engine/regions/Regions.h"
#include "framework/input/RHotSpotClient.h"
#include "framework/input/RHotSpotList.h"
#include "framework/messaging/mfMessageQueue.h"
#include "platform/cursor/Cursors.h"

namespace Ostrel {

RHotSpotItem::RHotSpotItem(RHotSpotList* list, const HSInfo& info, memHandle region)
    : list_(list), info_(info), region_(region) {}

RHotSpotItem::~RHotSpotItem() {
    // Its buttons post the item itself in their group messages.
    mfMessageQueue::Global().PurgeParameter(reinterpret_cast<uintptr_t>(this));
    if (client_ != nullptr) client_->HotSpotGone();
    if (region_ != 0) rgnDispose(region_);
}

void RHotSpotItem::Enable() {
    if (client_ != nullptr && client_->IsHidden()) return;
    active_ = true;
    PostChanged();
}

void RHotSpotItem::Disable() {
    Deactivate(kHsReasonDisabled);
    active_ = false;
    PostChanged();
}

void RHotSpotItem::Deactivate(u16 reason) {
    if (list_ != nullptr) {
        const bool wasPressed = list_->PressedItem() == this;
        list_->EndPointerStates(this, reason);
        if (wasPressed && reason == kHsReasonClick && info_.message != 0)
            list_->PostMessageTo(receiver_, info_.message, record_, reason);
    }
    if (reason == kHsReasonDisabled && highlightSprite_ != 0) {
        sprDispose(&highlightSprite_);
        highlightSprite_ = 0;
    }
}

void RHotSpotItem::PostChanged() {
    if (list_ == nullptr || RHotSpotList::GetChangeListener() == nullptr) return;
    const plat::cursor::Position at = plat::cursor::pointerPosition();
    RMessage message(kMsgHotSpotsChanged, 0, 0);
    message.point = Point16{i16(at.x), i16(at.y)};
    message.target = RHotSpotList::GetChangeListener();
    list_->PostRecord(message);
}

void RHotSpotItem::SetCursorIds(u16 over, u16 pressed) {
    if (over <= kCursorIndexLast) info_.cursorOver = over;
    if (pressed <= kCursorIndexLast) info_.cursorPressed = pressed;
}

void RHotSpotItem::SetRect(const Rect16& rect) {
    if (rectIsEmpty(rect)) return;
    info_.rect = rect;
    if (region_ != 0) rgnResetToRect(region_, rect);
}

bool RHotSpotItem::Contains(Point16 point) const {
    if (region_ != 0) return rgnContainsPoint(region_, point) != 0;
    return rectContainsPoint(info_.rect, point);
}

}  // namespace Ostrel
