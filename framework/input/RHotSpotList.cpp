#include "framework/input/RHotSpotList.h"

#include <algorithm>

#include "engine/gfx/GfxDraw.h"
#include "engine/regions/Regions.h"
#include "framework/input/RCursorTable.h"
#include "framework/input/RHotSpotClient.h"
#include "framework/input/RInputRegistryList.h"
#include "framework/messaging/CListener.h"

namespace Ostrel {
namespace {

constexpr FourCC kHotSpotListTag = fourCC("HSLs");

std::vector<RHotSpotList*>& lists() {
    // Never destroyed: static lists may leave it while the program ends.
    static auto* all = new std::vector<RHotSpotList*>();
    return *all;
}

CListener*& changeListener() {
    static CListener* listener = nullptr;
    return listener;
}

bool inGroups(u16 group, u16 first, u16 last) {
    if (first == kEveryGroup) return group != 0;
    if (last == 0) return group == first;
    return group >= first && group <= last;
}

}  // namespace

RHotSpotList::RHotSpotList(CListener* owner) : RSender(kHotSpotListTag), owner_(owner) {
    Register(kInputMouseButtons | kInputMouseMove);
    lists().insert(lists().begin(), this);
}

RHotSpotList::~RHotSpotList() {
    std::erase(lists(), this);
    over_ = nullptr;
    pressed_ = nullptr;
    // Items first, while the list they may ask about still stands.
    while (!items_.empty()) items_.pop_back();
}

const std::vector<RHotSpotList*>& RHotSpotList::Lists() { return lists(); }

void RHotSpotList::LeaveAll() {
    // A leave may make or drop lists (a tip, a panel): walk a copy, skipping the gone.
    const std::vector<RHotSpotList*> snapshot = lists();
    for (RHotSpotList* list : snapshot)
        if (std::ranges::find(lists(), list) != lists().end() && list->pressed_ == nullptr) list->SetOver(nullptr, true);
}

void RHotSpotList::SetChangeListener(CListener* listener) { changeListener() = listener; }
CListener* RHotSpotList::GetChangeListener() { return changeListener(); }

RHotSpotItem* RHotSpotList::Adopt(std::unique_ptr<RHotSpotItem> item) {
    item->list_ = this;
    items_.push_back(std::move(item));
    return items_.back().get();
}

RHotSpotItem* RHotSpotList::CreateHotSpot(const HSInfo& info, u16 enable) {
    RHotSpotItem* item = Adopt(std::unique_ptr<RHotSpotItem>(new RHotSpotItem(this, info, 0)));
    item->receiver_ = owner_;
    item->active_ = enable != 0;
    return item;
}

RHotSpotItem* RHotSpotList::AddHotSpot(const HSInfo& info, CListener* receiver) {
    RHotSpotItem* item = CreateHotSpot(info, 1);
    item->receiver_ = receiver;
    return item;
}

RHotSpotItem* RHotSpotList::CreateRectHotSpot(const Rect16& rect, u32 message) {
    HSInfo info;
    info.rect = rect;
    info.kind = kHotSpotRect;
    info.message = message;
    return CreateHotSpot(info, 1);
}

RHotSpotItem* RHotSpotList::CreateRegionHotSpot(const HSInfo& info, memHandle region) {
    const memHandle copy = rgnCreate();
    if (copy == 0) return nullptr;
    if (rgnCopy(copy, region) != kErrNone) {
        rgnDispose(copy);
        return nullptr;
    }
    HSInfo regionInfo = info;
    regionInfo.kind = kHotSpotRegion;
    RHotSpotItem* item = Adopt(std::unique_ptr<RHotSpotItem>(new RHotSpotItem(this, regionInfo, copy)));
    item->receiver_ = owner_;
    item->active_ = true;
    return item;
}

std::vector<std::unique_ptr<RHotSpotItem>>::iterator RHotSpotList::Find(const RHotSpotItem* item) {
    return std::find_if(items_.begin(), items_.end(), [item](const auto& own) { return own.get() == item; });
}

void RHotSpotList::DestroyHotSpot(RHotSpotItem* item) {
    std::unique_ptr<RHotSpotItem> gone = TakeHotSpot(item);
}

std::unique_ptr<RHotSpotItem> RHotSpotList::TakeHotSpot(RHotSpotItem* item) {
    const auto at = Find(item);
    if (at == items_.end()) return nullptr;
    // Its client must not stay lit, nor its cursor stay showing, over the place it left.
    EndPointerStates(item, kHsReasonDeactivated);
    std::unique_ptr<RHotSpotItem> taken = std::move(*at);
    items_.erase(at);
    taken->list_ = nullptr;
    return taken;
}

void RHotSpotList::AdoptHotSpot(std::unique_ptr<RHotSpotItem> item) {
    if (item != nullptr) Adopt(std::move(item));
}

RHotSpotItem* RHotSpotList::GetHotSpot(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return items_[size_t(index)].get();
}

RHotSpotItem* RHotSpotList::ItemAt(Point16 point) const {
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        if ((*it)->active_ && (*it)->Contains(point)) return it->get();
    }
    return nullptr;
}

void RHotSpotList::ApplyToGroups(u16 first, u16 last, u16 action) {
    if (first == 0) return;
    // Collected first: showing, hiding or destroying may change the list.
    std::vector<RHotSpotItem*> chosen;
    for (const auto& item : items_) {
        if (inGroups(item->info_.group, first, last)) chosen.push_back(item.get());
    }
    for (RHotSpotItem* item : chosen) {
        switch (action) {
            case kGroupShow:
                if (item->client_ != nullptr) item->client_->Show();
                break;
            case kGroupHide:
                if (item->client_ != nullptr) item->client_->Hide();
                break;
            case kGroupEnable: item->Enable(); break;
            case kGroupDisable: item->Disable(); break;
            case kGroupDestroyShapeRects:
                if (item->info_.kind == kHotSpotShapeRect) DestroyHotSpot(item);
                break;
            default: break;
        }
    }
}

