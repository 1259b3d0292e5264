#include "app/application/RApplication.h"

#include "app/splash/RSplash.h"
#include "document/import/FileImport.h"
#include "document/pages/PagePainting.h"
#include "document/project/RPortfolio.h"
#include "engine/gfx/GfxInit.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxPrintSetup.h"
#include "engine/gfx/GfxPrinterPort.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "engine/os/OsManager.h"
#include "framework/contents/GameFileMgr.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "framework/printing/mfxPrintProgress.h"
#include "framework/undo/UndoManager.h"
#include "media/quicktime/ImgJpeg.h"
#include "media/quicktime/ImgPagePicture.h"
#include "media/quicktime/QtConnection.h"
#include "media/swfgl/FirstFramePainter.h"
#include "sound/RSoundManager.h"
#include "text/speech/ASpeechHandler.h"
#include "text/speech/SpeechSurroundings.h"
#include "document/users/Paths.h"
#include "tests/app/application/ShellTestFixture.h"

namespace {

using namespace Ostrel;
using Log = std::vector<std::string>;

class RApplicationTest : public testapp::ShellTest {};

TEST_F(RApplicationTest, StartupBringsEveryServiceUpAndExitTakesThemDownAgain) {
    Log log;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        log.clear();
        RApplication application;
        application.SetShellParts(parts(&log));
        ASSERT_EQ(application.Startup(0, {}), 0);
        EXPECT_TRUE(gfxInitialised());
        ASSERT_NE(sprScreen(), nullptr);
        EXPECT_NE(application.GetPaths(), nullptr);
        ASSERT_NE(application.GetUndoManager(), nullptr);
        EXPECT_EQ(application.GetUndoManager()->MenuText(), "Undo");
        EXPECT_NE(application.GetSoundManager(), nullptr);
        EXPECT_NE(application.GetPortfolio(), nullptr);
        EXPECT_NE(application.GetWindowPort(), nullptr);
        EXPECT_NE(application.GetOffscreenPort(), nullptr);
        ASSERT_NE(application.GetMainWindow(), nullptr);
        EXPECT_EQ(osmGetMainWindow(), application.GetMainWindow()->GetHandle());
        EXPECT_EQ(application.GetCurrentModuleCode(), kScreenSplash);
        EXPECT_EQ(log, (Log{"make 5571", "enter 5571"}));
        // The canvas comes from the user's writable copy of the installed settings.
        EXPECT_TRUE(std::filesystem::exists(root_ + "/config/tumblo4/TB.ini"));
        Rect16 canvas{};
        application.GetCanvasRect(&canvas);
        EXPECT_EQ(canvas.left, 104);
        EXPECT_EQ(canvas.right, 104 + 592);
        application.ExitInstance();
        EXPECT_EQ(log.back(), "delete 5571");
        EXPECT_EQ(sprScreen(), nullptr);
        EXPECT_FALSE(gfxInitialised());
        EXPECT_EQ(application.GetPaths(), nullptr);
        EXPECT_EQ(application.GetMainWindow(), nullptr);
        EXPECT_EQ(osmGetMainWindow(), plat::kNoWindow);
        // Texts are looked up through nothing that went with the file services.
        EXPECT_STREQ(LookupLanguageText("GeneralStrings", "AppName").c_str(), "");
    }
}

TEST_F(RApplicationTest, SpeechFindsTheUsersFoldersWhileTheApplicationLivesAndNotAfter) {
    Log log;
    {
        RApplication application;
        application.SetShellParts(parts(&log));
        ASSERT_EQ(application.Startup(0, {}), 0);
        const SpeechSurroundings& speech = CurrentSpeechSurroundings();
        ASSERT_TRUE(speech.folderText);
        EXPECT_TRUE(speech.speechMissing);
        EXPECT_EQ(speech.folderText(kSpeechListFolder), application.GetPaths()->BuildPath(kSpeechListFolder, true));
        ASSERT_NE(ASpeechHandler::GetInstance(), nullptr);
        application.ExitInstance();
        // The folders are gone with the exit: nothing is asked of them any more.
        EXPECT_EQ(speech.folderText(kSpeechListFolder), "");
    }
    EXPECT_FALSE(CurrentSpeechSurroundings().folderText);
    EXPECT_FALSE(CurrentSpeechSurroundings().speechMissing);
}

