#pragma once
// An in-memory index into a main lexicon's data blocks, made once when the lexicon opens: the
// blocks themselves, read in one piece, the blocks each key's first byte can lie in, and every
// few entries of a block, where the entry starts and the key before it. A lookup then goes
// straight to its block's nearest such point and decodes a few entries from there instead of
// half a block, and no lookup waits for the file; the file is not changed.
#include <vector>

#include "engine/base/EngineTypes.h"

struct SplLexicon;

constexpr u32 kLexIndexStride = 4;  // entries between two points of a block

struct SplLexIndex {
    std::vector<u8> blocks;       // the data blocks, or empty when they could not be read at once
    u32 leadStart[257] = {};      // per first key byte, the first block whose index key starts at or above it
    std::vector<u32> first;       // per block, its first point; one more at the end
    std::vector<u16> offset;      // per point, the entry's position in its block
    std::vector<u32> previousAt;  // per point, where the key of the entry before it starts in keys
    std::vector<u8> keys;         // those keys, each ended by a 0
    // What most comparisons need without reaching into keys or the block index: per point, the
    // previous key's first eight bytes and its length; per block, its index key's first eight.
    std::vector<u64> previousHead;
    std::vector<u8> previousLength;
    std::vector<u64> blockHead;
    // Every key a lookup can find, hashed: per slot the hash's check bits (high half, never 0
    // in a used slot) and where its search starts (low half: block * 256 + point in the block,
    // 0 for the block's start). A key with no slot is in no entry, which most words tried for
    // a suffix are not.
    std::vector<u64> places;
};

// A key's first eight bytes as one number that sorts as the keys do (0 after the key's end).
u64 splKeyHead(const u8* key);
// splKeyCompare's order of a and b given their heads, and how many first bytes they share
// (up to a's end).
int splKeyCompareHeads(u64 headA, const u8* a, u64 headB, const u8* b, u32* shared);

// Builds the index by decoding every block once; a block that cannot be read or ends in a
// damaged entry keeps the points before the damage. Null when out of memory.
// The lexicon's blocks then come from the index.
SplLexIndex* splLexIndexBuild(SplLexicon* lex);
void splLexIndexFree(SplLexIndex* index);
// Block `number` (0-based, below the lexicon's block count) held by the index, or null.
const u8* splLexIndexBlock(const SplLexIndex* index, u32 number);
// The blocks [*from, *to) among which the last whose index key is not above key lies, or which
// lie just after it; the whole lexicon without an index.
void splLexIndexBlockRange(const SplLexicon* lex, const u8* key, u32* from, u32* to);
// splKeyCompare of block `number`'s index key and key (whose head is keyHead).
int splLexIndexCompareBlock(const SplLexicon* lex, u32 number, u64 keyHead, const u8* key);
// Finds key (of at most length bytes)'s entry through the hashed places as splLexSearchFrom would from its block's seek
// point: kLexFound with the entry decoded, otherwise the search's end. Only with an index.
int splLexIndexFind(SplLexicon* lex, const u8* key, u32 length);
