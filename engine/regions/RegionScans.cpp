#include "engine/regions/RegionScans.h"

namespace {

bool passes(const Rect16& s, const Rect16& r) {
    const bool endsOnTop = (s.bottom == r.top) & ((s.left != r.left) | (s.right != r.right));
    return (s.top < r.bottom) & ((s.bottom < r.top) | (s.right < r.left) | (s.left > r.right) | endsOnTop) &
           ((s.left < r.left) | (s.top < r.top) | (s.right > r.right) | (s.bottom > r.bottom));
}

bool opensPlace(const Rect16& s, const Rect16& r) { return (r.top < s.top) | ((r.top == s.top) & (r.right < s.left)); }

}  // namespace

int rgnSkipPassingPlain(const Rect16* rects, int from, int count, const Rect16& r, int& placeAt) {
    for (; from < count && passes(rects[from], r); ++from) {
        if (placeAt < 0 && opensPlace(rects[from], r)) placeAt = from;
    }
    return from;
}

int rgnLastMeetingColumnsPlain(const Rect16* rects, int from, int before, const Rect16& r) {
    int p = before - 1;
    while (p >= from && !(rects[p].left <= r.right && r.left <= rects[p].right)) --p;
    return p;
}

int rgnFirstReachingPlain(const Rect16* rects, int from, int count, i16 row) {
    while (from < count && rects[from].top < row && rects[from].bottom < row) ++from;
    return from;
}

int rgnFirstReaching(const Rect16* rects, int from, int count, i16 row) {
#if defined(__SSE2__)
    const __m128i rows = _mm_set1_epi16(row);
    // Per rectangle k of four, at bit 4k + 1: its top or its bottom is at or below the row.
    auto reaching = [rows](const Rect16* four) {
        const u32 above = rgnLanesLess(four, rows);
        return ~(above & (above >> 2)) & 0x2222u;
    };
    // Sixteen rectangles at a time while none reaches: the greatest of their lanes, tops and
    // bottoms in lanes 1, 3, 5 and 7 (mask bytes 0xCCCC), all above the row.
    for (; from + 16 <= count; from += 16) {
        const auto* block = reinterpret_cast<const __m128i*>(rects + from);
        __m128i pairs[4];
        for (int k = 0; k < 4; ++k) {
            pairs[k] = _mm_max_epi16(_mm_loadu_si128(block + 2 * k), _mm_loadu_si128(block + 2 * k + 1));
        }
        const __m128i most = _mm_max_epi16(_mm_max_epi16(pairs[0], pairs[1]), _mm_max_epi16(pairs[2], pairs[3]));
        if ((_mm_movemask_epi8(_mm_cmplt_epi16(most, rows)) & 0xCCCC) != 0xCCCC) {
            // One of these reaches: the first, without a branch per four.
            u64 reaches = 0;
            for (int k = 0; k < 4; ++k) reaches |= u64(reaching(rects + from + 4 * k)) << (16 * k);
            return from + __builtin_ctzll(reaches) / 4;
        }
    }
    for (; from + 4 <= count; from += 4) {
        const u32 reaches = reaching(rects + from);
        if (reaches != 0) return from + __builtin_ctz(reaches) / 4;
    }
#endif
    return rgnFirstReachingPlain(rects, from, count, row);
}
