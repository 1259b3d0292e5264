// A child fills three pictures with colours and makes a slide show of them: loads them into the
// strip, gives the first slide a shorter time by clicking the timing under it, plays the show
// (the last slide's animation playing), saves it, makes a movie of it and prints it to a PDF
// file, and finds the show listed and opened again after the program has been started anew. A
// page made into a player file plays on a fresh copy of that file in an X server of its own.
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/journeys/Journey.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"
#include "tests/platform/print/PdfPages.h"
#include "tests/xserver/XScreenshot.h"
#include "tests/xserver/XvfbServer.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const Area kShowScreen{0, kScreenTop, 800, 600};
// The yellow of the controls under a slide (its sounds, transition and timing).
constexpr uint32_t kControlFill = 0xF8F0B0;
// The timing dialog's arrow that takes a second off, and its OK, on the 800 x 600 screen.
const Area kTimingLess{550, 386 + kScreenTop, 36, 22};
const Area kTimingOk{420, 424 + kScreenTop, 150, 50};
// The dialog's seconds field: light digits in a dark well, as every typing field of the dialogs.
const Area kTimingSeconds{470, 364 + kScreenTop, 70, 40};
const Area kTimingDigits{476, 370 + kScreenTop, 58, 28};
constexpr uint32_t kFieldWell = 0x3B2A5C;
// The transition dialog: its second transition ("Fade"), its row of sounds and their fourth,
// its Try it and OK.
const Area kFade{199, 170 + kScreenTop, 96, 88};
const Area kTransSounds{199, 310 + kScreenTop, 402, 88}, kFourthSound{505, 310 + kScreenTop, 96, 88};
const Area kTryIt{330, 454, 140, 50}, kTransOk{510, 454, 140, 50};
bool light(uint32_t p) { return (p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF) > 450; }
// The Play button's middle in the picker's row of buttons, from the row's left.
constexpr int32_t kPlayFromButtonsLeft = 152;

bool showRed(uint32_t p) { return (p >> 16 & 0xFF) > 200 && (p >> 8 & 0xFF) < 90 && (p & 0xFF) < 90; }
bool bluish(uint32_t p) { return (p >> 16 & 0xFF) < 90 && (p >> 8 & 0xFF) < 140 && (p & 0xFF) > 200; }
bool greenish(uint32_t p) { return (p >> 16 & 0xFF) < 90 && (p >> 8 & 0xFF) > 160 && (p & 0xFF) < 90; }

// The box of the pixels of an area within a tolerance of a colour; zero-sized when none is.
Area boxOf(const Shot& shot, const Area& within, uint32_t colour) {
    int32_t left = within.x + within.width, top = within.y + within.height, right = -1, bottom = -1;
    for (int32_t y = within.y; y < within.y + within.height; ++y)
        for (int32_t x = within.x; x < within.x + within.width; ++x)
            if (nearColour(shot.pixel(x, y), colour, 8)) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    return right < 0 ? Area{} : Area{left, top, right - left + 1, bottom - top + 1};
}

// Waits for a dialog's widget button (or a line of its list) and clicks it.
testing::AssertionResult clickWidgetText(Journey& j, const std::string& text, uint32_t paper = kWidgetFace) {
    Area at;
    if (auto shown = j.waitFor([&] { return (at = findWidgetText(j.screenshot(), text, kShowScreen, kWidgetText, paper)).width > 0; },
                               "\"" + text + "\" in a dialog");
        !shown)
        return shown;
    j.click(at);
    return testing::AssertionSuccess();
}

