// The slide-show editor in the running program: reached from the easel by Controls > Go To
// Slide Show, slides added from the user's pictures and arranged through the menus and the
// strip, checked step by step against a model of the strip; saved, closed and reopened. A
// picture whose thumbnail cannot be read keeps its cell; a cancelled or failing save keeps the
// changes and the project's old file; deleting the last project makes a new one.
#include "app/dialogs/RDlgTiming.h"
#include "app/dialogs/RDlgToggle.h"
#include "app/dialogs/RTransDialogue.h"
#include "framework/language/LanguageTexts.h"
#include "tests/screens/picker/PickerSessionHarness.h"

namespace {

using namespace Ostrel;
using testpicker::PickerSession;
using testpicker::kModelCells;

TEST_F(PickerSession, AScriptedSessionFollowsTheModelAndComesBackSavedAndReopened) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    ASSERT_NE(picker->Strip(), nullptr);
    EXPECT_EQ(picker->Strip()->GetCount(), kMaxProjectPages);
    add("Apple", 1);
    add("Bear", 2);
    add("Cat", 3);
    EXPECT_EQ(model(), "ABC...");
    struct Step {
        const char* what;
        std::function<void()> act;
        const char* expected;
    };
    const Step steps[] = {
        {"cut B", [&] { select(1), command(kCmdCut); }, "A.C..."},
        {"paste it at 5", [&] { select(4), command(kCmdPaste); }, "A.C.B."},
        {"undo the paste", [&] { command(kCmdUndo); }, "A.C..."},
        {"redo it", [&] { command(kCmdUndo); }, "A.C.B."},
        {"close the gaps", [&] { command(kCmdCleanUpExtra); }, "ACB..."},
        {"drag A onto the third cell",
         [&] {
             select(0);
             drag(middle(picker->Strip()->GetCellRect(0)), middle(picker->Strip()->GetCellRect(2)));
         },
         "CBA..."},
        {"undo the drag", [&] { command(kCmdUndo); }, "ACB..."},
        {"copy A to 6", [&] { select(0), command(kCmdCopy), select(5), command(kCmdPaste); }, "ACB..A"},
        {"paste onto its own cell", [&] { select(0), command(kCmdCopy), command(kCmdPaste); }, "ACB..A"},
        {"Delete over a blank cell", [&] { select(3), picker->DeleteSelectedSlide(), settle(); }, "ACB..A"},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(model(), step.expected) << step.what;
    }
    EXPECT_TRUE(picker->IsDirty());
    EXPECT_TRUE(std::filesystem::exists(root_ + "/data/tumblo4/Users/Maya/Slide Shows/Bear.tbx")) << "a cut slide's file stays";

    saveAs("Trip");
    EXPECT_FALSE(picker->IsDirty());
    EXPECT_EQ(picker->ProjectName(), "Trip");
    EXPECT_NE(picker->ProjectList()->FindName("Trip"), -1);

    goToOtherScreen();  // Controls > Go To the Easel closes the project
    ASSERT_NE(dynamic_cast<REasel*>(app->GetCurrentModule()), nullptr);
    EXPECT_EQ(app->GetPortfolio()->Document(), nullptr);
    EXPECT_TRUE(alerts().empty()) << "a saved project is closed without a question";
    goToOtherScreen();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->ProjectName(), "Trip");
    EXPECT_EQ(model(), "ACB..A");
}

