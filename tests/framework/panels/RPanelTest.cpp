#include "framework/panels/RPanel.h"

#include <gtest/gtest.h>

#include "framework/messaging/mfDispatcher.h"
#include "tests/framework/SystemArchiveFixture.h"
#include "tests/framework/format/FormatSamples.h"
#include "tests/framework/messaging/MessagingFixtures.h"

namespace {

using namespace Ostrel;

// A panel that logs the messages its buttons post before the base sees them.
class LoggingPanel : public RPanel {
public:
    LoggingPanel(CListener* owner, std::vector<u32>& heard) : RPanel(owner, fourCC("Tool")), heard_(heard) {}
    u32 HandleMessage(RMessage* message, uintptr_t data) override {
        heard_.push_back(message->code);
        return RPanel::HandleMessage(message, data);
    }

private:
    std::vector<u32>& heard_;
};

std::string setBytes(std::vector<ButtonRecord> records) {
    std::vector<u8> bytes;
    EXPECT_EQ(writeButtonSet(records, &bytes), kErrNone);
    return testfw::asText(bytes);
}

class Panels : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<ButtonRecord> own = testfmt::sampleButtons();
        own.pop_back();
        ButtonRecord extra = own[0];
        extra.id = 5005;
        extra.left = 200, extra.right = 220;
        archive.open({{kButtonSetType, 18000, setBytes(own)}, {kButtonSetType, 18200, setBytes({extra})}});
    }
    fwtest::QueueReset reset;
    testfw::SystemArchive archive;
    fwtest::Log log;
    fwtest::Recorder owner{log, "owner"};
    std::vector<u32> heard;
};

TEST_F(Panels, InitLoadsTheSetOfItsMessageBaseAndFindsButtons) {
    LoggingPanel panel(&owner, heard);
    panel.SetMessageBase(18000);
    ASSERT_EQ(panel.Init(), 0);
    EXPECT_EQ(panel.Buttons().size(), 2u);
    EXPECT_EQ(panel.FindButtonByCommand(1039), 1);
    EXPECT_EQ(panel.FindButtonByCommand(5005), -1);
    RButtonSet sizes;
    EXPECT_EQ(panel.AddButtons(18200, &sizes), 0);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_TRUE(sizes[0]->IsShown());
    EXPECT_EQ(panel.HotSpots()->Count(), 3);
    EXPECT_NE(panel.AddButtons(18201, &sizes), 0);
    EXPECT_EQ(sizes.size(), 1u);
}

TEST_F(Panels, ButtonClicksReachThePanelAndItsBroadcastsReachTheOwner) {
    LoggingPanel panel(&owner, heard);
    panel.SetMessageBase(18000);
    ASSERT_EQ(panel.Init(), 0);
    panel.HotSpots()->HandleInput(kInputLeftButton, {20, 30}, 0);
    panel.HotSpots()->HandleMouseUp(kInputLeftButton, {20, 30}, 0);
    panel.PostMessage(kMsgPanelSetActive, 0, 1);
    mfDispatcher().DispatchQueuedMessages();
    EXPECT_EQ(heard, (std::vector<u32>{243}));
    EXPECT_EQ(log, (fwtest::Log{"owner:292"}));
    RMessage activate(kMsgPanelSetActive, 0, 1);
    panel.HandleMessage(&activate, 0);
    EXPECT_TRUE(panel.IsActive());
    activate.param2 = 0;
    panel.HandleMessage(&activate, 0);
    EXPECT_FALSE(panel.IsActive());
}

TEST_F(Panels, DisablingThePanelTakesEveryLoadedButtonOutOfServiceUntilEnabled) {
    LoggingPanel panel(&owner, heard);
    panel.SetMessageBase(18000);
    ASSERT_EQ(panel.Init(), 0);
    RButtonSet sizes;
    ASSERT_EQ(panel.AddButtons(18200, &sizes), 0);
    auto click = [&](Point16 at) {
        panel.HotSpots()->HandleInput(kInputLeftButton, at, 0);
        panel.HotSpots()->HandleMouseUp(kInputLeftButton, at, 0);
        mfDispatcher().DispatchQueuedMessages();
    };
    RMessage disable(kMsgPanelSetActive, 0, 0);
    panel.HandleMessage(&disable, 0);
    for (int i = 0; i < panel.HotSpots()->Count(); ++i) EXPECT_FALSE(panel.HotSpots()->GetHotSpot(i)->IsActive()) << i;
    heard.clear();
    click({20, 30});
    click({210, 30});
    EXPECT_EQ(heard, (std::vector<u32>{}));

    RMessage enable(kMsgPanelSetActive, 0, 1);
    panel.HandleMessage(&enable, 0);
    for (int i = 0; i < panel.HotSpots()->Count(); ++i) EXPECT_TRUE(panel.HotSpots()->GetHotSpot(i)->IsActive()) << i;
    click({20, 30});
    EXPECT_EQ(heard, (std::vector<u32>{kMsgPanelSetActive, 243}));
}

TEST_F(Panels, PanelDestroyedWhileItsButtonIsPressedLeavesNothingBehind) {
    auto panel = std::make_unique<LoggingPanel>(&owner, heard);
    panel->SetMessageBase(18000);
    ASSERT_EQ(panel->Init(), 0);
    const size_t listsBefore = RHotSpotList::Lists().size();
    panel->HotSpots()->HandleMouseMove({20, 30}, 0);
    panel->HotSpots()->HandleInput(kInputLeftButton, {20, 30}, 0);
    panel.reset();
    EXPECT_EQ(RHotSpotList::Lists().size(), listsBefore - 1);
    EXPECT_EQ(mfDispatcher().DispatchQueuedMessages(), 0u);
}

}  // namespace
