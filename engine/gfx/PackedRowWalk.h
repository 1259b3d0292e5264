#pragma once
// The walkers of packed pixel rows as templates over their visitor, for the drawing paths
// that decode whole pictures: the visitor's calls are inlined, it is asked once per row
// whether it wants that row's runs (and sets up its row there), and the 16-bit walker can
// leave the transparent gaps out. Every row is read and checked whether wanted or not, so a
// walk reports damage exactly as gfxWalkPacked8 and gfxWalkPacked16 do. The steps through
// one 8-bit row serve the walker of row pairs as well.
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

// Where the walk of one 8-bit row stands: the next header, the row's end, the next run's
// column, and the visitor's handle for the row.
template <class Row>
struct RowCursor8 {
    const u8* run;
    const u8* end;
    u32 y;
    u32 x;
    Row row;
};

// A run takes at most a header and 128 indices.
constexpr size_t kLongestRun8 = 129;

// The row whose 2-byte count starts at `data`, or false when the count or the row's bytes are
// missing.
template <class Visitor, class Row>
[[gnu::always_inline]] inline bool openRow8(const u8* data, const u8* end, u32 y, Visitor& visit, RowCursor8<Row>& c) {
    if (end - data < 2) return false;
    const size_t count = readBE16(data);
    if (size_t(end - data - 2) < count) return false;
    c = {data + 2, data + 2 + count, y, 0, visit.row(y)};
    return true;
}

// One run of the row; false when it reaches past the row, and then nothing of it is visited.
// Unchecked, the caller knows that the longest run fits in what is left of the row.
template <bool kChecked = true, class Visitor, class Row>
[[gnu::always_inline]] inline bool stepRow8(RowCursor8<Row>& c, Visitor& visit) {
    const u32 control = *c.run++;
    // Two paths rather than a selected length: the next header's place after a repeated run
    // does not wait for this header's load. Each path takes its own length apart: a literal's
    // header is its length less one as it stands, so that after a literal the next header's
    // place waits on the load and an add alone, with no mask between them.
    if (control & kRepeatRun8) {
        const u32 n = control - kRepeatRun8 + 1;
        if (kChecked && c.run == c.end) [[unlikely]] return false;
        if (c.row) visit.run(c.row, GfxPackedRun{c.y, c.x, n, c.run, true, false});
        ++c.run;
        c.x += n;
    } else {
        const u32 n = control + 1;
        if (kChecked && size_t(c.end - c.run) < n) [[unlikely]] return false;
        if (c.row) visit.run(c.row, GfxPackedRun{c.y, c.x, n, c.run, false, false});
        c.run += n;
        c.x += n;
    }
    return true;
}

template <class Visitor, class Row>
[[gnu::always_inline]] inline bool finishRow8(RowCursor8<Row>& c, Visitor& visit) {
    while (c.run < c.end)
        if (!stepRow8(c, visit)) return false;
    return true;
}

// A visitor of whole rows seen through row handles: the handle is whether the row is wanted.
template <class Visitor>
struct WantedRows {
    Visitor& visit;
    bool row(u32 y) { return visit.row(y); }
    void run(bool, const GfxPackedRun& run) { visit.run(run); }
};

}  // namespace gfx_packed

template <class Visitor>
bool gfxWalkPackedRows8(const u8* data, size_t size, u32 height, Visitor& visit) {
    gfx_packed::WantedRows<Visitor> rows{visit};
    const u8* end = data + size;
    for (u32 y = 0; y < height; ++y) {
        gfx_packed::RowCursor8<bool> c;
        if (!gfx_packed::openRow8(data, end, y, rows, c) || !gfx_packed::finishRow8(c, rows)) return false;
        data = c.end;
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
