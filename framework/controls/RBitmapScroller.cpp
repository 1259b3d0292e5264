#include "framework/controls/RBitmapScroller.h"

#include "engine/gfx/GfxDraw.h"

namespace Ostrel {

RBitmapScroller::RBitmapScroller(CListener* owner, u16 layoutShape, u16 frameShape, u16 firstHotSpotId)
    : RScroller(owner) {
    SetHighlightShape(frameShape);
    Build(layoutShape, firstHotSpotId);
}

void RBitmapScroller::SetItems(const std::vector<ScrollerPicture>& items) {
    items_ = items;
    SetCount(int(items_.size()));
}

ScrollerPicture RBitmapScroller::GetItem(int index) const {
    if (index < 0 || index >= int(items_.size())) return {};
    return items_[size_t(index)];
}

void RBitmapScroller::DrawCell(int item, const Rect16& cell, bool selected) {
    const ScrollerPicture& picture = items_[size_t(item)];
    if (picture.bytes != nullptr) gfxDrawBitmapInRect(picture.bytes, picture.size, cell, 0, 0);
    if (selected) gfxFrameRect(cell);
}

}  // namespace Ostrel
