#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/spell/SpellTestSupport.h"
#include "spell/SplCorrect.h"
#include "spell/SplShape.h"
#include "spell/SplTrieLexicon.h"

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
    if (!fs::exists(words)) GTEST_FAIL() << "no lexicon built by the ctest fixture (its word lists come from scripts/install-deps) at " << words;
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


// Each sample word with two letters exchanged (when that is no word) gets the word back among
// its suggestions, through the typo walk of the letter tree and the phonetic bins. Possessives
// are left out (their suggestions are made of the word without its ending, which a sample may
// lack), and so are words with letters foreign to the language, which the tree cannot hold.
TEST_P(SplSampleLexicon, ExchangedLettersAreCorrected) {
    const Sample s = GetParam();
    fs::path dir(SPELL_TEST_LEXICONS);
    std::string prefix = (dir / s.prefix).string();
    if (!fs::exists(prefix + "_typo.lex")) GTEST_FAIL() << "no lexicon built by the ctest fixture (its word lists come from scripts/install-deps) at " << dir;
    spelltest::OpenSpeller speller;
    ASSERT_TRUE(speller.open(prefix + "_phon.env", prefix + "_main.lex", s.language)) << speller.error;
    std::string image = spelltest::readText(prefix + "_typo.lex");
    SplTrieLexicon typo;
    ASSERT_TRUE(splTrieInit(&typo, s.language, spelltest::bytes(image), u32(image.size())));
    ASSERT_EQ(splCorrCtxAddLexicon(&typo, 0, kSlotTypo, speller.ctx), 1);
    SplCorrectReq req;
    std::ifstream in(prefix + "_words.txt");
    std::string w;
    size_t tried = 0, found = 0, line = 0;
    while (std::getline(in, w) && tried < 300) {
        if (++line % 50 != 0) continue;
        std::string word = spelltest::set1(w);
        u8 form[kSplShapeOutSize];
        if (word.size() < 5 || word.size() >= 40 || word[2] == word[3] || word.find('\'') != std::string::npos ||
            (doflags(spelltest::bytes(word), form, s.language) & kIwVerbatim))
            continue;
        std::string slip = word;
        std::swap(slip[2], slip[3]);
        if (speller.verify(set1ToUtf8(slip))) continue;
        ++tried;
        splCorrCtxReset(speller.ctx);
        splCorrectInit(speller.ctx, kCorrModeTypo | kCorrModeCandidates, u32(s.language), &req);
        bool hit = false;
        for (const u8* const* list = splCorrectWord(spelltest::bytes(slip), &req, 0); *list != nullptr; ++list)
            hit = hit || word == reinterpret_cast<const char*>(*list);
        if (hit) ++found;
        else if (tried - found <= 5) ADD_FAILURE() << set1ToUtf8(slip) << " did not give " << w;
    }
    EXPECT_GE(tried, 200u);
    EXPECT_EQ(found, tried);
}

// Words as young children spell them by ear (the test set names its patterns) find the word
// meant first, or among the first five, at least as often as these floors say. The sample
// lexicons take every word of the set; a pair counts when its word verifies and its
// misspelling does not.
TEST_P(SplSampleLexicon, ChildrensSpellingsByEarFindTheWordMeant) {
    const Sample s = GetParam();
    struct Floor {
        int language;
        double top1, top5;
        size_t pairs;
    };
    const Floor floors[] = {{1, 0.58, 0.80, 360}, {4, 0.85, 0.96, 260}};
    const Floor& floor = s.language == 1 ? floors[0] : floors[1];
    fs::path dir(SPELL_TEST_LEXICONS);
    std::string prefix = (dir / s.prefix).string();
    if (!fs::exists(prefix + "_typo.lex")) GTEST_SKIP() << "no generated lexicon at " << dir;
    spelltest::OpenSpeller speller;
    ASSERT_TRUE(speller.open(prefix + "_phon.env", prefix + "_main.lex", s.language)) << speller.error;
    std::string image = spelltest::readText(prefix + "_typo.lex");
    SplTrieLexicon typo;
    ASSERT_TRUE(splTrieInit(&typo, s.language, spelltest::bytes(image), u32(image.size())));
    ASSERT_EQ(splCorrCtxAddLexicon(&typo, 0, kSlotTypo, speller.ctx), 1);
    std::ifstream in(std::string(SPELL_TEST_CHILDREN) + "/children_" + s.prefix + ".txt");
    SplCorrectReq req;
    std::string line;
    size_t pairs = 0, top1 = 0, top5 = 0;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string typed, wanted;
        if (line[0] == '#' || !(fields >> typed >> wanted)) continue;
        if (!speller.verify(wanted) || speller.verify(typed)) continue;
        ++pairs;
        splCorrCtxReset(speller.ctx);
        splCorrectInit(speller.ctx, kCorrModeTypo | kCorrModeCandidates, u32(s.language), &req);
        const u8* const* list = splCorrectWord(spelltest::bytes(spelltest::set1(typed)), &req, 0);
        for (int rank = 0; rank < 5 && list[rank] != nullptr; ++rank) {
            if (set1ToUtf8(reinterpret_cast<const char*>(list[rank])) != wanted) continue;
            top1 += rank == 0;
            ++top5;
        }
    }
    ASSERT_GE(pairs, floor.pairs);
    EXPECT_GE(double(top1) / double(pairs), floor.top1) << top1 << " of " << pairs;
    EXPECT_GE(double(top5) / double(pairs), floor.top5) << top5 << " of " << pairs;
}

INSTANTIATE_TEST_SUITE_P(Languages, SplSampleLexicon, ::testing::Values(Sample{1, "en"}, Sample{4, "es"}),
                         [](const auto& info) { return std::string(info.param.prefix); });

}  // namespace
