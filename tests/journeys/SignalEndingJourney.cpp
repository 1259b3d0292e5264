// The session ends (SIGTERM) while a child's painting is unsaved and the program asks whether to
// save it: the program asks nothing more, keeps the painting and ends within its grace; at the
// next login it offers the painting back, and Yes brings it onto the easel as it was.
#include <chrono>
#include <filesystem>

#include "tests/journeys/Journey.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

namespace fs = std::filesystem;

const Area kWindow{0, 0, 800, 620};

TEST(SignalEndingJourney, ASessionEndingUnderTheSaveQuestionKeepsThePaintingForTheNextLogin) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const Area canvas = canvasArea();
    const Area start{canvas.x + 96, canvas.y + 96, 9, 9}, end{canvas.x + 396, canvas.y + 296, 9, 9};
    j.drag(start.centerX(), start.centerY(), end.centerX(), end.centerY());
    ASSERT_TRUE(j.waitFor(
        [&] {
            const Shot shot = j.screenshot();
            return shot.countColour(start, 0x000000, 8) > 0 && shot.countColour(end, 0x000000, 8) > 0;
        },
        "the line from one end to the other"));
    ASSERT_TRUE(j.settle());
    const Shot painted = j.keep("painted");

    ASSERT_TRUE(chooseMenu(j, "File", "New Picture"));
    ASSERT_TRUE(j.waitForChange(painted, kWindow, "the save question"));
    ASSERT_TRUE(j.settle());
    j.keep("save-question");
    const auto sent = std::chrono::steady_clock::now();
    ASSERT_TRUE(j.end()) << "the question does not hold the session's end";
    EXPECT_LT(std::chrono::steady_clock::now() - sent, std::chrono::seconds(3));
    const fs::path pictures = j.userFolder("Maya") / "Pictures";
    std::vector<std::string> kept;
    for (const fs::directory_entry& entry : fs::directory_iterator(pictures)) kept.push_back(entry.path().filename().string());
    EXPECT_EQ(kept, std::vector<std::string>{".recovered.tbx"}) << "the painting kept, no picture saved unasked";

    ASSERT_TRUE(j.start());
    ASSERT_TRUE(giveName(j, "Maya"));
    Area yes;
    ASSERT_TRUE(j.waitFor([&] { return (yes = findWidgetText(j.screenshot(), "Yes", kWindow)).width > 0; },
                          "the question offering the painting back"));
    j.keep("offered");
    j.click(yes);
    // The question over the page is no painting: the canvas is waited for as it was left.
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().differences(painted, canvas) == 0; },
                          "the canvas showing the painting as it was left"));
    j.keep("back");
}

}  // namespace
