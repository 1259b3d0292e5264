#include "tools/base/PixelMask.h"

#include <algorithm>
#include <numeric>

#include "engine/regions/Regions.h"

PixelMask::PixelMask(i16 width, i16 height)
    : width_(std::max<i16>(width, 0)), height_(std::max<i16>(height, 0)), bits_(size_t(width_) * size_t(height_), 0) {}

void PixelMask::SetSpan(i32 y, i32 x0, i32 x1) {
    if (y < 0 || y >= height_) return;
    x0 = std::max(x0, 0);
    x1 = std::min<i32>(x1, width_);
    if (x0 >= x1) return;
    std::fill(bits_.begin() + ptrdiff_t(Index(x0, y)), bits_.begin() + ptrdiff_t(Index(x1 - 1, y)) + 1, u8(1));
    if (IsEmpty()) {
        bounds_ = Rect16{i16(x0), i16(y), i16(x1), i16(y + 1)};
        return;
    }
    bounds_ = Rect16{std::min<i16>(bounds_.left, i16(x0)), std::min<i16>(bounds_.top, i16(y)),
                     std::max<i16>(bounds_.right, i16(x1)), std::max<i16>(bounds_.bottom, i16(y + 1))};
}

size_t PixelMask::Count() const { return size_t(std::accumulate(bits_.begin(), bits_.end(), size_t(0))); }

memHandle PixelMask::ToRegion(i16 dx, i16 dy) const {
    if (IsEmpty()) return 0;
    memHandle region = rgnCreate();
    if (!region) return 0;
    for (i32 y = bounds_.top; y < bounds_.bottom; ++y) {
        i32 x = bounds_.left;
        while (x < bounds_.right) {
            if (!bits_[Index(x, y)]) {
                ++x;
                continue;
            }
            i32 start = x;
            while (x < bounds_.right && bits_[Index(x, y)]) ++x;
            if (rgnUnionRect(region, Rect16{i16(start + dx), i16(y + dy), i16(x + dx), i16(y + 1 + dy)}) != kErrNone) {
                rgnDispose(region);
                return 0;
            }
        }
    }
    return region;
}
