// A child starts the program: the splash gives way to the login alone on black, About stands over
// the login without hiding its words, every start speaks English; a new note's box starts unticked under gray menus.
#include <filesystem>
#include <fstream>

#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

namespace fs = std::filesystem;

const Area kWholeScreen{0, kScreenTop, 800, 600};
// Where the splash asked to be clicked: the screen's foot, below the login.
const Area kPromptArea{0, kScreenTop + 540, 800, 60};
constexpr uint32_t kGrayText = 0x808080;
constexpr int32_t kAboutX = 385, kAboutY = kScreenTop + 442;

std::string menuText(const std::string& language, const std::string& key) {
    return languageText(language, "MenuStrings", key);
}

// The first line of About's words in `language`.
std::string aboutLine(const std::string& language) {
    const std::string text = languageText(language, "SystemStrings", "AboutText");
    return text.substr(0, text.find('\\'));
}

// The login's second line, between its title and its name field.
Area hintLine() {
    const Area field = planned("dialog.login.field");
    return {field.x, field.y - 30, field.width, 26};
}

int lit(const Shot& shot, const Area& area) {
    return shot.count(area, [](uint32_t p) { return p != 0; });
}

// From the splash (kept in `splash` when asked) to the login come up whole and still.
testing::AssertionResult loginShown(Journey& j, Shot* login, Shot* splash = nullptr) {
    if (auto shown = j.waitFor([&] { return lit(j.screenshot(), kWholeScreen) > 800 * 300; }, "the splash"); !shown)
        return shown;
    // Its words at the foot stand still while its star hops.
    if (splash) *splash = j.screenshot();
    j.click(kWholeScreen.centerX(), kWholeScreen.centerY());
    const Area field = planned("dialog.login.field");
    const Area inside{field.x + 4, field.y + 4, field.width - 8, field.height - 8};
    if (auto up = j.waitFor([&] { return j.screenshot().countColour(inside, kPaper) > inside.width * inside.height * 4 / 5; },
                            "the login's name field");
        !up)
        return up;
    if (auto still = j.settle(); !still) return still;
    *login = j.screenshot();
    return testing::AssertionSuccess();
}

testing::AssertionResult menusIn(Journey& j, const std::string& language) {
    const std::string file = menuText(language, "File");
    return j.waitFor([&] { return findWidgetText(j.screenshot(), file, menuBarArea()).width > 0; },
                     "the menus in " + language);
}

// About over the login: the login's words and its colours around the box stay; Return closes it.
void aboutStandsOverTheLogin(Journey& j, const Shot& login, const std::string& language) {
    j.click(kAboutX, kAboutY);
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), aboutLine(language), kWholeScreen).width > 0; },
                          "About in " + language));
    const Shot about = j.keep("about-over-login-" + language);
    EXPECT_EQ(about.differences(login, hintLine()), 0) << "the login's second line stays in sight";
    const Area box = planned("dialog.login"), buttons = planned("dialog.login.buttons");
    // Quit, away from the pointer that lights About.
    EXPECT_EQ(about.differences(login, {buttons.x, buttons.y, buttons.width / 4, buttons.height}), 0)
        << "the login's buttons stay in sight";
    EXPECT_EQ(about.differences(login, {box.x, box.y, 16, box.height}), 0) << "the login's edge, not black";
    EXPECT_EQ(lit(about, kPromptArea), 0) << "no trace of the splash";
    j.key("Return");
    EXPECT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), aboutLine(language), kWholeScreen).width == 0; },
                          "About to close with Return"));
}

// Logs in from the login as it stands.
testing::AssertionResult enterName(Journey& j, const std::string& name, const std::string& language) {
    j.click(planned("dialog.login.field"));
    j.key("End");
    for (int i = 0; i < 16; ++i) j.key("BackSpace");
    j.type(name);
    j.key("Return");
    return menusIn(j, language);
}

