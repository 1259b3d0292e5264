#include "engine/regions/RegionColumnJoin.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstdint>

#include "engine/regions/RegionScratch.h"

namespace {

// The rectangle of one left that a later one may join, with its bottom and right as joined
// so far. An entry with no rectangle has bottom and right INT16_MIN, which no rectangle
// below it matches or reaches past.
struct Upper {
    i16 bottom;
    i16 right;
    u32 index;
};

// The bounds of the rectangles, and the greatest left in *lastLeft. The join keeps them:
// each rectangle joined lies inside the one it joins, whose top is less.
Rect16 spreadOf(const Rect16* rects, u32 count, i16* lastLeft) {
    Rect16 all{INT16_MAX, INT16_MAX, INT16_MIN, INT16_MIN};
    *lastLeft = INT16_MIN;
    u32 i = 0;
#if defined(__SSE2__)
    __m128i least = _mm_set1_epi16(INT16_MAX), most = _mm_set1_epi16(INT16_MIN);
    for (; i + 2 <= count; i += 2) {
        const __m128i two = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rects + i));
        least = _mm_min_epi16(least, two);
        most = _mm_max_epi16(most, two);
    }
    least = _mm_min_epi16(least, _mm_srli_si128(least, 8));
    most = _mm_max_epi16(most, _mm_srli_si128(most, 8));
    all.left = i16(_mm_extract_epi16(least, 0));
    all.top = i16(_mm_extract_epi16(least, 1));
    *lastLeft = i16(_mm_extract_epi16(most, 0));
    all.right = i16(_mm_extract_epi16(most, 2));
    all.bottom = i16(_mm_extract_epi16(most, 3));
#endif
    for (; i < count; ++i) {
        all.left = std::min(all.left, rects[i].left);
        all.top = std::min(all.top, rects[i].top);
        *lastLeft = std::max(*lastLeft, rects[i].left);
        all.right = std::max(all.right, rects[i].right);
        all.bottom = std::max(all.bottom, rects[i].bottom);
    }
    return all;
}

}  // namespace

EngineErr rgnJoinColumns(Rect16* rects, u32 count, u32* kept, Rect16* bounds, RgnJoinEnd* end) {
    *end = RgnJoinEnd::tooSpread;
    if (count == 0) {
        *kept = 0;
        *bounds = Rect16{};
        *end = RgnJoinEnd::joined;
        return kErrNone;
    }
    i16 lastLeft = INT16_MIN;
    const Rect16 all = spreadOf(rects, count, &lastLeft);
    const i16 firstLeft = all.left;
    const u32 lefts = u32(lastLeft - firstLeft) + 1;
    // Clearing a table over widely spread lefts would cost more than the joins it saves.
    if (lefts > kRgnJoinLeftsPerPiece * count) return kErrNone;
    RegionScratch<Upper> table;
    EngineErr error = table.reserve(lefts);
    if (error != kErrNone) return error;
    Upper* byLeft = table.data();
    std::fill(byLeft, byLeft + lefts, Upper{INT16_MIN, INT16_MIN, 0});
    // Kept rectangles move down over the joined ones as they go.
    u32 at = 0;
    for (u32 i = 0; i < count; ++i) {
        const Rect16 r = rects[i];
        Upper& upper = byLeft[r.left - firstLeft];
        if (upper.bottom == r.top && upper.right == r.right) {
            upper.bottom = r.bottom;
            rects[upper.index].bottom = r.bottom;
            continue;
        }
        // The last one of this left still reaches into r: they overlap.
        if (upper.bottom > r.top) {
            *end = RgnJoinEnd::overlapping;
            return kErrNone;
        }
        upper = Upper{r.bottom, r.right, at};
        rects[at++] = r;
    }
    *end = RgnJoinEnd::joined;
    *bounds = all;
    *kept = at;
    return kErrNone;
}
