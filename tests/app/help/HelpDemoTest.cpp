// The animations help page's demonstration movie over the running program: its button plays
// the content set's movie on the page, a press holds it and lets it play on, the button again
// stops it, a second demonstration takes the place of the first, and a page whose movie file
// is missing shows none, quietly.
#include <fstream>
#include <memory>
#include <string>

#include "app/dialogs/DemoMovies.h"
#include "app/dialogs/RGetStartDlg.h"
#include "app/help/HelpPages.h"
#include "app/help/RHelp.h"
#include "app/help/RHelpDlg.h"
#include "engine/files/Paths.h"
#include "media/objects/DemoMovieObj.h"
#include "media/quicktime/QtConnection.h"
#include "tests/app/harness/ScreenHarness.h"

namespace {

using namespace Ostrel;

// The first picture of the animations demonstration is pink above the grass.
constexpr u32 kPink = 0xFFAFCC;
constexpr Rect16 kDemoRect{kHelpDemoOrigin.h, kHelpDemoOrigin.v, i16(kHelpDemoOrigin.h + 240), i16(kHelpDemoOrigin.v + 160)};
constexpr Point16 kDemoCorner{i16(kHelpDemoOrigin.h + 6), i16(kHelpDemoOrigin.v + 6)};

bool near(u32 a, u32 b, int tolerance = 20) {
    for (int shift : {16, 8, 0})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
    return true;
}

class HelpDemo : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        qtSetSearchFolders({TUMBLO_TEST_PROGRAM_DIR});
        ScreenHarness::SetUp();
        startLoggedIn();
        help = std::make_unique<RHelp>(&owner, kEaselHelpName);
        ASSERT_EQ(help->Start(0, 0, 0), 0);
    }
    void TearDown() override {
        help.reset();
        ScreenHarness::TearDown();
        qtSetSearchFolders({});
    }
    void openPage(u32 code) {
        RMessage message(code, 0, 0);
        help->HandleMessage(&message, 0);
        settle();
    }
    void command(RDlgBase& dialog, u32 code) {
        RMessage message(code, 0, 0);
        dialog.HandleMessage(&message, 0);
        settle();
    }
    void clickDemoButton() {
        const RButton* button = help->Page()->ButtonSet().Find(kHelpCmdDemo);
        ASSERT_NE(button, nullptr);
        click(centreOf(button->GetSprite()));
    }
    u32 shown(Point16 p) const { return shownPixel(p) & 0xFFFFFF; }
    // The program names files by its own paths; the test reaches them in the folder they stand for.
    std::string inMovies(const std::string& path) const {
        return root_ + "/prog/Movies/" + path.substr(path.rfind('\\') + 1);
    }

    testapp::RecordingOwner owner;
    std::unique_ptr<RHelp> help;
};

TEST_F(HelpDemo, TheButtonPlaysAPressHoldsAndPlaysOnAndTheButtonStops) {
    openPage(kHelpDemoElement);
    RHelpDlg* page = help->Page();
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(near(shown(kDemoCorner), kPink)) << "no demonstration before the button";

    clickDemoButton();
    ASSERT_TRUE(page->DemoPlaying());
    DemoMovieObj* movie = page->DemoMovie();
    ASSERT_NE(movie, nullptr);
    EXPECT_TRUE(movie->playing());
    EXPECT_TRUE(near(shown(kDemoCorner), kPink)) << std::hex << shown(kDemoCorner);
    const RButton* demoButton = page->ButtonSet().Find(kHelpCmdDemo);
    EXPECT_EQ(demoButton->GetRecord().shapes[0], kHelpDemoPlayingLook);
    EXPECT_EQ(demoButton->GetRecord().shapes[2], kHelpDemoPlayingPressed);
    const u16 playingShape = sprFind(demoButton->GetSprite())->shape;
    EXPECT_TRUE(playingShape == kHelpDemoPlayingLook || playingShape == kHelpDemoPlayingPressed) << playingShape;
    // The frog hops: the picture changes as the clock goes on.
    u64 before = PictureHash(kDemoRect);
    advance(600);
    EXPECT_NE(PictureHash(kDemoRect), before);

    // A press on the page's text holds the demonstration where it is...
    const Point16 text{200, 400};
    click(text);
    EXPECT_FALSE(movie->playing());
    before = PictureHash(kDemoRect);
    advance(1000);
    advance(1000);
    EXPECT_EQ(PictureHash(kDemoRect), before);
    // ...and the next lets it play on.
    click(text);
    EXPECT_TRUE(movie->playing());
    advance(600);
    EXPECT_NE(PictureHash(kDemoRect), before);

    clickDemoButton();
    EXPECT_FALSE(page->DemoPlaying());
    const u16 idleShape = sprFind(demoButton->GetSprite())->shape;
    EXPECT_TRUE(idleShape == kHelpDemoIdleLook || idleShape == kHelpDemoIdlePressed) << idleShape;
    EXPECT_EQ(CurrentDemoMovie(), nullptr);
    EXPECT_FALSE(near(shown(kDemoCorner), kPink)) << "the demonstration is gone from the screen";
    EXPECT_TRUE(alerts().empty());
}

