#include "framework/printing/mfxPrintProgress.h"

#include <filesystem>
#include <fstream>

#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/ini/IniProfiles.h"
#include "engine/os/OsManager.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "platform/files/Files.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/print/choice/PrintChoice.h"
#include "tests/engine/gfx/RecordingPrinter.h"
#include "tests/framework/WindowFixture.h"

namespace {

class PrintProgressTest : public testfw::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
        plat::print::setPrintBackend(&printer);
        mfxTakeAlertRecords();
        // The messages' words, as the language texts give them.
        ASSERT_EQ(osmInit(nullptr), kErrNone);
        ASSERT_EQ(osInit(), kErrNone);
        ASSERT_EQ(iniInit(), kErrNone);
        std::filesystem::create_directories(texts_);
        std::ofstream(texts_ / "TB.ini") << "[LanguageFiles]\r\nEnglish=E.ini\r\n";
        std::ofstream(texts_ / "E.ini") << "[DialogsStrings]\r\nPrintError=Print Error\r\nPrintErrorMemory=Not enough memory.\r\n"
                                           "PrintErrorDisk=Not enough room on disk.\r\nPrintErrorGeneral=General error.\r\n";
        Path folder{};
        pathFromText(&folder, plat::textOfHostPath(texts_).c_str());
        SetupLanguageFolders(&folder, kLanguageSetupFile);
        pathRelease(&folder);
    }
    void TearDown() override {
        GfxPrintCall close{window->GetHandle(), 1, kGfxPrintCallClose, 0};
        mfxPrintProgress(nullptr, &close, nullptr);
        mfxScriptAlertAnswers({});
        gfxSetDefaultPrintProgress(nullptr);
        plat::print::setPrintBackend(nullptr);
        // The language module keeps the folder between tests: none may outlive its test's services.
        Path none{};
        SetupLanguageFolders(&none, kLanguageSetupFile);
        std::filesystem::remove_all(texts_);
        iniShutdown();
        osShutdown();
        osmShutdown();
        gfxShutdownPalettes();
        memShutdown();
        WindowTest::TearDown();
    }
    i32 call(GfxPrintSetup* setup, u16 kind, u16 retry = 1, u16 errorKind = 0) {
        GfxPrintCall record{window->GetHandle(), retry, kind, errorKind};
        return mfxPrintProgress(setup, &record, nullptr);
    }

    testprint::RecordingPrinter printer;
    const std::filesystem::path texts_ = std::filesystem::path(testing::TempDir()) / "print-progress-texts";
};

