#pragma once
// The messages of the text panel: its own buttons' clicks, its popups' choices, what it posts
// to itself, and what the menus, the pronunciation dialog and the colour picker send it.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

enum TextPanelCommand : u32 {
    kMsgTextFontPrevious = 200,
    kMsgTextFontNext = 201,
    kMsgTextSizePrevious = 202,
    kMsgTextSizeNext = 203,
    kMsgTextJustifyLeft = 204,
    kMsgTextJustifyCentre = 205,
    kMsgTextJustifyRight = 206,
    kMsgTextBold = 207,
    kMsgTextItalic = 208,
    kMsgTextUnderline = 209,
    kMsgTextFontPopup = 210,
    kMsgTextSizePopup = 211,
    kMsgTextSpeak = 230,
    kMsgTextVoicePopup = 231,
    kMsgTextSpeakOrFree = 232,
    kMsgTextPlace = 235,
    kMsgTextVoicePrevious = 236,
    kMsgTextVoiceNext = 237,
    kMsgTextCut = 240,
    kMsgTextCopy = 241,
    kMsgTextPaste = 242,
    kMsgTextMade = 247,
    kMsgTextPronounceClosed = 248,
    kMsgTextFontChosen = 333,
    kMsgTextSizeChosen = 334,
    kMsgTextVoiceChosen = 335,
    kMsgTextMakeTool = 11000,
};

}  // namespace Ostrel
