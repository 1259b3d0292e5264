#include "framework/controls/RScroller.h"

#include <gtest/gtest.h>

#include <limits>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "framework/controls/RAlphaBitmapScroller.h"
#include "framework/controls/RBBitmapScroller.h"
#include "framework/controls/RBMOBitmapScroller.h"
#include "framework/controls/RBitmapScroller.h"
#include "framework/controls/RTextScroller.h"
#include "framework/messaging/mfDispatcher.h"
#include "platform/keyboard/VirtualKeys.h"
#include "tests/framework/SystemArchiveFixture.h"
#include "tests/framework/messaging/MessagingFixtures.h"
#include "tests/framework/input/TestKeys.h"

namespace {

using namespace Ostrel;

// Four cells of 10 × 10 in a row, ids from 500.
std::vector<Rect16> fourCells() { return {{0, 0, 10, 10}, {10, 0, 20, 10}, {20, 0, 30, 10}, {30, 0, 40, 10}}; }

// A strip whose items are only a count, as the base knows them.
class CountStrip : public RScroller {
public:
    using RScroller::RScroller;
    using RScroller::SetCount;
};

class Scrollers : public ::testing::Test {
protected:
    // The messages the owner heard, as "code:param2".
    std::vector<std::string> heard() {
        mfDispatcher().DispatchQueuedMessages();
        std::vector<std::string> out;
        for (const std::string& entry : log) out.push_back(entry);
        log.clear();
        return out;
    }
    fwtest::QueueReset reset;
    fwtest::Log log;
    fwtest::Recorder owner{log, "o"};
    void SetUp() override {
        owner.onMessage = [this](const RMessage& m) { log.back() += ":" + std::to_string(m.param2); };
    }
};

const std::string kScrollerScht = std::to_string(kMsgScrollerHit);
const std::string kScrollerScdn = std::to_string(kMsgScrollerScrolled);
const std::string kSbht = std::to_string(kMsgScrollerArrowHit);

TEST_F(Scrollers, ScrollToClampsAtBothEnds) {
    struct Case {
        int count, target, first;
    };
    const Case cases[] = {
        {10, 6, 6}, {10, 7, 6}, {10, -1, 0}, {10, 0, 0}, {3, 2, 0}, {4, 1, 0}, {5, 1, 1}, {5, 2, 1}, {0, 5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.count) + " items, to " + std::to_string(c.target));
        CountStrip s(&owner);
        s.SetCellRects(fourCells(), 500);
        s.SetCount(c.count);
        heard();
        s.ScrollTo(c.target);
        EXPECT_EQ(s.GetFirstVisible(), c.first);
        EXPECT_EQ(heard(), (std::vector<std::string>{"o:" + kScrollerScdn + ":" + std::to_string(c.first)}));
    }
}

TEST_F(Scrollers, ByPagesReportsPagesAndReachesTheShortLastPage) {
    CountStrip s(&owner);
    s.SetCellRects(fourCells(), 500);
    s.SetCount(10);
    s.SetPageStep(4);
    s.SetScrollByPage(true);
    struct Step {
        void (RScroller::*move)();
        int first;
        int page;
    };
    const Step steps[] = {
        {&RScroller::ScrollForward, 4, 1}, {&RScroller::ScrollForward, 6, 2}, {&RScroller::ScrollForward, 6, 2},
        {&RScroller::ScrollBack, 4, 1},    {&RScroller::ScrollBack, 0, 0},    {&RScroller::ScrollBack, 0, 0},
    };
    heard();
    for (const Step& step : steps) {
        (s.*step.move)();
        EXPECT_EQ(s.GetFirstVisible(), step.first);
        EXPECT_EQ(heard(), (std::vector<std::string>{"o:" + kScrollerScdn + ":" + std::to_string(step.page)}));
    }
    s.ScrollIntoView(9);
    EXPECT_EQ(s.GetFirstVisible(), 6);
}

TEST_F(Scrollers, SelectionIsBoundedAndAnnounced) {
    CountStrip s(&owner);
    s.SetCellRects(fourCells(), 500);
    s.SetCount(6);
    heard();
    s.Select(5);
    s.Select(6);  // past the items: ignored
    EXPECT_EQ(s.GetSelected(), 5);
    s.Select(-1);
    EXPECT_EQ(s.GetSelected(), -1);
    EXPECT_EQ(heard(), (std::vector<std::string>{"o:" + kScrollerScht + ":5"}));
    s.Select(4);
    s.SetCount(3);  // the selection went with the items
    EXPECT_EQ(s.GetSelected(), -1);
    EXPECT_EQ(owner.last.param1, reinterpret_cast<uintptr_t>(&s));
}

