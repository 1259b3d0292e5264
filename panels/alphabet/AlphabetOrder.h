#pragma once
// The order of the alphabet strip's places. The settings give one set of characters (in
// Latin-1) for both languages; a Spanish class reads Ñ as the letter after N, so in Spanish Ñ
// and ñ follow N and n wherever the set puts them. A place keeps the set's index for its
// spoken name.
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

// The set's indices in the strip's order: the set's own in English.
std::vector<int> AlphabetOrder(const std::string& characters, u16 language);

}  // namespace Ostrel
