#pragma once
// The bytes of "Words.dic", little-endian: the magic "TBX4", the entry count, then per entry
// the word and the pronunciation (each a 32-bit length and its bytes), the part of speech and
// the voice family. A file without the magic is the older form: it starts with the count and
// its entries have no family (family 0). The writer always writes the current form.
#include <span>
#include <vector>

#include "text/speech/format/Pronunciation.h"

// Each text is shorter than this; a longer length field marks a damaged entry.
constexpr u32 kPronunciationTextLimit = 260;

struct PronunciationDecoding {
    std::vector<Pronunciation> entries;  // the entries read, in file order
    bool oldForm = false;
    // False when the bytes end early or an entry is damaged: reading stopped there and kept
    // the entries before it.
    bool complete = true;
};

PronunciationDecoding decodePronunciations(std::span<const u8> bytes);
// Answers false, with `out` untouched, when a text is too long to be read back.
bool encodePronunciations(const std::vector<Pronunciation>& entries, std::vector<u8>& out);
