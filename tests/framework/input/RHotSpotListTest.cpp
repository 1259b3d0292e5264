#include "framework/input/RHotSpotList.h"

#include <gtest/gtest.h>

#include <functional>

#include "engine/gfx/GfxDraw.h"
#include "engine/regions/Regions.h"
#include "framework/input/RCursorTable.h"
#include "framework/input/RInputRegistry.h"
#include "framework/messaging/mfDispatcher.h"
#include "platform/cursor/Cursors.h"
#include "tests/framework/input/HotSpotFixtures.h"
#include "tests/framework/messaging/MessagingFixtures.h"

namespace {

using namespace Ostrel;
using fwtest::FakeClient;
using fwtest::rectInfo;

class HotSpots : public ::testing::Test {
protected:
    void SetUp() override { plat::cursor::resetCursors(); }
    void TearDown() override { RHotSpotList::SetChangeListener(nullptr); }
    size_t deliver() { return mfDispatcher().DispatchQueuedMessages(); }

    fwtest::QueueReset reset;
    fwtest::Log log;
    fwtest::Recorder owner{log, "owner"};
    fwtest::Recorder other{log, "other"};
    RHotSpotList list{&owner};
};

TEST_F(HotSpots, NewestActiveItemUnderThePointerIsHit) {
    RHotSpotItem* back = list.CreateHotSpot(rectInfo({0, 0, 100, 100}, 1), 1);
    RHotSpotItem* front = list.CreateHotSpot(rectInfo({50, 50, 150, 150}, 2), 1);
    RHotSpotItem* off = list.CreateHotSpot(rectInfo({60, 60, 70, 70}, 3), 0);
    struct Case {
        Point16 at;
        RHotSpotItem* expected;
    };
    const Case cases[] = {
        {{10, 10}, back}, {{65, 65}, front}, {{149, 149}, front}, {{150, 150}, nullptr}, {{99, 40}, back},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.at.h) + "," + std::to_string(c.at.v));
        EXPECT_EQ(list.ItemAt(c.at), c.expected);
    }
    off->Enable();
    EXPECT_EQ(list.ItemAt({65, 65}), off);
    front->Disable();
    EXPECT_EQ(list.ItemAt({120, 120}), nullptr);
}

TEST_F(HotSpots, RegionItemIsHitOnlyInsideItsRegion) {
    const memHandle region = rgnCreate();
    ASSERT_NE(region, 0);
    rgnResetToRect(region, {0, 0, 10, 10});
    rgnUnionRect(region, {20, 0, 30, 10});
    RHotSpotItem* item = list.CreateRegionHotSpot(rectInfo({0, 0, 30, 10}, 9), region);
    rgnDispose(region);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetKind(), kHotSpotRegion);
    EXPECT_EQ(list.ItemAt({5, 5}), item);
    EXPECT_EQ(list.ItemAt({15, 5}), nullptr);
    EXPECT_EQ(list.ItemAt({25, 5}), item);
    item->SetRect({100, 100, 100, 120});  // empty: ignored
    EXPECT_EQ(list.ItemAt({25, 5}), item);
    item->SetRect({0, 0, 30, 10});  // the region becomes the rectangle
    EXPECT_EQ(list.ItemAt({15, 5}), item);
}

TEST_F(HotSpots, GroupRangesPickTheirItems) {
    struct Case {
        u16 first, last;
        std::vector<bool> disabled;  // groups 0, 3, 4, 5, 9
    };
    const Case cases[] = {
        {4, 0, {false, false, true, false, false}},
        {3, 5, {false, true, true, true, false}},
        {kEveryGroup, 0, {false, true, true, true, true}},
        {0, 9, {false, false, false, false, false}},
        {5, 9, {false, false, false, true, true}},
    };
    const u16 groups[] = {0, 3, 4, 5, 9};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.first) + ".." + std::to_string(c.last));
        RHotSpotList local(&owner);
        for (u16 g : groups) local.CreateHotSpot(rectInfo({0, 0, 10, 10}, 1, g), 1);
        local.ApplyToGroups(c.first, c.last, kGroupDisable);
        for (int i = 0; i < local.Count(); ++i) EXPECT_EQ(!local.GetHotSpot(i)->IsActive(), c.disabled[size_t(i)]) << i;
    }
}

