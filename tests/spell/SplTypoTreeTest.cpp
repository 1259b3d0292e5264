#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/spell/SpellTestSupport.h"
#include "contentgen/lexicon/TrieLexWriter.h"
#include "spell/SplCorrect.h"
#include "spell/SplTrieLexicon.h"
#include "spell/SplTypoTree.h"

namespace {

namespace fs = std::filesystem;

void collect(void* arg, const u8* candidate, u8, u32 kind) {
    (*static_cast<std::map<std::string, u32>*>(arg))[reinterpret_cast<const char*>(candidate)] = kind;
}

struct TypoTree : ::testing::Test {
    std::vector<u8> image;
    SplTrieLexicon lex;
    void build(const std::vector<std::string>& utf8, int language) {
        std::vector<std::string> words;
        for (const std::string& w : utf8) words.push_back(spelltest::set1(w));
        u32 skipped = 0;
        std::string error;
        ASSERT_TRUE(buildTrieLexImage(words, {}, language, &image, &skipped, &error)) << error;
        ASSERT_TRUE(splTrieInit(&lex, language, image.data(), u32(image.size())));
    }
    std::map<std::string, u32> typos(const std::string& utf8) {
        std::map<std::string, u32> found;
        splTspTypoStart(spelltest::bytes(spelltest::set1(utf8)), &lex, collect, &found);
        return found;
    }
};

TEST_F(TypoTree, EachSlipIsReportedWithItsKind) {
    build({"house", "horse", "hose", "mouse", "houses", "garden", "hat"}, 1);
    struct Case {
        const char* typed;
        const char* word;
        u32 kind;
    } cases[] = {
        {"hosue", "house", kTypoExchange}, {"ohuse", "house", kTypoExchange}, {"housse", "house", kTypoExtra},
        {"xhouse", "house", kTypoExtra},   {"houes", "house", kTypoExchange}, {"huse", "house", kTypoMissing},
        {"ouse", "house", kTypoMissing},   {"houze", "house", kTypoReplaced}, {"gardn", "garden", kTypoMissing},
        {"jouse", "house", kTypoReplaced}, {"hta", "hat", kTypoExchange},
    };
    for (const Case& c : cases) {
        std::map<std::string, u32> found = typos(c.typed);
        ASSERT_TRUE(found.count(c.word)) << c.typed;
        EXPECT_EQ(found[c.word], c.kind) << c.typed;
    }
    // Two slips are too many.
    EXPECT_EQ(typos("hsoeu").count("house"), 0u);
    EXPECT_EQ(typos("gradne").count("garden"), 0u);
}

TEST_F(TypoTree, AccentsAreNoSlip) {
    build({"canción", "árbol", "niño"}, 4);
    std::map<std::string, u32> found = typos("cancion");
    ASSERT_TRUE(found.count(spelltest::set1("canción")));
    EXPECT_EQ(found[spelltest::set1("canción")], kTypoAccent);
    EXPECT_TRUE(typos("arbl").count(spelltest::set1("árbol")));
}

TEST_F(TypoTree, TypoCandidatesRankAboveThePhoneticOnes) {
    fs::path dir = spelltest::scratch("typo_tree_slot");
    const std::vector<std::string> words = {"house", "horse", "hose", "mouse", "haus", "hussy"};
    ASSERT_EQ(spelltest::buildSmall(dir, 1, words), "");
    build(words, 1);
    spelltest::OpenSpeller s;
    ASSERT_TRUE(s.openDir(dir, 1));
    ASSERT_EQ(splCorrCtxAddLexicon(&lex, 0, kSlotTypo, s.ctx), 1);
    SplCorrectReq req;
    splCorrectInit(s.ctx, kCorrModeTypo | kCorrModeCandidates, 1, &req);
    const u8* const* list = splCorrectWord(spelltest::bytes("hosue"), &req, 0);
    ASSERT_NE(list[0], nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(list[0]), "house");
    EXPECT_EQ(req.resultSlots[0]->kind, 7);
}

}  // namespace
