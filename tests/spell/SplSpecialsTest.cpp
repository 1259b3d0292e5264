#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "tests/spell/SpellTestSupport.h"
#include "contentgen/lexicon/SpecialWords.h"
#include "contentgen/lexicon/TrieLexWriter.h"
#include "spell/SplCorrect.h"
#include "spell/SplSpecials.h"
#include "spell/SplTrieLexicon.h"
#include "spell/SplTypoPrim.h"

namespace {

namespace fs = std::filesystem;

struct Report {
    u32 kind, penalty;
};

void collect(void* arg, const u8* replacement, u8, u32 kind, u32 penalty) {
    (*static_cast<std::map<std::string, Report>*>(arg))[reinterpret_cast<const char*>(replacement)] = {kind, penalty};
}

struct Specials : ::testing::Test {
    std::vector<u8> image;
    SplTrieLexicon lex;
    void build(const std::string& rules, int language = 1) {
        std::vector<SpecialWord> words;
        std::string error;
        ASSERT_TRUE(parseSpecialWords(rules, language, &words, &error)) << error;
        TrieLexExtras extras;
        ASSERT_TRUE(buildSpecialsSection(words, &extras.specials, &error)) << error;
        u32 skipped = 0;
        ASSERT_TRUE(buildTrieLexImage({"dog"}, {}, language, &image, &skipped, &error, extras)) << error;
        ASSERT_TRUE(splTrieInit(&lex, language, image.data(), u32(image.size())));
    }
    std::map<std::string, Report> correct(const std::string& utf8) {
        std::map<std::string, Report> found;
        splSpecialsCorrect(spelltest::bytes(spelltest::set1(utf8)), &lex, collect, &found);
        return found;
    }
};

TEST_F(Specials, OneSlipFromASpecialWordGivesItsCorrection) {
    build("alot a lot\ndont don't\n# a comment\nOK\n?xmas Christmas\nporfavor por favor\n");
    struct Case {
        const char* typed;
        const char* replacement;
        u32 kind;
    } cases[] = {
        {"alot", "a lot", kTypoAccent},     {"aolt", "a lot", kTypoExchange}, {"allot", "a lot", kTypoExtra},
        {"alt", "a lot", kTypoMissing},     {"alit", "a lot", kTypoReplaced}, {"dont", "don't", kTypoAccent},
        {"xmas", "Christmas", kTypoAccent}, {"ok", "ok", kTypoAccent},  // listed alone, in lookup form
    };
    for (const Case& c : cases) {
        auto found = correct(c.typed);
        ASSERT_TRUE(found.count(c.replacement)) << c.typed;
        EXPECT_EQ(found[c.replacement].kind, c.kind) << c.typed;
    }
    EXPECT_TRUE(correct("allott").empty());  // two slips
}

TEST_F(Specials, AccentsCostAPenalty) {
    build("nose no sé\n", 4);
    auto found = correct("nosé");
    ASSERT_TRUE(found.count(spelltest::set1("no sé")));
    EXPECT_EQ(found[spelltest::set1("no sé")].kind, kTypoAccent);
    EXPECT_EQ(found[spelltest::set1("no sé")].penalty, 1u);
}

TEST_F(Specials, AnEmptyTableReportsNothing) {
    build("");
    EXPECT_EQ(lex.specialCount, 0u);
    EXPECT_TRUE(correct("alot").empty());
}

TEST_F(Specials, TheAffixFilesWholeWordReplacementsAreTaken) {
    fs::path dir = spelltest::scratch("specials_aff");
    {
        std::ofstream aff(dir / "x.aff");
        aff << "SET UTF-8\nREP 4\nREP a ei\nREP alot a_lot\nREP ^foo bar_baz\nREP inspite in_spite\n";
    }
    std::vector<SpecialWord> words;
    ASSERT_TRUE(affixFileSpecials((dir / "x.aff").string(), 1, &words));
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].word, "alot");
    EXPECT_EQ(words[0].replacement, "a lot");
    EXPECT_EQ(words[1].word, "inspite");
    EXPECT_FALSE(affixFileSpecials((dir / "none.aff").string(), 1, &words));
}

// A typo slot offers the special word's correction through the ranking, above phonetic ones.
TEST_F(Specials, TheTypoHookOffersThem) {
    build("alot a lot\n");
    fs::path dir = spelltest::scratch("specials_slot");
    ASSERT_EQ(spelltest::buildSmall(dir, 1, {"allot", "lot", "a"}), "");
    spelltest::OpenSpeller s;
    ASSERT_TRUE(s.openDir(dir, 1));
    ASSERT_EQ(splCorrCtxAddLexicon(&lex, 0, kSlotTypo, s.ctx), 1);
    SplCorrectReq req;
    splCorrectInit(s.ctx, kCorrModeTypo | kCorrModeCandidates, 1, &req);
    const u8* const* list = splCorrectWord(spelltest::bytes("Alot"), &req, 0);
    ASSERT_NE(list[0], nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(list[0]), "A lot");
}

}  // namespace
