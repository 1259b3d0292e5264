#include "engine/regions/RegionPairPieces.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Up to this many pieces, or rows in a run of one top, are put in order by moving each one
// back past the greater ones: fewer than the counting pays for.
constexpr u32 kMovedIntoPlace = 32;

// From this many own rectangles on, they are held column by column.
constexpr u32 kColumnsFrom = 16;

bool orderedPlain(const Rect16* rects, u32 from, u32 count) {
    bool sound = true;
    for (u32 i = from; i < count; ++i) {
        const Rect16& r = rects[i];
        sound &= (r.left < r.right) & (r.top < r.bottom) & (i == 0 || r.top >= rects[i - 1].top);
    }
    return sound;
}

// Whether no top is less than the one before and every rectangle is non-empty.
bool ordered(const Rect16* rects, u32 count) {
    u32 i = 0;
#if defined(__SSE2__)
    // Two rectangles at a time, each against itself moved by half a rectangle (rights
    // against lefts, bottoms against tops) and against the one before (tops). Lanes 0, 1, 4
    // and 5 (mask bits 0-3 and 8-11) must all be set.
    u32 sound = 0x0F0F;
    for (i = 1; i + 2 <= count; i += 2) {
        const __m128i these = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rects + i));
        const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rects + i - 1));
        const __m128i nonEmpty = _mm_cmpgt_epi16(_mm_srli_si128(these, 4), these);
        const __m128i falling = _mm_cmplt_epi16(these, before);
        sound &= u32(_mm_movemask_epi8(nonEmpty)) & ~((u32(_mm_movemask_epi8(falling)) & 0x0C0C) >> 2);
    }
    if (sound != 0x0F0F) return false;
    if (count != 0 && !orderedPlain(rects, 0, 1)) return false;
#endif
    return orderedPlain(rects, i, count);
}

// Where s and r overlap, given that they do.
Rect16 overlapOf(const Rect16& s, const Rect16& r) {
#if defined(__SSE2__)
    u64 lanes[2];
    std::memcpy(lanes, &s, sizeof(Rect16));
    std::memcpy(lanes + 1, &r, sizeof(Rect16));
    const __m128i a = _mm_cvtsi64_si128(i64(lanes[0])), b = _mm_cvtsi64_si128(i64(lanes[1]));
    // Left and top from the greater, right and bottom from the less.
    const __m128i piece = _mm_unpacklo_epi32(_mm_max_epi16(a, b), _mm_srli_si128(_mm_min_epi16(a, b), 4));
    const u64 bits = u64(_mm_cvtsi128_si64(piece));
    Rect16 out;
    std::memcpy(&out, &bits, sizeof(Rect16));
    return out;
#else
    return Rect16{std::max(s.left, r.left), std::max(s.top, r.top), std::min(s.right, r.right), std::min(s.bottom, r.bottom)};
#endif
}

bool before(const Rect16& a, const Rect16& b) { return a.top < b.top || (a.top == b.top && a.left < b.left); }

// Stable: a piece moves back only past greater ones.
template <class Less>
void moveIntoPlace(Rect16* first, Rect16* last, Less less) {
    for (Rect16* at = first + 1; at < last; ++at) {
        const Rect16 piece = *at;
        Rect16* to = at;
        for (; to != first && less(piece, to[-1]); --to) *to = to[-1];
        *to = piece;
    }
}

}  // namespace

