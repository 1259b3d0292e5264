#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "SpellTestSupport.h"

namespace {

namespace fs = std::filesystem;

struct Sample {
    int language;
    const char* prefix;
};

class SplSampleLexicon : public ::testing::TestWithParam<Sample> {};

// The lexicons that the ctest fixture built from a sample of each language's word lists.
TEST_P(SplSampleLexicon, EverySourceWordVerifiesInEveryShape) {
    const Sample s = GetParam();
    fs::path dir(SPELL_TEST_LEXICONS);
    fs::path words = dir / (std::string(s.prefix) + "_words.txt");
    if (!fs::exists(words)) GTEST_SKIP() << "no generated lexicon at " << words;
    spelltest::OpenSpeller speller;
    ASSERT_TRUE(speller.open((dir / (std::string(s.prefix) + "_phon.env")).string(),
                             (dir / (std::string(s.prefix) + "_main.lex")).string(), s.language))
        << speller.error;
    std::ifstream in(words);
    std::string w;
    size_t count = 0, failures = 0;
    while (std::getline(in, w)) {
        std::string bytes = spelltest::set1(w);
        if (bytes.size() >= 64) continue;
        for (const std::string& v : lexWordVariants(bytes, s.language)) {
            u32 result = 0;
            splCorrCtxReset(speller.ctx);
            if (!splVerifyWord(spelltest::bytes(v), &speller.rec, &result) && ++failures <= 10)
                ADD_FAILURE() << "not verified: " << set1ToUtf8(v);
        }
        ++count;
    }
    EXPECT_GE(count, 19000u);
    EXPECT_EQ(failures, 0u);
    for (const char* nonword : {"xqzvbnk", "aaaaaaaa", "qwrtpsdf", "zzzzq"}) EXPECT_FALSE(speller.verify(nonword)) << nonword;
}

INSTANTIATE_TEST_SUITE_P(Languages, SplSampleLexicon, ::testing::Values(Sample{1, "en"}, Sample{4, "es"}),
                         [](const auto& info) { return std::string(info.param.prefix); });

}  // namespace
