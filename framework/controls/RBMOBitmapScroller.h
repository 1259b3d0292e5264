#pragma once
// The row of media thumbnail cells: per cell a thumbnail, a transition icon and a timing label.
// Cells can be moved, cleared one by one or all together, and taken in or out of service.
// The mode (detail or plain) puts the hot-spot groups of each mode in or out of service, in
// the strip's own list and in its owner's. Clicks on a cell post the scroller's command (when
// it has one) to the owner besides 'scht'. With its input registered, dragging a cell onto
// another moves it there and posts a move entry (kMsgEntryDropped, kDropMove); dragging it onto
// a trash can that takes drops posts a delete entry (kDropDelete) and leaves the cells as they
// are: the owner decides. On its way out of its cell the dragged cell's thumbnail follows the
// pointer. User-interface thread only.
#include <string>
#include <vector>

#include "engine/gfx/sprites/SprSprite.h"
#include "framework/controls/RScroller.h"
#include "framework/controls/ScrollerPicture.h"

namespace Ostrel {

// The modes are named after the hot-spot group each shows: the detail mode puts the groups
// kBmoModeDetail .. kBmoGroupLast - 1 in service and kBmoModePlain out; the plain mode the
// reverse.
constexpr u16 kBmoModeDetail = 18356;
constexpr u16 kBmoModePlain = 18359;
constexpr u16 kBmoGroupLast = kBmoModePlain;
// Select argument: no cell.
constexpr int kBmoNoCell = 65535;
// A cell's name stands in one line of this height at its foot, or in two when it is wider than
// the cell.
constexpr i16 kBmoLabelLineHeight = 16;

struct BmoCell {
    ScrollerPicture thumbnail;
    ScrollerPicture icon;
    std::string label;
    // A place without content of its own: no detail row under it, as nothing there to set.
    bool bare = false;
};

// A control of the detail row: its place under each visible cell (in cell order), the picture
// it shows at its left and whether the cell's label stands beside the picture.
struct BmoDetailControl {
    std::vector<Rect16> places;
    ScrollerPicture picture;
    bool showsLabel = false;
};

class RBMOBitmapScroller : public RScroller {
public:
    // `command` 0: none (the picker's strip); dialogs use their own command.
    RBMOBitmapScroller(CListener* owner, u32 command);
    ~RBMOBitmapScroller() override;

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
    void SetBare(int index, bool bare);
    // Clears a cell's thumbnail, icon and label.
    void FreeCell(int index);
    // Every cell's hot spot in or out of service.
    void EnableCells(bool enable);
    // The hot spots of one group in or out of service, in the strip's list and the owner's.
    void EnableGroup(u16 group, bool enable);
    void SetFewCells(bool few) { fewCells_ = few; }
    bool HasFewCells() const { return fewCells_; }
    // A cell's icon stands in the middle of the room above its label (a dialog's choices)
    // rather than in its top-left corner over the thumbnail (the picker's strip).
    void SetIconsCentred(bool centred) { iconsCentred_ = centred; }
    // Puts the groups of the mode in service and those of the other out.
    void SetMode(u16 mode);
    u16 GetMode() const { return mode_; }

    using RScroller::GetTrashArea;
    using RScroller::GetTrashFlags;
    using RScroller::SetTrashCan;
    // The owner's hot-spot list, whose groups follow the strip's (null: none).
    void SetOwnerHotSpots(RHotSpotList* list) { ownerHotSpots_ = list; }
    RHotSpotList* GetOwnerHotSpots() const { return ownerHotSpots_; }
    // The detail row's controls, drawn in the detail mode where their hot spots take the
    // clicks; the thumbnail stands above them. Without any, the label stands at the cell's foot.
    void SetDetailControls(std::vector<BmoDetailControl> controls);
    // The strip's area on the screen and the frame drawn around it; the frame is invalidated
    // with the cells so that it stays over them.
    void SetArea(const Rect16& area, const Rect16& frame);
    const Rect16& GetArea() const { return area_; }
    const Rect16& GetFrame() const { return frame_; }
    bool Contains(Point16 point) const;
    void Redraw() override;
    // kBmoNoCell clears the selection.
    void SelectCell(int index);

    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseUp(u32 button, Point16 point, u32 buttons) override;
    void HandleNotification(const RInputEvent& event) override;

protected:
    void DrawCell(int item, const Rect16& cell, bool selected) override;
    void CellDragged(int item, Point16 point) override;

private:
    bool Valid(int index) const { return index >= 0 && index < int(cells_.size()); }
    // The detail row under the visible cell `visible`; false when it has none.
    bool DrawDetailRow(int visible, const BmoCell& cell);
    void EndDrag();
    // The dragged thumbnail finds the pointer itself at each step of the sprites: the hot spot
    // the press went to takes the moves while the button is down.
    static void FollowPointer(SprSprite* sprite, memHandle region);
    static void DrawDragged(SprSprite* sprite);

    u32 command_;
    RHotSpotList* ownerHotSpots_ = nullptr;
    Rect16 area_{0, 0, 0, 0};
    Rect16 frame_{0, 0, 0, 0};
    std::vector<BmoCell> cells_;
    std::vector<BmoDetailControl> detail_;
    bool fewCells_ = false;
    bool iconsCentred_ = false;
    u16 mode_ = kBmoModePlain;
    u16 dragSprite_ = 0;
    int dragItem_ = -1;
    Rect16 dragCell_{0, 0, 0, 0};
};

}  // namespace Ostrel
