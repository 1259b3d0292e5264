// A child at a Spanish keyboard logs in, switches the program to Spanish and reads the easel's
// menus, the login and the file dialogs in Spanish; a child whose name has an ñ types it as it is.
// A child and a teacher go through every screen and dialog in Spanish, one stop after another.
#include <filesystem>
#include <fstream>
#include <functional>

#include "tests/journeys/ScreenPlan.h"

#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

std::string menuText(const std::string& language, const std::string& key) {
    return languageText(language, "MenuStrings", key);
}

TEST(LanguageJourney, BegonaTypesHerNameWithItsEnyeOnASpanishKeyboardAndSwitchedToSpanishTheMenuBarIsInSpanish) {
    Journey j;
    ASSERT_TRUE(j.start({.keyboard = "es"}));
    ASSERT_TRUE(logIn(j, "Begoña"));
    EXPECT_TRUE(std::filesystem::is_directory(j.userFolder("Begoña"))) << "her name, ñ and all, names her folder";
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

// Pablo, in Spanish, presses `keys` in a new user's emptied name field: that user's folder is made.
testing::AssertionResult newUserByKeys(Journey& j, const std::string& keyboard, std::initializer_list<const char*> keys,
                                       const std::string& user) {
    Shot field;
    if (auto started = j.start({.keyboard = keyboard}); !started) return started;
    if (auto in = logIn(j, "Pablo"); !in) return in;
    if (auto spanish = chooseMenu(j, menuText("English", "Controls"), menuText("English", "SwitchLanguage1")); !spanish) return spanish;
    if (auto login = chooseMenu(j, menuText("Spanish", "File"), menuText("Spanish", "LogInAsNewUser")); !login) return login;
    if (auto shown = loginField(j, &field); !shown) return shown;
    j.click(planned("dialog.login.field"));
    j.key("End");
    for (int i = 0; i < 32; ++i) j.key("BackSpace");
    for (const char* key : keys) j.key(key);
    return j.waitFor([&] { return std::filesystem::is_directory(j.userFolder(user)); }, user + " typed on the Spanish keys");
}

// On a US keyboard, in Spanish, the keys right of L and P type ñ and an accent; in English ; and '.
TEST(LanguageJourney, InSpanishAUsKeyboardTypesWhereASpanishKeyboardHasTheLetters) {
    Journey j;
    ASSERT_TRUE(newUserByKeys(j, "us", {"shift+n", "i", "semicolon", "bracketleft", "a", "Return"}, "Niñá"));
    ASSERT_TRUE(chooseMenu(j, menuText("Spanish", "Controls"), menuText("Spanish", "SwitchLanguage1")));
    ASSERT_TRUE(chooseMenu(j, menuText("English", "File"), menuText("English", "SaveAs")));
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Niñá's Pictures", {0, kScreenTop, 800, 600}).width > 0; }, "the save dialog"));
    for (const char* key : {"c", "semicolon", "apostrophe", "Return"}) j.key(key);
    const std::filesystem::path saved = j.userFolder("Niñá") / "Pictures/c;'.tbx";
    EXPECT_TRUE(j.waitFor([&] { return std::filesystem::exists(saved); }, saved.string())) << "the desktop's keys again";
}

// A keyboard from Spain, dead keys and keypad, types the Latin American letters of its places;
// the space bar a space and the key beside the left Shift its "<".
TEST(LanguageJourney, InSpanishAKeyboardWithDeadKeysOfItsOwnTypesTheLatinAmericanLetters) {
    Journey j;
    ASSERT_TRUE(newUserByKeys(j, "es", {"shift+n", "i", "ntilde", "dead_grave", "a", "Num_Lock", "KP_End", "Return"}, "Niñá1"));
    ASSERT_TRUE(chooseMenu(j, menuText("Spanish", "File"), menuText("Spanish", "SaveAs")));
    ASSERT_TRUE(j.waitFor([&] { return bool(showsInSpanish(j.screenshot(), {{"FileStrings", "PlacePictures", "Niñá1"}}, kScreen)); }, "save"));
    for (const char* key : {"a", "space", "less", "b"}) j.key(key);
    EXPECT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "a <b", kScreen, kWidgetText, kListPaper).width > 0; }, "a <b"));
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
    // Up goes no higher: the other children's work beside Pablo's folder is not his to browse.
    std::filesystem::create_directories(j.userFolder("Ana") / "Pictures");
    j.click(up);
    ASSERT_TRUE(j.settle());
    const Shot top = j.keep("spanish-user-folder-top");
    EXPECT_TRUE(showsInSpanish(top, {{"FileStrings", "PlaceUser", "Pablo"}}, screen));
    EXPECT_EQ(findWidgetText(top, "Ana", screen, kWidgetText, kListPaper).width, 0);
}

