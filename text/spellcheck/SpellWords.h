#pragma once
// The words of a text (code page 1252) as the check pass sees them: runs of characters between
// blanks, punctuation and symbols (the apostrophe and the underscore are part of words;
// typographic quotes, the Spanish opening marks, bullets and signs such as the trademark are
// not) and control characters. Quoting apostrophes at a word's ends are left out, and a run
// holding a digit (superscripts and fractions too) is no word to check.
#include <string_view>
#include <vector>

#include "engine/base/EngineTypes.h"

struct SpellWord {
    u32 offset = 0;
    u32 length = 0;
};

bool spellIsDelimiter(u8 c);
// The next word at or after `from`; false when there is none. *next is where to go on.
bool spellNextWord(std::string_view text, u32 from, SpellWord* word, u32* next);
