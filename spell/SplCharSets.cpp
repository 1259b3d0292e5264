#include "spell/SplCharSets.h"

#include <array>

#include "spell/SplCharSetTables.h"

namespace {

struct CasePair {
    u8 upper;
    u8 lower;
    char base;
};

// Set 1's accented case pairs and the letter both fold to (0 keeps the letter itself).
constexpr CasePair kSet1Pairs[] = {
    {128, 135, 'c'}, {142, 132, 'a'}, {143, 134, 'a'}, {144, 130, 'e'}, {146, 145, 'e'}, {153, 148, 'o'},
    {154, 129, 'u'}, {157, 236, 'y'}, {165, 164, 'n'}, {176, 133, 'a'}, {177, 138, 'e'}, {178, 141, 'i'},
    {179, 149, 'o'}, {180, 151, 'u'}, {181, 160, 'a'}, {182, 161, 'i'}, {183, 162, 'o'}, {184, 163, 'u'},
    {185, 137, 'e'}, {186, 139, 'i'}, {187, 131, 'a'}, {188, 136, 'e'}, {189, 140, 'i'}, {190, 147, 'o'},
    {191, 150, 'u'}, {192, 193, 'e'}, {195, 194, 'a'}, {199, 198, 'o'}, {201, 200, 'y'}, {203, 202, 'l'},
    {233, 237, 'o'}, {209, 208, 0},   {232, 231, 0},
};

struct Set1 {
    std::array<u8, 256> lower{}, upper{}, unaccent{}, type{};
};

Set1 makeSet1() {
    Set1 s;
    for (int c = 0; c < 256; ++c) s.lower[c] = s.upper[c] = s.unaccent[c] = u8(c);
    for (int c = 'A'; c <= 'Z'; ++c) {
        s.lower[c] = u8(c + 32);
        s.upper[c + 32] = u8(c);
        s.type[c] = kCtUpper;
        s.type[c + 32] = kCtLower;
    }
    for (int c = 'A'; c <= 'F'; ++c) {
        s.type[c] |= kCtHex;
        s.type[c + 32] |= kCtHex;
    }
    for (int c = '0'; c <= '9'; ++c) s.type[c] = kCtDigit | kCtHex;
    for (int c = 32; c < 127; ++c)
        if (s.type[c] == 0) s.type[c] = kCtSeparator;
    s.type[u8('\'')] = s.type[u8('-')] = s.type[u8('.')] = kCtInternal;
    for (const CasePair& p : kSet1Pairs) {
        s.lower[p.upper] = p.lower;
        s.upper[p.lower] = p.upper;
        s.type[p.upper] = kCtUpper;
        s.type[p.lower] = kCtLower;
        if (p.base != 0) {
            s.unaccent[p.lower] = u8(p.base);
            s.unaccent[p.upper] = u8(p.base - 32);
        }
    }
    s.type[197] = s.type[225] = kCtCaseless;
    s.unaccent[197] = 'n';
    s.unaccent[225] = 's';
    for (u8 c : {166, 167, 168, 173, 174, 175, 196, 248}) s.type[c] = kCtSeparator;
    s.type[250] = kCtInternal;
    return s;
}

const Set1& set1() {
    static const Set1 tables = makeSet1();
    return tables;
}

std::array<u8, 256> makeEnglishClasses() {
    std::array<u8, 256> t{};
    for (int c = 'a'; c <= 'z'; ++c) {
        t[c] = kLcWriting | kLcLower;
        t[c - 32] = kLcWriting | kLcUpper;
    }
    for (char v : {'a', 'e', 'i', 'o', 'u'}) {
        t[u8(v)] |= kLcVowel;
        t[u8(v - 32)] |= kLcVowel;
    }
    for (char p : {'!', '"', '$', '&', ')', ',', ':', ';', '<', '>', '?', '`'}) t[u8(p)] = kLcPunct;
    for (char p : {'\'', '-', '.'}) t[u8(p)] = kLcWriting | kLcPunct;
    t[u8(' ')] = kLcWriting;
    return t;
}

std::array<u8, 256> makeSpanishClasses() {
    std::array<u8, 256> t = makeEnglishClasses();
    t[164] = kLcWriting | kLcLower;
    t[165] = kLcWriting | kLcUpper;
    for (u8 c : {129, 130, 160, 161, 162, 163}) t[c] = kLcWriting | kLcLower | kLcVowel | kLcAccented;
    for (u8 c : {144, 154, 181, 182, 183, 184}) t[c] = kLcWriting | kLcUpper | kLcVowel | kLcAccented;
    for (u8 c : {168, 173, 174, 175, 196, 248}) t[c] = kLcPunct;
    return t;
}

}  // namespace

int splCharSetOf(int language) {
    if (language < 1 || language > 28) return 0;
    if (language <= 17 || language == 27) return 1;
    if (language <= 21) return 2;
    if (language <= 24 || language == 28) return 3;
    return language == 25 ? 4 : 5;
}

namespace {

const SplCharSetTables* otherSet(int language) {
    int set = splCharSetOf(language);
    return set >= 2 ? &kSplCharSets2To5[set - 2] : nullptr;
}

}  // namespace

const u8* splLowerTable(int language) {
    if (splCharSetOf(language) == 1) return set1().lower.data();
    return otherSet(language) != nullptr ? otherSet(language)->lower : nullptr;
}
const u8* splUpperTable(int language) {
    if (splCharSetOf(language) == 1) return set1().upper.data();
    return otherSet(language) != nullptr ? otherSet(language)->upper : nullptr;
}
const u8* splUnaccentTable(int language) {
    if (splCharSetOf(language) == 1) return set1().unaccent.data();
    return otherSet(language) != nullptr ? otherSet(language)->unaccent : nullptr;
}
const u8* splTypeTable(int language) {
    if (splCharSetOf(language) == 1) return set1().type.data();
    return otherSet(language) != nullptr ? otherSet(language)->type : nullptr;
}

const u8* splLetterClassTable(int language) {
    static const std::array<u8, 256> english = makeEnglishClasses();
    static const std::array<u8, 256> spanish = makeSpanishClasses();
    if (language == 1 || language == 6) return english.data();
    if (language == 4) return spanish.data();
    return nullptr;
}

void splLowerCopy(u8* out, const u8* word, int language) {
    const u8* lower = splLowerTable(language);
    while (*word != 0) *out++ = lower != nullptr ? lower[*word++] : *word++;
    *out = 0;
}
