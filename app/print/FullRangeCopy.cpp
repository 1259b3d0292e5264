#include "app/print/FullRangeCopy.h"

#include <algorithm>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxDibBitmap.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"

namespace Ostrel {

namespace {

constexpr u16 kSheetDepth = 24;

u8 widened(u16 word, int shift) {
    const u8 channel = u8((word >> shift) & 0x1F);
    return u8((channel << 3) | (channel >> 2));
}

}  // namespace

GfxPort* FullRangeCopy(GfxPort* source, const Rect16& area) {
    auto* from = dynamic_cast<GfxOffscreenPort*>(source);
    if (!from || from->Store().depth != 16 || !from->Store().base) return nullptr;
    const Rect16& bounds = from->Store().bounds;
    const i16 left = std::max(area.left, bounds.left), top = std::max(area.top, bounds.top);
    const i16 right = std::min(area.right, bounds.right), bottom = std::min(area.bottom, bounds.bottom);
    if (right <= left || bottom <= top) return nullptr;
    GfxPort* sheet = gfxNewOffscreenPort(u16(right - left), u16(bottom - top), kSheetDepth, nullptr);
    auto* to = dynamic_cast<GfxOffscreenPort*>(sheet);
    if (!to || to->Store().depth != kSheetDepth || !to->Store().base) {
        if (sheet) gfxDisposePort(sheet);
        return nullptr;
    }
    for (i32 y = top; y < bottom; ++y) {
        const u8* in = from->Store().RowAt(y) + 2 * left;
        // Blue, green, red in memory.
        u8* out = to->Store().RowAt(y - top);
        for (i32 x = left; x < right; ++x, in += 2, out += 3) {
            const u16 word = readLE16(in);
            out[0] = widened(word, 0), out[1] = widened(word, 5), out[2] = widened(word, 10);
        }
    }
    return sheet;
}

}  // namespace Ostrel
