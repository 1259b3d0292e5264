// The session ends (SIGTERM) while a child's painting is unsaved and the program asks whether to
// save it: the program asks nothing more, keeps the painting and ends within its grace; at the
// next login it offers the painting back, and Yes brings it onto the easel as it was. A display
// that goes away ends the program the same way.
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/journeys/Journey.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

namespace fs = std::filesystem;

const Area kWindow{0, 0, 800, 620};

// Maya logs in and draws a line across the canvas.
testing::AssertionResult paintALine(Journey& j) {
    if (testing::AssertionResult started = j.start(); !started) return started;
    if (testing::AssertionResult in = logIn(j, "Maya"); !in) return in;
    const Area canvas = canvasArea();
    const Area start{canvas.x + 96, canvas.y + 96, 9, 9}, end{canvas.x + 396, canvas.y + 296, 9, 9};
    j.drag(start.centerX(), start.centerY(), end.centerX(), end.centerY());
    if (testing::AssertionResult line = j.waitFor(
            [&] {
                const Shot shot = j.screenshot();
                return shot.countColour(start, 0x000000, 8) > 0 && shot.countColour(end, 0x000000, 8) > 0;
            },
            "the line from one end to the other");
        !line)
        return line;
    return j.settle();
}

std::vector<std::string> picturesOfMaya(const Journey& j) {
    std::vector<std::string> kept;
    for (const fs::directory_entry& entry : fs::directory_iterator(j.userFolder("Maya") / "Pictures"))
        kept.push_back(entry.path().filename().string());
    return kept;
}

// Maya logs in again and is offered the painting kept at the end; she takes it.
testing::AssertionResult offeredBack(Journey& j) {
    if (testing::AssertionResult started = j.start(); !started) return started;
    if (testing::AssertionResult named = giveName(j, "Maya"); !named) return named;
    Area yes;
    if (testing::AssertionResult offered = j.waitFor(
            [&] { return (yes = findWidgetText(j.screenshot(), "Yes", kWindow)).width > 0; }, "the question offering the painting back");
        !offered)
        return offered;
    j.keep("offered");
    j.click(yes);
    return testing::AssertionSuccess();
}

TEST(SignalEndingJourney, ASessionEndingUnderTheSaveQuestionKeepsThePaintingForTheNextLogin) {
    Journey j;
    ASSERT_TRUE(paintALine(j));
    const Area canvas = canvasArea();
    const Shot painted = j.keep("painted");

    ASSERT_TRUE(chooseMenu(j, "File", "New Picture"));
    ASSERT_TRUE(j.waitForChange(painted, kWindow, "the save question"));
    ASSERT_TRUE(j.settle());
    j.keep("save-question");
    const auto sent = std::chrono::steady_clock::now();
    ASSERT_TRUE(j.end()) << "the question does not hold the session's end";
    EXPECT_LT(std::chrono::steady_clock::now() - sent, std::chrono::seconds(3));
    EXPECT_EQ(picturesOfMaya(j), std::vector<std::string>{".recovered.tbx"}) << "the painting kept, no picture saved unasked";

    ASSERT_TRUE(offeredBack(j));
    // The question over the page is no painting: the canvas is waited for as it was left.
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().differences(painted, canvas) == 0; },
                          "the canvas showing the painting as it was left"));
    j.keep("back");
}

// The desktop goes away under the program (a logout, a crashed session): the painting is kept
// as at a session's end and the program ends with it, instead of going on alone.
TEST(SignalEndingJourney, TheDisplayGoingAwayKeepsThePaintingAndEndsTheProgram) {
    Journey j;
    ASSERT_TRUE(paintALine(j));
    j.loseDisplay();
    EXPECT_EQ(j.ending(std::chrono::seconds(5)), "killed by signal 1") << "ended as by a hang-up, within its grace";
    EXPECT_EQ(picturesOfMaya(j), std::vector<std::string>{".recovered.tbx"});
}

// A pipe named like a picture among the pictures the child may add: choosing it is refused with
// a word instead of waiting for ever for someone to write to it, and the program goes on
// answering; the painting made before it outlives the session's end.
TEST(SignalEndingJourney, APipeChosenAsAPictureIsRefusedAndThePaintingStillOutlivesTheSession) {
    Journey j;
    ASSERT_TRUE(paintALine(j));
    const fs::path pictures = j.home() / "Pictures";
    fs::create_directories(pictures);
    ASSERT_EQ(::mkfifo((pictures / "picture.png").c_str(), 0600), 0);
    ASSERT_TRUE(chooseMenu(j, "Add", "Add a Picture...") && clickText(j, "picture.png", 0xFFFFFF) && clickText(j, "Open"));
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "This is not a real file", kWindow).width > 0; }, "the refusal"));
    j.keep("refused");
    ASSERT_TRUE(clickText(j, "OK") && clickText(j, "Cancel"));
    ASSERT_TRUE(menuShowsItem(j, "Add", "Add a Picture...", kWidgetText)) << "the program answers";
    ASSERT_TRUE(j.end());
    ASSERT_TRUE(offeredBack(j));
}

}  // namespace
