// The rest of the menu's commands, each with the number its receiver takes: a wrong number
// here reaches no handler, or the wrong one.
#include <gtest/gtest.h>

#include "app/menus/MenuCommands.h"
#include "app/window/MenuCommandRoute.h"

namespace {

using namespace Ostrel;

struct RouteCase {
    u16 command;
    ScreenKind screen;
    CommandRoute route;
};

class MenuMessages : public ::testing::TestWithParam<RouteCase> {};

TEST_P(MenuMessages, CarryTheirReceiversNumbers) {
    EXPECT_EQ(RouteMenuCommand(GetParam().command, GetParam().screen), GetParam().route);
}

constexpr CommandRoute B(u32 code, u16 p2 = 0) { return {RouteKind::Broadcast, code, p2}; }
constexpr CommandRoute R(RouteKind kind, u32 code = 0, u16 p2 = 0) { return {kind, code, p2}; }
constexpr CommandRoute kShell{RouteKind::Shell, 0, 0};
constexpr CommandRoute kNothing{};

INSTANTIATE_TEST_SUITE_P(
    Table, MenuMessages,
    ::testing::Values(
        RouteCase{kCmdOpen, ScreenKind::SlideShow, B(6644)}, RouteCase{kCmdSaveAs, ScreenKind::Picker, B(6604)},
        RouteCase{103, ScreenKind::Easel, B(6641)}, RouteCase{104, ScreenKind::Picker, B(6613)},
        RouteCase{kCmdExport, ScreenKind::Picker, R(RouteKind::ToCurrentScreen, 6614)},
        RouteCase{kCmdLogInAsNewUser, ScreenKind::Picker, R(RouteKind::ToCurrentScreen, 5576)},
        RouteCase{kCmdAddMovie, ScreenKind::Picker, B(6613, 113)}, RouteCase{114, ScreenKind::Easel, B(6613, 114)},
        RouteCase{kCmdLoadPicture, ScreenKind::Picker, B(6644)}, RouteCase{kCmdCopy, ScreenKind::Picker, B(6620)},
        RouteCase{kCmdCopy, ScreenKind::Easel, kShell}, RouteCase{kCmdCut, ScreenKind::SlideShow, kShell},
        RouteCase{kCmdHelp, ScreenKind::SlideShow, R(RouteKind::ToCurrentScreen, 239)},
        RouteCase{kCmdFlattenStickers, ScreenKind::Picker, kNothing},
        RouteCase{kCmdPickBgColor, ScreenKind::Picker, B(6630)}, RouteCase{217, ScreenKind::Easel, B(6632)},
        RouteCase{kCmdEditABCText, ScreenKind::Easel, B(6628)}, RouteCase{227, ScreenKind::Easel, B(6649)},
        RouteCase{229, ScreenKind::Picker, B(1449)}, RouteCase{229, ScreenKind::Easel, kNothing},
        RouteCase{230, ScreenKind::Picker, B(1452)}, RouteCase{kCmdCleanUpExtra, ScreenKind::Easel, kNothing},
        RouteCase{kCmdSayItThisWay, ScreenKind::Easel, R(RouteKind::ToTextPanel, 6622)},
        RouteCase{kCmdIdeaMachine, ScreenKind::Easel, R(RouteKind::ToEasel, 298)},
        RouteCase{kCmdIdeaMachine, ScreenKind::Picker, kNothing}, RouteCase{kCmdPublish, ScreenKind::Picker, B(6655)},
        RouteCase{kCmdPaperTextures, ScreenKind::Easel, R(RouteKind::ToEasel, 238)},
        RouteCase{kCmdPaperTextures, ScreenKind::Picker, kNothing}, RouteCase{kCmdNote, ScreenKind::Easel, kShell},
        RouteCase{kCmdNote, ScreenKind::Picker, kNothing}, RouteCase{kCmdManageLibraries, ScreenKind::Easel, kShell},
        RouteCase{kCmdViewTeacherNote, ScreenKind::Picker, kNothing},
        RouteCase{u16(kCmdFirstSpecialCharacter - 1), ScreenKind::Easel, kNothing},
        RouteCase{kCmdAbout, ScreenKind::SlideShow, kShell}, RouteCase{kCmdSwitchLanguage, ScreenKind::None, kShell},
        RouteCase{kCmdBlankout, ScreenKind::Picker, kShell}, RouteCase{701, ScreenKind::Easel, kNothing}));

}  // namespace
