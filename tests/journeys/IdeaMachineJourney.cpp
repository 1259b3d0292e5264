// A child with no idea clicks the light bulb: it offers pictures to start from, named in the
// language she reads, and the one she picks opens on her page, ready to be finished.
#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

constexpr uint32_t kListLine = 0xFFFFFF;

struct IdeaRound {
    const char* language;
    const char* castle;
    const char* cake;
    const char* otherCastle;
};

TEST(IdeaMachineJourney, TheBulbOffersPicturesToStartFromNamedInTheChildsLanguageAndOneOpensOnThePage) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const IdeaRound rounds[] = {{"English", "Castle", "Birthday Cake", "Castillo"},
                                {"Spanish", "Castillo", "Pastel de cumpleaños", "Castle"}};
    for (const IdeaRound& round : rounds) {
        SCOPED_TRACE(round.language);
        const std::string language = round.language;
        ASSERT_TRUE(j.settle());
        const Shot before = j.screenshot();
        j.click(planned("easel.tool.IdeaMachine"));
        if (language == "Spanish") {
            // The picture from the round before is a changed page: the bulb asks first.
            ASSERT_TRUE(j.waitForChange(before, kScreen, "the save question"));
            ASSERT_TRUE(j.settle());
            j.click(kQuestionNo);
        }
        Area castle;
        ASSERT_TRUE(j.waitFor([&] { return (castle = findWidgetText(j.screenshot(), round.castle, kScreen, kWidgetText, kListLine)).width > 0; },
                              std::string(round.castle) + " in the bulb's list"));
        ASSERT_TRUE(j.settle());
        const Shot list = j.keep("ideas-" + language);
        EXPECT_GT(findWidgetText(list, round.cake, kScreen, kWidgetText, kListLine).width, 0);
        EXPECT_EQ(findWidgetText(list, round.otherCastle, kScreen, kWidgetText, kListLine).width, 0) << "only this language's names";
        j.click(castle);
        ASSERT_TRUE(clickText(j, languageText(language, "FileDialog", "Open")));
        const Area canvas = canvasArea();
        const Shot dialog = j.screenshot();
        ASSERT_TRUE(j.waitFor(
            [&] {
                const Shot shot = j.screenshot();
                return shot.differences(dialog, canvas) > 0 && paintedPixels(shot) > canvas.width * canvas.height / 5;
            },
            "the castle on the page"));
        ASSERT_TRUE(j.settle());
        j.keep("castle-" + language);
        if (language == "English") {
            ASSERT_TRUE(chooseMenu(j, languageText("English", "MenuStrings", "Controls"),
                                   languageText("English", "MenuStrings", "SwitchLanguage1")));
        }
    }
}

}  // namespace
