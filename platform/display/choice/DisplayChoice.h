#pragma once
// The one place that picks the display driver, once at start-up: the headless one when the
// program runs headless (platform/system/Headless.h) or SDL cannot open a display that
// shows something (the start-up refuses to go on where no display could be opened at all),
// else SDL. User-interface thread only.
#include <string>

#include "platform/display/DisplayDriver.h"

namespace plat {

DisplayDriver& displayDriver();
// Whether the program was to show a window and no display could be opened for it (none is
// set, or the display server refused), headless not having been asked for by name: it then
// cannot start. Makes the start-up choice.
bool displayRefused();
// Whether the refused display took the connection and did not answer it in time.
bool displaySilent();
// The display the desktop named for the program (X's, else Wayland's); empty when none.
std::string displayName();
// Replaces the start-up choice (tests install a headless driver); nullptr restores it.
void setDisplayDriver(DisplayDriver* driver);

}  // namespace plat
