// The icon strip holds one icon per tool the factory builds in the panel's range, its counter
// follows the strip's page, 1-based, and shows two digits at most.
#include "panels/base/RScrollToolPanel.h"

#include <gtest/gtest.h>

#include "panels/base/ToolPanelMessages.h"
#include "tests/framework/messaging/MessagingFixtures.h"
#include "tests/panels/PanelFixture.h"

namespace {

using namespace Ostrel;

class RangeStrip : public RScrollToolPanel {
public:
    RangeStrip(CListener* owner, i16 first, i16 end) : RScrollToolPanel(owner, nullptr), first_(first), end_(end) {}
    i16 FirstToolIndex() const override { return first_; }
    i16 EndToolIndex() const override { return end_; }

private:
    i16 first_;
    i16 end_;
};

class ScrollToolPanel : public testpanels::PanelFixture {
protected:
    std::vector<testres::ResContent> contents() const override {
        std::vector<testres::ResContent> items = PanelFixture::contents();
        items.push_back({fourCC("tBMP"), u16(kToolIconBase + 100), "chalk"});
        items.push_back({fourCC("tBMP"), u16(kToolIconBase + 102), "marker"});
        return items;
    }
    fwtest::Log log;
    fwtest::Recorder owner{log, "owner"};
};

TEST(ToolStripCounter, ShowsAtMostTwoLeadingDigits) {
    const std::pair<u32, u16> cases[] = {{0, 0}, {1, 1}, {99, 99}, {100, 10}, {123, 12}, {999, 99}, {1000, 10}, {65536, 65}};
    for (const auto& [value, shown] : cases) EXPECT_EQ(CounterShown(value), shown) << value;
}

TEST_F(ScrollToolPanel, TheStripHoldsOneIconPerBuiltToolWithoutGaps) {
    RangeStrip panel(&owner, 99, 114);  // 103 .. 114 build no tool
    ASSERT_EQ(panel.InitScroller(18000, -1), 0);
    RBitmapScroller* strip = panel.GetScroller();
    ASSERT_NE(strip, nullptr);
    ASSERT_EQ(strip->GetCount(), 4);
    EXPECT_TRUE(strip->GetItem(0)->empty());
    EXPECT_EQ(std::string(strip->GetItem(1)->begin(), strip->GetItem(1)->end()), "chalk");
    EXPECT_TRUE(strip->GetItem(2)->empty());
    EXPECT_EQ(std::string(strip->GetItem(3)->begin(), strip->GetItem(3)->end()), "marker");
    EXPECT_EQ(panel.GetCounter(), 1);
}

TEST_F(ScrollToolPanel, TheDefaultRangeIsEmpty) {
    RScrollToolPanel panel(&owner, nullptr);
    ASSERT_EQ(panel.InitScroller(18000, -1), 0);
    EXPECT_EQ(panel.GetScroller()->GetCount(), 0);
}

TEST_F(ScrollToolPanel, TheCounterFollowsItsOwnStripsPage) {
    RangeStrip panel(&owner, 99, 103);
    ASSERT_EQ(panel.InitScroller(18000, -1), 0);
    RMessage scrolled(kMsgScrollerScrolled, reinterpret_cast<uintptr_t>(panel.GetScroller()), 2);
    panel.HandleMessage(&scrolled, 0);
    EXPECT_EQ(panel.GetCounter(), 3);
    RangeStrip other(&owner, 99, 103);
    scrolled.param1 = reinterpret_cast<uintptr_t>(&other);
    scrolled.param2 = 7;
    panel.HandleMessage(&scrolled, 0);
    EXPECT_EQ(panel.GetCounter(), 3);
}

TEST_F(ScrollToolPanel, TheRememberedItemIsSelectedQuietlyAndAPanelWithoutStripIgnoresIt) {
    RangeStrip panel(&owner, 99, 103);
    ASSERT_EQ(panel.InitScroller(18000, -1), 0);
    Deliver();
    panel.PostMessageTo(&panel, kMsgPanelSelectItem, 0, 2);
    Deliver();
    EXPECT_EQ(panel.GetScroller()->GetSelected(), 2);
    RangeStrip bare(&owner, 99, 103);
    bare.SelectItem(2);
    bare.LoadToolIcons();
    EXPECT_EQ(bare.GetScroller(), nullptr);
}

// A remembered item past the strip selects its first item, and items map back to their tools
// (with the factory's gaps left out) only while they are on the strip.
TEST_F(ScrollToolPanel, RememberedItemsPastTheStripFallBackOnTheFirst) {
    for (const auto& [remembered, selected] : {std::pair{0, 0}, {2, 2}, {3, 0}, {-5, 0}, {-1, -1}}) {
        RangeStrip panel(&owner, 100, 103);
        ASSERT_EQ(panel.InitScroller(18000, remembered), 0);
        EXPECT_EQ(panel.GetScroller()->GetSelected(), selected) << remembered;
    }
    RangeStrip single(&owner, 99, 100);
    ASSERT_EQ(single.InitScroller(18000, 0), 0);
    EXPECT_EQ(single.GetScroller()->GetSelected(), 0);
    RangeStrip panel(&owner, 100, 116);
    ASSERT_EQ(panel.InitScroller(18000, -1), 0);
    for (const auto& [item, tool] : {std::pair{0, 100}, {2, 102}, {3, 115}, {4, -1}, {-1, -1}}) EXPECT_EQ(panel.ToolIndexOfItem(item), tool) << item;
}

}  // namespace
