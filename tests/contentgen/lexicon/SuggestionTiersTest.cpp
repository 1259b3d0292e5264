#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "contentgen/lexicon/AffixExpander.h"
#include "contentgen/lexicon/SuggestionTiers.h"
#include "contentgen/lexicon/WordSource.h"
#include "tests/spell/SpellScratch.h"

namespace {

TEST(SuggestionTiers, WithoutCommonWordsEveryWordIsOffered) {
    SuggestionTiers tiers;
    tiers.addAcceptedOnly("att");
    EXPECT_FALSE(tiers.active());
    for (const char* word : {"att", "Tonia", "blk", "house"}) EXPECT_EQ(tiers.tierOf(word), SuggestionTier::Common) << word;
}

// The common words come from lists and from the forms of the dictionary stems they name; the
// families here are the affix expander's, as the builder gives them.
TEST(SuggestionTiers, EachWordFindsItsTier) {
    auto dir = spelltest::scratch("tiers");
    std::ofstream(dir / "x.aff") << "SET UTF-8\nSFX S Y 1\nSFX S 0 s .\nSFX V Y 2\nSFX V ar aba ar\nSFX V ar amos ar\n";
    std::ofstream(dir / "x.dic") << "3\njugar/V\nrorar/V\ncasa/S\n";
    SuggestionTiers tiers;
    for (const char* word : {"jugar", "house", "Paris", "hmm", "clit"}) tiers.addCommon(word);
    for (const char* word : {"att", "clit"}) tiers.addAcceptedOnly(word);
    std::string error;
    ASSERT_TRUE(expandAffixFamilies((dir / "x.aff").string(), (dir / "x.dic").string(),
                                    [&](const std::vector<std::string>& forms) { tiers.addFamily(forms); }, &error))
        << error;
    struct Case {
        const char* word;
        SuggestionTier tier;
    };
    const Case cases[] = {
        {"house", SuggestionTier::Common},        // listed
        {"jugaba", SuggestionTier::Common},       // a form of a listed stem
        {"jugamos", SuggestionTier::Common},
        {"Paris", SuggestionTier::Common},        // a listed name
        {"hmm", SuggestionTier::Common},          // listed, though it has no vowel
        {"rorar", SuggestionTier::Other},         // a stem no list names, and its forms
        {"roraba", SuggestionTier::Other},
        {"casas", SuggestionTier::Other},
        {"att", SuggestionTier::AcceptedOnly},    // an abbreviation
        {"clit", SuggestionTier::AcceptedOnly},   // accepted only, though a common list has it
        {"Tonia", SuggestionTier::AcceptedOnly},  // a name no list holds
        {"USB", SuggestionTier::AcceptedOnly},    // initials
        {"Ávila", SuggestionTier::AcceptedOnly},  // an accented capital
        {"blk", SuggestionTier::AcceptedOnly},    // no vowel
        {"pts", SuggestionTier::AcceptedOnly},
        {"y", SuggestionTier::Other},             // one letter is a word
        {"sky", SuggestionTier::Other},           // y counts as a vowel
        {"pié", SuggestionTier::Other},           // so do accented vowels
    };
    for (const Case& c : cases) EXPECT_EQ(tiers.tierOf(c.word), c.tier) << c.word;
}

// A text gives its words in small letters, accented letters included; anything else separates
// words.
TEST(SuggestionTiers, TextWordsInSmallLetters) {
    auto dir = spelltest::scratch("tiers-text");
    std::ofstream(dir / "t.txt") << "Había una vez un Búho.\n¿QUÉ? niño-2x";
    std::vector<std::string> words;
    ASSERT_TRUE(readTextWords((dir / "t.txt").string(), &words));
    const std::vector<std::string> expected = {"había", "una", "vez", "un", "búho", "qué", "niño", "x"};
    EXPECT_EQ(words, expected);
    EXPECT_FALSE(readTextWords((dir / "none.txt").string(), &words));
}

}  // namespace
