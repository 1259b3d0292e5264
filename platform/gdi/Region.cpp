#include "platform/gdi/Region.h"

#include <algorithm>
#include <climits>

#include "platform/gdi/Scanline.h"

namespace plat::gdi {

namespace {

bool evaluate(CombineOp op, bool a, bool b) {
    switch (op) {
    case CombineOp::And: return a && b;
    case CombineOp::Or: return a || b;
    case CombineOp::Xor: return a != b;
    case CombineOp::Diff: return a && !b;
    case CombineOp::Copy: return a;
    }
    return false;
}

int32_t edgeAt(const Span* spans, size_t k) { return (k & 1) ? spans[k >> 1].right : spans[k >> 1].left; }

// Combines two sorted lists of disjoint spans by walking their edges in order.
void combineSpans(const Span* a, size_t na, const Span* b, size_t nb, CombineOp op, std::vector<Span>& out) {
    out.clear();
    size_t ia = 0, ib = 0;
    bool inA = false, inB = false, inResult = false;
    int32_t start = 0;
    while (ia < 2 * na || ib < 2 * nb) {
        int32_t x = std::min(ia < 2 * na ? edgeAt(a, ia) : INT32_MAX, ib < 2 * nb ? edgeAt(b, ib) : INT32_MAX);
        while (ia < 2 * na && edgeAt(a, ia) == x) {
            inA = !inA;
            ++ia;
        }
        while (ib < 2 * nb && edgeAt(b, ib) == x) {
            inB = !inB;
            ++ib;
        }
        bool r = evaluate(op, inA, inB);
        if (r && !inResult) start = x;
        if (!r && inResult) out.push_back({start, x});
        inResult = r;
    }
}

void normalizeRow(std::vector<Span>& row, std::vector<Span>& out) {
    out.clear();
    std::sort(row.begin(), row.end(), [](const Span& l, const Span& r) { return l.left < r.left; });
    for (const Span& s : row) {
        if (s.right <= s.left) continue;
        if (!out.empty() && s.left <= out.back().right) out.back().right = std::max(out.back().right, s.right);
        else out.push_back(s);
    }
}

}  // namespace

Region::Region(const Rect& rect) {
    if (rect.empty()) return;
    spans_.push_back({rect.left, rect.right});
    bands_.push_back({rect.top, rect.bottom, 0, 1});
}

void Region::appendBand(int32_t top, int32_t bottom, const std::vector<Span>& spans) {
    if (spans.empty() || bottom <= top) return;
    if (!bands_.empty()) {
        Band& last = bands_.back();
        if (last.bottom == top && last.count == spans.size() &&
            std::equal(spans.begin(), spans.end(), spans_.begin() + last.first)) {
            last.bottom = bottom;
            return;
        }
    }
    bands_.push_back({top, bottom, uint32_t(spans_.size()), uint32_t(spans.size())});
    spans_.insert(spans_.end(), spans.begin(), spans.end());
}

Region Region::fromRows(const RowSpans& rows) {
    Region r;
    std::vector<Span> scratch, merged;
    for (size_t i = 0; i < rows.rows.size(); ++i) {
        scratch = rows.rows[i];
        normalizeRow(scratch, merged);
        int32_t y = rows.top + int32_t(i);
        r.appendBand(y, y + 1, merged);
    }
    return r;
}

Region Region::ellipse(const Rect& bounds) { return fromRows(scanEllipse(bounds)); }

Region Region::polygon(const std::vector<Point>& points, FillMode mode) { return fromRows(scanPolygon(points, mode)); }

Region Region::combine(const Region& a, const Region& b, CombineOp op) {
    if (op == CombineOp::Copy) return a;
    Region r;
    r.bands_.reserve(a.bands_.size() + b.bands_.size());
    r.spans_.reserve(a.spans_.size() + b.spans_.size());
    std::vector<Span> out;
    const auto& ab = a.bands_;
    const auto& bb = b.bands_;
    size_t ia = 0, ib = 0;
    int32_t y = INT32_MIN;
    while (true) {
        while (ia < ab.size() && ab[ia].bottom <= y) ++ia;
        while (ib < bb.size() && bb[ib].bottom <= y) ++ib;
        if (ia >= ab.size() && ib >= bb.size()) break;
        bool aIn = ia < ab.size() && ab[ia].top <= y;
        bool bIn = ib < bb.size() && bb[ib].top <= y;
        if (!aIn && !bIn) {
            y = std::min(ia < ab.size() ? ab[ia].top : INT32_MAX, ib < bb.size() ? bb[ib].top : INT32_MAX);
            continue;
        }
        int32_t next = INT32_MAX;
        if (ia < ab.size()) next = std::min(next, aIn ? ab[ia].bottom : ab[ia].top);
        if (ib < bb.size()) next = std::min(next, bIn ? bb[ib].bottom : bb[ib].top);
        combineSpans(aIn ? a.spansOf(ab[ia]) : nullptr, aIn ? ab[ia].count : 0, bIn ? b.spansOf(bb[ib]) : nullptr,
                     bIn ? bb[ib].count : 0, op, out);
        r.appendBand(y, next, out);
        y = next;
    }
    return r;
}

Region Region::unionOf(const std::vector<Rect>& rects) {
    // One sweep down the rectangles' edges: each band takes the spans of the rectangles
    // that cover it, so the work grows with the bands of the result, not with the input.
    std::vector<Rect> byTop;
    std::vector<int32_t> edges;
    for (const Rect& r : rects) {
        if (r.empty()) continue;
        byTop.push_back(r);
        edges.push_back(r.top);
        edges.push_back(r.bottom);
    }
    std::sort(byTop.begin(), byTop.end(), [](const Rect& a, const Rect& b) { return a.top < b.top; });
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    Region out;
    std::vector<Rect> active;
    std::vector<Span> spans, merged;
    size_t next = 0;
    for (size_t e = 0; e + 1 < edges.size(); ++e) {
        int32_t top = edges[e], bottom = edges[e + 1];
        std::erase_if(active, [&](const Rect& r) { return r.bottom <= top; });
        while (next < byTop.size() && byTop[next].top <= top) active.push_back(byTop[next++]);
        spans.clear();
        for (const Rect& r : active) spans.push_back({r.left, r.right});
        normalizeRow(spans, merged);
        out.appendBand(top, bottom, merged);
    }
    return out;
}

Rect Region::bounds() const {
    if (bands_.empty()) return {};
    Rect r{INT32_MAX, bands_.front().top, INT32_MIN, bands_.back().bottom};
    for (const Band& b : bands_) {
        r.left = std::min(r.left, spans_[b.first].left);
        r.right = std::max(r.right, spans_[b.first + b.count - 1].right);
    }
    return r;
}

bool Region::contains(Point p) const {
    auto it = std::upper_bound(bands_.begin(), bands_.end(), p.y, [](int32_t y, const Band& b) { return y < b.bottom; });
    if (it == bands_.end() || it->top > p.y) return false;
    const Span* s = spansOf(*it);
    for (uint32_t i = 0; i < it->count; ++i)
        if (p.x >= s[i].left && p.x < s[i].right) return true;
    return false;
}

void Region::offset(int32_t dx, int32_t dy) {
    for (Band& b : bands_) {
        b.top += dy;
        b.bottom += dy;
    }
    for (Span& s : spans_) {
        s.left += dx;
        s.right += dx;
    }
}

std::vector<Rect> Region::rects() const {
    std::vector<Rect> out;
    out.reserve(spans_.size());
    for (const Band& b : bands_)
        for (uint32_t i = 0; i < b.count; ++i)
            out.push_back({spans_[b.first + i].left, b.top, spans_[b.first + i].right, b.bottom});
    return out;
}

}  // namespace plat::gdi
