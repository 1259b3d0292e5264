#pragma once
// Engine bitmaps written field by field for the picture tests: plain 24-bit rows (blue, green,
// red), top-down or bottom-up, and machine-order 16-bit rows.
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"

namespace testapp {

// The colour of pixel (x, y) of the test pictures: channels that 16-bit pixels hold exactly.
inline u32 pictureColour(u16 seed, u16 x, u16 y) {
    return u32((seed * 40 + x * 64) & 0xF8) << 16 | u32((seed * 24 + y * 96) & 0xF8) << 8 | u32((seed * 56 + 8) & 0xF8);
}

inline std::vector<u8> bitmapHeader(u16 width, u16 height, i16 rowBytes, u16 format) {
    std::vector<u8> b(kGfxBitmapHeaderSize);
    writeBE16(b.data(), width);
    writeBE16(b.data() + 2, height);
    writeBE16(b.data() + 4, u16(rowBytes));
    writeBE16(b.data() + 6, format);
    return b;
}

// 24-bit rows padded to four bytes; bottomUp stores the last row first with a negative step.
inline std::vector<u8> picture24(u16 seed, u16 width, u16 height, bool bottomUp = false) {
    const i16 step = i16((width * 3 + 3) / 4 * 4);
    std::vector<u8> b = bitmapHeader(width, height, bottomUp ? i16(-step) : step, 4);
    for (u16 r = 0; r < height; ++r) {
        const u16 y = bottomUp ? u16(height - 1 - r) : r;
        std::vector<u8> row(size_t(step), 0);
        for (u16 x = 0; x < width; ++x) {
            const u32 c = pictureColour(seed, x, y);
            row[3 * x] = u8(c);
            row[3 * x + 1] = u8(c >> 8);
            row[3 * x + 2] = u8(c >> 16);
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

// RGB555 words in machine (little-endian) order.
inline std::vector<u8> picture16(u16 seed, u16 width, u16 height) {
    const i16 step = i16((width * 2 + 3) / 4 * 4);
    std::vector<u8> b = bitmapHeader(width, height, step, 0x1003);
    for (u16 y = 0; y < height; ++y) {
        std::vector<u8> row(size_t(step), 0);
        for (u16 x = 0; x < width; ++x) {
            const u32 c = pictureColour(seed, x, y);
            writeLE16(row.data() + 2 * x, u16(((c >> 19) & 31) << 10 | ((c >> 11) & 31) << 5 | ((c >> 3) & 31)));
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

}  // namespace testapp
