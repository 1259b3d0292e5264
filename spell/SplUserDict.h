#pragma once
// The personal dictionary (kind 4): the user's words in a file of 1024-byte blocks forming a
// B+-tree ordered by phonetic key. Numbers are little-endian. A block:
//   bytes 0-1  block 0: format 6 and the language; another leaf: the next leaf (65535 none);
//              an inner block: 0
//   bytes 2-3  bits 0-14 the used size (end of the last entry); bit 15 set in leaves
//   entries    u16 value (leaf: the word's class; inner: the child block), u8 drop count (bytes
//              taken off the previous entry's key), the appended bytes NUL-terminated, a pad
//              byte to an even length
// Every block is checked when the file is opened, so a damaged file is refused whole. Each
// insertion writes the whole dictionary to a new file beside it, has it put on disc and then
// moves it over the old one, so that a kill at any moment leaves the dictionary as it was
// before the word or after it.
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "spell/SplFile.h"
#include "spell/SplPhonTable.h"

constexpr u32 kUdModeOpen = 0;
constexpr u32 kUdModeCreate = 16;
constexpr u32 kUdModeFill = 32;      // words appended at the end fill a block before it splits
constexpr u32 kUdModeReadOnly = 64;
constexpr u32 kUdModeKeepOld = 128;  // a format-5 file stays in format 5
constexpr u8 kUdStateFailed = 128;
constexpr u8 kUdFormat = 6;
constexpr u8 kUdOldFormat = 5;
constexpr u8 kUdOldFormatKept = 255;  // a format-5 file opened with kUdModeKeepOld
constexpr u16 kUdNoLink = 65535;
constexpr u32 kUdMaxBlocks = 65535;
constexpr u32 kUdMaxDepth = 16;

struct SplUdEntry {
    u16 value = 0;
    std::string key;
};

struct SplUdBlock {
    bool leaf = true;
    u16 link = kUdNoLink;
    std::vector<SplUdEntry> entries;
};

struct SplUserDict {
    u8 kind = 4;
    u8 language = 0;
    u8 format = kUdFormat;
    u8 state = 0;
    std::string path;
    const SplPhonTable* phon = nullptr;
    std::vector<SplUdBlock> blocks;
};

// Null with error 1, 2 (cannot be opened; with mode 16, also when the file exists), 3 (unreadable
// or damaged), 5 (unknown format) or 6 (another language).
SplUserDict* splUserDictOpen(const char* name, u32 mode, const SplPhonTable* phon, u32* error);
// Frees the record (every change is already on disc); 1. Null is allowed.
int splUserDictClose(SplUserDict* dict);
// Adds a word (plain; with marks 4-6; or a pair "left" 8 "right" whose left half is then
// corrected to the right half and no longer accepted by itself).
// 1 when the word was added (or its entry replaced); 0 when it cannot be encoded, the
// dictionary is read-only, full or failed before, or writing failed. A word refused is not
// kept in memory either.
int splUserDictAddWord(const u8* word, SplUserDict* dict);
// The key a stored form is filed under: the phonetic key of its letters (marks 4-7 left out),
// with the marks 4-6 put back between the codes as 1-3 and a spelled part after byte 4. Answers
// its length, 0 when it cannot be made or would pass kSplMaxKey bytes.
int splUserDictKey(const u8* stored, u8* key, const SplPhonTable* phon);
// The order of keys in the dictionary: byte by byte, skipping the marks 1-3 before the spelled
// part (unless it follows at once) and the marks 4-7 inside it. <0, 0 or >0.
int splUserDictKeyOrder(const std::string& a, const std::string& b);
// Adds or replaces an entry by key (1 to kSplMaxKey bytes, NUL-terminated).
int splUserDictInsert(const u8* key, u16 value, SplUserDict* dict);
// 1 with *value when the key is present.
int splUserDictSearch(const u8* key, const SplUserDict* dict, u16* value);

// The verify and candidate hooks of kind 4.
int splUserDictVerify(const u8* word, void* lexicon, u32* near, u32* wordClass);
struct SplCorrectReq;
void splUserDictCandidates(const u8* stem, u32 flagByte, void* lexicon, SplCorrectReq* req);

// Reads and checks a dictionary image (the whole file): the blocks, or false when damaged.
bool splUserDictParse(const u8* data, size_t size, std::vector<SplUdBlock>* blocks, u8* format, u8* language);
