#pragma once
// The copy of a page the child had not saved when the program had to stop at once (its
// content damaged or gone). It waits under a hidden name in the user's Pictures folder, which
// the file dialogs do not list, until that user's next login offers it back; offered, it
// becomes an ordinary picture of the user's under a free name whatever the answer, so that it
// is offered once and never thrown away unasked.
#include <string>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

class Paths;

// The copy's hidden name tells the language in use when it was kept, so that it is named back
// in that language: every login starts in English.
constexpr const char* kRecoveryCopyName = ".recovered.tbx";
constexpr const char* kSpanishRecoveryCopyName = ".recovered.es.tbx";

// The engine text of the current user's recovery copy kept in `language`; empty while no user
// is selected.
std::string RecoveryCopyPath(const Paths& paths, u16 language);
// Moves the recovery copy waiting from `language` into the Pictures folder as a picture named
// after `name` (numbered when the name is taken). The engine text of that picture; empty when
// none waits or it cannot be moved, and it then waits for the next login, or when what waits
// does not open as a picture, which stays where it is.
std::string KeepRecoveryCopy(const Paths& paths, u16 language, const std::string& name);

}  // namespace Ostrel
