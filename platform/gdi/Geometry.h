#pragma once
// Points and rectangles of the drawing layer, in 32-bit coordinates. Rectangles exclude their
// right and bottom edges; a rectangle with right <= left or bottom <= top is empty.
#include <algorithm>
#include <cstdint>

namespace plat::gdi {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    Rect offset(int32_t dx, int32_t dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Rect intersect(const Rect& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    }
    // Swaps reversed edges so that the rectangle covers the same area with positive extents.
    Rect normalized() const {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A position with signed extents, as blits and stretches take them: a negative width or height
// counts left or up from the position and mirrors the picture along that axis.
struct Box {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;
};

}  // namespace plat::gdi