TEST_F(RApplicationTest, TheMediaRuntimeIsHeldFromTheStartToTheExitAndItsAbsenceStopsNothing) {
    struct Case {
        const char* label;
        std::string folder;
        bool connected;
    };
    const Case cases[] = {{"beside the program", TUMBLO_TEST_PROGRAM_DIR, true}, {"nowhere", root_, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        qtSetSearchFolders({c.folder});
        Log log;
        RApplication application;
        application.SetShellParts(parts(&log));
        ASSERT_EQ(application.Startup(0, {}), 0);
        EXPECT_EQ(qtConnected(), c.connected);
        application.ExitInstance();
        EXPECT_FALSE(qtConnected());
    }
    qtSetSearchFolders({});
}

// What the program's screens rely on without calling it themselves is in place from the start
// to the exit: the print dialog (the print dialogs' Options) and the progress window with its
// Cancel, the picture reader of Add a Picture, the painter that flattens Flash objects, and
// the JPEG decoders through which shapes' JPEG pictures load.
TEST_F(RApplicationTest, PrintingPictureAndFlashServicesAreInstalledFromTheStartToTheExit) {
    qtSetSearchFolders({TUMBLO_TEST_PROGRAM_DIR});
    Log log;
    RApplication application;
    application.SetShellParts(parts(&log));
    ASSERT_EQ(application.Startup(0, {}), 0);
    EXPECT_TRUE(gfxHasPrintDialogProc());
    EXPECT_EQ(gfxGetDefaultPrintProgress(), &mfxPrintProgress);
    EXPECT_EQ(GetPictureFileReader(), &imgReadPictureFile);
    EXPECT_EQ(GetVectorPainter(), &swf::draw::PaintFirstFrame);

    // A shape's JPEG picture becomes a plain picture of its size.
    GfxPort* port = gfxNewOffscreenPort(24, 16, 16, nullptr);
    ASSERT_NE(port, nullptr);
    const Rect16 whole{0, 0, 24, 16};
    const memHandle jpeg = imgBitmapToJPEG(port, &whole, whole, nullptr, kImgDefaultQuality, 16);
    gfxDisposePort(port);
    ASSERT_NE(jpeg, 0u);
    ASSERT_TRUE(sprIsJpegPicture(static_cast<const u8*>(memDerefHandle(jpeg)), u32(memGetHandleSize(jpeg))));
    EXPECT_EQ(sprPreparePicture(jpeg), kErrNone);
    const u8* picture = static_cast<const u8*>(memDerefHandle(jpeg));
    EXPECT_FALSE(sprIsJpegPicture(picture, u32(memGetHandleSize(jpeg))));
    EXPECT_EQ(picture[1], 24);
    EXPECT_EQ(picture[3], 16);
    memFreeHandle(jpeg);

    application.ExitInstance();
    EXPECT_FALSE(gfxHasPrintDialogProc());
    EXPECT_EQ(gfxGetDefaultPrintProgress(), nullptr);
    EXPECT_EQ(GetPictureFileReader(), nullptr);
    EXPECT_EQ(GetVectorPainter(), nullptr);
    EXPECT_EQ(sprGetJpegDecoder(), nullptr);
    qtSetSearchFolders({});
}

TEST_F(RApplicationTest, PromptForMissingCDSetsTheContentManagersPromptFlagWhichDefaultsToOn) {
    struct Case {
        const char* line;
        u16 flag;
    };
    const Case cases[] = {{"", 1}, {"PromptForMissingCD=FALSE", 0}, {"PromptForMissingCD=TRUE", 1}, {"PromptForMissingCD=maybe", 1}};
    const std::string ini = root_ + "/prog/TB.ini";
    std::string installed;
    {
        std::ifstream in(ini, std::ios::binary);
        installed.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const size_t key = installed.find("PromptForMissingCD=");
    ASSERT_NE(key, std::string::npos);
    const size_t end = installed.find_first_of("\r\n", key);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::ofstream(ini, std::ios::binary | std::ios::trunc) << installed.substr(0, key) << c.line << installed.substr(end);
        Log log;
        RApplication application;
        application.SetShellParts(parts(&log));
        ASSERT_EQ(application.Startup(0, {}), 0);
        ASSERT_NE(application.GetContentManager(), nullptr);
        EXPECT_EQ(application.GetContentManager()->quitAllowed, c.flag);
        application.ExitInstance();
    }
}

TEST_F(RApplicationTest, ADocumentInQuotesLosesThemAndAnUnquotedOneStaysAsGiven) {
    struct Case {
        const char* given;
        const char* stored;
    };
    const Case cases[] = {{"\"My Pictures/cat.tbx\"", "My Pictures/cat.tbx"}, {"cat.tbx", "cat.tbx"}, {"\"", ""}};
    for (const Case& c : cases) {
        RApplication application;
        application.InitInstance(0, {}, c.given);
        EXPECT_EQ(application.GetDocumentPath(), c.stored) << c.given;
    }
}

TEST_F(RApplicationTest, NoSplashWithLoginAsGoesStraightToTheEaselOfThatUser) {
    writeSetup("NoSplash=TRUE\r\nLoginAs=Maya\r\nStartupDoc=");
    Log log;
    RApplication application;
    application.SetShellParts(parts(&log));
    ASSERT_EQ(application.Startup(0, {}), 0);
    EXPECT_TRUE(log.empty());
    application.OnIdle();  // delivers the posted 5576
    EXPECT_EQ(log, (Log{"make 5568", "enter 5568", "5568 hears 6605"}));
    EXPECT_TRUE(application.IsUserLoggedIn());
    EXPECT_TRUE(application.IsLoginFromConfiguration());
    EXPECT_EQ(application.GetPaths()->UserName(), "Maya");
    EXPECT_NE(application.GetCurrentPage(), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->loaded);
    EXPECT_TRUE(std::filesystem::exists(root_ + "/data/tumblo4/Users/Maya/Pictures"));
    application.ExitInstance();
    // The user's switches were written at exit.
    EXPECT_TRUE(std::filesystem::exists(root_ + "/data/tumblo4/Users/Maya/user.ini"));
}

TEST_F(RApplicationTest, TheStartDocumentChoosesTheScreenAfterTheLogin) {
    struct Case {
        const char* document;
        u32 screen;
    };
    const Case cases[] = {{"C:\\Shows\\Trip.TBP", kScreenPicker}, {"C:\\Pictures\\cat.tbx", kScreenEasel}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document);
        writeSetup("NoSplash=TRUE\r\nLoginAs=Maya");
        Log log;
        RApplication application;
        application.SetShellParts(parts(&log));
        application.InitInstance(0, {}, c.document);
        ASSERT_EQ(application.Startup(0, {}), 0);
        application.OnIdle();
        EXPECT_EQ(application.GetCurrentModuleCode(), c.screen);
        // Only the first screen after the login opens the document.
        const std::string opens = std::to_string(c.screen) + " opens " + c.document;
        EXPECT_EQ(std::count(log.begin(), log.end(), opens), 1);
        application.SwitchModule(c.screen);
        EXPECT_EQ(std::count(log.begin(), log.end(), opens), 1);
        application.ExitInstance();
    }
}

