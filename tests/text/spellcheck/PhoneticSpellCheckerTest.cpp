#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "contentgen/lexicon/LexBuilder.h"
#include "contentgen/lexicon/TrieLexWriter.h"
#include "tests/spell/SpellScratch.h"
#include "text/spellcheck/PhoneticSpellChecker.h"

namespace {

namespace fs = std::filesystem;

// A lexicon file of the program folder read with the shared phonetic file, and its letter tree
// when tree names one.
void build(const fs::path& folder, const std::vector<std::string>& words, const std::vector<std::string>& siblings,
           const char* lex, const char* tree) {
    LexBuildInput input;
    input.language = 1;
    input.words = words;
    input.siblingWords = siblings;
    input.rulesText = spelltest::readText(fs::path(SPELL_RULES_DIR) / "en.rules");
    input.envPath = (folder / "en_phon.env").string();
    input.lexPath = (folder / lex).string();
    input.headerText = "test\n";
    LexBuildReport report;
    std::string error;
    ASSERT_TRUE(buildLexicon(input, &report, &error)) << error;
    if (tree == nullptr) return;
    std::vector<u8> image;
    u32 skipped = 0;
    ASSERT_TRUE(buildTrieLexImage(words, {}, 1, &image, &skipped, &error)) << error;
    std::ofstream(folder / tree, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
}

// The program folder holds every word in the main lexicon, which verifies, and the common
// words, offered first, and the other words, offered after them, in lexicons and letter trees of
// their own; the words in neither are never offered. With the main lexicon alone, every word is
// offered by closeness alone.
TEST(PhoneticSpellChecker, OffersCommonWordsFirstAndWordsAcceptedOnlyNever) {
    const std::vector<std::string> common = {"cat", "car", "the"}, other = {"cart"},
                                   all = {"cat", "car", "the", "cart", "catt", "Cato"};
    struct Case {
        const char* name;
        bool sorted;
        std::vector<std::string> expected;  // the suggestions for "catr", in order
    };
    const Case cases[] = {{"sorted", true, {"car", "cat", "cart"}}, {"one lexicon", false, {"cart", "car", "catt", "cat"}}};
    for (const Case& c : cases) {
        fs::path root = spelltest::scratch(std::string("checker-") + c.name);
        fs::path program = root / "program";
        fs::create_directories(program);
        if (c.sorted) {
            build(program, common, all, "en_common.lex", "en_typo.lex");
            build(program, other, all, "en_more.lex", "en_more_typo.lex");
            build(program, all, {}, "en_main.lex", nullptr);
        } else {
            build(program, all, {}, "en_main.lex", "en_typo.lex");
        }
        auto checker = PhoneticSpellChecker::Create(1, program.string(), (root / "user").string());
        ASSERT_EQ(checker->Open(), 1) << c.name;
        for (const char* word : {"cat", "cart", "catt", "Cato", "The"}) EXPECT_EQ(checker->CheckWord(word), 1) << c.name << " " << word;
        for (const char* word : {"catr", "cato", "cartt"}) EXPECT_EQ(checker->CheckWord(word), 0) << c.name << " " << word;
        std::vector<std::string> offered = checker->GetSuggestions("catr");
        for (const char* never : {"catt", "Cato"})
            EXPECT_TRUE(!c.sorted || std::find(offered.begin(), offered.end(), never) == offered.end()) << never << " offered";
        offered.resize(std::min(offered.size(), c.expected.size()));
        EXPECT_EQ(offered, c.expected) << c.name;
    }
}

}  // namespace
