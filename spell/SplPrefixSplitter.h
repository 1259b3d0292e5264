#pragma once
// Elided prefixes written with an apostrophe ("l'ami"): a language's table of prefixes, each
// with a value, and its test of what may follow a prefix of that value.
#include "engine/base/EngineTypes.h"
#include "spell/SplVerify.h"

struct SplPrefixRules {
    const u8* table;  // ssearch items: one value byte and the prefix, in byte order
    u32 size;
    bool (*fits)(const u8* rest, u32 value, int language);
};

// The value of the prefix before the word's first apostrophe (lowered), with the apostrophe's
// position; 0 when the text there is not a prefix of the table.
u32 splElidedPrefix(const u8* word, const SplPrefixRules& rules, int language, u32* apostrophe);
// Splits the record's word from offset after its prefix: the rest must fit the prefix and
// verify. Marks the prefix's first character 2 and its apostrophe 3 (with 128 on refusal).
int splPrefixSplit(SplVerifyRec* rec, u32 offset, const SplPrefixRules& rules);
