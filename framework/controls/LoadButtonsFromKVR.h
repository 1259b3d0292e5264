#pragma once
// Builds the buttons of a button set ('MBTN' of the open archives): a sprite for each, made
// with the given flags in its up shape (at its rectangle's corner when it has one), and a
// hot-spot item in `list` that posts the button's click and hover messages to `listener`.
// Sprites are made hidden; the caller draws the set.
// A button stored hidden has its hot spot out of service until it is shown.
// User-interface thread only.
#include <memory>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "framework/controls/RButton.h"

namespace Ostrel {

class RHotSpotList;

constexpr FourCC kButtonSetType = fourCC("MBTN");
// The sprite flags the screens, dialogs and panels give their buttons.
constexpr u32 kButtonSpriteFlags = 0xC08000;

using RButtonSet = std::vector<std::unique_ptr<RButton>>;

// Empty when the set is missing or cannot be read; `error` (when given) tells why.
RButtonSet LoadButtonsFromKVR(CListener* listener, RHotSpotList* list, u16 setId, u32 spriteFlags,
                              EngineErr* error = nullptr);
// Builds the buttons of records already read.
RButtonSet MakeButtons(CListener* listener, RHotSpotList* list, const std::vector<ButtonRecord>& records,
                       u32 spriteFlags);
// Draws every button of the set but those stored hidden.
void DrawButtons(const RButtonSet& buttons);
// The index of the button with that command id, -1 when none.
int FindButtonByCommand(const RButtonSet& buttons, u16 command);
// A group's buttons behave as radio buttons: every button of `group` but the one of `kept`
// goes back up (group 0 is no group). The owner calls it when a button of the group posts
// kMsgButtonSelected or kMsgButtonLatched.
void ReleaseButtonGroup(const RButtonSet& buttons, u16 group, const RHotSpotItem* kept);

}  // namespace Ostrel
