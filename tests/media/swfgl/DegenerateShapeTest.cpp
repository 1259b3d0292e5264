// Shapes that enclose nothing, cross themselves or name styles they do not have draw what they
// can and nothing else; run under AddressSanitizer like every test.
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "tests/media/swfgl/RenderFixture.h"

namespace swfgltest {
namespace {

using swf::Rgba;

constexpr Rgba kRed{255, 0, 0, 255};

struct Degenerate {
    const char* name;
    std::vector<Bytes> fills;
    std::vector<Bytes> lines;
    std::vector<Path> paths;
    bool leavesPictureWhite;
};

class DegenerateShape : public RenderFixture, public ::testing::WithParamInterface<int> {};

// A star of `points` corners whose every edge crosses almost every other (for 1601 corners,
// about 1.3 million crossings: GLU alone would take minutes over it).
Path Star(i32 points, i32 radius) {
    Path path{0, 0, 0, 1, 0, {}};
    i32 x = 0, y = 0;
    for (i32 i = 0; i <= points; ++i) {
        const double angle = 2 * M_PI * double(i64(i) * ((points - 1) / 2) % points) / points;
        const i32 toX = kWidth * kTwips / 2 + i32(std::lround(radius * std::cos(angle)));
        const i32 toY = kHeight * kTwips / 2 + i32(std::lround(radius * std::sin(angle)));
        if (i == 0) path.x = toX, path.y = toY;
        else path.edges.push_back(Line(toX - x, toY - y));
        x = toX, y = toY;
    }
    return path;
}

// Ends the program when the drawing has not ended in time.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit)
        : thread_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!ended_.wait_for(lock, limit, [this] { return done_; })) {
                  std::fprintf(stderr, "watchdog: the drawing did not end\n");
                  std::_Exit(1);
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        ended_.notify_one();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    std::thread thread_;
};

std::vector<Degenerate> DegenerateCases() {
    return {
        {"no records", {SolidFill(kRed)}, {}, {}, true},
        {"zero-length segments", {}, {LineStyle(40, kRed)}, {Path{200, 200, 0, 0, 1, {Line(0, 0), Line(0, 0)}}}, true},
        {"zero-length curve", {}, {LineStyle(40, kRed)}, {Path{200, 200, 0, 0, 1, {Curve(0, 0, 0, 0)}}}, true},
        {"a fill index past the styles", {SolidFill(kRed)}, {},
         {Path{0, 0, 0, 1, 0, {Line(400, 0), Line(0, 400), Line(-400, 0), Line(0, -400)}},
          Path{0, 0, 0, 3, 0, {Line(400, 0)}}},
         false},
        {"a line index past the styles", {}, {LineStyle(40, kRed)}, {Path{0, 0, 0, 0, 3, {Line(400, 400)}}}, true},
        {"an open outline", {SolidFill(kRed)}, {}, {Path{0, 0, 0, 1, 0, {Line(400, 0), Line(0, 400)}}}, false},
        {"a collinear outline", {SolidFill(kRed)}, {}, {Path{0, 0, 0, 1, 0, {Line(400, 0), Line(-400, 0)}}}, true},
        {"a bow tie crossing itself", {SolidFill(kRed)}, {},
         {Path{0, 0, 0, 1, 0, {Line(800, 800), Line(0, -800), Line(-800, 800), Line(0, -800)}}}, false},
        {"coordinates far outside", {SolidFill(kRed)}, {},
         {Path{-40000, -40000, 0, 1, 0,
               {Line(60000, 0), Line(60000, 0), Line(0, 60000), Line(0, 60000), Line(-60000, 0), Line(-60000, 0),
                Line(0, -60000), Line(0, -60000)}}},
         false},
        {"a single point", {SolidFill(kRed)}, {LineStyle(0, kRed)}, {Path{100, 100, 0, 1, 1, {}}}, true},
        // Too costly to tessellate: the fill is given up, quickly.
        {"a star crossing itself a million times", {SolidFill(kRed)}, {}, {Star(1601, 20000)}, true},
    };
}

TEST_P(DegenerateShape, DrawsWithoutFaultAndOnlyWhereItEnclosesSomething) {
    const Degenerate c = DegenerateCases()[size_t(GetParam())];
    SCOPED_TRACE(c.name);
    const Bytes shape = Shape(1, kFrame, c.fills, c.lines, c.paths);
    Load(MovieOf(kFrame, 1, swftest::Concat({shape, Place(1, 1, swf::Matrix{}, swf::Cxform{})})));
    const Watchdog watchdog(std::chrono::seconds(30));
    for (u32 flags : {0u, 2u, 4u}) {
        Clear(kWhite555);
        ASSERT_EQ(Draw(flags), swf::kOk);
        if (flags != 0) continue;
        bool white = true;
        for (i32 y = 0; y < kHeight; ++y)
            for (i32 x = 0; x < kWidth; ++x) white = white && Pixel(x, y) == kWhite555;
        EXPECT_EQ(white, c.leavesPictureWhite);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DegenerateShape, ::testing::Range(0, 11));

}  // namespace
}  // namespace swfgltest
