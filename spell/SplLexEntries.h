#pragma once
// Reading a main lexicon's entries: loading a data block, decoding front-coded entries,
// splitting a decoded entry into its key, flag codes and class byte, and fetching a word.
#include "engine/base/EngineTypes.h"
#include "spell/SplLexicon.h"

constexpr int kLexFound = 1;
constexpr int kLexPassed = 2;
constexpr int kLexEnd = 0;
constexpr int kLexDamaged = -1;

// Loads data block `index` (0-based) and its header; 0 when it cannot be read.
int splLexLoadBlock(SplLexicon* lex, u32 index);
// Decodes the entry at the current position into lex->decomp (key, then trailer pairs) and
// moves past it: 1, 0 at the end of the block, -1 when the entry is damaged.
int splLexNextEntry(SplLexicon* lex);
// Searches a loaded block from the read position, below which lies a key of previousLength
// bytes that sorts below key and shares matched bytes with it (0 and 0 at the block's start,
// or a point of the lexicon's index): 1 when an entry's key equals key (the entry then decoded
// in lex->decomp), 2 when the search passed it, 0 at the block's end, -1 for a damaged entry.
int splLexSearchFrom(SplLexicon* lex, const u8* key, u32 previousLength, u32 matched);
// The block that would hold key (the last whose index key is not above it), or -1.
i32 splLexFindBlock(const SplLexicon* lex, const u8* key);
// Splits the decoded entry into its flag codes and class byte; false when it is malformed.
bool lexstrip(SplLexicon* lex);
// The decoded entry's key (at most kSplMaxKey bytes), NUL-terminated, into key.
void splLexEntryKey(const SplLexicon* lex, u8* key);
// Visits every entry whose key starts with the two bin bytes, in key order, each decoded and
// split (flag codes and class byte set); a visitor answering false ends the walk.
using SplBinVisitor = bool (*)(SplLexicon* lex, void* arg);
void splLexWalkBin(SplLexicon* lex, const u8* bin, SplBinVisitor visit, void* arg);
// Looks a lookup form up: 1 found (flag codes in lex->flagCodes), 0 not found or unreadable.
int splLexFetch(SplLexicon* lex, const u8* form);
