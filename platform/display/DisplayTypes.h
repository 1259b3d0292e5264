#pragma once
// What the display layer tells the program about the screen and what it hands it from the
// user: display modes and input events in a driver-neutral form.
#include <cstdint>
#include <string>

#include "platform/gdi/Geometry.h"

namespace plat {

struct DisplayMode {
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitsPerPixel = 0;
    uint32_t refreshHz = 0;  // 0: not known
    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

enum class MouseButton { Left, Right, Middle };

// One thing the user did, as a driver read it or a test scripted it. Positions are in client
// pixels of the window the event belongs to. Quit is a request to end the program from the
// desktop or a termination signal; it belongs to no window.
//
// Text is what the desktop's keyboard layout and input method made of the keys (accents, dead
// keys and compositions included), in UTF-8. A driver that delivers such text marks the key
// events it comes from with textFollows: their own characters (the US layout's) are then not
// typed, while keys that type no text (Return, Backspace, Control with a letter) still type
// their control characters.
struct InputEvent {
    enum class Kind { KeyDown, KeyUp, MouseMove, MouseDown, MouseUp, MouseDoubleClick, Text, Quit };
    Kind kind = Kind::MouseMove;
    uint8_t virtualKey = 0;
    uint8_t scanCode = 0;
    bool textFollows = false;
    std::string text;
    MouseButton button = MouseButton::Left;
    gdi::Point position;
};

}  // namespace plat
