// Which message each menu command becomes on each screen, with the number its receiver takes: a
// wrong number reaches no handler, or the wrong one.
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

class MenuCommandRoutes : public ::testing::TestWithParam<RouteCase> {};

TEST_P(MenuCommandRoutes, GoWhereTheScreenCanCarryThemOut) {
    EXPECT_EQ(RouteMenuCommand(GetParam().command, GetParam().screen), GetParam().route);
}

constexpr CommandRoute B(u32 code, u16 p2 = 0) { return {RouteKind::Broadcast, code, p2}; }
constexpr CommandRoute R(RouteKind kind, u32 code = 0, u16 p2 = 0) { return {kind, code, p2}; }
// Straight to the current screen.
constexpr CommandRoute S(u32 code, u16 p2 = 0) { return {RouteKind::ToCurrentScreen, code, p2}; }
constexpr CommandRoute kShell{RouteKind::Shell, 0, 0};
constexpr CommandRoute kNothing{};

INSTANTIATE_TEST_SUITE_P(
    Table, MenuCommandRoutes,
    ::testing::Values(
        RouteCase{kCmdOpen, ScreenKind::Picker, B(6605)}, RouteCase{kCmdOpen, ScreenKind::Easel, B(6644)},
        RouteCase{kCmdPrint, ScreenKind::Picker, S(1372)},
        RouteCase{kCmdPrint, ScreenKind::Easel, B(6627)},
        // Exit only asks the easel or the picker, which save or ask; elsewhere it quits at once.
        RouteCase{kCmdExit, ScreenKind::Easel, S(268)},
        RouteCase{kCmdExit, ScreenKind::Picker, S(107)}, RouteCase{kCmdExit, ScreenKind::Splash, kShell},
        RouteCase{kCmdNew, ScreenKind::Easel, S(245)},
        RouteCase{kCmdNew, ScreenKind::Picker, S(1365)},
        RouteCase{kCmdNew, ScreenKind::SlideShow, kNothing},
        RouteCase{kCmdLogInAsNewUser, ScreenKind::Easel, S(5576)},
        RouteCase{kCmdLogInAsNewUser, ScreenKind::Splash, R(RouteKind::ToApplication, 5576)},
        RouteCase{kCmdAddGraphic, ScreenKind::Easel, S(6613, 111)},
        RouteCase{kCmdImportSound, ScreenKind::Easel, B(6613, 112)},
        RouteCase{kCmdImportBackground, ScreenKind::Easel, B(6613, 115)},
        RouteCase{kCmdCut, ScreenKind::Picker, B(6619)}, RouteCase{kCmdCut, ScreenKind::Easel, kShell},
        RouteCase{kCmdPaste, ScreenKind::Picker, B(6621)}, RouteCase{kCmdPaste, ScreenKind::Easel, kShell},
        RouteCase{kCmdCheckSpelling, ScreenKind::Easel, R(RouteKind::ToTextPanel, 6621)},
        RouteCase{kCmdHelp, ScreenKind::Picker, S(6636)},
        RouteCase{kCmdHelp, ScreenKind::Easel, S(239)},
        RouteCase{kCmdFlattenStickers, ScreenKind::Easel, B(6647, 214)},
        RouteCase{kCmdFlattenText, ScreenKind::Easel, B(6647, 225)},
        RouteCase{kCmdFlattenText, ScreenKind::Picker, kNothing},
        RouteCase{kCmdChangeEffects, ScreenKind::Picker, B(1340, 0xFFFF)},
        RouteCase{kCmdChangeEffects, ScreenKind::Easel, kNothing}, RouteCase{kCmdCleanUpExtra, ScreenKind::Picker, B(1455)},
        RouteCase{kCmdViewTeacherNote, ScreenKind::Easel, S(296)},
        RouteCase{kCmdAddDelUsers, ScreenKind::Easel, S(5578)},
        RouteCase{kCmdAddDelUsers, ScreenKind::Picker, kNothing},
        RouteCase{kCmdGettingStarted, ScreenKind::Picker, R(RouteKind::ToWindowListener, 60)},
        RouteCase{kCmdFirstSpecialCharacter, ScreenKind::Easel, R(RouteKind::ToTextPanel, 251)},
        RouteCase{kCmdLastSpecialCharacter, ScreenKind::Easel, R(RouteKind::ToTextPanel, 251)},
        RouteCase{u16(kCmdLastSpecialCharacter + 1), ScreenKind::Easel, kNothing},
        RouteCase{kCmdTeacherAccelerator, ScreenKind::Easel, kShell}, RouteCase{kCmdManageLibraries, ScreenKind::Picker, kNothing},
        RouteCase{600, ScreenKind::Easel, kNothing}, RouteCase{kCmdShowIds, ScreenKind::Easel, kShell},
        RouteCase{kCmdOpen, ScreenKind::SlideShow, B(6644)}, RouteCase{kCmdSave, ScreenKind::Picker, B(6604)},
        RouteCase{103, ScreenKind::Easel, B(6641)}, RouteCase{104, ScreenKind::Picker, B(6613)},
        RouteCase{kCmdExport, ScreenKind::Picker, S(6614)},
        RouteCase{kCmdLogInAsNewUser, ScreenKind::Picker, S(5576)},
        RouteCase{kCmdAddMovie, ScreenKind::Picker, B(6613, 113)}, RouteCase{114, ScreenKind::Easel, B(6613, 114)},
        RouteCase{kCmdLoadPicture, ScreenKind::Picker, B(6644)}, RouteCase{kCmdCopy, ScreenKind::Picker, B(6620)},
        RouteCase{kCmdCopy, ScreenKind::Easel, kShell}, RouteCase{kCmdCut, ScreenKind::SlideShow, kShell},
        RouteCase{kCmdHelp, ScreenKind::SlideShow, S(239)},
        RouteCase{kCmdFlattenStickers, ScreenKind::Picker, kNothing},
        RouteCase{kCmdPickBgColor, ScreenKind::Picker, B(6630)}, RouteCase{217, ScreenKind::Easel, B(6632)},
        RouteCase{kCmdEditABCText, ScreenKind::Easel, B(6628)}, RouteCase{227, ScreenKind::Easel, B(6649)},
        RouteCase{229, ScreenKind::Picker, B(1449)}, RouteCase{229, ScreenKind::Easel, kNothing},
        RouteCase{230, ScreenKind::Picker, B(1452)}, RouteCase{kCmdCleanUpExtra, ScreenKind::Easel, kNothing},
        RouteCase{kCmdSayItThisWay, ScreenKind::Easel, R(RouteKind::ToTextPanel, 6622)},
        RouteCase{kCmdIdeaMachine, ScreenKind::Easel, S(298)},
        RouteCase{kCmdIdeaMachine, ScreenKind::Picker, kNothing}, RouteCase{kCmdSaveAs, ScreenKind::Picker, B(6655)},
        RouteCase{kCmdPaperTextures, ScreenKind::Easel, S(238)},
        RouteCase{kCmdPaperTextures, ScreenKind::Picker, kNothing}, RouteCase{kCmdNote, ScreenKind::Easel, kShell},
        RouteCase{kCmdNote, ScreenKind::Picker, kNothing}, RouteCase{kCmdManageLibraries, ScreenKind::Easel, kShell},
        RouteCase{kCmdViewTeacherNote, ScreenKind::Picker, kNothing},
        RouteCase{u16(kCmdFirstSpecialCharacter - 1), ScreenKind::Easel, kNothing},
        RouteCase{kCmdAbout, ScreenKind::SlideShow, kShell}, RouteCase{kCmdSwitchLanguage, ScreenKind::None, kShell},
        RouteCase{kCmdBlankout, ScreenKind::Picker, kShell}, RouteCase{701, ScreenKind::Easel, kNothing}));

}  // namespace
