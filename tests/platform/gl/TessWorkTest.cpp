#include "platform/gl/TessWork.h"

#include <gtest/gtest.h>

#include <initializer_list>
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

}  // namespace
}  // namespace plat::gl
