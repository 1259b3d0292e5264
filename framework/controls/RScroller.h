#pragma once
// A scrolling strip of item cells: `count` items shown through a row of visible cells, the
// first visible item, one selected item, and hot spots of its own for the cells and the two
// scroll arrows. Choosing an item posts 'scht' (parameter 1 the scroller, parameter 2 the
// item); every scroll posts 'scdn' (parameter 2 the first visible item, or the page number
// when it scrolls by pages); an arrow hit posts 'sbht' (parameter 2: 0 back, 1 forward). The
// owner listens to all of them; they are queued, so the owner may delete the scroller when it
// hears one. With its input registered, arrow keys, Home, End and the page keys move the
// selection and the strip, and a press on a cell that is released elsewhere is a drag that a
// kind may act on (a drop on its trash can, another cell). Subclasses draw the cells and keep
// the items: only they set the count, so a cell never asks for an item they do not have.
// User-interface thread only.
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"
#include "framework/controls/ScrollerDrop.h"
#include "framework/input/RHotSpotList.h"
#include "framework/input/RInputObject.h"
#include "framework/messaging/CListener.h"
#include "framework/messaging/RSender.h"

namespace Ostrel {

constexpr u32 kMsgScrollerHit = fourCC("scht");
constexpr u32 kMsgScrollerScrolled = fourCC("scdn");
constexpr u32 kMsgScrollerArrowHit = fourCC("sbht");
// Posted by the arrow hot spots to their scroller.
constexpr u32 kMsgScrollBack = 18350;
constexpr u32 kMsgScrollForward = 18351;
// Selects the item in the cell `parameter 1 - first hot-spot id`.
constexpr u32 kMsgScrollerSelectId = 18352;
// Refresh code: everything.
constexpr u16 kRefreshAll = 7;

class RScroller : public CListener, public RSender, public RInputObject {
public:
    explicit RScroller(CListener* owner);
    ~RScroller() override;

    // Lays the strip out on shapes: the cells are the part rectangles of the layout shape, the
    // scroll arrows the first two parts of the arrow shape (back, then forward; none when it
    // has fewer), the cell hot spots numbered from firstHotSpotId. A shape that is not loaded
    // has no parts.
    void Create(u16 layoutShape, u16 arrowShape, u16 firstHotSpotId);
    // The same from rectangles: the visible cells in order, whose hot spots post the select
    // message with firstHotSpotId + cell as parameter 1, and the arrows (back, forward) when
    // `arrows` holds two. Replaces the earlier cells and arrows and keeps the first visible
    // item in range without posting 'scdn'.
    void SetCellRects(const std::vector<Rect16>& cells, u16 firstHotSpotId, const std::vector<Rect16>& arrows = {});
    // Offers arrow keys, Home, End, the page keys and presses on cells to the scroller.
    void RegisterInput();

    int GetCount() const { return count_; }
    int GetVisibleCount() const { return int(cells_.size()); }
    int GetFirstVisible() const { return first_; }
    int GetSelected() const { return selected_; }
    void SetPageStep(int step) { pageStep_ = step > 0 ? step : 1; }
    int GetPageStep() const { return pageStep_; }
    void SetScrollByPage(bool byPage) { byPage_ = byPage; }
    void SetHighlightShape(u16 shape) { highlightShape_ = shape; }
    u16 GetHighlightShape() const { return highlightShape_; }
    RHotSpotList& HotSpots() { return hotSpots_; }

    // Clamped to 0..count - visible (by pages: to the page holding the index).
    void ScrollTo(int index);
    void ScrollBack();
    void ScrollForward();
    void ScrollIntoView(int index);
    // Posts 'scht' unless `announce` is false; -1 clears the selection quietly; an index past
    // the items is ignored.
    void Select(int index, bool announce = true);
    // The rectangle of the cell showing the item; all zero when it is not visible.
    Rect16 GetCellRect(int index) const;
    void Refresh(u16 code);
    virtual void Redraw();
    // Draws the visible cells into the current port and marks nothing dirty: for a sprite's
    // drawing procedure, which runs inside a screen update.
    void DrawCells();

    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u32 HandleKey(u32 key) override;
    // Notes a press on an active cell without taking it: the cell's hot spot takes the click.
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    // The release that ends the press, offered to the scroller before or after the object
    // that takes it; never taken.
    u32 HandleMouseUp(u32 button, Point16 point, u32 buttons) override;
    void HandleNotification(const RInputEvent& event) override;

protected:
    // The items the subclass holds; negative counts as none.
    void SetCount(int count);
    CListener* GetOwner() const { return owner_; }
    // The visible cell (0 .. visible - 1) under the point, -1 when none.
    int CellAt(Point16 point) const;
    // A press on the cell showing `item` was released at `point`, outside that cell.
    virtual void CellDragged(int item, Point16 point);
    // The item whose cell the left button went down on while it is held; -1 when none.
    int PressedItem() const { return pressedItem_; }

    // The trash can that dragged items may be dropped on: its flags and area.
    void SetTrashCan(u32 flags, const Rect16& area);
    u32 GetTrashFlags() const { return trashFlags_; }
    const Rect16& GetTrashArea() const { return trashArea_; }
    bool InTrash(Point16 point) const;
    // Posts the entry to the owner as kMsgEntryDropped, withdrawing one still queued: the
    // owner acts on the newest entry only.
    void PostDrop(ScrollerDrop drop);

    // Draws one visible cell into the current port; the base draws nothing.
    virtual void DrawCell(int item, const Rect16& cell, bool selected);
    int Page() const { return first_ / pageStep_; }
    // The message the cell hot spots post (kMsgScrollerSelectId unless a kind has its own);
    // set before the cells are made.
    void SetSelectMessage(u32 code) { selectMessage_ = code; }
    u32 GetSelectMessage() const { return selectMessage_; }

private:
    void ScrollToPage(int page);
    void Scrolled(int reported);
    void EndPress(Point16 point);

    CListener* owner_;
    RHotSpotList hotSpots_{this};
    std::vector<Rect16> cells_;
    u16 firstHotSpotId_ = 0;
    u32 selectMessage_ = kMsgScrollerSelectId;
    int count_ = 0;
    int first_ = 0;
    int selected_ = -1;
    int pageStep_ = 1;
    bool byPage_ = false;
    u16 highlightShape_ = 0;
    int pressedItem_ = -1;
    u32 trashFlags_ = 0;
    Rect16 trashArea_{0, 0, 0, 0};
};

}  // namespace Ostrel
