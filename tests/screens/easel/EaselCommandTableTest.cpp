// Every way a child has to give the easel a command reaches one of its handlers: each button
// of the easel's set (its click and its hover help), and each menu command the main window
// hands the easel, straight or broadcast to its listeners. Codes beside the spans of the
// table reach none.
#include <gtest/gtest.h>

#include "app/window/MenuCommandRoute.h"
#include "app/menus/MenuCommands.h"
#include "app/window/MenuMessages.h"
#include "screens/easel/REaselCommands.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

bool reachesTheEasel(RouteKind kind) {
    return kind == RouteKind::ToCurrentScreen || kind == RouteKind::ToCurrentScreen || kind == RouteKind::Broadcast;
}

TEST(EaselCommandTable, EveryMenuCommandHandedToTheEaselReachesAHandler) {
    int routed = 0;
    for (u32 command = 0; command <= kCmdTeacherAccelerator; ++command) {
        const CommandRoute route = RouteMenuCommand(u16(command), ScreenKind::Easel);
        if (!reachesTheEasel(route.kind) || route.code == kMsgMenuUnlisted) continue;
        EXPECT_TRUE(REaselCommands::Handles(route.code)) << "menu command " << command << " -> " << route.code;
        ++routed;
    }
    EXPECT_GE(routed, 25);
}

struct CodeCase {
    u32 code;
    bool handled;
};

class EaselCommandSpans : public ::testing::TestWithParam<CodeCase> {};

TEST_P(EaselCommandSpans, EndWhereTheScreensCommandsEnd) {
    EXPECT_EQ(REaselCommands::Handles(GetParam().code), GetParam().handled) << GetParam().code;
}

// Both ends of every span: the tool bar (226 and 231 are no button), the page commands the
// canvas is handed (6622 is the text panel's), the hover help, the pickers' messages.
INSTANTIATE_TEST_SUITE_P(
    Table, EaselCommandSpans,
    ::testing::Values(CodeCase{221, false}, CodeCase{222, true}, CodeCase{225, true}, CodeCase{226, false},
                      CodeCase{227, true}, CodeCase{230, true}, CodeCase{231, false}, CodeCase{232, true},
                      CodeCase{237, true}, CodeCase{240, false}, CodeCase{241, false}, CodeCase{324, false},
                      CodeCase{325, true}, CodeCase{344, true}, CodeCase{345, false}, CodeCase{5569, true},
                      CodeCase{5570, true}, CodeCase{5571, false}, CodeCase{6605, true}, CodeCase{6606, true},
                      CodeCase{6621, true}, CodeCase{6622, false}, CodeCase{6623, true}, CodeCase{6626, true},
                      CodeCase{6627, true}, CodeCase{6629, false}, CodeCase{6648, false}, CodeCase{6649, true},
                      CodeCase{6652, true}, CodeCase{6653, false}, CodeCase{17644, false}, CodeCase{17645, true},
                      CodeCase{17647, true}, CodeCase{17648, false}));

class EaselButtonCommands : public testscreens::EaselHarness {};

TEST_F(EaselButtonCommands, EveryButtonOfTheEaselReachesAHandler) {
    enterEasel();
    size_t buttons = 0;
    for (const auto& button : easel->Buttons()) {
        if (!button) continue;
        const ButtonRecord& record = button->GetRecord();
        EXPECT_TRUE(REaselCommands::Handles(record.clickMessage)) << "button " << record.id;
        EXPECT_TRUE(REaselCommands::Handles(record.hoverMessage)) << "button " << record.id;
        ++buttons;
    }
    EXPECT_GE(buttons, 18u);
}

}  // namespace
