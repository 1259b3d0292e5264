#include "engine/regions/RegionScans.h"

#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

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
    while (from < count && rgnPasses(rects[from], r, placing)) ++from;
    return from;
}

#if defined(__SSE2__)
namespace {

// Up to the first rectangle that does not pass, or to the last three. While r's place is
// open, a rectangle that starts above r cannot lie inside it, so only rows and columns are
// compared.
template <bool kPlacing>
int skipFourAtATime(const Rect16* rects, int from, int count, const Rect16& r) {
    const __m128i below = laneLimits(r.left, kPlacing ? r.top : r.bottom, r.left, r.top);
    const __m128i beyond = laneLimits(r.right, INT16_MAX, r.right, r.bottom);
    for (; from + 4 <= count; from += 4) {
        const u32 less = lanesLess(rects + from, below);
        const u32 greater = lanesGreater(rects + from, beyond);
        // Per rectangle, at bit 8k: starts early enough; misses r; not inside r.
        const u32 early = less >> 2;
        const u32 misses = (less >> 4) | (less >> 6) | greater;
        u32 passing = early & misses;
        if constexpr (!kPlacing) {
            const u32 higher = lanesLess(rects + from, laneLimits(INT16_MIN, r.top, INT16_MIN, INT16_MIN));
            passing &= less | (higher >> 2) | (greater >> 4) | (greater >> 6);
        }
        const u32 stops = ~passing & 0x01010101u;
        if (stops != 0) return from + __builtin_ctz(stops) / 8;
    }
    return from;
}

}  // namespace
#endif

int rgnSkipPassing(const Rect16* rects, int from, int count, const Rect16& r, bool placing) {
    // The scan often stops at once: the next rectangle is the one it stopped for last.
    if (from < count && !rgnPasses(rects[from], r, placing)) return from;
#if defined(__SSE2__)
    from = placing ? skipFourAtATime<true>(rects, from, count, r) : skipFourAtATime<false>(rects, from, count, r);
    // Stopped short of the last three: at a rectangle that does not pass.
    if (from + 4 <= count) return from;
#endif
    return rgnSkipPassingPlain(rects, from, count, r, placing);
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
        const u32 above = lanesLess(rects + from, rows);
        const u32 reaches = ~(above & (above >> 4)) & 0x04040404u;
        if (reaches != 0) return from + __builtin_ctz(reaches) / 8;
    }
#endif
    return rgnFirstReachingPlain(rects, from, count, row);
}
