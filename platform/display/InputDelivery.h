#pragma once
// Turns the user's input into the messages the program expects, posted to the window the
// input belongs to: key-down and key-up (system keys while Alt is held without Control, and
// F10), followed by a character message for a key that types one on the US layout, unless the
// key's text comes as text (InputEvent::textFollows); a character message for each character
// of typed text that the program's character set holds (others are left out); mouse
// moves, presses, releases and double clicks with the button and modifier bits in wParam and
// the client position packed in lParam. Keeps the keyboard state (keys down, Caps Lock) and
// the mouse buttons up to date as it goes.
//
// A quit request ends the program through its own shut-down, as the close box would: each
// display window of the calling thread hears kMsgClose, and with none open the thread's
// message loop gets kMsgQuit. User-interface thread only.
#include <cstdint>

#include "platform/display/DisplayTypes.h"
#include "platform/ui/Messages.h"

namespace plat {

// `window` is ignored for a quit request.
void deliverInput(WindowHandle window, const InputEvent& event);

// The mouse buttons held as input last arrived (kMouseLeftButton and the other button bits).
uintptr_t mouseButtonsDown();

// The lParam of a mouse message: x in the low 16 bits, y in the next 16, both signed.
intptr_t packMousePosition(gdi::Point position);

}  // namespace plat
