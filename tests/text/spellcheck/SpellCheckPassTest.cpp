#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "contentgen/lexicon/LexBuilder.h"
#include "contentgen/lexicon/TrieLexWriter.h"
#include "contentgen/lexicon/WordSource.h"
#include "spell/SplUserDict.h"
#include "tests/spell/SpellScratch.h"
#include "text/spellcheck/PhoneticSpellChecker.h"
#include "tests/text/spellcheck/ScriptedSpellCheckDialog.h"
#include "text/spellcheck/SpellCheckPass.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kEnglish = {"the", "house", "is", "big", "and", "red", "a", "garden", "with", "trees",
                                           "my", "friend", "has", "dog", "cat", "receive", "believe"};
const std::vector<std::string> kSpanish = {"dónde", "está", "el", "niño", "la", "casa", "es", "grande", "hola",
                                           "árbol", "qué", "tal"};

// The program folder with a language's lexicon, phonetic file and letter tree.
void buildLanguage(const fs::path& folder, int language, const std::vector<std::string>& utf8) {
    const char* p = language == 4 ? "es" : "en";
    LexBuildInput input;
    input.language = language;
    for (const std::string& w : utf8) {
        std::string s;
        ASSERT_TRUE(utf8ToSet1(w, &s));
        input.words.push_back(s);
    }
    input.rulesText = spelltest::readText(fs::path(SPELL_RULES_DIR) / (std::string(p) + ".rules"));
    input.envPath = (folder / (std::string(p) + "_phon.env")).string();
    input.lexPath = (folder / (std::string(p) + "_main.lex")).string();
    input.headerText = "test\n";
    LexBuildReport report;
    std::string error;
    ASSERT_TRUE(buildLexicon(input, &report, &error)) << error;
    std::vector<u8> image;
    u32 skipped = 0;
    ASSERT_TRUE(buildTrieLexImage(input.words, {}, language, &image, &skipped, &error)) << error;
    std::ofstream(folder / (std::string(p) + "_typo.lex"), std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
}

std::string cp1252(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        u8 c = u8(utf8[i]);
        if (c < 0x80) {
            out.push_back(char(c));
        } else {  // two-byte sequences only: the letters these tests use are all in Latin-1
            out.push_back(char(((c & 0x1F) << 6) | (u8(utf8[++i]) & 0x3F)));
        }
    }
    return out;
}

using Step = ScriptedSpellCheckDialog::Step;

Step act(SpellDialogAction a, u32 suggestion = 0) { return Step{{a, suggestion}, false, {}}; }
Step typeThen(const std::string& typed, SpellDialogAction a) { return Step{{a, 0}, true, typed}; }

struct CheckPass : ::testing::Test {
    fs::path program, user;
    std::string text;  // the page text the routines act on
    std::vector<std::pair<u32, u32>> selections;
    void SetUp() override {
        fs::path root = spelltest::scratch(::testing::UnitTest::GetInstance()->current_test_info()->name());
        program = root / "program";
        user = root / "user";
        fs::create_directories(program);
        buildLanguage(program, 1, kEnglish);
        buildLanguage(program, 4, kSpanish);
    }
    std::unique_ptr<PhoneticSpellChecker> checker(int programLanguage = 1) {
        return PhoneticSpellChecker::Create(programLanguage, program.string(), user.string());
    }
    // Runs a pass over `text` with a scripted dialog; the dialog, for its record.
    ScriptedSpellCheckDialog* run(SpellCheckPass* pass, std::deque<Step> steps, std::deque<bool> answers = {},
                                  int programLanguage = 1) {
        auto dialog = std::make_unique<ScriptedSpellCheckDialog>(std::move(steps), std::move(answers));
        ScriptedSpellCheckDialog* d = dialog.get();
        EXPECT_EQ(pass->Start(text.c_str(), 0, checker(programLanguage), std::move(dialog)), kSpellPassReady);
        pass->Run();
        return d;
    }
    SpellCheckPass makePass() {
        return SpellCheckPass(
            [this](u32 offset, u32 length, const std::string& replacement, i32* adjust) {
                text.replace(size_t(i32(offset) + *adjust), length, replacement);
                *adjust += i32(replacement.size()) - i32(length);
            },
            [this](u32 offset, u32 length, i32* adjust) { selections.push_back({u32(i32(offset) + *adjust), length}); });
    }
};

TEST_F(CheckPass, ReplaceReplaceAndAddAddAndSkip) {
    text = "the hause is big, and zorblax has a gardn with quimby trees. the dgo";
    SpellCheckPass pass = makePass();
    ScriptedSpellCheckDialog* d = run(&pass, {
                                                 act(SpellDialogAction::Replace),                      // hause
                                                 typeThen("Zorblax", SpellDialogAction::ReplaceAndAdd), // zorblax
                                                 act(SpellDialogAction::PickSuggestion, 0),
                                                 act(SpellDialogAction::Replace),  // gardn
                                                 act(SpellDialogAction::Add),      // quimby
                                                 act(SpellDialogAction::Skip),     // dgo
                                             });
    EXPECT_EQ(text, "the house is big, and Zorblax has a garden with quimby trees. the dgo");
    ASSERT_EQ(d->words().size(), 5u);
    const char* shown[] = {"hause", "zorblax", "gardn", "quimby", "dgo"};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(d->words()[i].word, shown[i]);
    EXPECT_EQ(d->words()[0].replacement, "house");
    EXPECT_EQ(d->words()[1].replacement, "zorblax");  // no suggestion: the word itself
    EXPECT_EQ(d->words()[4].suggestions.front(), "dog");
    // Each word shown was selected where it stands in the text after earlier replacements.
    ASSERT_EQ(selections.size(), 5u);
    EXPECT_EQ(selections[2].second, 5u);
    EXPECT_EQ(text.substr(selections[2].first, 6), "garden");
    EXPECT_EQ(d->messages(), std::vector<std::string>{kSpellFinished});

    // The added words are the user's from now on.
    auto again = checker();
    ASSERT_TRUE(again->Open());
    EXPECT_TRUE(again->CheckWord("Zorblax"));
    EXPECT_TRUE(again->CheckWord("quimby"));
    EXPECT_FALSE(again->CheckWord("dgo"));
}