TEST_F(Scrollers, CellRectsFollowTheFirstVisibleItem) {
    CountStrip s(&owner);
    s.SetCellRects(fourCells(), 500);
    s.SetCount(8);
    s.ScrollTo(2);
    EXPECT_EQ(s.GetCellRect(1).right, 0);
    EXPECT_EQ(s.GetCellRect(2).left, 0);
    EXPECT_EQ(s.GetCellRect(5).left, 30);
    EXPECT_EQ(s.GetCellRect(6).right, 0);
}

TEST_F(Scrollers, ClickOnACellAndArrowsGoThroughTheQueue) {
    CountStrip s(&owner);
    s.SetCellRects(fourCells(), 500, {{-10, 0, 0, 10}, {40, 0, 50, 10}});
    s.SetCount(8);
    s.ScrollTo(3);
    heard();
    s.HotSpots().HandleInput(kInputLeftButton, {25, 5}, 0);
    s.HotSpots().HandleMouseUp(kInputLeftButton, {25, 5}, 0);
    EXPECT_EQ(s.GetSelected(), -1);  // not yet: the click is queued
    EXPECT_TRUE(heard().empty());    // the scroller heard it and posted for the next step
    EXPECT_EQ(s.GetSelected(), 5);
    EXPECT_EQ(heard(), (std::vector<std::string>{"o:" + kScrollerScht + ":5"}));
    s.HotSpots().HandleInput(kInputLeftButton, {45, 5}, 0);
    s.HotSpots().HandleMouseUp(kInputLeftButton, {45, 5}, 0);
    heard();
    EXPECT_EQ(s.GetFirstVisible(), 4);
    EXPECT_EQ(heard(), (std::vector<std::string>{"o:" + kScrollerScdn + ":4", "o:" + kSbht + ":1"}));
}

TEST_F(Scrollers, KeysMoveTheSelectionAndKeepItInView) {
    CountStrip s(&owner);
    s.SetCellRects(fourCells(), 500);
    s.SetCount(6);
    s.RegisterInput();
    struct Case {
        u8 key;
        int selected;
        int first;
    };
    const Case cases[] = {
        {plat::kVkRight, 0, 0}, {plat::kVkEnd, 5, 2}, {plat::kVkRight, 5, 2}, {plat::kVkHome, 0, 0},
        {plat::kVkLeft, 0, 0},  {plat::kVkDown, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.key));
        EXPECT_EQ(s.HandleKey(testkeys::pressedKey(c.key)), 1u);
        EXPECT_EQ(s.GetSelected(), c.selected);
        EXPECT_EQ(s.GetFirstVisible(), c.first);
    }
    EXPECT_EQ(s.HandleKey(testkeys::typedKey('a')), 0u);
}

