#pragma once
// A user's name becomes a folder under the users folder, so a name that could name anything
// else is refused: empty, "." or "..", with a path separator or a drive colon, with a control
// character, or longer than kMaxUserName bytes.
#include <string_view>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr size_t kMaxUserName = 64;
constexpr EngineErr kDocErrBadUserName = 11320;
constexpr EngineErr kDocErrNoUser = 11321;
constexpr EngineErr kDocErrNoFolder = 11322;

bool isValidUserName(std::string_view name);

}  // namespace Ostrel