TEST_F(HotSpots, GroupActionsShowHideAndDestroyShapeRects) {
    FakeClient client;
    RHotSpotItem* button = list.CreateHotSpot(rectInfo({0, 0, 10, 10}, 1, 7), 1);
    button->SetClient(&client);
    list.CreateHotSpot(rectInfo({0, 0, 10, 10}, 2, 7, kHotSpotShapeRect), 1);
    list.CreateHotSpot(rectInfo({0, 0, 10, 10}, 3, 8, kHotSpotShapeRect), 1);
    list.ApplyToGroups(7, 0, kGroupHide);
    EXPECT_TRUE(client.hidden);
    button->Disable();
    button->Enable();  // a hidden button's item stays off
    EXPECT_FALSE(button->IsActive());
    list.ApplyToGroups(7, 0, kGroupShow);
    list.ApplyToGroups(7, 0, kGroupEnable);
    EXPECT_TRUE(button->IsActive());
    list.ApplyToGroups(7, 0, kGroupDestroyShapeRects);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.GetHotSpot(1)->GetMessage(), 3u);
    button->SetClient(nullptr);
}

TEST_F(HotSpots, ClickPostsTheMessageToTheReceiverWithItsRecord) {
    FakeClient client;
    HSInfo info = rectInfo({0, 0, 20, 20}, 243);
    info.message2 = 344;
    RHotSpotItem* item = list.AddHotSpot(info, &other);
    item->SetClient(&client);
    item->SetRecord(1038);
    EXPECT_EQ(list.HandleMouseMove({5, 5}, 0), 1u);
    EXPECT_EQ(list.HandleInput(kInputLeftButton, {5, 5}, 0), 1u);
    EXPECT_EQ(list.HandleMouseMove({30, 5}, 0), 1u);  // the press keeps the pointer
    EXPECT_EQ(list.HandleMouseMove({6, 6}, 0), 1u);
    EXPECT_EQ(list.HandleMouseUp(kInputLeftButton, {6, 6}, 0), 1u);
    EXPECT_EQ(client.events, (std::vector<u16>{kHsEventEnter, kHsEventPressed, kHsEventLeave, kHsEventPressed,
                                               kHsEventClick}));
    deliver();
    // Hovered (344 entering), pressed (344 leaving: a tip goes), clicked (243).
    EXPECT_EQ(log, (fwtest::Log{"other:344", "other:344", "other:243"}));
    EXPECT_EQ(other.last.param1, 1038u);
    EXPECT_EQ(other.last.param2, kHsReasonClick);
    item->SetClient(nullptr);
}

// A dialog in front takes the pointer: the item under it hears it leave and its hover message
// says so (parameter 2 = 0) at once, since a modal loop delivers nothing queued; an item
// pressed at that moment keeps its press.
TEST_F(HotSpots, LeaveAllEndsEveryHoverButAPress) {
    FakeClient hovered;
    FakeClient pressed;
    HSInfo info = rectInfo({0, 0, 20, 20}, 243);
    info.message2 = 344;
    RHotSpotItem* item = list.AddHotSpot(info, &other);
    item->SetClient(&hovered);
    item->SetRecord(1038);
    RHotSpotList second(&owner);
    second.CreateHotSpot(rectInfo({0, 0, 20, 20}, 5), 1)->SetClient(&pressed);
    second.HandleInput(kInputLeftButton, {5, 5}, 0);
    list.HandleMouseMove({5, 5}, 0);
    deliver();
    log.clear();

    RHotSpotList::LeaveAll();
    EXPECT_EQ(list.OverItem(), nullptr);
    EXPECT_EQ(hovered.events.back(), kHsEventLeave);
    EXPECT_NE(second.PressedItem(), nullptr);
    EXPECT_EQ(pressed.events.back(), kHsEventPressed);
    EXPECT_EQ(log, (fwtest::Log{"other:344"}));
    EXPECT_EQ(other.last.param2, 0u);
    EXPECT_EQ(other.last.param1, 1038u);
    RHotSpotList::LeaveAll();
    deliver();
    EXPECT_EQ(log.size(), 1u) << "nothing queued, nothing to leave the second time";
    item->SetClient(nullptr);
    second.GetHotSpot(0)->SetClient(nullptr);
}

TEST_F(HotSpots, PressEndedElsewhereOrByDisablingPostsNothing) {
    FakeClient client;
    RHotSpotItem* item = list.CreateHotSpot(rectInfo({0, 0, 20, 20}, 243), 1);
    item->SetClient(&client);
    list.HandleInput(kInputLeftButton, {5, 5}, 0);
    EXPECT_EQ(list.HandleMouseUp(kInputLeftButton, {50, 50}, 0), 1u);
    list.HandleInput(kInputLeftButton, {5, 5}, 0);
    item->Disable();
    EXPECT_EQ(list.PressedItem(), nullptr);
    EXPECT_EQ(list.HandleMouseUp(kInputLeftButton, {5, 5}, 0), 0u);
    deliver();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(client.events.back(), kHsEventLeave);
    item->SetClient(nullptr);
}