// One stop of the tour: how it is opened, the widget texts it shows (none: a screen of the
// content's art, which is drawn per language), and how it is left.
struct Stop {
    const char* name;
    std::function<testing::AssertionResult(Journey&)> open;
    std::vector<ShownText> texts;
    std::function<void(Journey&)> close;
    // A print of many copies keeps the program busy until it is cancelled.
    bool rests = true;
};

std::function<testing::AssertionResult(Journey&)> menu(const char* title, const char* item) {
    return [=](Journey& j) { return chooseMenu(j, menuText("Spanish", title), menuText("Spanish", item)); };
}

std::function<testing::AssertionResult(Journey&)> menuTitle(const char* title) {
    return [=](Journey& j) {
        // A screen coming up grays the bar until it is ready.
        Area heading;
        if (auto shown = j.waitFor([&] { return (heading = findWidgetText(j.screenshot(), menuText("Spanish", title), menuBarArea())).width > 0; },
                                   std::string("the menu ") + title);
            !shown)
            return shown;
        j.click(heading);
        return testing::AssertionSuccess();
    };
}

std::function<testing::AssertionResult(Journey&)> clickAt(const Area& area) {
    return [=](Journey& j) {
        j.click(area);
        return testing::AssertionSuccess();
    };
}

// Help mode, then the element whose help page the child wants.
std::function<testing::AssertionResult(Journey&)> helpOn(std::function<testing::AssertionResult(Journey&)> start, const Area& element) {
    return [=](Journey& j) {
        if (auto started = start(j); !started) return started;
        if (!j.settle()) return testing::AssertionFailure() << "help mode did not settle";
        j.click(element);
        return testing::AssertionSuccess();
    };
}

std::function<void(Journey&)> pressKey(const char* chord) {
    return [=](Journey& j) { j.key(chord); };
}

std::vector<ShownText> items(const char* section, std::initializer_list<const char*> keys) {
    std::vector<ShownText> texts;
    for (const char* key : keys) texts.push_back({section, key, ""});
    return texts;
}

// The paper textures' first; the questions' Cancel; the help pages' Close.
const Area kFirstTexture{270, kScreenTop + 220, 20, 20};
const Area kQuestionCancel{260, kScreenTop + 377, 20, 20};
const Area kHelpClose{560, kScreenTop + 460, 20, 20};
const Area kShowPrintOk{510, kScreenTop + 458, 24, 16};
// The timing under the strip's first slide, and the picker's buttons from the left.
const Area kFirstTiming{420, kScreenTop + 230, 20, 16};
Area kPickerButton(int index) { return {80 + 102 * index, kScreenTop + 555, 20, 20}; }