TEST_F(HelpDemo, TheSoundButtonAndClosingStopTheDemonstration) {
    openPage(kHelpDemoElement);
    RHelpDlg* page = help->Page();
    ASSERT_NE(page, nullptr);
    command(*page, kHelpCmdDemo);
    ASSERT_NE(CurrentDemoMovie(), nullptr);
    command(*page, kHelpCmdSound);
    EXPECT_FALSE(page->DemoPlaying());
    EXPECT_EQ(CurrentDemoMovie(), nullptr);

    command(*page, kHelpCmdDemo);
    ASSERT_NE(CurrentDemoMovie(), nullptr);
    click(centreOf(page->ButtonSet().Find(kDlgResultLeave)->GetSprite()));
    EXPECT_EQ(help->Page(), nullptr);
    EXPECT_EQ(CurrentDemoMovie(), nullptr);
    settle();
    EXPECT_FALSE(near(shown(kDemoCorner), kPink));
}

TEST_F(HelpDemo, OnlyOneDemonstrationAtATime) {
    openPage(kHelpDemoElement);
    RHelpDlg* page = help->Page();
    ASSERT_NE(page, nullptr);
    command(*page, kHelpCmdDemo);
    DemoMovieObj* first = page->DemoMovie();
    ASSERT_NE(first, nullptr);
    // The getting-started movie takes the one place.
    RGetStartDlg started(&owner);
    ASSERT_EQ(started.Open(), 0);
    ASSERT_NE(started.Movie(), nullptr);
    EXPECT_EQ(CurrentDemoMovie(), started.Movie());
    EXPECT_EQ(page->DemoMovie(), nullptr) << "the page's demonstration went";
    // A press on the page no longer reaches a movie of its own, and stopping it leaves the
    // other one.
    page->HandleInput(0, {200, 400}, 1);
    EXPECT_FALSE(started.Movie()->playing());
    command(*page, kHelpCmdDemo);
    EXPECT_EQ(CurrentDemoMovie(), started.Movie());
}

TEST_F(HelpDemo, APageWhoseMovieIsMissingShowsNoDemonstration) {
    // The pencils' page has no movie file; given the demonstration button it still shows none.
    testapp::RecordingOwner pageOwner;
    auto page = std::make_unique<RHelpDlg>(&pageOwner, kHelpReplyEasel);
    page->SetDemoOption(kHelpDemoElement);
    ASSERT_EQ(page->Open("pencil"), 0);
    settle();
    const u64 before = PictureHash(kDemoRect);
    command(*page, kHelpCmdDemo);
    advance(500);
    EXPECT_FALSE(page->DemoPlaying());
    EXPECT_EQ(CurrentDemoMovie(), nullptr);
    EXPECT_EQ(PictureHash(kDemoRect), before);
    EXPECT_TRUE(alerts().empty());
    EXPECT_EQ(StartDemoMovie(HelpDemoMovieFile("no such page"), kHelpDemoOrigin), nullptr);
    EXPECT_EQ(StartDemoMovie("", kHelpDemoOrigin), nullptr);
}

// A file is named by at most as many characters as a path may have; a longer name, even one
// whose first characters name a good movie, shows nothing and says nothing.
TEST_F(HelpDemo, AMoviePathLongerThanAPathMayBeShowsNothing) {
    const std::string toons = HelpDemoMovieFile("toons");
    const std::string movieBytes = readFile(inMovies(toons));
    ASSERT_FALSE(movieBytes.empty()) << toons;
    const size_t at = toons.rfind("toons");
    const std::string head = toons.substr(0, at), tail = toons.substr(at + 5);
    ASSERT_LT(head.size() + tail.size() + 1, kMaxPathText);
    const auto write = [&](const std::string& path) {
        std::ofstream(inMovies(path), std::ios::binary | std::ios::trunc) << movieBytes;
    };
    const struct {
        size_t length;
        bool shown;
    } cases[] = {{kMaxPathText, true}, {kMaxPathText + 1, false}, {kDemoPathChars + 1, false}};
    for (const auto& c : cases) {
        const std::string full = head + std::string(c.length - head.size() - tail.size(), 'd') + tail;
        ASSERT_EQ(full.size(), c.length);
        // The whole name and its first characters both hold the good movie: only the length refuses.
        write(full);
        write(full.substr(0, kDemoPathChars));
        write(full.substr(0, kMaxPathText));
        EXPECT_EQ(StartDemoMovie(HelpDemoMovieFile(full.substr(head.size(), c.length - head.size() - tail.size())),
                                 kHelpDemoOrigin) != nullptr,
                  c.shown)
            << c.length;
        StopDemoMovie();
    }
    EXPECT_TRUE(alerts().empty());
}

// A damaged movie file (cut short, or not a movie at all) shows nothing and says nothing.
TEST_F(HelpDemo, ADamagedMovieFileShowsNothingQuietly) {
    const std::string movieBytes = readFile(inMovies(HelpDemoMovieFile("toons")));
    ASSERT_GT(movieBytes.size(), 64u);
    const std::string damaged[] = {movieBytes.substr(0, 32), movieBytes.substr(0, movieBytes.size() / 2),
                                   std::string(movieBytes.size(), 'x')};
    for (const std::string& bytes : damaged) {
        std::ofstream(inMovies(HelpDemoMovieFile("damaged")), std::ios::binary | std::ios::trunc) << bytes;
        const u64 before = PictureHash(kDemoRect);
        EXPECT_EQ(StartDemoMovie(HelpDemoMovieFile("damaged"), kHelpDemoOrigin), nullptr) << bytes.size();
        EXPECT_EQ(CurrentDemoMovie(), nullptr);
        advance(500);
        EXPECT_EQ(PictureHash(kDemoRect), before) << bytes.size();
    }
    EXPECT_TRUE(alerts().empty());
}

}  // namespace
