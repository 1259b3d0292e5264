#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
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

// A sample lexicon set (the ctest fixture's) opened as the front end opens it: the main
// lexicon verifies, the lexicon and letter tree of the common words offer theirs first, those of
// the other words after them.
class SampleSpeller {
public:
    bool open(const Sample& s, std::string* why) {
        std::string prefix = (fs::path(SPELL_TEST_LEXICONS) / s.prefix).string();
        language_ = s.language;
        for (const char* file : {"_words.txt", "_common.lex", "_more.lex", "_typo.lex", "_more_typo.lex"})
            if (!fs::exists(prefix + file))
                return *why = "no lexicon built by the ctest fixture (its word lists come from scripts/install-deps) at " +
                              prefix + file,
                       false;
        if (!speller.open(prefix + "_phon.env", prefix + "_main.lex", s.language, 29,
                          kSlotVerify | kSlotVerifyFolded | kSlotCompound))
            return *why = "main lexicon refused", false;
        u32 error = 0;
        common_ = splLexOpen((prefix + "_common.lex").c_str(), 0, speller.mm, speller.phon, &error);
        more_ = splLexOpen((prefix + "_more.lex").c_str(), 0, speller.mm, speller.phon, &error);
        if (common_ == nullptr || more_ == nullptr) return *why = "a lexicon of words offered refused", false;
        splCorrCtxAddLexicon(common_, 0, kSlotCandidates, speller.ctx);
        splCorrCtxAddLexicon(more_, 0, kSlotCandidates | kSlotSecondary, speller.ctx);
        typoImage_ = spelltest::readText(prefix + "_typo.lex");
        moreTypoImage_ = spelltest::readText(prefix + "_more_typo.lex");
        if (!splTrieInit(&typo_, s.language, spelltest::bytes(typoImage_), u32(typoImage_.size())) ||
            !splTrieInit(&moreTypo_, s.language, spelltest::bytes(moreTypoImage_), u32(moreTypoImage_.size())))
            return *why = "a letter tree refused", false;
        splCorrCtxAddLexicon(&typo_, 0, kSlotTypo, speller.ctx);
        splCorrCtxAddLexicon(&moreTypo_, 0, kSlotTypo | kSlotSecondary, speller.ctx);
        offeredCtx_ = splCorrCtxCreate(2);
        splCorrCtxAddLexicon(common_, 0, kSlotVerify, offeredCtx_);
        splCorrCtxAddLexicon(more_, 0, kSlotVerify, offeredCtx_);
        splVerifyInit(offeredCtx_, 0, u32(s.language), &offeredRec_);
        words = prefix + "_words.txt";
        return true;
    }
    ~SampleSpeller() {
        splCorrCtxFree(offeredCtx_);
        splLexClose(more_);
        splLexClose(common_);
    }
    // The suggestions for a UTF-8 word, best first, in UTF-8.
    std::vector<std::string> suggest(const std::string& utf8) {
        splCorrCtxReset(speller.ctx);
        splCorrectInit(speller.ctx, kCorrModeTypo | kCorrModeCandidates, u32(language_), &req_);
        std::vector<std::string> out;
        for (const u8* const* s = splCorrectWord(spelltest::bytes(spelltest::set1(utf8)), &req_, 0); *s != nullptr; ++s)
            out.push_back(set1ToUtf8(reinterpret_cast<const char*>(*s)));
        return out;
    }
    // Whether the word (character set 1) is accepted but in no lexicon of the words offered; a
    // word ending in 's is offered with the word it is made of ("what's" of "what").
    bool acceptedOnly(const std::string& set1) {
        if (!speller.verify(set1ToUtf8(set1))) return false;
        auto offered = [this](const std::string& word) {
            u32 result = 0;
            splCorrCtxReset(offeredCtx_);
            return splVerifyWord(spelltest::bytes(word), &offeredRec_, &result) != 0;
        };
        const bool possessive = set1.size() > 2 && set1.compare(set1.size() - 2, 2, "'s") == 0;
        return !offered(set1) && !(possessive && offered(set1.substr(0, set1.size() - 2)));
    }

