#include "contentgen/lexicon/PronounClasses.h"

#include <algorithm>
#include <array>
#include <string>

#include "contentgen/lexicon/WordSource.h"
#include "spell/SplEnclitics.h"
#include "spell/SplSuffixClass.h"

namespace {

constexpr u8 kPronounRowAll = 0, kPronounRowNoTe = 1, kPronounRowThird = 2;
constexpr int kLongestAccentShift = 7;

// The acute vowels in UTF-8 (a lead byte 0xC3, then these) and their plain letters.
constexpr std::array<std::pair<unsigned char, char>, 5> kUtf8Acutes = {
    {{0xA1, 'a'}, {0xA9, 'e'}, {0xAD, 'i'}, {0xB3, 'o'}, {0xBA, 'u'}}};

char plainOfAcute(const std::string& text, size_t i) {
    if (static_cast<unsigned char>(text[i]) != 0xC3 || i + 1 >= text.size()) return 0;
    for (auto [second, plain] : kUtf8Acutes)
        if (static_cast<unsigned char>(text[i + 1]) == second) return plain;
    return 0;
}

size_t letters(const std::string& utf8) {
    return size_t(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

bool startsWith(const char* text, char letter) { return text[0] == letter; }

// The stem with its one accent removed, and how many letters before its end the accent stood;
// false when it has none, or more than one.
bool withoutItsAccent(const std::string& stem, std::string* form, int* shift) {
    size_t at = std::string::npos;
    for (size_t i = 0; i < stem.size(); ++i) {
        if (plainOfAcute(stem, i) == 0) continue;
        if (at != std::string::npos) return false;
        at = i;
    }
    if (at == std::string::npos) return false;
    *form = stem.substr(0, at) + plainOfAcute(stem, at) + stem.substr(at + 2);
    *shift = int(letters(stem.substr(at)));
    return true;
}

struct SeenWithPronouns {
    u32 endings = 0;
    bool reflexive = false;  // seen with "se" alone, which the pronoun table lacks: "cómanse"
    std::array<u32, kLongestAccentShift + 1> shifts{};
};

bool endsWith(const std::string& word, const char* end) {
    const size_t n = std::char_traits<char>::length(end);
    return word.size() > n && word.compare(word.size() - n, n, end) == 0;
}

// The verb form a word with pronouns (the last `cut` bytes) is made of, and the accent's place;
// false when it is none. A stem that is a word with its accent ("comentá" of "comentámelo")
// is the form the pronouns belong to, not the one without the accent ("comenta").
bool verbOf(const std::vector<std::string>& words, const std::string& word, size_t cut, std::string* form,
            int* shift) {
    const std::string stem = word.substr(0, word.size() - cut);
    if (!withoutItsAccent(stem, form, shift) || std::binary_search(words.begin(), words.end(), stem)) return false;
    // Infinitives and gerunds take pronouns by their shape alone.
    if (form->back() == 'r' || endsWith(*form, "ndo")) return false;
    return std::binary_search(words.begin(), words.end(), *form);
}

}  // namespace

std::map<std::string, u8> spanishPronounClasses(const std::vector<std::string>& words) {
    std::map<std::string, SeenWithPronouns> seen;
    for (const std::string& word : words) {
        const u32 endings = splEncliticsAtEnd(reinterpret_cast<const u8*>(word.c_str()));
        std::string form;
        int shift = 0;
        for (int ending = 0; ending < int(kEncliticCount); ++ending) {
            if (!((endings >> ending) & 1u) || !verbOf(words, word, splEncliticLength(ending), &form, &shift)) continue;
            SeenWithPronouns& s = seen[form];
            s.endings |= 1u << ending;
            if (shift <= kLongestAccentShift) ++s.shifts[size_t(shift)];
        }
        if (endsWith(word, "se") && verbOf(words, word, 2, &form, &shift)) {
            SeenWithPronouns& s = seen[form];
            s.reflexive = true;
            if (shift <= kLongestAccentShift) ++s.shifts[size_t(shift)];
        }
    }
    std::map<std::string, u8> classes;
    for (const auto& [form, s] : seen) {
        std::string set1;
        if (!utf8ToSet1(form, &set1)) continue;
        bool second = false, person = s.reflexive;
        for (int ending = 0; ending < int(kEncliticCount); ++ending) {
            if (!((s.endings >> ending) & 1u)) continue;
            const char* text = splEncliticText(ending);
            second = second || startsWith(text, 't');
            person = person || startsWith(text, 'm') || startsWith(text, 's') || startsWith(text, 'n');
        }
        const u8 row = second ? kPronounRowAll : person ? kPronounRowNoTe : kPronounRowThird;
        const size_t shift = size_t(std::max_element(s.shifts.begin(), s.shifts.end()) - s.shifts.begin());
        classes[set1] = u8(kClassByte | (shift << 4) | row);
    }
    return classes;
}
