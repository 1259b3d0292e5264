#pragma once
// The scans that the union repeats most, over a region's rectangles: passing the ones a
// rectangle being placed leaves untouched, and finding the first that reaches a row. Each
// has a plain loop, which says what it finds, and a version that looks at several
// rectangles at a time and finds the same for any list, damaged ones included. Not for
// other modules.
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cstdint>

#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"

int rgnSkipPassingPlain(const Rect16* rects, int from, int count, const Rect16& r, bool placing);

#if defined(__SSE2__)
// Sixteen-bit lane masks of two rectangles each, four rectangles to a 32-bit mask with two
// bits a lane: rectangle k's lane j at bit 8k + 2j.
inline u32 rgnLanesLess(const Rect16* four, __m128i limits) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(four));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(four + 2));
    return u32(_mm_movemask_epi8(_mm_cmplt_epi16(a, limits))) | u32(_mm_movemask_epi8(_mm_cmplt_epi16(b, limits))) << 16;
}

inline u32 rgnLanesGreater(const Rect16* four, __m128i limits) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(four));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(four + 2));
    return u32(_mm_movemask_epi8(_mm_cmpgt_epi16(a, limits))) | u32(_mm_movemask_epi8(_mm_cmpgt_epi16(b, limits))) << 16;
}

inline __m128i rgnLaneLimits(i16 left, i16 top, i16 right, i16 bottom) {
    return _mm_setr_epi16(left, top, right, bottom, left, top, right, bottom);
}

// Up to the first rectangle that does not pass, or to the last three. While r's place is
// open, a rectangle that starts above r cannot lie inside it, so only rows and columns are
// compared.
template <bool kPlacing>
int rgnSkipFourAtATime(const Rect16* rects, int from, int count, const Rect16& r) {
    const __m128i below = rgnLaneLimits(r.left, kPlacing ? r.top : r.bottom, r.left, r.top);
    const __m128i beyond = rgnLaneLimits(r.right, INT16_MAX, r.right, r.bottom);
    for (; from + 4 <= count; from += 4) {
        const u32 less = rgnLanesLess(rects + from, below);
        const u32 greater = rgnLanesGreater(rects + from, beyond);
        // Per rectangle, at bit 8k: starts early enough; misses r; not inside r.
        const u32 early = less >> 2;
        const u32 misses = (less >> 4) | (less >> 6) | greater;
        u32 passing = early & misses;
        if constexpr (!kPlacing) {
            const u32 higher = rgnLanesLess(rects + from, rgnLaneLimits(INT16_MIN, r.top, INT16_MIN, INT16_MIN));
            passing &= less | (higher >> 2) | (greater >> 4) | (greater >> 6);
        }
        const u32 stops = ~passing & 0x01010101u;
        if (stops != 0) return from + __builtin_ctz(stops) / 8;
    }
    return from;
}
#endif

// The first index from `from` on whose rectangle the union's scan for r (non-empty) must
// look at: before it, each one starts above r's bottom (above r's top while r's place in the
// list is still open, `placing`), misses r's rows or columns, and is not inside r's columns
// and rows. Inline: the scan calls it for every stretch it passes.
inline int rgnSkipPassing(const Rect16* rects, int from, int count, const Rect16& r, bool placing) {
#if defined(__SSE2__)
    from = placing ? rgnSkipFourAtATime<true>(rects, from, count, r) : rgnSkipFourAtATime<false>(rects, from, count, r);
    // Stopped short of the last three: at a rectangle that does not pass.
    if (from + 4 <= count) return from;
#endif
    return rgnSkipPassingPlain(rects, from, count, r, placing);
}

// The first index from `from` whose rectangle's top or bottom is at or below `row`.
int rgnFirstReaching(const Rect16* rects, int from, int count, i16 row);
int rgnFirstReachingPlain(const Rect16* rects, int from, int count, i16 row);
