#include "engine/gfx/PackedPixels.h"

#include <algorithm>

#include "engine/ByteOrder.h"

namespace {

constexpr u16 kRepeatRun8 = 0x80;
constexpr u16 kRepeatRun16 = 0x8000;
constexpr u32 kRepeatRun16Bytes = 8;

}  // namespace

void gfxExpandPacked8(const u8* data, u16 width, u16 height, u8* out, size_t stride) {
    for (u16 y = 0; y < height; ++y) {
        u16 count = readBE16(data);
        const u8* run = data + 2;
        const u8* end = run + count;
        u8* row = out + y * stride;
        u32 x = 0;
        while (run < end) {
            u8 control = *run++;
            u32 n = u32(control & 0x7F) + 1;
            for (u32 i = 0; i < n; ++i, ++x)
                if (x < width) row[x] = (control & kRepeatRun8) ? run[0] : run[i];
            run += (control & kRepeatRun8) ? 1 : n;
        }
        data = end;
    }
}

bool gfxExpandPacked16(const u8* data, u16 width, u16 height, u16* out, size_t stride, bool ownColours, u16 opaqueFill,
                       u16 transparentFill) {
    bool transparent = false;
    u32 y = 0;
    auto put = [&](u32 x, u16 value) {
        if (x < width && y < height) out[y * stride + x] = value;
    };
    while (y < height) {
        u16 words = readBE16(data), lead = readBE16(data + 2);
        data += 4;
        if (words == 0) {
            for (u32 r = 0; r <= lead && y < height; ++r, ++y) std::fill(out + y * stride, out + y * stride + width, transparentFill);
            transparent = true;
            continue;
        }
        const u8* end = data + u32(words) * 4;
        u32 x = 0;
        for (; x < lead; ++x) put(x, transparentFill);
        transparent |= lead > 0;
        while (data < end) {
            u16 count = readBE16(data), gap = readBE16(data + 2);
            if (count >= kRepeatRun16) {
                u16 colour = readLE16(data + 4);
                for (u32 i = 0; i < u32(count - kRepeatRun16); ++i) put(x++, ownColours ? colour : opaqueFill);
                data += kRepeatRun16Bytes;
            } else {
                for (u32 i = 0; i < count; ++i) put(x++, ownColours ? readLE16(data + 4 + 2 * i) : opaqueFill);
                data += 4 + ((2u * count + 3) & ~3u);
            }
            for (u32 i = 0; i < gap; ++i) put(x++, transparentFill);
            transparent |= gap > 0;
        }
        transparent |= x < width;
        for (; x < width; ++x) put(x, transparentFill);
        data = end;
        ++y;
    }
    return transparent;
}
