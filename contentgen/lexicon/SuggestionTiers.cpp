#include "contentgen/lexicon/SuggestionTiers.h"

namespace {

// The code points of a UTF-8 word (a broken sequence reads as its lead byte).
std::u32string codePoints(const std::string& word) {
    std::u32string out;
    for (size_t i = 0; i < word.size();) {
        unsigned char b = static_cast<unsigned char>(word[i]);
        int extra = b < 0xC0 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
        if (i + size_t(extra) >= word.size()) extra = 0;
        char32_t cp = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(word[i + size_t(k)]) & 0x3F);
        out.push_back(cp);
        i += size_t(extra) + 1;
    }
    return out;
}

bool upper(char32_t c) { return (c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7); }

bool vowel(char32_t c) {
    static const std::u32string vowels = U"aeiouyAEIOUYáéíóúàèìòùâêîôûäëïöüÿÁÉÍÓÚÀÈÌÒÙÂÊÎÔÛÄËÏÖÜ";
    return vowels.find(c) != std::u32string::npos;
}

bool letter(char32_t c) { return upper(c) || (c >= U'a' && c <= U'z') || (c >= 0xDF && c <= 0xFF && c != 0xF7); }

// A name, initials or a word in capitals.
bool capitalised(const std::u32string& w) {
    for (char32_t c : w)
        if (upper(c)) return true;
    return false;
}

// Two letters or more and no vowel: "blk", "pts", "sr".
bool noVowel(const std::u32string& w) {
    size_t letters = 0;
    for (char32_t c : w) {
        if (vowel(c)) return false;
        letters += letter(c);
    }
    return letters >= 2;
}

}  // namespace

void SuggestionTiers::addFamily(const std::vector<std::string>& forms) {
    if (forms.empty() || common_.count(forms.front()) == 0) return;
    familyForms_.insert(forms.begin() + 1, forms.end());
}

SuggestionTier SuggestionTiers::tierOf(const std::string& word) const {
    if (!active()) return SuggestionTier::Common;
    if (acceptedOnly_.count(word) != 0) return SuggestionTier::AcceptedOnly;
    if (common_.count(word) != 0 || familyForms_.count(word) != 0) return SuggestionTier::Common;
    std::u32string w = codePoints(word);
    return capitalised(w) || noVowel(w) ? SuggestionTier::AcceptedOnly : SuggestionTier::Other;
}
