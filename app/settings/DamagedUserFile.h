#pragma once
// A "user.ini" that no longer reads as a profile (a NUL or Ctrl-Z byte inside, or longer than
// a profile may be) would give every load the defaults and fail every save, so the child's
// settings would silently stop being kept. Such a file is moved aside under its name with
// ".damaged" added, where it can still be looked at, and a fresh file takes its place.
#include "app/settings/GlobalUserSettings.h"
#include "document/users/Paths.h"
#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr const char* kDamagedFileSuffix = ".damaged";

// Whether a profile's read or write failed because the file is not a profile any more.
bool IsDamagedProfileError(EngineErr err);
// Moves the current user's damaged "user.ini" aside (over an older one set aside before) and
// writes `settings` to a fresh one: 0 when both were done.
EngineErr RenewDamagedUserFile(const Paths& paths, GlobalUserSettings* settings);

}  // namespace Ostrel
