// Drags out of the media strip and the project list, and the list's Delete key: presses and
// releases go through the input router as the main window sends them, and the owner reads the
// entry while it handles the queued message.
#include <gtest/gtest.h>

#include <optional>

#include "framework/controls/RBBitmapScroller.h"
#include "framework/controls/RBMOBitmapScroller.h"
#include "framework/input/RInputRouter.h"
#include "framework/messaging/mfDispatcher.h"
#include "platform/keyboard/VirtualKeys.h"
#include "tests/framework/messaging/MessagingFixtures.h"
#include "tests/framework/input/TestKeys.h"

namespace {

using namespace Ostrel;

constexpr Rect16 kTrash = {100, 0, 120, 20};
constexpr Point16 kInTrash = {110, 10};

std::vector<Rect16> dropCells() { return {{0, 0, 10, 10}, {10, 0, 20, 10}, {20, 0, 30, 10}, {30, 0, 40, 10}}; }

class Drops : public ::testing::Test {
protected:
    void SetUp() override {
        owner.onMessage = [this](const RMessage& m) {
            if (m.code == kMsgEntryDropped) drops.push_back(*droppedEntry(m));
        };
    }
    void drag(Point16 from, Point16 to) {
        router.MouseDown(from, 0);
        router.MouseUp(to, 0);
        mfDispatcher().DispatchQueuedMessages();
    }
    static std::string labels(const RBMOBitmapScroller& strip) {
        std::string out;
        for (const BmoCell& cell : strip.Cells()) out += cell.label;
        return out;
    }

    fwtest::QueueReset reset;
    fwtest::Log log;
    fwtest::Recorder owner{log, "o"};
    RInputRouter router;
    std::vector<ScrollerDrop> drops;
};

TEST_F(Drops, StripCellDraggedOntoAnotherMovesItAndPostsAMove) {
    RBMOBitmapScroller strip(&owner, 0);
    strip.SetCellRects(dropCells(), 5080);
    strip.SetVectors({}, {}, {"a", "b", "c", "d", "e", "f"});
    strip.RegisterInput();
    strip.ScrollTo(1);
    drag({5, 5}, {25, 5});  // item 1 onto the third cell, item 3
    EXPECT_EQ(labels(strip), "acdbef");
    EXPECT_EQ(strip.GetSelected(), 3);
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0].kind, kDropMove);
    EXPECT_EQ(drops[0].source, kDropSourceStrip);
    EXPECT_EQ(drops[0].sourceIndex, 1);
    EXPECT_EQ(drops[0].destinationKind, kDropSourceStrip);
    EXPECT_EQ(drops[0].destinationIndex, 3);
    EXPECT_EQ(drops[0].firstVisible, 1);
    EXPECT_EQ(owner.last.param2, kDropMove);
    EXPECT_EQ(owner.last.param1, 0u);
}

// Which release makes which entry: the trash can takes drops only with all of its drop bits and
// only inside its area; a release on the pressed cell is a click; a cell out of service drags
// nothing; a release on a cell with no item, or off every cell, moves nothing.
TEST_F(Drops, StripReleasePlaces) {
    struct Case {
        const char* name;
        u32 trashFlags;
        Point16 from;
        Point16 to;
        bool cellsEnabled;
        int kind;  // -1: no entry
        const char* order;
    };
    const Case cases[] = {
        {"trash with every drop bit", kTrashTakesDrops, {15, 5}, kInTrash, true, kDropDelete, "abc"},
        {"trash with more bits", 0xFF, {15, 5}, kInTrash, true, kDropDelete, "abc"},
        {"trash lacking a drop bit", 0x3, {15, 5}, kInTrash, true, -1, "abc"},
        {"last point inside the trash", kTrashTakesDrops, {15, 5}, {119, 19}, true, kDropDelete, "abc"},
        {"one past the trash", kTrashTakesDrops, {15, 5}, {120, 19}, true, -1, "abc"},
        {"released on the pressed cell", kTrashTakesDrops, {15, 5}, {19, 9}, true, -1, "abc"},
        {"onto the last item's cell", kTrashTakesDrops, {5, 5}, {29, 9}, true, kDropMove, "bca"},
        {"onto the cell past the items", kTrashTakesDrops, {5, 5}, {30, 5}, true, -1, "abc"},
        {"cells out of service", kTrashTakesDrops, {15, 5}, kInTrash, false, -1, "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        drops.clear();
        RBMOBitmapScroller strip(&owner, 0);
        strip.SetCellRects(dropCells(), 5080);
        strip.SetVectors({}, {}, {"a", "b", "c"});
        strip.SetTrashCan(c.trashFlags, kTrash);
        strip.RegisterInput();
        strip.EnableCells(c.cellsEnabled);
        drag(c.from, c.to);
        EXPECT_EQ(labels(strip), c.order);
        if (c.kind < 0) {
            EXPECT_TRUE(drops.empty());
            continue;
        }
        ASSERT_EQ(drops.size(), 1u);
        EXPECT_EQ(drops[0].kind, c.kind);
        EXPECT_EQ(drops[0].sourceIndex, c.from.h / 10);
    }
}

// Only the newest entry reaches the owner: an earlier one still queued is withdrawn.
TEST_F(Drops, ANewDropWithdrawsTheQueuedOne) {
    RBMOBitmapScroller strip(&owner, 0);
    strip.SetCellRects(dropCells(), 5080);
    strip.SetVectors({}, {}, {"a", "b", "c"});
    strip.SetTrashCan(kTrashTakesDrops, kTrash);
    strip.RegisterInput();
    router.MouseDown({5, 5}, 0);
    router.MouseUp(kInTrash, 0);
    router.MouseDown({25, 5}, 0);
    router.MouseUp(kInTrash, 0);
    mfDispatcher().DispatchQueuedMessages();
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0].sourceIndex, 2);
}

