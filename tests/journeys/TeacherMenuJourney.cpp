// A teacher allows the Teacher menu in the writable settings file, and Ctrl+T on the easel shows
// it; the teacher writes a note for the page, the child can open it from the Controls menu, and it
// shows by itself when its picture opens.
#include <filesystem>
#include <fstream>

#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kFieldWhite = 0xFFFFFF;

std::string teacherMenuText(const std::string& key, const std::string& language = "English") {
    return languageText(language, "MenuStrings", key);
}

const Area kTeacherScreen{0, kScreenTop, 800, 600};

testing::AssertionResult showTeacherMenu(Journey& j, const std::string& language = "English") {
    j.key("ctrl+t");
    return j.waitFor([&] { return findWidgetText(j.screenshot(), teacherMenuText("Teacher", language), menuBarArea()).width > 0; },
                     "the Teacher menu in the bar");
}

// The teacher writes a note; the Controls menu offers it once it is there. The settings file
// that allows the menu has its lines ended as `newline` ends them.
void noteOpensFromTheControlsMenu(const std::string& language, const std::string& newline) {
    Journey j;
    const fs::path seed = seedTeacherSettings(j, newline);
    if (newline == "\n") std::ofstream(seed / ".config/tumblo4/TB.ini") << "[TBSEdSettings]\nTBSEd=TRUE\n";  // the README's lines
    ASSERT_TRUE(j.start({.seedHome = seed}));
    ASSERT_TRUE(logIn(j, "Maya"));
    const Area paint = planned("easel.tool.Paint"), tip{0, paint.y + paint.height + 7, 104, 12};
    j.move(paint.centerX(), paint.centerY());
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().countColour(tip, 0xF8F0B0) > 100; }, "the program's yellow box of a tip"));
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
    j.key("Return");  // the alert that speech is missing, where it is
    const Area toggle{190, kScreenTop + 428, 150, 44};  // read in Spanish
    j.click(toggle);
    j.move(10, kScreenTop + 590);  // away: the toggle looks as it is set, not as the pointer lights it
    ASSERT_TRUE(j.settle());
    EXPECT_GT(j.keep("note-toggled").differences(shown, toggle), 100) << "the toggle's other look";

    // Ticked off again and kept, saved and opened again: the picture shows its note by itself.
    j.click(toggle);
    j.click(535, kScreenTop + 450);  // the note's OK
    j.key("ctrl+s");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), languageText(language, "FileDialog", "Save"), kTeacherScreen).width > 0; }, "the save dialog"));
    j.type("Nota");
    j.key("Return");
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(j.userFolder("Maya") / "Pictures/Nota.tbx"); }, "the picture file") && j.settle());
    const std::string file = teacherMenuText("File", language), publish = teacherMenuText("Publish", language);
    EXPECT_TRUE(menuShowsItem(j, file, publish, kWidgetText)) << "a saved picture can be published";
    ASSERT_TRUE(chooseMenu(j, teacherMenuText("File", language), teacherMenuText("Open", language)));
    ASSERT_TRUE(clickText(j, "Nota", kFieldWhite) && clickText(j, languageText(language, "FileDialog", "Open")));
    j.move(10, kScreenTop + 590);
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().differences(shown, toggle) < 100; }, "the note, unticked, as its page opens"));
    j.click(535, kScreenTop + 450);
    const Area canvas = canvasArea();
    j.drag(canvas.x + 100, canvas.y + 100, canvas.x + 300, canvas.y + 250);
    EXPECT_TRUE(menuShowsItem(j, file, publish, kGreyText)) << "a picture changed since it was saved";
}

TEST(TeacherMenuJourney, ALinuxWrittenSettingsFileAllowsTheMenuAndTheTeachersNoteOpensFromTheControlsMenu) {
    noteOpensFromTheControlsMenu("English", "\n");
}

TEST(TeacherMenuJourney, AWindowsWrittenSettingsFileAllowsTheMenuAndTheTeachersNoteOpensFromTheControlsMenuInSpanish) {
    noteOpensFromTheControlsMenu("Spanish", "\r\n");
}

}  // namespace
