#include "spell/SplPrefixSplitter.h"

#include <cstring>

#include "spell/SplCharSets.h"
#include "spell/SplSearch.h"

namespace {

constexpr u32 kMaxPrefix = 7;

}  // namespace

u32 splElidedPrefix(const u8* word, const SplPrefixRules& rules, int language, u32* apostrophe) {
    const u8* at = reinterpret_cast<const u8*>(std::strchr(reinterpret_cast<const char*>(word), '\''));
    if (at == nullptr || at == word || u32(at - word) > kMaxPrefix) return 0;
    u8 key[kMaxPrefix + 1];
    u32 n = u32(at - word);
    const u8* lower = splLowerTable(language);
    for (u32 i = 0; i < n; ++i) key[i] = lower[word[i]];
    key[n] = 0;
    u32 position = 0;
    if (ssearch(key, rules.table, rules.size, 1, &position) != -1) return 0;
    *apostrophe = n;
    return rules.table[position];
}

int splPrefixSplit(SplVerifyRec* rec, u32 offset, const SplPrefixRules& rules) {
    u8* word = rec->word + offset;
    u32 p = 0;
    u32 value = splElidedPrefix(word, rules, int(rec->language), &p);
    if (value == 0) return 0;
    rec->resultFlags |= kResultSplit;
    std::memset(rec->marks + offset, 0, p + 1);
    rec->marks[offset + p] = kMarkSplit;
    rec->marks[offset] = 2;
    u32 rest = p + 1;
    if (word[rest] == '"') ++rest;
    if (word[rest] == 0 || !rules.fits(word + rest, value, int(rec->language))) {
        rec->marks[offset + p] |= 128;
        return 0;
    }
    return splWordInLexicons(offset + rest, rec);
}
