#include "app/menus/MenuModeStates.h"

#include <initializer_list>

#include "app/menus/MenuCommands.h"
#include "framework/menus/mfxMenu.h"

namespace Ostrel {

namespace {

struct ModeState {
    u16 command;
    u8 easel;  // 1 enabled, 0 grayed
    u8 picker;
};

// Every command whose state a mode sets; the rest are handled below.
constexpr ModeState kModeStates[] = {
    {kCmdNew, 1, 1},           {kCmdOpen, 1, 1},           {kCmdSave, 1, 1},            {kCmdExport, 1, 1},
    {kCmdPrint, 1, 1},         {kCmdExit, 1, 1},           {kCmdUndo, 1, 1},            {kCmdCut, 1, 1},
    {kCmdCopy, 1, 1},          {kCmdPaste, 0, 0},          {kCmdAddGraphic, 1, 1},      {kCmdAddMovie, 1, 1},
    {kCmdImportBackground, 1, 0}, {kCmdImportSound, 1, 0}, {kCmdLoadPicture, 0, 1},     {kCmdPaperTextures, 1, 0},
    {kCmdSwitchLanguage, 1, 1}, {kCmdEditABCText, 1, 0},   {kCmdIdeaMachine, 1, 0},     {kCmdCheckSpelling, 0, 0},
    {kCmdFlattenText, 0, 0},   {kCmdFlattenStickers, 0, 0}, {kCmdSayItThisWay, 0, 0},   {kCmdChangeEffects, 0, 1},
    {kCmdPickBgColor, 0, 1},   {kCmdToolSounds, 1, 1},     {kCmdSwitchScreen, 1, 1},    {kCmdCleanUpExtra, 0, 1},
    {kCmdAttachedSounds, 0, 1}, {kCmdTextToSpeech, 0, 1},  {kCmdManualAdvance, 0, 1},   {kCmdSmallKids, 1, 0},
    {kCmdHelp, 1, 1},          {kCmdViewUsersGuide, 1, 1}, {kCmdGettingStarted, 1, 1},  {kCmdToolTips, 1, 1},
};

void setText(mfxMenu& menu, u16 command, const MenuModeContext& context, const char* key) {
    menu.FormatAcceleratorText(mfxMenuCommand(command), context.texts ? context.texts(key) : std::string(key));
}

void setOnOff(mfxMenu& menu, u16 command, u16 on, const MenuModeContext& context, const char* onKey, const char* offKey) {
    setText(menu, command, context, on ? offKey : onKey);
}

void enable(mfxMenu& menu, u16 command, bool on) { menu.EnableItem(mfxMenuCommand(command), on); }

}  // namespace

void SetOnOffTexts(mfxMenu& menu, const MenuModeContext& context) {
    if (!context.settings) return;
    const GlobalUserSettings& s = *context.settings;
    setOnOff(menu, kCmdTextToSpeech, s.textToSpeech, context, "TurnTextToSpeechOn", "TurnTextToSpeechOff");
    setOnOff(menu, kCmdToolSounds, s.toolSounds, context, "TurnToolSoundsOn", "TurnToolSoundsOff");
    setOnOff(menu, kCmdAttachedSounds, s.attachedSounds, context, "TurnAttachedSndOn", "TurnAttachedSndOff");
    setOnOff(menu, kCmdManualAdvance, s.manualAdvance, context, "TurnManAdvanceOn", "TurnManAdvanceOff");
    setOnOff(menu, kCmdSmallKids, s.smallKids, context, "TurnSmallKidsMdeOn", "TurnSmallKidsMdeOff");
    setOnOff(menu, kCmdToolTips, context.toolTips, context, "ToolTipTextOn", "ToolTipTextOff");
}

void FillTeacherMenu(mfxMenu& menu, const MenuModeContext& context) {
    setText(menu, kCmdManageLibraries, context, "ManageLibraries");
    setText(menu, kCmdNote, context, context.pageHasNote ? "EditNote" : "AddNote");
    setText(menu, kCmdAddDelUsers, context, "AddDelUsers");
    setText(menu, kCmdHideTeacherMenu, context, "HideTeacherMenu");
}

void UpdateMenuTexts(mfxMenu& menu, u16 mode, const MenuModeContext& context) {
    if (!context.settings) return;
    const bool easel = mode == kMenuModeEasel;
    for (u16 position = kMenuFile; position <= kMenuHelp; ++position) menu.EnableItem(mfxMenuPosition(position), true);
    for (const ModeState& state : kModeStates) enable(menu, state.command, easel ? state.easel : state.picker);
    enable(menu, kCmdLogInAsNewUser, !context.loggedInFromConfiguration);
    if (!context.otherScreenBuilt) enable(menu, kCmdSwitchScreen, false);
    if (context.teacherMenuEnabled) enable(menu, kCmdSaveAs, false);
    if (context.teacherMenuShowing) {
        menu.EnableItem(mfxMenuPosition(kMenuTeacher), easel);
        if (easel) {
            for (u16 command : {kCmdManageLibraries, kCmdNote, kCmdHideTeacherMenu}) enable(menu, command, true);
            enable(menu, kCmdAddDelUsers, !context.loggedInFromConfiguration);
        }
    }
    for (u16 command = kCmdFirstSpecialCharacter; command <= kCmdLastSpecialCharacter; ++command) enable(menu, command, false);
    SetOnOffTexts(menu, context);
    SetScreenItemTexts(menu, mode, context);
    if (easel) {
        setText(menu, kCmdViewTeacherNote, context, "ViewTeacherNote");
        setText(menu, kCmdSwitchLanguage, context, "SwitchLanguage1");
    }
    SetNoteItems(menu, mode, context);
}

void SetScreenItemTexts(mfxMenu& menu, u16 mode, const MenuModeContext& context) {
    const bool easel = mode == kMenuModeEasel;
    setText(menu, kCmdNew, context, easel ? "New" : "NewSlideShow");
    setText(menu, kCmdSwitchScreen, context, easel ? "GoToSlideShow" : "GoToPaintZone");
}

void SetNoteItems(mfxMenu& menu, u16 mode, const MenuModeContext& context) {
    if (mode != kMenuModeEasel || !context.settings) return;
    enable(menu, kCmdViewTeacherNote, context.pageHasNote && !context.settings->smallKids);
    if (context.teacherMenuShowing) setText(menu, kCmdNote, context, context.pageHasNote ? "EditNote" : "AddNote");
}

void SetPublishItem(mfxMenu& menu, const MenuModeContext& context) {
    if (!context.teacherMenuEnabled || !context.settings) return;
    enable(menu, kCmdSaveAs, context.pageSavedAsIs && !context.settings->smallKids);
}

void EnableSmallKidsMenuItems(mfxMenu& menu, const MenuModeContext& context) {
    if (!context.settings) return;
    for (const ModeState& state : kModeStates) enable(menu, state.command, false);
    for (u16 command : {kCmdLogInAsNewUser, kCmdViewTeacherNote, kCmdManageLibraries, kCmdNote, kCmdAddDelUsers,
                        kCmdHideTeacherMenu})
        enable(menu, command, false);
    for (u16 command = kCmdFirstSpecialCharacter; command <= kCmdLastSpecialCharacter; ++command) enable(menu, command, false);
    enable(menu, kCmdSwitchLanguage, true);
    enable(menu, kCmdSmallKids, true);
    if (context.teacherMenuEnabled) enable(menu, kCmdSaveAs, false);
    if (context.teacherMenuShowing) menu.EnableItem(mfxMenuPosition(kMenuTeacher), false);
}

void SetMenuBarDisabled(mfxMenu& menu, bool disabled, u16 mode, const MenuModeContext& context) {
    for (u16 position = kMenuFile; position <= kMenuHelp; ++position) menu.EnableItem(mfxMenuPosition(position), !disabled);
    if (context.teacherMenuShowing) menu.EnableItem(mfxMenuPosition(kMenuTeacher), !disabled && mode != kMenuModePicker);
}

}  // namespace Ostrel
