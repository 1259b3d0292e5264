#include "platform/gl/TessWork.h"

#include <algorithm>

namespace plat::gl {

namespace {

struct Edge {
    int32_t minX, maxX, minY, maxY;
    TessPoint from, to;
    uint32_t contour, count, position;  // the contour's first point, its points, this edge's place
};

bool neighbours(const Edge& a, const Edge& b) {
    if (a.contour != b.contour) return false;
    return (a.position + 1) % a.count == b.position || (b.position + 1) % b.count == a.position;
}

// The sign of the turn from p to q to r; coordinates are 32-bit, so the products need 128 bits.
int turn(TessPoint p, TessPoint q, TessPoint r) {
    const __int128 cross = __int128(int64_t(q.x) - p.x) * (int64_t(r.y) - p.y) -
                           __int128(int64_t(q.y) - p.y) * (int64_t(r.x) - p.x);
    return (cross > 0) - (cross < 0);
}

// r lies within the box of p and q (used once r is known to be on their line).
bool within(TessPoint p, TessPoint q, TessPoint r) {
    return std::min(p.x, q.x) <= r.x && r.x <= std::max(p.x, q.x) && std::min(p.y, q.y) <= r.y &&
           r.y <= std::max(p.y, q.y);
}

// Edges that share an end meet there as GLU's equal vertices, which it merges as it comes to
// them, at no cost like a crossing's: rays of a sun or squares of a chequerboard meet so in
// hundreds of places. They meet in the sense counted only where they run along one another
// beyond that end.
bool meetBeyondSharedEnd(const Edge& a, const Edge& b, bool inLine) {
    if (!inLine) return false;  // edges not in line meet at one point at most: the shared end
    const TessPoint end = a.from == b.from || a.from == b.to ? a.from : a.to;
    const TessPoint aFar = a.from == end ? a.to : a.from, bFar = b.from == end ? b.to : b.from;
    return (aFar != end && within(b.from, b.to, aFar)) || (bFar != end && within(a.from, a.to, bFar));
}

bool meet(const Edge& a, const Edge& b) {
    const int d1 = turn(b.from, b.to, a.from), d2 = turn(b.from, b.to, a.to);
    const int d3 = turn(a.from, a.to, b.from), d4 = turn(a.from, a.to, b.to);
    if (d1 * d2 < 0 && d3 * d4 < 0) return true;
    if (a.from == b.from || a.from == b.to || a.to == b.from || a.to == b.to)
        return meetBeyondSharedEnd(a, b, d1 == 0 && d2 == 0 && d3 == 0 && d4 == 0);
    return (d1 == 0 && within(b.from, b.to, a.from)) || (d2 == 0 && within(b.from, b.to, a.to)) ||
           (d3 == 0 && within(a.from, a.to, b.from)) || (d4 == 0 && within(a.from, a.to, b.to));
}

Edge edgeOf(TessPoint from, TessPoint to, uint32_t contour, uint32_t count, uint32_t position) {
    return Edge{std::min(from.x, to.x), std::max(from.x, to.x), std::min(from.y, to.y), std::max(from.y, to.y),
                from, to, contour, count, position};
}

}  // namespace

TessFailure tessWorkExcess(const std::vector<TessPoint>& points, const std::vector<uint32_t>& ends,
                           const TessLimits& limits) {
    uint32_t start = 0;
    for (uint32_t end : ends) {
        if (end > points.size() || end < start) break;
        start = end;
    }
    if (start > limits.points) return TessFailure::TooManyPoints;

    std::vector<Edge> edges;
    edges.reserve(start);
    start = 0;
    for (uint32_t end : ends) {
        if (end > points.size() || end < start) break;
        const uint32_t count = end - start;
        if (count >= 2)
            for (uint32_t i = 0; i < count; ++i)
                edges.push_back(edgeOf(points[start + i], points[start + (i + 1) % count], start, count, i));
        start = end;
    }
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.minX < b.minX; });

    // The edges spanning the sweep line, as GLU keeps them; each one met costs a step.
    std::vector<const Edge*> active;
    uint64_t pairs = 0;
    uint32_t contacts = 0;
    for (const Edge& edge : edges) {
        for (size_t i = 0; i < active.size();) {
            const Edge& other = *active[i];
            if (other.maxX < edge.minX) {
                active[i] = active.back();
                active.pop_back();
                continue;
            }
            ++i;
            if (++pairs > limits.edgePairs) return TessFailure::TooManyEdgePairs;
            if (other.maxY < edge.minY || edge.maxY < other.minY || neighbours(edge, other)) continue;
            if (meet(edge, other) && ++contacts > limits.contacts) return TessFailure::TooManyContacts;
        }
        active.push_back(&edge);
    }
    return TessFailure::None;
}

}  // namespace plat::gl
