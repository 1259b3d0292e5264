#pragma once
// The image of a compressed word lexicon (kind 2, layout in spell/SplCompLexicon.h).
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

// words in character set 1; words the kind cannot hold (longer than 15, other characters,
// mixed case) are counted in *skipped. False with a message when a 16-bit table overflows.
bool buildCompLexImage(const std::vector<std::string>& words, int language, std::vector<u8>* image, u32* skipped,
                       std::string* error);
