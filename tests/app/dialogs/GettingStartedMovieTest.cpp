// The getting-started dialog with its movie over the running program: the easel's movie shows
// its first picture at once and waits, the play button plays it and stops it, the dialog takes
// it away when it goes, and the picker gets its own movie.
#include <fstream>
#include <memory>

#include "app/application/ShellParts.h"
#include "app/dialogs/DemoMovies.h"
#include "app/dialogs/RGetStartDlg.h"
#include "media/objects/DemoMovieObj.h"
#include "media/quicktime/QtConnection.h"
#include "tests/app/harness/ScreenHarness.h"

namespace {

using namespace Ostrel;

// The first pictures: the easel's on sky blue, the picker's on green.
constexpr u32 kSky = 0x8ECAE6;
constexpr u32 kGreen = 0xB5E48C;
constexpr Rect16 kMovieRect{kGetStartedMovieOrigin.h, kGetStartedMovieOrigin.v, i16(kGetStartedMovieOrigin.h + 320),
                            i16(kGetStartedMovieOrigin.v + 180)};
constexpr Point16 kCorner{i16(kGetStartedMovieOrigin.h + 6), i16(kGetStartedMovieOrigin.v + 6)};

bool near(u32 a, u32 b, int tolerance = 20) {
    for (int shift : {16, 8, 0})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
    return true;
}

class GettingStartedMovie : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        qtSetSearchFolders({TUMBLO_TEST_PROGRAM_DIR});
        ScreenHarness::SetUp();
    }
    // The program's settings with the easel's movie named `name` instead.
    void nameEaselMovie(const std::string& name) {
        const std::string file = root_ + "/prog/TB.cfg";
        std::string settings = readFile(file);
        const std::string line = "GetStartedEasel=GetStartedEasel.mov";
        const size_t at = settings.find(line);
        ASSERT_NE(at, std::string::npos);
        settings.replace(at, line.size(), "GetStartedEasel=" + name);
        std::ofstream(file, std::ios::binary | std::ios::trunc) << settings;
    }
    void TearDown() override {
        ScreenHarness::TearDown();
        qtSetSearchFolders({});
    }
    void command(RDlgBase& dialog, u32 code) {
        RMessage message(code, 0, 0);
        dialog.HandleMessage(&message, 0);
        settle();
    }
    u32 shown(Point16 p) const { return shownPixel(p) & 0xFFFFFF; }
    void expectNoMovieWhenNamed(const std::string& name) {
        nameEaselMovie(name);
        startLoggedIn();
        const u64 before = PictureHash(kMovieRect);
        RGetStartDlg dialog(&owner);
        ASSERT_EQ(dialog.Open(), 0);
        settle();
        EXPECT_EQ(dialog.Movie(), nullptr);
        EXPECT_EQ(CurrentDemoMovie(), nullptr);
        command(dialog, kGetStartCmdPlay);
        EXPECT_FALSE(dialog.Playing());
        const u64 withDialog = PictureHash(kMovieRect);
        EXPECT_NE(withDialog, before) << "the dialog itself is shown";
        advance(1000);
        EXPECT_EQ(PictureHash(kMovieRect), withDialog) << "and nothing moves on it";
        EXPECT_FALSE(near(shown(kCorner), kSky));
        EXPECT_TRUE(alerts().empty());
    }

    testapp::RecordingOwner owner;
};