// Pieces come from the given rectangles in top order, each one's in top order, so where the
// rows they start on are not many more than the pieces, a count of each row places them by
// top; within a row they are then ordered by left.
EngineErr rgnSortPieces(const Rect16* from, u32 count, i32 firstTop, i32 lastTop, RegionScratch<Rect16>& sorted) {
    EngineErr error = sorted.reserve(count);
    if (error != kErrNone) return error;
    Rect16* to = sorted.data();
    sorted.resize(count);
    const u32 rows = u32(lastTop - firstTop) + 1;
    if (count <= kMovedIntoPlace || rows > kRgnCountedRowsPerPiece * count) {
        std::copy(from, from + count, to);
        if (count <= kMovedIntoPlace) moveIntoPlace(to, to + count, before);
        else std::stable_sort(to, to + count, before);
        return kErrNone;
    }
    RegionScratch<u32> rowStart;
    error = rowStart.reserve(rows + 1);
    if (error != kErrNone) return error;
    u32* starts = rowStart.data();
    std::fill(starts, starts + rows + 1, 0u);
    for (u32 i = 0; i < count; ++i) ++starts[from[i].top - firstTop + 1];
    for (u32 t = 1; t <= rows; ++t) starts[t] += starts[t - 1];
    for (u32 i = 0; i < count; ++i) to[starts[from[i].top - firstTop]++] = from[i];
    // Within a row the pieces mostly come in order by left already: only rows out of order
    // are sorted, each as a whole.
    const auto byLeft = [](const Rect16& a, const Rect16& b) { return a.left < b.left; };
    Rect16* const end = to + count;
    for (Rect16* at = to + 1; at < end; ++at) {
        if (at->top != at[-1].top || at->left >= at[-1].left) continue;
        Rect16* run = at - 1;
        while (run != to && run[-1].top == at->top) --run;
        Rect16* runEnd = at + 1;
        while (runEnd != end && runEnd->top == at->top) ++runEnd;
        if (runEnd - run <= kMovedIntoPlace) moveIntoPlace(run, runEnd, byLeft);
        else std::stable_sort(run, runEnd, byLeft);
        at = runEnd - 1;
    }
    return kErrNone;
}

namespace {

// Each given rectangle against the own ones before the first whose top is its bottom or
// further, one at a time: for lists too short to pay for the columns. The two pairings put
// the own list's lowest bottom in *lowest.
EngineErr pairOneByOne(const Rect16* own, u32 ownCount, const Rect16* given, u32 givenCount, RegionScratch<Rect16>& found,
                       i16* lowest) {
    *lowest = INT16_MIN;
    for (u32 i = 0; i < ownCount; ++i) *lowest = std::max(*lowest, own[i].bottom);
    for (const Rect16* r = given; r != given + givenCount; ++r) {
        for (const Rect16* s = own; s != own + ownCount && s->top < r->bottom; ++s) {
            if ((s->bottom > r->top) & (s->left < r->right) & (s->right > r->left)) {
                EngineErr error = found.push(overlapOf(*s, *r));
                if (error != kErrNone) return error;
            }
        }
    }
    return kErrNone;
}

// Each given rectangle against the own ones that can reach it, eight at a time.
EngineErr pairByColumns(const Rect16* own, u32 ownCount, const Rect16* given, u32 givenCount, RegionScratch<Rect16>& found,
                        i16* lowest) {
    // Four columns and the greatest bottom so far, each with room for a block of eight read
    // from the last rectangle. The room after the last rectangle ends both scans below: its
    // tops and reach are INT16_MAX.
    const u32 stride = ownCount + 8;
    RegionScratch<i16> columns;
    EngineErr error = columns.reserve(5 * stride);
    if (error != kErrNone) return error;
    i16* left = columns.data();
    i16* top = left + stride;
    i16* right = top + stride;
    i16* bottom = right + stride;
    i16* reach = bottom + stride;
    i16 lowestSoFar = INT16_MIN;
    u32 i = 0;
#if defined(__SSE2__)
    // Eight rectangles at a time turned into columns, and the bottoms' running maximum taken
    // across the lanes in three steps (what is shifted in is INT16_MIN) and from the block
    // before.
    auto load = [own](u32 from) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(own + from)); };
    auto store = [](i16* column, __m128i lanes) { _mm_storeu_si128(reinterpret_cast<__m128i*>(column), lanes); };
    const __m128i least = _mm_set1_epi16(INT16_MIN);
    __m128i reachBefore = least;
    for (; i + 8 <= ownCount; i += 8) {
        const __m128i a = load(i), b = load(i + 2), c = load(i + 4), d = load(i + 6);
        const __m128i ab0 = _mm_unpacklo_epi16(a, b), ab1 = _mm_unpackhi_epi16(a, b);
        const __m128i cd0 = _mm_unpacklo_epi16(c, d), cd1 = _mm_unpackhi_epi16(c, d);
        // Lefts and tops, rights and bottoms, four rectangles each.
        const __m128i ltFirst = _mm_unpacklo_epi16(ab0, ab1), rbFirst = _mm_unpackhi_epi16(ab0, ab1);
        const __m128i ltSecond = _mm_unpacklo_epi16(cd0, cd1), rbSecond = _mm_unpackhi_epi16(cd0, cd1);
        const __m128i bottoms = _mm_unpackhi_epi64(rbFirst, rbSecond);
        store(left + i, _mm_unpacklo_epi64(ltFirst, ltSecond));
        store(top + i, _mm_unpackhi_epi64(ltFirst, ltSecond));
        store(right + i, _mm_unpacklo_epi64(rbFirst, rbSecond));
        store(bottom + i, bottoms);
        __m128i running = _mm_max_epi16(bottoms, _mm_or_si128(_mm_slli_si128(bottoms, 2), _mm_srli_si128(least, 14)));
        running = _mm_max_epi16(running, _mm_or_si128(_mm_slli_si128(running, 4), _mm_srli_si128(least, 12)));
        running = _mm_max_epi16(running, _mm_or_si128(_mm_slli_si128(running, 8), _mm_srli_si128(least, 8)));
        running = _mm_max_epi16(running, reachBefore);
        store(reach + i, running);
        reachBefore = _mm_shufflehi_epi16(running, 0xFF);
        reachBefore = _mm_unpackhi_epi64(reachBefore, reachBefore);
    }
    lowestSoFar = i16(_mm_extract_epi16(reachBefore, 0));
