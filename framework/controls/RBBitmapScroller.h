#pragma once
// The project list: named items, each drawn with its two frame shapes (normal and selected)
// and its name on one line (cut with an ellipsis when it is too long), kept in the order of a
// comparator. Items are found, selected and removed by name. The Delete key on the selected
// item, or dragging an item onto a trash can that takes drops, posts a delete entry of the list
// (kMsgEntryDropped, kDropDelete, kDropSourceList, with the item's index and name) to the
// owner, who confirms and removes it. The owner offers the Delete key only while the pointer is
// over the list. User-interface thread only.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/controls/RScroller.h"

namespace Ostrel {

class RBBitmapScroller : public RScroller {
public:
    using Compare = std::function<bool(const std::string&, const std::string&)>;

    explicit RBBitmapScroller(CListener* owner);

    void Empty();
    void AddItem(u16 frameShape, u16 selectedFrameShape, std::string name);
    // Sorts the items and keeps the selected name selected.
    void Sort(const Compare& less);
    // Empty past the items.
    std::string NameOf(int index) const;
    int FindName(const std::string& name) const;
    // Selects and scrolls to it; false when there is no such name.
    bool SelectByName(const std::string& name);
    // The name now in the removed item's place (or the one before it at the end); none when
    // the name was not there or the list is now empty.
    std::optional<std::string> RemoveByName(const std::string& name);

    using RScroller::GetTrashArea;
    using RScroller::GetTrashFlags;
    using RScroller::SetTrashCan;

    u32 HandleKey(u32 key) override;

protected:
    void DrawCell(int item, const Rect16& cell, bool selected) override;
    void CellDragged(int item, Point16 point) override;

private:
    void PostDelete(int item);

    struct Item {
        u16 frameShape;
        u16 selectedFrameShape;
        std::string name;
    };
    std::vector<Item> items_;
};

}  // namespace Ostrel
