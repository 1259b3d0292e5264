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

// One row's runs: literal or repeated colours, each followed by the gap after it.
std::vector<u8> packRow(const Raster& raster, int y, int left, int right, u16* lead) {
    std::vector<u8> runs;
    int x = left;
    while (x < right && !rasterOpaque(raster.at(x, y))) ++x;
    *lead = u16(x - left);
    while (x < right) {
        const u16 colour = rasterTo555(raster.at(x, y));
        int same = 1;
        while (x + same < right && same < kMaxRun && rasterOpaque(raster.at(x + same, y)) &&
               rasterTo555(raster.at(x + same, y)) == colour)
            ++same;
        int count = same;
        if (same < kRepeatFrom) {
            count = 0;
            while (x + count < right && count < kMaxRun && rasterOpaque(raster.at(x + count, y))) {
                // Stop the literal where a long enough repeat begins.
                int ahead = 1;
                const u16 c = rasterTo555(raster.at(x + count, y));
                while (count > 0 && ahead < kRepeatFrom && x + count + ahead < right &&
                       rasterOpaque(raster.at(x + count + ahead, y)) && rasterTo555(raster.at(x + count + ahead, y)) == c)
                    ++ahead;
                if (count > 0 && ahead >= kRepeatFrom) break;
                ++count;
            }
        }
        int gapEnd = x + count;
        while (gapEnd < right && !rasterOpaque(raster.at(gapEnd, y))) ++gapEnd;
        // A gap that reaches the row's end is left implicit.
        const u16 gap = gapEnd == right ? 0 : u16(gapEnd - x - count);
        if (same >= kRepeatFrom) {
            push16(runs, u16(kRepeatRun + count));
            push16(runs, gap);
            push16(runs, colour);
            push16(runs, 0);
        } else {
            push16(runs, u16(count));
            push16(runs, gap);
            for (int i = 0; i < count; ++i) push16(runs, rasterTo555(raster.at(x + i, y)));
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
        const std::vector<u8> runs = packRow(raster, y, bounds.left, bounds.right, &lead);
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