TEST_F(GettingStartedMovie, ShowsItsFirstPictureAndThePlayButtonPlaysAndStopsIt) {
    startLoggedIn();
    const u32 under = shown(kCorner);
    auto dialog = std::make_unique<RGetStartDlg>(&owner);
    ASSERT_EQ(dialog->Open(), 0);
    settle();
    DemoMovieObj* movie = dialog->Movie();
    ASSERT_NE(movie, nullptr);
    EXPECT_FALSE(movie->playing()) << "the movie waits for the play button";
    EXPECT_TRUE(near(shown(kCorner), kSky)) << std::hex << shown(kCorner);
    u64 before = PictureHash(kMovieRect);
    advance(1500);
    EXPECT_EQ(PictureHash(kMovieRect), before) << "still until played";

    const RButton* play = dialog->ButtonSet().Buttons()[size_t(dialog->PlayButtonIndex())].get();
    const auto idleLooks = play->GetRecord().shapes;
    command(*dialog, kGetStartCmdPlay);
    EXPECT_TRUE(dialog->Playing());
    EXPECT_TRUE(movie->playing());
    EXPECT_EQ(sprFind(play->GetSprite())->shape, kGetStartStopLook) << "the play button shows stop";
    // Stop has its own up, highlighted and down pictures, one after the other like play's.
    const auto stopLooks = play->GetRecord().shapes;
    for (size_t state = 0; state < 3; ++state)
        EXPECT_EQ(stopLooks[state], u16(kGetStartStopLook + idleLooks[state] - idleLooks[0])) << state;
    advance(800);
    EXPECT_NE(PictureHash(kMovieRect), before) << "the crayon draws its dots";
    EXPECT_TRUE(near(shown(kCorner), kSky));

    command(*dialog, kGetStartCmdPlay);
    EXPECT_FALSE(dialog->Playing());
    EXPECT_FALSE(movie->playing());
    EXPECT_EQ(sprFind(play->GetSprite())->shape, kGetStartPlayLook);
    EXPECT_EQ(play->GetRecord().shapes, idleLooks) << "play's highlighted look comes back too";
    before = PictureHash(kMovieRect);
    advance(1000);
    EXPECT_EQ(PictureHash(kMovieRect), before);

    dialog.reset();
    settle();
    EXPECT_EQ(CurrentDemoMovie(), nullptr);
    EXPECT_FALSE(near(shown(kCorner), kSky));
    EXPECT_EQ(shown(kCorner), under) << "the screen under it is back";
    EXPECT_TRUE(alerts().empty());
}

TEST_F(GettingStartedMovie, ClosingTheDialogWhileItsMoviePlaysTakesTheMovieAway) {
    startLoggedIn();
    const u64 under = PictureHash(kMovieRect);
    auto dialog = std::make_unique<RGetStartDlg>(&owner);
    ASSERT_EQ(dialog->Open(), 0);
    command(*dialog, kGetStartCmdPlay);
    advance(300);
    ASSERT_TRUE(dialog->Movie() && dialog->Movie()->playing());
    dialog.reset();
    EXPECT_EQ(CurrentDemoMovie(), nullptr);
    settle();
    advance(500);
    EXPECT_EQ(PictureHash(kMovieRect), under) << "the screen under it is back and stays";
}

TEST_F(GettingStartedMovie, TheProgramExitsWithAMoviePlaying) {
    startLoggedIn();
    DemoMovieObj* movie = StartDemoMovie(GettingStartedMovieFile(true), kGetStartedMovieOrigin);
    ASSERT_NE(movie, nullptr);
    MovieObjPlay(movie);
    advance(300);
    app->ExitInstance();
    EXPECT_EQ(CurrentDemoMovie(), nullptr) << "the movie went with the program";
    app.reset();
}

TEST_F(GettingStartedMovie, ThePickerHasItsOwnMovieAndAMissingOneShowsNothing) {
    startLoggedIn();
    EXPECT_NE(GettingStartedMovieFile(true), GettingStartedMovieFile(false));
    DemoMovieObj* picker = StartDemoMovie(GettingStartedMovieFile(false), kGetStartedMovieOrigin);
    ASSERT_NE(picker, nullptr);
    settle();
    EXPECT_TRUE(near(shown(kCorner), kGreen)) << std::hex << shown(kCorner);
    StopDemoMovie();
    settle();
    EXPECT_FALSE(near(shown(kCorner), kGreen));

    // A file that is not there gives no movie and nothing on the screen.
    EXPECT_EQ(StartDemoMovie(GettingStartedMovieFile(true) + ".missing", kGetStartedMovieOrigin), nullptr);
    EXPECT_EQ(CurrentDemoMovie(), nullptr);
}

// A file that is not there, and no name at all (the folder itself): no movie, no message.
TEST_F(GettingStartedMovie, AMovieFileThatIsNotThereLeavesTheDialogWithoutAMovieQuietly) {
    expectNoMovieWhenNamed("Gone.mov");
}

TEST_F(GettingStartedMovie, AnEmptyMovieNameLeavesTheDialogWithoutAMovieQuietly) { expectNoMovieWhenNamed(""); }

}  // namespace
