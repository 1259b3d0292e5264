#include "app/window/MainMenuLayout.h"

#include <initializer_list>

#include "app/menus/MenuCommands.h"

namespace Ostrel {

namespace {

struct Item {
    u16 command;  // 0: a separator
    const char* key;
    const char* fallback;
    char accel = 0;  // with Ctrl
};

MenuItemData itemOf(const Item& item) {
    MenuItemData data;
    data.kind = item.command ? MenuItemKind::Command : MenuItemKind::Separator;
    data.command = item.command;
    data.text = {item.key, item.fallback};
    if (item.accel) {
        data.accelKey = u16(item.accel);
        data.accelModifiers = kAccelControl;
    }
    return data;
}

MenuPopupData popupOf(const char* key, const char* fallback, std::initializer_list<Item> items) {
    MenuPopupData popup{{key, fallback}, 0, {}};
    for (const Item& item : items) popup.items.push_back(itemOf(item));
    return popup;
}

MenuItemData specialCharacters() {
    MenuItemData submenu;
    submenu.kind = MenuItemKind::Submenu;
    submenu.text = {"SpecialCharacters", "Special Characters"};
    MenuPopupData popup{{"SpecialCharacters", "Special Characters"}, 0, {}};
    // Each item shows the character it types; the texts are the same in every language.
    for (u16 command = kCmdFirstSpecialCharacter; command <= kCmdLastSpecialCharacter; ++command) {
        popup.items.push_back(itemOf({command, "", ""}));
        popup.items.back().text.fallback = std::string(1, char(SpecialCharacterOf(command)));
        if (command == kCmdLastPunctuationCharacter || command == kCmdLastLowerCaseCharacter)
            popup.items.push_back(itemOf({0, "", ""}));
    }
    submenu.submenu.push_back(std::move(popup));
    return submenu;
}

MenuPopupData filePopup() {
    return popupOf("File", "File",
                   {{kCmdNew, "New", "New"},
                    {kCmdOpen, "Open", "Open..."},
                    {kCmdSave, "SaveAs", "Save As...", 'S'},
                    {kCmdExport, "Export", "Export..."},
                    {kCmdSaveAs, "Publish", "Publish..."},
                    {kCmdPrint, "Print", "Print..."},
                    {0, "", ""},
                    {kCmdLogInAsNewUser, "LogInAsNewUser", "Log In As New User"},
                    {kCmdExit, "Exit", "Exit", 'Q'}});
}

MenuPopupData editPopup() {
    return popupOf("Edit", "Edit",
                   {{kCmdUndo, "", "Undo", 'Z'},
                    {0, "", ""},
                    {kCmdCut, "Cut", "Cut", 'X'},
                    {kCmdCopy, "Copy", "Copy", 'C'},
                    {kCmdPaste, "Paste", "Paste", 'V'}});
}

MenuPopupData addPopup() {
    MenuPopupData add = popupOf("Add", "Add",
                                {{kCmdAddGraphic, "AddGraphic", "Add Graphic..."},
                                 {kCmdAddMovie, "AddMovie", "Add Movie..."},
                                 {kCmdLoadPicture, "LoadPicture", "Load Picture..."}});
    add.items.push_back(specialCharacters());
    for (const Item& item : {Item{kCmdPaperTextures, "PaperTextures", "Paper Textures"},
                             Item{kCmdImportBackground, "ImportBackground", "Import Background..."},
                             Item{kCmdImportSound, "ImportSound", "Import Sound..."}})
        add.items.push_back(itemOf(item));
    return add;
}

MenuPopupData toolboxPopup() {
    return popupOf("Toolbox", "Toolbox",
                   {{kCmdEditABCText, "EditABCText", "Edit ABC Text..."},
                    {kCmdCheckSpelling, "CheckSpelling", "Check Spelling"},
                    {kCmdFlattenText, "FlattenText", "Flatten Text"},
                    {kCmdFlattenStickers, "FlattenStickers", "Flatten Stickers"},
                    {kCmdSayItThisWay, "SayItThisWay", "Say It This Way..."},
                    {kCmdChangeEffects, "ChangeEffects", "Change Effects..."},
                    {kCmdPickBgColor, "PickBgColor", "Background Colour..."},
                    {kCmdIdeaMachine, "IdeaMachine", "Idea Machine"}});
}

MenuPopupData controlsPopup() {
    return popupOf("Controls", "Controls",
                   {{kCmdToolSounds, "TurnToolSoundsOff", "Turn Tool Sounds Off"},
                    {kCmdTextToSpeech, "TurnTextToSpeechOff", "Turn Text To Speech Off"},
                    {kCmdAttachedSounds, "TurnAttachedSndOff", "Turn Attached Sounds Off"},
                    {kCmdSwitchLanguage, "SwitchLanguage1", "Espa\xF1ol"},
                    {kCmdSmallKids, "TurnSmallKidsMdeOn", "Turn Small Kids Mode On"},
                    {kCmdManualAdvance, "TurnManAdvanceOn", "Turn Manual Advance On"},
                    {kCmdViewTeacherNote, "ViewTeacherNote", "View Teacher's Note"},
                    {kCmdCleanUpExtra, "CleanUpExtra", "Clean Up Extra Files"},
                    {kCmdSwitchScreen, "GoToSlideShow", "Go To Slide Show"}});
}

MenuPopupData helpPopup() {
    return popupOf("Help", "Help",
                   {{kCmdGettingStarted, "GettingStarted", "Getting Started"},
                    {kCmdHelp, "Help", "Help"},
                    {kCmdToolTips, "ToolTipTextOff", "Turn Tool Tips Off"},
                    {kCmdViewUsersGuide, "ViewUsersGuide", "User's Guide"}});
}

MenuPopupData teacherPopup() {
    return popupOf("Teacher", "Teacher",
                   {{kCmdManageLibraries, "ManageLibraries", "Manage Libraries..."},
                    {kCmdNote, "AddNote", "Add Note..."},
                    {kCmdAddDelUsers, "AddDelUsers", "Add or Delete Users..."},
                    {kCmdHideTeacherMenu, "HideTeacherMenu", "Hide Teacher Menu"}});
}

// Development aids: the popup never shows; two of its commands stay reachable through the
// bar's own accelerators.
MenuPopupData debugPopup() {
    return popupOf("", "Debug",
                   {{kCmdDebugMemory, "", "Memory"},
                    {kCmdDebugResources, "", "Resources"},
                    {kCmdDebugSprites, "", "Sprites"},
                    {kCmdDebugSounds, "", "Sounds"},
                    {kCmdBlankout, "", "Blank Out"},
                    {kCmdShowIds, "", "Show IDs"},
                    {kCmdDebugTimers, "", "Timers"},
                    {kCmdDebugThreads, "", "Threads"},
                    {kCmdDebugFiles, "", "Files"},
                    {kCmdDebugVolumes, "", "Volumes"},
                    {kCmdDebugPalette, "", "Palette"},
                    {kCmdDebugFonts, "", "Fonts"},
                    {kCmdDebugProfile, "", "Profile"}});
}

}  // namespace

MenuResource MainMenuResource() {
    MenuResource menu;
    menu.popups = {filePopup(),     editPopup(), addPopup(),     toolboxPopup(),
                   controlsPopup(), helpPopup(), teacherPopup(), debugPopup()};
    menu.accelerators = {{'T', kAccelControl, kCmdTeacherAccelerator},
                         {'B', kAccelControl, kCmdBlankout},
                         {'D', kAccelControl, kCmdShowIds}};
    return menu;
}

}  // namespace Ostrel
