#pragma once
// The image of a letter-tree lexicon (kind 7, layout in spell/SplTrieLexicon.h).
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

// A word ending in `ending` may be left out when the word less it plus `stemEnding` is kept
// with `stemClass`, the only class the word itself needs.
struct TrieSuffixRule {
    std::string ending;
    std::string stemEnding;
    u8 stemClass = 0;
};

// The tables a letter tree may carry beside its words: the proximity encoder section (from
// buildProxEncoder; empty for none) and the special-word section (from buildSpecialsSection;
// empty for none).
struct TrieLexExtras {
    std::vector<u8> encoder;
    std::vector<u8> specials;
};

// words in character set 1; words the kind cannot hold (no shape, word pairs, lookup forms
// longer than 63) are counted in *skipped. Reopens the image and checks that every kept word
// verifies. False with a message when a table outgrows its field or the check fails.
bool buildTrieLexImage(const std::vector<std::string>& words, const std::vector<TrieSuffixRule>& rules, int language,
                       std::vector<u8>* image, u32* skipped, std::string* error, const TrieLexExtras& extras = {});
