#pragma once
// A scrolling strip of item cells: `count` items shown through a row of visible cells, the
// first visible item, one selected item, and hot spots of its own for the cells and the two
// scroll arrows. Choosing an item posts 'scht' (parameter 1 the scroller, parameter 2 the
// item); every scroll posts 'scdn' (parameter 2 the first visible item, or the page number
// when it scrolls by pages); an arrow hit posts 'sbht' (parameter 2: 0 back, 1 forward). The
// owner listens to all of them; they are queued, so the owner may delete the scroller when it
// hears one. With its input registered, arrow keys, Home, End and the page keys move the
// selection and the strip. Subclasses draw the cells. User-interface thread only.
#include <memory>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"
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

    // The visible cells, in order; cell hot spots post the select message with
    // firstHotSpotId + cell as parameter 1. Replaces earlier cells; like SetCount it keeps the
    // first visible item in range without posting 'scdn'.
    void SetCellRects(const std::vector<Rect16>& cells, u16 firstHotSpotId);
    // The cells are the part rectangles of the layout shape (empty when it is not loaded).
    void Build(u16 layoutShape, u16 firstHotSpotId);
    // Hot spots of the two scroll arrows.
    void SetArrows(const Rect16& back, const Rect16& forward);
    // Offers arrow keys, Home, End and the page keys to the scroller.
    void RegisterInput();

    void SetCount(int count);
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

    u32 HandleMessage(RMessage* message, u32 data) override;
    u32 HandleKey(u32 key) override;

protected:
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
};

}  // namespace Ostrel
