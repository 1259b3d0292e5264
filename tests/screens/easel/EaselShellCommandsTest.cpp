// The shell's commands reaching the easel inside the running program: help mode comes on at
// the Help button and goes again when help mode says it is finished; the menu's Print opens
// the picture's print dialog, whose OK prints the page to the "PDF file" printer; the window's
// close box asks to save unsaved work as Exit does.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <set>
#include <vector>

#include "app/dialogs/DialogTextBox.h"
#include "app/dialogs/RABCTextDlg.h"
#include "app/dialogs/RDlgWarnings.h"
#include "app/help/HelpContext.h"
#include "app/help/RHelp.h"
#include "app/help/RHelpDlg.h"
#include "app/menus/MenuCommands.h"
#include "app/print/PrintJobHolder.h"
#include "app/settings/GlobalUserSettings.h"
#include "app/window/LoopPace.h"
#include "engine/os/OsManager.h"
#include "engine/resources/NamedResources.h"
#include "framework/controls/RTexturePicker.h"
#include "framework/language/LanguageTexts.h"
#include "panels/pencil/RPencilPanel.h"
#include "platform/files/Files.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/print/choice/PrintChoice.h"
#include "platform/print/headless/HeadlessPrint.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/REasel.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

// A job that counts the red pixels of the pages it is handed, then passes them on.
class CountingJob : public plat::print::PrintJob {
public:
    CountingJob(std::unique_ptr<plat::print::PrintJob> job, size_t* red) : job_(std::move(job)), red_(red) {}
    int addPage(const plat::print::PageImage& page) override {
        for (i32 y = 0; y < page.height; ++y) {
            const uint8_t* row = page.pixels + size_t(y) * size_t(page.stride);
            for (i32 x = 0; x < page.width; ++x)
                if (row[3 * x] < 64 && row[3 * x + 1] < 64 && row[3 * x + 2] > 192) ++*red_;
        }
        return job_->addPage(page);
    }
    int finish() override { return job_->finish(); }
    void abort() override { job_->abort(); }
    std::string writtenFile() const override { return job_->writtenFile(); }

private:
    std::unique_ptr<plat::print::PrintJob> job_;
    size_t* red_;
};

// The "PDF file" printer writing into the test's folder.
class FilePrinter : public plat::print::HeadlessPrintBackend {
public:
    bool defaultPrinter(plat::print::PrinterSettings* out) override {
        if (!HeadlessPrintBackend::defaultPrinter(out)) return false;
        out->outputPath = outputPath;
        return true;
    }
    std::unique_ptr<plat::print::PrintJob> startJob(const plat::print::PrinterSettings& settings, const std::string& title,
                                                    plat::print::AbortProc abort, int* error) override {
        auto job = HeadlessPrintBackend::startJob(settings, title, std::move(abort), error);
        return job ? std::make_unique<CountingJob>(std::move(job), &redPixels) : nullptr;
    }
    std::string outputPath;
    size_t redPixels = 0;
};

class EaselShellCommands : public testscreens::EaselHarness {
protected:
    void SetUp() override {
        EaselHarness::SetUp();
        if (HasFatalFailure()) return;
        printer.outputPath = root_ + "/picture.pdf";
        plat::print::setPrintBackend(&printer);
        enterEasel();
        if (HasFatalFailure()) return;
        // The framework's own archive holds the print dialogs; the program finds it beside
        // itself, a test runs from its own folder, where it is not.
        systemOpen = OpenNamedResource("System", 1) == kErrNone;
    }
    void TearDown() override {
        plat::print::setPrintBackend(nullptr);
        if (systemOpen) ReleaseNamedResource("System");
        EaselHarness::TearDown();
    }
    Point16 buttonCentre(u16 id) {
        const i32 index = easel->FindButtonById(id);
        if (index < 0) return {-1, -1};
        return centreOf(easel->Buttons()[size_t(index)]->GetSprite());
    }

