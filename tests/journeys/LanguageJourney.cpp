// A child at a Spanish keyboard logs in, switches the program to Spanish and reads the easel's
// menus, the login and the file dialogs in Spanish; a child whose name has an ñ types it as it is.
#include <filesystem>

#include "tests/journeys/ScreenPlan.h"

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

constexpr uint32_t kListPaper = 0xFFFFFF;
constexpr int32_t kStarReach = 40;
constexpr uint32_t kFieldOutline = 0x382858;
// The middle of the login's About button.
constexpr int32_t kAboutX = 385, kAboutY = kScreenTop + 442;

// The screen once the login has come up whole.
testing::AssertionResult loginField(Journey& j, Shot* field) {
    const Area box = planned("dialog.login.field");
    const Area inside{box.x + 4, box.y + 4, box.width - 8, box.height - 8};
    // The login grows from the middle of the screen: the field is whole when its outline runs
    // across its width.
    const Area outline{box.x, box.y, box.width, 1};
    if (auto open = j.waitFor(
            [&] {
                const Shot shot = j.screenshot();
                return shot.countColour(outline, kFieldOutline, 24) > box.width * 3 / 4 &&
                       shot.countColour(inside, kPaper) > inside.width * inside.height / 2;
            },
            "the login's name field");
        !open)
        return open;
    if (auto still = j.settle(); !still) return still;
    *field = j.screenshot();
    return testing::AssertionSuccess();
}

void typeName(Journey& j, const std::string& name) {
    const Area field = planned("dialog.login.field");
    j.click(field.centerX(), field.centerY());
    j.key("End");
    for (int i = 0; i < 32; ++i) j.key("BackSpace");
    j.type(name);
    j.key("Return");
}

testing::AssertionResult easelMenus(Journey& j, const std::string& language) {
    const std::string file = menuText(language, "File");
    return j.waitFor([&] { return findWidgetText(j.screenshot(), file, menuBarArea()).width > 0; }, "the easel's menus");
}

TEST(LanguageJourney, InSpanishTheLoginAndTheFileDialogsSpeakSpanishAndListPicturesByName) {
    Journey j;
    ASSERT_TRUE(j.start({.keyboard = "es"}));
    const Area screen{0, kScreenTop, 800, 600};
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().count(screen, [](uint32_t p) { return p != 0; }) > 800 * 300; },
                          "the splash"));
    j.click(screen.centerX(), screen.centerY());
    Shot english;
    ASSERT_TRUE(loginField(j, &english));
    j.keep("login-after-splash");
    // The login with the star that peeks over its corner.
    const Area login = planned("dialog.login");
    const Area withStar{login.x - kStarReach, login.y - kStarReach, login.width + 2 * kStarReach, login.height + 2 * kStarReach};
    const int around = english.count(screen, [](uint32_t p) { return p != 0; }) -
                       english.count(withStar, [](uint32_t p) { return p != 0; });
    EXPECT_EQ(around, 0) << "the splash is blacked out around the login";
    typeName(j, "Pablo");
    ASSERT_TRUE(easelMenus(j, "English"));
    ASSERT_TRUE(j.settle());

    ASSERT_TRUE(chooseMenu(j, menuText("English", "Controls"), menuText("English", "SwitchLanguage1")));
    ASSERT_TRUE(easelMenus(j, "Spanish"));
    ASSERT_TRUE(chooseMenu(j, menuText("Spanish", "File"), menuText("Spanish", "LogInAsNewUser")));
    Shot spanish;
    ASSERT_TRUE(loginField(j, &spanish));
    j.keep("spanish-login");
    const Area field = planned("dialog.login.field");
    EXPECT_GT(spanish.differences(english, field), 0) << "the field offers \"Tu nombre\", not \"Your Name\"";
    // About tells of the program in Spanish too.
    j.click(kAboutX, kAboutY);
    const std::string about = languageText("Spanish", "SystemStrings", "AboutText");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), about.substr(0, about.find('\\')), screen).width > 0; },
                          "About in Spanish"));
    const Shot aboutShot = j.keep("spanish-about");
    const std::string englishAbout = languageText("English", "SystemStrings", "AboutText");
    EXPECT_EQ(findWidgetText(aboutShot, englishAbout.substr(0, englishAbout.find('\\')), screen).width, 0);
    j.click(findWidgetText(aboutShot, languageText("Spanish", "SystemStrings", "OK"), screen));
    typeName(j, "Pablo");
    ASSERT_TRUE(easelMenus(j, "Spanish"));
    ASSERT_TRUE(j.settle());

    // Saved in Spanish, the picture is a file with its ending, listed by its name alone.
    ASSERT_TRUE(chooseMenu(j, menuText("Spanish", "File"), menuText("Spanish", "SaveAs")));
    ASSERT_TRUE(j.waitFor([&] { return bool(showsInSpanish(j.screenshot(), {{"FileStrings", "PlacePictures", "Pablo"}}, screen)); },
                          "the save dialog in Pablo's pictures"));
    j.type("gato");
    j.key("Return");
    const std::filesystem::path saved = j.userFolder("Pablo") / "Pictures/gato.tbx";
    ASSERT_TRUE(j.waitFor([&] { return std::filesystem::exists(saved); }, saved.string()));
    ASSERT_TRUE(j.settle());
    ASSERT_TRUE(chooseMenu(j, menuText("Spanish", "File"), menuText("Spanish", "Open")));
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "gato", screen, kWidgetText, kListPaper).width > 0; },
                          "gato in the open dialog's list"));
    const Shot pictures = j.keep("spanish-open-dialog");
    EXPECT_EQ(findWidgetText(pictures, "gato.tbx", screen, kWidgetText, kListPaper).width, 0) << "listed without its ending";
    const Area up = findWidgetText(pictures, languageText("Spanish", "FileDialog", "Up"), screen);
    ASSERT_GT(up.width, 0);
    j.click(up);
    ASSERT_TRUE(j.waitFor([&] { return bool(showsInSpanish(j.screenshot(), {{"FileStrings", "PlaceUser", "Pablo"}}, screen)); },
                          "Pablo's folder"));
    ASSERT_TRUE(j.settle());
    const Shot folder = j.keep("spanish-user-folder");
    EXPECT_TRUE(showsInSpanish(folder, {{"FileStrings", "FolderPictures"}, {"FileStrings", "FolderProjects"}}, screen,
                               kListPaper));
}

TEST(LanguageJourney, BegonaTypesHerNameWithItsEnyeOnASpanishKeyboard) {
    Journey j;
    ASSERT_TRUE(j.start({.keyboard = "es"}));
    ASSERT_TRUE(logIn(j, "Begoña"));
    EXPECT_TRUE(std::filesystem::is_directory(j.userFolder("Begoña"))) << "her name, ñ and all, names her folder";
}

}  // namespace
