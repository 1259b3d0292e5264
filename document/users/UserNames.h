#pragma once
// A user's name becomes a folder under the users folder, and a slide show's a file in the
// user's folder of shows, so a name that could name anything else is refused: empty, "." or
// "..", with a path separator or a drive colon, or with a control character. A user's name is
// also at most kMaxUserName bytes; a show's name is as long as its file's path may be.
#include <string_view>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr size_t kMaxUserName = 64;
constexpr EngineErr kDocErrBadUserName = 11320;
constexpr EngineErr kDocErrNoUser = 11321;
constexpr EngineErr kDocErrNoFolder = 11322;

bool isValidEntryName(std::string_view name);
bool isValidUserName(std::string_view name);

}  // namespace Ostrel