    spelltest::OpenSpeller speller;
    std::string words;

private:
    int language_ = 0;
    SplLexicon* common_ = nullptr;
    SplLexicon* more_ = nullptr;
    std::string typoImage_, moreTypoImage_;
    SplTrieLexicon typo_, moreTypo_;
    SplCorrCtx* offeredCtx_ = nullptr;
    SplVerifyRec offeredRec_;
    SplCorrectReq req_;
};

// The "typed wanted" pairs of a test set in tests/spell/data.
std::vector<std::pair<std::string, std::string>> testPairs(const std::string& name) {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::ifstream in(std::string(SPELL_TEST_CHILDREN) + "/" + name);
    std::string line, typed, wanted;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        if (!line.empty() && line[0] != '#' && fields >> typed >> wanted) pairs.push_back({typed, wanted});
    }
    return pairs;
}

class SplSampleLexicon : public ::testing::TestWithParam<Sample> {};

// Every word the fixture took verifies in every shape.
TEST_P(SplSampleLexicon, EverySourceWordVerifiesInEveryShape) {
    const Sample s = GetParam();
    SampleSpeller sample;
    std::string why;
    if (!sample.open(s, &why)) GTEST_FAIL() << why;
    std::ifstream in(sample.words);
    std::string w;
    size_t count = 0, failures = 0;
    while (std::getline(in, w)) {
        std::string bytes = spelltest::set1(w);
        if (bytes.size() >= 64) continue;
        for (const std::string& v : lexWordVariants(bytes, s.language)) {
            u32 result = 0;
            splCorrCtxReset(sample.speller.ctx);
            if (!splVerifyWord(spelltest::bytes(v), &sample.speller.rec, &result) && ++failures <= 10)
                ADD_FAILURE() << "not verified: " << set1ToUtf8(v);
        }
        ++count;
    }
    EXPECT_GE(count, 19000u);
    EXPECT_EQ(failures, 0u);
    for (const char* nonword : {"xqzvbnk", "aaaaaaaa", "qwrtpsdf", "zzzzq"}) EXPECT_FALSE(sample.speller.verify(nonword)) << nonword;
}

// Each sample word with two letters exchanged (when that is no word) gets the word back among
// its suggestions, through the typo walk of the letter trees and the phonetic bins. Possessives
// are left out (their suggestions are made of the word without its ending, which a sample may
// lack), and so are words with letters foreign to the language, which a tree cannot hold, and
// the words accepted only, which are never offered.
TEST_P(SplSampleLexicon, ExchangedLettersAreCorrected) {
    const Sample s = GetParam();
    SampleSpeller sample;
    std::string why;
    if (!sample.open(s, &why)) GTEST_FAIL() << why;
    std::ifstream in(sample.words);
    std::string w;
    size_t tried = 0, found = 0, line = 0;
    while (std::getline(in, w) && tried < 300) {
        if (++line % 25 != 0) continue;
        std::string word = spelltest::set1(w);
        u8 form[kSplShapeOutSize];
        if (word.size() < 5 || word.size() >= 40 || word[2] == word[3] || word.find('\'') != std::string::npos ||
            (doflags(spelltest::bytes(word), form, s.language) & kIwVerbatim) || sample.acceptedOnly(word))
            continue;
        std::string slip = word;
        std::swap(slip[2], slip[3]);
        if (sample.speller.verify(set1ToUtf8(slip))) continue;
        ++tried;
        std::vector<std::string> list = sample.suggest(set1ToUtf8(slip));
        if (std::find(list.begin(), list.end(), w) != list.end()) ++found;
        else if (tried - found <= 5) ADD_FAILURE() << set1ToUtf8(slip) << " did not give " << w;
    }
    EXPECT_GE(tried, 200u);
    EXPECT_EQ(found, tried);
}

