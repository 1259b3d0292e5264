#pragma once
// The messages the current tool panel is given by the screen that shows it, besides the
// panel base's own (framework/panels/RPanel.h) and what the application forwards.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

// The page object whose edit frame the panel's frame maker is to make (parameter 1).
constexpr u32 kMsgPanelObjectFrame = 1250;
// The texture picker closed; parameter 2 is the texture chosen.
constexpr u32 kMsgPanelTextureDone = 1469;
// A picture was opened onto the canvas.
constexpr u32 kMsgPanelPictureOpened = 6654;
// Small-kids mode changed: the panel reads its settings again.
constexpr u32 kMsgPanelReadSettingsAgain = 18900;

}  // namespace Ostrel
