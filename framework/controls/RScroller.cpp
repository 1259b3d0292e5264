#include "framework/controls/RScroller.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "engine/gfx/sprites/SprLayer.h"
#include "framework/messaging/mfMessageQueue.h"
#include "platform/keyboard/VirtualKeys.h"

namespace Ostrel {
namespace {

constexpr FourCC kScrollerTag = fourCC("Scrl");

std::vector<Rect16> shapeParts(u16 shape) {
    Rect16 parts[kSprMaxParts];
    const i16 count = sprGetShapePartRects(shape, parts);
    return std::vector<Rect16>(parts, parts + std::clamp<i16>(count, 0, kSprMaxParts));
}

}  // namespace

RScroller::RScroller(CListener* owner) : RSender(kScrollerTag), owner_(owner) {
    if (owner != nullptr) AddListener(owner);
}

RScroller::~RScroller() = default;

void RScroller::Create(u16 layoutShape, u16 arrowShape, u16 firstHotSpotId) {
    std::vector<Rect16> arrows = shapeParts(arrowShape);
    arrows.resize(arrows.size() < 2 ? 0 : 2);
    SetCellRects(shapeParts(layoutShape), firstHotSpotId, arrows);
}

void RScroller::SetCellRects(const std::vector<Rect16>& cells, u16 firstHotSpotId, const std::vector<Rect16>& arrows) {
    for (int i = hotSpots_.Count() - 1; i >= 0; --i) {
        const u32 message = hotSpots_.GetHotSpot(i)->GetMessage();
        if (message == selectMessage_ || message == kMsgScrollBack || message == kMsgScrollForward)
            hotSpots_.DestroyHotSpot(hotSpots_.GetHotSpot(i));
    }
    cells_ = cells;
    firstHotSpotId_ = firstHotSpotId;
    pressedItem_ = -1;
    for (size_t i = 0; i < cells_.size(); ++i) {
        RHotSpotItem* item = hotSpots_.CreateRectHotSpot(cells_[i], selectMessage_);
        item->SetRecord(firstHotSpotId + i);
    }
    if (arrows.size() == 2) {
        hotSpots_.CreateRectHotSpot(arrows[0], kMsgScrollBack);
        hotSpots_.CreateRectHotSpot(arrows[1], kMsgScrollForward);
    }
    SetCount(count_);
}

void RScroller::RegisterInput() { Register(kInputKeys | kInputMouseButtons); }

void RScroller::SetCount(int count) {
    count_ = std::max(count, 0);
    if (selected_ >= count_) selected_ = -1;
    const int maxFirst = std::max(0, count_ - GetVisibleCount());
    first_ = std::min(first_, maxFirst);
    Redraw();
}

void RScroller::Scrolled(int reported) {
    Redraw();
    PostMessage(kMsgScrollerScrolled, reinterpret_cast<uintptr_t>(this), u16(reported));
}

void RScroller::ScrollToPage(int page) {
    const int lastPage = std::max(0, count_ - 1) / pageStep_;
    page = std::clamp(page, 0, lastPage);
    first_ = std::min(page * pageStep_, std::max(0, count_ - GetVisibleCount()));
    Scrolled(page);
}

void RScroller::ScrollTo(int index) {
    if (byPage_) {
        ScrollToPage(std::clamp(index, 0, std::max(0, count_ - 1)) / pageStep_);
        return;
    }
    first_ = std::clamp(index, 0, std::max(0, count_ - GetVisibleCount()));
    Scrolled(first_);
}

// By pages the strip keeps its own page number: the last page may start before a whole step.
void RScroller::ScrollBack() {
    if (byPage_)
        ScrollToPage(first_ % pageStep_ != 0 ? first_ / pageStep_ : Page() - 1);
    else
        ScrollTo(first_ - pageStep_);
}

void RScroller::ScrollForward() {
    if (byPage_)
        ScrollToPage(Page() + 1);
    else
        ScrollTo(pageStep_ > std::numeric_limits<int>::max() - first_ ? std::numeric_limits<int>::max()
                                                                       : first_ + pageStep_);
}

void RScroller::ScrollIntoView(int index) {
    if (index < 0 || index >= count_) return;
    if (index < first_)
        ScrollTo(index);
    else if (index >= first_ + GetVisibleCount())
        ScrollTo(byPage_ ? index : index - GetVisibleCount() + 1);
}

void RScroller::Select(int index, bool announce) {
    if (index < -1 || index >= count_) return;
    selected_ = index;
    Redraw();
    if (index >= 0 && announce) PostMessage(kMsgScrollerHit, reinterpret_cast<uintptr_t>(this), u16(index));
}

Rect16 RScroller::GetCellRect(int index) const {
    const int cell = index - first_;
    if (index < 0 || index >= count_ || cell < 0 || cell >= GetVisibleCount()) return Rect16{0, 0, 0, 0};
    return cells_[size_t(cell)];
}

void RScroller::Refresh(u16 code) {
    if (code == kRefreshAll) Redraw();
}

void RScroller::Redraw() {
    DrawCells();
    for (const Rect16& cell : cells_) sprInvalRect(cell);
}

void RScroller::DrawCells() {
    for (int cell = 0; cell < GetVisibleCount(); ++cell) {
        const int item = first_ + cell;
        if (item < count_) DrawCell(item, cells_[size_t(cell)], item == selected_);
    }
}

void RScroller::DrawCell(int, const Rect16&, bool) {}

int RScroller::CellAt(Point16 point) const {
    for (size_t cell = 0; cell < cells_.size(); ++cell) {
        if (rectContainsPoint(cells_[cell], point)) return int(cell);
    }
    return -1;
}

void RScroller::CellDragged(int, Point16) {}

u32 RScroller::HandleInput(u32 button, Point16 point, u32) {
    pressedItem_ = -1;
    if (button != kInputLeftButton) return 0;
    // Only a cell whose hot spot would take the press: a cell out of service drags nothing.
    const RHotSpotItem* hit = hotSpots_.ItemAt(point);
    const int cell = CellAt(point);
    if (hit != nullptr && hit->GetMessage() == selectMessage_ && cell >= 0 && first_ + cell < count_)
        pressedItem_ = first_ + cell;
    return 0;
}

u32 RScroller::HandleMouseUp(u32 button, Point16 point, u32) {
    if (button == kInputLeftButton) EndPress(point);
    return 0;
}

void RScroller::HandleNotification(const RInputEvent& event) {
    if (event.kind == kInputEventMouseDown) pressedItem_ = -1;
    if (event.kind == kInputEventMouseUp) EndPress(Point16{i16(u16(event.data & 0xFFFF)), i16(u16(event.data >> 16))});
}

void RScroller::EndPress(Point16 point) {
    const int item = pressedItem_;
    pressedItem_ = -1;
    // The items may have changed since the press (the owner acted on a queued message).
    if (item < 0 || item >= count_ || rectContainsPoint(GetCellRect(item), point)) return;
    CellDragged(item, point);
}

void RScroller::SetTrashCan(u32 flags, const Rect16& area) {
    trashFlags_ = flags;
    trashArea_ = area;
}

bool RScroller::InTrash(Point16 point) const {
    return (trashFlags_ & kTrashTakesDrops) == kTrashTakesDrops && rectContainsPoint(trashArea_, point);
}

void RScroller::PostDrop(ScrollerDrop drop) {
    mfMessageQueue::Global().PurgeSent(this, kMsgEntryDropped);
    const u16 kind = drop.kind;
    PostValueTo(owner_, kMsgEntryDropped, std::move(drop), kind);
}

u32 RScroller::HandleMessage(RMessage* message, uintptr_t) {
    if (message->code == selectMessage_) {
        // Wide: a record from cells made earlier may lie far from this strip's numbering.
        const int64_t cell = int64_t(message->param1) - int64_t(firstHotSpotId_);
        if (cell >= 0 && cell < GetVisibleCount()) Select(first_ + int(cell));
        return 1;
    }
    switch (message->code) {
        case kMsgScrollBack:
            ScrollBack();
            PostMessage(kMsgScrollerArrowHit, reinterpret_cast<uintptr_t>(this), 0);
            return 1;
        case kMsgScrollForward:
            ScrollForward();
            PostMessage(kMsgScrollerArrowHit, reinterpret_cast<uintptr_t>(this), 1);
            return 1;
        default: return 0;
    }
}

u32 RScroller::HandleKey(u32 key) {
    if (count_ == 0) return 0;
    int target = selected_;
    switch (keyRecordVirtualKey(key)) {
        case plat::kVkLeft:
        case plat::kVkUp: target = selected_ < 0 ? first_ : selected_ - 1; break;
        case plat::kVkRight:
        case plat::kVkDown: target = selected_ < 0 ? first_ : selected_ + 1; break;
        case plat::kVkHome: target = 0; break;
        case plat::kVkEnd: target = count_ - 1; break;
        case plat::kVkPageUp: ScrollBack(); return 1;
        case plat::kVkPageDown: ScrollForward(); return 1;
        default: return 0;
    }
    target = std::clamp(target, 0, count_ - 1);
    ScrollIntoView(target);
    Select(target);
    return 1;
}

}  // namespace Ostrel