TEST(LanguageJourney, EveryScreenAndDialogATeacherOrChildOpensSpeaksSpanish) {
    Journey j(std::chrono::seconds(900));
    const std::filesystem::path seed = j.artifacts() / "seed";
    std::filesystem::create_directories(seed / ".config/tumblo4");
    {
        std::ifstream shipped(Journey::programFolder() / "TB.ini");
        std::ofstream settings(seed / ".config/tumblo4/TB.ini", std::ios::binary);
        settings << shipped.rdbuf() << "\r\n[TBSEdSettings]\r\nTBSEd=TRUE\r\n";
    }
    ASSERT_TRUE(j.start({.seedHome = seed, .keyboard = "es"}));
    ASSERT_TRUE(logIn(j, "Pablo"));
    ASSERT_TRUE(chooseMenu(j, menuText("English", "Controls"), menuText("English", "SwitchLanguage1")));
    ASSERT_TRUE(easelMenus(j, "Spanish"));
    ASSERT_TRUE(j.settle());
    // A picture of the child's, to open and to make a slide of.
    const Area canvas = canvasArea();
    j.drag(canvas.x + 100, canvas.y + 100, canvas.x + 300, canvas.y + 250);
    ASSERT_TRUE(chooseMenu(j, menuText("Spanish", "File"), menuText("Spanish", "SaveAs")));
    const std::vector<ShownText> saveDialog = items("FileDialog", {"Save", "Cancel"});
    ASSERT_TRUE(j.waitFor([&] { return bool(showsInSpanish(j.screenshot(), saveDialog, kScreen)); }, "the save dialog"))
        << showsInSpanish(j.screenshot(), saveDialog, kScreen).message();
    j.keep("es-save-dialog");
    j.type("gato");
    j.key("Return");
    ASSERT_TRUE(j.waitFor([&] { return std::filesystem::exists(j.userFolder("Pablo") / "Pictures/gato.tbx"); }, "gato saved"));
    ASSERT_TRUE(j.settle());
    j.key("ctrl+t");

    const std::vector<ShownText> fileDialog = items("FileDialog", {"Cancel", "Up", "ShowTypes"});
    // An export starts in the child's own folder, above which Up does not go: its word is grayed;
    // its file types are the kind of file it makes.
    const std::vector<ShownText> exportDialog = items("FileDialog", {"Cancel", "SaveTypes"});
    // The imports start in the home folder, above which Up does not go.
    const std::vector<ShownText> importDialog = items("FileDialog", {"Open", "Cancel", "ShowTypes"});
    std::vector<Stop> stops = {
        {"file-menu", menuTitle("File"), items("MenuStrings", {"New", "Open", "SaveAs", "Export", "Print", "LogInAsNewUser", "Exit"}), pressKey("Escape")},
        {"edit-menu", menuTitle("Edit"), items("MenuStrings", {"Cut", "Copy"}), pressKey("Escape")},
        {"add-menu", menuTitle("Add"), items("MenuStrings", {"AddGraphic", "AddMovie", "PaperTextures", "ImportBackground", "ImportSound"}), pressKey("Escape")},
        {"toolbox-menu", menuTitle("Toolbox"), items("MenuStrings", {"EditABCText", "IdeaMachine"}), pressKey("Escape")},
        {"controls-menu", menuTitle("Controls"), items("MenuStrings", {"SwitchLanguage1", "GoToSlideShow"}), pressKey("Escape")},
        {"help-menu", menuTitle("Help"), items("MenuStrings", {"GettingStarted", "Help", "ViewUsersGuide"}), pressKey("Escape")},
        {"teacher-menu", menuTitle("Teacher"), items("MenuStrings", {"ManageLibraries", "AddNote", "AddDelUsers", "HideTeacherMenu"}), pressKey("Escape")},
        {"open-dialog", menu("File", "Open"), fileDialog, pressKey("Escape")},
        {"export-dialog", menu("File", "Export"), exportDialog, pressKey("Escape")},
        {"print-dialog", menu("File", "Print"), items("DialogsStrings", {"PrintOptions"}), pressKey("Escape")},
        {"add-picture-dialog", menu("Add", "AddGraphic"), importDialog, pressKey("Escape")},
        {"add-movie-dialog", menu("Add", "AddMovie"), importDialog, pressKey("Escape")},
        {"background-dialog", menu("Add", "ImportBackground"), importDialog, pressKey("Escape")},
        {"sound-dialog", menu("Add", "ImportSound"), importDialog, pressKey("Escape")},
        {"paper-textures", menu("Add", "PaperTextures"), {}, [](Journey& j) { j.click(kFirstTexture); }},
        {"idea-machine", menu("Toolbox", "IdeaMachine"), {}, pressKey("Escape")},
        {"getting-started", menu("Help", "GettingStarted"), {}, pressKey("Escape")},
        {"help", helpOn(menu("Help", "Help"), planned("easel.tool.Paint")), {}, [](Journey& j) { j.click(kHelpClose); }},
        {"manage-libraries", menu("Teacher", "ManageLibraries"), {}, pressKey("Escape")},
        {"teacher-note", menu("Teacher", "AddNote"), {}, pressKey("Escape")},
        {"save-question",
         [&](Journey& j) {
             j.drag(canvas.x + 300, canvas.y + 100, canvas.x + 100, canvas.y + 250);
             return menu("File", "New")(j);
         },
         {}, [](Journey& j) { j.click(kQuestionCancel); }},
    };
    for (const char* tool : {"Paint", "Text", "FillBucket", "Mixer", "Stickers", "RubberStamps", "Backgrounds", "Animations",
                             "Sounds", "Grab", "Eraser", "Draw"})
        stops.push_back({tool, clickAt(planned(std::string("easel.tool.") + tool)), {}, nullptr});
    const std::vector<Stop> picker = {
        {"picker-question", menu("Controls", "GoToSlideShow"), {}, [](Journey& j) { j.click(kQuestionNo); }},
        {"picker-file-menu", menuTitle("File"), items("MenuStrings", {"NewSlideShow", "Open", "SaveAs", "Print"}), pressKey("Escape")},
        {"load-picture-dialog", menu("Add", "LoadPicture"), items("FileDialog", {"Open", "Cancel", "Up"}),
         [](Journey& j) {
             j.click(findWidgetText(j.screenshot(), "gato", kScreen, kWidgetText, kListPaper));
             j.click(findWidgetText(j.screenshot(), languageText("Spanish", "FileDialog", "Open"), kScreen));
         }},
        {"show-open-question", menu("File", "Open"), {}, [](Journey& j) { j.click(kQuestionCancel); }},
        {"show-export-dialog", menu("File", "Export"), exportDialog, pressKey("Escape")},
        {"show-print-dialog", menu("File", "Print"), items("DialogsStrings", {"PrintOptions", "PrintMode", "Preview"}), pressKey("Escape")},
        // The printer's own dialog, every word whole beside its field.
        {"show-print-options",
         [](Journey& j) {
             if (auto opened = menu("File", "Print")(j); !opened) return opened;
             return clickText(j, languageText("Spanish", "DialogsStrings", "PrintOptions"));
         },
         items("DialogsStrings", {"From", "To", "NumberOfCopies", "Collate"}), [](Journey& j) { j.key("Escape"), j.settle(), j.key("Escape"); }},
        // So many copies that the progress window stays up until its Cancel stops the print.
        {"show-printing",
         [](Journey& j) {
             if (auto opened = menu("File", "Print")(j); !opened) return opened;
             if (auto options = clickText(j, languageText("Spanish", "DialogsStrings", "PrintOptions")); !options) return options;
             Area copies;
             const std::string label = languageText("Spanish", "DialogsStrings", "NumberOfCopies");
             if (auto shown = j.waitFor([&] { return (copies = findWidgetText(j.screenshot(), label, kScreen)).width > 0; }, label); !shown) return shown;
             j.click(copies.x + 10, copies.centerY() + 20);
             j.type("999");
             j.key("Return");
             if (j.settle()) j.click(kShowPrintOk);
             return testing::AssertionSuccess();
         },
         items("DialogsStrings", {"Printing", "Cancel"}), [](Journey& j) { EXPECT_TRUE(clickText(j, languageText("Spanish", "DialogsStrings", "Cancel"))); }, false},
        // Printed to the PDF file printer: the folder is named as a sentence names it.
        {"show-printed", [](Journey& j) { auto opened = menu("File", "Print")(j); if (opened && j.settle()) j.click(kShowPrintOk); return opened; },
         {{"FileStrings", "PlaceUserInText", "Pablo"}}, pressKey("Return")},
        {"colour-dialog", menu("Toolbox", "PickBgColor"), {}, pressKey("Escape")},
        {"transitions", menu("Toolbox", "ChangeEffects"), {}, pressKey("Escape")},
        {"timing", clickAt(kFirstTiming), {}, pressKey("Escape")},
        {"picker-help", helpOn(clickAt(kPickerButton(0)), kPickerButton(1)), {}, [](Journey& j) { j.click(kHelpClose); }},
        {"new-show-question", menu("File", "NewSlideShow"), {}, [](Journey& j) { j.click(kQuestionCancel); }},
        // The login and About in Spanish: InSpanishTheLoginAndTheFileDialogsSpeakSpanish...
        {"player", clickAt(kPickerButton(1)), {}, pressKey("Escape")},
    };
    stops.insert(stops.end(), picker.begin(), picker.end());
    for (const Stop& stop : stops) {
        SCOPED_TRACE(stop.name);
        ASSERT_TRUE(j.settle());
        const Shot before = j.screenshot();
        ASSERT_TRUE(stop.open(j));
        if (stop.texts.empty()) {
            EXPECT_TRUE(j.waitForChange(before, kScreen, stop.name));
        } else {
            // Every text in Spanish, and none left in English.
            if (!j.waitFor([&] { return bool(showsInSpanish(j.screenshot(), stop.texts, kScreen)); }, stop.name))
                ADD_FAILURE() << showsInSpanish(j.screenshot(), stop.texts, kScreen).message();
        }
        if (stop.rests) {
            ASSERT_TRUE(j.settle());
        }
        j.keep(std::string("es-") + stop.name);
        if (stop.close) stop.close(j);
    }
}

}  // namespace
