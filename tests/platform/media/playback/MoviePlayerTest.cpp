// Playing movie files: the picture at a time, seeking, the clock, rate, time scale, box and
// the drawing-complete callback, over movies with known frames.
#include <gtest/gtest.h>

#include <memory>

#include "platform/clock/Clock.h"
#include "platform/media/MediaWorld.h"
#include "platform/media/PixelRows.h"
#include "platform/media/playback/MoviePlayer.h"
#include "platform/media/playback/PlaybackClock.h"
#include "tests/platform/media/playback/TestMovies.h"

namespace pm = plat::media;
using movietest::Colour;
using movietest::MovieSpec;

namespace {

struct WorldDeleter {
    void operator()(pm::MrWorld* w) const { pm::disposeWorld(w); }
};
using World = std::unique_ptr<pm::MrWorld, WorldDeleter>;

World makeWorld(int16_t width, int16_t height) {
    pm::MrWorld* w = nullptr;
    const pm::MrRect bounds{0, 0, height, width};
    EXPECT_EQ(pm::newWorldOfFormat(&w, pm::kMrFormatBgra32, &bounds), pm::kMrNoErr);
    return World(w);
}

Colour pixelAt(pm::MrWorld* world, int x, int y) {
    uint8_t rgba[4];
    pm::readRowRgba(world->map, y, x, 1, rgba);
    return Colour{rgba[0], rgba[1], rgba[2]};
}

// JPEG keeps solid colours within a few levels.
::testing::AssertionResult near(Colour got, Colour want, int tolerance = 12) {
    if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
        std::abs(got.b - want.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << int(got.r) << "," << int(got.g) << "," << int(got.b)
                                         << " want " << int(want.r) << "," << int(want.g) << "," << int(want.b);
}

class MoviePlayerTest : public movietest::MovieFolderTest {
protected:
    void SetUp() override {
        MovieFolderTest::SetUp();
        if (HasFatalFailure()) return;
        pm::setPlaybackClock(&plat::clockMillis);
    }
    void TearDown() override {
        pm::setPlaybackClock(nullptr);
        MovieFolderTest::TearDown();
    }
    std::unique_ptr<pm::MoviePlayer> open(const std::string& path) {
        std::shared_ptr<pm::MovieSource> source;
        EXPECT_EQ(pm::openMovieSource(path, 0, 0, &source), pm::kMrNoErr);
        return source ? std::make_unique<pm::MoviePlayer>(source) : nullptr;
    }
    // The frame shown in the world at its natural box, checked half by half.
    void expectFrame(pm::MrWorld* world, int frame, const char* where) {
        SCOPED_TRACE(where);
        EXPECT_TRUE(near(pixelAt(world, 16, 24), movietest::leftColour(frame)));
        EXPECT_TRUE(near(pixelAt(world, 48, 24), movietest::rightColour(frame)));
    }
    plat::ScopedFakeClock clock_{1000};
};

TEST_F(MoviePlayerTest, ReportsSizeDurationAndFrameTimes) {
    auto player = open(movie("four"));
    ASSERT_TRUE(player);
    EXPECT_EQ(player->timeScale(), 600);
    EXPECT_EQ(player->duration(), 240);  // four frames at 10 a second
    const pm::MrRect box = player->box();
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.bottom, 48);
    EXPECT_EQ(box.right, 64);
    EXPECT_EQ(player->nextFrameTime(0), 60);
    EXPECT_EQ(player->nextFrameTime(59), 60);
    EXPECT_EQ(player->nextFrameTime(60), 120);
    EXPECT_EQ(player->nextFrameTime(180), -1);
}

TEST_F(MoviePlayerTest, DrawsTheFrameWrittenForEachTimeInAnyOrder) {
    auto player = open(movie("seek"));
    ASSERT_TRUE(player);
    World world = makeWorld(64, 48);
    player->setWorld(world.get());
    int drawn = 0;
    player->setDrawingComplete([&] { ++drawn; });
    // Forward, back to the start, a jump ahead and back one: decoding goes on or seeks back.
    const struct {
        int64_t time;
        int frame;
    } steps[] = {{0, 0}, {59, 0}, {60, 1}, {130, 2}, {10, 0}, {200, 3}, {239, 3}, {100, 1}, {240, 3}};
    for (const auto& step : steps) {
        player->setTime(step.time);
        ASSERT_EQ(player->task(), pm::kMrNoErr);
        expectFrame(world.get(), step.frame, ("time " + std::to_string(step.time)).c_str());
    }
    EXPECT_EQ(drawn, 7);  // 59 after 0 and 239 after 200 show the same pictures: not drawn again
    player->task();
    EXPECT_EQ(drawn, 7);
}

TEST_F(MoviePlayerTest, TimeRunsOnTheClockAtTheRateAndStopsAtTheEnd) {
    auto player = open(movie("clock"));
    ASSERT_TRUE(player);
    player->start();
    EXPECT_EQ(player->time(), 0);
    clock_.advance(150);
    EXPECT_EQ(player->time(), 90);
    player->setRate(2 * pm::kMovieNormalRate);
    clock_.advance(50);
    EXPECT_EQ(player->time(), 150);
    player->stop();
    clock_.advance(1000);
    EXPECT_EQ(player->time(), 150);
    EXPECT_FALSE(player->done());
    player->start();
    clock_.advance(1000);
    EXPECT_EQ(player->time(), 240);
    EXPECT_TRUE(player->done());
    player->setTime(0);
    EXPECT_FALSE(player->done());
    player->setRate(-pm::kMovieNormalRate);
    clock_.advance(10);
    EXPECT_TRUE(player->done());
}

TEST_F(MoviePlayerTest, ClockWrapDoesNotJumpTheTime) {
    clock_.clock().set(0xFFFFFF00u);
    auto player = open(movie("wrap"));
    ASSERT_TRUE(player);
    player->start();
    clock_.advance(0x200);  // passes the clock's 32-bit wrap
    EXPECT_EQ(player->time(), 240);
    player->setTime(0);
    clock_.advance(100);
    EXPECT_EQ(player->time(), 60);
}

TEST_F(MoviePlayerTest, TimeScaleChangeKeepsTheMoment) {
    auto player = open(movie("scale"));
    ASSERT_TRUE(player);
    player->setTime(90);
    ASSERT_EQ(player->setTimeScale(1000), pm::kMrNoErr);
    EXPECT_EQ(player->time(), 150);
    EXPECT_EQ(player->duration(), 400);
    EXPECT_EQ(player->nextFrameTime(150), 200);
    EXPECT_EQ(player->setTimeScale(0), pm::kMrParamErr);
    EXPECT_EQ(player->timeScale(), 1000);
}

TEST_F(MoviePlayerTest, PlayingDrawsEachNewFrameOnce) {
    auto player = open(movie("play"));
    ASSERT_TRUE(player);
    World world = makeWorld(64, 48);
    player->setWorld(world.get());
    int drawn = 0;
    player->setDrawingComplete([&] { ++drawn; });
    player->start();
    for (int ms = 0; ms <= 400; ms += 20) {
        player->task();
        clock_.advance(20);
    }
    EXPECT_EQ(drawn, 4);
    expectFrame(world.get(), 3, "at the end");
}

TEST_F(MoviePlayerTest, DrawsScaledIntoItsBoxClippedToTheWorld) {
    // A movie of many times the pixels of its box.
    auto player = open(movie("box", MovieSpec{.width = 320, .height = 240}));
    ASSERT_TRUE(player);
    World world = makeWorld(64, 48);
    std::fill(world->owned.begin(), world->owned.end(), 0);
    player->setWorld(world.get());
    player->setBox(pm::MrRect{8, 40, 32, 72});  // its right half outside the world
    ASSERT_EQ(player->task(), pm::kMrNoErr);
    EXPECT_TRUE(near(pixelAt(world.get(), 48, 20), movietest::leftColour(0)));
    EXPECT_TRUE(near(pixelAt(world.get(), 60, 20), movietest::rightColour(0)));
    EXPECT_TRUE(near(pixelAt(world.get(), 39, 20), Colour{0, 0, 0}, 0));
    EXPECT_TRUE(near(pixelAt(world.get(), 48, 7), Colour{0, 0, 0}, 0));
    EXPECT_TRUE(near(pixelAt(world.get(), 48, 32), Colour{0, 0, 0}, 0));
}

TEST_F(MoviePlayerTest, BoxesOfAnySizeGetWholeRowsAndNothingPastThem) {
    auto player = open(movie("odd"));
    ASSERT_TRUE(player);
    World world = makeWorld(64, 48);
    player->setWorld(world.get());
    // Widths that no vector loop divides, down to one pixel.
    const pm::MrRect boxes[] = {{0, 0, 1, 1}, {3, 5, 10, 42}, {0, 0, 47, 63}, {1, 1, 48, 64}, {0, 0, 13, 3}};
    for (const auto& box : boxes) {
        std::fill(world->owned.begin(), world->owned.end(), 0);
        player->setBox(box);
        ASSERT_EQ(player->task(), pm::kMrNoErr);
        const int inLeft = box.left + (box.right - box.left) / 4, y = (box.top + box.bottom - 1) / 2;
        // A one-pixel box holds the mean of both halves.
        const Colour inside = box.right - box.left == 1 ? movietest::Colour{210, 50, 120} : movietest::leftColour(0);
        EXPECT_TRUE(near(pixelAt(world.get(), inLeft, y), inside, 40)) << box.right;
        if (box.right < 64) {
            EXPECT_TRUE(near(pixelAt(world.get(), box.right, y), Colour{0, 0, 0}, 0));
        }
        if (box.bottom < 48) {
            EXPECT_TRUE(near(pixelAt(world.get(), inLeft, box.bottom), Colour{0, 0, 0}, 0));
        }
    }
}

TEST_F(MoviePlayerTest, InactiveOrWorldlessMovieDrawsNothing) {
    auto player = open(movie("idle"));
    ASSERT_TRUE(player);
    int drawn = 0;
    player->setDrawingComplete([&] { ++drawn; });
    EXPECT_EQ(player->task(), pm::kMrNoErr);
    World world = makeWorld(64, 48);
    player->setWorld(world.get());
    player->setActive(false);
    EXPECT_EQ(player->task(), pm::kMrNoErr);
    EXPECT_EQ(drawn, 0);
    player->setActive(true);
    player->task();
    EXPECT_EQ(drawn, 1);
}

}  // namespace