// Fills the blank page with a palette colour that `wanted` accepts, writes `words` in black
// right of its middle, places an animation left of them when `animated`, saves it as `name`
// among the child's pictures and starts a new picture; answers the colour (0 on a failure).
uint32_t fillAndSave(Journey& j, const std::function<bool(uint32_t)>& wanted, const std::string& name,
                     const std::string& words = {}, bool animated = false) {
    const Area canvas = canvasArea();
    j.click(planned("easel.tool.FillBucket"));
    const uint32_t colour = pickColour(j, wanted);
    if (colour == 0) return 0;
    j.click(canvas.centerX(), canvas.centerY());
    const int whole = canvas.width * canvas.height;
    if (auto filled = j.waitFor([&] { return j.screenshot().countColour(canvas, colour, 8) > whole * 9 / 10; }, "the filled page");
        !filled) {
        ADD_FAILURE() << filled.message();
        return 0;
    }
    if (!words.empty()) {
        const Area right{canvas.centerX() + 40, canvas.centerY(), 200, 60};
        if (!openPanel(j, "Text")) return 0;
        pickColour(j, [](uint32_t p) { return p == 0x000000; });  // black, or a failure told
        j.click(right.x, right.y);
        j.type(words);
        if (auto written = j.waitFor([&] { return j.screenshot().countColour(right, 0x000000, 60) > 50; }, "the words on the page"); !written) {
            ADD_FAILURE() << written.message();
            return 0;
        }
    }
    if (animated) {
        if (!openPanel(j, "Animations")) return 0;
        const Shot before = j.screenshot();
        j.drag(kFirstThumbnailX, kFirstThumbnailY, canvas.x + 100, canvas.y + 100);
        if (!j.waitForChange(before, {canvas.x + 60, canvas.y + 60, 80, 80}, "the animation") || !j.settle()) return 0;
    }
    j.key("ctrl+s");
    if (auto dialog = j.waitFor([&] { return findWidgetText(j.screenshot(), "Save", kShowScreen).width > 0; }, "the save dialog");
        !dialog) {
        ADD_FAILURE() << dialog.message();
        return 0;
    }
    j.type(name);
    j.key("Return");
    const fs::path saved = j.userFolder("Maya") / "Pictures" / (name + ".tbx");
    if (auto written = j.waitFor([&] { return fs::exists(saved); }, saved.string()); !written) {
        ADD_FAILURE() << written.message();
        return 0;
    }
    if (auto fresh = chooseMenu(j, "File", "New Picture"); !fresh) {
        ADD_FAILURE() << fresh.message();
        return 0;
    }
    if (auto blank = j.waitFor([&] { return paintedPixels(j.screenshot()) == 0; }, "a new blank page"); !blank) {
        ADD_FAILURE() << blank.message();
        return 0;
    }
    return colour;
}

// The picker is up when its strip's dark frame is.
testing::AssertionResult toThePicker(Journey& j) {
    if (auto chosen = chooseMenu(j, "Controls", "Go to the Slide Show"); !chosen) return chosen;
    const Area strip = planned("picker.strip");
    if (auto up = j.waitFor([&] { return j.screenshot().countColour(strip, 0x3B2A5C, 8) > strip.width * strip.height / 4; },
                            "the slide strip");
        !up)
        return up;
    return j.settle();
}

// The picker's Load button, the picture chosen in the dialog's list by its name; waits until
// its colour shows in the strip.
testing::AssertionResult loadPicture(Journey& j, const std::string& name, uint32_t colour) {
    constexpr int32_t kLoadFromButtonsLeft = 458;
    j.click(planned("picker.buttons").x + kLoadFromButtonsLeft, planned("picker.buttons").centerY());
    if (auto listed = clickWidgetText(j, name, 0xFFFFFF); !listed) return listed;
    // A slide is one of the child's own pictures: no other type of file is offered below them.
    const Shot dialog = j.screenshot();
    const Area mine = findWidgetText(dialog, "My pictures", kShowScreen);
    if (mine.width == 0 || findWidgetText(dialog, "Pictures", {mine.x, mine.y + mine.height, 200, 60}).width > 0)
        return testing::AssertionFailure() << "the Load dialog offers other files than the child's pictures";
    if (auto opened = clickWidgetText(j, "Open"); !opened) return opened;
    const Area strip = planned("picker.strip");
    return j.waitFor([&] { return j.screenshot().countColour(strip, colour, 8) > 4000; }, name + "'s slide in the strip");
}

