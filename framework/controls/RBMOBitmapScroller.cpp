#include "framework/controls/RBMOBitmapScroller.h"

#include <algorithm>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"

namespace Ostrel {
namespace {

constexpr u16 kTextCentredBothWays = 0x22;
constexpr i16 kDetailInset = 3;
constexpr i16 kDetailGap = 2;
const GfxColor kDetailFill = GfxColor::rgb(255, 243, 176);
const GfxColor kDetailEdge = GfxColor::rgb(59, 42, 92);

// The picture's width and height from its engine bitmap header; 0 for none.
Point16 pictureSize(const ScrollerPicture& picture) {
    if (picture.size() < kGfxBitmapHeaderSize) return {0, 0};
    return {i16(readBE16(picture.data())), i16(readBE16(picture.data() + 2))};
}

// The largest rectangle of the picture's shape inside the box, in its middle.
Rect16 fitted(const Rect16& box, Point16 size) {
    const i32 boxW = box.right - box.left, boxH = box.bottom - box.top;
    if (size.h <= 0 || size.v <= 0 || boxW <= 0 || boxH <= 0) return box;
    i32 w = boxW, h = i32(i64(boxW) * size.v / size.h);
    if (h > boxH) h = boxH, w = i32(i64(boxH) * size.h / size.v);
    const i16 left = i16(box.left + (boxW - w) / 2), top = i16(box.top + (boxH - h) / 2);
    return {left, top, i16(left + w), i16(top + h)};
}

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

void RBMOBitmapScroller::SetBare(int index, bool bare) {
    if (Valid(index)) cells_[size_t(index)].bare = bare;
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

void RBMOBitmapScroller::SetDetailControls(std::vector<BmoDetailControl> controls) {
    for (BmoDetailControl& control : controls) control.picture = machineOrder(std::move(control.picture));
    detail_ = std::move(controls);
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
    const int visible = item - GetFirstVisible();
    Rect16 picture = cell;
    // In the detail mode the row of controls takes the cell's foot; the thumbnail stands above.
    if (mode_ == kBmoModeDetail)
        for (const BmoDetailControl& control : detail_)
            if (visible >= 0 && size_t(visible) < control.places.size())
                picture.bottom = std::min<i16>(picture.bottom, i16(control.places[size_t(visible)].top - kDetailGap));
    if (!c.thumbnail.empty()) {
        const Rect16 shown = picture.bottom == cell.bottom ? cell : fitted(picture, pictureSize(c.thumbnail));
        gfxDrawBitmapInRect(c.thumbnail.data(), u32(c.thumbnail.size()), shown, 0, 0);
    }
    // A name too wide for the cell wraps onto a second line rather than being cut.
    const u16 length = u16(std::min<size_t>(c.label.size(), 0xFFFF));
    const bool detailed = mode_ == kBmoModeDetail && !c.bare;
    const i16 lines = !detailed || length == 0 ? 0 : gfxTextWidth(c.label.c_str(), length) > cell.right - cell.left ? 2 : 1;
    const Rect16 labelBox{cell.left, i16(cell.bottom - kBmoLabelLineHeight * lines), cell.right, cell.bottom};
    if (!c.icon.empty()) {
        Point16 at{cell.left, cell.top};
        if (iconsCentred_) {
            const Point16 size = pictureSize(c.icon);
            at = {i16(cell.left + (cell.right - cell.left - size.h) / 2), i16(cell.top + (labelBox.top - cell.top - size.v) / 2)};
        }
        gfxDrawBitmap(c.icon.data(), u32(c.icon.size()), at.h, at.v, 0);
    }
    if (detailed && !DrawDetailRow(visible, c) && length > 0)
        gfxDrawTextBox(labelBox, kTextCentredBothWays, c.label.c_str(), length);
    if (selected) gfxFrameRect(cell);
}

bool RBMOBitmapScroller::DrawDetailRow(int visible, const BmoCell& cell) {
    if (visible < 0) return false;
    bool drawn = false;
    GfxColor previous{}, replaced{};
    gfxSetForeColor(&previous, kDetailEdge);
    for (const BmoDetailControl& control : detail_) {
        if (size_t(visible) >= control.places.size()) continue;
        const Rect16& place = control.places[size_t(visible)];
        drawn = true;
        gfxFillRect(place, kDetailFill, 0);
        gfxFrameRect(place);
        const Point16 size = pictureSize(control.picture);
        const i16 height = i16(place.bottom - place.top);
        i16 textLeft = i16(place.left + kDetailInset);
        // A label too wide to stand beside the picture has the control to itself.
        const u16 length = u16(std::min<size_t>(cell.label.size(), 0xFFFF));
        const i32 room = place.right - place.left - 2 * kDetailInset;
        const bool beside = control.showsLabel && size.h + kDetailGap + gfxTextWidth(cell.label.c_str(), length) <= room;
        if (size.h > 0 && (!control.showsLabel || beside)) {
            const i16 left = control.showsLabel ? i16(place.left + kDetailInset)
                                                : i16(place.left + (place.right - place.left - size.h) / 2);
            gfxDrawBitmap(control.picture.data(), u32(control.picture.size()), left, i16(place.top + (height - size.v) / 2),
                          0);
            textLeft = i16(left + size.h + kDetailGap);
        }
        if (control.showsLabel && length > 0)
            gfxDrawTextBox({textLeft, place.top, i16(place.right - kDetailInset), place.bottom}, kTextCentredBothWays,
                           cell.label.c_str(), length);
    }
    gfxSetForeColor(&replaced, previous);
    return drawn;
}

}  // namespace Ostrel
