#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/spell/SpellTestSupport.h"
#include "contentgen/lexicon/PhonRules.h"
#include "spell/SplPhonTable.h"
#include "spell/SplPhonetic.h"

namespace {

std::string pairs(const SplPhonTable* phon, const std::string& word) {
    u8 out[kSplPairsSize];
    int n = splPhonEncode(spelltest::bytes(word), out, phon);
    return n < 0 ? "overflow" : std::string(reinterpret_cast<char*>(out), size_t(n));
}

std::string p(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s.push_back(char(b));
    return s;
}

class SplPhoneticTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = spelltest::scratch("phonetic");
        ASSERT_EQ(spelltest::buildSmall(dir, 1, {"knight", "phone", "ball", "cell", "dog", "O'Neil", "xylophone"}), "");
        u32 error = 0;
        phon = splPhonOpen((dir / "x_phon.env").string().c_str(), 0, &error);
        ASSERT_NE(phon, nullptr) << error;
    }
    static void TearDownTestSuite() { splPhonClose(phon); }
    static std::filesystem::path dir;
    static SplPhonTable* phon;
};
std::filesystem::path SplPhoneticTest::dir;
SplPhonTable* SplPhoneticTest::phon = nullptr;

TEST_F(SplPhoneticTest, PairStrings) {
    // Ordinary rules code the first letter; a doubled letter repeats; replacements code each
    // letter of their pattern; "Ykn" silences a word's first k, "igh" the gh after an i.
    EXPECT_EQ(pairs(phon, "dog"), p({'d', 21, 'o', 16, 'g', 19}));
    EXPECT_EQ(pairs(phon, "ball"), p({'b', 17, 'a', 16, 'l', 22, 9, 11}));
    EXPECT_EQ(pairs(phon, "phone"), p({'p', 18, 'h', 11, 'o', 16, 'n', 24, 'e', 16}));
    EXPECT_EQ(pairs(phon, "cell"), p({'c', 20, 'e', 16, 'l', 22, 9, 11}));
    EXPECT_EQ(pairs(phon, "knight"), p({'k', 11, 'n', 24, 'i', 16, 'g', 11, 'h', 11, 't', 21}));
    EXPECT_EQ(pairs(phon, "akn"), p({'a', 16, 'k', 19, 'n', 24}));
    EXPECT_EQ(pairs(phon, "d'o"), p({'d', 21, '\'', 11, 'o', 16}));
    // After a separator the spelling follows unchanged.
    EXPECT_EQ(pairs(phon, "o'neil\x08O'Neil"), p({'o', 16, '\'', 11, 'n', 24, 'e', 16, 'i', 16, 'l', 22, 8, 11}) + "O'Neil");
    EXPECT_EQ(pairs(phon, std::string(127, 'b')).size(), 2u + 2u * 126u);
    EXPECT_EQ(pairs(phon, std::string(128, 'b')), "overflow");
}

TEST_F(SplPhoneticTest, KeysRoundTripAndBins) {
    for (const char* word : {"dog", "knight", "phone", "ball", "xylophone", "o'neil\x08O'Neil"}) {
        u8 key[kSplMaxKey + 1];
        u8 back[kSplPairsSize];
        int n = splWordToKey(spelltest::bytes(word), key, 0, phon);
        ASSERT_GT(n, 2) << word;
        EXPECT_GE(key[0], phon->words[5]);
        EXPECT_LT(key[0], phon->words[1]);
        EXPECT_LT(key[1], phon->words[1]);
        ASSERT_GE(unphfull(key, back, phon), 0);
        EXPECT_STREQ(reinterpret_cast<char*>(back), word);
        // Single-bin keys differ only in their bin bytes.
        u8 single[kSplMaxKey + 1];
        ASSERT_EQ(splWordToKey(spelltest::bytes(word), single, 1, phon), n);
        EXPECT_EQ(single[0], phon->words[2]);
        EXPECT_EQ(single[1], phon->words[2]);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(single + 2)), std::string(reinterpret_cast<char*>(key + 2)));
    }
    // Words with the same first two kept codes share a bin; b-d and b-g do not.
    u8 a[kSplMaxKey + 1], b[kSplMaxKey + 1], c[kSplMaxKey + 1];
    splWordToKey(spelltest::bytes("bad"), a, 0, phon);
    splWordToKey(spelltest::bytes("bid"), b, 0, phon);
    splWordToKey(spelltest::bytes("bag"), c, 0, phon);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(a), 2), std::string(reinterpret_cast<char*>(b), 2));
    EXPECT_NE(std::string(reinterpret_cast<char*>(a), 2), std::string(reinterpret_cast<char*>(c), 2));
}

TEST_F(SplPhoneticTest, PairsTheTableLacksBecomeTheUnknownIndex) {
    u8 key[kSplMaxKey + 1];
    int n = splWordToKey(spelltest::bytes("&%"), key, 0, phon);  // no word of the lexicon holds them
    ASSERT_EQ(n, 4);
    EXPECT_EQ(key[2], phon->words[3]);
    EXPECT_EQ(key[3], phon->words[3]);
}

