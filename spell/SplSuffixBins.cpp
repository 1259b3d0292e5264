#include "spell/SplSuffixBins.h"

#include <cstring>

#include "spell/SplCharSets.h"
#include "spell/SplErrors.h"
#include "spell/SplPhonetic.h"

namespace {

void addStem(const u8* word, size_t length, const SplPhonTable* phon, SplBinList* list) {
    u8 stem[kSplMaxWord];
    if (length == 0 || length >= sizeof stem) return;
    std::memcpy(stem, word, length);
    stem[length] = 0;
    u8 pairs[kSplPairsSize];
    if (splPhonEncode(stem, pairs, phon) < 0) return;
    u8 bin[3];
    splPhonBin(pairs, bin, phon);
    splBinListAdd(list, bin);
}

}  // namespace

void splBinListAdd(SplBinList* list, const u8* bin) {
    for (u32 i = 0; i < list->count; ++i)
        if (list->bins[i][0] == bin[0] && list->bins[i][1] == bin[1]) return;
    if (list->count == kSuffixMaxBins) return;
    list->bins[list->count][0] = bin[0];
    list->bins[list->count][1] = bin[1];
    ++list->count;
}

void splSuffixBins(const u8* word, SplSuffixSplitter split, void* arg, const SplPhonTable* phon, SplBinList* list) {
    size_t n = std::strlen(reinterpret_cast<const char*>(word));
    if (n >= size_t(kSplMaxWord)) return;
    for (u32 k = 0; split != nullptr && k < kSuffixMaxCount; ++k) {
        int at = split(word, k, arg);
        if (at < 0) break;
        if (size_t(at) < n) addStem(word, size_t(at), phon, list);
    }
    const u8* classes = splLetterClassTable(phon->language);
    if (classes == nullptr) return;
    auto consonant = [&](u8 c) { return (classes[c] & (kLcUpper | kLcLower)) && !(classes[c] & kLcVowel); };
    for (size_t end = n; end > 0 && consonant(word[end - 1]); --end)
        if (end - 1 >= kSuffixMinStem) addStem(word, end - 1, phon, list);
}

void splLexWalkBins(SplLexicon* lex, const SplBinList* list, SplBinVisitor visit, void* arg) {
    for (u32 i = 0; i < list->count; ++i) {
        u8 bin[3] = {list->bins[i][0], list->bins[i][1], 0};
        splLexWalkBin(lex, bin, visit, arg);
    }
}