TEST_F(PickerSession, APictureWhoseThumbnailCannotBeReadKeepsItsCell) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    add("Apple", 1);
    add("Bear", 2);
    add("Cat", 3);
    std::ofstream(root_ + "/data/tumblo4/Users/Maya/Slide Shows/Bear.tbx", std::ios::trunc) << "not a picture";
    picker->BuildStrip(0, 0);
    EXPECT_EQ(model(), "ABC...");
    const auto& cells = picker->Strip()->Cells();
    EXPECT_FALSE(cells[1].thumbnail.empty());
    EXPECT_NE(cells[1].thumbnail, cells[0].thumbnail) << "the unreadable picture has its own look";
    EXPECT_EQ(cells[2].thumbnail, cells[0].thumbnail);
    // Its dialogs still edit its own page, not the next one's.
    select(1);
    EXPECT_EQ(app->GetPortfolio()->Document()->GetPage(2)->FileName(), "Bear.tbx");
    // A file that is no picture is not added, and its copy does not stay.
    std::ofstream(root_ + "/data/tumblo4/Users/Maya/Pictures/Junk.tbx") << "junk";
    nextPicture = app->GetPaths()->GetPicturesDir() + "\\Junk.tbx";
    (void)alerts();
    command(kCmdLoadPicture);
    EXPECT_EQ(model(), "ABC...");
    EXPECT_EQ(alerts().size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(root_ + "/data/tumblo4/Users/Maya/Slide Shows/Junk.tbx"));
    // One larger than any page (sparse) is refused by its size, neither read nor copied.
    std::filesystem::resize_file(root_ + "/data/tumblo4/Users/Maya/Pictures/Junk.tbx", (1ull << 32) + 1);
    command(kCmdLoadPicture);
    const std::vector<mfxAlertRecord> told = alerts();
    EXPECT_TRUE(told.size() == 1 && told[0].text == LookupLanguageText("FileStrings", "FileTooBig").c_str());
}

// Saved once on the fake drive; a later change is then saved with the dialog cancelled, or
// onto the write-protected drive, or answered Yes at the question and cancelled in the dialog.
TEST_F(PickerSession, ACancelledOrFailingSaveKeepsTheChangesAndTheOldFile) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    add("Apple", 1);
    savePath = "T:\\Zoo.tbp";
    command(kCmdSave);
    ASSERT_FALSE(picker->IsDirty());
    const std::string saved = readFile(root_ + "/disc/Zoo.tbp");
    ASSERT_NE(saved.find("Apple"), std::string::npos);
    add("Bear", 2);
    (void)alerts();
    struct Case {
        const char* what;
        std::string answer;
        bool writeProtected;
    };
    const Case cases[] = {{"dialog cancelled", "", false}, {"drive write-protected", "T:\\Zoo.tbp", true}};
    for (const Case& c : cases) {
        savePath = c.answer;
        drive_->setWriteProtected(c.writeProtected);
        command(kCmdSave);
        drive_->setWriteProtected(false);
        EXPECT_TRUE(picker->IsDirty()) << c.what;
        EXPECT_EQ(readFile(root_ + "/disc/Zoo.tbp"), saved) << c.what;
        const std::vector<mfxAlertRecord> told = alerts();
        // The drive's own word on the disc comes first, then what became of the save.
        EXPECT_EQ(!told.empty(), c.writeProtected) << c.what;
        if (!told.empty()) {
            EXPECT_EQ(told.back().text, std::string(LookupLanguageText("FileStrings", "GeneralFileErr").c_str()));
        }
    }
    // Yes at the question, then nothing chosen: the project stays, unsaved.
    savePath.clear();
    command(kCmdNew);
    ASSERT_NO_FATAL_FAILURE(answerSaveQuestion(kWarningResultYes));
    EXPECT_TRUE(picker->IsDirty());
    EXPECT_EQ(picker->ProjectName(), "Zoo");
    EXPECT_EQ(model(), "AB....");
}

// Shows saved in one session are all listed in the next, sorted, and the last one opens.
TEST_F(PickerSession, ANewSessionListsTheSavedShowsAndOpensTheLast) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    for (const char* name : {"Farm", "Zoo"}) {
        command(kCmdNew);
        add(name, name[0] == 'Z' ? 1 : 2);
        saveAs(name);
        ASSERT_EQ(picker->ProjectName(), name);
    }
    newSession();
    ASSERT_NE(picker, nullptr);
    ASSERT_EQ(picker->ProjectList()->ItemCount(), 2);
    EXPECT_EQ(picker->ProjectList()->NameOf(0), "Farm");
    EXPECT_EQ(picker->ProjectList()->NameOf(1), "Zoo");
    EXPECT_EQ(picker->ProjectName(), "Zoo") << "the show last saved, not the list's first";
    EXPECT_EQ(model(), "A.....");
}

TEST_F(PickerSession, DeletingTheLastProjectMakesANewOne) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    add("Apple", 1);
    saveAs("Zoo");
    ASSERT_EQ(picker->ProjectList()->ItemCount(), 1);
    picker->DeleteProject("Zoo");
    settle();
    EXPECT_EQ(projectFile("Zoo"), "");
    ASSERT_NE(app->GetPortfolio()->Document(), nullptr);
    EXPECT_FALSE(picker->ProjectName().empty());
    EXPECT_NE(picker->ProjectName(), "Zoo");
    EXPECT_EQ(model(), "......");
    EXPECT_TRUE(alerts().empty()) << "the deleted project is not offered for saving";
}

}  // namespace

