// The page-transition player on its own, over a project of pages numbered with gaps and a
// clock of the test's: what state each timing mode waits in, which events end a page with and
// without the user's manual advance, when the clock ends a timed page, and the walk over the
// pages, once or looping.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "document/project/ProjectConfigFile.h"
#include "document/project/RDocument.h"
#include "framework/messaging/RMessage.h"
#include "screens/slideshow/RTransition.h"
#include "screens/slideshow/SlideShowMessages.h"

namespace {

using namespace Ostrel;

u32 gNow = 0;
u32 testClock() { return gNow; }

class Owner : public CListener {
public:
    u32 HandleMessage(RMessage* message, uintptr_t) override {
        heard.push_back(message->code);
        return 0;
    }
    std::vector<u32> heard;
};

class Transition : public ::testing::Test {
protected:
    void SetUp() override { gNow = 1000; }
    // Pages 2, 5 and `last`, each `seconds` long in `mode`.
    void makePages(u8 seconds, u8 mode, u16 last = 9) {
        for (const u16 number : {u16(2), u16(5), last}) {
            auto page = std::make_unique<RPage>(PageSettings{}, "p.tbx", number);
            page->SetTiming(seconds, mode);
            ASSERT_EQ(document->PlacePage(number, std::move(page)), kErrNone);
        }
    }
    std::unique_ptr<RTransition> started(ShowSwitches switches, u16 first = 0) {
        auto t = std::make_unique<RTransition>(&owner, document.get(), switches, testClock);
        EXPECT_EQ(t->Start(first ? document->GetPage(first) : nullptr, nullptr), 0);
        return t;
    }
    static void tell(RTransition& t, u32 code) {
        RMessage message(code, 0, 0);
        t.HandleMessage(&message, 0);
    }
    // The number of the page the show hands over now, 0 when none.
    static u16 step(RTransition& t) {
        const RPage* page = AdvanceSlideShow(&t);
        return page ? page->Number() : 0;
    }

