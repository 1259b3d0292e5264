// A child opens Say It This Way from the Text panel's button, reads what each box is for and
// types a word and how it is said into boxes that show what she types; the panel's speaking
// buttons and the dialog are written in English and in Spanish.
#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

// The Text panel's buttons and the dialog's parts, in the window.
constexpr Area kSayItButton{524, 540, 90, 36}, kReadItButton{638, 494, 54, 82};
constexpr Area kWordBox{200, 232, 290, 44}, kSaidBox{200, 312, 290, 44};
constexpr Area kWordLabel{200, 204, 200, 26}, kSaidLabel{200, 284, 200, 26};
constexpr Area kListenWord{496, 223, 100, 50}, kListenSaid{496, 303, 100, 50};
// The boxes' dark fill, which is also the labels' ink.
constexpr uint32_t kBoxFill = 0x3B2A5C;
constexpr int kShadeTolerance = 10;
// Fewer pixels than a short word's letters.
constexpr int kWordInk = 20;

Area inside(const Area& box) { return {box.x + 6, box.y + 6, box.width - 12, box.height - 12}; }
int pixels(const Area& area) { return area.width * area.height; }
bool light(uint32_t p) { return (p >> 16 & 0xFF) > 200 && (p >> 8 & 0xFF) > 200 && (p & 0xFF) > 200; }

bool boxShown(const Shot& shot, const Area& box) {
    return shot.countColour(inside(box), kBoxFill, kShadeTolerance) > pixels(inside(box)) / 2;
}

// From the Text panel's button, opens the dialog; answers once it has stopped growing.
testing::AssertionResult openSayIt(Journey& j) {
    j.click(kSayItButton);
    if (auto open = j.waitFor([&] { return boxShown(j.screenshot(), kWordBox); }, "Say It This Way's word box"); !open)
        return open;
    return j.settle();
}

// Types into the box that has the caret and waits for its letters, light on the dark box.
testing::AssertionResult typeInto(Journey& j, const Area& box, const std::string& text) {
    j.type(text);
    return j.waitFor([&] { return j.screenshot().count(inside(box), light) > kWordInk; }, "\"" + text + "\" readable in its box");
}

TEST(SayItThisWayJourney, TheWordAndHowItIsSaidAreTypedUnderTheirLabelsInBothLanguages) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Lucia"));
    Shot panel[2], shown[2];
    for (int language = 0; language < 2; ++language) {
        const char* name = language == 0 ? "English" : "Spanish";
        SCOPED_TRACE(name);
        if (language == 1) {
            ASSERT_TRUE(chooseMenu(j, languageText("English", "MenuStrings", "Controls"),
                                   languageText("English", "MenuStrings", "SwitchLanguage1")));
            const std::string file = languageText("Spanish", "MenuStrings", "File");
            ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), file, menuBarArea()).width > 0; }, "Spanish menus"));
        }
        j.click(planned("easel.tool.Text"));
        ASSERT_TRUE(j.settle());
        panel[language] = j.keep(std::string("text-panel-") + name);
        ASSERT_TRUE(openSayIt(j));
        shown[language] = j.keep(std::string("say-it-") + name);
        for (const Area& label : {kWordLabel, kSaidLabel})
            EXPECT_GT(shown[language].countColour(label, kBoxFill, kShadeTolerance), kWordInk) << "a label over each box";
        EXPECT_TRUE(boxShown(shown[language], kSaidBox)) << "a box for how the word is said";

        ASSERT_TRUE(typeInto(j, kWordBox, "tomato"));
        j.key("Tab");
        ASSERT_TRUE(typeInto(j, kSaidBox, "toe may toe"));
        ASSERT_TRUE(j.settle());
        const Shot typed = j.keep(std::string("say-it-typed-") + name);
        for (const Area& box : {kWordBox, kSaidBox})
            EXPECT_GT(typed.countColour(inside(box), kBoxFill, kShadeTolerance), pixels(inside(box)) / 2)
                << "the letters stand on the dark box";

        j.key("Escape");
        ASSERT_TRUE(j.waitFor([&] { return !boxShown(j.screenshot(), kWordBox); }, "the dialog to close"));
        ASSERT_TRUE(j.settle());
    }
    // Each label and button is written in the language of the menus.
    for (const Area& words : {kWordLabel, kSaidLabel, kListenWord, kListenSaid})
        EXPECT_GT(shown[1].differences(shown[0], words), kWordInk) << "at " << words.x << "," << words.y;
    for (const Area& button : {kSayItButton, kReadItButton})
        EXPECT_GT(panel[1].differences(panel[0], button), kWordInk) << "at " << button.x << "," << button.y;
}

}  // namespace
