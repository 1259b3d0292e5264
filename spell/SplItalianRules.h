#pragma once
// The elided prefixes of language 5 ("l'anima", "dell'hotel", "c'hanno"): each prefix's value
// says which first letters may follow it.
#include "engine/base/EngineTypes.h"
#include "spell/SplPrefixSplitter.h"

// Value bits: the rest may start with a (1), e (2), i (4), o (8), u (16), an h of another word
// (32), or the h of a form of "avere": ha, hai, hanno, ho (64).
extern const SplPrefixRules kItalianPrefixes;
bool splItalianPrefixFits(const u8* rest, u32 value, int language);
int splItalianPrefixSplit(SplVerifyRec* rec, u32 offset);