TEST_F(RApplicationTest, SwitchingDeletesTheOldScreenBeforeMakingTheNext) {
    Log log;
    RApplication application;
    application.SetShellParts(parts(&log));
    ASSERT_EQ(application.Startup(0, {}), 0);
    log.clear();
    // The splash does not hear forwarded codes; pickers and easels do.
    RMessage splashAgain(kScreenSplash, 0, 0);
    application.HandleMessage(&splashAgain, 0);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(application.SwitchModule(kScreenPicker), 0);
    EXPECT_EQ(log, (Log{"delete 5571", "make 5567", "enter 5567"}));
    EXPECT_EQ(window->modes.back(), 129);
    log.clear();
    application.HandleMessage(&splashAgain, 0);
    EXPECT_EQ(log, (Log{"5567 hears 5571"}));
    EXPECT_EQ(application.SwitchModule(kScreenEasel), 0);
    EXPECT_EQ(window->modes.back(), 128);
    // A code without a screen leaves none.
    EXPECT_EQ(application.SwitchModule(1234), 0);
    EXPECT_EQ(application.GetCurrentModule(), nullptr);
    application.ExitInstance();
}

TEST_F(RApplicationTest, TheLoginOpensOnceAndItsQuitAnswerEndsTheProgram) {
    Log log;
    RApplication application;
    application.SetShellParts(parts(&log));
    ASSERT_EQ(application.Startup(0, {}), 0);
    log.clear();
    ASpeechHandler* speech = ASpeechHandler::GetInstance();
    ASSERT_NE(speech, nullptr);
    speech->Speak("Hello", 5);
    ASSERT_TRUE(speech->IsSpeaking());
    RMessage open(kMsgOpenDocument, 0, 0);
    application.HandleMessage(&open, 0);
    application.HandleMessage(&open, 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "login 0"), 1);
    EXPECT_TRUE(application.IsLoginOpen());
    EXPECT_FALSE(speech->IsSpeaking()) << "the page's reading stops at the login";
    RMessage quit(kMsgLoginClosed, 0, kLoginQuit);
    application.HandleMessage(&quit, 0);
    EXPECT_FALSE(application.IsLoginOpen());
    EXPECT_TRUE(application.IsQuitting());
    application.ExitInstance();
}

