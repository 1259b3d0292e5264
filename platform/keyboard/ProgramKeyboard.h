#pragma once
// A keyboard layout of the program's own. While one is in use, the keys a child presses are read
// through it by their key codes, whatever characters the desktop's layout puts on them, and its
// dead keys are composed with the next key through the compose table, so that a child on any
// keyboard types what the program's language puts on those keys (on a US keyboard in Spanish,
// the key right of L types ñ). Without one the desktop's layout types. User-interface thread only.
#include <cstdint>
#include <string>

namespace plat {

struct ProgramKeyModifiers {
    bool shift = false;
    bool capsLock = false;
    bool altGr = false;
};

// Reads the keys through the XKB layout `layout` ("latam") from now on; an empty name gives the
// desktop's layout back. False (and the desktop's layout stays) when the layout cannot be made.
bool useProgramKeyboard(const std::string& layout);
bool programKeyboardInUse();
// What the key with the X key code `keyCode`, pressed with `modifiers`, types on the program's
// layout, in UTF-8. Empty for a dead key waiting for the next, for a key that types nothing,
// and while no layout of the program's own is in use.
std::string programKeyboardText(uint32_t keyCode, const ProgramKeyModifiers& modifiers);

}  // namespace plat
