#include "tools/stamps/RStampSimpleBitmap.h"

#include <algorithm>
#include <array>

#include "tools/base/ToolNames.h"

namespace {
// The first size is the picture as drawn: a stamp or letter is never shrunk below it.
constexpr std::array<i32, 4> kScalePercents = {100, 150, 200, 300};
}

RStampSimpleBitmap::RStampSimpleBitmap() : RTool(kToolIdSimpleBitmap) { SelectSize(0); }

void RStampSimpleBitmap::SetPicture(PixelTile picture) {
    original_ = std::move(picture);
    Refresh();
}

void RStampSimpleBitmap::Refresh() { scaled_ = scaleTile(original_, ScalePercent()); }

void RStampSimpleBitmap::Reset() {
    original_ = PixelTile{};
    scaled_ = PixelTile{};
}

void RStampSimpleBitmap::SelectSize(i16 index) {
    RTool::SelectSize(index);
    Refresh();
}

i32 RStampSimpleBitmap::ScalePercent() const {
    return kScalePercents[size_t(std::clamp<i32>(GetSizeIndex(), 0, i32(kScalePercents.size()) - 1))];
}

void RStampSimpleBitmap::MouseDown(ToolCanvas& canvas, Point16 p) { stampTile(canvas, scaled_, p); }
