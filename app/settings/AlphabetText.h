#pragma once
// The line of text the alphabet tool stamps, kept in each user's settings: what it reads while
// the user has left it empty, and its longest length. Both the dialog that edits it and the
// spelling check over it hold it to these.
#include <string>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

// The line in the program's language ("Tumblo is fun!" when the language files give none).
std::string ABCTextDefault();
constexpr u16 kABCTextMaxLength = 63;

}  // namespace Ostrel
