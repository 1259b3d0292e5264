#include "tests/journeys/ProgramSteps.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "tests/journeys/WidgetText.h"

namespace {

// Fewer ink pixels than a few titles written in the menu bar: an empty bar.
constexpr int kInkedTitles = 100;

// The box around every pixel that differs between two pictures of one size.
Area changedBox(const Shot& before, const Shot& after) {
    int32_t left = after.width(), top = after.height(), right = -1, bottom = -1;
    for (int32_t y = 0; y < after.height(); ++y)
        for (int32_t x = 0; x < after.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y)) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    return right < 0 ? Area{} : Area{left, top, right - left + 1, bottom - top + 1};
}

// A pixel well inside a patch of one colour: its neighbours two pixels away in every direction
// share it.
bool insidePatch(const Shot& shot, int32_t x, int32_t y) {
    for (int32_t dy = -2; dy <= 2; ++dy)
        for (int32_t dx = -2; dx <= 2; ++dx)
            if (shot.pixel(x + dx, y + dy) != shot.pixel(x, y)) return false;
    return true;
}

}  // namespace

int paintedPixels(const Shot& shot) {
    return shot.count(canvasArea(), [](uint32_t p) { return p != kPaper; });
}

testing::AssertionResult giveName(Journey& j, const std::string& name) {
    const Area field = planned("dialog.login.field");
    const Area inside{field.x + 4, field.y + 4, field.width - 8, field.height - 8};
    const int insidePixels = inside.width * inside.height;
    const int screenPixels = kScreen.width * kScreen.height;

    if (auto shown = j.waitFor([&] { return j.screenshot().count(kScreen, [](uint32_t p) { return p != 0; }) > screenPixels / 2; },
                               "the splash");
        !shown)
        return shown;
    // A child's slow press: the login comes up under it, over its title, before it lets go.
    const Area login = planned("dialog.login");
    j.move(login.centerX(), login.y + 40);
    j.press(true);
    // The login grows from the middle of the screen; its name field is whole when it is its own
    // white across its width.
    Shot ready;
    if (auto open = j.waitFor(
            [&] {
                ready = j.screenshot();
                return ready.countColour(inside, kPaper) > insidePixels * 4 / 5;
            },
            "the login's name field");
        !open)
        return open;
    j.press(false);
    // The name typed replaces the one the field offers, also after a click into it.
    j.click(inside.centerX(), inside.centerY());
    if (auto still = j.settle(); !still) return still;
    ready = j.screenshot();
    j.type(name);
    if (auto typed = j.waitForChange(ready, inside, "the typed name in the login's field"); !typed) return typed;
    j.key("Return");
    return testing::AssertionSuccess();
}

testing::AssertionResult logIn(Journey& j, const std::string& name) {
    if (auto given = giveName(j, name); !given) return given;
    const Area canvas = canvasArea();
    const int canvasPixels = canvas.width * canvas.height;
    // The easel is there when its blank page and its menus are, and it has finished drawing.
    if (auto easel = j.waitFor(
            [&] {
                const Shot shot = j.screenshot();
                return shot.countColour(canvas, kPaper) > canvasPixels * 9 / 10 &&
                       shot.countColour(menuBarArea(), kWidgetText) > kInkedTitles;
            },
            "the easel's blank page and menus");
        !easel)
        return easel;
    return j.settle();
}

testing::AssertionResult menuShowsItem(Journey& j, const std::string& title, const std::string& item, uint32_t ink) {
    j.click(findWidgetText(j.screenshot(), title, menuBarArea()));
    const auto shown = j.waitFor([&] { return findWidgetText(j.screenshot(), item, kScreen, ink).width > 0; },
                                 "\"" + item + "\" in the menu " + title);
    j.key("Escape");
    return shown;
}

testing::AssertionResult openPanel(Journey& j, const std::string& button) {
    const Shot before = j.screenshot();
    j.click(planned("easel.tool." + button));
    if (auto opened = j.waitForChange(before, planned("easel.panel"), "the " + button + " panel"); !opened) return opened;
    return j.settle();
}