TEST_F(RApplicationTest, TheSplashEndsOnceWhateverEndsItAndAsksForTheLogin) {
    Log log;
    RApplication application;
    ShellParts shell = parts(&log, true);
    shell.screen = [](u32 code) -> std::unique_ptr<RModule> {
        if (code == kScreenSplash) return std::make_unique<RSplash>();
        return nullptr;
    };
    application.SetShellParts(shell);
    ASSERT_EQ(application.Startup(0, {}), 0);
    auto* splash = dynamic_cast<RSplash*>(application.GetCurrentModule());
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->Showing());
    // A click and a key before the first end is handled.
    EXPECT_EQ(splash->HandleInput(0, Point16{10, 10}, 0), 1u);
    EXPECT_EQ(splash->HandleKey('a'), 1u);
    EXPECT_FALSE(splash->Showing());
    application.OnIdle();  // the splash's two 700s
    application.OnIdle();  // the application's 5576
    EXPECT_EQ(std::count(log.begin(), log.end(), "login 0"), 1);
    application.ExitInstance();
}

// The easel's "Add or Delete Users" asks with parameter 2 = 1: the login then knows a user is
// current (it leaves that user out of the list, so the administrator cannot delete the folder
// the easel works in, and leaving the administrator's form closes it).
TEST_F(RApplicationTest, TheAdministratorsLoginOpensAsALaterLoginWhenAskedFromAScreen) {
    struct Case {
        u16 param2;
        const char* opened;
    };
    for (const Case& c : {Case{1, "login 1"}, Case{0, "login 0"}}) {
        SCOPED_TRACE(c.param2);
        writeSetup("NoSplash=TRUE\r\nLoginAs=Maya");
        Log log;
        RApplication application;
        application.SetShellParts(parts(&log));
        ASSERT_EQ(application.Startup(0, {}), 0);
        application.OnIdle();
        ASSERT_EQ(application.GetCurrentModuleCode(), kScreenEasel);
        log.clear();
        RMessage admin(kMsgAdminLogin, 265, c.param2);
        application.HandleMessage(&admin, 0);
        EXPECT_EQ(log, (Log{c.opened, "0 hears 5578"}));
        application.ExitInstance();
    }
}

// A screen that notes whose folders are current when it goes: a screen saves its panels'
// choices into the current user's file as it is deleted.
class UserNotingScreen : public RModule {
public:
    explicit UserNotingScreen(Log* log) : log_(log) {}
    ~UserNotingScreen() override {
        const RApplication* application = GetApplication();
        log_->push_back("gone as " + (application && application->GetPaths() ? application->GetPaths()->UserName() : ""));
    }

private:
    Log* log_;
};

TEST_F(RApplicationTest, TheScreenOfTheUserWhoLeavesGoesWhileThatUserIsStillCurrent) {
    Log log;
    RApplication application;
    ShellParts shell = parts(&log);
    shell.screen = [&log](u32 code) -> std::unique_ptr<RModule> {
        if (code == kScreenSplash) return std::make_unique<testapp::RecordingScreen>(code, &log);
        if (code == kScreenEasel) return std::make_unique<UserNotingScreen>(&log);
        return nullptr;
    };
    application.SetShellParts(shell);
    ASSERT_EQ(application.Startup(0, {}), 0);
    for (const char* name : {"Maya", "Zoe"}) {
        // The easel's "Log In As New User" asks with parameter 2 = 1 once a user works.
        RMessage open(kMsgOpenDocument, 265, application.IsUserLoggedIn() ? 1 : 0);
        application.HandleMessage(&open, 0);
        RMessage answer(kMsgLoginClosed, 0, kLoginChosen);
        answer.Carry(std::string(name));
        application.HandleMessage(&answer, 0);
        ASSERT_EQ(application.GetPaths()->UserName(), name);
        ASSERT_EQ(application.GetCurrentModuleCode(), kScreenEasel);
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), "gone as Maya"), 1);
    // A name the folders refuse keeps the screen of the user who works.
    RMessage again(kMsgOpenDocument, 265, 1);
    application.HandleMessage(&again, 0);
    RMessage refused(kMsgLoginClosed, 0, kLoginChosen);
    refused.Carry(std::string("../escape"));
    application.HandleMessage(&refused, 0);
    EXPECT_EQ(application.GetCurrentModuleCode(), kScreenEasel);
    EXPECT_EQ(std::count(log.begin(), log.end(), "gone as Zoe"), 0);
    application.ExitInstance();
    EXPECT_EQ(std::count(log.begin(), log.end(), "gone as Zoe"), 1);
}

