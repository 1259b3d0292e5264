#pragma once
// Translation of a virtual key to the cp1252 character it types on a US keyboard, given the
// state of Shift, Control, Alt and Caps Lock. Control with a letter gives its control code;
// Control with Alt types nothing (the US layout has no AltGr characters). Any thread may call.
#include <cstdint>
#include <optional>

#include "platform/keyboard/KeyboardState.h"

namespace plat {

std::optional<uint8_t> translateKey(uint8_t virtualKey, const KeyboardState& state);

}  // namespace plat