// The middles of the controls under a slide, left to right, found as a child finds them: the runs
// of their yellow along the line below the slide's picture that has most of it.
std::vector<Area> controlsUnder(const Shot& shot, const Area& picture) {
    int32_t line = -1;
    int most = 0;
    for (int32_t y = picture.y + picture.height; y < picture.y + picture.height + 40; ++y) {
        const int count = shot.countColour({picture.x, y, picture.width, 1}, kControlFill);
        if (count > most) most = count, line = y;
    }
    std::vector<Area> controls;
    for (int32_t x = picture.x; line >= 0 && x < picture.x + picture.width; ++x) {
        if (shot.pixel(x, line) != kControlFill) continue;
        const int32_t first = x;
        while (x < picture.x + picture.width && shot.pixel(x, line) == kControlFill) ++x;
        controls.push_back({first, line, x - first, 16});
    }
    return controls;
}

// A playing show covers the screen: an area of the program's picture where a shot shows it then.
Area inShow(const Shot& shot, const Area& area) {
    if (shot.width() <= 800) return area;
    return {area.x + (shot.width() - 800) / 2, area.y + (shot.height() - 600) / 2 - kScreenTop, area.width, area.height};
}

// Where the slide show's canvas shows a picture in one colour nearly all over.
bool showing(const Shot& shot, uint32_t colour) {
    const Area canvas = inShow(shot, planned("slideshow.canvas"));
    return shot.countColour(canvas, colour, 8) > canvas.width * canvas.height * 8 / 10;
}

std::vector<fs::path> filesEndingIn(const fs::path& folder, const std::string& ending) {
    std::vector<fs::path> found;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::recursive_directory_iterator(); it.increment(error))
        if (it->is_regular_file() && it->path().string().ends_with(ending)) found.push_back(it->path());
    return found;
}

std::string firstBytes(const fs::path& file, size_t count) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes(count, '\0');
    in.read(bytes.data(), std::streamsize(count));
    bytes.resize(size_t(in.gcount()));
    return bytes;
}

