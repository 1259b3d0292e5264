#pragma once
// The scans that the union repeats most, over a region's rectangles: passing the ones a
// rectangle being placed leaves untouched, finding the first that reaches a row and looking
// back for the last that meets a rectangle's columns. Each has a plain loop, which says what
// it finds, and a version that looks at several rectangles at a time and finds the same for
// any list, damaged ones included. Not for other modules.
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cstdint>

#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"

// The plain loop of rgnSkipPassing.
int rgnSkipPassingPlain(const Rect16* rects, int from, int count, const Rect16& r, int& placeAt);

#if defined(__SSE2__)
// Lane masks of four rectangles from their lanes compared two rectangles at a time:
// rectangle k's lane j at bit 4k + j.
inline u32 rgnLaneMask(__m128i firstTwo, __m128i lastTwo) {
    return u32(_mm_movemask_epi8(_mm_packs_epi16(firstTwo, lastTwo)));
}

inline __m128i rgnTwo(const Rect16* two) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(two)); }

inline u32 rgnLanesLess(const Rect16* four, __m128i limits) {
    return rgnLaneMask(_mm_cmplt_epi16(rgnTwo(four), limits), _mm_cmplt_epi16(rgnTwo(four + 2), limits));
}

inline u32 rgnLanesGreater(const Rect16* four, __m128i limits) {
    return rgnLaneMask(_mm_cmpgt_epi16(rgnTwo(four), limits), _mm_cmpgt_epi16(rgnTwo(four + 2), limits));
}

inline u32 rgnLanesEqual(const Rect16* four, __m128i limits) {
    return rgnLaneMask(_mm_cmpeq_epi16(rgnTwo(four), limits), _mm_cmpeq_epi16(rgnTwo(four + 2), limits));
}

inline __m128i rgnLaneLimits(i16 left, i16 top, i16 right, i16 bottom) {
    return _mm_setr_epi16(left, top, right, bottom, left, top, right, bottom);
}

// Of eight rectangles, at bit 4k for rectangle k: the ones that do not pass, and the ones
// that would open r's place (start below r's top, or on it right of r).
struct RgnSkipLanes {
    u32 stops;
    u32 opens;
};

class RgnSkipLimits {
public:
    explicit RgnSkipLimits(const Rect16& r)
        : below_(rgnLaneLimits(r.left, r.bottom, r.left, r.top)),
          beyond_(rgnLaneLimits(r.right, r.top, r.right, r.bottom)),
          edges_(rgnLaneLimits(r.left, r.top, r.right, r.top)) {}

    RgnSkipLanes of(const Rect16* eight) const {
        const u32 less = rgnLanesLess(eight, below_) | rgnLanesLess(eight + 4, below_) << 16;
        const u32 greater = rgnLanesGreater(eight, beyond_) | rgnLanesGreater(eight + 4, beyond_) << 16;
        const u32 equal = rgnLanesEqual(eight, edges_) | rgnLanesEqual(eight + 4, edges_) << 16;
        // Passing: starts above r's bottom; misses r, or ends on r's top with other columns;
        // not inside r (left, top, right or bottom out of it).
        const u32 early = less >> 1;
        const u32 endsOnTop = (equal >> 3) & ~(equal & (equal >> 2));
        const u32 misses = (less >> 2) | (less >> 3) | greater | endsOnTop;
        const u32 out = less | (~(greater | equal) >> 1) | (greater >> 2) | (greater >> 3);
        const u32 opens = (greater >> 1) | ((equal >> 1) & greater);
        return RgnSkipLanes{~(early & misses & out) & 0x11111111u, opens & 0x11111111u};
    }

private:
    __m128i below_, beyond_, edges_;
};

// The first stop among eight rectangles, or 8; the first of those passed before it that
// opens r's place goes to `place` while it is open. `first` of them were passed before.
inline int rgnStopAmongEight(RgnSkipLanes lanes, int first, int at, int& place) {
    const u32 done = (1u << (4 * first)) - 1u;
    const u32 stops = lanes.stops & ~done;
    if (place < 0) {
        const u32 passed = lanes.opens & ~done & ((stops & (0u - stops)) - 1u);
        if (passed != 0) place = at + __builtin_ctz(passed) / 4;
    }
    return stops == 0 ? 8 : __builtin_ctz(stops) / 4;
}

// rgnSkipPassing over at least eight rectangles: the last one to seven are taken with the
// ones before them, those already passed left out.
inline int rgnSkipEightAtATime(const Rect16* rects, int from, int count, const Rect16& r, int& placeAt) {
    const RgnSkipLimits limits(r);
    int place = placeAt;
    for (; from + 8 <= count; from += 8) {
        const int stop = rgnStopAmongEight(limits.of(rects + from), 0, from, place);
        if (stop < 8) {
            placeAt = place;
            return from + stop;
        }
    }
    if (from < count) {
        const int last = count - 8;
        from = last + rgnStopAmongEight(limits.of(rects + last), from - last, last, place);
    }
    placeAt = place;
    return from;
}
#endif

// The first index from `from` on whose rectangle the union's scan for r (non-empty) must
// look: before it, each one starts above r's bottom, misses r or only ends on r's top with
// other columns (so cannot be joined to it), and is not inside r. While r's place in the
// list is open (`placeAt` negative), the first of those passed that starts below r's top,
// or on it right of r, is where r goes: its index is stored in `placeAt`. Inline: the scan
// calls it for every stretch it passes.
inline int rgnSkipPassing(const Rect16* rects, int from, int count, const Rect16& r, int& placeAt) {
#if defined(__SSE2__)
    if (count >= 8) return rgnSkipEightAtATime(rects, from, count, r, placeAt);
#endif
    return rgnSkipPassingPlain(rects, from, count, r, placeAt);
}

// The last index before `before`, down to `from`, whose rectangle meets r's columns (edges
// touching count), or from - 1.
int rgnLastMeetingColumnsPlain(const Rect16* rects, int from, int before, const Rect16& r);

inline int rgnLastMeetingColumns(const Rect16* rects, int from, int before, const Rect16& r) {
#if defined(__SSE2__)
    const __m128i leftOf = rgnLaneLimits(r.right, INT16_MAX, INT16_MAX, INT16_MAX);
    const __m128i rightOf = rgnLaneLimits(INT16_MIN, INT16_MIN, r.left, INT16_MIN);
    for (; before - 4 >= from; before -= 4) {
        // Per rectangle k, at bit 4k: starts right of r's right edge, or ends left of its left.
        const Rect16* four = rects + before - 4;
        const u32 misses = rgnLanesGreater(four, leftOf) | (rgnLanesLess(four, rightOf) >> 2);
        const u32 meets = ~misses & 0x1111u;
        if (meets != 0) return before - 4 + (31 - __builtin_clz(meets)) / 4;
    }
#endif
    return rgnLastMeetingColumnsPlain(rects, from, before, r);
}

// The first index from `from` whose rectangle's top or bottom is at or below `row`.
int rgnFirstReaching(const Rect16* rects, int from, int count, i16 row);
int rgnFirstReachingPlain(const Rect16* rects, int from, int count, i16 row);
