#include "framework/contents/GameFileMgr.h"

#include "engine/base/MemoryHandles.h"
#include "engine/ini/IniProfiles.h"
#include "engine/resources/ResourceManager.h"
#include "framework/language/LanguageTexts.h"
#include "tests/framework/filedialogs/FileDialogFixture.h"

namespace {

using namespace Ostrel;

class RecordingMgr : public GameFileMgr {
public:
    using GameFileMgr::GameFileMgr;
    void ExitProgram(int code) override { exits.push_back(code); }
    bool Quitting() const override { return quitting; }
    std::vector<int> exits;
    bool quitting = false;
};

class GameFileMgrTest : public testfw::FileDialogTest {
protected:
    void SetUp() override {
        testfw::FileDialogTest::SetUp();
        ASSERT_EQ(resInit(), kErrNone);
        std::ofstream(root_ + "/TB.ini") << "[LanguageFiles]\r\nEnglish=en.txt\r\n[Paint]\r\nDisc=1\r\nFile_0=p.arc\r\n";
        std::ofstream(root_ + "/en.txt") << "[ContentStrings]\r\nInsertDisc=Insert the disc\r\nEjectOtherCDs=Eject?\r\n"
                                            "AreYouSureQuit=Quit?\r\nNoDataMustQuit=No data\r\n"
                                            "volNotPrsntTwo=Put %s back, 100%d sure\r\nvolLocked=Locked\r\n"
                                            "volWriteProtect=Protected\r\n[GeneralStrings]\r\nAppName=Tumblo\r\n";
        pathFromText(&folder, folder_.c_str());
        SetupLanguageFolders(&folder, "TB.ini");
        manager = std::make_unique<RecordingMgr>(&folder, &folder);
    }
    void TearDown() override {
        manager.reset();
        pathRelease(&folder);
        resShutdown();
        testfw::FileDialogTest::TearDown();
    }
    std::vector<std::string> shownTexts() {
        std::vector<std::string> texts;
        for (const mfxAlertRecord& record : mfxTakeAlertRecords()) texts.push_back(record.text);
        return texts;
    }

