// The main menu bar as stored, and the commands each screen offers: easel and picker states,
// the on/off texts, small-kids mode and the bar grayed under a dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/menus/MenuCommands.h"
#include "app/menus/MenuModeStates.h"
#include "app/window/MainMenuBar.h"
#include "app/window/MainMenuLayout.h"
#include "framework/menus/mfxMenu.h"

namespace {

using namespace Ostrel;

mfxMenu mainMenu() {
    mfxMenu menu;
    menu.SetFromResource(MainMenuResource());
    return menu;
}

MenuModeContext contextWith(const GlobalUserSettings* settings) {
    MenuModeContext context;
    context.texts = [](const char* key) { return std::string("<") + key + ">"; };
    context.settings = settings;
    return context;
}

std::string textOf(const mfxMenu& menu, u16 command) {
    std::string text = menu.ItemText(mfxMenuCommand(command));
    return text.substr(0, text.find('\t'));
}

TEST(MainMenuLayoutTest, StoresAndReadsBackWithinTheFormatsLimits) {
    std::vector<u8> bytes;
    ASSERT_EQ(writeMenuResource(MainMenuResource(), &bytes), kErrNone);
    MenuResource back;
    ASSERT_EQ(parseMenuResource(bytes, &back), kErrNone);
    EXPECT_EQ(back, MainMenuResource());
    EXPECT_EQ(back.popups.size(), 8u);
}

TEST(MainMenuLayoutTest, SpecialCharactersTypeTheirCp1252Letters) {
    const mfxMenu menu = mainMenu();
    std::string typed;
    for (u16 command = kCmdFirstSpecialCharacter; command <= kCmdLastSpecialCharacter; ++command) {
        ASSERT_TRUE(menu.HasItem(mfxMenuCommand(command))) << command;
        typed += char(SpecialCharacterOf(command));
    }
    EXPECT_EQ(typed, "\xBF\xA1\xE1\xE9\xED\xF3\xFA\xFC\xF1\xC1\xC9\xCD\xD3\xDA\xDC\xD1");
    EXPECT_EQ(SpecialCharacterOf(400), 0);
    EXPECT_EQ(SpecialCharacterOf(417), 0);
}

TEST(MainMenuLayoutTest, DebugCommandsOutliveTheirPopupThroughTheBarsAccelerators) {
    mfxMenu menu = mainMenu();
    menu.RemoveSubMenu(kMenuDebug);
    EXPECT_FALSE(menu.HasItem(mfxMenuCommand(kCmdBlankout)));
    EXPECT_EQ(menu.TranslateAccelerator('B', kAccelControl), kCmdBlankout);
    EXPECT_EQ(menu.TranslateAccelerator('D', kAccelControl), kCmdShowIds);
    EXPECT_EQ(menu.TranslateAccelerator('T', kAccelControl), kCmdTeacherAccelerator);
    EXPECT_EQ(menu.TranslateAccelerator('S', kAccelControl), kCmdSave);
}

struct StateCase {
    u16 command;
    bool easel;
    bool picker;
};

class MenuModes : public ::testing::TestWithParam<StateCase> {};

TEST_P(MenuModes, EachScreenOffersItsCommands) {
    GlobalUserSettings settings;
    for (u16 mode : {kMenuModeEasel, kMenuModePicker}) {
        mfxMenu menu = mainMenu();
        // Start from the opposite of what the mode should leave, so every state is really set.
        const bool expected = mode == kMenuModeEasel ? GetParam().easel : GetParam().picker;
        menu.EnableItem(mfxMenuCommand(GetParam().command), !expected);
        UpdateMenuTexts(menu, mode, contextWith(&settings));
        EXPECT_EQ(menu.IsItemEnabled(mfxMenuCommand(GetParam().command)), expected) << "mode " << mode;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, MenuModes,
                         ::testing::Values(StateCase{kCmdNew, true, true}, StateCase{kCmdPaste, false, false},
                                           StateCase{kCmdAddGraphic, true, true}, StateCase{kCmdLoadPicture, false, true},
                                           StateCase{kCmdPaperTextures, true, false}, StateCase{kCmdEditABCText, true, false},
                                           StateCase{kCmdCheckSpelling, false, false}, StateCase{kCmdChangeEffects, false, true},
                                           StateCase{kCmdCleanUpExtra, false, true}, StateCase{kCmdTextToSpeech, false, true},
                                           StateCase{kCmdSmallKids, true, false}, StateCase{kCmdSwitchLanguage, true, true},
                                           StateCase{kCmdToolTips, true, true}, StateCase{kCmdLogInAsNewUser, true, true},
                                           StateCase{kCmdFirstSpecialCharacter, false, false},
                                           StateCase{kCmdLastSpecialCharacter, false, false}));

TEST(MenuModeTexts, GoToIsOfferedOnlyWhenTheOtherScreenIsBuilt) {
    GlobalUserSettings settings;
    for (u16 mode : {kMenuModeEasel, kMenuModePicker})
        for (bool built : {false, true}) {
            SCOPED_TRACE(testing::Message() << mode << " " << built);
            MenuModeContext context = contextWith(&settings);
            context.otherScreenBuilt = built;
            mfxMenu menu = mainMenu();
            menu.EnableItem(mfxMenuCommand(kCmdSwitchScreen), !built);
            UpdateMenuTexts(menu, mode, context);
            EXPECT_EQ(menu.IsItemEnabled(mfxMenuCommand(kCmdSwitchScreen)), built);
        }
}

TEST(MenuModeTexts, OnOffItemsNameTheActionTheyWouldTake) {
    GlobalUserSettings settings;
    settings.textToSpeech = 1;
    settings.smallKids = 0;
    settings.manualAdvance = 1;
    MenuModeContext context = contextWith(&settings);
    context.toolTips = 0;
    mfxMenu menu = mainMenu();
    UpdateMenuTexts(menu, kMenuModePicker, context);
    EXPECT_EQ(textOf(menu, kCmdTextToSpeech), "<TurnTextToSpeechOff>");
    EXPECT_EQ(textOf(menu, kCmdSmallKids), "<TurnSmallKidsMdeOn>");
    EXPECT_EQ(textOf(menu, kCmdManualAdvance), "<TurnManAdvanceOff>");
    EXPECT_EQ(textOf(menu, kCmdToolTips), "<ToolTipTextOn>");
    EXPECT_EQ(textOf(menu, kCmdSwitchScreen), "<GoToPaintZone>");
    UpdateMenuTexts(menu, kMenuModeEasel, context);
    EXPECT_EQ(textOf(menu, kCmdSwitchScreen), "<GoToSlideShow>");
}

TEST(MenuModeTexts, BuildingTheTextsReachesEveryTitleAndItem) {
    GlobalUserSettings settings;
    MenuModeContext context = contextWith(&settings);
    mfxMenu menu = mainMenu();
    LoadMainMenuBar(menu, false);
    BuildMenuTexts(menu, kMenuModeEasel, context);
    EXPECT_EQ(menu.ItemText(mfxMenuPosition(kMenuFile)), "<File>");
    EXPECT_EQ(menu.ItemText(mfxMenuCommand(kCmdSave)), "<SaveAs>\tCtrl+S");
    EXPECT_EQ(menu.ItemText(mfxMenuCommand(kCmdExit)), "<Exit>\tCtrl+Q");
    EXPECT_EQ(textOf(menu, kCmdToolSounds), "<TurnToolSoundsOff>");
    EXPECT_EQ(textOf(menu, kCmdSwitchScreen), "<GoToSlideShow>");
    BuildMenuTexts(menu, kMenuModePicker, context);
    EXPECT_EQ(textOf(menu, kCmdNew), "<NewSlideShow>") << "after a language switch on the picker";
    for (u16 command : {kCmdNew, kCmdCut, kCmdAddGraphic, kCmdIdeaMachine, kCmdCleanUpExtra, kCmdViewUsersGuide})
        EXPECT_EQ(textOf(menu, command).front(), '<') << command;
}

TEST(MenuModeTexts, WithoutTheTeacherMenuThereIsNoPublishEither) {
    mfxMenu menu = mainMenu();
    const mfxPopup teacher = LoadMainMenuBar(menu, false);
    EXPECT_TRUE(teacher.IsEmpty());
    EXPECT_EQ(menu.PopupCount(), 6);
    EXPECT_FALSE(menu.HasItem(mfxMenuCommand(kCmdSaveAs)));
    EXPECT_FALSE(menu.HasItem(mfxMenuCommand(kCmdAddDelUsers)));

    mfxMenu offered = mainMenu();
    const mfxPopup held = LoadMainMenuBar(offered, true);
    EXPECT_FALSE(held.IsEmpty());
    EXPECT_EQ(offered.PopupCount(), 6);
    EXPECT_TRUE(offered.HasItem(mfxMenuCommand(kCmdSaveAs)));
    offered.InsertSubMenu(kMenuTeacher, "Teacher", held);
    EXPECT_TRUE(offered.HasItem(mfxMenuCommand(kCmdAddDelUsers)));
}

TEST(MenuModeTexts, NothingChangesWithoutASettingsRecord) {
    mfxMenu menu = mainMenu();
    menu.EnableItem(mfxMenuCommand(kCmdPaste), true);
    UpdateMenuTexts(menu, kMenuModeEasel, contextWith(nullptr));
    EXPECT_TRUE(menu.IsItemEnabled(mfxMenuCommand(kCmdPaste)));
}

TEST(MenuModeTexts, LoginFromConfigurationKeepsUsersFixed) {
    GlobalUserSettings settings;
    MenuModeContext context = contextWith(&settings);
    context.loggedInFromConfiguration = true;
    context.teacherMenuEnabled = true;
    context.teacherMenuShowing = true;
    mfxMenu menu = mainMenu();
    UpdateMenuTexts(menu, kMenuModeEasel, context);
    EXPECT_FALSE(menu.IsItemEnabled(mfxMenuCommand(kCmdLogInAsNewUser)));
    EXPECT_FALSE(menu.IsItemEnabled(mfxMenuCommand(kCmdAddDelUsers)));
    EXPECT_TRUE(menu.IsItemEnabled(mfxMenuCommand(kCmdManageLibraries)));
    EXPECT_FALSE(menu.IsItemEnabled(mfxMenuCommand(kCmdSaveAs)));
    UpdateMenuTexts(menu, kMenuModePicker, context);
    EXPECT_FALSE(menu.IsItemEnabled(mfxMenuPosition(kMenuTeacher)));
}

TEST(MenuModeTexts, SmallKidsLeaveOnlyTheLanguageAndTheirOwnSwitch) {
    GlobalUserSettings settings;
    MenuModeContext context = contextWith(&settings);
    for (bool teacherOffered : {false, true}) {
        context.teacherMenuEnabled = teacherOffered;
        mfxMenu menu = mainMenu();
        LoadMainMenuBar(menu, teacherOffered);
        UpdateMenuTexts(menu, kMenuModeEasel, context);
        EnableSmallKidsMenuItems(menu, context);
        std::vector<u16> usable;
        for (u16 command = 100; command <= 420; ++command)
            if (menu.HasItem(mfxMenuCommand(command)) && menu.IsItemEnabled(mfxMenuCommand(command))) usable.push_back(command);
        EXPECT_EQ(usable, (std::vector<u16>{kCmdSmallKids, kCmdSwitchLanguage})) << teacherOffered;
    }
}

TEST(MenuModeTexts, ADialogGraysTheBarAndClosingItGivesItBack) {
    GlobalUserSettings settings;
    MenuModeContext context = contextWith(&settings);
    context.teacherMenuShowing = true;
    mfxMenu menu = mainMenu();
    SetMenuBarDisabled(menu, true, kMenuModeEasel, context);
    for (u16 position = kMenuFile; position <= kMenuTeacher; ++position)
        EXPECT_FALSE(menu.IsItemEnabled(mfxMenuPosition(position))) << position;
    SetMenuBarDisabled(menu, false, kMenuModeEasel, context);
    for (u16 position = kMenuFile; position <= kMenuTeacher; ++position)
        EXPECT_TRUE(menu.IsItemEnabled(mfxMenuPosition(position))) << position;
    SetMenuBarDisabled(menu, false, kMenuModePicker, context);
    EXPECT_FALSE(menu.IsItemEnabled(mfxMenuPosition(kMenuTeacher)));
}

TEST(MenuModeTexts, TeacherNoteItemFollowsThePage) {
    GlobalUserSettings settings;
    MenuModeContext context = contextWith(&settings);
    mfxMenu menu = mainMenu();
    FillTeacherMenu(menu, context);
    EXPECT_EQ(textOf(menu, kCmdNote), "<AddNote>");
    context.pageHasNote = true;
    FillTeacherMenu(menu, context);
    EXPECT_EQ(textOf(menu, kCmdNote), "<EditNote>");
}

}  // namespace
