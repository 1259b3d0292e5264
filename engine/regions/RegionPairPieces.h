#pragma once
// Intersecting two lists of rectangles whose tops never fall, each one non-empty: every
// rectangle of the given list, in its order, is checked against the other list's rectangles
// that can reach it, eight at a time, and the pieces are put in region order without
// disturbing the order they were found in among equal ones; or handed back in the order
// found, for callers that join them first and so have fewer to sort. The other list is held
// column by column, so that one vector compare covers eight rectangles. Not for other
// modules.
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/base/EngineTypes.h"
#include "engine/regions/RegionScratch.h"
#include "engine/regions/Rects.h"

// A list's lefts, tops, rights and bottoms apart; after the last rectangle come at least
// seven whose top is INT16_MAX, which overlap nothing.
struct RgnColumns {
    const i16* left;
    const i16* top;
    const i16* right;
    const i16* bottom;
};

// Bit k set when rectangle `from` + k of the columns (k below 8) overlaps r.
inline u32 rgnOverlapsEightPlain(const RgnColumns& c, u32 from, const Rect16& r) {
    u32 bits = 0;
    for (u32 k = 0; k < 8; ++k) {
        const u32 i = from + k;
        bits |= u32((c.bottom[i] > r.top) & (c.top[i] < r.bottom) & (c.left[i] < r.right) & (c.right[i] > r.left)) << k;
    }
    return bits;
}

inline u32 rgnOverlapsEight(const RgnColumns& c, u32 from, const Rect16& r) {
#if defined(__SSE2__)
    auto load = [from](const i16* column) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(column + from)); };
    const __m128i meets = _mm_and_si128(
        _mm_and_si128(_mm_cmpgt_epi16(load(c.bottom), _mm_set1_epi16(r.top)), _mm_cmplt_epi16(load(c.top), _mm_set1_epi16(r.bottom))),
        _mm_and_si128(_mm_cmplt_epi16(load(c.left), _mm_set1_epi16(r.right)), _mm_cmpgt_epi16(load(c.right), _mm_set1_epi16(r.left))));
    return u32(_mm_movemask_epi8(_mm_packs_epi16(meets, _mm_setzero_si128())));
#else
    return rgnOverlapsEightPlain(c, from, r);
#endif
}

// The rows a list of pieces starts on lie in [first, last].
struct RgnPieceRows {
    i32 first;
    i32 last;
};

// Puts in `found` the intersection of every rectangle of `given` with every one of `own` that
// it overlaps, in the order found: by given rectangle, then by own one, those of one given
// rectangle in top order; and the rows they start on in *rows. Refuses lists, and fails, as
// rgnPairPieces does; `found` is left untouched when either list is empty.
EngineErr rgnFindPieces(const Rect16* own, u32 ownCount, const Rect16* given, u32 givenCount,
                        RegionScratch<Rect16>& found, RgnPieceRows* rows, bool* done);

// Pieces over at most this many rows each are placed by a count of each row (a row costs far
// less to count than a piece to place); others, and few pieces, are sorted.
constexpr u32 kRgnCountedRowsPerPiece = 16;

// Puts the `count` pieces in region order into `sorted`, those of equal top and left keeping
// their order. Every top lies in [firstTop, lastTop]. The memory manager's error when a
// scratch array cannot grow.
EngineErr rgnSortPieces(const Rect16* from, u32 count, i32 firstTop, i32 lastTop, RegionScratch<Rect16>& sorted);

// Puts in `pieces`, in region order, the intersection of every rectangle of `given` with
// every one of `own` that it overlaps; among pieces of equal top and left (which only lists
// with overlapping rectangles give) those of earlier given rectangles come first, then those
// of earlier own ones. Sets *done false, leaving `pieces` untouched, when a list has a top
// less than the one before or an empty rectangle; the memory manager's error when a scratch
// array cannot grow.
EngineErr rgnPairPieces(const Rect16* own, u32 ownCount, const Rect16* given, u32 givenCount,
                        RegionScratch<Rect16>& pieces, bool* done);