#endif
    for (; i < ownCount; ++i) {
        left[i] = own[i].left;
        top[i] = own[i].top;
        right[i] = own[i].right;
        bottom[i] = own[i].bottom;
        lowestSoFar = std::max(lowestSoFar, own[i].bottom);
        reach[i] = lowestSoFar;
    }
    *lowest = lowestSoFar;
    reach[ownCount] = INT16_MAX;
    for (u32 k = ownCount; k < stride; ++k) {
        left[k] = right[k] = bottom[k] = 0;
        top[k] = INT16_MAX;
    }
    const RgnColumns c{left, top, right, bottom};
    u32 first = 0;
    for (const Rect16* next = given; next != given + givenCount; ++next) {
        // A copy, which the pieces written cannot alias: what is drawn from it stays out of
        // the loop.
        const Rect16 r = *next;
        // Rectangles before the first that reaches below r's top end above it, and above
        // every later given rectangle; from the first whose top is r's bottom or further,
        // none reaches into it.
        while (reach[first] <= r.top) ++first;
        for (u32 at = first; top[at] < r.bottom; at += 8) {
            u32 meets = rgnOverlapsEight(c, at, r);
            if (meets == 0) continue;
            error = found.reserve(found.size() + 8);
            if (error != kErrNone) return error;
            Rect16* piece = found.data() + found.size();
            for (; meets != 0; meets &= meets - 1, ++piece) {
                const u32 k = at + u32(__builtin_ctz(meets));
                *piece = overlapOf(own[k], r);
            }
            found.resize(u32(piece - found.data()));
        }
    }
    return kErrNone;
}

}  // namespace

EngineErr rgnFindPieces(const Rect16* own, u32 ownCount, const Rect16* given, u32 givenCount,
                        RegionScratch<Rect16>& found, RgnPieceRows* rows, bool* done) {
    *done = ordered(own, ownCount) && ordered(given, givenCount);
    if (!*done || ownCount == 0 || givenCount == 0) return kErrNone;
    found.resize(0);
    // Room for as many pieces as rectangles in both, which most intersections stay within.
    EngineErr error = found.reserve(ownCount + givenCount + 8);
    if (error != kErrNone) return error;
    i16 lowest = INT16_MIN;
    error = ownCount < kColumnsFrom ? pairOneByOne(own, ownCount, given, givenCount, found, &lowest)
                                    : pairByColumns(own, ownCount, given, givenCount, found, &lowest);
    // Each piece starts on or below both lists' first tops and above the own list's lowest
    // bottom.
    *rows = RgnPieceRows{std::max(own[0].top, given[0].top), lowest - 1};
    return error;
}

EngineErr rgnPairPieces(const Rect16* own, u32 ownCount, const Rect16* given, u32 givenCount,
                        RegionScratch<Rect16>& pieces, bool* done) {
    RegionScratch<Rect16> found;
    RgnPieceRows rows{};
    EngineErr error = rgnFindPieces(own, ownCount, given, givenCount, found, &rows, done);
    if (error != kErrNone || !*done || ownCount == 0 || givenCount == 0) return error;
    return rgnSortPieces(found.data(), found.size(), rows.first, rows.last, pieces);
}
