// A child with no idea clicks the light bulb: it offers pictures to start from, named in the
// language she reads, and the one she picks opens on her page, ready to be finished.
#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

TEST(IdeaMachineJourney, TheBulbOffersPicturesToStartFromNamedInTheChildsLanguageAndOneOpensOnThePage) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    // Each language: its castle, a name of its own with an ñ or not, and the other one's castle.
    const std::string rounds[][4] = {{"English", "Castle", "Birthday Cake", "Castillo"},
                                     {"Spanish", "Castillo", "Pastel de cumpleaños", "Castle"}};
    for (const auto& [language, castle, cake, otherCastle] : rounds) {
        SCOPED_TRACE(language);
        ASSERT_TRUE(j.settle());
        const Shot before = j.screenshot();
        j.click(planned("easel.tool.IdeaMachine"));
        // The English round's picture is a changed page: the bulb asks first.
        if (language == "Spanish") {
            ASSERT_TRUE(j.waitForChange(before, kScreen, "the save question"));
            ASSERT_TRUE(j.settle());
            j.click(kQuestionNo);
        }
        Area line;
        ASSERT_TRUE(j.waitFor([&] { return (line = findWidgetText(j.screenshot(), castle, kScreen, kWidgetText, 0xFFFFFF)).width > 0; }, castle));
        const Shot list = j.keep("ideas-" + language);
        EXPECT_GT(findWidgetText(list, cake, kScreen, kWidgetText, 0xFFFFFF).width, 0);
        EXPECT_EQ(findWidgetText(list, otherCastle, kScreen, kWidgetText, 0xFFFFFF).width, 0) << "only this language's names";
        j.click(line);
        ASSERT_TRUE(clickText(j, languageText(language, "FileDialog", "Open")));
        const Area canvas = canvasArea();
        ASSERT_TRUE(j.waitFor([&] { const Shot shot = j.screenshot();
                                    return shot.differences(before, canvas) > 0 && paintedPixels(shot) > canvas.width * canvas.height / 5; },
                              "the castle on the page, its words in " + language));
        ASSERT_TRUE(j.settle());
        j.keep("castle-" + language);
        if (language == "English") {
            ASSERT_TRUE(chooseMenu(j, languageText(language, "MenuStrings", "Controls"), languageText(language, "MenuStrings", "SwitchLanguage1")));
            // The easel is built again in Spanish: a click before its menus show may find no bulb.
            const std::string file = languageText("Spanish", "MenuStrings", "File");
            ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), file, menuBarArea()).width > 0; }, "Spanish menus"));
        }
    }
}

}  // namespace