// Words as young children spell them by ear, as they write them and, in Spanish, without any
// accent (each test set names its patterns) find the word meant first, or among the first five,
// at least as often as these floors say. The sample lexicons take every word of the sets; a
// pair counts when its word verifies and its misspelling does not.
TEST_P(SplSampleLexicon, ChildrensSpellingsFindTheWordMeant) {
    const Sample s = GetParam();
    struct Floor {
        int language;
        const char* set;
        double top1, top5;
        size_t pairs;
    };
    const Floor floors[] = {{1, "children", 0.62, 0.82, 360},
                            {1, "writing", 0.86, 0.94, 320},
                            {4, "children", 0.89, 0.97, 260},
                            {4, "writing", 0.89, 0.95, 250},
                            {4, "accents", 0.98, 1.0, 80}};
    SampleSpeller sample;
    std::string why;
    if (!sample.open(s, &why)) GTEST_FAIL() << why;
    for (const Floor& floor : floors) {
        if (floor.language != s.language) continue;
        size_t pairs = 0, top1 = 0, top5 = 0;
        for (const auto& [typed, wanted] : testPairs(std::string(floor.set) + "_" + s.prefix + ".txt")) {
            if (!sample.speller.verify(wanted) || sample.speller.verify(typed)) continue;
            ++pairs;
            std::vector<std::string> list = sample.suggest(typed);
            auto at = std::find(list.begin(), list.end(), wanted);
            top1 += at == list.begin() && at != list.end();
            top5 += at != list.end() && at - list.begin() < 5;
        }
        ASSERT_GE(pairs, floor.pairs) << floor.set;
        EXPECT_GE(double(top1) / double(pairs), floor.top1) << floor.set << ": " << top1 << " of " << pairs;
        EXPECT_GE(double(top5) / double(pairs), floor.top5) << floor.set << ": " << top5 << " of " << pairs;
    }
}

// Spanish words with a diaeresis and verb forms with pronouns are accepted, and offered first
// (and once) for a child's spelling.
TEST(SplSampleLexiconSpanish, AcceptedWordsAreOfferedFirst) {
    SampleSpeller sample;
    std::string why;
    if (!sample.open(Sample{4, "es"}, &why)) GTEST_FAIL() << why;
    const auto pairs = testPairs("accepted_es.txt");
    ASSERT_FALSE(pairs.empty());
    for (const auto& [typed, wanted] : pairs) {
        EXPECT_TRUE(sample.speller.verify(wanted)) << wanted;
        const std::vector<std::string> list = typed == wanted ? std::vector<std::string>{wanted} : sample.suggest(typed);
        EXPECT_EQ(list.empty() ? "" : list[0], wanted) << typed;
        EXPECT_EQ(std::set<std::string>(list.begin(), list.end()).size(), list.size()) << typed << " offers a word twice";
    }
}

// Abbreviations, rare names, Roman numerals and crude words are accepted as spelled right, yet
// a child typing a word near one is never offered it; nor does any misspelling of the
// children's test sets get one among its suggestions.
TEST_P(SplSampleLexicon, AWordAcceptedOnlyIsNeverOffered) {
    const Sample s = GetParam();
    SampleSpeller sample;
    std::string why;
    if (!sample.open(s, &why)) GTEST_FAIL() << why;
    std::vector<std::string> never;
    for (const auto& [typed, word] : testPairs(std::string("never_offered_") + s.prefix + ".txt")) {
        EXPECT_TRUE(sample.speller.verify(word)) << word;
        EXPECT_FALSE(sample.speller.verify(typed)) << typed;
        std::vector<std::string> list = sample.suggest(typed);
        EXPECT_EQ(std::find(list.begin(), list.end(), word), list.end()) << typed << " offered " << word;
        never.push_back(word);
    }
    ASSERT_GE(never.size(), 9u);
    for (const char* set : {"children", "writing"})
        for (const auto& [typed, wanted] : testPairs(std::string(set) + "_" + s.prefix + ".txt"))
            for (const std::string& offered : sample.suggest(typed))
                EXPECT_FALSE(sample.acceptedOnly(spelltest::set1(offered))) << typed << " offered " << offered;
}

INSTANTIATE_TEST_SUITE_P(Languages, SplSampleLexicon, ::testing::Values(Sample{1, "en"}, Sample{4, "es"}),
                         [](const auto& info) { return std::string(info.param.prefix); });

}  // namespace
