#pragma once
// Readying the stored main menu for the window: the debug popup goes, the Teacher menu is
// held back (or, when the configuration does not offer it, dropped with "Publish"), and every
// text is put in place from the current language.
#include "app/menus/MenuModeStates.h"
#include "framework/menus/mfxMenu.h"

namespace Ostrel {

// The Teacher popup, held out of the bar until it is shown; empty when it is not offered.
mfxPopup LoadMainMenuBar(mfxMenu& menu, bool teacherMenuEnabled);
// Every title and item text of the bar in the current language, accelerators included, then
// the texts that depend on the mode and the switches.
void BuildMenuTexts(mfxMenu& menu, u16 mode, const MenuModeContext& context);

}  // namespace Ostrel