TEST_F(CheckPass, SpanishTextWithoutUnknownWordsOnlyFinishes) {
    text = cp1252("¿Dónde está el niño? ¡Hola! «Qué tal»");
    SpellCheckPass pass = makePass();
    ScriptedSpellCheckDialog* d = run(&pass, {}, {}, kProgramLanguageSpanish);
    EXPECT_FALSE(d->shown());
    EXPECT_TRUE(d->words().empty());
    EXPECT_EQ(d->messages(), std::vector<std::string>{kSpellFinished});
    auto* c = static_cast<PhoneticSpellChecker*>(pass.checker());
    EXPECT_EQ(c->language(), 4);
    EXPECT_TRUE(fs::exists(user / "es_user.dct"));
}

TEST_F(CheckPass, StopAsksAndNoEndsThePassAtOnce) {
    text = "the hause and the gardn";
    {
        SpellCheckPass pass = makePass();
        ScriptedSpellCheckDialog* d = run(&pass, {act(SpellDialogAction::Stop)}, {false});
        EXPECT_EQ(d->questions(), std::vector<std::string>{kSpellContinueQuestion});
        EXPECT_TRUE(d->messages().empty());
        EXPECT_EQ(d->words().size(), 1u);
    }
    {
        SpellCheckPass pass = makePass();
        ScriptedSpellCheckDialog* d =
            run(&pass, {act(SpellDialogAction::Stop), act(SpellDialogAction::Skip), act(SpellDialogAction::Skip)}, {true});
        ASSERT_EQ(d->words().size(), 2u);
        EXPECT_EQ(d->words()[1].word, "gardn");
        EXPECT_EQ(d->messages(), std::vector<std::string>{kSpellFinished});
    }
}

TEST_F(CheckPass, MissingMainLexiconFailsBeforeAnyDialog) {
    fs::remove(program / "en_main.lex");
    text = "hause";
    SpellCheckPass pass = makePass();
    auto dialog = std::make_unique<ScriptedSpellCheckDialog>(std::deque<Step>{}, std::deque<bool>{});
    EXPECT_EQ(pass.Start(text.c_str(), 0, checker(), std::move(dialog)), kSpellPassFailed);
    EXPECT_EQ(pass.Start(nullptr, 0, checker(), std::make_unique<ScriptedSpellCheckDialog>(std::deque<Step>{}, std::deque<bool>{})),
              kSpellPassFailed);
}

TEST_F(CheckPass, OpeningAgainAfterAFailureReusesWhatWasOpened) {
    fs::remove(program / "en_main.lex");
    auto c = checker();
    EXPECT_EQ(c->Open(), 0);
    EXPECT_EQ(c->Open(), 0);
    buildLanguage(program, 1, kEnglish);
    ASSERT_EQ(c->Open(), 1);
    EXPECT_TRUE(c->CheckWord("house"));
    EXPECT_FALSE(c->CheckWord("hause"));
}

TEST_F(CheckPass, UserDictionaryIsCreatedOnlyWhenAbsent) {
    const fs::path dct = user / "en_user.dct";
    {
        auto c = checker();
        ASSERT_TRUE(c->Open());
        EXPECT_TRUE(fs::exists(dct));
        EXPECT_TRUE(c->AddWord("zorblax"));
        EXPECT_EQ(c->status(), "SUCCESS: Word was added!");
    }
    // A damaged dictionary is kept aside and a new one made.
    std::string good = spelltest::readText(dct);
    std::string damaged = good;
    damaged[3] = char(0x90);  // used size past the block
    std::ofstream(dct, std::ios::binary) << damaged;
    {
        auto c = checker();
        ASSERT_TRUE(c->Open());
        EXPECT_EQ(spelltest::readText(user / "en_user.dct.damaged"), damaged);
        EXPECT_FALSE(c->CheckWord("zorblax"));
        EXPECT_TRUE(c->AddWord("zorblax"));
    }
    // A dictionary of another language is left as it is, and nothing can be added.
    std::string english = spelltest::readText(dct);
    fs::copy_file(dct, user / "es_user.dct");
    {
        auto c = checker(kProgramLanguageSpanish);
        ASSERT_TRUE(c->Open());
        EXPECT_FALSE(c->AddWord("zorblax"));
        EXPECT_EQ(c->status(), "ERROR: I/O error adding word");
    }
    EXPECT_EQ(spelltest::readText(user / "es_user.dct"), english);
}

TEST_F(CheckPass, SuggestionsComeBackInTheProgramsCharacters) {
    auto c = checker(kProgramLanguageSpanish);
    ASSERT_TRUE(c->Open());
    const std::vector<std::string>& list = c->GetSuggestions("nino");
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.front(), cp1252("niño"));
    EXPECT_TRUE(c->CheckWord(cp1252("Árbol").c_str()));
    EXPECT_TRUE(c->CheckWord("Arbol"));
    EXPECT_FALSE(c->CheckWord("\x81"));  // no character of the engine's set
}

}  // namespace
