#pragma once
// The command ids of the main window's menu bar and accelerators, shared by the menu the
// content set stores and the handler that carries the commands out. Ids without a menu item
// are routed all the same when they arrive.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

enum MenuCommand : u16 {
    kCmdAbout = 100,
    kCmdOpen = 101,
    // Ctrl+S saves the picture; its item reads "Save As...".
    kCmdSave = 102,
    // No menu item; its message (kMsgMenuUnlisted) no screen takes.
    kCmdUnlisted = 103,
    // No menu item; an import without a kind.
    kCmdImportWithoutKind = 104,
    kCmdExport = 105,
    kCmdPrint = 106,
    kCmdExit = 107,
    kCmdNew = 108,
    kCmdLogInAsNewUser = 109,
    kCmdAddGraphic = 111,
    kCmdImportSound = 112,
    kCmdAddMovie = 113,
    // No menu item; the redraw of what was imported.
    kCmdImportRedraw = 114,
    kCmdImportBackground = 115,
    kCmdLoadPicture = 116,
    kCmdUndo = 201,
    kCmdCut = 202,
    kCmdCopy = 203,
    kCmdPaste = 204,
    kCmdCheckSpelling = 210,
    kCmdTextToSpeech = 211,
    kCmdHelp = 213,
    // Flattens the page's Flash stickers into its picture; enabled while the page holds one.
    kCmdFlattenStickers = 214,
    kCmdChangeEffects = 215,
    kCmdPickBgColor = 216,
    // No menu item; the background sound dialog.
    kCmdPickBgSound = 217,
    kCmdToolSounds = 218,
    kCmdSmallKids = 219,
    kCmdAttachedSounds = 220,
    kCmdCleanUpExtra = 222,
    kCmdEditABCText = 224,
    kCmdFlattenText = 225,
    // No menu item; the page's sounds played.
    kCmdPlaySounds = 227,
    // No menu item; the picker plays the slide show once, or looping.
    kCmdPlaySlideShow = 229,
    kCmdPlaySlideShowLooping = 230,
    kCmdManualAdvance = 232,
    kCmdSwitchScreen = 234,
    kCmdViewTeacherNote = 235,
    kCmdViewUsersGuide = 237,
    kCmdSayItThisWay = 238,
    kCmdIdeaMachine = 239,
    kCmdSwitchLanguage = 240,
    // The "Publish" item, there only with the Teacher menu: saving under a new name.
    kCmdSaveAs = 241,
    kCmdManageLibraries = 242,
    kCmdNote = 243,
    kCmdAddDelUsers = 244,
    kCmdHideTeacherMenu = 245,
    kCmdPaperTextures = 246,
    kCmdToolTips = 247,
    kCmdGettingStarted = 248,
    // The special characters: the Spanish question and exclamation marks, the lower-case
    // letters, then the capitals, each group closed by a separator.
    kCmdFirstSpecialCharacter = 401,
    kCmdLastPunctuationCharacter = 402,
    kCmdLastLowerCaseCharacter = 409,
    kCmdLastSpecialCharacter = 416,
    // The debug menu's, which is removed when the bar is loaded: only Blank Out and Show IDs
    // are carried out, reached through their accelerators.
    kCmdDebugMemory = 600,
    kCmdDebugResources = 601,
    kCmdDebugTimers = 602,
    kCmdDebugThreads = 603,
    kCmdDebugFiles = 604,
    kCmdDebugVolumes = 605,
    kCmdDebugPalette = 607,
    kCmdDebugFonts = 608,
    kCmdDebugProfile = 610,
    kCmdDebugSprites = 700,
    kCmdDebugSounds = 701,
    kCmdBlankout = 702,
    kCmdShowIds = 703,
    kCmdTeacherAccelerator = 1200,
};

// Positions of the bar's popups.
constexpr u16 kMenuFile = 0;
constexpr u16 kMenuEdit = 1;
constexpr u16 kMenuAdd = 2;
constexpr u16 kMenuToolbox = 3;
constexpr u16 kMenuControls = 4;
constexpr u16 kMenuHelp = 5;
constexpr u16 kMenuTeacher = 6;
constexpr u16 kMenuDebug = 7;

constexpr u16 kMainMenuId = 128;
constexpr const char* kMenuStringsSection = "MenuStrings";

// The cp1252 character each special-characters item types.
u8 SpecialCharacterOf(u16 command);

}  // namespace Ostrel