// Scrolling on from the end of a very long strip, or by a very large step, stays at the end.
TEST_F(Scrollers, HugeCountsAndStepsStopAtTheEnd) {
    constexpr int kMax = std::numeric_limits<int>::max();
    struct Case {
        const char* name;
        int cells;
        int count;
        int step;
        bool byPage;
        int first;
    };
    const Case cases[] = {
        {"no cells, one by one", 0, kMax, 1, false, kMax},
        {"no cells, by pages of one", 0, kMax, 1, true, kMax - 1},
        {"largest step", 4, 100, kMax, false, 96},
        {"largest step by pages", 4, 100, kMax, true, 0},
        {"four cells, one by one", 4, kMax, 1, false, kMax - 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CountStrip s(&owner);
        std::vector<Rect16> cells = fourCells();
        cells.resize(size_t(c.cells));
        s.SetCellRects(cells, 500);
        s.SetCount(c.count);
        s.SetPageStep(c.step);
        s.SetScrollByPage(c.byPage);
        s.ScrollTo(kMax);
        s.ScrollForward();
        EXPECT_EQ(s.GetFirstVisible(), c.first);
        s.ScrollForward();
        EXPECT_EQ(s.GetFirstVisible(), c.first);
    }
}

// Keys move the row that a text list shows and reports as selected, not only the strip's index.
TEST_F(Scrollers, TextListSelectionFollowsTheKeys) {
    for (bool multiple : {false, true}) {
        SCOPED_TRACE(multiple ? "multiple" : "single");
        RTextScroller list(&owner);
        list.SetCellRects(fourCells(), 7606);
        list.SetItems({"a", "b", "c", "d", "e", "f"});
        list.SetMultipleSelection(multiple);
        list.SelectItem(1);
        EXPECT_EQ(list.HandleKey(testkeys::pressedKey(plat::kVkDown)), 1u);
        EXPECT_EQ(list.GetSelected(), 2);
        EXPECT_EQ(list.GetSelectedList(), (std::vector<int>{2}));
        EXPECT_EQ(list.HandleKey(testkeys::pressedKey(plat::kVkEnd)), 1u);
        EXPECT_EQ(list.GetSelectedList(), (std::vector<int>{5}));
        EXPECT_EQ(list.HandleKey(testkeys::pressedKey(plat::kVkPageUp)), 1u);  // scrolls only
        EXPECT_EQ(list.GetSelectedList(), (std::vector<int>{5}));
    }
}

TEST_F(Scrollers, TextListSortsWithoutCaseAndSelectsSeveral) {
    RTextScroller list(&owner);
    list.SetCellRects(fourCells(), 7606);
    list.SetItems({"anna", "Carl"});
    EXPECT_EQ(list.InsertSorted("bob"), 1);
    EXPECT_EQ(list.InsertSorted("CARL"), 2);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"anna", "bob", "CARL", "Carl"}));
    list.SelectItem(0);
    list.SelectItem(2);
    EXPECT_EQ(list.GetSelectedList(), (std::vector<int>{2}));
    list.SetMultipleSelection(true);
    list.SelectItem(0);
    list.SelectItem(2);  // toggles off
    list.SelectItem(3);
    EXPECT_EQ(list.GetSelectedList(), (std::vector<int>{0, 3}));
    list.ClearSelection();
    EXPECT_FALSE(list.IsItemSelected(0));
    std::vector<int> clicked;
    std::vector<std::string> drawn;
    list.SetClickProc([&clicked](int item) { clicked.push_back(item); });
    list.SetDrawProc([&drawn, &list](int item, const Rect16&, bool selected) {
        drawn.push_back(list.Items()[size_t(item)] + (selected ? "*" : ""));
    });
    list.HotSpots().HandleInput(kInputLeftButton, {15, 5}, 0);
    list.HotSpots().HandleMouseUp(kInputLeftButton, {15, 5}, 0);
    heard();
    EXPECT_TRUE(list.IsItemSelected(1));
    EXPECT_EQ(clicked, (std::vector<int>{1}));
    ASSERT_GE(drawn.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(drawn.end() - 4, drawn.end()),
              (std::vector<std::string>{"anna", "bob*", "CARL", "Carl"}));
}

TEST_F(Scrollers, ProjectListFindsSortsAndRemovesByName) {
    RBBitmapScroller projects(&owner);
    projects.SetCellRects(fourCells(), 5205);
    for (const char* name : {"zoo", "apple", "moon"}) projects.AddItem(5009, 5021, name);
    projects.SelectByName("moon");
    projects.Sort([](const std::string& a, const std::string& b) { return a < b; });
    EXPECT_EQ(projects.NameOf(0), "apple");
    EXPECT_EQ(projects.NameOf(projects.GetSelected()), "moon");
    EXPECT_EQ(projects.FindName("zoo"), 2);
    EXPECT_EQ(projects.RemoveByName("zoo"), std::optional<std::string>("moon"));
    EXPECT_EQ(projects.RemoveByName("apple"), std::optional<std::string>("moon"));
    EXPECT_EQ(projects.GetSelected(), 0);
    EXPECT_EQ(projects.RemoveByName("nothing"), std::nullopt);
    EXPECT_EQ(projects.RemoveByName("moon"), std::nullopt);
    EXPECT_EQ(projects.GetCount(), 0);
    EXPECT_FALSE(projects.SelectByName("moon"));
}

TEST_F(Scrollers, MediaStripMovesCellsAndPostsItsCommand) {
    RBMOBitmapScroller strip(&owner, 1500);
    strip.SetCellRects(fourCells(), 5080);
    strip.SetVectors({}, {}, {"a", "b", "c", "d", "e"});
    ASSERT_TRUE(strip.MoveCell(0, 3));
    ASSERT_TRUE(strip.MoveCell(4, 1));
    EXPECT_FALSE(strip.MoveCell(0, 5));
    std::string order;
    for (const BmoCell& cell : strip.Cells()) order += cell.label;
    EXPECT_EQ(order, "becda");
    heard();
    strip.HotSpots().HandleInput(kInputLeftButton, {5, 5}, 0);
    strip.HotSpots().HandleMouseUp(kInputLeftButton, {5, 5}, 0);
    heard();
    EXPECT_EQ(heard(), (std::vector<std::string>{"o:" + kScrollerScht + ":0", "o:1500:0"}));
    strip.EnableCells(false);
    EXPECT_EQ(strip.HotSpots().ItemAt({5, 5}), nullptr);
    strip.SelectCell(kBmoNoCell);
    EXPECT_EQ(strip.GetSelected(), -1);
}

