#include <gtest/gtest.h>

#include "spell/SplCharSets.h"
#include "spell/SplCodePage.h"

namespace {

TEST(SplCharSets, SetOfLanguageAtEveryBoundary) {
    const std::pair<int, int> cases[] = {{0, 0},  {1, 1},  {17, 1}, {18, 2}, {21, 2}, {22, 3}, {24, 3}, {25, 4},
                                         {26, 5}, {27, 1}, {28, 3}, {29, 0}, {-1, 0}};
    for (auto [language, set] : cases) EXPECT_EQ(splCharSetOf(language), set) << language;
    EXPECT_NE(splLowerTable(17), nullptr);
    EXPECT_NE(splLowerTable(18), splLowerTable(17));
    EXPECT_EQ(splTypeTable(29), nullptr);
    EXPECT_EQ(splTypeTable(0), nullptr);
}

TEST(SplCharSets, Set1CasePairsAndFolding) {
    const u8* lower = splLowerTable(1);
    const u8* upper = splUpperTable(1);
    const u8* unaccent = splUnaccentTable(1);
    const u8* type = splTypeTable(1);
    struct Pair {
        u8 up, low;
        char base;
    };
    const Pair pairs[] = {{128, 135, 'c'}, {165, 164, 'n'}, {181, 160, 'a'}, {184, 163, 'u'},
                          {154, 129, 'u'}, {233, 237, 'o'}, {209, 208, 0},   {'Q', 'q', 'q'}};
    for (const Pair& p : pairs) {
        EXPECT_EQ(lower[p.up], p.low);
        EXPECT_EQ(upper[p.low], p.up);
        EXPECT_EQ(type[p.up], kCtUpper);
        EXPECT_EQ(type[p.low] & kCtLower, kCtLower);
        if (p.base != 0) {
            EXPECT_EQ(unaccent[p.low], u8(p.base));
            EXPECT_EQ(unaccent[p.up], u8(p.base - 32));
        } else {
            EXPECT_EQ(unaccent[p.low], p.low);
        }
    }
    EXPECT_EQ(upper[225], 225);  // a letter without case stays
    EXPECT_EQ(type[225], kCtCaseless);
    EXPECT_EQ(type[250], kCtInternal);
    EXPECT_EQ(type[168], kCtSeparator);
    EXPECT_EQ(type[200 + 1], kCtUpper);
    EXPECT_EQ(type[127], 0);
    EXPECT_EQ(type[152], 0);
    EXPECT_EQ(type['a'], kCtLower | kCtHex);
    EXPECT_EQ(type['g'], kCtLower);
    EXPECT_EQ(type['7'], kCtDigit | kCtHex);
}

TEST(SplCharSets, CodePageSets) {
    struct Case {
        int language;
        u8 upper, lower, base;  // base 0: the letter keeps its form without accents
    };
    const Case cases[] = {
        {18, 192, 224, 0},    // Cyrillic A
        {18, 223, 136, 0},    // Cyrillic YA: its small letter moves to 136, since 255 is reserved
        {18, 168, 184, 170},  // IO folds to the Ukrainian IE, as the set's accent removal says
        {22, 138, 154, 'S'},  // S with caron
        {22, 195, 227, 'A'},  // A with breve
        {25, 193, 225, 0},    // Greek alpha
        {25, 162, 220, 193},  // Greek alpha with tonos folds to alpha
        {26, 208, 240, 'G'},  // G with breve
        {26, 222, 254, 'S'},  // S with cedilla
    };
    for (const Case& c : cases) {
        const u8* lower = splLowerTable(c.language);
        const u8* upper = splUpperTable(c.language);
        const u8* unaccent = splUnaccentTable(c.language);
        const u8* type = splTypeTable(c.language);
        EXPECT_EQ(lower[c.upper], c.lower) << c.language << " " << int(c.upper);
        EXPECT_EQ(upper[c.lower], c.upper) << c.language << " " << int(c.lower);
        EXPECT_EQ(type[c.upper] & kCtUpper, kCtUpper);
        EXPECT_EQ(type[c.lower] & kCtLower, kCtLower);
        EXPECT_EQ(unaccent[c.upper], c.base == 0 ? c.upper : c.base) << c.language << " " << int(c.upper);
    }
    EXPECT_EQ(splTypeTable(18)[255], 0);  // never a letter in set 2
    EXPECT_EQ(splUnaccentTable(26)[253], 'i');
    EXPECT_EQ(splUnaccentTable(26)[221], 'I');
}

TEST(SplCharSets, LetterClassesOfEnglishAndSpanish) {
    const u8* en = splLetterClassTable(1);
    const u8* es = splLetterClassTable(4);
    ASSERT_NE(en, nullptr);
    ASSERT_NE(es, nullptr);
    EXPECT_EQ(splLetterClassTable(6), en);
    EXPECT_EQ(splLetterClassTable(2), nullptr);
    EXPECT_EQ(en['e'], kLcWriting | kLcLower | kLcVowel);
    EXPECT_EQ(en['K'], kLcWriting | kLcUpper);
    EXPECT_EQ(en['\''], kLcWriting | kLcPunct);
    EXPECT_EQ(en[';'], kLcPunct);
    EXPECT_EQ(en[164], 0);
    EXPECT_EQ(es[164], kLcWriting | kLcLower);
    EXPECT_EQ(es[160], kLcWriting | kLcLower | kLcVowel | kLcAccented);
    EXPECT_EQ(es[184], kLcWriting | kLcUpper | kLcVowel | kLcAccented);
    EXPECT_EQ(es[168], kLcPunct);
}

TEST(SplCodePage, Cp1252RoundTripsWhatSet1Holds) {
    int mapped = 0;
    for (int c = 0; c < 256; ++c) {
        u8 inSet = splFromCp1252(u8(c));
        if (inSet == 0) continue;
        ++mapped;
        EXPECT_EQ(splToCp1252(inSet), c) << c;
    }
    EXPECT_EQ(mapped, 127 + 72);  // byte 0 ends a word and maps to nothing
    EXPECT_EQ(splFromCp1252(0xF1), 164);  // ñ
    EXPECT_EQ(splFromCp1252(0xC1), 181);  // Á
    EXPECT_EQ(splFromCp1252(0x80), 0);    // the euro sign has no place
}

}  // namespace
