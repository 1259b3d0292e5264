#pragma once
// The messages the main window's menu commands become (MenuCommandRoute.h), by the receiver
// they go to. The screens, the canvas and the text panel take them under these names, so that
// a command can be followed from its menu item to the code that carries it out; the numbers
// are theirs, which is why one number can mean one thing to the picker and another to the
// text panel.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

// Broadcast to every listener of the main window: the current screen and its parts.
enum MenuBroadcast : u32 {
    kMsgMenuSmallKidsChanged = 263,
    // The easel's way to the slide-show editor (the picker's way back is kScreenPicker).
    kMsgMenuGoToPicker = 270,
    // After a switch that changes what the page can play; also handed to the easel when its
    // menus come back after a dialog.
    kMsgRefreshPageState = 280,
    // The picker's transition dialog, for the cell in parameter 2 (0xFFFF: the selected one).
    kMsgMenuTransition = 1340,
    kMsgMenuPlaySlideShow = 1449,
    kMsgMenuPlaySlideShowLooping = 1452,
    kMsgMenuRenumberSlides = 1455,
    kMsgMenuSave = 6604,
    kMsgMenuOpenProject = 6605,
    // An import, its kind (the menu command) in parameter 2.
    kMsgMenuImport = 6613,
    kMsgMenuCutSlide = 6619,
    kMsgMenuCopySlide = 6620,
    kMsgMenuPasteSlide = 6621,
    kMsgMenuPrint = 6627,
    kMsgMenuAbcText = 6628,
    kMsgMenuPickBgColor = 6630,
    kMsgMenuPickBgSound = 6632,
    // Sent by a command without a menu item; no screen takes it.
    kMsgMenuUnlisted = 6641,
    kMsgMenuOpenPicture = 6644,
    // A flattening, the menu command (which says what to flatten) in parameter 2.
    kMsgMenuFlatten = 6647,
    kMsgMenuPlaySounds = 6649,
    kMsgMenuSpeechOff = 6652,
    // Saving under a new name (the Teacher's "Publish").
    kMsgMenuSaveAs = 6655,
};

// Handed straight to one screen's handler (the current one, the easel's or the picker's).
enum MenuScreenMessage : u32 {
    kMsgMenuQuitPicker = 107,
    kMsgMenuPaperTextures = 238,
    kMsgMenuHelp = 239,
    kMsgMenuNewPicture = 245,
    kMsgMenuQuitEasel = 268,
    kMsgMenuTeacherNote = 296,
    kMsgMenuIdeaMachine = 298,
    kMsgMenuNewSlideShow = 1365,
    kMsgMenuPrintSlideShow = 1372,
    kMsgMenuExport = 6614,
    kMsgMenuPickerHelp = 6636,
};

// To the easel's text panel, when it is the current panel.
enum MenuTextPanelMessage : u32 {
    // The typed character as a one-character string in the handler's data argument.
    kMsgMenuSpecialCharacter = 251,
    kMsgMenuCheckSpelling = 6621,
    kMsgMenuSayItThisWay = 6622,
    kMsgMenuTextLanguage = 6623,
};

}  // namespace Ostrel