TEST_F(Scrollers, TintedStripReadsMasksUntilAnIdIsMissingAndOwnsThem) {
    testfw::SystemArchive archive;
    archive.open({{fourCC("tBMP"), 24000, "mask0"}, {fourCC("tBMP"), 24100, "mask1"}, {fourCC("tBMP"), 24300, "x"}});
    RAlphaBitmapScroller strip(&owner, 18027, 18028, 18001);
    EXPECT_EQ(strip.SetItems(std::vector<u16>{24000, 24100, 24200, 24300}), 2);
    EXPECT_EQ(strip.GetCount(), 2);
    ASSERT_NE(strip.GetItem(1), nullptr);
    EXPECT_EQ(testfw::asText(*strip.GetItem(1)), "mask1");
    EXPECT_EQ(strip.GetItem(2), nullptr);
    strip.SetItems(std::vector<ScrollerPicture>{{1, 2, 3}});
    EXPECT_EQ(strip.GetCount(), 1);
    EXPECT_EQ(strip.GetItem(0)->size(), 3u);
}

// Cells draw only items the strip holds: with as many items as cells and one more, scrolled
// to the end, every drawn item is one the strip can hand out.
TEST_F(Scrollers, CellsDrawOnlyHeldItems) {
    class Drawn : public RBitmapScroller {
    public:
        using RBitmapScroller::RBitmapScroller;
        std::vector<int> drawn;

    protected:
        void DrawCell(int item, const Rect16& cell, bool selected) override {
            EXPECT_NE(GetItem(item), nullptr) << item;
            drawn.push_back(item);
            RBitmapScroller::DrawCell(item, cell, selected);
        }
    };
    struct Case {
        size_t items;
        std::vector<int> drawn;
    };
    const Case cases[] = {{4, {0, 1, 2, 3}}, {5, {1, 2, 3, 4}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.items);
        Drawn strip(&owner, 0, 0, 500);
        strip.SetCellRects(fourCells(), 500);
        strip.SetItems(std::vector<ScrollerPicture>(c.items, ScrollerPicture{1}));
        EXPECT_EQ(strip.GetCount(), int(c.items));
        strip.ScrollTo(int(c.items));
        strip.drawn.clear();
        strip.Redraw();
        EXPECT_EQ(strip.drawn, c.drawn);
        EXPECT_EQ(strip.GetItem(int(c.items)), nullptr);
    }
}

// Laying the cells out again replaces the arrows as well: one click scrolls by one step.
TEST_F(Scrollers, NewLayoutReplacesTheArrows) {
    CountStrip s(&owner);
    s.SetCellRects(fourCells(), 500, {{-10, 0, 0, 10}, {40, 0, 50, 10}});
    s.SetCellRects(fourCells(), 500, {{-10, 0, 0, 10}, {40, 0, 50, 10}});
    s.SetCount(10);
    EXPECT_EQ(s.HotSpots().Count(), 6);
    s.HotSpots().HandleInput(kInputLeftButton, {45, 5}, 0);
    s.HotSpots().HandleMouseUp(kInputLeftButton, {45, 5}, 0);
    heard();
    EXPECT_EQ(s.GetFirstVisible(), 1);
    s.SetCellRects(fourCells(), 500);
    EXPECT_EQ(s.HotSpots().Count(), 4);
}

// Icons and thumbnails straight from an archive keep big-endian pixels; the detail strip puts
// them in machine order once, however they are set, so a red draws red.
TEST_F(Scrollers, DetailStripPicturesComeInMachineOrderOnce) {
    std::vector<u8> picture;
    for (u16 w : {u16(1), u16(1), u16(2), u16(3)}) {
        picture.push_back(u8(w >> 8));
        picture.push_back(u8(w));
    }
    picture.push_back(0x7C);
    picture.push_back(0x00);
    const auto pixel = [](const ScrollerPicture& p) { return u16(p[8] | (p[9] << 8)); };
    RBMOBitmapScroller strip(&owner, 1);
    strip.SetVectors({picture}, {picture}, {"red"});
    for (const ScrollerPicture* p : {&strip.Cells()[0].thumbnail, &strip.Cells()[0].icon}) {
        EXPECT_EQ(readBE16(p->data() + 6), 3 | kGfxFormatMachineOrder);
        EXPECT_EQ(pixel(*p), 0x7C00);
    }
    strip.SetIcon(0, strip.Cells()[0].icon);
    EXPECT_EQ(pixel(strip.Cells()[0].icon), 0x7C00) << "a picture already in machine order stays as it is";
    strip.SetThumbnail(0, picture);
    EXPECT_EQ(pixel(strip.Cells()[0].thumbnail), 0x7C00);
}

}  // namespace
