// A child's whole first session through the program's own parts, driven only by the input a
// child gives (keys and mouse messages posted to the main window) on a fake clock: the splash,
// the login with a typed name, the easel with its pencil panel, painting, saving with Ctrl+S,
// reopening the picture, and quitting with unsaved work.
#include <csignal>

#include "app/application/NewPageEntry.h"
#include "app/window/MenuMessages.h"
#include "app/window/RDisplayWindow.h"
#include "document/project/RecoveryCopy.h"
#include "framework/app/mfxSignalEnding.h"
#include "platform/display/QuitSignals.h"
#include "screens/picker/RPicker.h"
#include "tests/shell/SessionFixture.h"

namespace {

using namespace Ostrel;
using namespace testshell;

class SessionTest : public SessionFixture {
protected:
    void login(const std::vector<std::string>& arguments = {});
    void loginAndPaint(std::vector<u16>* before, std::vector<u16>* painted);
};

// The splash, a key, the login with a typed name: the easel with its pencil panel.
void SessionTest::login(const std::vector<std::string>& arguments) {
    start(arguments);
    ASSERT_EQ(application_->GetCurrentModuleCode(), kScreenSplash);
    frames(2);
    press(kVkSpace);
    frames(5);
    ASSERT_TRUE(application_->IsLoginOpen());
    type("Maya");
    press(kVkReturn);
    frames(5);
    ASSERT_EQ(application_->GetCurrentModuleCode(), kScreenEasel);
}

// The splash, a key, the login with a typed name, the easel with the pencils, the biggest size
// clicked and a drag across the canvas's middle: the row through the stroke before and after.
void SessionTest::loginAndPaint(std::vector<u16>* before, std::vector<u16>* painted) {
    start();
    ASSERT_EQ(application_->GetCurrentModuleCode(), kScreenSplash);
    frames(2);
    keepScreenshot("splash");
    EXPECT_TRUE(showsAPicture()) << "the splash never reached the screen (artifact splash.ppm)";

    press(kVkSpace);
    frames(5);
    ASSERT_TRUE(application_->IsLoginOpen());
    keepScreenshot("login");
    EXPECT_TRUE(showsAPicture()) << "the login never reached the screen (artifact login.ppm)";

    type("Maya");
    press(kVkReturn);
    frames(5);
    ASSERT_FALSE(application_->IsLoginOpen());
    ASSERT_TRUE(application_->IsUserLoggedIn());
    EXPECT_EQ(application_->GetPaths()->UserName(), "Maya");
    EXPECT_TRUE(fs::is_directory(pictures("Maya")));
    ASSERT_EQ(application_->GetCurrentModuleCode(), kScreenEasel);
    ASSERT_NE(easel(), nullptr);
    auto* pencils = dynamic_cast<RPencilPanel*>(easel()->CurrentPanel());
    ASSERT_NE(pencils, nullptr);
    ASSERT_NE(easel()->Canvas(), nullptr);
    keepScreenshot("easel");

    const RButtonSet& sizes = pencils->SizeButtons();
    ASSERT_EQ(sizes.size(), size_t(kPencilSizeCount));
    ASSERT_NE(sizes.back()->GetHotSpot(), nullptr);
    click(centre(sizes.back()->GetHotSpot()->GetRect()));
    EXPECT_EQ(pencils->GetSizeIndex(), kPencilSizeCount - 1);

    *before = strokeRow();
    const Point16 middle = centre(easel()->Canvas()->CanvasRect());
    drag(Point16{i16(middle.h - 100), middle.v}, Point16{i16(middle.h + 100), middle.v}, 10);
    *painted = strokeRow();
    ASSERT_NE(*painted, *before) << "the drag left the canvas as it was";
    ASSERT_NE(application_->GetCurrentPage(), nullptr);
    EXPECT_TRUE(application_->GetCurrentPage()->Data().IsDirty());
}

// 6605 is both the page the application gives the easel it enters and the menus' Open on the
// slide-show screen, broadcast to every screen that listens: each does what its sender means.
TEST_F(SessionTest, TheMenusOpenProjectOpensAProjectAndLeavesTheEaselsPage) {
    std::vector<u16> before, painted;
    ASSERT_NO_FATAL_FAILURE(loginAndPaint(&before, &painted));
    RPage* page = application_->GetCurrentPage();
    RMessage open(kMsgMenuOpenProject, 0, 0);
    RDisplayWindow::Get()->Broadcast(&open, 0);
    frames(2);
    EXPECT_EQ(application_->GetCurrentPage(), page);
    EXPECT_EQ(strokeRow(), painted) << "the menus' Open wiped the painting";

    // The application's record with the number shows the page it carries as the page keeps it:
    // the unsaved painting lives only on the canvas.
    RMessage entry = NewPageEntryMessage(page);
    easel()->HandleMessage(&entry, 0);
    frames(2);
    EXPECT_EQ(strokeRow(), before) << "the page given is not the page shown";

    RMessage toPicker(kScreenPicker, 0, 0);
    application_->HandleMessage(&toPicker, 0);
    frames(2);
    auto* picker = dynamic_cast<RPicker*>(application_->GetCurrentModule());
    ASSERT_NE(picker, nullptr);
    int asked = 0;
    PickerFileUi files = defaultPickerFileUi();
    files.openProject = [&asked] {
        ++asked;
        return std::string();
    };
    picker->SetFileUi(files);
    RDisplayWindow::Get()->OnCommand(kCmdOpen);
    frames(2);
    EXPECT_EQ(asked, 1) << "the picker's open dialog never came";
}

TEST_F(SessionTest, TheEaselLeftAloneShowsNothingNew) {
    ASSERT_NO_FATAL_FAILURE(login());
    frames(30);
    auto* face = dynamic_cast<plat::HeadlessWindow*>(application_->GetMainWindow()->GetFace());
    ASSERT_NE(face, nullptr);
    // Two seconds of the loop with nothing to do: nothing on the screen is drawn again.
    const int presents = face->presentCount();
    frames(120);
    EXPECT_EQ(face->presentCount(), presents) << "the idle easel keeps redrawing";
}

TEST_F(SessionTest, APaintedPictureSavesWithCtrlSAndReopensWithTheSamePixels) {
    std::vector<u16> before, painted;
    ASSERT_NO_FATAL_FAILURE(loginAndPaint(&before, &painted));

    // The save dialog takes the name typed into it and Return.
    ctrl('S');
    keys("cat");
    key(kVkReturn);
    frames(3);
    const std::vector<fs::path> saved = savedPictures("Maya");
    ASSERT_EQ(saved.size(), 1u) << "Ctrl+S saved no picture";
    EXPECT_EQ(saved.front().filename(), "cat.tbx");
    EXPECT_FALSE(application_->GetCurrentPage()->Data().IsDirty());

    // Paint that was never saved goes when the saved picture is opened again: a stroke down
    // across the stroke row, beside the first stroke (across it, it would paint what is painted).
    const Point16 middle = centre(easel()->Canvas()->CanvasRect());
    const i16 beside = i16(middle.h + 150);
    drag(Point16{beside, i16(middle.v - 80)}, Point16{beside, i16(middle.v + 80)}, 8);
    ASSERT_NE(strokeRow(), painted);
    ASSERT_TRUE(easel()->OpenPicture(saved.front().string()));
    frames(2);
    EXPECT_EQ(strokeRow(), painted);
}

// "tumblo4 /home/mia/pic.tbx": a picture named by its path from the root opens on the easel
// after the login.
TEST_F(SessionTest, APictureGivenByItsPathFromTheRootOpensAfterTheLogin) {
    std::vector<u16> before, painted;
    ASSERT_NO_FATAL_FAILURE(loginAndPaint(&before, &painted));
    ctrl('S');
    keys("cat");
    key(kVkReturn);
    frames(3);
    const std::vector<fs::path> saved = savedPictures("Maya");
    ASSERT_EQ(saved.size(), 1u);
    const fs::path elsewhere = fs::path(root_) / "home/mia/pic.tbx";
    fs::create_directories(elsewhere.parent_path());
    fs::copy_file(saved.front(), elsewhere);
    application_->ExitInstance();
    application_.reset();

    ASSERT_NO_FATAL_FAILURE(login({elsewhere.string()}));
    frames(2);
    EXPECT_EQ(strokeRow(), painted) << "the easel did not open " << elsewhere;
}

// The display delivers the desktop's quit and a caught SIGINT or SIGTERM alike, as a quit
// request to the window: under an alert, the alert ends unanswered (a question's Cancel) and
// the program's own quit follows, which asks about the unsaved picture.
TEST_F(SessionTest, AQuitRequestUnderAnAlertEndsItAndAsksAboutTheUnsavedPicture) {
    std::vector<u16> before, painted;
    ASSERT_NO_FATAL_FAILURE(loginAndPaint(&before, &painted));
    plat::InputEvent quit;
    quit.kind = plat::InputEvent::Kind::Quit;
    dynamic_cast<plat::HeadlessDisplay&>(plat::displayDriver()).script(window(), quit);
    EXPECT_EQ(mfxAlert(kAlertYesNoCancel, "Go on?"), kAlertAnswerCancel);
    frames(3);
    EXPECT_NE(easel()->WarningDialog(), nullptr) << "the quit under the alert was lost";
    EXPECT_EQ(quitCode_, -1);
    EXPECT_TRUE(savedPictures("Maya").empty());
}

// A termination signal under an alert (the session ending) ends the alert unanswered, asks
// nothing more, keeps the unsaved picture as the recovery copy beside no picture of its own,
// keeps the settings, and hands the program's end to the signal.
TEST_F(SessionTest, ATerminationSignalUnderAnAlertKeepsThePictureAndEndsWithoutAsking) {
    std::vector<u16> before, painted;
    ASSERT_NO_FATAL_FAILURE(loginAndPaint(&before, &painted));
    const plat::QuitSignalCatcher catching;
    std::vector<int> ended;
    const mfxSignalEnding ending(*application_, [&](int signal) { ended.push_back(signal); }, 0);
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_EQ(mfxAlert(kAlertYesNoCancel, "Go on?"), kAlertAnswerCancel);
    EXPECT_EQ(ended, std::vector<int>{SIGTERM});
    frames(3);
    EXPECT_EQ(easel()->WarningDialog(), nullptr);
    EXPECT_EQ(quitCode_, -1) << "no ordinary quit";
    const std::vector<fs::path> saved = savedPictures("Maya");
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].filename(), kRecoveryCopyName);
    EXPECT_TRUE(fs::exists(fs::path(root_) / "data/tumblo4/Users/Maya/user.ini")) << "the settings kept";
}

