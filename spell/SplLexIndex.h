#pragma once
// An in-memory index into a main lexicon's data blocks, made once when the lexicon opens: the
// blocks themselves, read in one piece, and every few entries of a block, where the entry
// starts and the key before it. A search then decodes from the nearest such point instead of
// from the block's start, and no lookup waits for the file; the file is not changed.
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

struct SplLexicon;

constexpr u32 kLexIndexStride = 8;  // entries between two points of a block

struct SplLexIndex {
    std::vector<u8> blocks;    // the data blocks, or empty when they could not be read at once
    std::vector<u32> first;    // per block, its first point; one more at the end
    std::vector<u16> offset;   // per point, the entry's position in its block
    std::vector<std::string> previous;  // per point, the key of the entry before it
};

// Builds the index by decoding every block once; a block that cannot be read or ends in a
// damaged entry keeps the points before the damage. Null when out of memory.
// The lexicon's blocks then come from the index.
SplLexIndex* splLexIndexBuild(SplLexicon* lex);
void splLexIndexFree(SplLexIndex* index);
// Block `number` (0-based, below the lexicon's block count) held by the index, or null.
const u8* splLexIndexBlock(const SplLexIndex* index, u32 number);
// The point of the loaded block to search key from: the last whose previous key sorts below
// key. Sets the read position there and answers the previous key's length and how many bytes
// it shares with key; 0 and 0 at the block's start.
void splLexIndexSeek(SplLexicon* lex, const u8* key, u32* previousLength, u32* matched);
