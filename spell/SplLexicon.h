#pragma once
// The compressed main lexicon (kind 3): a text header, a binary header, the ending, digram and
// string tables, then 1024-byte data blocks of front-coded entries in phonetic-key order.
// Entries are read through the block cache; every count, extent and code read from the file is
// checked, so a damaged file is refused on open or reads as "not found".
#include "engine/base/EngineTypes.h"
#include "spell/SplFile.h"
#include "spell/SplMemManager.h"
#include "spell/SplPhonTable.h"

constexpr u16 kLexFlagSingleBin = 0x0002;
constexpr u16 kLexFlagCompactFlags = 0x0200;
constexpr u16 kLexFlagBlockHeader = 0x0400;
constexpr u16 kLexFlagTags = 0x0800;
constexpr u16 kLexFlagProperNames = 0x1000;
constexpr u16 kLexMinVersion = 0x0500;
constexpr u32 kLexTextHeaderSize = 256;
constexpr u32 kLexBinaryHeaderSize = 16;
constexpr u32 kLexDecompSize = 256;
constexpr u32 kLexMaxFlagCodes = 128;

// The tag area's head values and its four string lists (each ended by a null pointer).
struct SplTagArea {
    u8 head[16] = {};
    u32 totalSize = 0;
    u32 count1 = 0, count2 = 0;
    u8* strings = nullptr;
    const u8** list1 = nullptr;   // items: fixed prefix of head[12] bytes, then a string
    const u8** plain1 = nullptr;
    const u8** list2 = nullptr;   // items: fixed prefix of head[13] bytes, then a string
    const u8** plain2 = nullptr;
};

struct SplLexIndex;

struct SplLexicon {
    u8 kind = 3;
    u8 language = 0;
    u16 version = 0, flags = 0, word3 = 0;
    u16 endingCount = 0, digramCount = 0, blockCount = 0, stringSize = 0;
    u8* strings = nullptr;
    u8* endingDrops = nullptr;
    const u8** endingStrings = nullptr;
    u8* digrams = nullptr;
    const u8** blockIndex = nullptr;
    u32 firstEndingCode = 0;
    u32 firstDigramCode = 0;
    SplFile* file = nullptr;
    u8 addressed = 0;
    u32 firstBlock = 0;
    // Lookup state: the current block, the read position in it and its per-block values.
    const u8* block = nullptr;
    u32 blockNumber = 0;
    u32 position = 0;
    u8 blockValues[7] = {};
    u8 readPriority = 2;
    u8 defaultTwo = 2;
    u32 tagBlock = 0;
    SplMemManager* mm = nullptr;
    const SplPhonTable* phon = nullptr;
    u8 decomp[kLexDecompSize] = {};
    u32 decompEnd = 0;   // end of the decoded entry (key and trailer)
    u32 keyLength = 0;   // end of the key inside it
    // Result of the last fetch: the entry's flag codes (NUL-terminated), its class byte, the
    // class a verification accepted, and whether only an accent-tolerant match was found.
    u8 flagCodes[kLexMaxFlagCodes + 1] = {};
    u8 classByte = 0;
    u8 currentClass = 0;
    u8 accentMiss = 0;
    SplTagArea* tags = nullptr;
    SplLexIndex* index = nullptr;  // where searches in a block start; none searches from its start
    u8* (*readBlock)(SplMemManager*, u32, SplFile*, u32) = nullptr;
};

// Number of LF characters in the text header; 0 with error 2, 3 or 4.
u32 splLexCheckHeader(const char* name, u32 offsetKb, u8* header, u32* error);
SplLexicon* splLexOpen(const char* name, u32 offsetKb, SplMemManager* mm, const SplPhonTable* phon, u32* error);
void splLexClose(SplLexicon* lex);

// Byte order of keys: the order of entries, of the block index and of the builder's sort.
int splKeyCompare(const u8* a, const u8* b);
