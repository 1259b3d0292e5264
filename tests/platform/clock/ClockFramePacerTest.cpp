#include "platform/clock/ClockFramePacer.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/clock/Clock.h"

namespace plat {
namespace {

using FrameRun = std::pair<uint64_t, uint64_t>;

TEST(ClockFramePacer, HandsOutEachDueFrameOnceInOrder) {
    struct Case {
        uint32_t startMs;
        uint32_t rate;
        std::vector<uint32_t> moves;
        std::vector<FrameRun> runs;
    } cases[] = {
        {1000, 1000, {1, 1, 5}, {{0, 1}, {1, 1}, {2, 5}}},
        {1000, 22050, {1, 1, 998}, {{0, 22}, {22, 22}, {44, 22006}}},  // fractions carried, not lost
        {1000, 8000, {0}, {}},                                          // no time, no frames
        {0xFFFFFFF0u, 1000, {8, 16}, {{0, 8}, {8, 16}}},                // across the clock's wrap
    };
    for (const Case& c : cases) {
        ScopedFakeClock clock(c.startMs);
        std::vector<FrameRun> runs;
        ClockFramePacer pacer(c.rate, [&](uint64_t first, uint64_t frames) { runs.emplace_back(first, frames); });
        pacer.start();
        for (uint32_t ms : c.moves) clock.advance(ms);
        EXPECT_EQ(runs, c.runs) << "start " << c.startMs << " rate " << c.rate;
    }
}

TEST(ClockFramePacer, StoppedHandsOutNothingAndRestartsFromFrameZero) {
    ScopedFakeClock clock(500);
    std::vector<FrameRun> runs;
    ClockFramePacer pacer(1000, [&](uint64_t first, uint64_t frames) { runs.emplace_back(first, frames); });
    pacer.start();
    clock.advance(10);
    pacer.start();  // already started: keeps counting
    clock.advance(10);
    pacer.stop();
    clock.advance(100);
    pacer.start();
    clock.advance(3);
    EXPECT_EQ(runs, (std::vector<FrameRun>{{0, 10}, {10, 10}, {0, 3}}));
}

}  // namespace
}  // namespace plat
