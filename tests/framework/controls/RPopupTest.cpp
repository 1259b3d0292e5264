#include "framework/controls/RTextPopup.h"

#include <gtest/gtest.h>

#include <limits>

#include "framework/controls/RFontPopup.h"
#include "framework/messaging/mfDispatcher.h"
#include "platform/keyboard/VirtualKeys.h"
#include "tests/framework/messaging/MessagingFixtures.h"
#include "tests/framework/input/TestKeys.h"

namespace {

using namespace Ostrel;

class Popups : public ::testing::Test {
protected:
    void SetUp() override {
        popup.SetItems(1, {"Animals", "Food", "Space"});
        popup.SetAnchor(Rect16{10, 10, 60, 30});
        popup.SetMessageCode(8002);
    }
    size_t deliver() { return mfDispatcher().DispatchQueuedMessages(); }
    fwtest::QueueReset reset;
    fwtest::Log log;
    fwtest::Recorder owner{log, "owner"};
    RTextPopup popup{&owner};
};

TEST_F(Popups, RowsHangBelowTheAnchorAtLeastTheMinimumWidth) {
    EXPECT_EQ(popup.GetRowRect(0).right, 0);  // closed
    ASSERT_TRUE(popup.Open());
    const Rect16 second = popup.GetRowRect(1);
    EXPECT_EQ(second.top, 30 + kPopupRowHeight);
    EXPECT_EQ(second.right - second.left, kPopupMinWidth);
    EXPECT_EQ(popup.GetRowRect(3).right, 0);
    EXPECT_EQ(popup.GetHighlighted(), 1);
}

TEST_F(Popups, ClickOnARowChoosesThroughTheQueue) {
    ASSERT_TRUE(popup.Open());
    const Rect16 row = popup.GetRowRect(2);
    const Point16 at{i16(row.left + 1), i16(row.top + 1)};
    EXPECT_EQ(popup.HandleInput(kInputLeftButton, at, 0), 0u);  // the row's, not the popup's
    RHotSpotList* rows = RHotSpotList::Lists().front();
    rows->HandleInput(kInputLeftButton, at, 0);
    rows->HandleMouseUp(kInputLeftButton, at, 0);
    deliver();
    EXPECT_FALSE(popup.IsOpen());
    EXPECT_EQ(popup.GetValue(), 2);
    EXPECT_EQ(popup.GetCurrentText(), "Space");
    deliver();
    EXPECT_EQ(log, (fwtest::Log{"owner:8002"}));
    EXPECT_EQ(owner.last.param2, 2);
}

TEST_F(Popups, KeysMoveAndChooseOrEscape) {
    struct Case {
        std::vector<u8> keys;
        int value;
        bool posted;
    };
    const Case cases[] = {
        {{plat::kVkDown, plat::kVkReturn}, 2, true},
        {{plat::kVkDown, plat::kVkDown, plat::kVkDown, plat::kVkReturn}, 2, true},
        {{plat::kVkUp, plat::kVkUp, plat::kVkReturn}, 0, true},
        {{plat::kVkDown, plat::kVkEscape}, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        popup.SetValue(1);
        ASSERT_TRUE(popup.Open());
        for (u8 key : c.keys) EXPECT_EQ(popup.HandleKey(testkeys::pressedKey(key)), 1u);
        EXPECT_FALSE(popup.IsOpen());
        EXPECT_EQ(popup.GetValue(), c.value);
        EXPECT_EQ(deliver(), c.posted ? 1u : 0u);
    }
    EXPECT_EQ(popup.HandleKey(testkeys::pressedKey(plat::kVkDown)), 0u);  // closed: not its keys
}

TEST_F(Popups, ClickElsewhereClosesAndResetForgets) {
    ASSERT_TRUE(popup.Open());
    EXPECT_EQ(popup.HandleInput(kInputLeftButton, {300, 300}, 0), 1u);
    EXPECT_FALSE(popup.IsOpen());
    popup.SetValue(7);  // past the entries
    EXPECT_EQ(popup.GetValue(), 1);
    popup.Reset();
    EXPECT_EQ(popup.GetValue(), -1);
    EXPECT_EQ(deliver(), 0u);
    RTextPopup empty(&owner);
    EXPECT_FALSE(empty.Open());
}

// A list longer than the coordinates can hold below its anchor shows the rows that fit, each a
// proper rectangle inside the list, instead of wrapping round to the top; keys still reach
// every entry.
TEST_F(Popups, RowsPastTheCoordinateRangeAreLeftOffTheList) {
    constexpr i16 kEdge = std::numeric_limits<i16>::max();
    popup.SetItems(0, std::vector<std::string>(10, "font"));
    popup.SetAnchor(Rect16{i16(kEdge - 50), i16(kEdge - 130), kEdge, i16(kEdge - 110)});
    ASSERT_TRUE(popup.Open());
    struct Case {
        int row;
        bool shown;
    };
    for (const Case& c : {Case{0, true}, Case{4, true}, Case{5, false}, Case{9, false}}) {
        SCOPED_TRACE(c.row);
        const Rect16 row = popup.GetRowRect(c.row);
        EXPECT_EQ(!rectIsEmpty(row), c.shown);
        if (!c.shown) continue;
        EXPECT_GE(row.top, kEdge - 110);
        EXPECT_EQ(row.right, kEdge);
        const Point16 at{i16(row.left + 1), i16(row.top + 1)};
        EXPECT_EQ(popup.HandleInput(kInputLeftButton, at, 0), 0u);  // the row's, not a click off the list
        EXPECT_TRUE(popup.IsOpen());
    }
    for (int i = 0; i < 9; ++i) popup.HandleKey(testkeys::pressedKey(plat::kVkDown));
    EXPECT_EQ(popup.GetHighlighted(), 9);
    EXPECT_EQ(popup.HandleKey(testkeys::returnKey()), 1u);
    EXPECT_EQ(popup.GetValue(), 9);
}

TEST_F(Popups, FontPopupFindsNamesAndUsesTheDefaultCode) {
    RFontPopup fonts(&owner);
    fonts.SetFonts(0, {"Quiro", "Sans"});
    EXPECT_EQ(fonts.GetMessageCode(), kDefaultPopupMessage);
    EXPECT_EQ(fonts.FindFont("Sans"), 1);
    EXPECT_EQ(fonts.FindFont("Mono"), -1);
    EXPECT_EQ(fonts.GetFontName(), "Quiro");
}

}  // namespace
