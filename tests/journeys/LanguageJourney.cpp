// A child at a Spanish keyboard logs in, switches the program to Spanish and reads the easel's
// menus in Spanish; a child whose name has an ñ types it as it is.
#include <filesystem>

#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

std::string menuText(const std::string& language, const std::string& key) {
    return languageText(language, "MenuStrings", key);
}

TEST(LanguageJourney, SwitchedToSpanishTheEaselsMenuBarIsInSpanish) {
    Journey j;
    ASSERT_TRUE(j.start({.keyboard = "es"}));
    ASSERT_TRUE(logIn(j, "Pablo"));
    ASSERT_TRUE(chooseMenu(j, menuText("English", "Controls"), menuText("English", "SwitchLanguage1")));
    const std::string archivo = menuText("Spanish", "File");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), archivo, menuBarArea()).width > 0; },
                          "\"" + archivo + "\" in the menu bar"));
    ASSERT_TRUE(j.settle());
    const Shot bar = j.keep("spanish-menu-bar");
    for (const char* title : {"File", "Edit", "Add", "Toolbox", "Controls", "Help"}) {
        SCOPED_TRACE(title);
        EXPECT_GT(findWidgetText(bar, menuText("Spanish", title), menuBarArea()).width, 0) << "in Spanish";
        EXPECT_EQ(findWidgetText(bar, menuText("English", title), menuBarArea()).width, 0) << "no longer in English";
    }
    // The items too: the File menu offers to quit in Spanish.
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), archivo, menuBarArea()).width > 0; }, archivo));
    j.click(findWidgetText(j.screenshot(), archivo, menuBarArea()));
    const std::string salir = menuText("Spanish", "Exit");
    EXPECT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), salir, {0, kMenuBarHeight, 800, 600}).width > 0; },
                          "\"" + salir + "\" in the Archivo menu"));
    j.keep("spanish-file-menu");
}

TEST(LanguageJourney, BegonaTypesHerNameWithItsEnyeOnASpanishKeyboard) {
    Journey j;
    ASSERT_TRUE(j.start({.keyboard = "es"}));
    ASSERT_TRUE(logIn(j, "Begoña"));
    EXPECT_TRUE(std::filesystem::is_directory(j.userFolder("Begoña"))) << "her name, ñ and all, names her folder";
}

}  // namespace
