#pragma once
// The packed name list of a 'STRL' resource: a count byte, then that many NUL-terminated
// strings back to back.
#include <span>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

// The names the bytes really hold, at most the count byte's number: a list whose bytes run out
// early, or whose last name has no terminator, ends before it. Empty bytes give no names.
std::vector<std::string> parseStringList(std::span<const u8> bytes);

}  // namespace Ostrel
