#include "engine/regions/RegionScans.h"

#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool passes(const Rect16& s, const Rect16& r, i16 topLimit) {
    return (s.top < topLimit) & ((s.bottom < r.top) | (s.right < r.left) | (s.left > r.right)) &
           ((s.left < r.left) | (s.top < r.top) | (s.right > r.right) | (s.bottom > r.bottom));
}

#if defined(__SSE2__)
// Sixteen-bit lane masks of two rectangles each, four rectangles to a 32-bit mask with two
// bits a lane: rectangle k's lane j at bit 8k + 2j.
u32 lanesLess(const Rect16* four, __m128i limits) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(four));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(four + 2));
    return u32(_mm_movemask_epi8(_mm_cmplt_epi16(a, limits))) | u32(_mm_movemask_epi8(_mm_cmplt_epi16(b, limits))) << 16;
}

u32 lanesGreater(const Rect16* four, __m128i limits) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(four));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(four + 2));
    return u32(_mm_movemask_epi8(_mm_cmpgt_epi16(a, limits))) | u32(_mm_movemask_epi8(_mm_cmpgt_epi16(b, limits))) << 16;
}

__m128i laneLimits(i16 left, i16 top, i16 right, i16 bottom) {
    return _mm_setr_epi16(left, top, right, bottom, left, top, right, bottom);
}
#endif

}  // namespace

int rgnSkipPassingPlain(const Rect16* rects, int from, int count, const Rect16& r, bool placing) {
    const i16 topLimit = placing ? r.top : r.bottom;
    while (from < count && passes(rects[from], r, topLimit)) ++from;
    return from;
}

int rgnSkipPassing(const Rect16* rects, int from, int count, const Rect16& r, bool placing) {
#if defined(__SSE2__)
    const i16 topLimit = placing ? r.top : r.bottom;
    const __m128i below = laneLimits(r.left, topLimit, r.left, r.top);
    const __m128i beyond = laneLimits(r.right, INT16_MAX, r.right, r.bottom);
    const __m128i aboveTop = laneLimits(INT16_MIN, r.top, INT16_MIN, INT16_MIN);
    for (; from + 4 <= count; from += 4) {
        const u32 less = lanesLess(rects + from, below);
        const u32 greater = lanesGreater(rects + from, beyond);
        const u32 higher = lanesLess(rects + from, aboveTop);
        // Per rectangle, at bit 8k: starts early enough; misses r; not inside r.
        const u32 early = less >> 2;
        const u32 misses = (less >> 4) | (less >> 6) | greater;
        const u32 notInside = less | (higher >> 2) | (greater >> 4) | (greater >> 6);
        const u32 stops = ~(early & misses & notInside) & 0x01010101u;
        if (stops != 0) return from + __builtin_ctz(stops) / 8;
    }
#endif
    return rgnSkipPassingPlain(rects, from, count, r, placing);
}

i16 rgnLowestEdgePlain(const Rect16* rects, int count) {
    i16 lowest = INT16_MIN;
    for (int i = 0; i < count; ++i) lowest = std::max({lowest, rects[i].top, rects[i].bottom});
    return lowest;
}

i16 rgnLowestEdge(const Rect16* rects, int count) {
    int i = 0;
    i16 lowest = INT16_MIN;
#if defined(__SSE2__)
    if (count >= 4) {
        __m128i first = _mm_set1_epi16(INT16_MIN), second = first;
        for (; i + 4 <= count; i += 4) {
            first = _mm_max_epi16(first, _mm_loadu_si128(reinterpret_cast<const __m128i*>(rects + i)));
            second = _mm_max_epi16(second, _mm_loadu_si128(reinterpret_cast<const __m128i*>(rects + i + 2)));
        }
        // Lanes 1, 3, 5 and 7 hold tops and bottoms; folding the 32-bit pairs onto each other
        // leaves their greatest in lane 1.
        __m128i most = _mm_max_epi16(first, second);
        most = _mm_max_epi16(most, _mm_shuffle_epi32(most, _MM_SHUFFLE(1, 0, 3, 2)));
        most = _mm_max_epi16(most, _mm_shuffle_epi32(most, _MM_SHUFFLE(2, 3, 0, 1)));
        lowest = i16(_mm_extract_epi16(most, 1));
    }
#endif
    return std::max(lowest, rgnLowestEdgePlain(rects + i, count - i));
}
