#include "platform/gl/TessWork.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <random>
#include <string>

namespace plat::gl {
namespace {

// Contours side by side, each moved right so that shapes far apart never share an x.
struct Outline {
    std::vector<TessPoint> points;
    std::vector<uint32_t> ends;
    Outline& add(std::initializer_list<TessPoint> contour, int32_t dx = 0) {
        for (TessPoint p : contour) points.push_back({p.x + dx, p.y});
        ends.push_back(uint32_t(points.size()));
        return *this;
    }
    // 3 pairs of edges overlapping along x, all neighbours: nothing meets.
    Outline& triangles(int count) {
        for (int i = 0; i < count; ++i) add({{0, 0}, {10, 0}, {5, 10}}, next());
        return *this;
    }
    // 5 pairs along x, and one crossing.
    Outline& bowTies(int count) {
        for (int i = 0; i < count; ++i) add({{0, 0}, {10, 10}, {10, 0}, {0, 10}}, next());
        return *this;
    }
    // Points after an end smaller than the one before it.
    Outline& strayPoints() {
        points.insert(points.end(), {{1, 1}, {2, 2}, {3, 1}, {2, 9}});
        ends.push_back(2);
        return *this;
    }
    int32_t next() { return int32_t(ends.size()) * 100; }
};

TessLimits limits(uint32_t points, uint64_t pairs, uint32_t contacts) { return TessLimits{points, pairs, contacts}; }

TEST(TessWork, EachLimitHoldsAtItsValueAndRefusesOnePast) {
    struct Case {
        std::string what;
        Outline outline;
        TessLimits limits;
        TessFailure expected;
    };
    const uint32_t many = 1000;
    const Case cases[] = {
        {"8 points, limit 8", Outline{}.add({{0, 0}, {4, 0}, {4, 4}, {0, 4}}).add({{9, 0}, {12, 0}, {12, 3}, {9, 3}}),
         limits(8, many, many), TessFailure::None},
        {"9 points, limit 8", Outline{}.add({{0, 0}, {4, 0}, {4, 4}, {0, 4}}).add({{9, 0}, {12, 0}, {12, 3}, {9, 3}, {9, 2}}),
         limits(8, many, many), TessFailure::TooManyPoints},
        // The tessellator stops at an end out of order: points past it cost nothing.
        {"8 points walked of 12", Outline{}.add({{0, 0}, {4, 0}, {4, 4}, {0, 4}}).add({{9, 0}, {12, 0}, {12, 3}, {9, 3}}).strayPoints(),
         limits(8, many, many), TessFailure::None},
        {"6 pairs, limit 6", Outline{}.triangles(2), limits(many, 6, many), TessFailure::None},
        // A contour of two points has two edges over one another: neighbours, one more pair.
        {"7 pairs, limit 6", Outline{}.triangles(2).add({{0, 0}, {7, 0}}, 500), limits(many, 6, many),
         TessFailure::TooManyEdgePairs},
        {"3 crossings, limit 3", Outline{}.bowTies(3), limits(many, many, 3), TessFailure::None},
        {"4 crossings, limit 3", Outline{}.bowTies(4), limits(many, many, 3), TessFailure::TooManyContacts},
        // Touching counts as meeting: a corner on another contour's edge (twice: both its edges),
        // and edges lying over one another.
        {"corner on an edge", Outline{}.add({{0, 0}, {10, 0}, {10, 10}}).add({{5, 0}, {8, -5}, {2, -5}}),
         limits(many, many, 1), TessFailure::TooManyContacts},
        {"edges over one another", Outline{}.add({{0, 0}, {10, 0}, {5, 5}}).add({{2, 0}, {8, 0}, {5, -5}}),
         limits(many, many, 0), TessFailure::TooManyContacts},
        // Edges that only share an end do not meet in the sense counted; running along one
        // another beyond it, they do.
        {"rays from one point", Outline{}.add({{0, 0}, {10, 0}, {10, 3}}).add({{0, 0}, {-10, 0}, {-10, 3}}).add({{0, 0}, {3, 10}, {0, 10}}),
         limits(many, many, 0), TessFailure::None},
        {"corner on a corner, one edge empty", Outline{}.add({{0, 0}, {0, 0}, {10, 0}, {5, 5}}).add({{0, 0}, {-5, -5}, {-10, 0}}),
         limits(many, many, 0), TessFailure::None},
        {"along one another from a shared end", Outline{}.add({{0, 0}, {10, 0}, {5, 5}}).add({{0, 0}, {6, 0}, {3, -5}}),
         limits(many, many, 0), TessFailure::TooManyContacts},
        {"one edge both ways", Outline{}.add({{0, 0}, {10, 0}, {5, 5}}).add({{10, 0}, {0, 0}, {5, -5}}),
         limits(many, many, 0), TessFailure::TooManyContacts},
        {"apart by one", Outline{}.add({{0, 0}, {10, 0}, {5, 5}}).add({{2, -1}, {8, -1}, {5, -5}}),
         limits(many, many, 0), TessFailure::None},
        // Far beyond 32-bit products: the turns are still exact.
        {"crossing at the range's ends",
         Outline{}.add({{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, {INT32_MAX, INT32_MIN}, {INT32_MIN, INT32_MAX}}),
         limits(many, many, 0), TessFailure::TooManyContacts},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tessWorkExcess(c.outline.points, c.outline.ends, c.limits), c.expected) << c.what;
}

// Pair by pair, what the sweep counts: edges whose x ranges overlap, and those of them, not
// neighbours on a contour, that share a point other than an end of both.
int64_t cross(TessPoint o, TessPoint a, TessPoint b) {
    return int64_t(a.x - o.x) * (b.y - o.y) - int64_t(a.y - o.y) * (b.x - o.x);
}

bool shareMoreThanAnEnd(TessPoint p, TessPoint q, TessPoint r, TessPoint s) {
    const auto endOfBoth = [&](TessPoint e) { return (e == p || e == q) && (e == r || e == s); };
    int64_t d = int64_t(q.x - p.x) * (s.y - r.y) - int64_t(q.y - p.y) * (s.x - r.x);
    if (d != 0) {  // one point in common at most, at p + t / d (q - p) = r + u / d (s - r)
        int64_t t = int64_t(r.x - p.x) * (s.y - r.y) - int64_t(r.y - p.y) * (s.x - r.x);
        int64_t u = int64_t(r.x - p.x) * (q.y - p.y) - int64_t(r.y - p.y) * (q.x - p.x);
        if (d < 0) d = -d, t = -t, u = -u;
        if (t < 0 || t > d || u < 0 || u > d) return false;
        return !(t == 0 || t == d) || !endOfBoth(t == 0 ? p : q);
    }
    if (cross(p, q, r) != 0 || cross(p, q, s) != 0 || cross(r, s, p) != 0 || cross(r, s, q) != 0) return false;
    // On one line: compare along x unless the line stands upright.
    const bool alongX = p.x != q.x || r.x != s.x;
    const auto at = [&](TessPoint e) { return alongX ? e.x : e.y; };
    const int32_t low = std::max(std::min(at(p), at(q)), std::min(at(r), at(s)));
    const int32_t high = std::min(std::max(at(p), at(q)), std::max(at(r), at(s)));
    if (low != high) return low < high;
    for (TessPoint e : {p, q, r, s})
        if (at(e) == low) return !endOfBoth(e);
    return true;
}

struct Counts {
    uint64_t pairs = 0;
    uint64_t contacts = 0;
    bool operator==(const Counts&) const = default;
};
void PrintTo(const Counts& c, std::ostream* out) { *out << c.pairs << " pairs, " << c.contacts << " contacts"; }

Counts countPairByPair(const Outline& o) {
    struct E {
        TessPoint from, to;
        uint32_t contour, place, count;
    };
    std::vector<E> edges;
    uint32_t start = 0;
    for (uint32_t c = 0; c < o.ends.size(); start = o.ends[c++])
        for (uint32_t i = start, n = o.ends[c] - start; n >= 2 && i < o.ends[c]; ++i)
            edges.push_back({o.points[i], o.points[start + (i - start + 1) % n], c, i - start, n});
    Counts counts;
    for (size_t i = 0; i < edges.size(); ++i)
        for (size_t j = i + 1; j < edges.size(); ++j) {
            const E &a = edges[i], &b = edges[j];
            if (std::max(a.from.x, a.to.x) < std::min(b.from.x, b.to.x) ||
                std::max(b.from.x, b.to.x) < std::min(a.from.x, a.to.x))
                continue;
            ++counts.pairs;
            const bool neighbours = a.contour == b.contour &&
                                    ((a.place + 1) % a.count == b.place || (b.place + 1) % b.count == a.place);
            if (!neighbours && shareMoreThanAnEnd(a.from, a.to, b.from, b.to)) ++counts.contacts;
        }
    return counts;
}

// The sweep's counts, as the smallest limits it accepts the outline at.
Counts countBySweep(const Outline& o) {
    const auto smallest = [&](auto limitsAt) {
        uint64_t low = 0, high = 1u << 20;
        while (low < high) {
            const uint64_t middle = (low + high) / 2;
            if (tessWorkExcess(o.points, o.ends, limitsAt(middle)) == TessFailure::None) high = middle;
            else low = middle + 1;
        }
        return low;
    };
    return Counts{smallest([](uint64_t n) { return limits(1u << 30, n, 1u << 30); }),
                  smallest([](uint64_t n) { return limits(1u << 30, 1u << 30, uint32_t(n)); })};
}

// Small grids make repeated points, empty edges, edges in line and corners on edges common.
TEST(TessWork, CountsMatchAPairByPairReferenceOnRandomOutlines) {
    std::mt19937 random(1234);
    const auto below = [&](int32_t n) { return int32_t(random() % uint32_t(n + 1)); };
    for (int round = 0; round < 3000; ++round) {
        const int32_t grid = std::vector<int32_t>{2, 3, 5, 50, 1 << 30}[size_t(round % 5)];
        Outline o;
        for (int c = 1 + below(3); c > 0; --c) {
            for (int n = 1 + below(6); n > 0; --n) o.points.push_back({below(grid), below(grid)});
            o.ends.push_back(uint32_t(o.points.size()));
        }
        ASSERT_EQ(countBySweep(o), countPairByPair(o)) << "round " << round;
    }
}

}  // namespace
}  // namespace plat::gl
