#include "framework/controls/RBMOBitmapScroller.h"

#include <algorithm>

#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"

namespace Ostrel {
namespace {

constexpr u16 kTextCentredBothWays = 0x22;

}  // namespace

RBMOBitmapScroller::RBMOBitmapScroller(CListener* owner, u32 command) : RScroller(owner), command_(command) {}

namespace {

// Pictures straight from an archive keep their 16-bit pixels big-endian; they are put in
// machine order once, as every strip's are, or their colours come out byte-swapped.
ScrollerPicture machineOrder(ScrollerPicture picture) {
    if (!picture.empty()) gfxPrepareBitmapWords(picture.data(), u32(picture.size()));
    return picture;
}

}  // namespace

void RBMOBitmapScroller::SetVectors(std::vector<ScrollerPicture> thumbnails, std::vector<ScrollerPicture> icons,
                                    std::vector<std::string> labels) {
    const size_t count = std::max({thumbnails.size(), icons.size(), labels.size()});
    cells_.assign(count, BmoCell{});
    for (size_t i = 0; i < count; ++i) {
        if (i < thumbnails.size()) cells_[i].thumbnail = machineOrder(std::move(thumbnails[i]));
        if (i < icons.size()) cells_[i].icon = machineOrder(std::move(icons[i]));
        if (i < labels.size()) cells_[i].label = std::move(labels[i]);
    }
    SetCount(int(count));
}

bool RBMOBitmapScroller::MoveCell(int from, int to) {
    if (!Valid(from) || !Valid(to)) return false;
    const auto first = cells_.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    Redraw();
    return true;
}

void RBMOBitmapScroller::Clear() {
    cells_.clear();
    // The count goes first: clearing the selection redraws, and no cell is left to draw.
    SetCount(0);
    Select(-1);
}

void RBMOBitmapScroller::SetThumbnail(int index, ScrollerPicture picture) {
    if (Valid(index)) cells_[size_t(index)].thumbnail = machineOrder(std::move(picture));
}

void RBMOBitmapScroller::SetIcon(int index, ScrollerPicture picture) {
    if (Valid(index)) cells_[size_t(index)].icon = machineOrder(std::move(picture));
}

void RBMOBitmapScroller::SetLabel(int index, std::string label) {
    if (Valid(index)) cells_[size_t(index)].label = std::move(label);
}

void RBMOBitmapScroller::FreeCell(int index) {
    if (Valid(index)) cells_[size_t(index)] = BmoCell{};
}

void RBMOBitmapScroller::EnableCells(bool enable) {
    for (int i = 0; i < HotSpots().Count(); ++i) {
        RHotSpotItem* item = HotSpots().GetHotSpot(i);
        if (item->GetMessage() != GetSelectMessage()) continue;
        if (enable)
            item->Enable();
        else
            item->Disable();
    }
}

void RBMOBitmapScroller::EnableGroup(u16 group, bool enable) {
    // Group 0 holds the cells and arrows, which EnableCells serves.
    if (group == 0) return;
    const u16 action = enable ? kGroupEnable : kGroupDisable;
    HotSpots().ApplyToGroups(group, 0, action);
    if (ownerHotSpots_ != nullptr) ownerHotSpots_->ApplyToGroups(group, 0, action);
}

void RBMOBitmapScroller::SetMode(u16 mode) {
    if (mode != kBmoModeDetail && mode != kBmoModePlain) return;
    mode_ = mode;
    const bool detail = mode == kBmoModeDetail;
    for (u16 group = kBmoModeDetail; group < kBmoGroupLast; ++group) EnableGroup(group, detail);
    EnableGroup(kBmoModePlain, !detail);
    Redraw();
}

void RBMOBitmapScroller::SetArea(const Rect16& area, const Rect16& frame) {
    area_ = area;
    frame_ = frame;
}

bool RBMOBitmapScroller::Contains(Point16 point) const { return rectContainsPoint(area_, point); }

void RBMOBitmapScroller::Redraw() {
    RScroller::Redraw();
    if (!rectIsEmpty(frame_)) sprInvalRect(frame_);
}

void RBMOBitmapScroller::CellDragged(int item, Point16 point) {
    ScrollerDrop drop;
    drop.source = kDropSourceStrip;
    drop.sourceIndex = item;
    drop.firstVisible = GetFirstVisible();
    if (InTrash(point)) {
        drop.kind = kDropDelete;
        PostDrop(std::move(drop));
        return;
    }
    const int cell = CellAt(point);
    const int to = cell < 0 ? -1 : GetFirstVisible() + cell;
    if (to < 0 || to == item || !MoveCell(item, to)) return;
    Select(to, false);
    drop.kind = kDropMove;
    drop.destinationKind = kDropSourceStrip;
    drop.destinationIndex = to;
    PostDrop(std::move(drop));
}

void RBMOBitmapScroller::SelectCell(int index) { Select(index == kBmoNoCell ? -1 : index); }

u32 RBMOBitmapScroller::HandleMessage(RMessage* message, uintptr_t data) {
    const u32 taken = RScroller::HandleMessage(message, data);
    if (message->code == GetSelectMessage() && command_ != 0 && GetSelected() >= 0)
        PostMessageTo(GetOwner(), command_, reinterpret_cast<uintptr_t>(this), u16(GetSelected()));
    return taken;
}

void RBMOBitmapScroller::DrawCell(int item, const Rect16& cell, bool selected) {
    const BmoCell& c = cells_[size_t(item)];
    if (!c.thumbnail.empty()) gfxDrawBitmapInRect(c.thumbnail.data(), u32(c.thumbnail.size()), cell, 0, 0);
    if (!c.icon.empty()) gfxDrawBitmap(c.icon.data(), u32(c.icon.size()), cell.left, cell.top, 0);
    if (mode_ == kBmoModeDetail && !c.label.empty()) {
        // A name too wide for the cell wraps onto a second line rather than being cut.
        const u16 length = u16(c.label.size());
        const i16 lines = gfxTextWidth(c.label.c_str(), length) > cell.right - cell.left ? 2 : 1;
        const Rect16 labelBox{cell.left, i16(cell.bottom - kBmoLabelLineHeight * lines), cell.right, cell.bottom};
        gfxDrawTextBox(labelBox, kTextCentredBothWays, c.label.c_str(), length);
    }
    if (selected) gfxFrameRect(cell);
}

}  // namespace Ostrel
