// A child's first steps: going on without a name gets a word back instead of silence, a help
// page shows its bulb beside its title (not peeking out from behind Close), Escape puts the paper
// textures and the save question away without a change, and the background colour dialog
// offers white and bright colours.
#include "tests/journeys/Journey.h"
#include "tests/journeys/ProgramSteps.h"

namespace {

constexpr uint32_t kHintBubble = 0xFF5D8F;
// The bulb's yellow, and no blue of the dialogs around it.
bool yellow(uint32_t p) { return (p >> 16 & 0xFF) > 220 && (p >> 8 & 0xFF) > 160 && (p & 0xFF) < 100; }
// The places on the screen (below the menu bar) of the login's word, the help page's Close
// button and its bulb, and the background colour dialog's first two chips.
const Area kHint{230, kScreenTop + 170, 340, 24};
const Area kAroundClose{490, kScreenTop + 420, 170, 84};
const Area kBulb{150, kScreenTop + 92, 44, 44};
const Area kWhiteChip{198, kScreenTop + 218, 24, 24};
const Area kPinkChip{234, kScreenTop + 218, 24, 24};

TEST(FirstStepsJourney, AnEmptyNameGetsAWordTheHelpPageKeepsItsBulbClearAndTheColoursAreBright) {
    Journey j;
    ASSERT_TRUE(j.start());
    const Area field = planned("dialog.login.field");
    const Area inside{field.x + 4, field.y + 4, field.width - 8, field.height - 8};
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().count(kScreen, [](uint32_t p) { return p != 0; }) > kScreen.width * kScreen.height / 2; }, "the splash"));
    j.click(kScreen.centerX(), kScreen.centerY());
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(inside, kPaper) > inside.width * inside.height * 4 / 5; },
                          "the login's name field"));
    ASSERT_TRUE(j.settle());
    j.key("End");
    for (int i = 0; i < 32; ++i) j.key("BackSpace");
    ASSERT_TRUE(j.settle());
    EXPECT_EQ(j.screenshot().countColour(kHint, kHintBubble, 8), 0) << "no word before it is needed";

    j.key("Return");
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(kHint, kHintBubble, 8) > kHint.width * kHint.height / 3; },
                          "the word for an empty name"));
    j.keep("login-empty-name");
    j.type("Mia");
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(kHint, kHintBubble, 8) == 0; }, "the word gone on typing"));
    j.key("Return");
    const Area canvas = canvasArea();
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(canvas, kPaper) > canvas.width * canvas.height * 9 / 10; },
                          "the easel"));
    ASSERT_TRUE(j.settle());

    // Help, then the paint tool: its page.
    j.click(planned("easel.side.Help"));
    ASSERT_TRUE(j.settle());
    j.click(planned("easel.tool.Paint"));
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().count(kBulb, yellow) > 40; }, "the help page with its bulb"));
    ASSERT_TRUE(j.settle());
    const Shot help = j.keep("help-page");
    EXPECT_EQ(help.count(kAroundClose, yellow), 0) << "nothing yellow around Close";
    j.key("Escape");
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().count(kBulb, yellow) == 0; }, "the help page gone"));
    ASSERT_TRUE(j.settle());

    // Escape puts the paper textures away and keeps the page as it was.
    const Shot plain = j.screenshot();
    ASSERT_TRUE(chooseMenu(j, "Add", "Paper Textures..."));
    ASSERT_TRUE(j.waitForChange(plain, kScreen, "the paper textures"));
    j.key("Escape");
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().differences(plain, canvas) == 0; }, "the textures gone"));

    // A stroke, and the slide show asks to save it first: Escape is Cancel, No goes on.
    j.drag(canvas.x + 100, canvas.y + 100, canvas.x + 300, canvas.y + 250);
    ASSERT_TRUE(j.settle());
    const Shot easel = j.screenshot();
    j.click(planned("easel.side.GoToSlideShow"));
    ASSERT_TRUE(j.waitForChange(easel, kScreen, "the save question"));
    j.keep("save-question");
    j.key("Escape");
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().differences(easel, canvas) == 0; }, "the question gone, the stroke kept"));
    j.click(planned("easel.side.GoToSlideShow"));
    ASSERT_TRUE(j.waitForChange(easel, kScreen, "the save question again"));
    ASSERT_TRUE(j.settle());
    j.click(kQuestionNo);
    ASSERT_TRUE(j.waitForChange(easel, planned("picker.strip"), "the slide show"));
    ASSERT_TRUE(j.settle());
    ASSERT_TRUE(chooseMenu(j, "Toolbox", "Background Colour..."));
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(kWhiteChip, 0xFFFFFF, 8) == kWhiteChip.width * kWhiteChip.height; },
                          "the white chip"));
    const Shot colours = j.keep("background-colours");
    EXPECT_EQ(colours.countColour(kPinkChip, 0xFF9999, 8), kPinkChip.width * kPinkChip.height);
    j.key("Escape");

    // Back on the easel, a panel merely opened leaves nothing to save: the slide show asks nothing.
    ASSERT_TRUE(chooseMenu(j, "Controls", "Go to the Easel"));
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(canvas, kPaper) > canvas.width * canvas.height * 9 / 10; }, "the easel"));
    ASSERT_TRUE(openPanel(j, "Stickers"));
    const Shot stickers = j.screenshot();
    j.click(planned("easel.side.GoToSlideShow"));
    EXPECT_TRUE(j.waitForChange(stickers, planned("picker.projects.back"), "the slide show, nothing asked"));
}

}  // namespace
