#pragma once
// What a typed name must be to become the name of a file or folder: not empty, not "." or
// "..", no path separator or drive colon, no control character, and at most the 255 bytes a
// file name may have.
#include <string_view>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr size_t kMaxEnteredNameBytes = 255;

bool isUsableEnteredName(std::string_view name);
// The character an unusable name is refused for, to be named to the child: its first path
// separator or drive colon, or the dot of "." and ".."; 0 when no printable one is to blame.
char refusedEnteredCharacter(std::string_view name);

}  // namespace Ostrel
