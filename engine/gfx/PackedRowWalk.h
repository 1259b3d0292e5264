#pragma once
// The walkers of packed pixel rows as templates over their visitor, for the drawing paths
// that decode whole pictures: the visitor's calls are inlined, it is asked once per row
// whether it wants that row's runs (and sets up its row there), and the 16-bit walker can
// leave the transparent gaps out. Every row is read and checked whether wanted or not, so a
// walk reports damage exactly as gfxWalkPacked8 and gfxWalkPacked16 do.
//
// A visitor has `bool row(u32 y)` and `void run(const GfxPackedRun&)`.
#include <cstddef>

#include "engine/base/ByteOrder.h"
#include "engine/base/EngineTypes.h"
#include "engine/gfx/PackedPixels.h"

namespace gfx_packed {

constexpr u8 kRepeatRun8 = 0x80;
constexpr u16 kRepeatRun16 = 0x8000;
constexpr size_t kRepeatRun16Bytes = 8;

}  // namespace gfx_packed

template <class Visitor>
bool gfxWalkPackedRows8(const u8* data, size_t size, u32 height, Visitor& visit) {
    const u8* end = data + size;
    for (u32 y = 0; y < height; ++y) {
        if (end - data < 2) return false;
        size_t count = readBE16(data);
        const u8* run = data + 2;
        if (size_t(end - run) < count) return false;
        const u8* rowEnd = run + count;
        const bool wanted = visit.row(y);
        u32 x = 0;
        while (run < rowEnd) {
            const u8 control = *run++;
            const u32 n = u32(control & 0x7F) + 1;
            // Two paths rather than a selected length: the next header's place after a
            // repeated run does not wait for this header's load.
            if (control & gfx_packed::kRepeatRun8) {
                if (run == rowEnd) return false;
                if (wanted) visit.run(GfxPackedRun{y, x, n, run, true, false});
                ++run;
            } else {
                if (size_t(rowEnd - run) < n) return false;
                if (wanted) visit.run(GfxPackedRun{y, x, n, run, false, false});
                run += n;
            }
            x += n;
        }
        data = rowEnd;
    }
    return true;
}

// With kGaps false, transparent runs (gaps, leading gaps and empty rows) are not reported.
template <bool kGaps, class Visitor>
bool gfxWalkPackedRows16(const u8* data, size_t size, u32 height, Visitor& visit) {
    const u8* end = data + size;
    u32 y = 0;
    while (y < height) {
        if (end - data < 4) return false;
        u16 words = readBE16(data), lead = readBE16(data + 2);
        data += 4;
        if (words == 0) {
            for (u32 r = 0; r <= lead && y < height; ++r, ++y) {
                if (kGaps && visit.row(y)) visit.run(GfxPackedRun{y, 0, 0xFFFF, nullptr, false, true});
            }
            continue;
        }
        if (size_t(end - data) < size_t(words) * 4) return false;
        const u8* rowEnd = data + size_t(words) * 4;
        const bool wanted = visit.row(y);
        if (kGaps && wanted && lead) visit.run(GfxPackedRun{y, 0, lead, nullptr, false, true});
        u32 x = lead;
        while (data < rowEnd) {
            if (rowEnd - data < 4) return false;
            u16 count = readBE16(data), gap = readBE16(data + 2);
            if (count >= gfx_packed::kRepeatRun16) {
                if (size_t(rowEnd - data) < gfx_packed::kRepeatRun16Bytes) return false;
                if (wanted) visit.run(GfxPackedRun{y, x, u32(count - gfx_packed::kRepeatRun16), data + 4, true, false});
                x += count - gfx_packed::kRepeatRun16;
                data += gfx_packed::kRepeatRun16Bytes;
            } else {
                // The header and the colour words padded to 4 bytes, 4 + ((2 * count + 3) & ~3),
                // in fewer steps: the next header's place waits on this sum.
                const size_t bytes = 4 * ((size_t(count) + 3) >> 1);
                if (size_t(rowEnd - data) < bytes) return false;
                if (wanted) visit.run(GfxPackedRun{y, x, count, data + 4, false, false});
                x += count;
                data += bytes;
            }
            if (kGaps && wanted && gap) visit.run(GfxPackedRun{y, x, gap, nullptr, false, true});
            x += gap;
        }
        data = rowEnd;
        ++y;
    }
    return true;
}
