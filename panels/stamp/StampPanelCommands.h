#pragma once
// The stamp panel's messages: its buttons (set 18700: the category label, previous and next
// category, new stamp, edit stamp; set 18202: the sizes, whose click carries the button's
// command in parameter 1) and what it posts itself. The stamp editor's closing message is
// kMsgStampEditorClosed (app/stampeditor/StampEditorCommands.h).
#include "engine/base/EngineTypes.h"

namespace Ostrel {

// Build the stamp tool and announce it.
constexpr u32 kMsgStampBuildTool = 8001;
// Open category k (parameter 2: its place in the category popup).
constexpr u32 kMsgStampCategory = 8002;
constexpr u32 kMsgStampSize = 18200;
// The stamp editor on a blank copy of the chosen stamp, or on the stamp itself.
constexpr u32 kMsgStampNew = 18700;
constexpr u32 kMsgStampEdit = 18701;
constexpr u32 kMsgStampCategoryPopup = 18702;
constexpr u32 kMsgStampPreviousCategory = 18703;
constexpr u32 kMsgStampNextCategory = 18704;
// To the screen: the colour swatch is out of service while stamps show (they keep their own
// colours), and back in service when the panel goes.
constexpr u32 kMsgStampSwatchOff = 290;
constexpr u32 kMsgStampSwatchOn = 291;

}  // namespace Ostrel