void RHotSpotList::MoveToFront() {
    inputRegistryRemove(this);
    inputRegistryInsertFront(this);
    std::erase(lists(), this);
    lists().insert(lists().begin(), this);
}

void RHotSpotList::MoveToBack() {
    inputRegistryRemove(this);
    inputRegistryInsertBack(this);
    std::erase(lists(), this);
    lists().push_back(this);
}

void RHotSpotList::ShowCursor(u16 index) {
    const plat::cursor::CursorId cursor = cursorForIndex(index);
    if (cursor != plat::cursor::kNoCursor) gfxSetCursorId(cursor);
}

void RHotSpotList::EndPointerStates(RHotSpotItem* item, u16 reason) {
    const bool touched = over_ == item || pressed_ == item;
    if (over_ == item) over_ = nullptr;
    if (pressed_ == item) pressed_ = nullptr;
    if (touched && item->client_ != nullptr) item->client_->HandleEvent(kHsEventLeave, true);
    if (touched && reason != kHsReasonClick) ShowCursor(kCursorIndexStandard);
}

void RHotSpotList::SetOver(RHotSpotItem* item, bool now) {
    if (item == over_) return;
    RHotSpotItem* left = over_;
    over_ = item;
    if (left != nullptr) {
        if (left->client_ != nullptr) left->client_->HandleEvent(kHsEventLeave, true);
        TellHover(left, 0, now);
    }
    if (item != nullptr) {
        if (item->client_ != nullptr) item->client_->HandleEvent(kHsEventEnter, true);
        TellHover(item, 1, now);
        ShowCursor(item->info_.cursorOver);
    } else {
        ShowCursor(kCursorIndexStandard);
    }
}

void RHotSpotList::TellHover(const RHotSpotItem* item, u16 entering, bool now) {
    if (item->info_.message2 == 0) return;
    if (!now || item->receiver_ == nullptr) return PostMessageTo(item->receiver_, item->info_.message2, item->record_, entering);
    RMessage message(item->info_.message2, item->record_, entering);
    message.sender = this;
    message.target = item->receiver_;
    item->receiver_->HandleMessage(&message, 0);
}

u32 RHotSpotList::HandleInput(u32 button, Point16 point, u32) {
    if (button != kInputLeftButton) return 0;
    RHotSpotItem* item = ItemAt(point);
    if (item == nullptr) return 0;
    // A press ends the hover: what the hover showed (a tool tip) goes with it, and shows again
    // only when the pointer comes back over the item.
    if (over_ != nullptr) TellHover(over_, 0, false);
    over_ = item;
    pressed_ = item;
    pressedInside_ = true;
    if (item->client_ != nullptr) item->client_->HandleEvent(kHsEventPressed, true);
    ShowCursor(item->info_.cursorPressed);
    return 1;
}

u32 RHotSpotList::HandleMouseUp(u32 button, Point16 point, u32) {
    if (button != kInputLeftButton || pressed_ == nullptr) return 0;
    RHotSpotItem* item = pressed_;
    pressed_ = nullptr;
    const bool inside = item->active_ && item->Contains(point);
    if (!inside) {
        over_ = nullptr;
        if (item->client_ != nullptr) item->client_->HandleEvent(kHsEventLeave, true);
        SetOver(ItemAt(point));
        return 1;
    }
    if (item->client_ != nullptr) item->client_->HandleEvent(kHsEventClick, true);
    if (item->info_.message != 0) PostMessageTo(item->receiver_, item->info_.message, item->record_, kHsReasonClick);
    ShowCursor(item->info_.cursorOver);
    return 1;
}

u32 RHotSpotList::HandleMouseMove(Point16 point, u32) {
    if (pressed_ != nullptr) {
        const bool inside = pressed_->active_ && pressed_->Contains(point);
        if (inside != pressedInside_) {
            pressedInside_ = inside;
            if (pressed_->client_ != nullptr)
                pressed_->client_->HandleEvent(inside ? kHsEventPressed : kHsEventLeave, true);
        }
        return 1;
    }
    RHotSpotItem* hit = ItemAt(point);
    if (hit != nullptr) {
        // The lists behind are not offered a move this list takes: their items are no longer
        // under the pointer. Cleared first, so the cursor shown is this item's.
        for (RHotSpotList* other : lists()) {
            if (other != this && other->pressed_ == nullptr) other->SetOver(nullptr);
        }
    }
    SetOver(hit);
    return hit != nullptr ? 1 : 0;
}

void RHotSpotList::HandleNotification(const RInputEvent& event) {
    // Another object took the pointer: nothing of ours is under it any more.
    if (event.kind == kInputEventMouseMove || event.kind == kInputEventMouseDown) SetOver(nullptr);
}

void MoveHotSpotToOwner(RHotSpotItem* item, RHotSpotList* owner) {
    if (item == nullptr || owner == nullptr || item->GetList() == nullptr) return;
    std::unique_ptr<RHotSpotItem> moved = item->GetList()->TakeHotSpot(item);
    if (moved == nullptr) return;
    moved->SetReceiver(owner->GetOwner());
    owner->AdoptHotSpot(std::move(moved));
}

}  // namespace Ostrel
