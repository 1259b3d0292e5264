#include "tools/fills/FloodFill.h"

#include <vector>

namespace {

struct Pending {
    i32 y;
    i32 x0;  // the span of the row it came from, x0 .. x1 - 1
    i32 x1;
};

}  // namespace

PixelMask floodFillArea(const PixelView& picture, Point16 seed) {
    PixelMask mask(picture.width, picture.height);
    if (!picture.Contains(seed.h, seed.v)) return mask;
    const u16 target = picture.At(seed.h, seed.v);
    auto fillable = [&](i32 x, i32 y) { return picture.Row(y)[x] == target && !mask.Test(x, y); };

    std::vector<Pending> stack;
    auto scanFrom = [&](i32 y, i32 x0, i32 x1) {
        // Every run of fillable pixels of row y that touches x0 .. x1 - 1 becomes a span.
        if (y < 0 || y >= picture.height) return;
        i32 x = x0;
        while (x < x1) {
            if (!fillable(x, y)) {
                ++x;
                continue;
            }
            i32 left = x;
            while (left > 0 && fillable(left - 1, y)) --left;
            i32 right = x + 1;
            while (right < picture.width && fillable(right, y)) ++right;
            mask.SetSpan(y, left, right);
            stack.push_back(Pending{y, left, right});
            x = right + 1;
        }
    };
    scanFrom(seed.v, seed.h, seed.h + 1);
    while (!stack.empty()) {
        Pending span = stack.back();
        stack.pop_back();
        scanFrom(span.y - 1, span.x0, span.x1);
        scanFrom(span.y + 1, span.x0, span.x1);
    }
    return mask;
}
