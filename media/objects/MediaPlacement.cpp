#include "media/objects/MediaPlacement.h"

#include <algorithm>

Rect16 centredInArea(const Rect16& area, i32 width, i32 height) {
    const i32 areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
    if (width > areaWidth || height > areaHeight) {
        // The side that overflows most decides the scale.
        if (i64(width) * areaHeight >= i64(height) * areaWidth) {
            height = std::max<i32>(1, i32(i64(height) * areaWidth / width));
            width = areaWidth;
        } else {
            width = std::max<i32>(1, i32(i64(width) * areaHeight / height));
            height = areaHeight;
        }
    }
    const i16 left = i16(area.left + (areaWidth - width) / 2), top = i16(area.top + (areaHeight - height) / 2);
    return {left, top, i16(left + width), i16(top + height)};
}
