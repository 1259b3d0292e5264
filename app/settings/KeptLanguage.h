#pragma once
// The language the program speaks belongs to the machine, not to a user: the splash and the
// login speak it before anyone has logged in. It is kept between runs in the writable settings
// file, [GeneralSettings] "Language": 1 Spanish, 0 (or anything else) English.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

class Paths;

// The language the last run left: the writable settings file's, else the installed one's,
// else English.
u16 ReadKeptLanguage(const Paths& paths);
// Keeps `language` for the next run: one replacement of the writable settings file.
EngineErr KeepLanguage(const Paths& paths, u16 language);

}  // namespace Ostrel
