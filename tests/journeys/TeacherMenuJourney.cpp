// A teacher allows the Teacher menu in the writable settings file, and Ctrl+T on the easel shows it.
#include <filesystem>
#include <fstream>

#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

namespace fs = std::filesystem;

// A home whose settings file is the program's own with the Teacher menu allowed, its lines ended
// as `newline` ends them.
fs::path seedWithTeacherMenu(const Journey& j, const std::string& newline) {
    const fs::path seed = j.artifacts() / "seed";
    fs::create_directories(seed / ".config/tumblo4");
    std::ifstream shipped(Journey::programFolder() / "TB.ini");
    std::ofstream settings(seed / ".config/tumblo4/TB.ini", std::ios::binary);
    for (std::string line; std::getline(shipped, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        settings << line << newline;
    }
    settings << "[TBSEdSettings]" << newline << "TBSEd=TRUE" << newline;
    return seed;
}

void teacherMenuComesWithCtrlT(const std::string& newline) {
    Journey j;
    ASSERT_TRUE(j.start({.seedHome = seedWithTeacherMenu(j, newline)}));
    ASSERT_TRUE(logIn(j, "Maya"));
    const std::string teacher = languageText("English", "MenuStrings", "Teacher");
    EXPECT_EQ(findWidgetText(j.screenshot(), teacher, menuBarArea()).width, 0) << "hidden at the login";
    j.key("ctrl+t");
    EXPECT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), teacher, menuBarArea()).width > 0; },
                          "the Teacher menu in the bar"));
    j.keep("teacher-menu");
}

TEST(TeacherMenuJourney, AWindowsWrittenSettingsFileAllowsTheTeacherMenu) { teacherMenuComesWithCtrlT("\r\n"); }

// enabled by the INI line-ending fix
TEST(TeacherMenuJourney, DISABLED_ALinuxWrittenSettingsFileAllowsTheTeacherMenu) { teacherMenuComesWithCtrlT("\n"); }

}  // namespace