    std::unique_ptr<RDocument> document = std::make_unique<RDocument>(nullptr);
    Owner owner;
};

TEST_F(Transition, EachTimingModeWaitsInItsOwnState) {
    const struct {
        u8 mode;
        u16 readAloud;
        u16 noSound;
        u32 state;
    } cases[] = {
        {0, 1, 0, kTransitionWaitClock},   {1, 1, 0, kTransitionWaitClick},          {2, 1, 0, kTransitionWaitKey},
        {3, 1, 0, kTransitionWaitReading}, {3, 0, 0, kTransitionWaitClick},          {3, 1, 1, kTransitionWaitClick},
        {4, 1, 0, kTransitionWaitAfterReading}, {4, 0, 0, kTransitionWaitAfterReading}, {9, 1, 0, kTransitionWaitClock},
    };
    for (const auto& c : cases) {
        document = std::make_unique<RDocument>(nullptr);
        makePages(3, c.mode);
        document->GetPage(2)->settings.readAloud = c.readAloud;
        document->GetPage(2)->settings.noSound = c.noSound;
        auto t = started({});
        EXPECT_EQ(t->State(), kTransitionFirstShowRequested);
        EXPECT_EQ(step(*t), 2);
        EXPECT_EQ(document->CurrentPage(), document->GetPage(2));
        EXPECT_EQ(t->State(), c.state) << int(c.mode) << " read " << c.readAloud << " silent " << c.noSound;
    }
}

TEST_F(Transition, EventsEndAPageOnlyWhereTheyMay) {
    constexpr u32 kOther = 5;
    const struct {
        u32 event;
        bool manual;
        u32 state;
        bool told;  // the owner heard that the show is over
    } cases[] = {
        {kEventTimeUp, false, kTransitionAdvanceRequested, false},
        {kEventTimeUp, true, kTransitionWaitClick, false},
        {kEventReadingEnded, false, kTransitionAdvanceRequested, false},
        {kEventReadingEnded, true, kTransitionWaitClick, false},
        {kEventClick, false, kTransitionAdvanceRequested, false},
        {kEventClick, true, kTransitionAdvanceRequested, false},
        {kEventKey, true, kTransitionAdvanceRequested, false},
        {kEventAfterReading, false, kTransitionAdvanceRequested, false},
        {kOther, false, kTransitionWaitClick, false},
        {kEventStop, false, kTransitionStopping, true},
        {kEventEnded, false, kTransitionEnded, false},
    };
    for (const auto& c : cases) {
        document = std::make_unique<RDocument>(nullptr);
        owner.heard.clear();
        makePages(3, 1);
        auto t = started({true, c.manual});
        step(*t);
        tell(*t, c.event);
        EXPECT_EQ(t->State(), c.state) << c.event << " manual " << c.manual;
        EXPECT_EQ(owner.heard, c.told ? std::vector<u32>{kMsgShowOver} : std::vector<u32>{}) << c.event;
        // A show that stops or has ended goes no further.
        if (c.state == kTransitionStopping || c.state == kTransitionEnded) {
            tell(*t, kEventClick);
            EXPECT_EQ(t->State(), c.state);
        }
    }
}

TEST_F(Transition, TheClockEndsATimedPageAtItsSecondsUnlessTheUserAdvancesByHand) {
    const struct {
        u32 after;
        bool manual;
        u32 state;
    } cases[] = {
        {2999, false, kTransitionWaitClock},
        {3000, false, kTransitionAdvanceRequested},
        {9000, false, kTransitionAdvanceRequested},
        {9000, true, kTransitionWaitClock},
    };
    for (const auto& c : cases) {
        document = std::make_unique<RDocument>(nullptr);
        makePages(3, 0);
        auto t = started({true, c.manual});
        step(*t);
        gNow += c.after;
        EXPECT_EQ(step(*t), 0);
        EXPECT_EQ(t->State(), c.state) << c.after << " manual " << c.manual;
    }
}

TEST_F(Transition, TheShowWalksThePagesInNumberOrderOnceOrLooping) {
    const struct {
        bool once;
        u16 first;
        u16 last;
        std::vector<u16> shown;
    } cases[] = {
        {true, 0, 9, {2, 5, 9}},
        {true, 5, 9, {5, 9}},
        {false, 0, 9, {2, 5, 9, 2, 5, 9, 2}},
        {false, 9, 9, {9, 2, 5, 9, 2, 5, 9}},
        {true, 0, kMaxProjectPages, {2, 5, kMaxProjectPages}},
        {false, kMaxProjectPages, kMaxProjectPages, {kMaxProjectPages, 2, 5, kMaxProjectPages, 2, 5, kMaxProjectPages}},
    };
    for (const auto& c : cases) {
        document = std::make_unique<RDocument>(nullptr);
        owner.heard.clear();
        makePages(1, 1, c.last);
        auto t = started({c.once, false}, c.first);
        std::vector<u16> shown;
        while (shown.size() < 7) {
            const u16 number = step(*t);
            if (number == 0) break;
            shown.push_back(number);
            tell(*t, kEventClick);
            EXPECT_EQ(step(*t), 0) << "an advance shows the next page on the pass after";
        }
        EXPECT_EQ(t->State() == kTransitionEnded, c.once);
        EXPECT_EQ(owner.heard, c.once ? std::vector<u32>{kMsgShowOver} : std::vector<u32>{});
        EXPECT_EQ(shown, c.shown) << c.once << " from " << c.first;
    }
}

TEST_F(Transition, AShowWithoutThatPageOrAnyPageHasEndedAtOnce) {
    RDocument other(nullptr);
    ASSERT_EQ(other.PlacePage(3, std::make_unique<RPage>(PageSettings{}, "o.tbx", 3)), kErrNone);
    RTransition empty(&owner, document.get(), {}, testClock);
    EXPECT_EQ(empty.Start(nullptr, nullptr), 1);
    EXPECT_EQ(empty.State(), kTransitionEnded);
    makePages(1, 1);
    RTransition foreign(&owner, document.get(), {}, testClock);
    EXPECT_EQ(foreign.Start(other.GetPage(3), nullptr), 1) << "a page of another project";
    EXPECT_EQ(foreign.State(), kTransitionEnded);
    EXPECT_EQ(AdvanceSlideShow(nullptr), nullptr);
    RTransition noProject(&owner, nullptr, {}, testClock);
    EXPECT_EQ(noProject.Start(nullptr, nullptr), 1);
    EXPECT_EQ(noProject.State(), kTransitionEnded);
}

}  // namespace
