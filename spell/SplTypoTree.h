#pragma once
// Typo correction over a letter tree: the typed word is followed through the tree allowing one
// slip (an accent, two letters exchanged, a letter more, a letter less, a letter replaced),
// steered by a fixed table of thirteen states, and each word reached is reported with its kind.
#include "engine/base/EngineTypes.h"
#include "spell/SplTrieLexicon.h"
#include "spell/SplTypoPrim.h"

using SplTypoReport = void (*)(void* arg, const u8* candidate, u8 cls, u32 kind);

// Runs the walk for a lookup form; answers the number of reports.
u32 splTspTypoStart(const u8* word, const SplTrieLexicon* lex, SplTypoReport report, void* arg);

struct SplCorrectReq;
// The typo hook of kind 7: the walk, then the special words.
void splTrieTypoCandidates(void* lexicon, const u8* stem, SplCorrectReq* req);