TEST_F(RApplicationTest, ANameAnswerLogsTheUserInAndARefusedNameBringsTheLoginBack) {
    struct Case {
        const char* name;
        bool loggedIn;
        u32 screen;
    };
    const Case cases[] = {{"Maya", true, kScreenEasel}, {"../escape", false, kScreenSplash}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Log log;
        RApplication application;
        application.SetShellParts(parts(&log));
        ASSERT_EQ(application.Startup(0, {}), 0);
        RMessage open(kMsgOpenDocument, 0, 0);
        application.HandleMessage(&open, 0);
        RMessage answer(kMsgLoginClosed, 0, kLoginChosen);
        answer.Carry(std::string(c.name));
        application.HandleMessage(&answer, 0);
        EXPECT_EQ(application.IsUserLoggedIn(), c.loggedIn);
        EXPECT_EQ(application.GetCurrentModuleCode(), c.screen);
        EXPECT_EQ(application.IsLoginOpen(), !c.loggedIn);
        if (c.loggedIn) {
            ASSERT_NE(application.GetGlobalUserSettings(), nullptr);
            EXPECT_EQ(application.GetGlobalUserSettings()->smallKids, 0);
        }
        application.ExitInstance();
    }
}

}  // namespace

namespace {

// A save or a movie export killed half way leaves its new file beside its target; the next
// start removes every such file in the settings and the users' folders, whatever its target,
// and nothing else.
TEST_F(RApplicationTest, StartupRemovesWhatKilledSavesLeftBehind) {
    struct Entry {
        const char* path;  // below the test's root
        bool stays;
    };
    const Entry entries[] = {
        {"config/tumblo4/TB.ini.~tumblo.tmp", false},
        {"data/tumblo4/Users/Maya/Pictures/Cat.tbx", true},
        {"data/tumblo4/Users/Maya/Pictures/Cat.tbx.~tumblo.tmp", false},
        {"data/tumblo4/Users/Maya/Slide Shows/Zoo.tbp.~tumblo.tmp", false},
        {"data/tumblo4/Users/Maya/user.ini.~tumblo.tmp", false},
        {"data/tumblo4/Users/Maya/Library/Sounds/Moo.kvr.~tumblo.tmp", false},
        {"data/tumblo4/Users/Maya/Pictures/notes.tmp", true},
        {"data/tumblo4/Users/Maya/Pictures/Zoo.mov.writing", false},  // a movie export's
        {"data/tumblo4/Users/Maya/Pictures/diary.writing", true},
        {"data/tumblo4/Users/Maya/Pictures/~tumblo.tmp.tbx", true},
        {"data/tumblo4/Users/Maya/Library/Sounds/Mine/Old.kvr.~tumblo.tmp", false},
        {"data/tumblo4/Users/Maya/Library/Sounds/Mine/Deeper/Old.kvr.~tumblo.tmp", true},
    };
    for (const Entry& e : entries) {
        std::filesystem::create_directories(std::filesystem::path(root_ + "/" + e.path).parent_path());
        std::ofstream(root_ + "/" + e.path) << "half";
    }
    Log log;
    RApplication application;
    application.SetShellParts(parts(&log));
    ASSERT_EQ(application.Startup(0, {}), 0);
    for (const Entry& e : entries) EXPECT_EQ(std::filesystem::exists(root_ + "/" + e.path), e.stays) << e.path;
    application.ExitInstance();
}

}  // namespace