TEST_F(HotSpots, DestroyingThePointedAtItemLeavesNoDanglingPointer) {
    RHotSpotItem* item = list.CreateHotSpot(rectInfo({0, 0, 20, 20}, 1), 1);
    list.HandleMouseMove({5, 5}, 0);
    list.HandleInput(kInputLeftButton, {5, 5}, 0);
    ASSERT_EQ(list.OverItem(), item);
    list.DestroyHotSpot(item);
    EXPECT_EQ(list.OverItem(), nullptr);
    EXPECT_EQ(list.PressedItem(), nullptr);
    EXPECT_EQ(list.HandleMouseMove({6, 6}, 0), 0u);
    EXPECT_EQ(list.HandleMouseUp(kInputLeftButton, {6, 6}, 0), 0u);
}

TEST_F(HotSpots, DestroyingTheListTellsTheClientsTheirItemsAreGone) {
    FakeClient client;
    {
        RHotSpotList local(&owner);
        local.CreateHotSpot(rectInfo({0, 0, 20, 20}, 1), 1)->SetClient(&client);
        local.HandleMouseMove({5, 5}, 0);
    }
    EXPECT_TRUE(client.gone);
}

TEST_F(HotSpots, MovedItemAnswersItsNewOwner) {
    RHotSpotList target(&other);
    RHotSpotItem* item = list.CreateHotSpot(rectInfo({0, 0, 20, 20}, 77), 1);
    list.HandleMouseMove({5, 5}, 0);
    MoveHotSpotToOwner(item, &target);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.OverItem(), nullptr);
    ASSERT_EQ(target.Count(), 1);
    EXPECT_EQ(item->GetList(), &target);
    target.HandleInput(kInputLeftButton, {5, 5}, 0);
    target.HandleMouseUp(kInputLeftButton, {5, 5}, 0);
    deliver();
    EXPECT_EQ(log, (fwtest::Log{"other:77"}));
}

TEST_F(HotSpots, ListsMoveToFrontAndBackTogetherWithTheirInputPlace) {
    RHotSpotList second(&other);
    ASSERT_EQ(RHotSpotList::Lists().front(), &second);
    EXPECT_EQ(inputObjectAt(0), &second);
    second.MoveToBack();
    EXPECT_EQ(RHotSpotList::Lists().front(), &list);
    EXPECT_EQ(RHotSpotList::Lists().back(), &second);
    EXPECT_EQ(inputObjectAt(inputObjectCount() - 1), &second);
    second.MoveToFront();
    EXPECT_EQ(inputObjectAt(0), &second);
}

TEST_F(HotSpots, CursorIdsAreTakenOnlyUpToTheLastStandardCursor) {
    RHotSpotItem* item = list.CreateHotSpot(rectInfo({0, 0, 20, 20}, 1), 1);
    EXPECT_EQ(item->Info().cursorOver, kDefaultCursorOver);
    item->SetCursorIds(kCursorIndexLast + 1, kCursorIndexLast);
    EXPECT_EQ(item->Info().cursorOver, kDefaultCursorOver);
    EXPECT_EQ(item->Info().cursorPressed, kCursorIndexLast);
    item->SetCursorIds(kCursorIndexStandard + 1, 0);
    list.HandleMouseMove({5, 5}, 0);
    EXPECT_EQ(plat::cursor::currentCursor(), plat::cursor::systemCursor(plat::cursor::SystemCursor::Cross));
    list.HandleInput(kInputLeftButton, {5, 5}, 0);  // table entry 0 is empty: the arrow
    EXPECT_EQ(plat::cursor::currentCursor(), plat::cursor::systemCursor(plat::cursor::SystemCursor::Arrow));
    EXPECT_EQ(cursorForIndex(29), plat::cursor::kNoCursor);
    // A hidden cursor stays hidden over a hot spot, and shows the hot spot's when shown again.
    gfxSetCursorLevel(-1);
    list.HandleInput(kInputLeftButton, {5, 5}, 0);
    EXPECT_EQ(plat::cursor::currentCursor(), plat::cursor::kNoCursor);
    gfxSetCursorLevel(0);
    EXPECT_EQ(plat::cursor::currentCursor(), plat::cursor::systemCursor(plat::cursor::SystemCursor::Arrow));
}

