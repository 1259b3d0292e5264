// Strips laid out on shapes: the cells and arrows come from the parts of loaded shapes.
#include <gtest/gtest.h>

#include "framework/controls/RBitmapScroller.h"
#include "framework/messaging/mfDispatcher.h"
#include "tests/engine/gfx/sprites/SprLayerTestSupport.h"
#include "tests/framework/messaging/MessagingFixtures.h"

namespace {

using namespace Ostrel;
using testspr::endRecord;
using testspr::frameRecord;
using testspr::kGroup;
using testspr::script;
using testspr::waitRecord;

constexpr u16 kLayout = kGroup;
constexpr u16 kArrows = kGroup + 1;
constexpr u16 kOneArrow = kGroup + 2;
constexpr u16 kNotLoaded = 999;

class ScrollerShapes : public testspr::SprLayerTest {
protected:
    void SetUp() override {
        testspr::SprLayerTest::SetUp();
        // Three 4 × 4 cells ten apart; two arrows; a shape of one part only.
        const std::vector<testspr::Record> cells{frameRecord(1), frameRecord(1, 10, 0), frameRecord(1, 20, 0),
                                                 waitRecord(), endRecord()};
        loadShapes({script(cells, 20, 30),
                    script({frameRecord(2), frameRecord(2, 50, 0), waitRecord(), endRecord()}, 10, 30),
                    script({frameRecord(2), waitRecord(), endRecord()}, 10, 30)});
    }
    static std::vector<u32> messages(RScroller& s) {
        std::vector<u32> out;
        for (int i = 0; i < s.HotSpots().Count(); ++i) out.push_back(s.HotSpots().GetHotSpot(i)->GetMessage());
        return out;
    }
    fwtest::QueueReset reset;
    fwtest::Log log;
    fwtest::Recorder owner{log, "o"};
};

TEST_F(ScrollerShapes, CreateTakesCellsAndArrowsFromTheShapes) {
    RBitmapScroller strip(&owner, kLayout, kArrows, 18001);
    ASSERT_EQ(strip.GetVisibleCount(), 3);
    strip.SetItems(std::vector<ScrollerPicture>(5));
    EXPECT_TRUE(rectEqual(strip.GetCellRect(2), Rect16{40, 30, 44, 34}));
    EXPECT_EQ(messages(strip), (std::vector<u32>{kMsgScrollerSelectId, kMsgScrollerSelectId, kMsgScrollerSelectId,
                                                 kMsgScrollBack, kMsgScrollForward}));
    EXPECT_EQ(strip.HotSpots().GetHotSpot(2)->GetRecord(), 18003u);
    // The forward arrow, at the second part of the arrow shape.
    strip.HotSpots().HandleInput(kInputLeftButton, {61, 31}, 0);
    strip.HotSpots().HandleMouseUp(kInputLeftButton, {61, 31}, 0);
    mfDispatcher().DispatchQueuedMessages();
    EXPECT_EQ(strip.GetFirstVisible(), 1);
}

// Laying out again replaces the cells and the arrows; an arrow shape of fewer than two parts,
// or shapes not loaded, give none.
TEST_F(ScrollerShapes, CreateAgainReplacesEverything) {
    struct Case {
        u16 layout;
        u16 arrows;
        int cells;
        int hotSpots;
    };
    const Case cases[] = {
        {kLayout, kArrows, 3, 5},
        {kLayout, kOneArrow, 3, 3},
        {kNotLoaded, kArrows, 0, 2},
        {kNotLoaded, kNotLoaded, 0, 0},
    };
    RBitmapScroller strip(&owner, kLayout, kArrows, 18001);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.layout) + "/" + std::to_string(c.arrows));
        strip.Create(c.layout, c.arrows, 18001);
        EXPECT_EQ(strip.GetVisibleCount(), c.cells);
        EXPECT_EQ(strip.HotSpots().Count(), c.hotSpots);
    }
}

}  // namespace
