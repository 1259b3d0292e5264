#include "app/window/MenuCommandRoute.h"

#include <algorithm>
#include <iterator>

#include "app/application/ApplicationMessages.h"
#include "app/menus/MenuCommands.h"
#include "app/window/MenuMessages.h"
#include "app/window/WindowMessages.h"

namespace Ostrel {

namespace {

constexpr CommandRoute broadcast(u32 code, u16 param2 = 0) { return {RouteKind::Broadcast, code, param2}; }
constexpr CommandRoute to(RouteKind kind, u32 code, u16 param2 = 0) { return {kind, code, param2}; }
constexpr CommandRoute toScreen(u32 code, u16 param2 = 0) { return to(RouteKind::ToCurrentScreen, code, param2); }
constexpr CommandRoute shell() { return {RouteKind::Shell, 0, 0}; }
constexpr CommandRoute nothing() { return {}; }

// Where one command goes with the easel, the picker or any other screen (the slide-show
// player, the splash screen, none) current.
struct RouteRow {
    u16 command;
    CommandRoute easel;
    CommandRoute picker;
    CommandRoute elsewhere;
};

constexpr RouteRow everywhere(u16 command, CommandRoute route) { return {command, route, route, route}; }
constexpr RouteRow onEasel(u16 command, CommandRoute route) { return {command, route, nothing(), nothing()}; }
constexpr RouteRow onPicker(u16 command, CommandRoute route, CommandRoute otherwise = nothing()) {
    return {command, otherwise, route, otherwise};
}
// The shell's own on every screen.
constexpr RouteRow shellCommand(u16 command) { return everywhere(command, shell()); }

constexpr RouteRow kRoutes[] = {
    shellCommand(kCmdAbout),
    onPicker(kCmdOpen, broadcast(kMsgMenuOpenProject), broadcast(kMsgMenuOpenPicture)),
    everywhere(kCmdSave, broadcast(kMsgMenuSave)),
    everywhere(kCmdUnlisted, broadcast(kMsgMenuUnlisted)),
    everywhere(kCmdImportWithoutKind, broadcast(kMsgMenuImport)),
    everywhere(kCmdExport, toScreen(kMsgMenuExport)),
    onPicker(kCmdPrint, toScreen(kMsgMenuPrintSlideShow), broadcast(kMsgMenuPrint)),
    {kCmdExit, toScreen(kMsgMenuQuitEasel), toScreen(kMsgMenuQuitPicker), shell()},
    {kCmdNew, toScreen(kMsgMenuNewPicture), toScreen(kMsgMenuNewSlideShow), nothing()},
    {kCmdLogInAsNewUser, toScreen(kMsgOpenDocument), toScreen(kMsgOpenDocument),
     to(RouteKind::ToApplication, kMsgOpenDocument)},
    everywhere(kCmdAddGraphic, toScreen(kMsgMenuImport, kCmdAddGraphic)),
    everywhere(kCmdImportSound, broadcast(kMsgMenuImport, kCmdImportSound)),
    everywhere(kCmdAddMovie, broadcast(kMsgMenuImport, kCmdAddMovie)),
    everywhere(kCmdImportRedraw, broadcast(kMsgMenuImport, kCmdImportRedraw)),
    everywhere(kCmdImportBackground, broadcast(kMsgMenuImport, kCmdImportBackground)),
    everywhere(kCmdLoadPicture, broadcast(kMsgMenuOpenPicture)),
    shellCommand(kCmdUndo),
    // The easel's clipboard is the shell's; the picker's is its slide strip.
    onPicker(kCmdCut, broadcast(kMsgMenuCutSlide), shell()),
    onPicker(kCmdCopy, broadcast(kMsgMenuCopySlide), shell()),
    onPicker(kCmdPaste, broadcast(kMsgMenuPasteSlide), shell()),
    everywhere(kCmdCheckSpelling, to(RouteKind::ToTextPanel, kMsgMenuCheckSpelling)),
    shellCommand(kCmdTextToSpeech),
    onPicker(kCmdHelp, toScreen(kMsgMenuPickerHelp), toScreen(kMsgMenuHelp)),
    onEasel(kCmdFlattenStickers, broadcast(kMsgMenuFlatten, kCmdFlattenStickers)),
    onPicker(kCmdChangeEffects, broadcast(kMsgMenuTransition, 0xFFFF)),
    everywhere(kCmdPickBgColor, broadcast(kMsgMenuPickBgColor)),
    everywhere(kCmdPickBgSound, broadcast(kMsgMenuPickBgSound)),
    shellCommand(kCmdToolSounds),
    shellCommand(kCmdSmallKids),
    shellCommand(kCmdAttachedSounds),
    onPicker(kCmdCleanUpExtra, broadcast(kMsgMenuRenumberSlides)),
    everywhere(kCmdEditABCText, broadcast(kMsgMenuAbcText)),
    onEasel(kCmdFlattenText, broadcast(kMsgMenuFlatten, kCmdFlattenText)),
    everywhere(kCmdPlaySounds, broadcast(kMsgMenuPlaySounds)),
    onPicker(kCmdPlaySlideShow, broadcast(kMsgMenuPlaySlideShow)),
    onPicker(kCmdPlaySlideShowLooping, broadcast(kMsgMenuPlaySlideShowLooping)),
    shellCommand(kCmdManualAdvance),
    shellCommand(kCmdSwitchScreen),
    onEasel(kCmdViewTeacherNote, toScreen(kMsgMenuTeacherNote)),
    shellCommand(kCmdViewUsersGuide),
    everywhere(kCmdSayItThisWay, to(RouteKind::ToTextPanel, kMsgMenuSayItThisWay)),
    onEasel(kCmdIdeaMachine, toScreen(kMsgMenuIdeaMachine)),
    shellCommand(kCmdSwitchLanguage),
    everywhere(kCmdSaveAs, broadcast(kMsgMenuSaveAs)),
    // The Teacher menu's dialogs are the shell's, and only for the easel's page.
    onEasel(kCmdManageLibraries, shell()),
    onEasel(kCmdNote, shell()),
    onEasel(kCmdAddDelUsers, toScreen(kMsgAdminLogin)),
    shellCommand(kCmdHideTeacherMenu),
    onEasel(kCmdPaperTextures, toScreen(kMsgMenuPaperTextures)),
    shellCommand(kCmdToolTips),
    everywhere(kCmdGettingStarted, to(RouteKind::ToWindowListener, kMsgOpenGettingStarted)),
    shellCommand(kCmdBlankout),
    shellCommand(kCmdShowIds),
    shellCommand(kCmdTeacherAccelerator),
};

constexpr bool eachCommandOnce() {
    for (auto first = std::begin(kRoutes); first != std::end(kRoutes); ++first) {
        for (auto later = first + 1; later != std::end(kRoutes); ++later) {
            if (later->command == first->command) return false;
        }
    }
    return true;
}
static_assert(eachCommandOnce(), "a second row for a command would never be reached");

}  // namespace

CommandRoute RouteMenuCommand(u16 command, ScreenKind current) {
    if (command >= kCmdFirstSpecialCharacter && command <= kCmdLastSpecialCharacter)
        return to(RouteKind::ToTextPanel, kMsgMenuSpecialCharacter);
    const auto row = std::find_if(std::begin(kRoutes), std::end(kRoutes),
                                  [command](const RouteRow& candidate) { return candidate.command == command; });
    if (row == std::end(kRoutes)) return nothing();
    switch (current) {
    case ScreenKind::Easel: return row->easel;
    case ScreenKind::Picker: return row->picker;
    default: return row->elsewhere;
    }
}

}  // namespace Ostrel
