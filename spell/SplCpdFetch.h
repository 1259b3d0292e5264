#pragma once
// Compound words: a word that no lexicon holds is split into segments that are each words of
// the same lexicon, under its language's joining rules. Only languages with a rule set split
// words at all; English (1) and Spanish (4), the program's languages, have none.
#include "engine/base/EngineTypes.h"
#include "spell/SplLexWord.h"

// Segment flags of an accepted split.
constexpr u32 kCpdSplit = 1;    // the word is two segments or more
constexpr u32 kCpdLinking = 2;  // a linking letter joins two of them
constexpr u32 kCpdPrefix = 4;   // a prefix came off the front

// Marks, one byte per word position.
constexpr u8 kCpdMarkSegment = 1;  // the first letter of a segment
constexpr u8 kCpdMarkLinking = 2;  // a linking letter between two segments

struct SplCpdRules {
    u32 minCompound = 0;  // the shortest word that is split
    u32 minSegment = 0;   // the shortest segment
    // Whether the letter at `end` may link the segment word[start, end) to the next one.
    bool (*linking)(const u8* word, u32 start, u32 end) = nullptr;
    // Whether word[start, end) may end a compound.
    bool (*last)(const u8* word, u32 start, u32 end) = nullptr;
    // Languages that split off a prefix and look the rest up whole: the prefixes, each
    // `prefixLength` letters, one after another.
    const char* prefixes = nullptr;
    u32 prefixLength = 0;
};

// The rule set of a language, or null for a language that has none.
const SplCpdRules* splCpdRulesFor(u32 language);
// The segment flags of the first valid split of the word, trying the longest first segment
// first, or 0. `lookup` over `lexicon` says whether a segment is a word. marks receives one
// byte per position of the word (0 for those inside a segment).
u32 splCpdFetch(const u8* word, const SplCpdRules& rules, SplVerifyHook lookup, void* lexicon, u8* marks);
// The compound verify hook of a context's slot: the lexicon's language picks the rules, its
// kind the segment lookup.
int splCpdVerify(const u8* word, void* lexicon, u32* near, u32* wordClass);
