#include "platform/gl/GlTessellator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <future>
#include <memory>
#include <thread>

#include "platform/gl/Gl.h"

namespace plat::gl {
namespace {

TEST(GlTessellator, TrianglesCoverTheContourAndCrossingsMakeVertices) {
    auto tessellator = Tessellator::create();
    ASSERT_NE(tessellator, nullptr);
    TessResult out;
    ASSERT_TRUE(tessellator->run({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {4}, out));
    ASSERT_FALSE(out.primitives.empty());
    uint32_t triangles = 0;
    for (const TessPrimitive& p : out.primitives) triangles += p.type == kTriangles ? p.count / 3 : p.count - 2;
    EXPECT_EQ(triangles, 2u);
    // A bow tie: GLU makes the crossing at (5, 5).
    ASSERT_TRUE(tessellator->run({{0, 0}, {10, 10}, {10, 0}, {0, 10}}, {4}, out));
    EXPECT_NE(std::find(out.vertices.begin(), out.vertices.end(), TessPoint{5, 5}), out.vertices.end());
}

// A star whose every edge crosses almost every other (n (n - 3) / 2 crossings for odd n),
// centred at (x, 0).
void addStar(uint32_t n, int32_t x, std::vector<TessPoint>& points, std::vector<uint32_t>& ends) {
    for (uint32_t i = 0; i < n; ++i) {
        const double angle = 2 * M_PI * double(i * ((n - 1) / 2) % n) / n;
        points.push_back({x + int32_t(100000 * std::cos(angle)), int32_t(100000 * std::sin(angle))});
    }
    ends.push_back(uint32_t(points.size()));
}

// Runs the tessellator on another thread; a run that does not end stops the program.
bool runWatched(Tessellator& tessellator, const std::vector<TessPoint>& points, const std::vector<uint32_t>& ends,
                TessResult& out) {
    auto finished = std::make_shared<std::promise<bool>>();
    std::future<bool> result = finished->get_future();
    std::thread([&, finished] { finished->set_value(tessellator.run(points, ends, out)); }).detach();
    if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "the tessellation did not end";
        std::_Exit(1);
    }
    return result.get();
}

// Stars of 5 points cross themselves 5 times each; 3 of them are 15 crossings.
TEST(GlTessellator, CrossingsUpToTheLimitAreTessellatedAndOnePastIsRefused) {
    auto tessellator = Tessellator::create(TessLimits{1000, 1000, 15});
    ASSERT_NE(tessellator, nullptr);
    std::vector<TessPoint> points;
    std::vector<uint32_t> ends;
    TessResult out;
    for (int32_t star = 0; star < 3; ++star) addStar(5, star * 300000, points, ends);
    ASSERT_TRUE(runWatched(*tessellator, points, ends, out));
    EXPECT_FALSE(out.primitives.empty());
    EXPECT_EQ(out.failure, TessFailure::None);

    points.push_back({-300000, 0});
    points.push_back({-200000, 0});
    points.push_back({-250000, 100});
    points.push_back({-250000, -100});
    ends.push_back(uint32_t(points.size()));  // one more crossing
    EXPECT_FALSE(runWatched(*tessellator, points, ends, out));
    EXPECT_EQ(out.failure, TessFailure::TooManyContacts);
    EXPECT_TRUE(out.primitives.empty());
    EXPECT_TRUE(out.vertices.empty());
}

// GLU alone would take many seconds over this star (about 1.3 million crossings).
TEST(GlTessellator, AHostileOutlineIsRefusedQuicklyWithTheOrdinaryLimits) {
    auto tessellator = Tessellator::create();
    ASSERT_NE(tessellator, nullptr);
    std::vector<TessPoint> points;
    std::vector<uint32_t> ends;
    addStar(1601, 0, points, ends);
    TessResult out;
    EXPECT_FALSE(runWatched(*tessellator, points, ends, out));
    EXPECT_EQ(out.failure, TessFailure::TooManyContacts);
    // A big plain outline is not refused: a circle of the most points allowed.
    const uint32_t n = TessLimits{}.points;
    points.clear();
    ends.assign(1, n);
    for (uint32_t i = 0; i < n; ++i)
        points.push_back({int32_t(1e7 * std::cos(2 * M_PI * i / n)), int32_t(1e7 * std::sin(2 * M_PI * i / n))});
    EXPECT_TRUE(runWatched(*tessellator, points, ends, out));
    EXPECT_FALSE(out.primitives.empty());
    points.push_back(points.back());
    ends.assign(1, n + 1);
    EXPECT_FALSE(runWatched(*tessellator, points, ends, out));
    EXPECT_EQ(out.failure, TessFailure::TooManyPoints);
}

// Drawn outlines whose pieces meet only at their corners, hundreds of times, cost GLU little.
TEST(GlTessellator, OutlinesMeetingAtCornersAreNotRefused) {
    struct Case {
        const char* what;
        std::vector<TessPoint> points;
        std::vector<uint32_t> ends;
    };
    Case sun{"a sun of 128 rays", {}, {}}, board{"a chequerboard of 64 by 64", {}, {}};
    for (int ray = 0; ray < 128; ++ray) {
        const double from = M_PI * ray / 128, to = M_PI * (ray + 0.5) / 128;
        sun.points.insert(sun.points.end(), {{0, 0},
                                             {int32_t(10000 * std::cos(from)), int32_t(10000 * std::sin(from))},
                                             {int32_t(10000 * std::cos(to)), int32_t(10000 * std::sin(to))}});
        sun.ends.push_back(uint32_t(sun.points.size()));
    }
    for (int32_t y = 0; y < 64; ++y)
        for (int32_t x = y % 2; x < 64; x += 2) {
            board.points.insert(board.points.end(), {{x * 100, y * 100}, {x * 100 + 100, y * 100},
                                                     {x * 100 + 100, y * 100 + 100}, {x * 100, y * 100 + 100}});
            board.ends.push_back(uint32_t(board.points.size()));
        }
    auto tessellator = Tessellator::create();
    ASSERT_NE(tessellator, nullptr);
    for (const Case& c : {sun, board}) {
        TessResult out;
        EXPECT_TRUE(runWatched(*tessellator, c.points, c.ends, out)) << c.what;
        EXPECT_EQ(out.failure, TessFailure::None) << c.what;
        EXPECT_FALSE(out.primitives.empty()) << c.what;
    }
}

}  // namespace
}  // namespace plat::gl
