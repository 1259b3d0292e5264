#pragma once
// The special words of a letter-tree lexicon: words typed wrongly often enough to be listed
// with their corrections (run-together words, contractions without their apostrophe), matched
// against a typed word with a tolerance of one slip.
#include "engine/base/EngineTypes.h"
#include "spell/SplTrieLexicon.h"

// Receives the replacement (the special word itself when it has none), its class, the typo
// kind and the penalty.
using SplSpecialReport = void (*)(void* arg, const u8* replacement, u8 cls, u32 kind, u32 penalty);

// The i-th special word (without a leading "?"), its class and replacement; i must be below
// the table's count.
const u8* splSpecialWord(const SplTrieLexicon* lex, u32 i, u8* cls, const u8** replacement);
// Offers every special word one slip or less from the typed lookup form; answers their number.
u32 splSpecialsCorrect(const u8* word, const SplTrieLexicon* lex, SplSpecialReport report, void* arg);
