#include "tools/effects/transitions/TransitionKernels.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// `n` scaled by the progress, 0 .. n.
i32 part(i32 n, u32 progress) { return i32((i64(n) * progress) >> 16); }

void copyRun(const PixelView& out, i32 y, i32 x0, i32 x1, const PixelView& source, i32 sourceX, i32 sourceY) {
    if (x1 > x0) std::memcpy(out.Row(y) + x0, source.Row(sourceY) + sourceX, size_t(x1 - x0) * sizeof(u16));
}

// Each row shows the target over [x0, x1) and the source elsewhere.
template <typename Span>
void rowsBySpan(const PixelView& from, const PixelView& to, const PixelView& out, Span span) {
    for (i32 y = 0; y < out.height; ++y) {
        auto [x0, x1] = span(y);
        x0 = std::clamp<i32>(x0, 0, out.width);
        x1 = std::clamp<i32>(x1, x0, out.width);
        copyRun(out, y, 0, x0, from, 0, y);
        copyRun(out, y, x0, x1, to, x0, y);
        copyRun(out, y, x1, out.width, from, x1, y);
    }
}

// The three channels of a pixel spread apart so that one multiply scales them all: blue in
// bits 0-4, red in 10-14, green in 21-25, each with room for a factor up to 32.
inline u32 spread(u16 p) { return (u32(p) | (u32(p) << 16)) & 0x03E07C1Fu; }
inline u16 gather(u32 s) { return u16((s | (s >> 16)) & 0x7FFF); }

// A half in each spread channel, so that the fade rounds to nearest.
constexpr u32 kHalf = 0x02004010u;

void fade(u32 progress, const PixelView& from, const PixelView& to, const PixelView& out) {
    const u32 alpha = u32(part(32, progress));
    for (i32 y = 0; y < out.height; ++y) {
        const u16* a = from.Row(y);
        const u16* b = to.Row(y);
        u16* o = out.Row(y);
        for (i32 x = 0; x < out.width; ++x)
            o[x] = gather(((spread(a[x]) * (32 - alpha) + spread(b[x]) * alpha + kHalf) >> 5) & 0x03E07C1Fu);
    }
}

// The sparkle's ranks, scattered by a hash of the place, made once.
const std::vector<u16>& dissolveRanks() {
    static const std::vector<u16> ranks = [] {
        std::vector<u16> r(size_t(kDissolveTile) * kDissolveTile);
        for (i32 y = 0; y < kDissolveTile; ++y)
            for (i32 x = 0; x < kDissolveTile; ++x) {
                u32 h = u32(x) * 0x9E3779B1u ^ u32(y) * 0x85EBCA77u;
                h ^= h >> 15;
                h *= 0x2C1B3C6Du;
                h ^= h >> 12;
                r[size_t(y * kDissolveTile + x)] = u16(h);
            }
        return r;
    }();
    return ranks;
}

void dissolve(u32 progress, const PixelView& from, const PixelView& to, const PixelView& out) {
    for (i32 y = 0; y < out.height; ++y) {
        const u16* ranks = dissolveRanks().data() + (y % kDissolveTile) * kDissolveTile;
        for (i32 x0 = 0; x0 < out.width; x0 += kDissolveTile) {
            const i32 n = std::min<i32>(kDissolveTile, out.width - x0);
            const u16* a = from.Row(y) + x0;
            const u16* b = to.Row(y) + x0;
            u16* o = out.Row(y) + x0;
            for (i32 x = 0; x < n; ++x) o[x] = ranks[x] < progress ? b[x] : a[x];
        }
    }
}

// The circle's radius reaches the farthest corner at full progress.
void iris(u32 progress, const PixelView& from, const PixelView& to, const PixelView& out, Point16 c) {
    const double reach = std::hypot(std::max<i32>(c.h, out.width - c.h), std::max<i32>(c.v, out.height - c.v)) + 1;
    const double r = reach * progress / kTransitionFull;
    rowsBySpan(from, to, out, [&](i32 y) {
        const double dy = y + 0.5 - c.v;
        if (dy * dy >= r * r) return std::pair<i32, i32>{0, 0};
        const double half = std::sqrt(r * r - dy * dy);
        return std::pair<i32, i32>{i32(std::ceil(c.h - half - 0.5)), i32(std::floor(c.h + half - 0.5)) + 1};
    });
}

// The target, scaled down to a growing box that keeps the centre where it is, over the source.
void zoom(u32 progress, const PixelView& from, const PixelView& to, const PixelView& out, Point16 c) {
    const i32 w = part(out.width, progress), h = part(out.height, progress);
    const i32 left = c.h - i32(i64(w) * c.h / out.width), top = c.v - i32(i64(h) * c.v / out.height);
    std::vector<i32> column(size_t(std::max(w, 0)));
    for (i32 x = 0; x < w; ++x) column[size_t(x)] = i32(i64(x) * out.width / w);
    for (i32 y = 0; y < out.height; ++y) {
        if (y < top || y >= top + h) {
            copyRun(out, y, 0, out.width, from, 0, y);
            continue;
        }
        const u16* source = to.Row(i32(i64(y - top) * out.height / h));
        copyRun(out, y, 0, left, from, 0, y);
        u16* o = out.Row(y) + left;
        for (i32 x = 0; x < w; ++x) o[x] = source[column[size_t(x)]];
        copyRun(out, y, left + w, out.width, from, left + w, y);
    }
}