TEST(SlideShowJourney, AShowOfThreePicturesIsTimedByMousePlayedSavedFilmedPrintedAndListedNextTime) {
    Journey j(std::chrono::seconds(600));
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const uint32_t red = fillAndSave(j, showRed, "One");
    ASSERT_NE(red, 0u);
    const uint32_t blue = fillAndSave(j, bluish, "Two");
    ASSERT_NE(blue, 0u);
    const uint32_t green = fillAndSave(j, greenish, "Three", "big dog", true);
    ASSERT_NE(green, 0u);

    ASSERT_TRUE(toThePicker(j));
    ASSERT_TRUE(loadPicture(j, "One", red));
    ASSERT_TRUE(loadPicture(j, "Two", blue));
    ASSERT_TRUE(loadPicture(j, "Three", green));
    ASSERT_TRUE(j.settle());
    const Area strip = planned("picker.strip");
    Shot loaded = j.keep("three-slides");
    const Area first = boxOf(loaded, strip, red), second = boxOf(loaded, strip, blue);
    ASSERT_GT(first.width, 100) << "the first slide's picture";
    ASSERT_GT(second.width, 100) << "the second slide's picture";
    const std::vector<Area> controls = controlsUnder(loaded, first), others = controlsUnder(loaded, second);
    ASSERT_EQ(controls.size(), 3u) << "sounds, transition and timing under the slide";
    ASSERT_EQ(others.size(), 3u);
    // The place after the third slide, beside it and under the second, holds no page: nothing to set there.
    const Area third = boxOf(loaded, strip, green);
    // The third slide's picture shows its words too, right of its middle (its icons stand at its left).
    const Area rightHalf{third.centerX(), third.y, third.width / 2, third.height};
    EXPECT_GT(loaded.count(rightHalf, [&](uint32_t p) { return !nearColour(p, green, 24); }), 20) << "the page's words in its slide";
    EXPECT_TRUE(controlsUnder(loaded, {second.x, third.y, second.width, third.height}).empty())
        << "a blank cell shows a slide's controls";
    const Area timing = controls[2], otherTiming = others[2];
    const auto timingsAlike = [&](const Shot& shot) {
        for (int32_t dy = 0; dy < timing.height; ++dy)
            for (int32_t dx = 0; dx < timing.width; ++dx)
                if (shot.pixel(timing.x + dx, timing.y + dy) != shot.pixel(otherTiming.x + dx, otherTiming.y + dy)) return false;
        return true;
    };
    EXPECT_TRUE(timingsAlike(loaded)) << "every slide starts with the same time";

    // A slide pressed and dragged out of its place is seen under the pointer on its way; let go
    // on its own place, it stays there.
    // On its way over the list of shows, left of the strip.
    const Area way{strip.x - 130, first.centerY() - 15, 40, 30};
    ASSERT_LT(loaded.countColour(way, red, 8), 100) << "no red where the drag goes";
    j.move(first.centerX(), first.centerY());
    j.press(true);
    j.move(strip.x, first.centerY());
    j.move(way.centerX(), way.centerY());
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().countColour(way, red, 8) > way.width * way.height / 2; },
                          "the dragged slide under the pointer"));
    j.keep("slide-dragged");
    j.move(first.centerX(), first.centerY());
    j.press(false);

    // The timing under the first slide, clicked where it shows: five seconds off its seven.
    j.click(timing);
    ASSERT_TRUE(j.waitForChange(loaded, kTimingOk, "the timing dialog"));
    ASSERT_TRUE(j.settle());
    const Shot timingDialog = j.keep("timing-dialog");
    EXPECT_GT(timingDialog.countColour(kTimingSeconds, kFieldWell, 8), kTimingSeconds.width * kTimingSeconds.height / 2)
        << "the seconds sit in their well";
    // Light strokes of a digit, not the light block of a selection with a dark digit in it.
    const int lightInk = timingDialog.count(kTimingDigits, light);
    EXPECT_GT(lightInk, 10) << "the seconds can be read";
    EXPECT_LT(lightInk, 60) << "the seconds are drawn light, not inverted";
    for (int i = 0; i < 5; ++i) {
        j.click(kTimingLess);
        ASSERT_TRUE(j.settle());
    }
    j.click(kTimingOk);
    ASSERT_TRUE(j.waitFor([&] { return !timingsAlike(j.screenshot()); }, "the first slide's new time under it"));
    ASSERT_TRUE(j.settle());
    const Shot timed = j.keep("timed");

    // The transition under the first slide: "Fade" picks the sound paired with it, and a sound
    // picked after it stays. Try it shows the slide coming in, in front of the dialog.
    j.click(controls[1]);
    ASSERT_TRUE(j.waitForChange(timed, kTransSounds, "the transition dialog"));
    ASSERT_TRUE(j.settle());
    const Shot transitions = j.keep("transition-dialog");
    j.click(kFade);
    ASSERT_TRUE(j.waitForChange(transitions, kTransSounds, "Fade's sound chosen with it"));
    ASSERT_TRUE(j.settle());
    const Shot faded = j.keep("fade");
    j.click(kFourthSound);
    ASSERT_TRUE(j.waitForChange(faded, kTransSounds, "another sound chosen"));
    ASSERT_TRUE(j.settle());
    const Shot chosen = j.keep("sound-chosen");
    j.click(kTryIt);
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().differences(chosen, kTransOk) > 0; }, "the preview in front of the dialog"));
    ASSERT_TRUE(j.waitFor([&] { const Shot s = j.screenshot(); return s.differences(chosen, kTransOk) == 0 && s.differences(chosen, kTransSounds) == 0; },
                          "the dialog back after the preview"));
    j.click(kTransOk);
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().differences(timed, kTransOk) == 0; }, "the transition dialog closed"));

    // Played: the first slide goes after its two seconds, well before the others' seven.
    j.click(planned("picker.buttons").x + kPlayFromButtonsLeft, planned("picker.buttons").centerY());
    ASSERT_TRUE(j.waitFor([&] { return showing(j.screenshot(), red); }, "the first slide playing"));
    const Clock::time_point redShown = Clock::now();
    // On the whole screen, the slide in its middle on black.
    const Shot playing = j.keep("playing");
    const int32_t w = playing.width(), h = playing.height();
    const auto black = [&](int32_t x, int32_t y, int32_t width, int32_t height) { return playing.countColour({x, y, width, height}, 0x000000, 8); };
    EXPECT_GT(w, 800) << "the show covers the screen, on black";
    EXPECT_TRUE(black(0, 0, w / 2, h) == black(w - w / 2, 0, w / 2, h) && black(0, 0, w, h / 2) == black(0, h - h / 2, w, h / 2)) << "the slide in the middle";
    ASSERT_TRUE(j.waitFor([&] { return showing(j.screenshot(), blue); }, "the second slide playing"));
    EXPECT_LT(Clock::now() - redShown, std::chrono::milliseconds(6000)) << "the first slide kept its seven seconds";
    // The second slide held, its transition over: what the movie must show while it holds.
    ASSERT_TRUE(j.settle());
    const Shot held = j.keep("held");
    ASSERT_TRUE(j.waitFor([&] { return showing(j.screenshot(), green); }, "the third slide playing", std::chrono::seconds(30)));
    // Its animation plays once its transition is over, well inside its seven seconds.
    ASSERT_TRUE(j.holds([&] { return showing(j.screenshot(), green); }, "the third slide", std::chrono::seconds(1)));
    const Shot still = j.keep("animated");
    EXPECT_TRUE(j.waitFor([&] { const Shot s = j.screenshot(); return showing(s, green) && s.differences(still, inShow(s, kShowScreen)) > 0; },
                          "the slide's animation playing", std::chrono::seconds(3)));
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(strip, 0x3B2A5C, 8) > strip.width * strip.height / 4; },
                          "the picker again after the show", std::chrono::seconds(30)));
    ASSERT_TRUE(j.settle());

    j.key("ctrl+s");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Save", kShowScreen).width > 0; }, "the save dialog"));
    j.type("Trip");
    j.key("Return");
    const fs::path show = j.userFolder("Maya") / "Slide Shows/Trip.tbp";
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(show); }, show.string()));
    // The file is there a moment before the dialog goes on a loaded machine.
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Save", kShowScreen).width == 0; }, "the save dialog gone"));
    ASSERT_TRUE(j.settle());
    const Shot saved = j.keep("saved");

    // A movie of the show.
    ASSERT_TRUE(chooseMenu(j, "File", "Export..."));
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Save", kShowScreen).width > 0; }, "the export dialog"));
    j.keep("export-dialog");
    j.type("Trip");
    j.key("Return");
    std::vector<fs::path> movies;
    ASSERT_TRUE(j.waitFor([&] { return !(movies = filesEndingIn(j.home(), "Trip.mov")).empty(); }, "the movie file",
                          std::chrono::seconds(60)));
    // The program says where the movie is.
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Trip.mov", kShowScreen).width > 0; }, "the movie's name told"));
    j.keep("filmed");
    ASSERT_TRUE(clickWidgetText(j, "OK"));
    ASSERT_TRUE(j.settle());
    EXPECT_GT(fs::file_size(movies.front()), 1000u);
    EXPECT_NE(firstBytes(movies.front(), 16).find("ftyp"), std::string::npos) << "a QuickTime movie";
    // Half way through the second slide's seven seconds, after the first's two.
    const Area c = inShow(held, planned("slideshow.canvas"));
    const Shot frame = movieFrame(movies.front(), c, 2 + 3.5);
    ASSERT_FALSE(frame.empty());
    int differing = 0;
    for (int32_t y = 0; y < c.height; ++y)
        for (int32_t x = 0; x < c.width; ++x) differing += !nearColour(held.pixel(c.x + x, c.y + y), frame.pixel(x, y), 24);
    EXPECT_LT(differing, c.width * c.height / 100) << "pixels unlike the slide the show held";

    // Printed to the PDF file printer: every slide on the paper, inside a margin of white.
    ASSERT_TRUE(chooseMenu(j, "File", "Print..."));
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "OK", kShowScreen).width > 0; }, "the print dialog"));
    ASSERT_TRUE(j.settle());
    EXPECT_GT(findWidgetText(j.screenshot(), "n/a", kShowScreen, kGreyText).width, 0) << "a full page has no ending slide";
    ASSERT_TRUE(clickWidgetText(j, "Card / Booklet"));
    ASSERT_TRUE(j.settle());
    j.keep("print-dialog");
    ASSERT_TRUE(clickWidgetText(j, "OK"));
    std::vector<fs::path> pdfs;
    ASSERT_TRUE(j.waitFor([&] { return !(pdfs = filesEndingIn(j.userFolder("Maya"), ".pdf")).empty(); }, "the printed PDF file",
                          std::chrono::seconds(60)));
    // The program says where the file is.
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Trip.pdf", kShowScreen).width > 0; }, "the file's name told"));
    // Read again until whole: a capture may fall between the page's repaint and the box's.
    EXPECT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Maya's", kShowScreen).width > 0; }, "the folder, not its name on disk"));
    j.keep("printed");
    ASSERT_TRUE(clickWidgetText(j, "OK"));
    ASSERT_TRUE(j.settle());
    const testprint::ScratchFolder scratch;
    const std::vector<testprint::RenderedPage> sheets = testprint::renderPdf(pdfs.front(), 20, scratch);
    ASSERT_FALSE(sheets.empty()) << pdfs.front();
    for (const uint32_t colour : {red, blue, green}) {
        int seen = 0;
        for (const auto& sheet : sheets)
            for (int y = 0; y < sheet.height; ++y)
                for (int x = 0; x < sheet.width; ++x) seen += nearColour(sheet.at(x, y), colour, 24);
        EXPECT_GT(seen, 20) << std::hex << colour;
    }
    for (const auto& sheet : sheets)
        for (int x = 0; x < sheet.width; ++x) {
            EXPECT_TRUE(nearColour(sheet.at(x, 0), 0xFFFFFF, 4)) << "the top edge stays white";
            EXPECT_TRUE(nearColour(sheet.at(x, sheet.height - 1), 0xFFFFFF, 4)) << "the bottom edge stays white";
        }
    // A full page: the first slide as high as the sheet's printable part, in its middle.
    ASSERT_TRUE(chooseMenu(j, "File", "Print..."));
    ASSERT_TRUE(clickWidgetText(j, "OK"));
    const fs::path fullPage = j.userFolder("Maya") / "Trip (2).pdf";
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(fullPage); }, fullPage.string(), std::chrono::seconds(60)));
    ASSERT_TRUE(clickWidgetText(j, "OK"));
    const testprint::RenderedPage page = testprint::renderPdf(fullPage, 20, scratch).at(0);
    int left = page.width, right = 0, top = page.height, bottom = 0;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            if (nearColour(page.at(x, y), red, 24)) left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
    EXPECT_GT(bottom - top, page.height * 9 / 10) << "from margin to margin";
    EXPECT_NEAR(left, page.width - 1 - right, 2) << "as far from either side";

    // The next session lists the show and opens it as it was left.
    j.key("ctrl+q");
    // A loaded machine's sanitizer build takes its time to close the show and end.
    ASSERT_TRUE(j.waitForExit(std::chrono::seconds(60))) << "a saved show leaves nothing to ask at Quit";
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    ASSERT_TRUE(toThePicker(j));
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(strip, green, 8) > 4000; }, "the show's slides again"));
    ASSERT_TRUE(j.settle());
    const Shot again = j.keep("next-session");
    EXPECT_EQ(again.differences(saved, planned("picker.projects")), 0) << "the list of shows as it was";
    EXPECT_EQ(again.differences(saved, strip), 0) << "the strip with its timings as it was";

    // Loaded with the first slide chosen, a picture takes the place after it, Two's.
    j.click(first.centerX(), first.centerY());
    ASSERT_TRUE(j.settle());
    ASSERT_TRUE(loadPicture(j, "Three", green));
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(strip, blue, 8) == 0; }, "Three in the place of Two"));
    j.keep("loaded-after-the-first");
}