TEST_F(PrintProgressTest, PollsGoOnUntilTheUserCancels) {
    struct Case {
        const char* name;
        uint8_t key;
    };
    const Case cases[] = {{"Enter on Cancel", plat::kVkReturn}, {"Space on Cancel", plat::kVkSpace},
                          {"Escape", plat::kVkEscape}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GfxPrintSetup setup("Job", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
        EXPECT_EQ(call(&setup, kGfxPrintCallOpen), 1);
        EXPECT_TRUE(mfxPrintProgressShown());
        EXPECT_EQ(call(&setup, kGfxPrintCallPoll), 1);
        EXPECT_EQ(call(&setup, kGfxPrintCallPoll), 1) << "nothing waiting: the poll returns at once";
        press(c.key);
        EXPECT_EQ(call(&setup, kGfxPrintCallPoll), 0);
        EXPECT_FALSE(mfxPrintProgressShown());
        EXPECT_EQ(call(&setup, kGfxPrintCallPoll), 0) << "a closed window stays cancelled";
        EXPECT_EQ(call(&setup, kGfxPrintCallClose), 1);
    }
}

TEST_F(PrintProgressTest, OtherKeysDoNotCancelAndReachNoOtherWindow) {
    GfxPrintSetup setup("Job", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    call(&setup, kGfxPrintCallOpen);
    press('A');
    EXPECT_EQ(call(&setup, kGfxPrintCallPoll), 1);
    EXPECT_EQ(window->heard('A'), 0) << "the owner hears nothing while the progress window is up";
    call(&setup, kGfxPrintCallClose);
    EXPECT_FALSE(mfxPrintProgressShown());
}

TEST_F(PrintProgressTest, ErrorsAreShownUnderPrintErrorWithRetryWhenPossible) {
    struct Case {
        u16 errorKind;
        u16 retry;
        u32 scripted;
        const char* text;
        u32 buttons;
        i32 answer;
    };
    const Case cases[] = {
        {kGfxPrintErrorMemory, 1, kAlertAnswerRetry, "Not enough memory.", kAlertRetryCancel, 1},
        {kGfxPrintErrorDisk, 1, kAlertAnswerCancel, "Not enough room on disk.", kAlertRetryCancel, 0},
        {kGfxPrintErrorDisk, 0, kAlertAnswerOk, "Not enough room on disk.", kAlertOk, 0},
        {kGfxPrintErrorGeneral, 0, kAlertAnswerOk, "General error.", kAlertOk, 0},
        {7, 0, kAlertAnswerOk, "General error.", kAlertOk, 0},
    };
    GfxPrintSetup setup("Job", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        mfxScriptAlertAnswers({c.scripted});
        EXPECT_EQ(call(&setup, kGfxPrintCallError, c.retry, c.errorKind), c.answer);
        const std::vector<mfxAlertRecord> shown = mfxTakeAlertRecords();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, c.text);
        EXPECT_EQ(shown[0].caption, "Print Error");
        EXPECT_EQ(shown[0].style, kAlertIconExclamation | c.buttons);
    }
}

class PrintingWithProgressTest : public PrintProgressTest {
protected:
    void SetUp() override {
        PrintProgressTest::SetUp();
        mfxInstallPrintProgress();
    }
    GfxPort* start(GfxPrintSetup& setup) {
        GfxPort* port = gfxNewPrinterPort(&setup, nullptr);
        EXPECT_NE(port, nullptr);
        EXPECT_EQ(gfxLockPort(port), kErrNone);
        EXPECT_EQ(gfxPrintStartDoc(port, window->GetHandle(), nullptr, nullptr), kErrNone);
        return port;
    }
    void finish(GfxPort* port) {
        gfxUnlockPort(port);
        gfxDisposePort(port);
    }
};

TEST_F(PrintingWithProgressTest, CancelInTheProgressWindowAbortsTheDocument) {
    GfxPrintSetup setup("Drawing", 1, 3, 3, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    GfxPort* port = start(setup);
    EXPECT_TRUE(mfxPrintProgressShown());
    ASSERT_EQ(gfxPrintStartPage(port), kErrNone);
    ASSERT_EQ(gfxPrintEndPage(port, 0), kErrNone);
    press(plat::kVkReturn);
    ASSERT_EQ(gfxPrintStartPage(port), kErrNone);
    EXPECT_EQ(gfxPrintEndPage(port, 0), kGfxErrPrintAborted);
    EXPECT_EQ(gfxPrintStartPage(port), kGfxErrPrintAborted);
    EXPECT_EQ(gfxPrintEndDoc(port), kGfxErrPrintAborted);
    EXPECT_FALSE(mfxPrintProgressShown());
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].pages.size(), 1u);
    EXPECT_TRUE(printer.jobs[0].aborted);
    finish(port);
}

TEST_F(PrintingWithProgressTest, AnOutOfDiskJobShowsTheMessageAndEndsInError) {
    printer.failPage = 1;
    printer.failCode = plat::print::kSpoolOutOfDisk;
    GfxPrintSetup setup("Drawing", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    GfxPort* port = start(setup);
    ASSERT_EQ(gfxPrintStartPage(port), kErrNone);
    EXPECT_EQ(gfxPrintEndPage(port, 0), kGfxErrPrinting);
    EXPECT_EQ(gfxPrintEndDoc(port), kGfxErrPrinting);
    const std::vector<mfxAlertRecord> shown = mfxTakeAlertRecords();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Not enough room on disk.");
    EXPECT_EQ(shown[0].caption, "Print Error");
    EXPECT_FALSE(mfxPrintProgressShown());
    finish(port);
}

}  // namespace
