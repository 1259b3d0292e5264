#include "framework/controls/RBitmapScroller.h"

#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxDraw.h"

namespace Ostrel {

RBitmapScroller::RBitmapScroller(CListener* owner, u16 layoutShape, u16 arrowShape, u16 firstHotSpotId)
    : RScroller(owner) {
    Create(layoutShape, arrowShape, firstHotSpotId);
}

void RBitmapScroller::SetItems(std::vector<ScrollerPicture> items) {
    items_ = std::move(items);
    // Pictures straight from an archive keep their 16-bit pixels big-endian; drawn as they
    // stand, every colour comes out byte-swapped (reds turn pale blue, soft edges speckle).
    for (ScrollerPicture& picture : items_)
        if (!picture.empty()) gfxPrepareBitmapWords(picture.data(), u32(picture.size()));
    SetCount(int(items_.size()));
}

const ScrollerPicture* RBitmapScroller::GetItem(int index) const {
    if (index < 0 || index >= int(items_.size())) return nullptr;
    return &items_[size_t(index)];
}

void RBitmapScroller::DrawCell(int item, const Rect16& cell, bool selected) {
    const ScrollerPicture& picture = items_[size_t(item)];
    if (!picture.empty()) gfxDrawBitmapInRect(picture.data(), u32(picture.size()), cell, 0, 0);
    if (selected) gfxFrameRect(cell);
}

}  // namespace Ostrel