TEST_F(Drops, ModesSwitchTheirGroupsInTheStripAndTheOwnersList) {
    RHotSpotList ownerList(&owner);
    RBMOBitmapScroller strip(&owner, 0);
    strip.SetOwnerHotSpots(&ownerList);
    HSInfo info;
    std::vector<RHotSpotItem*> items;
    for (u16 group : {u16(18356), u16(18357), u16(18358), u16(18359)}) {
        info.group = group;
        items.push_back(ownerList.CreateHotSpot(info, 1));
    }
    info.group = 18358;
    RHotSpotItem* own = strip.HotSpots().CreateHotSpot(info, 1);
    strip.SetMode(kBmoModePlain);
    EXPECT_EQ(strip.GetMode(), kBmoModePlain);
    EXPECT_FALSE(items[0]->IsActive());
    EXPECT_FALSE(items[2]->IsActive());
    EXPECT_FALSE(own->IsActive());
    EXPECT_TRUE(items[3]->IsActive());
    strip.SetMode(kBmoModeDetail);
    EXPECT_TRUE(items[1]->IsActive());
    EXPECT_TRUE(own->IsActive());
    EXPECT_FALSE(items[3]->IsActive());
    strip.SetMode(18357);  // not a mode
    EXPECT_EQ(strip.GetMode(), kBmoModeDetail);
    strip.EnableGroup(18357, false);
    EXPECT_FALSE(items[1]->IsActive());
    EXPECT_TRUE(items[0]->IsActive());
}

TEST_F(Drops, StripKeepsItsAreaAndTrashCan) {
    RBMOBitmapScroller strip(&owner, 0);
    strip.SetArea({0, 0, 40, 10}, {-2, -2, 42, 12});
    strip.SetTrashCan(0x80000007, kTrash);
    EXPECT_TRUE(strip.Contains({39, 9}));
    EXPECT_FALSE(strip.Contains({40, 9}));
    EXPECT_EQ(strip.GetFrame().left, -2);
    EXPECT_EQ(strip.GetTrashFlags(), 0x80000007u);
    EXPECT_EQ(strip.GetTrashArea().right, 120);
}

class ProjectList : public Drops {
protected:
    void SetUp() override {
        Drops::SetUp();
        list.SetCellRects(dropCells(), 5217);
        for (const char* name : {"apple", "moon", "zoo"}) list.AddItem(5009, 5021, name);
        list.SetTrashCan(kTrashTakesDrops, kTrash);
        list.RegisterInput();
    }
    RBBitmapScroller list{&owner};
};

TEST_F(ProjectList, DeleteKeyPostsTheSelectedProject) {
    EXPECT_EQ(list.HandleKey(testkeys::pressedKey(plat::kVkDelete)), 0u);  // nothing selected
    list.SelectByName("moon");
    EXPECT_EQ(list.HandleKey(testkeys::pressedKey(plat::kVkDelete)), 1u);
    mfDispatcher().DispatchQueuedMessages();
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0].kind, kDropDelete);
    EXPECT_EQ(drops[0].source, kDropSourceList);
    EXPECT_EQ(drops[0].sourceIndex, 1);
    EXPECT_EQ(drops[0].sourceName, "moon");
    EXPECT_EQ(list.GetCount(), 3);  // the owner confirms and removes
    EXPECT_EQ(list.HandleKey(testkeys::pressedKey(plat::kVkRight)), 1u);
    EXPECT_EQ(list.GetSelected(), 2);
}

TEST_F(ProjectList, OnlyADragOntoTheTrashPostsAnEntry) {
    drag({25, 5}, {5, 5});  // onto another project: lists do not reorder by hand
    EXPECT_TRUE(drops.empty());
    EXPECT_EQ(list.NameOf(0), "apple");
    drag({25, 5}, kInTrash);
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0].source, kDropSourceList);
    EXPECT_EQ(drops[0].sourceName, "zoo");
    EXPECT_EQ(drops[0].sourceIndex, 2);
}

}  // namespace
