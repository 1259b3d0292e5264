#include "engine/gfx/GfxPackedWriter.h"

#include "engine/gfx/GfxPort.h"

namespace {

constexpr u16 kDepth16 = 3;
constexpr u16 kRepeatRun = 0x8000;
// Shorter runs of one colour cost less as literals than as an 8-byte repeat.
constexpr int kRepeatFrom = 4;
constexpr int kMaxRun = 0x7FFF;

void push16(std::vector<u8>& v, u16 w) {
    v.push_back(u8(w >> 8));
    v.push_back(u8(w));
}

// The length of the run of `colour` from `x`, up to kMaxRun.
int sameRun(const std::vector<i32>& row, int x, i32 colour) {
    int n = 0;
    while (x + n < int(row.size()) && n < kMaxRun && row[size_t(x + n)] == colour) ++n;
    return n;
}

// One row's runs: literal or repeated colours, each followed by the gap after it.
std::vector<u8> packRow(const std::vector<i32>& row, u16* lead) {
    std::vector<u8> runs;
    const int width = int(row.size());
    int x = 0;
    while (x < width && row[size_t(x)] == kGfxPackedClear) ++x;
    *lead = u16(x);
    while (x < width) {
        const int same = sameRun(row, x, row[size_t(x)]);
        int count = same;
        if (same < kRepeatFrom) {
            // A literal stops where a long enough repeat or a gap begins.
            count = 0;
            while (x + count < width && count < kMaxRun && row[size_t(x + count)] != kGfxPackedClear &&
                   (count == 0 || sameRun(row, x + count, row[size_t(x + count)]) < kRepeatFrom))
                ++count;
        }
        int gapEnd = x + count;
        while (gapEnd < width && row[size_t(gapEnd)] == kGfxPackedClear) ++gapEnd;
        // A gap that reaches the row's end is left implicit.
        const u16 gap = gapEnd == width ? 0 : u16(gapEnd - x - count);
        if (same >= kRepeatFrom) {
            push16(runs, u16(kRepeatRun + count));
            push16(runs, gap);
            push16(runs, u16(row[size_t(x)]));
            push16(runs, 0);
        } else {
            push16(runs, u16(count));
            push16(runs, gap);
            for (int i = 0; i < count; ++i) push16(runs, u16(row[size_t(x + i)]));
            while (runs.size() % 4) runs.push_back(0);
        }
        x = gapEnd;
    }
    return runs;
}

}  // namespace

std::vector<u8> gfxWritePacked16(u16 width, u16 height, const std::function<i32(u32 x, u32 y)>& colourAt) {
    std::vector<u8> out;
    push16(out, width);
    push16(out, height);
    push16(out, u16(width * 2));
    push16(out, kDepth16 | kGfxFormatPacked16);
    int emptyRows = 0;
    auto flushEmpty = [&] {
        if (emptyRows == 0) return;
        push16(out, 0);
        push16(out, u16(emptyRows - 1));
        emptyRows = 0;
    };
    std::vector<i32> row(width);
    for (u32 y = 0; y < height; ++y) {
        for (u32 x = 0; x < width; ++x) row[x] = colourAt(x, y);
        u16 lead = 0;
        const std::vector<u8> runs = packRow(row, &lead);
        if (runs.empty()) {
            ++emptyRows;
            continue;
        }
        flushEmpty();
        push16(out, u16(runs.size() / 4));
        push16(out, lead);
        out.insert(out.end(), runs.begin(), runs.end());
    }
    flushEmpty();
    return out;
}
