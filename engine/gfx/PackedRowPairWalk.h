#pragma once
// The walker of packed 8-bit rows two rows at a time, for drawing whole pictures. Inside a
// row each run's place waits on the header before it, so one row at a time goes no faster
// than that chain of loads; the rows' own byte counts tell where the next row starts, and two
// rows walked in step run two chains at once. What the visitor is shown adds up to exactly
// what gfxWalkPackedRows8 shows it: should the earlier row of a pair turn out damaged, the
// later row's runs must leave no trace, so the visitor keeps what they may write before the
// pair starts and puts it back.
//
// A visitor has `Row row(u32 y)` (a handle that tests false for a row it does not want),
// `void run(Row, const GfxPackedRun&)`, `void keep(Row)` and `void restore(Row)`.
#include <algorithm>
#include <cstddef>

#include "engine/base/EngineTypes.h"
#include "engine/gfx/PackedRowWalk.h"

template <class Visitor>
[[gnu::always_inline]] inline bool gfxWalkPackedRowPairs8(const u8* data, size_t size, u32 height, Visitor& visit) {
    using namespace gfx_packed;
    using Row = decltype(visit.row(0));
    const u8* end = data + size;
    u32 y = 0;
    while (y < height) {
        RowCursor8<Row> a, b;
        if (!openRow8(data, end, y, visit, a)) return false;
        if (y + 1 == height || !openRow8(a.end, end, y + 1, visit, b) || !a.row || !b.row) {
            // Alone, as the last row and the rows at a clip piece's top or bottom are; a count
            // that did not open is found again in the next round.
            if (!finishRow8(a, visit)) return false;
            data = a.end;
            ++y;
            continue;
        }
        visit.keep(b.row);
        // Far from both rows' ends no run can reach past its row, and the runs go unchecked.
        const u8* aSafe = a.end - std::min<size_t>(a.end - a.run, kLongestRun8);
        const u8* bSafe = b.end - std::min<size_t>(b.end - b.run, kLongestRun8);
        while (a.run < aSafe && b.run < bSafe) {
            stepRow8<false>(a, visit);
            stepRow8<false>(b, visit);
        }
        bool bSound = true;
        while (a.run < a.end && b.run < b.end) {
            if (!stepRow8(a, visit)) {
                visit.restore(b.row);
                return false;
            }
            if (!stepRow8(b, visit)) {
                bSound = false;
                break;
            }
        }
        // The later row's damage counts only once the earlier row has ended sound.
        if (!finishRow8(a, visit)) {
            visit.restore(b.row);
            return false;
        }
        if (!bSound || !finishRow8(b, visit)) return false;
        data = b.end;
        y += 2;
    }
    return true;
}
