#include "framework/controls/RAlphaBitmapScroller.h"

#include "engine/gfx/DrawColoredAlphaMask.h"
#include "engine/gfx/GfxDraw.h"
#include "framework/controls/PaintColor.h"
#include "framework/resources/mfxReadResource.h"

namespace Ostrel {

int RAlphaBitmapScroller::SetItems(const std::vector<u16>& pictureIds) {
    std::vector<ScrollerPicture> masks;
    for (u16 id : pictureIds) {
        ScrollerPicture bytes;
        if (mfxReadResource(fourCC("tBMP"), id, &bytes) != kErrNone) break;
        masks.push_back(std::move(bytes));
    }
    const int count = int(masks.size());
    SetItems(std::move(masks));
    return count;
}

void RAlphaBitmapScroller::DrawCell(int item, const Rect16& cell, bool selected) {
    const ScrollerPicture& mask = Items()[size_t(item)];
    if (!mask.empty())
        DrawColoredAlphaMask(cell.left, cell.top, mask.data(), u32(mask.size()), PackedPaintColor(), true, &cell);
    if (selected) gfxFrameRect(cell);
}

}  // namespace Ostrel
