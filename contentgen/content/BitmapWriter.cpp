#include "contentgen/content/BitmapWriter.h"

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
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

void pushHeader(std::vector<u8>& v, int width, int height, u16 format) {
    push16(v, u16(width));
    push16(v, u16(height));
    push16(v, u16(width * 2));
    push16(v, format);
}

constexpr int kClear = -1;

// One row's places: kClear or the RGB555 colour, converted once.
std::vector<int> rowColours(const Raster& raster, int y, int left, int right) {
    std::vector<int> row(size_t(right - left));
    for (int x = left; x < right; ++x) {
        const u32 p = raster.at(x, y);
        row[size_t(x - left)] = rasterOpaque(p) ? rasterTo555(p) : kClear;
    }
    return row;
}

// The length of the run of `colour` from `x`, up to kMaxRun.
int sameRun(const std::vector<int>& row, int x, int colour) {
    int n = 0;
    while (x + n < int(row.size()) && n < kMaxRun && row[size_t(x + n)] == colour) ++n;
    return n;
}

// One row's runs: literal or repeated colours, each followed by the gap after it.
std::vector<u8> packRow(const std::vector<int>& row, u16* lead) {
    std::vector<u8> runs;
    const int width = int(row.size());
    int x = 0;
    while (x < width && row[size_t(x)] == kClear) ++x;
    *lead = u16(x);
    while (x < width) {
        const int same = sameRun(row, x, row[size_t(x)]);
        int count = same;
        if (same < kRepeatFrom) {
            // A literal stops where a long enough repeat or a gap begins.
            count = 0;
            while (x + count < width && count < kMaxRun && row[size_t(x + count)] != kClear &&
                   (count == 0 || sameRun(row, x + count, row[size_t(x + count)]) < kRepeatFrom))
                ++count;
        }
        int gapEnd = x + count;
        while (gapEnd < width && row[size_t(gapEnd)] == kClear) ++gapEnd;
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

std::vector<u8> writePlainBitmap16(const Raster& raster) {
    std::vector<u8> out;
    out.reserve(kGfxBitmapHeaderSize + size_t(raster.width) * size_t(raster.height) * 2);
    pushHeader(out, raster.width, raster.height, kDepth16);
    for (u32 p : raster.pixels) push16(out, rasterTo555(p | 0xFF000000u));
    return out;
}

std::vector<u8> writeAlphaMask8(const Raster& raster) {
    std::vector<u8> out;
    out.reserve(8 + raster.pixels.size());
    for (int field : {raster.width, raster.height, raster.width, 0}) push16(out, u16(field));
    for (u32 p : raster.pixels) out.push_back(u8(p >> 24));
    return out;
}

std::vector<u8> writePackedBitmap16(const Raster& raster, const RasterBounds& bounds) {
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    std::vector<u8> out;
    pushHeader(out, width, height, kDepth16 | kGfxFormatPacked16);
    int emptyRows = 0;
    auto flushEmpty = [&] {
        if (emptyRows == 0) return;
        push16(out, 0);
        push16(out, u16(emptyRows - 1));
        emptyRows = 0;
    };
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        u16 lead = 0;
        const std::vector<u8> runs = packRow(rowColours(raster, y, bounds.left, bounds.right), &lead);
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
