// A child writes a word the way children misspell it in a text on the page, asks Toolbox >
// Check Spelling, and finds the word she meant first among the suggestions, in English and in
// Spanish, where she often leaves out every accent.
#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

struct Misspelling {
    const char* language;  // the program's language, as its text files name it
    const char* keyboard;
    const char* typed;
    const char* meant;
};

constexpr Misspelling kMisspellings[] = {
    {"English", "us", "freind", "friend"},
    {"Spanish", "es", "ermano", "hermano"},
    {"Spanish", "es", "pinguino", "pingüino"},
    {"Spanish", "es", "vonito", "bonito"},
    {"Spanish", "es", "explicamelo", "explícamelo"},
};

// The suggestion list's first row, from the place of its label ("Suggestions:") in the dialog.
Area firstSuggestionRow(const Area& label) { return {label.x - 4, label.y + label.height + 4, 250, 22}; }

// Whether a word is written in a list's row, plain or lit (focused or not).
bool inRow(const Shot& shot, const std::string& word, const Area& row) {
    return findWidgetText(shot, word, row, kWidgetText, 0xFFFFFF).width > 0 ||
           findWidgetText(shot, word, row, 0xFFFFFF, 0x0A246A).width > 0 ||
           findWidgetText(shot, word, row, 0xFFFFFF, 0x808080).width > 0;
}

class SpellingJourney : public testing::TestWithParam<Misspelling> {};

TEST_P(SpellingJourney, TheWordAChildMeantIsTheFirstSuggestion) {
    const Misspelling m = GetParam();
    Journey j;
    ASSERT_TRUE(j.start({.keyboard = m.keyboard}));
    ASSERT_TRUE(logIn(j, "Maya"));
    const std::string toolbox = languageText(m.language, "MenuStrings", "Toolbox");
    if (std::string(m.language) != "English") {
        ASSERT_TRUE(chooseMenu(j, languageText("English", "MenuStrings", "Controls"),
                               languageText("English", "MenuStrings", "SwitchLanguage1")));
    }
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), toolbox, menuBarArea()).width > 0; },
                          "\"" + toolbox + "\" in the menu bar"));

    // A press on the page with the text panel open makes a text to type into.
    const Shot easel = j.screenshot();
    j.click(planned("easel.tool.Text"));
    ASSERT_TRUE(j.waitForChange(easel, planned("easel.panel"), "the text panel"));
    ASSERT_TRUE(j.settle());
    const Area canvas = canvasArea();
    j.click(canvas.x + 80, canvas.y + 80);
    ASSERT_TRUE(j.settle());
    const Shot blank = j.screenshot();
    j.type(m.typed);
    ASSERT_TRUE(j.waitForChange(blank, canvas, "the typed word on the page"));
    ASSERT_TRUE(j.settle());

    ASSERT_TRUE(chooseMenu(j, toolbox, languageText(m.language, "MenuStrings", "CheckSpelling")));
    const std::string suggestions = languageText(m.language, "DialogsStrings", "SpellSuggestions");
    const Area screen{0, 0, 800, 620};
    Area label;
    ASSERT_TRUE(j.waitFor([&] { return (label = findWidgetText(j.screenshot(), suggestions, screen)).width > 0; },
                          "the spelling dialog's \"" + suggestions + "\""));
    ASSERT_TRUE(j.settle());
    const Shot dialog = j.keep(std::string("suggestions-") + m.language + "-" + m.typed);
    EXPECT_GT(findWidgetText(dialog, m.typed, screen).width, 0) << "the dialog names the word typed";
    const Area row = firstSuggestionRow(label);
    EXPECT_TRUE(inRow(dialog, m.meant, row)) << m.meant << " first among the suggestions";
}

INSTANTIATE_TEST_SUITE_P(Languages, SpellingJourney, testing::ValuesIn(kMisspellings),
                         [](const auto& info) { return std::string(info.param.language) + "_" + info.param.typed; });

}  // namespace