// A show saved under a long name (the journey's name kept short: the home lies in a folder named
// after it, and the show's whole path must fit) opens at the next login, its name on one row of
// the title box; New, clicked, looks as its neighbours do once the pointer leaves it.
TEST(SlideShowJourney, LongName) {
    const std::string name = "Our summer holiday at the sea with grandma, grandpa, the dogs, the cat and all of our cousins from the capital";
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const uint32_t red = fillAndSave(j, showRed, "One");
    ASSERT_TRUE(red != 0 && toThePicker(j) && loadPicture(j, "One", red));
    j.key("ctrl+s");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Save", kShowScreen).width > 0; }, "the save dialog"));
    j.type(name);
    j.key("Return");
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(j.userFolder("Maya") / "Slide Shows" / (name + ".tbp")); }, "the show's file"));
    j.key("ctrl+q");
    ASSERT_TRUE(j.waitForExit(std::chrono::seconds(60)));
    ASSERT_TRUE(j.start() && logIn(j, "Maya") && toThePicker(j));
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().countColour(planned("picker.strip"), red, 8) > 4000; }, "the show's slide again"));
    j.move(6, 300);
    ASSERT_TRUE(j.settle());
    const Shot opened = j.keep("next-session");
    const Area title = planned("picker.projectName"), buttons = planned("picker.buttons");
    const auto ink = [](uint32_t p) { return (p >> 16 & 0xFF) < 150 && (p >> 8 & 0xFF) < 150 && (p & 0xFF) < 150; };
    EXPECT_GT(opened.count({title.x + 20, title.y + 10, title.width - 40, 20}, ink), 100) << "the name in the title box";
    for (const int32_t y : {title.y + 4, title.y + title.height - 9})
        EXPECT_EQ(opened.count({title.x + 20, y, title.width - 40, 5}, ink), 0) << "lines of the name cut by the box";
    j.click(buttons.x + 356, buttons.centerY());
    ASSERT_TRUE(j.waitForChange(opened, title, "the new show's name"));
    j.move(6, 300);
    ASSERT_TRUE(j.settle());
    EXPECT_EQ(j.keep("new-show").differences(opened, buttons), 0) << "New still pressed";
}

