#pragma once
// The row of media thumbnail cells: per cell a thumbnail, a transition icon and a timing label.
// Cells can be moved, cleared one by one or all together, and taken in or out of service.
// The mode word tells the owner how the cells are shown (detail or plain). Clicks on a cell
// post the scroller's command (when it has one) to the owner besides 'scht'.
// User-interface thread only.
#include <string>
#include <vector>

#include "framework/controls/RScroller.h"
#include "framework/controls/ScrollerPicture.h"

namespace Ostrel {

constexpr u16 kBmoModeDetail = 18356;
constexpr u16 kBmoModePlain = 18359;
// Select argument: no cell.
constexpr int kBmoNoCell = 65535;

struct BmoCell {
    ScrollerPicture thumbnail;
    ScrollerPicture icon;
    std::string label;
};

class RBMOBitmapScroller : public RScroller {
public:
    // `command` 0: none (the picker's strip); dialogs use their own command.
    RBMOBitmapScroller(CListener* owner, u32 command);

    // Cells from three lists; the shortest list does not cut the others.
    void SetVectors(std::vector<ScrollerPicture> thumbnails, std::vector<ScrollerPicture> icons,
                    std::vector<std::string> labels);
    const std::vector<BmoCell>& Cells() const { return cells_; }
    // Moves the cell from one index to another, the cells between shifting by one.
    bool MoveCell(int from, int to);
    void Clear();
    void SetThumbnail(int index, ScrollerPicture picture);
    void SetIcon(int index, ScrollerPicture picture);
    void SetLabel(int index, std::string label);
    // Clears a cell's thumbnail, icon and label.
    void FreeCell(int index);
    // Every cell's hot spot in or out of service.
    void EnableCells(bool enable);
    void SetFewCells(bool few) { fewCells_ = few; }
    bool HasFewCells() const { return fewCells_; }
    void SetMode(u16 mode) { mode_ = mode; }
    u16 GetMode() const { return mode_; }
    // kBmoNoCell clears the selection.
    void SelectCell(int index);

    u32 HandleMessage(RMessage* message, u32 data) override;

protected:
    void DrawCell(int item, const Rect16& cell, bool selected) override;

private:
    bool Valid(int index) const { return index >= 0 && index < int(cells_.size()); }

    CListener* owner_;
    u32 command_;
    std::vector<BmoCell> cells_;
    bool fewCells_ = false;
    u16 mode_ = kBmoModePlain;
};

}  // namespace Ostrel
