// A message shown before the program has a window goes whole, on one line, to the terminal,
// and to the desktop's box in lines that fit a small screen, broken between words.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "platform/display/choice/DesktopMessage.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/headless/HeadlessDisplay.h"

namespace plat {
namespace {

class BoxDisplay : public HeadlessDisplay {
public:
    bool showMessageBox(const std::string& title, const std::string& text, bool stop) override {
        shown.push_back({title, text, stop});
        return true;
    }
    struct Box {
        std::string title, text;
        bool stop;
    };
    std::vector<Box> shown;
};

size_t characters(const std::string& utf8) {
    size_t n = 0;
    for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

TEST(DesktopMessage, TheTerminalGetsOneLineAndTheBoxLinesThatFit) {
    const std::string path = "/home/maya/.local/share/tumblo4/Users/a-folder-name-longer-than-a-line";
    struct Case {
        const char* name;
        std::string text;  // cp1252
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"short", "Tumblo is already running.", {"Tumblo is already running."}},
        {"exactly a line", std::string(55, 'a') + " bbbb", {std::string(55, 'a') + " bbbb"}},
        {"one character over", std::string(55, 'a') + " bbbbb", {std::string(55, 'a'), "bbbbb"}},
        // \xF1 is an n with a tilde: one character, two bytes once in UTF-8.
        {"counted in characters", std::string(54, '\xF1') + " bbbbb", {std::string(54, 'x') + " bbbbb"}},
        {"a path longer than a line", "Tumblo cannot save anything in the folder \"" + path + "\", so it has to stop.",
         {"Tumblo cannot save anything in the folder", "\"" + path + "\",", "so it has to stop."}},
        {"its own line breaks kept", "First.\nSecond.", {"First.", "Second."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BoxDisplay display;
        setDisplayDriver(&display);
        ::testing::internal::CaptureStderr();
        showDesktopMessage("Tumblo 4", c.text, true);
        const std::string told = ::testing::internal::GetCapturedStderr();
        setDisplayDriver(nullptr);
        ASSERT_EQ(display.shown.size(), 1u);
        EXPECT_EQ(display.shown[0].title, "Tumblo 4");
        EXPECT_TRUE(display.shown[0].stop);
        std::vector<std::string> lines;
        std::istringstream text(display.shown[0].text);
        for (std::string line; std::getline(text, line);) lines.push_back(line);
        ASSERT_EQ(lines.size(), c.lines.size()) << display.shown[0].text;
        for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(characters(lines[i]), characters(c.lines[i])) << lines[i];
        if (c.text.find('\xF1') == std::string::npos) {
            EXPECT_EQ(lines, c.lines);
        }
        EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), std::count(c.text.begin(), c.text.end(), '\n') + 1)
            << "the terminal's line is not broken";
    }
}

}  // namespace
}  // namespace plat