// A picture with two animations and a sound made into a player file from File > Export...; a
// fresh copy of the file, run as a desktop runs it, opens its window on an X server of its own
// and shows the picture, its animations moving, its sound heard.
TEST(SlideShowJourney, APlayerFilePlaysOnAFreshCopyInAnXServerOfItsOwn) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const Area canvas = canvasArea();
    j.click(planned("easel.tool.FillBucket"));
    const uint32_t red = pickColour(j, showRed);
    ASSERT_NE(red, 0u);
    j.click(canvas.centerX(), canvas.centerY());
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(canvas, red, 8) > canvas.width * canvas.height * 9 / 10; },
                          "the filled page"));
    // The panels' first two thumbnails, side by side; the animations clear of the page's middle.
    std::string shown;
    for (const auto& [panel, thumbnail, x, y] : {std::tuple{"Animations", 0, 150, 120}, {"Animations", 1, 450, 330}, {"Sounds", 0, 300, 400}}) {
        ASSERT_TRUE(shown == panel || openPanel(j, shown = panel));
        const Shot before = j.screenshot();
        j.drag(kFirstThumbnailX + thumbnail * kThumbnailPitch, kFirstThumbnailY, canvas.x + x, canvas.y + y);
        EXPECT_TRUE(shown == "Sounds" || j.waitForChange(before, {canvas.x + x - 40, canvas.y + y - 40, 80, 80}, panel));
        ASSERT_TRUE(j.settle());
    }
    ASSERT_TRUE(chooseMenu(j, "File", "Export..."));
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Save", kShowScreen).width > 0; }, "the export dialog"));
    ASSERT_TRUE(clickWidgetText(j, "Players that play by themselves", kWidgetFace));
    ASSERT_TRUE(j.settle());
    j.keep("export-player");
    j.type("Show");
    j.key("Return");
    std::vector<fs::path> players;
    ASSERT_TRUE(j.waitFor([&] { return !(players = filesEndingIn(j.home(), "/Show")).empty(); }, "the player file",
                          std::chrono::seconds(60)));
    ASSERT_TRUE(j.settle());
    j.keep("exported");

    // A fresh copy, as a child's friend receives it.
    const fs::path fresh = j.artifacts() / "fresh";
    fs::create_directories(fresh);
    fs::copy_file(players.front(), fresh / "Show", fs::copy_options::overwrite_existing);
    fs::permissions(fresh / "Show", fs::perms::owner_all);
    XvfbServer server;
    ASSERT_TRUE(server.running()) << server.failure();
    std::ofstream(fresh / "quiet.supp") << "leak:libOSMesa.so\nleak:libX11.so\nleak:libSDL2\nleak:libdbus-1.so\n";
    // Ended by the journey once seen, or after a minute at the latest; the status is the player's own.
    const std::string run = "cd '" + fresh.string() + "' && (env -u TUMBLO_HEADLESS -u SDL_VIDEODRIVER HOME='" + fresh.string() +
                            "' DISPLAY=" + server.display() + " SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=heard.raw LSAN_OPTIONS=suppressions=quiet.supp" +
                            " timeout --preserve-status -k 5 60 ./Show > said 2>&1 & echo $! > pid; wait $!; echo $? > status)";
    const std::string background = "(" + run + ") &";
    ASSERT_EQ(std::system(background.c_str()), 0);
    const auto waitFor = [](const std::function<bool()>& done, std::chrono::seconds limit) {
        for (const Clock::time_point end = Clock::now() + limit; !done() && Clock::now() < end;)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return done();
    };
    // The 1024 x 768 screen shows the picture's red in its middle.
    EXPECT_TRUE(waitFor(
        [&] {
            const std::vector<uint32_t> middle = takeXScreenshot(server.display(), 512 - 20, 384, 40, 1);
            return !middle.empty() && nearColour(middle.front(), red, 24) && nearColour(middle.back(), red, 24);
        },
        std::chrono::seconds(30)))
        << "the player's window with the picture";
    EXPECT_TRUE(waitFor(
        [&] {
            const std::vector<uint32_t> first = takeXScreenshot(server.display(), 0, 0, 1024, 768);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            return !first.empty() && takeXScreenshot(server.display(), 0, 0, 1024, 768) != first;
        },
        std::chrono::seconds(30)))
        << "the animations moving";
    EXPECT_TRUE(waitFor(
        [&] {
            const std::string heard = firstBytes(fresh / "heard.raw", 4000000);
            for (size_t i = 0; i + 1 < heard.size(); i += 2)
                if (std::abs(int16_t(uint8_t(heard[i]) | uint8_t(heard[i + 1]) << 8)) > 1000) return true;
            return false;
        },
        std::chrono::seconds(10)))
        << "the page's sound heard";
    std::string pid, status;
    ASSERT_TRUE(waitFor([&] { return !(pid = firstBytes(fresh / "pid", 16)).empty(); }, std::chrono::seconds(5)));
    ::kill(pid_t(std::stoi(pid)), SIGTERM);
    EXPECT_TRUE(waitFor([&] { return !(status = firstBytes(fresh / "status", 8)).empty(); }, std::chrono::seconds(30)));
    EXPECT_EQ(status, "0\n") << "a player asked to end ends cleanly: " << firstBytes(fresh / "said", 4000);
}

}  // namespace
