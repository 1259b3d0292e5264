// Toolbox > Check Spelling on the easel checks the alphabet tool's words in the check dialog
// and keeps what the child replaced.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/menus/MenuCommands.h"
#include "contentgen/lexicon/LexBuilder.h"
#include "contentgen/lexicon/TrieLexWriter.h"
#include "contentgen/lexicon/WordSource.h"
#include "framework/language/LanguageTexts.h"
#include "platform/keyboard/VirtualKeys.h"
#include "tests/app/harness/ScreenHarness.h"

namespace {

using namespace Ostrel;
namespace fs = std::filesystem;

// The program folder's lexicon, phonetic file and letter tree of a language, from a few words.
void buildLanguage(const fs::path& folder, int language, const std::vector<std::string>& words) {
    const std::string prefix = language == 4 ? "es" : "en";
    LexBuildInput input;
    input.language = language;
    for (const std::string& w : words) {
        std::string set1;
        ASSERT_TRUE(utf8ToSet1(w, &set1));
        input.words.push_back(set1);
    }
    std::ifstream rules(fs::path(SPELL_RULES_DIR) / (prefix + ".rules"));
    input.rulesText.assign(std::istreambuf_iterator<char>(rules), std::istreambuf_iterator<char>());
    input.headerText = "test\n";
    for (const char* name : {"_phon.env", "_main.lex", "_typo.lex"}) fs::remove(folder / (prefix + name));
    input.envPath = (folder / (prefix + "_phon.env")).string();
    input.lexPath = (folder / (prefix + "_main.lex")).string();
    LexBuildReport report;
    std::string error;
    ASSERT_TRUE(buildLexicon(input, &report, &error)) << error;
    std::vector<u8> image;
    u32 skipped = 0;
    ASSERT_TRUE(buildTrieLexImage(input.words, {}, language, &image, &skipped, &error)) << error;
    std::ofstream(folder / (prefix + "_typo.lex"), std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
}

class CheckSpelling : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        buildLanguage(root_ + "/prog", 1, {"my", "dog", "is", "big", "and", "red", "the", "cat"});
        buildLanguage(root_ + "/prog", 4, {"mi", "perro", "es", "grande", "el", "gato"});
        startLoggedIn();
    }
    std::string abcText() const { return app->GetGlobalUserSettings()->alphabetText.data(); }
    void setAbcText(const std::string& text) {
        auto& words = app->GetGlobalUserSettings()->alphabetText;
        words.fill('\0');
        std::copy(text.begin(), text.end(), words.begin());
    }
    static std::string dialogText(const char* key) { return LookupLanguageText("DialogsStrings", key).c_str(); }
};

// The replacement field holds the first suggestion and has the focus; Tab goes on to Replace.
TEST_F(CheckSpelling, TheCheckFindsAndReplacesAWordOfTheABCText) {
    struct Case {
        bool spanish;
        const char* given;
        std::vector<u8> keys;
        const char* kept;
    };
    // The words are kept to the alphabet tool's 63 characters: a replacement that reaches them
    // is kept whole, one that goes past is cut.
    std::string is20, is19;
    for (int i = 0; i < 20; ++i) is20 += "is ";
    for (int i = 0; i < 19; ++i) is19 += "is ";
    const std::string fits = is20 + "bg", over = is19 + "dog bg";
    const std::string fitsKept = is20 + "big", overKept = (is19 + "dog big").substr(0, 63);
    const Case cases[] = {
        {false, fits.c_str(), {plat::kVkTab, plat::kVkSpace}, fitsKept.c_str()},
        {false, over.c_str(), {plat::kVkTab, plat::kVkSpace}, overKept.c_str()},
        {false, "My dgo is big", {plat::kVkTab, plat::kVkSpace}, "My dog is big"},
        {false, "My dgo is bgi", {plat::kVkTab, plat::kVkSpace, plat::kVkTab, plat::kVkSpace}, "My dog is big"},
        // A replacement of another length moves the words after it.
        {false, "bg is dgo", {plat::kVkTab, plat::kVkSpace, plat::kVkTab, plat::kVkSpace}, "big is dog"},
        {true, "Mi pero es grande", {plat::kVkTab, plat::kVkSpace}, "Mi perro es grande"},
        // Skip leaves the word as it is.
        {false, "My dgo is big", {plat::kVkTab, plat::kVkTab, plat::kVkTab, plat::kVkSpace}, "My dgo is big"},
        {false, "My dog is big", {}, "My dog is big"},
    };
    ASSERT_TRUE(enabled(kCmdCheckSpelling));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        if ((CurrentLanguage() == kLanguageSpanish) != c.spanish) mainWindow->OnCommand(kCmdSwitchLanguage);
        setAbcText(c.given);
        for (u8 k : c.keys) queueKey(k);
        mainWindow->OnCommand(kCmdCheckSpelling);
        EXPECT_EQ(abcText(), c.kept);
        const std::vector<mfxAlertRecord> shown = alerts();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, dialogText("SpellFinished"));
    }
}

// Stop asks whether to go on; no ends the check at once, with nothing changed.
TEST_F(CheckSpelling, StoppingEndsTheCheckWithTheTextAsItWas) {
    setAbcText("My dgo is bgi");
    answerAlerts({kAlertAnswerNo});
    queueKey(plat::kVkReturn);  // the stop button is the dialog's default
    mainWindow->OnCommand(kCmdCheckSpelling);
    EXPECT_EQ(abcText(), "My dgo is bgi");
    const std::vector<mfxAlertRecord> shown = alerts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, dialogText("SpellUnknownWord"));
}

// Without a lexicon nothing can be checked: no dialog, no message, the text kept.
TEST_F(CheckSpelling, WithoutALexiconNothingIsShown) {
    fs::remove(fs::path(root_) / "prog" / "en_main.lex");
    setAbcText("My dgo is big");
    mainWindow->OnCommand(kCmdCheckSpelling);
    EXPECT_EQ(abcText(), "My dgo is big");
    EXPECT_TRUE(alerts().empty());
}

}  // namespace
