#pragma once
// The word-splitting rules of languages 3 and 13: elided prefixes ("l'", "qu'", "jusqu'") and
// inverted subject pronouns after a hyphen ("vient-il", "a-t-elle").
#include "engine/base/EngineTypes.h"
#include "spell/SplVerify.h"

#include "spell/SplPrefixSplitter.h"

// The elided prefixes: d', j', l', qu', jusqu', lorsqu' and the like.
extern const SplPrefixRules kFrenchPrefixes;
// Whether the rest after an elided prefix may follow it: a vowel, a lone "y" after a one-letter
// prefix, or an h that is not aspirated.
bool splFrenchPrefixFits(const u8* rest, u32 value, int language);
// Split hook A: the pronoun rule, then the prefix splitter.
int splFrenchSplitA(SplVerifyRec* rec, u32 offset);
// The prefix splitter alone (the hyphen splitter's segment rule).
int splFrenchPrefixSplit(SplVerifyRec* rec, u32 offset);
