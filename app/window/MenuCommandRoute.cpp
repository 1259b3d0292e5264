#include "app/window/MenuCommandRoute.h"

#include "app/window/MenuCommands.h"

namespace Ostrel {

namespace {

constexpr CommandRoute broadcast(u32 code, u16 param2 = 0) { return {RouteKind::Broadcast, code, param2}; }
constexpr CommandRoute to(RouteKind kind, u32 code, u16 param2 = 0) { return {kind, code, param2}; }
constexpr CommandRoute shell() { return {RouteKind::Shell, 0, 0}; }
constexpr CommandRoute nothing() { return {}; }

}  // namespace

CommandRoute RouteMenuCommand(u16 command, ScreenKind current) {
    const bool easel = current == ScreenKind::Easel;
    const bool picker = current == ScreenKind::Picker;
    if (command >= kCmdFirstSpecialCharacter && command <= kCmdLastSpecialCharacter) return to(RouteKind::ToTextPanel, 251);
    switch (command) {
    case kCmdOpen: return broadcast(picker ? 6605 : 6644);
    case kCmdSaveAs: return broadcast(6604);
    case 103: return broadcast(6641);
    case 104: return broadcast(6613);
    case kCmdExport: return to(RouteKind::ToCurrentScreen, 6614);
    case kCmdPrint: return picker ? to(RouteKind::ToPickerListener, 1372) : broadcast(6627);
    case kCmdExit: return easel ? to(RouteKind::ToEasel, 268) : picker ? to(RouteKind::ToPicker, 107) : shell();
    case kCmdNew: return easel ? to(RouteKind::ToEasel, 245) : picker ? to(RouteKind::ToPickerListener, 1365) : nothing();
    case kCmdLogInAsNewUser: return easel || picker ? to(RouteKind::ToCurrentScreen, 5576) : to(RouteKind::ToApplication, 5576);
    case kCmdAddGraphic: return to(RouteKind::ToCurrentScreen, 6613, kCmdAddGraphic);
    case kCmdImportSound:
    case kCmdAddMovie:
    case 114:
    case kCmdImportBackground: return broadcast(6613, command);
    case kCmdLoadPicture: return broadcast(6644);
    case kCmdCut: return picker ? broadcast(6619) : shell();
    case kCmdCopy: return picker ? broadcast(6620) : shell();
    case kCmdPaste: return picker ? broadcast(6621) : shell();
    case kCmdCheckSpelling: return to(RouteKind::ToTextPanel, 6621);
    case kCmdHelp: return picker ? to(RouteKind::ToPicker, 6636) : to(RouteKind::ToCurrentScreen, 239);
    case kCmdFlattenStickers:
    case kCmdFlattenText: return easel ? broadcast(6647, command) : nothing();
    case kCmdChangeEffects: return picker ? broadcast(1340, 0xFFFF) : nothing();
    case kCmdPickBgColor: return broadcast(6630);
    case 217: return broadcast(6632);
    case kCmdCleanUpExtra: return picker ? broadcast(1455) : nothing();
    case kCmdEditABCText: return broadcast(6628);
    case 227: return broadcast(6649);
    case 229: return picker ? broadcast(1449) : nothing();
    case 230: return picker ? broadcast(1452) : nothing();
    case kCmdViewTeacherNote: return easel ? to(RouteKind::ToEasel, 296) : nothing();
    case kCmdSayItThisWay: return to(RouteKind::ToTextPanel, 6622);
    case kCmdIdeaMachine: return easel ? to(RouteKind::ToEasel, 298) : nothing();
    case kCmdPublish: return broadcast(6655);
    case kCmdAddDelUsers: return easel ? to(RouteKind::ToEasel, 5578) : nothing();
    case kCmdPaperTextures: return easel ? to(RouteKind::ToEasel, 238) : nothing();
    case kCmdGettingStarted: return to(RouteKind::ToWindowListener, 60);
    case kCmdManageLibraries:
    case kCmdNote: return easel ? shell() : nothing();
    case kCmdAbout:
    case kCmdUndo:
    case kCmdTextToSpeech:
    case kCmdToolSounds:
    case kCmdSmallKids:
    case kCmdAttachedSounds:
    case kCmdManualAdvance:
    case kCmdSwitchScreen:
    case kCmdViewUsersGuide:
    case kCmdSwitchLanguage:
    case kCmdHideTeacherMenu:
    case kCmdTeacherAccelerator:
    case kCmdToolTips:
    case kCmdBlankout:
    case kCmdShowIds: return shell();
    default: return nothing();
    }
}

}  // namespace Ostrel
