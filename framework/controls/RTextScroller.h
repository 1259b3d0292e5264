#pragma once
// A scrolling list of texts in rows, with one selection or, while multiple selection is on,
// several. Row hot spots post kMsgTextRowHit; a hit row toggles its item in multiple
// selection and selects it alone otherwise. User-interface thread only.
#include <functional>
#include <string>
#include <vector>

#include "framework/controls/RScroller.h"

namespace Ostrel {

constexpr u32 kMsgTextRowHit = 18355;

class RTextScroller : public RScroller {
public:
    explicit RTextScroller(CListener* owner);

    void SetItems(std::vector<std::string> items);
    // Before the first item equal to or after it without regard to case; clears the selection.
    int InsertSorted(std::string item);
    const std::vector<std::string>& Items() const { return items_; }
    void SetMultipleSelection(bool multiple) { multiple_ = multiple; }
    // Selects the item (alone unless multiple selection is on, where it toggles).
    void SelectItem(int index);
    void ClearSelection();
    bool IsItemSelected(int index) const;
    std::vector<int> GetSelectedList() const;
    // Redraws the visible rows.
    void InvalidateCells() { Redraw(); }
    // Called with the item after a row hit has changed the selection.
    void SetClickProc(std::function<void(int item)> proc) { clickProc_ = std::move(proc); }
    // Draws a row in place of the plain text; given the item, its row and whether it is selected.
    void SetDrawProc(std::function<void(int item, const Rect16& row, bool selected)> proc) {
        drawProc_ = std::move(proc);
    }

    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    // A key that moves the selection selects the item it lands on alone.
    u32 HandleKey(u32 key) override;

protected:
    void DrawCell(int item, const Rect16& cell, bool selected) override;

private:
    std::vector<std::string> items_;
    std::vector<bool> selected_;
    bool multiple_ = false;
    std::function<void(int)> clickProc_;
    std::function<void(int, const Rect16&, bool)> drawProc_;
};

}  // namespace Ostrel
