#include "spell/SplEnclitics.h"

#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "spell/SplCharSets.h"
#include "spell/SplErrors.h"
#include "spell/SplLexEntries.h"

namespace {

struct Enclitic {
    const char* text;
    bool pair;  // two pronouns
};

constexpr Enclitic kEnclitics[kEncliticCount] = {
    {"la", false},     {"mela", true},   {"sela", true},   {"tela", true},  {"nosla", true},
    {"le", false},     {"me", false},    {"te", false},    {"lo", false},   {"melo", true},
    {"selo", true},    {"telo", true},   {"noslo", true},  {"las", false},  {"melas", true},
    {"selas", true},   {"telas", true},  {"noslas", true}, {"les", false},  {"los", false},
    {"melos", true},   {"selos", true},  {"telos", true},  {"noslos", true}, {"nos", false},
};

constexpr u32 mask(std::initializer_list<const char*> endings) {
    u32 m = 0;
    for (const char* e : endings)
        for (u32 i = 0; i < kEncliticCount; ++i)
            if (std::string_view(kEnclitics[i].text) == e) m |= 1u << i;
    return m;
}

// Which endings each verb class row allows; rows 8 and 12 to 15 allow none.
constexpr u32 kRows[kEncliticRows] = {
    (1u << kEncliticCount) - 1,
    mask({"la", "mela", "sela", "nosla", "le", "me", "lo", "melo", "selo", "noslo", "las", "melas", "selas", "noslas",
          "les", "los", "melos", "selos", "noslos", "nos"}),
    mask({"la", "le", "lo", "las", "les", "los"}),
    mask({"la", "mela", "sela", "le", "me", "lo", "melo", "selo", "las", "melas", "selas", "les", "los", "melos",
          "selos"}),
    mask({"la", "le", "me", "te", "lo", "las", "les", "los", "nos"}),
    mask({"la", "le", "me", "lo", "las", "les", "los", "nos"}),
    mask({"la", "le", "me", "lo", "las", "les", "los"}),
    mask({"me", "te", "nos"}),
    0,
    mask({"le", "me", "les", "nos"}),
    mask({"le", "me", "te", "les", "nos"}),
    mask({"lo", "las", "melas", "les", "los", "selos", "telos"}),
    0, 0, 0, 0,
};
constexpr u32 kRowNoPronouns = 7;
constexpr u8 kClassFirst = 128;  // class bytes below this carry no inflection class  // a row-7 form only takes pronouns through its own accent

constexpr u8 kAcuteE = 130, kAcuteA = 160, kAcuteI = 161, kAcuteO = 162, kAcuteU = 163, kDiaeresisU = 129;

bool accented(u8 c) { return c == kAcuteE || (c >= kAcuteA && c <= kAcuteU); }
bool vowel(u8 c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || c == kDiaeresisU || accented(c); }
bool strong(u8 c) { return c == 'a' || c == 'e' || c == 'o' || c == kAcuteE || c == kAcuteA || c == kAcuteO; }

// Whether stem[i] is a vowel of the syllable; the u of "qu" is not.
bool vowelAt(const std::string& stem, size_t i) {
    u8 c = u8(stem[i]);
    if (c == 'u' && i > 0 && stem[i - 1] == 'q') return false;
    return vowel(c);
}

// Nuclei of the last two syllables of the stem (npos when absent); false for a group of four
// or more vowels.
bool nuclei(const std::string& stem, size_t* last, size_t* before) {
    *last = *before = std::string::npos;
    size_t end = stem.size();
    for (int syllable = 0; syllable < 2; ++syllable) {
        size_t v = end;
        while (v > 0 && !vowelAt(stem, v - 1)) --v;
        if (v == 0) return true;
        size_t top = v - 1;
        size_t start = top;
        while (start > 0 && vowelAt(stem, start - 1)) --start;
        if (top - start + 1 >= 4) return false;
        // Within the group the nucleus is the strong vowel a weak final one leans on.
        size_t nucleus = top;
        size_t first = top;
        if (!strong(u8(stem[top])) && !accented(u8(stem[top]))) {
            if (top > start && (strong(u8(stem[top - 1])) || accented(u8(stem[top - 1])))) nucleus = first = top - 1;
            if (first > start && !strong(u8(stem[first - 1])) && !accented(u8(stem[first - 1]))) --first;
        } else if (top > start && !strong(u8(stem[top - 1])) && !accented(u8(stem[top - 1]))) {
            first = top - 1;
        }
        (syllable == 0 ? *last : *before) = nucleus;
        end = first;
    }
    return true;
}

// The stem with the accent at the nucleus removed; its state: 1 removed, 2 another accent kept
// (or a capital that may have dropped it), 0 none. False when the stem cannot carry pronouns.
bool unaccented(const std::string& stem, size_t nucleus, const u8* surface, const u8* unaccent, std::string* copy,
                int* state) {
    *copy = stem;
    *state = 0;
    bool removed = false;
    u8 c = u8(stem[nucleus]);
    bool hiatus = (c == kAcuteI || c == kAcuteU) &&
                  ((nucleus > 0 && vowelAt(stem, nucleus - 1)) || (nucleus + 1 < stem.size() && vowel(u8(stem[nucleus + 1]))));
    if (accented(c) && !hiatus) {
        (*copy)[nucleus] = char(unaccent[c]);
        removed = true;
        *state = 1;
    }
    for (size_t i = 0; i < copy->size(); ++i) {
        if (!accented(u8((*copy)[i]))) continue;
        if (removed) return false;
        *state = 2;
    }
    const u8* types = splTypeTable(kSplLangSpanish);
    if (*state == 0 && nucleus < std::strlen(reinterpret_cast<const char*>(surface)) && (types[surface[nucleus]] & kCtUpper))
        *state = 2;
    return true;
}

// Looks the verb form up; the class row must allow the ending (and not be row 7 when asked). A
// form without an inflection class takes pronouns only when its own ending shows it is a verb
// (an infinitive or a gerund): otherwise any noun could take them.
bool fetchAllowing(SplLexicon* lex, const std::string& form, int ending, bool refuseRow7, bool verbShaped) {
    if (form.empty() || form.size() >= size_t(kSplMaxWord)) return false;
    if (!splLexFetch(lex, reinterpret_cast<const u8*>(form.c_str()))) return false;
    if (lex->classByte < kClassFirst) return verbShaped;
    u32 row = lex->classByte & 15;
    if (refuseRow7 && row == kRowNoPronouns) return false;
    return (kRows[row] >> ending) & 1u;
}

bool tryEnding(SplLexicon* lex, const u8* form, const u8* surface, int ending) {
    const Enclitic& e = kEnclitics[ending];
    size_t n = std::strlen(reinterpret_cast<const char*>(form));
    size_t cut = std::strlen(e.text);
    if (cut >= n) return false;
    std::string stem(reinterpret_cast<const char*>(form), n - cut);
    size_t last = 0, before = 0;
    if (!nuclei(stem, &last, &before) || last == std::string::npos) return false;
    const u8* unaccent = splUnaccentTable(kSplLangSpanish);
    auto fits = [&](int state) { return e.pair ? state != 0 : state != 1; };
    std::string copy;
    int state = 0;
    auto withSe = [&](const std::string& s) {
        return fetchAllowing(lex, s, ending, false, true) || fetchAllowing(lex, s + "se", ending, false, true);
    };
    if (stem.back() == 'r') {
        if (!unaccented(stem, last, surface, unaccent, &copy, &state)) return false;
        if (fits(state) && withSe(copy)) return true;
        return state == 1 && withSe(stem);
    }
    if (stem.size() >= 2 && stem.compare(stem.size() - 2, 2, "do") == 0) {
        if (before == std::string::npos || !unaccented(stem, before, surface, unaccent, &copy, &state)) return false;
        return state >= 1 && withSe(copy);
    }
    u8 end = u8(stem.back());
    bool useBefore = before != std::string::npos && (vowel(end) || end == 'y' || end == 's' || end == 'n');
    size_t nucleus = useBefore ? before : last;
    if (!unaccented(stem, nucleus, surface, unaccent, &copy, &state)) return false;
    bool tried = useBefore ? state >= 1 : fits(state);
    if (tried && fetchAllowing(lex, copy, ending, true, false)) return true;
    return state == 1 && fetchAllowing(lex, stem, ending, true, false);
}

// Syllables of a pronoun ending ("lo" one, "melo" two).
size_t syllables(const char* text) {
    size_t n = 0;
    for (const char* p = text; *p != 0; ++p) n += vowel(u8(*p)) && (p == text || !vowel(u8(p[-1])));
    return n;
}

// Which syllable from its end a verb form without a written accent is stressed on: the one
// before the last when it ends in a vowel, n or s and has two, else the last ("da", "comed").
size_t stressFromEnd(const u8* form, size_t n) {
    const std::string stem(reinterpret_cast<const char*>(form), n);
    size_t last = 0, before = 0;
    if (!nuclei(stem, &last, &before) || before == std::string::npos) return 1;
    u8 end = form[n - 1];
    return vowel(end) || end == 'n' || end == 's' ? 2 : 1;
}

}  // namespace