TEST_F(SessionTest, ExitWithUnsavedPaintAsksInsteadOfQuitting) {
    std::vector<u16> before, painted;
    ASSERT_NO_FATAL_FAILURE(loginAndPaint(&before, &painted));
    ctrl('Q');
    frames(3);
    EXPECT_FALSE(application_->IsQuitting());
    EXPECT_NE(easel()->WarningDialog(), nullptr) << "the program did not ask about the unsaved picture";
    EXPECT_TRUE(savedPictures("Maya").empty());
}

// Dialogs opened over the easel load their shapes after the easel's own: each must still find
// room for them, or it opens without a picture (and a login without its name field).
TEST_F(SessionTest, TheSaveQuestionOverTheEaselReachesTheScreen) {
    std::vector<u16> before, painted;
    ASSERT_NO_FATAL_FAILURE(loginAndPaint(&before, &painted));
    frames(3);
    const std::vector<u32> easelAlone = shown();
    ctrl('Q');
    frames(3);
    ASSERT_NE(easel()->WarningDialog(), nullptr);
    const std::vector<u32> asking = shown();
    keepScreenshot("save-question");
    ASSERT_EQ(asking.size(), easelAlone.size());
    size_t changed = 0;
    for (size_t i = 0; i < asking.size(); ++i) changed += asking[i] != easelAlone[i];
    // A dialog of some 300 x 150 pixels, not a stray cursor or button.
    EXPECT_GT(changed, 20000u) << "the save question is not on the screen (artifact save-question.ppm)";
}