    Path folder{};
    std::unique_ptr<RecordingMgr> manager;
};

using Texts = std::vector<std::string>;

TEST_F(GameFileMgrTest, PromptsAnswerAsTheirKindsSay) {
    struct Case {
        const char* name;
        u16 kind;
        u16 quitAllowed;
        u32 answer;
        u16 result;
        std::vector<int> exits;
        Texts shown;
    };
    const Case cases[] = {
        {"eject yes", tContents::kAskToEject, 1, kAlertAnswerYes, 1, {}, {"Eject?"}},
        {"eject no", tContents::kAskToEject, 1, kAlertAnswerNo, 0, {}, {"Eject?"}},
        {"disc refused, quit", tContents::kDiscRefused, 1, kAlertAnswerYes, 0, {1}, {"Quit?"}},
        {"disc refused, go on", tContents::kDiscRefused, 1, kAlertAnswerNo, 1, {}, {"Quit?"}},
        {"disc refused, no quitting", tContents::kDiscRefused, 0, kAlertAnswerYes, 0, {}, {}},
        {"item missing", tContents::kItemNotFound, 1, kAlertAnswerOk, 0, {1}, {"No data"}},
        {"no disc key", tContents::kNoDiscKey, 1, kAlertAnswerOk, 0, {1}, {"No data"}},
        {"no table, no quitting", tContents::kNoTableOfContents, 0, kAlertAnswerOk, 0, {}, {}},
        {"second locator", tContents::kSecondLocator, 1, kAlertAnswerOk, 0, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager->quitAllowed = c.quitAllowed;
        manager->exits.clear();
        mfxScriptAlertAnswers({c.answer});
        EXPECT_EQ(manager->Prompt(c.kind), c.result);
        EXPECT_EQ(manager->exits, c.exits);
        EXPECT_EQ(shownTexts(), c.shown);
        mfxScriptAlertAnswers({});
    }
}

TEST_F(GameFileMgrTest, AskingForADiscAndBackForOneTakenOut) {
    struct Case {
        u32 answer;
        u16 disc;
        u16 putBack;
    };
    const Case cases[] = {{kAlertAnswerOk, 1, 0}, {kAlertAnswerCancel, 0, 0}, {kAlertAnswerRetry, 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        mfxScriptAlertAnswers({c.answer});
        EXPECT_EQ(manager->AskForDisc(2), c.disc);
        EXPECT_EQ(shownTexts(), Texts{"Insert the disc"});
        mfxScriptAlertAnswers({c.answer});
        EXPECT_EQ(manager->AskToPutBackDisc("DISC%n", 1), c.putBack);
        const std::vector<mfxAlertRecord> shown = mfxTakeAlertRecords();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, "Put DISC%n back, 100%d sure") << "the name goes in as text, never as a format";
        EXPECT_EQ(shown[0].style, kAlertRetryCancel | kAlertIconStop);
    }
}

// Alerts shown while the program ends close by themselves with OK: a prompt that read that as
// "the disc is in" or "go on" would ask again without end.
TEST_F(GameFileMgrTest, NothingIsAskedForOnceTheProgramIsEnding) {
    manager->quitting = true;
    mfxScriptAlertAnswers({kAlertAnswerOk, kAlertAnswerRetry, kAlertAnswerYes, kAlertAnswerNo});
    EXPECT_EQ(manager->AskForDisc(1), 0);
    EXPECT_EQ(manager->AskToPutBackDisc("DISC", 1), 0);
    EXPECT_EQ(manager->Prompt(tContents::kAskToEject), 0);
    EXPECT_EQ(manager->Prompt(tContents::kDiscRefused), 0);
    EXPECT_EQ(shownTexts(), Texts{});
    EXPECT_TRUE(manager->exits.empty());
    mfxScriptAlertAnswers({});
}

TEST_F(GameFileMgrTest, VolumeErrorsAreReportedAndNeverQuit) {
    struct Case {
        u32 kind;
        Texts shown;
    };
    const Case cases[] = {{kOsErrorKindSystem, {"Tumblo"}},
                          {kOsErrorKindDriveLocked, {"Locked"}},
                          {kOsErrorKindInsertVolume, {}},
                          {kOsErrorKindWriteProtected, {"Protected"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        u16 quit = 1;
        EXPECT_EQ(manager->ReportVolumeError(OsErrorRecord{c.kind, 1, 0, nullptr, nullptr}, &quit), 0);
        EXPECT_EQ(quit, 0);
        EXPECT_EQ(shownTexts(), c.shown);
    }
}

// The unsaved work is kept before each stop of the program; keeping it may meet the damage that
// stops it again, and that stop keeps nothing more.
TEST_F(GameFileMgrTest, UnsavedWorkIsKeptBeforeTheProgramStops) {
    manager.reset();
    GameFileMgr files(&folder, &folder);
    std::vector<std::string> steps;
    files.stopProgram = [&](int code) { steps.push_back("stop " + std::to_string(code)); };
    files.ExitProgram(4);
    files.keepUnsavedWork = [&] {
        steps.push_back("keep");
        files.ExitProgram(2);
    };
    mfxScriptAlertAnswers({kAlertAnswerOk});
    EXPECT_EQ(files.Prompt(tContents::kItemNotFound), 0);
    files.ExitProgram(3);
    EXPECT_EQ(steps, (std::vector<std::string>{"stop 4", "keep", "stop 2", "stop 1", "keep", "stop 2", "stop 3"}));
    EXPECT_EQ(shownTexts(), Texts{"No data"});
    mfxScriptAlertAnswers({});
}

TEST(InsertName, OnlyTheFirstPlaceholderTakesTheName) {
    EXPECT_EQ(InsertName("Put %s in %s", "A%sB"), "Put A%sB in %s");
    EXPECT_EQ(InsertName("No place", "A"), "No place");
    EXPECT_EQ(InsertName("%s", ""), "");
}

}  // namespace