TEST(StartLanguageJourney, ANewNoteInSpanishStartsUntickedAndTheMenusStayGrayUnderIt) {
    Journey j;
    ASSERT_TRUE(j.start({.seedHome = seedTeacherSettings(j, "\n"), .keyboard = "es"}));
    ASSERT_TRUE(logIn(j, "Begoña"));
    ASSERT_TRUE(chooseMenu(j, menuText("English", "Controls"), menuText("English", "SwitchLanguage1")));
    ASSERT_TRUE(menusIn(j, "Spanish"));
    j.key("ctrl+t");
    const std::string teacher = menuText("Spanish", "Teacher");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), teacher, menuBarArea()).width > 0; }, "the Teacher menu"));
    ASSERT_TRUE(chooseMenu(j, teacher, menuText("Spanish", "AddNote")));
    const std::string spanishBox = languageText("Spanish", "DialogsStrings", "ReadNoteInSpanish");
    Area label;
    ASSERT_TRUE(j.waitFor([&] { return (label = findWidgetText(j.screenshot(), spanishBox, kWholeScreen)).width > 0; },
                          "the note's dialog in Spanish"));
    ASSERT_TRUE(j.settle());
    const Shot note = j.keep("spanish-note-dialog");
    // The box left of its words: clicking it puts its tick in as ink.
    const Area tickBox{label.x - 22, label.y - 4, 20, label.height + 8};
    const int unticked = note.countColour(tickBox, kWidgetText);
    // The menus are gray under the dialog, and a click on one opens nothing.
    const std::string file = menuText("Spanish", "File");
    EXPECT_GT(findWidgetText(note, file, menuBarArea(), kGrayText).width, 0) << "the menus gray";
    j.click(findWidgetText(note, file, menuBarArea(), kGrayText));
    EXPECT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), menuText("Spanish", "Exit"), kWholeScreen).width == 0; },
                          "no File menu under the dialog", std::chrono::seconds(2)));
    j.click(label);
    // The box may repaint (its focus) before the tick comes: wait for the ink itself.
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(tickBox, kWidgetText) > unticked; }, "the tick put in"));
    j.click(findWidgetText(j.screenshot(), languageText("Spanish", "DialogsStrings", "Cancel"), kWholeScreen));
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), file, menuBarArea()).width > 0; },
                          "the menus back in black"));

    // Begoña, typed on a Spanish keyboard, finds her pictures' folder under her name, once.
    ASSERT_TRUE(chooseMenu(j, file, menuText("Spanish", "Open")));
    std::string place = languageText("Spanish", "FileStrings", "PlacePictures");
    place.replace(place.find("%s"), 2, "Begoña");
    EXPECT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), place, kWholeScreen).width > 0; }, place));
    EXPECT_EQ(findWidgetText(j.keep("spanish-open-dialog"), "BegoñaBegoña", kWholeScreen).width, 0);
    EXPECT_TRUE(fs::exists(j.userFolder("Begoña")));
}

TEST(StartLanguageJourney, TheLoginStandsAloneAndEveryStartSpeaksEnglish) {
    Journey j(std::chrono::seconds(420));
    ASSERT_TRUE(j.start());
    Shot login, englishSplash;
    ASSERT_TRUE(loginShown(j, &login, &englishSplash));
    j.keep("login");
    EXPECT_EQ(lit(login, kPromptArea), 0) << "the splash's prompt is gone with the splash";
    aboutStandsOverTheLogin(j, login, "English");

    ASSERT_TRUE(enterName(j, "Mia", "English"));
    ASSERT_TRUE(j.settle());
    ASSERT_TRUE(chooseMenu(j, menuText("English", "Controls"), menuText("English", "SwitchLanguage1")));
    ASSERT_TRUE(menusIn(j, "Spanish"));
    ASSERT_TRUE(j.end());

    // The next child is greeted in English, from the splash on.
    ASSERT_TRUE(j.start());
    Shot nextSplash;
    ASSERT_TRUE(loginShown(j, &login, &nextSplash));
    EXPECT_EQ(nextSplash.differences(englishSplash, kPromptArea), 0) << "the splash asks in English";
    ASSERT_TRUE(enterName(j, "Mia", "English"));
}

}  // namespace
