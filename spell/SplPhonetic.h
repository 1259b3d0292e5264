#pragma once
// Phonetic coding of words: the pair string (letter, code) of a word, the code indexes that
// keys are made of, a key's two bin bytes, and the way back from a key to its letters.
#include "engine/base/EngineTypes.h"
#include "spell/SplPhonTable.h"

constexpr int kSplPairsSize = 520;  // a pair string of a 127-byte lookup form and its NUL

// How the encoder sees a character: a letter of the language as it is, anything else by its
// lower-case form when that is a letter, else by its unaccented form.
u8 splPhonFrameChar(u8 c, int language);

// Pair string of word (up to its end or a separator 8, whose rest follows the pair (8, 11)).
// Answers its length in bytes, or -1 when it would not fit.
int splPhonEncode(const u8* word, u8* pairs, const SplPhonTable* phon);
// The pair string as the language hears it, in place: each pair's letter replaced by the one it
// sounds as where the phonetic table says letters sound alike, a pair not heard left out, the
// rest after a separator kept. Answers the new length; the string is unchanged without a table.
int splPhonHeard(u8* pairs, int length, const SplPhonTable* phon);
// Replaces each pair by its index in place (the unknown index for a pair the table lacks); the
// separator pair becomes index 4 followed by the rest unchanged. Answers the new length.
int splPhonToIndexes(u8* pairs, const SplPhonTable* phon);
// The two bin bytes of a pair string.
void splPhonBin(const u8* pairs, u8* bin, const SplPhonTable* phon);
// Key of a lookup form: bin bytes (computed with mode 0, the single-bin byte twice otherwise)
// and code indexes. Answers the key's length, or 0 when it would pass kSplMaxKey bytes.
int splWordToKey(const u8* word, u8* key, int mode, const SplPhonTable* phon);
// Letters of a key's codes (after its two bin bytes); answers the word's length, -1 when a
// code lies outside the pair table or the key is shorter than its bin bytes.
int unphfull(const u8* key, u8* word, const SplPhonTable* phon);
