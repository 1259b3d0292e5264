#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "spell/SplLexEntries.h"
#include "spell/SplLexIndex.h"
#include "spell/SplLexicon.h"
#include "spell/SplPhonTable.h"
#include "tests/spell/SpellTestSupport.h"

namespace {

// Enough words for several blocks of many points each: every word is found from its block's
// nearest point, and a word one letter longer, which sorts right after it, is not. The same
// lexicon read without its index answers the same.
TEST(SplLexIndex, EveryWordIsFoundFromTheNearestPoint) {
    std::vector<std::string> words;
    for (char c1 : std::string("bdfklmpt"))
        for (char v1 : std::string("aeiou"))
            for (char c2 : std::string("bdfklmpt"))
                for (char v2 : std::string("aeiou")) words.push_back({c1, v1, c2, v2});
    auto dir = spelltest::scratch("lex_index");
    ASSERT_EQ(spelltest::buildSmall(dir, 1, words), "");
    spelltest::OpenSpeller s;
    ASSERT_TRUE(s.openDir(dir, 1)) << s.error;
    const SplLexIndex* index = s.lex->index;
    ASSERT_NE(index, nullptr);
    ASSERT_GT(s.lex->blockCount, 2u);
    ASSERT_EQ(index->first.size(), s.lex->blockCount + 1u);
    EXPECT_GT(index->offset.size(), 2u * s.lex->blockCount);
    EXPECT_EQ(index->blocks.size(), size_t(s.lex->blockCount) * kSplBlockSize);
    for (bool indexed : {true, false}) {
        SplLexIndex* kept = s.lex->index;
        if (!indexed) s.lex->index = nullptr;
        size_t found = 0, refused = 0;
        for (const std::string& w : words) {
            found += s.verify(w);
            refused += !s.verify(w + "r");
        }
        s.lex->index = kept;
        EXPECT_EQ(found, words.size()) << indexed;
        EXPECT_EQ(refused, words.size()) << indexed;
    }
}

// The heads decide most comparisons; on each side of their eight bytes, and at either key's
// end, they must order and measure the shared start exactly as the bytes themselves do.
TEST(SplLexIndex, HeadsCompareAsTheKeys) {
    const char* pairs[][2] = {
        {"abc", "abd"},           {"abd", "abc"},           {"abc", "abc"},           {"ab", "abc"},
        {"abc", "ab"},            {"abcdefgh", "abcdefgh"}, {"abcdefg", "abcdefgh"},  {"abcdefgh", "abcdefg"},
        {"abcdefgh", "abcdefgi"}, {"abcdefghi", "abcdefgh"}, {"abcdefgh", "abcdefghi"}, {"abcdefghij", "abcdefghik"},
        {"abcdefghik", "abcdefghij"}, {"abcdefghij", "abcdefghij"}, {"\xff", "\x01"},  {"a", "b"},
    };
    for (const auto& pair : pairs) {
        const auto* a = reinterpret_cast<const u8*>(pair[0]);
        const auto* b = reinterpret_cast<const u8*>(pair[1]);
        u32 expectShared = 0;
        while (a[expectShared] != 0 && a[expectShared] == b[expectShared]) ++expectShared;
        int expect = splKeyCompare(a, b);
        u32 shared = 99;
        int order = splKeyCompareHeads(splKeyHead(a), a, splKeyHead(b), b, &shared);
        EXPECT_EQ(order < 0, expect < 0) << pair[0] << " " << pair[1];
        EXPECT_EQ(order == 0, expect == 0) << pair[0] << " " << pair[1];
        EXPECT_EQ(shared, expectShared) << pair[0] << " " << pair[1];
    }
}

// What the first two bytes of a place decide is the longest rule of at most two bytes that
// matches there, and nothing where a longer rule starts with them.
TEST(SplLexIndex, FirstTwoBytesAnswerAsTheLongestRule) {
    std::vector<std::string> words = {"bat", "chat", "ghost", "laugh", "which"};
    auto dir = spelltest::scratch("lex_first_two");
    ASSERT_EQ(spelltest::buildSmall(dir, 1, words), "");
    spelltest::OpenSpeller s;
    ASSERT_TRUE(s.openDir(dir, 1)) << s.error;
    const SplPhonTable* phon = s.phon;
    size_t decided = 0, scanned = 0;
    for (u32 a = 1; a < 256; ++a) {
        for (u32 b = 0; b < 256; ++b) {
            bool longer = false;
            size_t bestLength = 0;
            u8 bestOutput = kPhonNoOutput;
            for (u32 r = 0; r < phon->words[0]; ++r) {
                const u8* p = phon->patterns[r];
                size_t n = std::strlen(reinterpret_cast<const char*>(p));
                if (n == 0 || p[0] != a || (n > 1 && p[1] != b)) continue;
                if (n > 2) longer = true;
                else if (n > bestLength) {
                    bestLength = n;
                    bestOutput = phon->outputs[r];
                }
            }
            u16 known = phon->firstTwo[a][b];
            if (longer) {
                EXPECT_EQ(known, kPhonRuleScan) << a << " " << b;
                ++scanned;
                continue;
            }
            ASSERT_NE(known, kPhonRuleScan) << a << " " << b;
            EXPECT_EQ(known >> 8, bestLength) << a << " " << b;
            if (bestLength > 0) {
                EXPECT_EQ(u8(known), bestOutput) << a << " " << b;
            }
            decided += bestLength > 0;
        }
    }
    EXPECT_GT(decided, 26u);
    EXPECT_GT(scanned, 0u);
}

}  // namespace
