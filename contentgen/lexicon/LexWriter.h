#pragma once
// The main lexicon image: entries in key order, front-coded into 1024-byte blocks with ending
// and digram codes, behind the text header, the binary header and the tables, and a tag area
// when one is given. The writer never sets the block-header flag.
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

struct LexEntrySpec {
    std::string key;      // bin bytes, code indexes, and optionally byte 4 and a spelling
    std::vector<u8> codes;  // flag codes in the order a verification tries them
};

struct LexImageOptions {
    int language = 0;
    u16 flags = 0;        // single-bin, compact flags, proper names
    u32 letters = 0;      // the phonetic table's pair count P
    bool compress = true; // ending and digram codes
    std::string headerText;
    std::vector<u8> tagArea;  // head and strings; written in the block after the data blocks
};

struct LexImageStats {
    u32 blocks = 0, endings = 0, digrams = 0, stringSize = 0;
};

// entries must be sorted by splKeyCompare with unique keys. False with a message when a limit
// of the format is passed.
bool buildLexImage(const std::vector<LexEntrySpec>& entries, const LexImageOptions& options, std::vector<u8>* image,
                   LexImageStats* stats, std::string* error);
