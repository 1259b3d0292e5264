#include "document/pages/ShrinkPicture.h"

#include <algorithm>

PictureRecord ShrinkPicture(const PictureRecord& source, u16 width, u16 height) {
    PictureRecord small{width, height, {}, {}};
    const size_t area = size_t(source.width) * source.height;
    if (width == 0 || height == 0 || area == 0 || source.pixels.size() != area * 4) return {};
    small.pixels.resize(size_t(width) * height * 4);
    const size_t sourcePitch = size_t(source.width) * 4;
    u8* out = small.pixels.data();
    for (u32 y = 0; y < height; ++y) {
        // The source rows and columns of the box: at least one, so a larger picture repeats.
        const u32 top = y * source.height / height;
        const u32 bottom = std::max(top + 1, (y + 1) * source.height / height);
        for (u32 x = 0; x < width; ++x, out += 4) {
            const u32 left = x * source.width / width;
            const u32 right = std::max(left + 1, (x + 1) * source.width / width);
            u32 sum[4] = {0, 0, 0, 0};
            for (u32 sy = top; sy < bottom; ++sy) {
                const u8* row = source.pixels.data() + sy * sourcePitch + size_t(left) * 4;
                for (const u8* p = row; p < row + size_t(right - left) * 4; p += 4) {
                    sum[0] += p[0];
                    sum[1] += p[1];
                    sum[2] += p[2];
                    sum[3] += p[3];
                }
            }
            const u32 count = (bottom - top) * (right - left);
            for (size_t c = 0; c < 4; ++c) out[c] = u8((sum[c] + count / 2) / count);
        }
    }
    return small;
}