    // The help page's green words stand out from the page behind them: the contrast of the
    // page's colour (the top of the text box, where no word reaches) with pure green is at
    // least 4.5 to 1, as readable text asks.
    void ExpectGreenTextReadable() {
        const Rect16 box = FirstPartRect(kHelpDlgTextParts);
        const u32 behind = shownPixel(Point16{i16(box.left + 20), i16(box.top + 6)});
        EXPECT_GE(Contrast(behind, 0x00FF00), kReadableContrast) << std::hex << behind;
    }
    // The contrast of two colours (0xRRGGBB) as readable text measures it: 1 to 21.
    static double Contrast(u32 a, u32 b) {
        const auto luminance = [](u32 rgb) {
            const auto linear = [](u32 channel) {
                const double c = double(channel & 0xFF) / 255.0;
                return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * linear(rgb >> 16) + 0.7152 * linear(rgb >> 8) + 0.0722 * linear(rgb);
        };
        const double la = luminance(a), lb = luminance(b);
        return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
    }
    static constexpr double kReadableContrast = 4.5;

    FilePrinter printer;
    bool systemOpen = false;
};

TEST_F(EaselShellCommands, HelpModeComesOnAtTheHelpButtonAndStaysOnAtAPressOnNothing) {
    ASSERT_NE(dynamic_cast<RPencilPanel*>(easel->CurrentPanel()), nullptr);
    click(buttonCentre(kHelpButton));
    ASSERT_NE(easel->Help(), nullptr);
    EXPECT_TRUE(easel->Canvas()->ClicksSuspended());
    // Help mode reads the pencil panel's help words.
    EXPECT_EQ(GetHelpContext().buttonSets, (std::array<u16, 3>{777, 827, 828}));

    // Help again while it is on: still one help object.
    RMessage again(239, 0, 0);
    easel->HandleMessage(&again, 0);
    ASSERT_NE(easel->Help(), nullptr);

    // A press on nothing leaves help mode on: only a closed page ends it.
    click(Point16{4, 590});
    EXPECT_NE(easel->Help(), nullptr);
    EXPECT_TRUE(easel->Canvas()->ClicksSuspended());
}

// In help mode each of the pencil panel's buttons opens its own page.
TEST_F(EaselShellCommands, HelpModeExplainsThePencilPanelButtonUnderThePointer) {
    auto* pencils = dynamic_cast<RPencilPanel*>(easel->CurrentPanel());
    ASSERT_NE(pencils, nullptr);
    const auto centreOfButton = [&](u16 command) {
        const int index = pencils->FindButtonByCommand(command);
        if (index >= 0) return centreOf(pencils->Buttons()[size_t(index)]->GetSprite());
        for (const auto& size : pencils->SizeButtons())
            if (size->GetCommand() == command) return centreOf(size->GetSprite());
        return Point16{-1, -1};
    };
    struct Case {
        u16 button;
        const char* page;
    };
    const Case cases[] = {
        {18401, "PencilTool"},  {18404, "MarkerTool"},     {18450, "DrawLine"},       {18451, "DrawArc"},
        {18452, "DrawBox"},     {18454, "DrawOvalOutline"}, {18455, "DrawOvalFilled"}, {18457, "DrawPolyFilled"},
        {18458, "DrawFreehand"}, {18201, "LineSize"},       {18204, "LineSize"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        click(buttonCentre(kHelpButton));
        ASSERT_NE(easel->Help(), nullptr);
        click(centreOfButton(c.button));
        ASSERT_NE(easel->Help(), nullptr);
        ASSERT_NE(easel->Help()->Page(), nullptr);
        EXPECT_EQ(easel->Help()->Page()->PageName(), c.page);
        ExpectGreenTextReadable();
        RMessage done(kMsgHelpFinished, 0, 0);
        easel->HandleMessage(&done, 0);
        settle();
        ASSERT_EQ(easel->Help(), nullptr);
    }
}

TEST_F(EaselShellCommands, TheMenusPrintPrintsThePicture) {
    std::filesystem::remove(printer.outputPath);
    PrintJobHolder* holder = app->GetPrintJobHolder();
    ASSERT_NE(holder, nullptr);
    // Tab from Full Page past Reverse, Poster and Options to OK, and Enter on it.
    for (int i = 0; i < 4; ++i) queueKey(plat::kVkTab);
    queueKey(plat::kVkReturn);
    mainWindow->OnCommand(kCmdPrint);
    ASSERT_TRUE(systemOpen);
    EXPECT_TRUE(holder->Printed());
    EXPECT_EQ(holder->LastResult(), kErrNone);
    EXPECT_TRUE(std::filesystem::exists(printer.outputPath));
    // The panel has the canvas back: the pencil still paints.
    EXPECT_NE(dynamic_cast<RPencilPanel*>(easel->CurrentPanel()), nullptr);
    EXPECT_FALSE(easel->Canvas()->ClicksSuspended());
}

// The "PDF file" printer names the file after the picture, puts it in the user's folder and
// says where it went; a picture never saved takes the program's name.
TEST_F(EaselShellCommands, APrintedFileIsNamedAfterThePictureAndTheUserIsToldWhere) {
    printer.outputPath.clear();
    struct Case {
        const char* picture;
        std::string file;
    };
    const std::string appName = LookupLanguageText("GeneralStrings", "AppName").c_str();
    const Case cases[] = {{"C:\\Pictures\\Cat.tbx", "Cat.pdf"}, {"", appName + ".pdf"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        app->GetCurrentPage()->SetFileName(c.picture);
        alerts();
        for (int i = 0; i < 4; ++i) queueKey(plat::kVkTab);
        queueKey(plat::kVkReturn);
        mainWindow->OnCommand(kCmdPrint);
        const std::string written = root_ + "/data/tumblo4/Users/Maya/" + c.file;
        EXPECT_TRUE(std::filesystem::exists(written)) << written;
        const std::vector<mfxAlertRecord> told = alerts();
        ASSERT_EQ(told.size(), 1u);
        EXPECT_NE(told[0].text.find("\"" + c.file + "\""), std::string::npos) << told[0].text;
        EXPECT_NE(told[0].text.find("Maya's folder"), std::string::npos) << told[0].text;
        std::filesystem::remove(written);
    }
}

// Switching to Spanish shows the easel's own art in Spanish (the panel's headings change) and
// keeps the painting not yet saved; switching back shows the English art again.
TEST_F(EaselShellCommands, SwitchingTheLanguageShowsTheEaselsArtInThatLanguage) {
    const Rect16 canvas = easel->Canvas()->CanvasRect();
    const Point16 dot{i16((canvas.left + canvas.right) / 2), i16((canvas.top + canvas.bottom) / 2)};
    const u32 white = shownPixel(face(), dot.h, dot.v);
    click(dot);
    ASSERT_NE(shownPixel(face(), dot.h, dot.v), white) << "the pencil painted";
    // The pencil panel's "Pencils" heading.
    const Rect16 heading{120, 476, 220, 502};
    const u64 english = PictureHash(heading);
    for (const bool spanish : {true, false}) {
        SCOPED_TRACE(spanish);
        mainWindow->OnCommand(kCmdSwitchLanguage);
        settle();
        easel = dynamic_cast<REasel*>(app->GetCurrentModule());
        ASSERT_NE(easel, nullptr);
        EXPECT_EQ(PictureHash(heading) != english, spanish);
        EXPECT_NE(shownPixel(face(), dot.h, dot.v), white) << "the painting stays";
        EXPECT_TRUE(app->GetCurrentPage()->Data().IsDirty());
    }
}

TEST_F(EaselShellCommands, CancellingThePrintDialogPrintsNothing) {
    std::filesystem::remove(printer.outputPath);
    queueKey(plat::kVkEscape);
    RMessage print(242, 0, 0);
    easel->HandleMessage(&print, 0);
    EXPECT_FALSE(app->GetPrintJobHolder()->Printed());
    EXPECT_FALSE(std::filesystem::exists(printer.outputPath));
}

TEST_F(EaselShellCommands, TheCloseBoxAsksToSaveUnsavedWorkAsExitDoes) {
    app->GetCurrentPage()->Data().SetDirtyState(true);
    EXPECT_EQ(mainWindow->OnClose(), 0u) << "the window stays until the program ends";
    settle();
    RDlgWarnings* question = easel->WarningDialog();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->GetKind(), 258u);
    EXPECT_FALSE(app->IsQuitting());

    // Do not save: the program quits.
    question->SetResult(kWarningResultNo);
    RMessage answer(question->GetKind(), reinterpret_cast<uintptr_t>(question), kWarningResultNo);
    easel->HandleMessage(&answer, 0);
    settle();
    EXPECT_TRUE(app->IsQuitting());
}

TEST_F(EaselShellCommands, TheCloseBoxQuitsAtOnceWhenThePageIsSaved) {
    mainWindow->OnClose();
    settle();
    EXPECT_EQ(easel->WarningDialog(), nullptr);
    EXPECT_TRUE(app->IsQuitting());
}

}  // namespace

namespace {

using namespace Ostrel;

// Opening a picture after the save question: a cancelled file dialog leaves the page as it was.
TEST_F(EaselShellCommands, AnOpenThatChoseNoPictureLeavesThePageSaved) {
    RPage* page = app->GetCurrentPage();
    ASSERT_NE(page, nullptr);
    for (u32 code : {247u, 250u}) {
        SCOPED_TRACE(code);
        page->Data().SetDirtyState(false);
        queueKey(plat::kVkEscape);
        RMessage open(code, 0, 0);
        easel->HandleMessage(&open, 0);
        settle();
        EXPECT_EQ(app->GetCurrentPage(), page);
        EXPECT_FALSE(page->Data().IsDirty());
    }
}

// Entering the easel turns the screen's sounds on for a user who keeps tool sounds on; one who
// turned them off keeps them off.
TEST_F(EaselShellCommands, EnteringTheEaselTurnsSoundsOnForAUserWithToolSounds) {
    for (const u16 toolSounds : {u16(1), u16(0)}) {
        SCOPED_TRACE(toolSounds);
        app->GetGlobalUserSettings()->toolSounds = toolSounds;
        ASSERT_NE(sprScreen(), nullptr);
        sprScreen()->soundEnabled = 0;
        ASSERT_EQ(app->SwitchModule(kScreenEasel), 0);
        settle();
        ASSERT_NE(dynamic_cast<REasel*>(app->GetCurrentModule()), nullptr);
        EXPECT_EQ(sprScreen()->soundEnabled, toolSounds);
    }
}

// "Save first" whose file dialog is cancelled keeps the picture: the page stays, unsaved, the
// dropping command does not go on, and the canvas takes clicks again.
TEST_F(EaselShellCommands, SaveFirstThatIsCancelledKeepsTheUnsavedPage) {
    for (const u32 command : {268u, 245u, 5567u}) {
        SCOPED_TRACE(command);
        RPage* page = app->GetCurrentPage();
        ASSERT_NE(page, nullptr);
        page->Data().SetDirtyState(true);
        RMessage ask(command, 0, 0);
        easel->HandleMessage(&ask, 0);
        settle();
        RDlgWarnings* question = easel->WarningDialog();
        ASSERT_NE(question, nullptr);
        queueKey(plat::kVkEscape);
        question->SetResult(kWarningResultYes);
        RMessage answer(question->GetKind(), reinterpret_cast<uintptr_t>(question), kWarningResultYes);
        easel->HandleMessage(&answer, 0);
        settle();
        EXPECT_EQ(app->GetCurrentModule(), easel);
        EXPECT_EQ(app->GetCurrentPage(), page);
        EXPECT_TRUE(page->Data().IsDirty());
        EXPECT_FALSE(app->IsQuitting());
        EXPECT_FALSE(easel->Canvas()->ClicksSuspended());
        EXPECT_EQ(easel->WarningDialog(), nullptr);
    }
}

// The same question answered with a name in the save dialog: the picture is saved, then the
// program quits.
TEST_F(EaselShellCommands, SaveFirstWithANameSavesThePictureAndQuits) {
    app->GetCurrentPage()->Data().SetDirtyState(true);
    RMessage quit(268, 0, 0);
    easel->HandleMessage(&quit, 0);
    settle();
    RDlgWarnings* question = easel->WarningDialog();
    ASSERT_NE(question, nullptr);
    for (const char c : std::string("CAT")) queueKey(u8(c));
    queueKey(plat::kVkReturn);
    question->SetResult(kWarningResultYes);
    RMessage answer(question->GetKind(), reinterpret_cast<uintptr_t>(question), kWarningResultYes);
    easel->HandleMessage(&answer, 0);
    settle();
    ASSERT_NE(app->GetPaths(), nullptr);
    EXPECT_TRUE(std::filesystem::exists(plat::hostPathOfText(app->GetPaths()->GetPicturesDir()) + "/cat.tbx"));
    EXPECT_TRUE(app->IsQuitting());
}

// What was painted since the last save is printed: the painting lives in the canvas's picture
// until a save puts it into the page.
TEST_F(EaselShellCommands, PrintingPrintsThePaintingNotYetSaved) {
    easel->Canvas()->Picture().Fill(rgb555(255, 0, 0));
    printer.redPixels = 0;
    for (int i = 0; i < 4; ++i) queueKey(plat::kVkTab);
    queueKey(plat::kVkReturn);
    mainWindow->OnCommand(kCmdPrint);
    ASSERT_TRUE(app->GetPrintJobHolder()->Printed());
    EXPECT_GT(printer.redPixels, 0u);
}

// While the canvas's clicks are out of service (the texture picker is open over the screen) a
// press on the canvas paints nothing; once the picker is closed it paints again.
TEST_F(EaselShellCommands, TheCanvasPaintsNothingWhileItsClicksAreOutOfService) {
    RCanvas* canvas = easel->Canvas();
    const Rect16 rect = canvas->CanvasRect();
    // A corner of the canvas, clear of the picker's strip.
    const Point16 corner{i16(rect.left + 8), i16(rect.bottom - 8)};
    const auto picture = [canvas] {
        std::vector<u16> pixels;
        for (i32 y = 0; y < canvas->Picture().height; ++y)
            pixels.insert(pixels.end(), canvas->Picture().Row(y), canvas->Picture().Row(y) + canvas->Picture().width);
        return pixels;
    };
    ASSERT_FALSE(canvas->ClicksSuspended());
    const std::vector<u16> before = picture();
    RMessage open(238, 0, 0);
    easel->HandleMessage(&open, 0);
    ASSERT_NE(easel->TexturePicker(), nullptr);
    ASSERT_TRUE(canvas->ClicksSuspended());
    click(corner);
    EXPECT_EQ(picture(), before);
    RMessage closed(3456, 0, 0);
    easel->HandleMessage(&closed, 0);
    ASSERT_FALSE(canvas->ClicksSuspended());
    click(corner);
    EXPECT_NE(picture(), before);
}

// The ABC words' field: its near-white words stand on a dark box.
TEST_F(EaselShellCommands, TheAbcWordsFieldIsReadable) {
    mainWindow->OnCommand(kCmdEditABCText);
    settle();
    const Rect16 field = FirstPartRect(kABCTextFieldParts);
    ASSERT_FALSE(rectIsEmpty(field));
    // The right end of the field, which the words do not reach.
    const u32 behind = shownPixel(face(), i16(field.right - 10), i16((field.top + field.bottom) / 2));
    EXPECT_GE(Contrast(behind, 0xFAFAFF), kReadableContrast) << std::hex << behind;
}

// Left alone, the easel lets its loop's timer slow down; a click brings it back to pace.
TEST_F(EaselShellCommands, TheLoopSlowsWhileTheEaselStandsStillAndWakesOnInput) {
    for (int i = 0; i < 20; ++i) advance(10);
    EXPECT_EQ(osmGetTimerPeriod(), kQuietLoopPeriod);
    const Rect16 canvas = easel->Canvas()->CanvasRect();
    click(Point16{i16(canvas.left + 20), i16(canvas.top + 20)});
    EXPECT_EQ(osmGetTimerPeriod(), kLoopTimerPeriod);
}

// The ABC words taken with OK: the menu bar is the child's again, and the Idea Machine on it
// opens its picture dialog.
TEST_F(EaselShellCommands, AfterTheAbcWordsTheMenusWorkAgain) {
    mainWindow->OnCommand(kCmdEditABCText);
    settle();
    ASSERT_NE(mainWindow->IsMenuDisabled(), 0) << "the dialog holds the menus while it is up";
    key(plat::kVkReturn);
    settle();
    EXPECT_EQ(mainWindow->IsMenuDisabled(), 0);
    EXPECT_TRUE(enabled(kCmdIdeaMachine));
}

// Add > Paper Textures shows the textures in its cells with arrows beside them: an arrow
// moves the strip on, and a click on a cell chooses that texture and closes the picker.
TEST_F(EaselShellCommands, ThePaperTexturePickerShowsTexturesAChildCanChoose) {
    mainWindow->OnCommand(kCmdPaperTextures);
    settle();
    RTexturePicker* picker = easel->TexturePicker();
    ASSERT_NE(picker, nullptr);
    RBitmapScroller* strip = picker->Strip();
    ASSERT_NE(strip, nullptr);
    const Rect16 second = strip->GetCellRect(1);
    ASSERT_FALSE(rectIsEmpty(second));
    // The cell shows a picture, not one colour.
    std::set<u32> colours;
    for (i16 y = i16(second.top + 8); y < second.bottom - 8; y += 4)
        for (i16 x = i16(second.left + 8); x < second.right - 8; x += 4) colours.insert(shownPixel(face(), x, y));
    EXPECT_GT(colours.size(), 1u);
    click(Point16{i16((second.left + second.right) / 2), i16((second.top + second.bottom) / 2)});
    EXPECT_EQ(easel->TexturePicker(), nullptr);
    EXPECT_EQ(easel->TextureIndex(), 1);
}

// Escape leaves a save question a menu command put up as its Cancel does: it keeps the unsaved
// page, and the menus are the child's again (the paper textures' Escape: the first steps
// journey).
TEST_F(EaselShellCommands, EscapeLeavesTheSaveQuestionsChangingNothing) {
    for (const u16 command : {kCmdNew, kCmdOpen}) {
        SCOPED_TRACE(command);
        RPage* page = app->GetCurrentPage();
        ASSERT_NE(page, nullptr);
        page->Data().SetDirtyState(true);
        mainWindow->OnCommand(command);
        settle();
        ASSERT_NE(easel->WarningDialog(), nullptr);
        key('A');
        settle();
        ASSERT_NE(easel->WarningDialog(), nullptr) << "only Escape leaves";
        key(plat::kVkEscape);
        settle();
        EXPECT_EQ(easel->WarningDialog(), nullptr);
        EXPECT_EQ(app->GetCurrentPage(), page);
        EXPECT_TRUE(page->Data().IsDirty());
        EXPECT_EQ(mainWindow->IsMenuDisabled(), 0);
        EXPECT_FALSE(easel->Canvas()->ClicksSuspended());
    }
}

}  // namespace
