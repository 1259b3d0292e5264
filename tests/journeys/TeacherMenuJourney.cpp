// A teacher allows the Teacher menu in the writable settings file, and Ctrl+T on the easel shows
// it; the teacher writes a note for the page, and the child can open it from the Controls menu
// and set it to be read in Spanish or not.
#include <filesystem>
#include <fstream>

#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kGreyText = 0x808080;
constexpr uint32_t kFieldWhite = 0xFFFFFF;
constexpr uint32_t kTipYellow = 0xF8F0B0;
// The note's read-in-Spanish toggle.
const Area kNoteToggle{190, kScreenTop + 428, 150, 44};

std::string teacherMenuText(const std::string& key, const std::string& language = "English") {
    return languageText(language, "MenuStrings", key);
}

const Area kTeacherScreen{0, kScreenTop, 800, 600};

testing::AssertionResult showTeacherMenu(Journey& j, const std::string& language = "English") {
    j.key("ctrl+t");
    return j.waitFor([&] { return findWidgetText(j.screenshot(), teacherMenuText("Teacher", language), menuBarArea()).width > 0; },
                     "the Teacher menu in the bar");
}

// Opens a menu of the bar and waits for one of its items written in `ink` (grey: unavailable).
testing::AssertionResult menuShowsItem(Journey& j, const std::string& title, const std::string& item, uint32_t ink) {
    j.click(findWidgetText(j.screenshot(), title, menuBarArea()));
    const auto shown = j.waitFor([&] { return findWidgetText(j.screenshot(), item, kTeacherScreen, ink).width > 0; },
                                 "\"" + item + "\" in the menu " + title);
    j.key("Escape");
    return shown;
}

// A settings file that holds only the two lines the README gives.
std::filesystem::path seedReadmeLines(const Journey& j, const std::string& newline) {
    const fs::path seed = j.artifacts() / "seed";
    fs::create_directories(seed / ".config/tumblo4");
    std::ofstream(seed / ".config/tumblo4/TB.ini", std::ios::binary) << "[TBSEdSettings]" << newline << "TBSEd=TRUE" << newline;
    return seed;
}

// The teacher writes a note; the Controls menu offers it once it is there. The settings file
// that allows the menu has its lines ended as `newline` ends them, or is the README's two lines.
void noteOpensFromTheControlsMenu(const std::string& language, const std::string& newline, bool readmeLines = false) {
    Journey j;
    ASSERT_TRUE(j.start({.seedHome = readmeLines ? seedReadmeLines(j, newline) : seedTeacherSettings(j, newline)}));
    ASSERT_TRUE(logIn(j, "Maya"));
    // What the file does not set is the program's: the tips keep their yellow box.
    const Area paint = planned("easel.tool.Paint"), tip{0, paint.y + paint.height + 7, 104, 12};
    j.move(canvasArea().centerX(), canvasArea().centerY());
    ASSERT_TRUE(j.settle());
    j.move(paint.centerX(), paint.centerY());
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().countColour(tip, kTipYellow, 8) > 100; }, "the tip in its yellow box"));
    j.keep("tip");
    EXPECT_EQ(findWidgetText(j.screenshot(), teacherMenuText("Teacher"), menuBarArea()).width, 0) << "hidden at the login";
    if (language != "English") {
        ASSERT_TRUE(chooseMenu(j, teacherMenuText("Controls"), teacherMenuText("SwitchLanguage1")));
        ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), teacherMenuText("File", language), menuBarArea()).width > 0; },
                              "the menus in " + language));
    }
    ASSERT_TRUE(showTeacherMenu(j, language)) << "allowed by a settings file whose lines end in "
                                              << (newline == "\r\n" ? "CR LF" : "LF");
    j.keep("teacher-menu");
    const std::string controls = teacherMenuText("Controls", language), teacher = teacherMenuText("Teacher", language);
    const std::string view = teacherMenuText("ViewTeacherNote", language);
    EXPECT_TRUE(menuShowsItem(j, controls, view, kGreyText)) << "no note yet";

    ASSERT_TRUE(chooseMenu(j, teacher, teacherMenuText("AddNote", language)));
    const std::string ok = languageText(language, "DialogsStrings", "Ok");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), ok, kTeacherScreen).width > 0; }, "the note's dialog"));
    const std::string note = "Paint the sun yellow, please.";
    j.type(note);
    EXPECT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), note, kTeacherScreen, kWidgetText, kFieldWhite).width > 0; },
                          "the note typed in its field"));
    j.keep("note-written");
    j.click(findWidgetText(j.screenshot(), ok, kTeacherScreen));
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), ok, kTeacherScreen).width == 0; }, "the dialog to close"));

    EXPECT_TRUE(menuShowsItem(j, teacher, teacherMenuText("EditNote", language), kWidgetText)) << "the page has a note";
    const Shot before = j.screenshot();
    ASSERT_TRUE(chooseMenu(j, controls, view));
    EXPECT_TRUE(j.waitForChange(before, canvasArea(), "the note shown over the page"));
    ASSERT_TRUE(j.settle());
    const Shot shown = j.keep("note-shown");

    // The toggle looks as it is set, also once the pointer has left it.
    j.click(kNoteToggle);
    j.move(10, kScreenTop + 590);
    const auto toggled = [&] { return j.screenshot().differences(shown, kNoteToggle) > 100; };
    EXPECT_TRUE(j.waitFor(toggled, "the toggle's other look"));
    EXPECT_TRUE(j.holds(toggled, "the toggle's other look"));
    j.keep("note-toggled");
}

// The Linux-written file is the README's two lines.
TEST(TeacherMenuJourney, ALinuxWrittenSettingsFileAllowsTheMenuAndTheTeachersNoteOpensFromTheControlsMenu) {
    noteOpensFromTheControlsMenu("English", "\n", true);
}

TEST(TeacherMenuJourney, AWindowsWrittenSettingsFileAllowsTheMenuAndTheTeachersNoteOpensFromTheControlsMenuInSpanish) {
    noteOpensFromTheControlsMenu("Spanish", "\r\n");
}

}  // namespace
