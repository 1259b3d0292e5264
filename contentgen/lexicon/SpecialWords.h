#pragma once
// The special words of a letter-tree lexicon (layout in spell/SplTrieLexicon.h): from a rules
// file of our own and from the whole-word replacements of a hunspell affix file.
//
// Rules file (UTF-8 text, '#' starts a comment): a word, then its correction (the rest of the
// line, blanks allowed); a word alone is its own correction.
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

struct SpecialWord {
    std::string word;         // a lookup form in character set 1
    std::string replacement;  // character set 1, empty for none
    u8 cls = 1;               // the replacement takes the typed word's capitals
};

bool parseSpecialWords(const std::string& text, int language, std::vector<SpecialWord>* out, std::string* error);
// The REP entries of an affix file whose replacement is whole words ("_" for a blank); false
// when the file cannot be read.
bool affixFileSpecials(const std::string& affPath, int language, std::vector<SpecialWord>* out);
// The special-word section of a letter-tree image; later entries of a word already listed are
// dropped. False with a message when the pool outgrows its 16-bit offsets or a word its length.
bool buildSpecialsSection(const std::vector<SpecialWord>& words, std::vector<u8>* section, std::string* error);
