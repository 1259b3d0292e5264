#pragma once
// What a typed name must be to become the name of a file or folder: not empty, not "." or
// "..", no path separator or drive colon, no control character, and at most the 255 bytes a
// file name may have.
#include <string_view>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr size_t kMaxEnteredNameBytes = 255;

bool isUsableEnteredName(std::string_view name);

}  // namespace Ostrel
