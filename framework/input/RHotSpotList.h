#pragma once
// A screen's or dialog's clickable areas. The list is an input object: it finds the item under
// the pointer (the most recently added active item first), drives its client's look, shows its
// cursors, and when a press ends over the pressed item posts the item's message to the item's
// receiver. Every live list is in the process-wide list of lists, front first, in step with
// its place among the input objects. The list owns its items. User-interface thread only.
#include <memory>
#include <vector>

#include "framework/input/HSInfo.h"
#include "framework/input/RHotSpotItem.h"
#include "framework/input/RInputObject.h"
#include "framework/messaging/RSender.h"

namespace Ostrel {

// Actions of ApplyToGroups.
constexpr u16 kGroupShow = 0;
constexpr u16 kGroupHide = 1;
constexpr u16 kGroupEnable = 2;
constexpr u16 kGroupDisable = 3;
constexpr u16 kGroupDestroyShapeRects = 4;
// First group of ApplyToGroups: every item that has a group.
constexpr u16 kEveryGroup = 0xFFFF;

class RHotSpotList : public RInputObject, public RSender {
public:
    // Registers for mouse input in front of the other input objects.
    explicit RHotSpotList(CListener* owner);
    ~RHotSpotList() override;

    CListener* GetOwner() const { return owner_; }

    // A new item from the record, its receiver the list's owner; active when `enable` is set.
    RHotSpotItem* CreateHotSpot(const HSInfo& info, u16 enable);
    // A new active item with `receiver`.
    RHotSpotItem* AddHotSpot(const HSInfo& info, CListener* receiver);
    // A new active rectangle item that posts `message`.
    RHotSpotItem* CreateRectHotSpot(const Rect16& rect, u32 message);
    // A new active region item over a copy of `region`; null when the region cannot be copied.
    RHotSpotItem* CreateRegionHotSpot(const HSInfo& info, memHandle region);
    // Nothing for an item of another list.
    void DestroyHotSpot(RHotSpotItem* item);
    // Hands the item over to `list`, keeping its state but for the pointer over or pressing it.
    std::unique_ptr<RHotSpotItem> TakeHotSpot(RHotSpotItem* item);
    void AdoptHotSpot(std::unique_ptr<RHotSpotItem> item);

    int Count() const { return int(items_.size()); }
    // In the order added; null outside 0 .. count - 1.
    RHotSpotItem* GetHotSpot(int index) const;
    // The active item under the point, the most recently added first; null when none.
    RHotSpotItem* ItemAt(Point16 point) const;
    RHotSpotItem* OverItem() const { return over_; }
    RHotSpotItem* PressedItem() const { return pressed_; }
    // A press on one of its items is under way or the pointer is over one: keys meant for
    // what lies under the pointer belong to this list's owner.
    bool HasActiveOrOver() const { return pressed_ != nullptr || over_ != nullptr; }

    // first..last (last 0: first only; first kEveryGroup: every item with a group; first 0:
    // nothing).
    void ApplyToGroups(u16 first, u16 last, u16 action);

    // To the front, or the back, of the input objects and of the list of lists.
    void MoveToFront();
    void MoveToBack();
    static const std::vector<RHotSpotList*>& Lists();
    // A dialog came up in front of every list and takes the pointer from now on: each list
    // leaves the item under the pointer as a move off it would (its tip goes, its look
    // returns), unless a press on it is under way. The hover message is handed over at once,
    // not queued: a modal loop delivers no queued records until it ends.
    static void LeaveAll();
    // Who hears kMsgHotSpotsChanged (the main window's listener); null: nobody.
    static void SetChangeListener(CListener* listener);
    static CListener* GetChangeListener();

    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseUp(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseMove(Point16 point, u32 buttons) override;
    void HandleNotification(const RInputEvent& event) override;

private:
    friend class RHotSpotItem;
    RHotSpotItem* Adopt(std::unique_ptr<RHotSpotItem> item);
    // Forgets the item as the pointed-at and pressed one, telling its client.
    void EndPointerStates(RHotSpotItem* item, u16 reason);
    // `now`: the hover messages are handed to their receivers at once instead of queued.
    void SetOver(RHotSpotItem* item, bool now = false);
    void TellHover(const RHotSpotItem* item, u16 entering, bool now);
    void ShowCursor(u16 index);
    std::vector<std::unique_ptr<RHotSpotItem>>::iterator Find(const RHotSpotItem* item);

    CListener* owner_;
    std::vector<std::unique_ptr<RHotSpotItem>> items_;
    RHotSpotItem* over_ = nullptr;
    RHotSpotItem* pressed_ = nullptr;
    bool pressedInside_ = false;
};

// Moves the item into the owner's list; the owner's listener becomes its receiver.
void MoveHotSpotToOwner(RHotSpotItem* item, RHotSpotList* owner);

}  // namespace Ostrel