testing::AssertionResult clickText(Journey& j, const std::string& text, uint32_t paper) {
    Area at;
    if (auto shown = j.waitFor([&] { return (at = findWidgetText(j.screenshot(), text, kScreen, kWidgetText, paper)).width > 0; }, text); !shown)
        return shown;
    j.click(at);
    return testing::AssertionSuccess();
}

Shot movieFrame(const std::filesystem::path& movie, const Area& area, double seconds, int stream) {
    // Twenty pictures a second from the start: the one shown at `seconds`, not the next one to begin.
    const std::string command = "ffmpeg -v error -i '" + movie.string() + "' -map 0:v:" + std::to_string(stream) + " -vf fps=20 -ss " +
                                std::to_string(seconds) + " -frames:v 1 -s " + std::to_string(area.width) + "x" + std::to_string(area.height) +
                                " -f rawvideo -pix_fmt rgb24 - 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::vector<uint32_t> pixels;
    for (unsigned char p[3]; pipe && pixels.size() < size_t(area.width * area.height) && std::fread(p, 1, 3, pipe) == 3;)
        pixels.push_back(uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]);
    if (pipe) pclose(pipe);
    return pixels.size() == size_t(area.width * area.height) ? Shot(area.width, area.height, std::move(pixels)) : Shot();
}

testing::AssertionResult chooseMenu(Journey& j, const std::string& title, const std::string& item) {
    // A screen coming up grays the bar until it is ready.
    Area heading;
    if (auto shown = j.waitFor([&] { return (heading = findWidgetText(j.screenshot(), title, menuBarArea())).width > 0; },
                               "the title \"" + title + "\" in the menu bar");
        !shown)
        return shown;
    j.click(heading);
    Area line;
    if (auto open = j.waitFor(
            [&] {
                line = findWidgetText(j.screenshot(), item, kScreen);
                return line.width > 0;
            },
            "the item \"" + item + "\" in the menu " + title);
        !open)
        return open;
    j.click(line);
    return testing::AssertionSuccess();
}

uint32_t pickColour(Journey& j, const std::function<bool(uint32_t)>& wanted) {
    const Shot before = j.screenshot();
    j.click(planned("easel.side.swatch"));
    Shot open;
    // The palette is open once a patch of a wanted colour has come that was not there before.
    int32_t atX = 0, atY = 0;
    const auto found = j.waitFor(
        [&] {
            open = j.screenshot();
            const Area palette = changedBox(before, open);
            for (int32_t y = palette.y; y < palette.y + palette.height; ++y)
                for (int32_t x = palette.x; x < palette.x + palette.width; ++x)
                    if (before.pixel(x, y) != open.pixel(x, y) && wanted(open.pixel(x, y)) && insidePatch(open, x, y)) {
                        atX = x, atY = y;
                        return true;
                    }
            return false;
        },
        "a colour to pick in the palette");
    if (!found) {
        ADD_FAILURE() << found.message();
        return 0;
    }
    const uint32_t colour = open.pixel(atX, atY);
    j.click(atX, atY);
    const auto closed = j.waitFor([&] { return j.pixel(atX, atY) == before.pixel(atX, atY); }, "the palette to close");
    if (!closed) ADD_FAILURE() << closed.message();
    return colour;
}

std::filesystem::path seedTeacherSettings(const Journey& j, const std::string& newline) {
    const std::filesystem::path seed = j.artifacts() / "seed";
    std::filesystem::create_directories(seed / ".config/tumblo4");
    std::ifstream shipped(Journey::programFolder() / "TB.ini");
    std::ofstream settings(seed / ".config/tumblo4/TB.ini", std::ios::binary);
    for (std::string line; std::getline(shipped, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        settings << line << newline;
    }
    settings << "[TBSEdSettings]" << newline << "TBSEd=TRUE" << newline;
    return seed;
}
