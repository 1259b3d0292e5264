#include "framework/input/RInputRouter.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/input/RInputObject.h"
#include "framework/input/RInputRegistry.h"
#include "tests/framework/input/InputFixtures.h"
#include "tests/framework/input/TestKeys.h"

using fwtest::Log;
using fwtest::Probe;
using namespace Ostrel;

namespace {

struct Routing : ::testing::Test {
    Log log;
    RInputRouter router;
};

// Each row registers "low" (oldest) then "high" (newest, offered first) with the given masks
// and sends one event; `log` is what both heard.
struct MaskCase {
    const char* name;
    u32 lowMask;
    u32 highMask;
    int event;  // 0 down, 1 up, 2 move, 3 key, 4 key up, 5 tick, 6 activation
    Log heard;
};

}  // namespace

TEST_F(Routing, EventsReachOnlyObjectsWhoseMaskAsksForThem) {
    const MaskCase cases[] = {
        {"down to buttons only", kInputMouseButtons, kInputMouseMove, 0, {"low:down3,4"}},
        {"up to buttons only", kInputKeys, kInputMouseButtons, 1, {"high:release3,4"}},
        {"move to move only", kInputMouseMove, kInputMouseButtons, 2, {"low:move3,4"}},
        {"key to keys only", kInputKeys, kInputTick, 3, {"low:key65"}},
        {"key up to keys only", kInputActivation, kInputKeys, 4, {"high:up65"}},
        {"tick to every ticking object", kInputTick, kInputTick | kInputKeys, 5, {"high:tick99", "low:tick99"}},
        {"tick skips others", kInputActivation, kInputTick, 5, {"high:tick99"}},
        {"activation to every interested", kInputActivation, ~0u, 6, {"high:active1", "low:active1"}},
        {"nobody wants it", kInputTick, kInputTick, 0, {}},
    };
    for (const MaskCase& row : cases) {
        SCOPED_TRACE(row.name);
        Log heard;
        Probe low(heard, "low"), high(heard, "high");
        low.Register(row.lowMask);
        high.Register(row.highMask);
        const Point16 point{3, 4};
        switch (row.event) {
            case 0: router.MouseDown(point, 1); break;
            case 1: router.MouseUp(point, 0); break;
            case 2: router.MouseMove(point, 0); break;
            case 3: router.KeyDown(testkeys::typedKey('A')); break;
            case 4: router.KeyUp(testkeys::typedKey('A')); break;
            case 5: router.Tick(99); break;
            case 6: router.Activation(1); break;
        }
        EXPECT_EQ(heard, row.heard);
    }
}

TEST_F(Routing, FirstTakerStopsTheOfferAndLaterObjectsAreTold) {
    Probe a(log, "a"), b(log, "b"), c(log, "c");
    a.Register(kInputKeys);
    b.Register(kInputKeys);
    c.Register(kInputKeys);
    b.answer = 1;
    EXPECT_TRUE(router.KeyDown(testkeys::typedKey('x')));
    EXPECT_EQ(log, (Log{"c:key120", "b:key120", "a:told5"}));
    EXPECT_EQ(a.lastNotice.kind, kInputEventKey);
    EXPECT_EQ(a.lastNotice.data, testkeys::typedKey('x'));
    EXPECT_EQ(a.lastNotice.mark, -1);
}

TEST_F(Routing, MouseMoveStopsAtTheFirstTakerWithoutNotices) {
    Probe a(log, "a"), b(log, "b");
    a.Register(kInputMouseMove);
    b.Register(kInputMouseMove);
    b.answer = 1;
    EXPECT_TRUE(router.MouseMove({1, 2}, 0));
    EXPECT_EQ(log, (Log{"b:move1,2"}));
}

TEST_F(Routing, NothingTakenAnswersFalse) {
    Probe a(log, "a");
    a.Register(kInputMouseButtons);
    EXPECT_FALSE(router.MouseDown({0, 0}, 1));
    EXPECT_EQ(router.DragOwner(), nullptr);
}

TEST_F(Routing, ObjectUnregisteringItselfDoesNotMakeTheNextOneMiss) {
    Probe a(log, "a"), b(log, "b"), c(log, "c");
    a.Register(kInputMouseButtons);
    b.Register(kInputMouseButtons);
    c.Register(kInputMouseButtons);
    c.action = [&] { c.Unregister(); };
    b.action = [&] { b.Unregister(); };
    a.answer = 1;
    EXPECT_TRUE(router.MouseDown({5, 6}, 1));
    EXPECT_EQ(log, (Log{"c:down5,6", "b:down5,6", "a:down5,6"}));
}

TEST_F(Routing, ObjectDestroyedOrRegisteredDuringAnEventIsNotOffered) {
    Probe a(log, "a");
    auto b = std::make_unique<Probe>(log, "b");
    Probe c(log, "c"), late(log, "late");
    a.Register(kInputKeys);
    b->Register(kInputKeys);
    c.Register(kInputKeys);
    c.action = [&] {
        b.reset();
        late.Register(kInputKeys);
    };
    router.KeyDown(testkeys::typedKey('k'));
    EXPECT_EQ(log, (Log{"c:key107", "a:key107"}));
    EXPECT_EQ(inputObjectAt(0), &late);
}

TEST_F(Routing, TakerOfAMouseDownKeepsTheDrag) {
    Probe front(log, "front"), dragger(log, "dragger");
    dragger.Register(kInputMouseButtons | kInputMouseMove);
    front.Register(kInputMouseButtons | kInputMouseMove);
    dragger.answer = 1;
    EXPECT_TRUE(router.MouseDown({1, 1}, 1));
    EXPECT_EQ(router.DragOwner(), &dragger);
    front.answer = 1;  // would take moves and releases if it were asked first
    log.clear();
    router.MouseMove({2, 2}, 1);
    router.MouseUp({3, 3}, 0);
    EXPECT_EQ(log, (Log{"dragger:move2,2", "dragger:release3,3", "front:told1"}));
    EXPECT_EQ(router.DragOwner(), nullptr);

    log.clear();
    router.MouseMove({4, 4}, 0);
    EXPECT_EQ(log, (Log{"front:move4,4"}));
}

TEST_F(Routing, DragEndsWhenItsOwnerGoes) {
    Probe other(log, "other");
    auto dragger = std::make_unique<Probe>(log, "dragger");
    other.Register(kInputMouseButtons | kInputMouseMove);
    dragger->Register(kInputMouseButtons | kInputMouseMove);
    dragger->answer = 1;
    router.MouseDown({1, 1}, 1);
    dragger.reset();
    EXPECT_EQ(router.DragOwner(), nullptr);
    log.clear();
    router.MouseMove({2, 2}, 1);
    EXPECT_EQ(log, (Log{"other:move2,2"}));
}

TEST_F(Routing, NoticeOfAMouseEventPacksThePointAndButtons) {
    Probe taker(log, "taker"), told(log, "told");
    told.Register(kInputMouseButtons);
    taker.Register(kInputMouseButtons);
    taker.answer = 1;
    router.MouseDown({-2, 300}, 9);
    EXPECT_EQ(told.lastNotice.kind, kInputEventMouseDown);
    EXPECT_EQ(told.lastNotice.flags, 9u);
    EXPECT_EQ(told.lastNotice.data, 0x012CFFFEu);
}
