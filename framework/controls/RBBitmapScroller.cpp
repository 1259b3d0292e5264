#include "framework/controls/RBBitmapScroller.h"

#include <algorithm>

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxFitText.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "platform/keyboard/VirtualKeys.h"

namespace Ostrel {
namespace {

constexpr u16 kTextCentredBothWays = 0x22;
constexpr u16 kStampQuietly = 0;
// A name broken over lines would stand over its neighbours' cells: it is cut to one.
constexpr i32 kNameMargin = 4;

}  // namespace

RBBitmapScroller::RBBitmapScroller(CListener* owner) : RScroller(owner) {}

// The count follows the items before anything redraws: a redraw in between would draw the
// names just dropped.
void RBBitmapScroller::Empty() {
    items_.clear();
    SetCount(0);
}

void RBBitmapScroller::AddItem(u16 frameShape, u16 selectedFrameShape, std::string name) {
    items_.push_back({frameShape, selectedFrameShape, std::move(name)});
    SetCount(int(items_.size()));
}

void RBBitmapScroller::Sort(const Compare& less) {
    const std::string selected = NameOf(GetSelected());
    const bool hadSelection = GetSelected() >= 0;
    std::stable_sort(items_.begin(), items_.end(),
                     [&less](const Item& a, const Item& b) { return less(a.name, b.name); });
    if (hadSelection) {
        Select(-1);
        Select(FindName(selected));
    } else {
        Redraw();
    }
}

std::string RBBitmapScroller::NameOf(int index) const {
    if (index < 0 || index >= int(items_.size())) return {};
    return items_[size_t(index)].name;
}

int RBBitmapScroller::FindName(const std::string& name) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].name == name) return int(i);
    }
    return -1;
}

bool RBBitmapScroller::SelectByName(const std::string& name) {
    const int index = FindName(name);
    if (index < 0) return false;
    ScrollIntoView(index);
    Select(index);
    return true;
}

std::optional<std::string> RBBitmapScroller::RemoveByName(const std::string& name) {
    const int index = FindName(name);
    if (index < 0) return std::nullopt;
    const int selected = GetSelected();
    items_.erase(items_.begin() + index);
    SetCount(int(items_.size()));
    if (selected == index) Select(-1);
    if (selected > index) Select(selected - 1);
    if (items_.empty()) return std::nullopt;
    return items_[size_t(std::min(index, int(items_.size()) - 1))].name;
}

u32 RBBitmapScroller::HandleKey(u32 key) {
    if (keyRecordVirtualKey(key) != plat::kVkDelete) return RScroller::HandleKey(key);
    if (GetSelected() < 0) return 0;
    PostDelete(GetSelected());
    return 1;
}

void RBBitmapScroller::CellDragged(int item, Point16 point) {
    if (InTrash(point)) PostDelete(item);
}

void RBBitmapScroller::PostDelete(int item) {
    ScrollerDrop drop;
    drop.kind = kDropDelete;
    drop.source = kDropSourceList;
    drop.sourceIndex = item;
    drop.sourceName = NameOf(item);
    drop.firstVisible = GetFirstVisible();
    PostDrop(std::move(drop));
}

void RBBitmapScroller::DrawCell(int item, const Rect16& cell, bool selected) {
    const Item& it = items_[size_t(item)];
    Rect16 stamped;
    sprStampShape(selected ? it.selectedFrameShape : it.frameShape, &stamped, kStampQuietly, nullptr, 0, 0);
    const std::string shown = gfxFitTextToWidth(it.name, cell.right - cell.left - 2 * kNameMargin);
    gfxDrawTextBox(cell, kTextCentredBothWays, shown.c_str(), u16(shown.size()));
}

}  // namespace Ostrel