namespace {

// The controls under a slide, clicked where the window shows them, open its sounds, transition
// and timing dialogs; a second dialog waits for the first to close; a blank cell (the shared
// blank page) has none; a confirmed dialog shows in the cell.
TEST_F(PickerSession, PerSlideDialogsOnlyForSlidesAndOneAtATime) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    add("Apple", 1);
    // The slide's sounds, its transition and its timing, clicked where they show.
    const std::vector<Point16> controls = shownControls(0);
    ASSERT_EQ(controls.size(), 3u);
    const struct {
        Point16 at;
        std::function<bool(RDlgBase*)> opens;
        u32 closed;
    } rows[] = {
        {controls[0], [](RDlgBase* d) { return dynamic_cast<RDlgToggle*>(d) != nullptr; }, kPickerToggleClosed},
        {controls[1], [](RDlgBase* d) { return dynamic_cast<RTransDialogue*>(d) != nullptr; }, kPickerTransitionClosed},
    };
    for (const auto& row : rows) {
        click(row.at);
        ASSERT_TRUE(row.opens(picker->CurrentDialog())) << row.at.h << "," << row.at.v;
        RMessage left(row.closed, reinterpret_cast<uintptr_t>(picker->CurrentDialog()), kDlgResultLeave);
        picker->HandleMessage(&left, 0);
        ASSERT_EQ(picker->CurrentDialog(), nullptr);
    }
    click(controls[2]);
    RDlgBase* dialog = picker->CurrentDialog();
    ASSERT_NE(dynamic_cast<RDlgTiming*>(dialog), nullptr);
    RMessage toggles(kPickerToggleDialog, 0, 0);
    picker->HandleMessage(&toggles, 0);
    EXPECT_EQ(picker->CurrentDialog(), dialog) << "the open dialog stays the only one";

    app->GetPortfolio()->Document()->GetPage(1)->SetTiming(9, 0);
    RMessage confirmed(kPickerTimingClosed, reinterpret_cast<uintptr_t>(dialog), kDlgResultConfirm);
    picker->HandleMessage(&confirmed, 0);
    EXPECT_EQ(picker->CurrentDialog(), nullptr);
    EXPECT_EQ(picker->Strip()->Cells()[0].label.substr(0, 2), "9 ");

    for (u16 cell : {u16(1), u16(kMaxProjectPages - 1), u16(kMaxProjectPages)}) {
        RMessage blank(kPickerTimingDialog, 0, cell);
        picker->HandleMessage(&blank, 0);
        EXPECT_EQ(picker->CurrentDialog(), nullptr) << cell;
    }
    // Add with a slide selected: the first blank place after it, the slide kept.
    select(0);
    add("Bear", 2);
    EXPECT_EQ(model(), "IB....");
}

// The slide's transition opens from the Transitions button and from Change Effects on the
// selected slide, never on a blank cell; the menus offer Export and Change Effects here; Play
// leaves for the player.
TEST_F(PickerSession, TransitionsAndPlayReachTheSlideShow) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    add("Apple", 1);
    add("Bear", 2);
    EXPECT_TRUE(enabled(kCmdExport));
    EXPECT_TRUE(enabled(kCmdChangeEffects));
    for (const u32 code : {u32(kPickerButtonTransitions), u32(kMsgMenuTransition)}) {
        SCOPED_TRACE(code);
        select(1);
        RMessage open(code, 0, 0xFFFF);
        picker->HandleMessage(&open, 0);
        RDlgBase* dialog = picker->CurrentDialog();
        ASSERT_NE(dynamic_cast<RTransDialogue*>(dialog), nullptr);
        RMessage left(kPickerTransitionClosed, reinterpret_cast<uintptr_t>(dialog), kDlgResultLeave);
        picker->HandleMessage(&left, 0);
        EXPECT_EQ(picker->CurrentDialog(), nullptr);
        select(4);
        picker->HandleMessage(&open, 0);
        EXPECT_EQ(picker->CurrentDialog(), nullptr) << "a blank cell has no transition";
    }
    RMessage play(kPickerButtonPlay, 0, 0);
    picker->HandleMessage(&play, 0);
    settle(6);
    EXPECT_NE(dynamic_cast<RSlideShowModule*>(app->GetCurrentModule()), nullptr);
}

}  // namespace