void checkers(u32 progress, const PixelView& from, const PixelView& to, const PixelView& out) {
    // The squares of one colour fill first, then the others.
    const i32 reveal = part(2 * kCheckersCell, progress);
    for (i32 y = 0; y < out.height; ++y) {
        for (i32 cell = 0; cell * kCheckersCell < out.width; ++cell) {
            const i32 x0 = cell * kCheckersCell, x1 = std::min(x0 + kCheckersCell, i32(out.width));
            const bool late = ((cell + y / kCheckersCell) & 1) != 0;
            const i32 shown = std::clamp(late ? reveal - kCheckersCell : reveal, 0, x1 - x0);
            copyRun(out, y, x0, x0 + shown, to, x0, y);
            copyRun(out, y, x0 + shown, x1, from, x0 + shown, y);
        }
    }
}

// The source moves out by `shift` columns (or rows) and the target follows it in.
void pushLeft(i32 shift, const PixelView& from, const PixelView& to, const PixelView& out, bool moveSource) {
    const i32 edge = out.width - shift;
    for (i32 y = 0; y < out.height; ++y) {
        if (moveSource) copyRun(out, y, 0, edge, from, shift, y);
        else copyRun(out, y, 0, edge, from, 0, y);
        copyRun(out, y, edge, out.width, to, 0, y);
    }
}

void pushUp(i32 shift, const PixelView& from, const PixelView& to, const PixelView& out) {
    const i32 edge = out.height - shift;
    for (i32 y = 0; y < out.height; ++y) {
        if (y < edge) copyRun(out, y, 0, out.width, from, 0, y + shift);
        else copyRun(out, y, 0, out.width, to, 0, y - edge);
    }
}

bool sameSize(const PixelView& a, const PixelView& b) { return a.width == b.width && a.height == b.height; }

}  // namespace

u32 transitionDissolveRank(i32 x, i32 y) {
    return dissolveRanks()[size_t((y % kDissolveTile) * kDissolveTile + x % kDissolveTile)];
}

TransitionKind transitionKindOfIndex(i32 index) {
    return index > 0 && index < kTransitionKindCount ? TransitionKind(index) : TransitionKind::None;
}

bool transitionStep(TransitionKind kind, u32 progress, const PixelView& from, const PixelView& to, const PixelView& out,
                    Point16 centre) {
    if (!sameSize(from, out) || !sameSize(to, out) || !out.top || !from.top || !to.top) return false;
    progress = std::min(progress, kTransitionFull);
    const i32 w = out.width, h = out.height;
    const Point16 c{i16(std::clamp<i32>(centre.h, 0, w)), i16(std::clamp<i32>(centre.v, 0, h))};
    using Span = std::pair<i32, i32>;
    switch (kind) {
        case TransitionKind::None:
            rowsBySpan(from, to, out, [&](i32) { return progress == kTransitionFull ? Span{0, w} : Span{0, 0}; });
            break;
        case TransitionKind::Fade: fade(progress, from, to, out); break;
        case TransitionKind::WipeLeft: rowsBySpan(from, to, out, [&](i32) { return Span{w - part(w, progress), w}; }); break;
        case TransitionKind::WipeRight: rowsBySpan(from, to, out, [&](i32) { return Span{0, part(w, progress)}; }); break;
        case TransitionKind::WipeUp:
            rowsBySpan(from, to, out, [&](i32 y) { return y >= h - part(h, progress) ? Span{0, w} : Span{0, 0}; });
            break;
        case TransitionKind::WipeDown:
            rowsBySpan(from, to, out, [&](i32 y) { return y < part(h, progress) ? Span{0, w} : Span{0, 0}; });
            break;
        case TransitionKind::Iris: iris(progress, from, to, out, c); break;
        case TransitionKind::Dissolve: dissolve(progress, from, to, out); break;
        case TransitionKind::Slide: pushLeft(part(w, progress), from, to, out, false); break;
        case TransitionKind::Zoom: zoom(progress, from, to, out, c); break;
        case TransitionKind::Blinds:
            rowsBySpan(from, to, out, [&](i32 y) { return y % kBlindsSlat < part(kBlindsSlat, progress) ? Span{0, w} : Span{0, 0}; });
            break;
        case TransitionKind::Checkers: checkers(progress, from, to, out); break;
        case TransitionKind::PushLeft: pushLeft(part(w, progress), from, to, out, true); break;
        case TransitionKind::PushUp: pushUp(part(h, progress), from, to, out); break;
    }
    return true;
}
