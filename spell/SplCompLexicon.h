#pragma once
// The compressed word lexicon (kind 2): words of 1 to 15 letters in bins by length. Layout:
//   15 bytes   the letter table (nibbles 0-14 stand for these letters, 15 escapes to a byte)
//   u16        bin count B (little-endian, like every number here)
//   16 u16     first bin of each length 1-15, then B (the end)
//   B+1 u16    each bin's start in the word data, then the data's size
//   word data  per bin, words in byte order, each as nibbles (high nibble first): characters
//              kept from the previous word (0 for a bin's first), new characters n, the n
//              characters, the class (1 lower case, 2 capitalised, 3 capitals)
// Words are stored in lower case; letters, hyphen and apostrophe only.
#include "engine/base/EngineTypes.h"

struct SplCompLexicon {
    u8 kind = 2;
    u8 language = 0;
    const u8* image = nullptr;
    u32 size = 0;
    const u8* letters = nullptr;
    u32 binCount = 0;
    u16 firstBin[16] = {};
    const u8* offsets = nullptr;
    const u8* data = nullptr;
    u32 dataSize = 0;
};

constexpr u32 kCompLexMaxWord = 15;

// Checks the image's tables and addresses them; false for an inconsistent image. The record
// points into the image, which the caller keeps.
bool splCompLexInit(SplCompLexicon* lex, int language, const u8* image, u32 size);
// The class stored for a lower-case word, 0 when absent or unreadable.
u32 splCompLexFetch(const SplCompLexicon* lex, const u8* lowered);
// The word's lower-case form and class 1, 2 or 3; 0 for a word the lexicon cannot hold.
u32 splCompLexEncode(const u8* word, u8* lowered, int language);
// The verify hook of kind 2.
int splCompLexVerify(const u8* word, void* lexicon, u32* near, u32* wordClass);

// Typo candidates: the words of lengths n - 1 to n + 1 one slip away from a lower-case word,
// each reported with its class, typo kind and penalty. Answers the number of reports.
using SplCompTypoReport = void (*)(void* arg, const u8* candidate, u8 wordClass, u32 kind, u32 penalty);
u32 splCompLexTypos(const SplCompLexicon* lex, const u8* lowered, SplCompTypoReport report, void* arg);
struct SplCorrectReq;
// The typo hook of kind 2.
void splCompLexTypoCandidates(void* lexicon, const u8* stem, SplCorrectReq* req);
