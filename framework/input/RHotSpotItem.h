#pragma once
// One clickable area of a hot-spot list: a rectangle or a region, the receiver of its
// messages, its cursors and the client (button) whose look it drives. The list owns its items;
// an item destroyed or moved away is never left as the list's pointed-at or pressed item.
// User-interface thread only.
#include <cstdint>

#include "engine/base/MemoryHandles.h"
#include "framework/input/HSInfo.h"

class CListener;

namespace Ostrel {

class RHotSpotClient;
class RHotSpotList;

// Why a press ended (parameter 2 of the item's message); owners taking an item out of
// service use kHsReasonDeactivated.
constexpr u16 kHsReasonClick = 0;
constexpr u16 kHsReasonDeactivated = 2;
constexpr u16 kHsReasonDisabled = 3;

// Posted to the change listener (RHotSpotList::SetChangeListener) with the pointer position,
// so that the pointed-at item is found again after items changed.
constexpr u32 kMsgHotSpotsChanged = 55;

class RHotSpotItem {
public:
    RHotSpotItem(const RHotSpotItem&) = delete;
    RHotSpotItem& operator=(const RHotSpotItem&) = delete;
    ~RHotSpotItem();

    // Active again unless its client is hidden; posts the change.
    void Enable();
    // Ends a press (kHsReasonDisabled), clears the active flag, posts the change.
    void Disable();
    // Ends a press and the pointer-over state. Only a press ended with kHsReasonClick posts the
    // item's message: taking an item out of service must not act as a click. kHsReasonDisabled
    // also disposes the highlight sprite.
    void Deactivate(u16 reason);
    void PostChanged();
    // Each index is taken only when it is at most kCursorIndexLast.
    void SetCursorIds(u16 over, u16 pressed);
    // Ignores an empty rectangle; an item with a region gets the rectangle as its region.
    void SetRect(const Rect16& rect);
    bool Contains(Point16 point) const;

    bool IsActive() const { return active_; }
    const HSInfo& Info() const { return info_; }
    const Rect16& GetRect() const { return info_.rect; }
    u16 GetKind() const { return info_.kind; }
    u16 GetGroup() const { return info_.group; }
    u32 GetMessage() const { return info_.message; }
    RHotSpotList* GetList() const { return list_; }

    CListener* GetReceiver() const { return receiver_; }
    void SetReceiver(CListener* receiver) { receiver_ = receiver; }
    // Parameter 1 of the item's messages.
    uintptr_t GetRecord() const { return record_; }
    void SetRecord(uintptr_t record) { record_ = record; }
    RHotSpotClient* GetClient() const { return client_; }
    void SetClient(RHotSpotClient* client) { client_ = client; }
    // A sprite shown while the item is highlighted; the item disposes it when disabled.
    void SetHighlightSprite(u16 sprite) { highlightSprite_ = sprite; }
    u16 GetHighlightSprite() const { return highlightSprite_; }
    // The region of a region item (owned by the item), 0 for the others.
    memHandle GetRegion() const { return region_; }

private:
    friend class RHotSpotList;
    RHotSpotItem(RHotSpotList* list, const HSInfo& info, memHandle region);

    RHotSpotList* list_;
    HSInfo info_;
    memHandle region_;
    bool active_ = false;
    CListener* receiver_ = nullptr;
    uintptr_t record_ = 0;
    RHotSpotClient* client_ = nullptr;
    u16 highlightSprite_ = 0;
};

}  // namespace Ostrel
