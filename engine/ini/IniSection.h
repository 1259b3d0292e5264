#pragma once
// Reading a module's settings from a profile: flags that keep their default when the key is
// absent or unreadable, and every key with its value of a whole section, in file order. The
// settings readers of the engine's modules share these so that each reads its section the
// same way.
#include <string>
#include <utility>
#include <vector>

#include "engine/files/Paths.h"

using IniPairs = std::vector<std::pair<std::string, std::string>>;

bool iniReadFlag(const Path* profile, const char* section, const char* key, bool fallback);
// Empty when the profile or the section is missing.
IniPairs iniReadSection(const Path* profile, const char* section);
