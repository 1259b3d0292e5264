#include "framework/controls/RButton.h"

#include <gtest/gtest.h>

#include "framework/controls/LoadButtonsFromKVR.h"
#include "framework/format/FormatErrors.h"
#include "framework/input/RHotSpotList.h"
#include "framework/messaging/mfDispatcher.h"
#include "tests/framework/SystemArchiveFixture.h"
#include "tests/framework/format/FormatSamples.h"
#include "tests/framework/messaging/MessagingFixtures.h"

namespace {

using namespace Ostrel;

ButtonRecord recordOf(ButtonKind kind, std::array<u16, 4> shapes) {
    ButtonRecord r;
    r.id = 1038;
    r.kind = kind;
    r.shapes = shapes;
    r.left = 0, r.top = 0, r.right = 20, r.bottom = 20;
    r.clickMessage = 243;
    r.hoverMessage = 344;
    return r;
}

HSInfo groupInfo(u16 group) {
    HSInfo info;
    info.group = group;
    return info;
}

constexpr std::array<u16, 4> kAllShapes = {1, 2, 3, 4};
constexpr std::array<u16, 4> kNoDownShapes = {1, 2, 0, 0};
constexpr std::array<u16, 4> kNoSelectShape = {1, 2, 3, 0};

class Buttons : public ::testing::Test {
protected:
    std::vector<std::string> delivered() {
        mfDispatcher().DispatchQueuedMessages();
        std::vector<std::string> out;
        out.swap(log);
        return out;
    }
    fwtest::QueueReset reset;
    fwtest::Log log;
    fwtest::Recorder owner{log, "owner"};
    RHotSpotList list{&owner};
};

// Each case runs its events on a new button of group 5 and checks the state after each.
TEST_F(Buttons, StateMachinePerKind) {
    struct Case {
        const char* name;
        ButtonKind kind;
        std::array<u16, 4> shapes;
        std::vector<u16> events;
        std::vector<u16> states;
        std::vector<std::string> posts;
    };
    const Case cases[] = {
        {"push: hover, click latches down and stays down on leave", ButtonKind::Push, kAllShapes,
         {kHsEventEnter, kHsEventPressed, kHsEventClick, kHsEventLeave},
         {kButtonHighlighted, kButtonHighlighted, kButtonDown, kButtonDown}, {"owner:101"}},
        {"push: a second click on a latched push does nothing", ButtonKind::Push, kAllShapes,
         {kHsEventClick, kHsEventClick}, {kButtonDown, kButtonDown}, {"owner:101"}},
        {"push: press is taken also when latched", ButtonKind::Push, kAllShapes,
         {kHsEventClick, kHsEventPress}, {kButtonDown, kButtonDown}, {"owner:101", "owner:101"}},
        {"push: reset and release unlatch", ButtonKind::Push, kAllShapes,
         {kHsEventClick, kHsEventReset, kHsEventLeave, kHsEventPress, kHsEventRelease},
         {kButtonDown, kButtonUp, kButtonUp, kButtonDown, kButtonUp}, {"owner:101", "owner:101"}},
        {"push without down shapes only goes up", ButtonKind::Push, kNoDownShapes,
         {kHsEventEnter, kHsEventClick, kHsEventPress}, {kButtonHighlighted, kButtonUp, kButtonUp}, {}},
        {"toggle: second click releases", ButtonKind::Toggle, kAllShapes,
         {kHsEventClick, kHsEventLeave, kHsEventClick, kHsEventLeave},
         {kButtonDown, kButtonDown, kButtonUp, kButtonUp}, {"owner:101"}},
        {"select: click selects and stays selected on leave", ButtonKind::Select, kAllShapes,
         {kHsEventEnter, kHsEventClick, kHsEventLeave, kHsEventReset},
         {kButtonHighlighted, kButtonSelected, kButtonSelected, kButtonUp}, {"owner:102"}},
        {"activate acts as a click with a selected shape", ButtonKind::Push, kAllShapes,
         {kHsEventActivate}, {kButtonDown}, {"owner:101"}},
        {"activate without a selected shape goes up", ButtonKind::Push, kNoSelectShape,
         {kHsEventEnter, kHsEventActivate}, {kButtonHighlighted, kButtonUp}, {}},
        {"select event selects quietly", ButtonKind::Push, kAllShapes, {kHsEventSelect, kHsEventLeave},
         {kButtonSelected, kButtonSelected}, {}},
        {"select event needs the selected shape", ButtonKind::Push, kNoSelectShape, {kHsEventSelect}, {kButtonUp},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RHotSpotItem* item = list.AddHotSpot(groupInfo(5), &owner);
        RButton button(recordOf(c.kind, c.shapes), kSprNoId, item, &owner);
        ASSERT_EQ(c.events.size(), c.states.size());
        for (size_t i = 0; i < c.events.size(); ++i) {
            EXPECT_EQ(button.HandleEvent(c.events[i], true), c.states[i]) << "event " << i;
        }
        EXPECT_EQ(delivered(), c.posts);
    }
}

TEST_F(Buttons, GroupMessagesCarryTheItemAndGroupAndNeedAGroup) {
    RHotSpotItem* grouped = list.AddHotSpot(groupInfo(9), &owner);
    RButton a(recordOf(ButtonKind::Select, kAllShapes), kSprNoId, grouped, &owner);
    RButton b(recordOf(ButtonKind::Select, kAllShapes), kSprNoId, list.AddHotSpot(HSInfo{}, &owner), &owner);
    a.HandleEvent(kHsEventClick, false);
    b.HandleEvent(kHsEventClick, false);
    EXPECT_EQ(delivered(), (std::vector<std::string>{"owner:102"}));
    EXPECT_EQ(owner.last.param1, reinterpret_cast<uintptr_t>(grouped));
    EXPECT_EQ(owner.last.param2, 9);
}

// The listener of a group message may look at the item it carries; an item gone before the
// message is delivered must not reach it.
TEST_F(Buttons, GroupMessageOfADestroyedButtonIsNotDelivered) {
    std::vector<u16> groups;
    owner.onMessage = [&groups](const RMessage& m) {
        if (m.code == kMsgButtonSelected) groups.push_back(reinterpret_cast<RHotSpotItem*>(m.param1)->GetGroup());
    };
    auto gone = std::make_unique<RButton>(recordOf(ButtonKind::Select, kAllShapes), kSprNoId,
                                          list.AddHotSpot(groupInfo(9), &owner), &owner);
    RButton kept(recordOf(ButtonKind::Select, kAllShapes), kSprNoId, list.AddHotSpot(groupInfo(7), &owner), &owner);
    gone->HandleEvent(kHsEventClick, false);
    kept.HandleEvent(kHsEventClick, false);
    gone.reset();
    EXPECT_EQ(delivered(), (std::vector<std::string>{"owner:102"}));
    EXPECT_EQ(groups, (std::vector<u16>{7}));
}

// Releasing a group puts every other button of that group up, chosen or latched, and leaves the
// kept one and the buttons of other groups (and of none) as they were.
TEST_F(Buttons, ReleasingAGroupLeavesTheKeptButtonAndOtherGroups) {
    struct Member {
        u16 group;
        ButtonKind kind;
        u16 stateAfter;
    };
    const Member members[] = {{3, ButtonKind::Select, kButtonSelected}, {3, ButtonKind::Select, kButtonUp},
                              {3, ButtonKind::Push, kButtonUp},         {4, ButtonKind::Select, kButtonSelected},
                              {0, ButtonKind::Push, kButtonDown}};
    RButtonSet set;
    for (const Member& m : members) {
        set.push_back(std::make_unique<RButton>(recordOf(m.kind, kAllShapes), kSprNoId,
                                                list.AddHotSpot(groupInfo(m.group), &owner), &owner));
        set.back()->HandleEvent(kHsEventClick, false);
    }
    ReleaseButtonGroup(set, 3, set[0]->GetHotSpot());
    ReleaseButtonGroup(set, 0, nullptr);
    for (size_t i = 0; i < set.size(); ++i) EXPECT_EQ(set[i]->GetState(), members[i].stateAfter) << i;
    EXPECT_FALSE(set[2]->IsLatched()) << "a released push button takes the next click again";
    delivered();
}

TEST_F(Buttons, DestroyedButtonTakesItsPointedAtItemAlong) {
    auto button = std::make_unique<RButton>(recordOf(ButtonKind::Push, kAllShapes), kSprNoId,
                                            list.CreateRectHotSpot({0, 0, 20, 20}, 243), &owner);
    list.HandleMouseMove({5, 5}, 0);
    list.HandleInput(kInputLeftButton, {5, 5}, 0);
    ASSERT_NE(list.OverItem(), nullptr);
    button.reset();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.OverItem(), nullptr);
    EXPECT_EQ(list.HandleMouseUp(kInputLeftButton, {5, 5}, 0), 0u);
    EXPECT_TRUE(delivered().empty());
}

TEST_F(Buttons, ButtonOutlivingItsListForgetsTheItem) {
    auto local = std::make_unique<RHotSpotList>(&owner);
    RButton button(recordOf(ButtonKind::Push, kAllShapes), kSprNoId, local->CreateRectHotSpot({0, 0, 9, 9}, 1),
                   &owner);
    local->HandleMouseMove({1, 1}, 0);
    local.reset();
    EXPECT_EQ(button.GetHotSpot(), nullptr);
    button.Hide();
    button.EnableHotSpot(true);
    EXPECT_FALSE(button.IsShown());
}

TEST_F(Buttons, HiddenButtonsHotSpotIsOutOfServiceUntilShown) {
    RButton button(recordOf(ButtonKind::Push, kAllShapes), kSprNoId, list.CreateRectHotSpot({0, 0, 20, 20}, 1),
                   &owner);
    button.Draw();
    button.Hide();
    EXPECT_EQ(list.ItemAt({5, 5}), nullptr);
    button.EnableHotSpot(true);  // a hidden button's item stays off
    EXPECT_EQ(list.ItemAt({5, 5}), nullptr);
    list.ApplyToGroups(kEveryGroup, 0, kGroupShow);  // it has no group: untouched
    EXPECT_FALSE(button.IsShown());
    button.Show();
    EXPECT_EQ(list.ItemAt({5, 5}), button.GetHotSpot());
}

TEST_F(Buttons, ANewLookKeepsAHiddenButtonHidden) {
    RButton button(recordOf(ButtonKind::Push, kAllShapes), kSprNoId, list.CreateRectHotSpot({0, 0, 20, 20}, 1),
                   &owner);
    button.Draw();
    button.Hide();
    button.SetLook(7, 8, 9);
    EXPECT_EQ(button.GetRecord().shapes, (std::array<u16, 4>{7, 8, 9, 9}));
    EXPECT_FALSE(button.IsShown());
    EXPECT_EQ(list.ItemAt({5, 5}), nullptr);
    button.Show();
    button.SetLook(1, 2, 3);
    EXPECT_TRUE(button.IsShown());
    EXPECT_EQ(button.GetRecord().shapes, (std::array<u16, 4>{1, 2, 3, 3}));
}

class ButtonSets : public Buttons {
protected:
    void openWith(const std::vector<ButtonRecord>& records, u16 id = 777) {
        std::vector<u8> bytes;
        ASSERT_EQ(writeButtonSet(records, &bytes), kErrNone);
        archive.open({{kButtonSetType, id, testfw::asText(bytes)}});
    }
    testfw::SystemArchive archive;
};

TEST_F(ButtonSets, LoadedSetMakesButtonsWithTheirHotSpots) {
    std::vector<ButtonRecord> records = testfmt::sampleButtons();
    records.pop_back();  // the region button needs loaded shapes
    openWith(records);
    EngineErr err = 1;
    RButtonSet set = LoadButtonsFromKVR(&owner, &list, 777, kButtonSpriteFlags, &err);
    EXPECT_EQ(err, kErrNone);
    ASSERT_EQ(set.size(), 2u);
    EXPECT_EQ(FindButtonByCommand(set, 1039), 1);
    EXPECT_EQ(FindButtonByCommand(set, 1), -1);
    ASSERT_EQ(list.Count(), 2);
    const RHotSpotItem* ok = set[0]->GetHotSpot();
    EXPECT_EQ(ok->GetRect().right, 90);
    EXPECT_EQ(ok->Info().message2, 344u);
    EXPECT_EQ(ok->Info().cursorOver, 9);
    EXPECT_EQ(ok->GetKind(), kHotSpotRect);
    EXPECT_EQ(set[1]->GetHotSpot()->GetKind(), kHotSpotShapeRect);
    DrawButtons(set);
    list.HandleMouseMove({20, 30}, 0);
    list.HandleInput(kInputLeftButton, {20, 30}, 0);
    list.HandleMouseUp(kInputLeftButton, {20, 30}, 0);
    EXPECT_EQ(set[0]->GetState(), kButtonDown);
    EXPECT_EQ(delivered(), (std::vector<std::string>{"owner:344", "owner:344", "owner:243"}));
    EXPECT_EQ(owner.last.param1, 1038u);
}

TEST_F(ButtonSets, MissingOrDamagedSetGivesNoButtons) {
    openWith(testfmt::sampleButtons(), 778);
    EngineErr err = kErrNone;
    EXPECT_TRUE(LoadButtonsFromKVR(&owner, &list, 777, kButtonSpriteFlags, &err).empty());
    EXPECT_NE(err, kErrNone);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(ButtonSets, CountPastTheResourceIsRefusedBeforeAnyButtonIsMade) {
    std::vector<u8> bytes;
    ASSERT_EQ(writeButtonSet(testfmt::sampleButtons(), &bytes), kErrNone);
    bytes[3] = 200;  // the count
    archive.open({{kButtonSetType, 777, testfw::asText(bytes)}});
    EngineErr err = kErrNone;
    EXPECT_TRUE(LoadButtonsFromKVR(&owner, &list, 777, kButtonSpriteFlags, &err).empty());
    EXPECT_EQ(err, kFmtErrCountPastEnd);
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace
