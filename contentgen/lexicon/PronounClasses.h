#pragma once
// Spanish verb forms that take attached pronouns, found in a dictionary's own forms: where the
// dictionary writes a form with pronouns and the accent they make it take ("cómelo",
// "dámelo"), the form without them ("come", "da") is a verb form that takes pronouns. Each gets
// the class byte the engine reads: its row says which pronouns it takes (a form seen with "te"
// takes them all, one seen with "me", "nos", "se" or two pronouns all but "te", others the third
// persons), and its shift how many letters before the pronouns the accent goes.
#include <map>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

// `words`: UTF-8, sorted. The classes by verb form in character set 1.
std::map<std::string, u8> spanishPronounClasses(const std::vector<std::string>& words);