TEST_F(SessionTest, LoggingInAsANewUserFromTheEaselTakesATypedName) {
    ASSERT_NO_FATAL_FAILURE(login());
    post(plat::kMsgCommand, kCmdLogInAsNewUser);
    frames(5);
    ASSERT_TRUE(application_->IsLoginOpen());
    keepScreenshot("login-again");
    type("Leo");
    press(kVkReturn);
    frames(5);
    ASSERT_FALSE(application_->IsLoginOpen()) << "the login took no name (artifact login-again.ppm)";
    EXPECT_EQ(application_->GetPaths()->UserName(), "Leo");
    EXPECT_EQ(application_->GetCurrentModuleCode(), kScreenEasel);
    EXPECT_TRUE(fs::is_directory(pictures("Leo")));
}

TEST_F(SessionTest, SwitchingToSpanishAndBackRedrawsTheEaselsTexts) {
    std::vector<u16> before, painted;
    ASSERT_NO_FATAL_FAILURE(loginAndPaint(&before, &painted));
    frames(3);
    const std::vector<u32> english = shown();
    keepScreenshot("easel-english");
    ASSERT_FALSE(english.empty());
    // The Controls menu's language item, as the menu bar sends it.
    post(plat::kMsgCommand, kCmdSwitchLanguage);
    frames(3);
    EXPECT_EQ(CurrentLanguage(), kLanguageSpanish);
    const std::vector<u32> spanish = shown();
    keepScreenshot("easel-spanish");
    EXPECT_TRUE(spanish != english) << "nothing on the screen changed with the language";
    post(plat::kMsgCommand, kCmdSwitchLanguage);
    frames(3);
    EXPECT_EQ(CurrentLanguage(), kLanguageEnglish);
    keepScreenshot("easel-english-again");
    // Back in English every text is as it was; the painting is untouched by either switch.
    EXPECT_TRUE(outsideCanvas(shown()) == outsideCanvas(english))
        << "the screen outside the canvas differs from before the switches (artifacts easel-english*.ppm)";
    EXPECT_EQ(strokeRow(), painted);
}

}  // namespace
