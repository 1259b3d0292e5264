#pragma once
// The commands and messages the paint screen answers: its buttons' clicks and hover help, the
// replies of its dialogs and what it posts to itself on the way through a save question. What
// the main window's menus send it (some of it also its buttons' clicks: Help, the idea machine,
// the slide shows) is named in app/window/MenuMessages.h, and the messages it shares with the
// application, the canvas, the pickers and the panels keep the names their own headers give.
#include "engine/base/EngineTypes.h"
#include "screens/easel/CanvasMessages.h"

namespace Ostrel {

// The toolbar buttons: each shows the option panel of its tool family. 226 and 231 are no
// button; the id of the toolbar shown is the command's number.
constexpr u32 kEaselToolbarStickers = 222;
constexpr u32 kEaselToolbarAnimations = 223;
constexpr u32 kEaselToolbarBackgrounds = 224;
constexpr u32 kEaselToolbarSounds = 225;
constexpr u32 kEaselToolbarGrab = 227;
constexpr u32 kEaselToolbarEraser = 228;
constexpr u32 kEaselToolbarText = 229;
constexpr u32 kEaselToolbarWacky = 230;
constexpr u32 kEaselToolbarPencil = 232;
constexpr u32 kEaselToolbarPaint = 233;
constexpr u32 kEaselToolbarFill = 234;
constexpr u32 kEaselToolbarPictures = 235;
constexpr u32 kEaselToolbarStamps = 236;
constexpr u32 kEaselToolbarMixer = 237;

// Buttons and commands.
constexpr u32 kEaselPrint = 242;
constexpr u32 kEaselPlay = 243;
constexpr u32 kEaselStop = 244;
constexpr u32 kEaselNewPictureAgain = 285;
constexpr u32 kEaselUndo = 260;
// The pointer over the undo snail.
constexpr u32 kEaselUndoHover = 261;
constexpr u32 kEaselStartOver = 266;
// Quitting asks the easel first, as the menu's Exit does (kMsgMenuQuitEasel).
constexpr u32 kEaselQuitRequest = 267;
constexpr u32 kEaselSave = 281;
constexpr u32 kEaselSaveButton = 282;
// A new page, the canvas's own request: the easel asks about unsaved work first (it comes back
// as kMsgMenuNewPicture).
constexpr u32 kEaselNewPageCommand = kMsgNewPage;

// The save question before a command drops the page: kEaselAskToSave carries the pending
// action in parameter 1 (kEaselQuit, kMsgMenuNewPicture, kScreenPicker or one of these).
constexpr u32 kEaselAskToSave = 264;
constexpr u32 kEaselPendingOpenIdea = 246;
constexpr u32 kEaselPendingOpenFromMenu = 249;
constexpr u32 kEaselPendingOpenProject = 279;
// The question's replies, one per pending action.
constexpr u32 kEaselOpenFromMenuReply = 251;
constexpr u32 kEaselOpenIdeaReply = 256;
constexpr u32 kEaselOpenProjectReply = 257;
constexpr u32 kEaselQuitReply = 258;
constexpr u32 kEaselNewPictureReply = 259;
constexpr u32 kEaselSlideShowReply = 262;
// What the easel posts itself once the question is answered.
constexpr u32 kEaselContinueOpenIdea = 247;
constexpr u32 kEaselContinueNewPicture = 248;
constexpr u32 kEaselContinueOpenFromMenu = 250;
constexpr u32 kEaselQuit = 269;

// A new page after a login (parameter 2 kLoginChosen).
constexpr u32 kEaselLoggedIn = 265;
// The copy dialog and its reply.
constexpr u32 kEaselCopyDialog = 271;
constexpr u32 kEaselCopyDialogReply = 272;
// The colour swatch out of and back in service.
constexpr u32 kEaselSwatchOff = 290;
constexpr u32 kEaselSwatchOn = 291;
// The pointer over the colour swatch (parameter 2 1): the palette opens.
constexpr u32 kEaselSwatchHover = 666;
// The reply of the small-kids naming dialog.
constexpr u32 kEaselNameReply = 1444;

// The buttons' hover help: each shows the tool tip of its button (EaselToolTips.h).
constexpr u32 kEaselFirstToolTip = 325;
constexpr u32 kEaselLastToolTip = 344;

// The phases of a toolbar selection; the posted phase comes back as kEaselToolbarPhase.
constexpr u32 kEaselToolbarPhase = fourCC("tldn");

}  // namespace Ostrel