size_t splEncliticLength(int ending) { return std::strlen(kEnclitics[ending].text); }

const char* splEncliticText(int ending) { return kEnclitics[ending].text; }

u32 splEncliticsAtEnd(const u8* form) {
    size_t n = std::strlen(reinterpret_cast<const char*>(form));
    u32 mask = 0;
    for (u32 i = 0; i < kEncliticCount; ++i) {
        size_t k = std::strlen(kEnclitics[i].text);
        if (k < n && std::memcmp(form + n - k, kEnclitics[i].text, k) == 0) mask |= 1u << i;
    }
    return mask;
}

bool splEncliticForm(const u8* entry, u8 classByte, int ending, u8* out) {
    if (classByte < kClassFirst || !((kRows[classByte & 15] >> ending) & 1u)) return false;
    size_t n = std::strlen(reinterpret_cast<const char*>(entry));
    size_t k = std::strlen(kEnclitics[ending].text);
    if (n == 0 || n + k >= size_t(kSplMaxWord)) return false;
    std::memcpy(out, entry, n);
    std::memcpy(out + n, kEnclitics[ending].text, k + 1);
    size_t shift = (classByte >> 4) & 7;
    bool carries = false;
    for (size_t i = 0; i < n; ++i) carries = carries || accented(out[i]);
    // The accent is written where the pronouns put the verb's stress three syllables or more
    // from the end: "cómelo", "dámelo", but "dalo", "comedlo".
    if (shift == 0 || shift > n || carries || stressFromEnd(entry, n) + syllables(kEnclitics[ending].text) < 3) return true;
    static constexpr std::pair<u8, u8> kAcute[] = {{'a', kAcuteA}, {'e', kAcuteE}, {'i', kAcuteI}, {'o', kAcuteO}, {'u', kAcuteU}};
    for (auto [plain, acute] : kAcute)
        if (out[n - shift] == plain) out[n - shift] = acute;
    return true;
}

