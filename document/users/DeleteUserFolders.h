#pragma once
// Removes a user: the user's folders and every file in them. Afterwards the user who was
// current before stays current, unless that was the removed one: then no user is.
#include <string>

#include "document/users/Paths.h"

namespace Ostrel {

// 0 when done; 1 when no name is given; kDocErrBadUserName for a name that would leave the
// users folder; else the first file error (a folder holding something of its own stays).
EngineErr DeleteUserFolders(Paths& paths, const std::string& name);

}  // namespace Ostrel
