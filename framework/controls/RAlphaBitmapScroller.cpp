#include "framework/controls/RAlphaBitmapScroller.h"

#include "engine/gfx/DrawColoredAlphaMask.h"
#include "engine/gfx/GfxDraw.h"
#include "framework/controls/PaintColor.h"
#include "framework/resources/mfxReadResource.h"

namespace Ostrel {

int RAlphaBitmapScroller::SetItems(const std::vector<u16>& pictureIds) {
    std::vector<std::vector<u8>> loaded;
    for (u16 id : pictureIds) {
        std::vector<u8> bytes;
        if (mfxReadResource(fourCC("tBMP"), id, &bytes) != kErrNone) break;
        loaded.push_back(std::move(bytes));
    }
    owned_ = std::move(loaded);
    std::vector<ScrollerPicture> pictures;
    for (const std::vector<u8>& bytes : owned_) pictures.push_back({bytes.data(), u32(bytes.size())});
    SetItems(pictures);
    return int(pictures.size());
}

void RAlphaBitmapScroller::DrawCell(int item, const Rect16& cell, bool selected) {
    const ScrollerPicture& mask = Items()[size_t(item)];
    if (mask.bytes != nullptr)
        DrawColoredAlphaMask(cell.left, cell.top, mask.bytes, mask.size, PackedPaintColor(), true, &cell);
    if (selected) gfxFrameRect(cell);
}

}  // namespace Ostrel
