#pragma once
// Accents that capitals may drop: a capitalised or all-capitals word of an accent language is
// looked up again letting its plain vowels stand for the lexicon's accented ones (only the
// first letter of a capitalised word; any letter of an all-capitals one).
#include "engine/base/EngineTypes.h"
#include "spell/SplLexicon.h"

// Whether the language retries accents and the word (as typed, with its shape flags) may lack one.
bool splAltAccApplies(const u8* word, u32 shape, int language);
// 1 when an entry equal to the lookup form up to restored accents exists (its flag codes then
// in lex->flagCodes, lex->accentMiss set); 0 otherwise.
int splLexFetchAccented(SplLexicon* lex, const u8* form, u32 shape);
