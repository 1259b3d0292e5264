#include "tools/base/PixelView.h"

#include <algorithm>
#include <cstring>

#include "engine/gfx/GfxOffscreenPort.h"

void PixelView::FillSpan(i32 y, i32 x0, i32 x1, u16 pixel) const {
    if (y < 0 || y >= height) return;
    x0 = std::max(x0, 0);
    x1 = std::min<i32>(x1, width);
    if (x0 >= x1) return;
    std::fill(Row(y) + x0, Row(y) + x1, pixel);
}

void PixelView::Fill(u16 pixel) const {
    for (i32 y = 0; y < height; ++y) FillSpan(y, 0, width, pixel);
}

void PixelView::CopyRectFrom(const PixelView& source, const Rect16& r) const {
    i32 left = std::max<i32>({r.left, 0});
    i32 top0 = std::max<i32>({r.top, 0});
    i32 right = std::min<i32>({r.right, width, source.width});
    i32 bottom = std::min<i32>({r.bottom, height, source.height});
    if (left >= right) return;
    for (i32 y = top0; y < bottom; ++y)
        std::memmove(Row(y) + left, source.Row(y) + left, size_t(right - left) * sizeof(u16));
}

PixelView pixelViewOfPort(GfxOffscreenPort& port) {
    GfxDibBitmap& store = port.Store();
    if (store.depth != 16 || !store.base) return {};
    return PixelView{store.RowAt(0), -std::ptrdiff_t(store.stride), store.bounds.right, store.bounds.bottom};
}

PixelView pixelViewOfBuffer(std::vector<u16>& pixels, i16 width, i16 height) {
    pixels.resize(size_t(std::max<i16>(width, 0)) * size_t(std::max<i16>(height, 0)));
    return PixelView{reinterpret_cast<u8*>(pixels.data()), std::ptrdiff_t(width) * 2, width, height};
}

u16 rgb555FromColor(const GfxColor& color) {
    if (color.flag == kGfxColorFlagDefault || (color.flag & kGfxColorFlagIndex)) return kRgb555Black;
    return rgb555(color.red, color.green, color.blue);
}
