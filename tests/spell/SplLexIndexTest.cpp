#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "spell/SplLexEntries.h"
#include "spell/SplLexIndex.h"
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

}  // namespace
