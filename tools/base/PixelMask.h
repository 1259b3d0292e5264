#pragma once
// Which pixels of a picture a tool chose (a fill's region, a cut shape's inside), one byte per
// pixel, with the rectangle that holds them all. It becomes an engine region for the canvas.
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/base/MemoryHandles.h"
#include "engine/regions/Rects.h"

class PixelMask {
public:
    PixelMask(i16 width, i16 height);

    i16 Width() const { return width_; }
    i16 Height() const { return height_; }
    bool Test(i32 x, i32 y) const { return x >= 0 && y >= 0 && x < width_ && y < height_ && bits_[Index(x, y)]; }
    // Pixels x0 .. x1 - 1 of row y, cut to the mask.
    void SetSpan(i32 y, i32 x0, i32 x1);
    bool IsEmpty() const { return bounds_.left >= bounds_.right; }
    const Rect16& Bounds() const { return bounds_; }
    size_t Count() const;

    // A new engine region of the chosen pixels moved by (dx, dy), or 0 when it cannot be made
    // or nothing is chosen.
    memHandle ToRegion(i16 dx, i16 dy) const;

private:
    size_t Index(i32 x, i32 y) const { return size_t(y) * size_t(width_) + size_t(x); }
    i16 width_;
    i16 height_;
    std::vector<u8> bits_;
    Rect16 bounds_{0, 0, 0, 0};
};