TEST_F(HotSpots, ChangesArePostedToTheChangeListener) {
    RHotSpotItem* item = list.CreateHotSpot(rectInfo({0, 0, 20, 20}, 1), 1);
    item->Disable();
    deliver();
    EXPECT_TRUE(log.empty());
    RHotSpotList::SetChangeListener(&other);
    plat::cursor::setPointerPosition({12, 34});
    item->Enable();
    deliver();
    EXPECT_EQ(log, (fwtest::Log{"other:55"}));
    EXPECT_EQ(other.last.point.h, 12);
    EXPECT_EQ(other.last.point.v, 34);
}

TEST_F(HotSpots, PointerTakenByAListInFrontLeavesTheItemBehind) {
    FakeClient behind;
    RHotSpotItem* back = list.CreateHotSpot(rectInfo({0, 0, 20, 20}, 1), 1);
    back->SetClient(&behind);
    back->SetCursorIds(kCursorIndexStandard + 1, kDefaultCursorPressed);  // cross
    RHotSpotList front(&other);
    HSInfo textInfo = rectInfo({10, 0, 30, 20}, 2);
    textInfo.cursorOver = kCursorIndexStandard + 2;  // text
    front.CreateHotSpot(textInfo, 1);
    EXPECT_EQ(list.HandleMouseMove({5, 5}, 0), 1u);
    EXPECT_EQ(front.HandleMouseMove({15, 5}, 0), 1u);  // taken in front: the list behind is not asked
    EXPECT_EQ(list.OverItem(), nullptr);
    EXPECT_EQ(behind.events, (std::vector<u16>{kHsEventEnter, kHsEventLeave}));
    EXPECT_EQ(plat::cursor::currentCursor(), plat::cursor::systemCursor(plat::cursor::SystemCursor::IBeam));
    back->SetClient(nullptr);
}

// An item taken away from under the pointer, moved to another list or destroyed, does not leave
// its client lit nor its cursor showing.
TEST_F(HotSpots, ItemTakenFromUnderThePointerLeavesNoLookOrCursor) {
    for (bool destroy : {false, true}) {
        SCOPED_TRACE(destroy ? "destroyed" : "moved");
        FakeClient client;
        HSInfo info = rectInfo({0, 0, 10, 10}, 1);
        info.cursorOver = kCursorIndexStandard + 1;
        RHotSpotItem* item = list.CreateHotSpot(info, 1);
        item->SetClient(&client);
        list.HandleMouseMove({5, 5}, 0);
        ASSERT_EQ(client.events, (std::vector<u16>{kHsEventEnter}));
        ASSERT_EQ(plat::cursor::currentCursor(), plat::cursor::systemCursor(plat::cursor::SystemCursor::Cross));
        RHotSpotList target(&other);
        if (destroy)
            list.DestroyHotSpot(item);
        else
            MoveHotSpotToOwner(item, &target);
        EXPECT_EQ(list.OverItem(), nullptr);
        EXPECT_EQ(client.events, (std::vector<u16>{kHsEventEnter, kHsEventLeave}));
        EXPECT_EQ(plat::cursor::currentCursor(), plat::cursor::systemCursor(plat::cursor::SystemCursor::Arrow));
        EXPECT_EQ(client.gone, destroy);
        if (!destroy) target.DestroyHotSpot(item);
    }
}

// Each step leaves the list either holding the pointer (over or pressing an item) or not.
TEST_F(HotSpots, HasActiveOrOverFollowsThePointerAndThePress) {
    RHotSpotItem* item = list.CreateHotSpot(rectInfo({0, 0, 10, 10}, 1), 1);
    struct Step {
        const char* name;
        std::function<void()> act;
        bool holds;
    };
    const Step steps[] = {
        {"nothing yet", [] {}, false},
        {"over the item", [&] { list.HandleMouseMove({5, 5}, 0); }, true},
        {"beside it", [&] { list.HandleMouseMove({10, 10}, 0); }, false},
        {"pressed", [&] { list.HandleInput(kInputLeftButton, {9, 9}, 0); }, true},
        {"dragged off, still pressed", [&] { list.HandleMouseMove({50, 50}, 0); }, true},
        {"released off it", [&] { list.HandleMouseUp(kInputLeftButton, {50, 50}, 0); }, false},
        {"over again", [&] { list.HandleMouseMove({0, 0}, 0); }, true},
        {"item disabled", [&] { item->Disable(); }, false},
        {"enabled, pressed", [&] { item->Enable(); list.HandleInput(kInputLeftButton, {1, 1}, 0); }, true},
        {"item destroyed", [&] { list.DestroyHotSpot(item); }, false},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(list.HasActiveOrOver(), step.holds) << step.name;
    }
}

}  // namespace
