#include "engine/regions/RegionScans.h"

namespace {

bool passes(const Rect16& s, const Rect16& r, bool placing) {
    const i16 topLimit = placing ? r.top : r.bottom;
    return (s.top < topLimit) & ((s.bottom < r.top) | (s.right < r.left) | (s.left > r.right)) &
           ((s.left < r.left) | (s.top < r.top) | (s.right > r.right) | (s.bottom > r.bottom));
}

}  // namespace

int rgnSkipPassingPlain(const Rect16* rects, int from, int count, const Rect16& r, bool placing) {
    while (from < count && passes(rects[from], r, placing)) ++from;
    return from;
}

int rgnFirstReachingPlain(const Rect16* rects, int from, int count, i16 row) {
    while (from < count && rects[from].top < row && rects[from].bottom < row) ++from;
    return from;
}

int rgnFirstReaching(const Rect16* rects, int from, int count, i16 row) {
#if defined(__SSE2__)
    const __m128i rows = _mm_set1_epi16(row);
    // Sixteen rectangles at a time while none reaches: the greatest of their lanes, tops and
    // bottoms in lanes 1, 3, 5 and 7 (mask bytes 0xCCCC), all above the row.
    for (; from + 16 <= count; from += 16) {
        const auto* block = reinterpret_cast<const __m128i*>(rects + from);
        __m128i most = _mm_loadu_si128(block);
        for (int k = 1; k < 8; ++k) most = _mm_max_epi16(most, _mm_loadu_si128(block + k));
        if ((_mm_movemask_epi8(_mm_cmplt_epi16(most, rows)) & 0xCCCC) != 0xCCCC) break;
    }
    for (; from + 4 <= count; from += 4) {
        // Lanes above the row; per rectangle k, top at bit 8k + 2 and bottom at bit 8k + 6.
        const u32 above = rgnLanesLess(rects + from, rows);
        const u32 reaches = ~(above & (above >> 4)) & 0x04040404u;
        if (reaches != 0) return from + __builtin_ctz(reaches) / 8;
    }
#endif
    return rgnFirstReachingPlain(rects, from, count, row);
}