int splEncliticMatch(const u8* form, bool shortest) {
    size_t n = std::strlen(reinterpret_cast<const char*>(form));
    int best = -1;
    size_t bestLength = 0;
    for (u32 i = 0; i < kEncliticCount; ++i) {
        size_t k = std::strlen(kEnclitics[i].text);
        if (k >= n || std::memcmp(form + n - k, kEnclitics[i].text, k) != 0) continue;
        if (best < 0 || (shortest ? k < bestLength : k > bestLength)) {
            best = int(i);
            bestLength = k;
        }
    }
    return best;
}

int splEncliticStress(const u8* form) {
    const int ending = splEncliticMatch(form, false);
    if (ending < 0) return -1;
    const size_t n = std::strlen(reinterpret_cast<const char*>(form)) - splEncliticLength(ending);
    size_t last = 0, before = 0;
    if (!nuclei(std::string(reinterpret_cast<const char*>(form), n), &last, &before) || last == std::string::npos)
        return -1;
    return int(stressFromEnd(form, n) == 2 ? before : last);
}

int spnfetch(SplLexicon* lex, const u8* form, const u8* surface) {
    int longest = splEncliticMatch(form, false);
    if (longest < 0) return 0;
    if (tryEnding(lex, form, surface, longest)) return 1;
    if (!kEnclitics[longest].pair) return 0;
    int shortest = splEncliticMatch(form, true);
    return shortest >= 0 && shortest != longest && tryEnding(lex, form, surface, shortest) ? 1 : 0;
}
