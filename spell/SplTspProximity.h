#pragma once
// The proximity walk of a letter tree: a depth-first walk of the whole tree that extends, per
// node, the proximity codes of the path (spell/SplTspEncoder.h) and its two scores against the
// misspelled word (spell/SplTspScore.h), cuts subtrees whose scores fall below the minimum of
// their depth, and reports each word whose final score reaches the running threshold. Only
// candidates beginning with a letter of the typed first letter's group are walked.
#include "engine/base/EngineTypes.h"
#include "spell/SplTrieLexicon.h"

constexpr u32 kTspBaseShort = 32768;
constexpr u32 kTspBaseLong = 36864;
constexpr u32 kTspLongWord = 6;
constexpr u32 kTspDepths = 32;

// Answers the new threshold (0: the base threshold).
using SplTspReport = u32 (*)(const u8* candidate, u8 cls, u32 score, void* arg);

// The letters a candidate may begin with when the typed word begins with `first` (a lower-case
// letter); null when the language has no groups or the letter none.
const char* splTspFirstLetters(int language, u8 first);

// Walks the tree for a lookup form; answers the number of reports. Nothing is reported for a
// lexicon without an encoder or a language without groups.
u32 splTspCorrectStart(const u8* word, const SplTrieLexicon* lex, SplTspReport report, void* arg);

struct SplCorrectReq;
// The candidate hook of kind 7.
void splTrieCandidates(const u8* stem, u32 flagByte, void* lexicon, SplCorrectReq* req);