namespace {

// Two saved projects, "Bus" changed and unsaved; choosing "Ark" in the list asks first: Cancel
// keeps "Bus" with its change, No drops the change, Yes saves it; the list is in byte order.
TEST_F(PickerSession, ChoosingAnotherProjectAsksAboutTheChangesFirst) {
    struct Case {
        const char* what;
        u16 answer;
        const char* current;
        bool busKeepsCat;  // the saved "Bus" has the change
    };
    const Case cases[] = {
        {"cancelled", kDlgResultLeave, "Bus", false},
        {"not saved", kWarningResultNo, "Ark", false},
        {"saved", kWarningResultYes, "Ark", true},
    };
    enterPicker();
    ASSERT_NE(picker, nullptr);
    for (const char* name : {"Bus", "Ark"}) {
        command(kCmdNew);
        add("Apple", 1);
        saveAs(name);
    }
    EXPECT_EQ(picker->ProjectList()->NameOf(0), "Ark");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(picker->LoadProjectByName("Bus", true));
        add("Cat", 3);
        savePath = app->GetPaths()->GetProjectPath("Bus");
        picker->ProjectList()->Select(picker->ProjectList()->FindName("Ark"));
        settle();
        EXPECT_EQ(picker->ProjectName(), "Bus") << "the question waits for its answer";
        ASSERT_NO_FATAL_FAILURE(answerSaveQuestion(c.answer));
        EXPECT_EQ(picker->ProjectName(), c.current);
        EXPECT_EQ(picker->CurrentDialog(), nullptr);
        EXPECT_EQ(projectFile("Bus").find("Cat") != std::string::npos, c.busKeepsCat);
        EXPECT_TRUE(alerts().empty()) << "the program's own dialog asks, not a box";
    }
}

// The strip's place and the project are remembered: the picker comes back to them.
TEST_F(PickerSession, ThePickerComesBackToTheLastProjectAndPlace) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    for (const char* name : {"Apple", "Bear", "Cat", "Dog", "Emu", "Fox"}) add(name, 1);
    select(5);
    saveAs("Zoo");
    command(kCmdNew);
    savePath = app->GetPaths()->GetProjectPath("Ark");
    add("Apple", 2);
    command(kCmdSave);
    ASSERT_TRUE(picker->LoadProjectByName("Zoo", true));
    goToOtherScreen();
    goToOtherScreen();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->ProjectName(), "Zoo");
    EXPECT_EQ(picker->Strip()->GetSelected(), 5);
    EXPECT_GT(picker->Strip()->GetFirstVisible(), 0);
    EXPECT_EQ(picker->SlideName(), "Fox");
}

}  // namespace

namespace {

// The changes outlive the show: played and stopped, the picker that comes back still knows
// the slides are unsaved and asks before the easel takes over; once saved, it no longer asks.
TEST_F(PickerSession, ChangesStayUnsavedAcrossAPlayedShow) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    add("Apple", 1);
    add("Bear", 2);
    ASSERT_TRUE(picker->IsDirty());
    const auto playAndStop = [this] {
        RMessage play(kPickerButtonPlay, 0, 0);
        picker->HandleMessage(&play, 0);
        settle(6);
        ASSERT_NE(dynamic_cast<RSlideShowModule*>(app->GetCurrentModule()), nullptr);
        key(27);
        settle(6);
        picker = dynamic_cast<RPicker*>(app->GetCurrentModule());
        ASSERT_NE(picker, nullptr);
        picker->SetFileUi(ui());
    };
    ASSERT_NO_FATAL_FAILURE(playAndStop());
    EXPECT_TRUE(picker->IsDirty());
    EXPECT_EQ(model(), "AB....");
    goToOtherScreen();
    ASSERT_NO_FATAL_FAILURE(answerSaveQuestion(kDlgResultLeave));
    ASSERT_NE(picker, nullptr) << "Cancel keeps the picker";

    saveAs("Zoo");
    ASSERT_FALSE(picker->IsDirty());
    ASSERT_NO_FATAL_FAILURE(playAndStop());
    EXPECT_FALSE(picker->IsDirty());
    goToOtherScreen();
    EXPECT_EQ(picker, nullptr) << "nothing to ask: the easel is up";
}