TEST(PhonRules, RulesFileErrors) {
    PhonRules rules;
    std::string error;
    EXPECT_TRUE(parsePhonRules("a 0\nph = 18 11 # comment\n", 1, &rules, &error)) << error;
    EXPECT_EQ(rules.outputs.size(), 2u);
    const char* bad[] = {"", "# only a comment\n", "a 16\n", "a -1\n", "ph = 18 12\n", "ph =\n", "a\n"};
    for (const char* text : bad) {
        PhonRules r;
        EXPECT_FALSE(parsePhonRules(text, 1, &r, &error)) << text;
    }
}

TEST(SplPhoneticEndTest, AReplacementOnTheWordsEndAloneEndsTheWord) {
    // A rule on the end mark alone matches at every word's end and codes no letter: each word
    // codes as it would without it, and the encoder moves past the mark rather than matching
    // it again.
    const auto dir = spelltest::scratch("phonetic-end");
    std::string built;
    spelltest::withinSeconds("building with an end-only replacement", [&] {
        built = spelltest::buildSmall(dir, 1, {"dog", "ball"}, 0, true, "Z = 11\n");
    });
    ASSERT_EQ(built, "");
    u32 error = 0;
    SplPhonTable* endRule = splPhonOpen((dir / "x_phon.env").string().c_str(), 0, &error);
    ASSERT_NE(endRule, nullptr) << error;
    std::string dog, ball;
    spelltest::withinSeconds("coding with an end-only replacement", [&] {
        dog = pairs(endRule, "dog");
        ball = pairs(endRule, "ball");
    });
    EXPECT_EQ(dog, p({'d', 21, 'o', 16, 'g', 19}));
    EXPECT_EQ(ball, p({'b', 17, 'a', 16, 'l', 22, 9, 11}));
    splPhonClose(endRule);
}

TEST(SplPhoneticEndTest, RulesOnTheFrameMarksCodeEveryLetter) {
    // Whatever a rule does with the marks around a word, each of the word's letters is coded
    // once: an ordinary rule on the start mark alone codes the first letter, a replacement on a
    // mark alone codes none, and codes past a pattern's letters are left unused. The builder
    // writes the phonetic file before it checks the words, so a lossy rule still leaves one.
    struct Case {
        const char* rule;
        const char* word;
        std::string expected;
    } cases[] = {
        {"Y 3\n", "dog", p({'d', 19, 'o', 16, 'g', 19})},
        {"Y 3\n", "", ""},
        {"Y = 11\n", "dog", p({'d', 21, 'o', 16, 'g', 19})},
        {"Z 3\n", "dog", p({'d', 21, 'o', 16, 'g', 19})},
        {"YZ 3\n", "", ""},
        {"YZ = 11\n", "", ""},
        {"YZ = 11\n", "dog", p({'d', 21, 'o', 16, 'g', 19})},
        {"gZ = 30 31\n", "dog", p({'d', 21, 'o', 16, 'g', 30})},
    };
    for (const Case& c : cases) {
        const auto dir = spelltest::scratch("phonetic-marks");
        spelltest::withinSeconds(c.rule, [&] { spelltest::buildSmall(dir, 1, {"dog"}, 0, true, c.rule); });
        u32 error = 0;
        SplPhonTable* table = splPhonOpen((dir / "x_phon.env").string().c_str(), 0, &error);
        ASSERT_NE(table, nullptr) << c.rule << error;
        std::string coded;
        spelltest::withinSeconds(c.rule, [&] { coded = pairs(table, c.word); });
        EXPECT_EQ(coded, c.expected) << c.rule << " " << c.word;
        splPhonClose(table);
    }
}

TEST(SplPhoneticEndTest, AKeyShorterThanItsBinBytesIsRefused) {
    // Sized exactly, so that a read past the key's end is caught.
    const auto dir = spelltest::scratch("phonetic-short-key");
    ASSERT_EQ(spelltest::buildSmall(dir, 1, {"dog"}), "");
    u32 error = 0;
    SplPhonTable* table = splPhonOpen((dir / "x_phon.env").string().c_str(), 0, &error);
    ASSERT_NE(table, nullptr) << error;
    const u8 bin = u8(table->words[5]);
    struct Case {
        std::vector<u8> key;
        int length;
    } cases[] = {{{0}, -1}, {{bin, 0}, -1}, {{bin, bin, 0}, 0}};
    for (const Case& c : cases) {
        auto key = std::make_unique<u8[]>(c.key.size());
        std::copy(c.key.begin(), c.key.end(), key.get());
        u8 word[kSplPairsSize] = {1};
        EXPECT_EQ(unphfull(key.get(), word, table), c.length) << c.key.size();
        if (c.length == 0) {
            EXPECT_EQ(word[0], 0);
        }
    }
    splPhonClose(table);
}

}  // namespace
