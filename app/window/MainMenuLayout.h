#pragma once
// The main window's menu bar as the program stores it (menu resource 128): its popups, item
// ids and text keys in [MenuStrings], the accelerators, and the debug popup that the program
// takes out of the bar when it loads it. The content set writes it from here.
#include "framework/format/MenuFormat.h"

namespace Ostrel {

MenuResource MainMenuResource();

}  // namespace Ostrel