// The save question is the program's own dialog, its words and buttons drawn in the program's
// language, and a switch of language keeps the changes unsaved.
TEST_F(PickerSession, TheSaveQuestionSpeaksTheProgramsLanguage) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    add("Apple", 1);
    std::vector<u64> shown;
    for (int language = 0; language < 2; ++language) {
        goToOtherScreen();
        ASSERT_NE(saveQuestion(), nullptr);
        EXPECT_TRUE(alerts().empty()) << "no box of the system's";
        // The question and its answers as the child sees them: the dialog's art.
        shown.push_back(PictureHash(Rect16{180, 170, 620, 430}));
        ASSERT_NO_FATAL_FAILURE(answerSaveQuestion(kDlgResultLeave));
        ASSERT_NE(picker, nullptr);
        mainWindow->OnCommand(kCmdSwitchLanguage);
        settle(6);
        picker = dynamic_cast<RPicker*>(app->GetCurrentModule());
        ASSERT_NE(picker, nullptr);
        picker->SetFileUi(ui());
        EXPECT_TRUE(picker->IsDirty());
    }
    EXPECT_NE(shown[0], shown[1]) << "the Spanish question looks like the English one";
}

// The show the program began and named waits unsaved and empty while the language changes: it
// takes the name of the language read now.
TEST_F(PickerSession, AShowNotYetSavedIsNamedInTheLanguageReadNow) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    const std::string english = picker->ProjectName();
    mainWindow->OnCommand(kCmdSwitchLanguage);
    settle(6);
    picker = dynamic_cast<RPicker*>(app->GetCurrentModule());
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->ProjectName(), LookupLanguageText("PickerStrings", "NewShowName").c_str());
    EXPECT_NE(picker->ProjectName(), english);
}

}  // namespace

namespace {

// The button that asked comes back up once the question is answered, under the pointer or not.
TEST_F(PickerSession, TheButtonThatAskedIsUpAgainAfterTheQuestion) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    add("Apple", 1);
    const i32 at = picker->FindButtonById(kPickerButtonPaint);
    ASSERT_GE(at, 0);
    const RButton& button = *picker->Buttons()[size_t(at)];
    click(centreOf(button.GetSprite()));
    ASSERT_NO_FATAL_FAILURE(answerSaveQuestion(kDlgResultLeave));
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(button.GetState(), kButtonUp);
}

}  // namespace

namespace {

// Open and New ask about the changes first: Cancel keeps the project and opens nothing, No
// goes on to the file dialog or the new slide show.
TEST_F(PickerSession, OpenAndNewGoOnOnlyAfterTheQuestion) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    savePath = app->GetPaths()->GetProjectPath("Zoo");
    add("Apple", 1);
    command(kCmdSave);
    add("Bear", 2);
    struct Case {
        u32 button;
        u16 answer;
        int fileDialogs;
        bool newShow;
    };
    const Case cases[] = {{kMsgMenuOpenProject, kDlgResultLeave, 0, false},
                          {kMsgMenuOpenProject, kWarningResultNo, 1, false},
                          {kPickerButtonNewShow, kDlgResultLeave, 0, false},
                          {kPickerButtonNewShow, kWarningResultNo, 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.button) + " " + std::to_string(c.answer));
        int fileDialogs = 0;
        PickerFileUi files = ui();
        files.openProject = [&fileDialogs] { return ++fileDialogs, std::string(); };
        picker->SetFileUi(files);
        RMessage press(c.button, 0, 0);
        picker->HandleMessage(&press, 0);
        settle();
        EXPECT_EQ(fileDialogs, 0) << "nothing before the answer";
        // An answer that is not the question's own answers nothing.
        RMessage stale(kPickerSaveQuestionClosed, 0, kWarningResultNo);
        picker->HandleMessage(&stale, 0);
        EXPECT_NE(saveQuestion(), nullptr);
        EXPECT_EQ(fileDialogs, 0);
        ASSERT_NO_FATAL_FAILURE(answerSaveQuestion(c.answer));
        EXPECT_EQ(fileDialogs, c.fileDialogs);
        EXPECT_EQ(picker->ProjectName() != "Zoo", c.newShow);
        EXPECT_EQ(model(), c.newShow ? "......" : "AB....");
    }
}

}  // namespace
