// The picker's commands in the running program, each step checked against a model of the
// strip and of what the picker shows: the Delete key over the strip and the list, the Edit
// menu's state after each slide operation, undo and redo of deletes and moves, the button row's
// tips, help, the dialogs one at a time, play once or looping, projects opened by path, and
// leaving or quitting through the save question.
#include "app/dialogs/RDeleter.h"
#include "app/dialogs/RDlgWarnings.h"
#include "app/dialogs/RPickBgColorDlg.h"
#include "app/help/HelpCommands.h"
#include "app/help/RHelp.h"
#include "app/print/PictureSurface.h"
#include "app/print/RPrintDialog.h"
#include "app/settings/GlobalUserSettings.h"
#include "document/users/EnginePath.h"
#include "framework/controls/RButton.h"
#include "engine/resources/ResourceManager.h"
#include "framework/input/RInputRegistry.h"
#include "framework/undo/UndoManager.h"
#include "screens/picker/UndoPicker.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "framework/language/LanguageTexts.h"
#include "platform/files/Files.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/ui/MessageQueue.h"
#include "platform/widgets/WidgetPaint.h"
#include "tests/screens/picker/PickerSessionHarness.h"

#include <cstring>
#include <fstream>

namespace {

using namespace Ostrel;

class PickerCommands : public testpicker::PickerSession {
protected:
    // Enters the picker with the slides A, B, C, D in the first four places.
    void enterWithFour() {
        enterPicker();
        ASSERT_NE(picker, nullptr);
        add("Apple", 1);
        add("Bear", 2);
        add("Cat", 3);
        add("Dog", 4);
        ASSERT_EQ(model(), "ABCD..");
    }
    // The rectangle a screen area's shape covers (its parts together).
    static Rect16 areaOf(u16 shape) {
        Rect16 parts[kSprMaxParts];
        const i16 count = sprGetShapePartRects(shape, parts);
        Rect16 all = count > 0 ? parts[0] : Rect16{0, 0, 0, 0};
        for (i16 i = 1; i < count; ++i) rectUnion(&all, parts[i]);
        return all;
    }
    void send(u32 code, u16 param2 = 0, uintptr_t param1 = 0) {
        RMessage message(code, param1, param2);
        picker->HandleMessage(&message, 0);
        settle();
    }
    GlobalUserSettings& settings() { return *app->GetGlobalUserSettings(); }
};

constexpr u16 kStripArea = 5000;
constexpr u16 kListArea = 5214;

// The pointer's area by its place, at each edge of the two areas: left and top inside, right
// and bottom outside.
TEST_F(PickerCommands, ThePointersAreaByEdges) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    const Rect16 list = areaOf(kListArea), strip = areaOf(kStripArea);
    ASSERT_FALSE(rectIsEmpty(list));
    ASSERT_FALSE(rectIsEmpty(strip));
    struct Case {
        Point16 at;
        u16 area;
    };
    const Case cases[] = {
        {{list.left, list.top}, kPickerAreaList},
        {{i16(list.right - 1), i16(list.bottom - 1)}, kPickerAreaList},
        {{i16(list.left - 1), list.top}, kPickerAreaNone},
        {{list.left, i16(list.top - 1)}, kPickerAreaNone},
        {{strip.left, strip.top}, kPickerAreaStrip},
        {{i16(strip.right - 1), i16(strip.bottom - 1)}, kPickerAreaStrip},
        {{strip.right, i16(strip.bottom - 1)}, kPickerAreaNone},
        {{i16(strip.right - 1), strip.bottom}, kPickerAreaNone},
    };
    for (const Case& c : cases) {
        // Another area first, so that each case sets the word afresh.
        picker->HandleMouseMove(c.area == kPickerAreaList ? Point16{strip.left, strip.top} : Point16{list.left, list.top}, 0);
        picker->HandleMouseMove(c.at, 0);
        EXPECT_EQ(picker->Area(), c.area) << c.at.h << "," << c.at.v;
    }
}

// The Delete key takes the selected slide away only with the pointer over the strip (moved
// there through the window, over a slide's picture as a child's pointer is); Paste stays grey
// after it (a delete is no cut), and Undo brings the slide back. Over the list it asks before
// a project goes; elsewhere it does nothing.
TEST_F(PickerCommands, TheDeleteKeyByArea) {
    enterWithFour();
    const Rect16 list = areaOf(kListArea);
    const Point16 nowhere{i16(list.left - 1), i16(list.top - 1)};
    select(1);
    move(nowhere);
    key(plat::kVkDelete);
    EXPECT_EQ(model(), "ABCD..");
    EXPECT_EQ(picker->CurrentDialog(), nullptr);

    // The pointer comes to the slide, then clicks it, as a child's does.
    move(middle(picker->Strip()->GetCellRect(1)));
    click(middle(picker->Strip()->GetCellRect(1)));
    key(plat::kVkDelete);
    EXPECT_EQ(model(), "A.CD..");
    EXPECT_FALSE(enabled(kCmdPaste)) << "a deleted slide is not on the clipboard to paste";
    EXPECT_EQ(picker->SlideName(), std::string(LookupLanguageText("PickerStrings", "EmptySlide").c_str()));
    command(kCmdUndo);
    EXPECT_EQ(model(), "ABCD..");
    command(kCmdUndo);
    EXPECT_EQ(model(), "A.CD..") << "and Redo takes it again";

    saveAs("Zoo");
    const Point16 row = middle(picker->ProjectList()->GetCellRect(0));
    move(row);
    key(plat::kVkDelete);
    EXPECT_NE(dynamic_cast<RDeleter*>(picker->CurrentDialog()), nullptr);
    EXPECT_EQ(model(), "A.CD..");
    // Leaving the question keeps the project; confirming it deletes it.
    send(kPickerDeleteClosed, kDlgResultLeave, reinterpret_cast<uintptr_t>(picker->CurrentDialog()));
    EXPECT_EQ(picker->CurrentDialog(), nullptr);
    EXPECT_NE(projectFile("Zoo"), "");
    key(plat::kVkDelete);
    ASSERT_NE(picker->CurrentDialog(), nullptr);
    send(kPickerDeleteClosed, kDlgResultConfirm, reinterpret_cast<uintptr_t>(picker->CurrentDialog()));
    EXPECT_EQ(projectFile("Zoo"), "");
    EXPECT_NE(picker->ProjectName(), "Zoo");
    EXPECT_EQ(model(), "......");
}

// What a child drags onto the trash can goes: a slide at once (Undo brings it back), a show
// after the question.
TEST_F(PickerCommands, DraggedOntoTheTrashCan) {
    enterWithFour();
    const i32 trash = picker->FindButtonById(kPickerButtonTrash);
    ASSERT_GE(trash, 0);
    const Point16 can = centreOf(picker->Buttons()[size_t(trash)]->GetSprite());
    drag(middle(picker->Strip()->GetCellRect(2)), can);
    EXPECT_EQ(model(), "AB.D..");
    command(kCmdUndo);
    EXPECT_EQ(model(), "ABCD..");
    saveAs("Zoo");
    drag(middle(picker->ProjectList()->GetCellRect(0)), can);
    ASSERT_NE(dynamic_cast<RDeleter*>(picker->CurrentDialog()), nullptr);
    send(kPickerDeleteClosed, kDlgResultConfirm, reinterpret_cast<uintptr_t>(picker->CurrentDialog()));
    EXPECT_EQ(projectFile("Zoo"), "");
}

// Cut, copy and paste by the Edit menu, with Paste's state and the dirty mark after each step.
TEST_F(PickerCommands, EditMenuStepsFollowTheModel) {
    enterWithFour();
    saveAs("Zoo");
    ASSERT_FALSE(picker->IsDirty());
    struct Step {
        const char* what;
        std::function<void()> act;
        const char* expected;
        bool paste;  // Paste offered afterwards
        bool dirty;
    };
    const Step steps[] = {
        {"copy a blank cell", [&] { select(5), command(kCmdCopy); }, "ABCD..", false, false},
        {"cut a blank cell", [&] { select(4), command(kCmdCut); }, "ABCD..", false, false},
        {"paste with nothing kept", [&] { select(4), command(kCmdPaste); }, "ABCD..", false, false},
        {"copy B", [&] { select(1), command(kCmdCopy); }, "ABCD..", true, false},
        {"paste B onto D", [&] { select(3), command(kCmdPaste); }, "ABCB..", true, true},
        {"cut C", [&] { select(2), command(kCmdCut); }, "AB.B..", true, true},
        {"paste C back", [&] { select(2), command(kCmdPaste); }, "ABCB..", true, true},
        {"paste it again", [&] { select(5), command(kCmdPaste); }, "ABCB.C", true, true},
        {"undo the paste", [&] { command(kCmdUndo); }, "ABCB..", true, true},
        {"close the gaps", [&] { select(0), command(kCmdCut), command(kCmdCleanUpExtra); }, "BCB...", true, true},
        {"undo after closing the gaps takes nothing back", [&] { command(kCmdUndo); }, "BCB...", true, true},
        {"paste the cut A at the end", [&] { select(4), command(kCmdPaste); }, "BCB.A.", true, true},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(model(), step.expected) << step.what;
        EXPECT_EQ(enabled(kCmdPaste), step.paste) << step.what;
        EXPECT_EQ(picker->IsDirty(), step.dirty) << step.what;
    }
    // Saving forgets the clipboard and the undo step.
    command(kCmdSave);
    EXPECT_EQ(picker->ClipboardEntry(), nullptr);
    EXPECT_FALSE(picker->IsDirty());
    command(kCmdUndo);
    EXPECT_EQ(model(), "BCB.A.");
}

// Dragging a slide onto another cell moves the slides between; Undo and Redo take the move
// back and do it again; the slide's name shows where it lands.
TEST_F(PickerCommands, DraggedSlidesMoveAndComeBack) {
    enterWithFour();
    const auto cell = [&](int i) {
        const Rect16 r = picker->Strip()->GetCellRect(i);
        return Point16{i16((r.left + r.right) / 2), i16((r.top + r.bottom) / 2)};
    };
    struct Step {
        int from, to;
        const char* expected;
        const char* name;  // the slide label after the drop
    };
    const Step steps[] = {{3, 0, "DABC..", "Dog"}, {0, 1, "ADBC..", "Dog"}};
    for (const Step& step : steps) {
        select(step.from);
        drag(cell(step.from), cell(step.to));
        EXPECT_EQ(model(), step.expected) << step.from << "->" << step.to;
        EXPECT_EQ(picker->SlideName(), step.name);
    }
    command(kCmdUndo);
    EXPECT_EQ(model(), "DABC..");
    command(kCmdUndo);
    EXPECT_EQ(model(), "ADBC..");
    EXPECT_TRUE(picker->IsDirty());
}

// Each button's tip shows its own text under it while the pointer is over it, and goes.
TEST_F(PickerCommands, ButtonTipsShowTheirText) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    struct Case {
        u32 code;
        const char* key;
    };
    const Case cases[] = {{kPickerTipHelp, "Help"},         {kPickerTipPlay, "Play"},
                          {kPickerTipTransitions, "SlideTransitions"}, {kPickerTipNewShow, "NewSlideShow"},
                          {kPickerTipLoad, "Load"},         {kPickerTipTrash, "TrashCan"},
                          {kPickerTipPaint, "GoToPaintZone"}};
    for (const Case& c : cases) {
        send(c.code, 1);
        EXPECT_TRUE(picker->ToolTipShowing()) << c.key;
        EXPECT_STREQ(picker->ToolTipText(), LookupLanguageText("ToolTips", c.key).c_str());
        send(c.code, 0);
        EXPECT_FALSE(picker->ToolTipShowing()) << c.key;
    }
}

// Play plays once, the looping item again and again; with no slide nothing plays.
TEST_F(PickerCommands, PlayOnceOrLoopingAndNothingWithoutSlides) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    settings().playOnce = 7;
    send(kPickerButtonPlay);
    EXPECT_EQ(app->GetCurrentModule(), picker);
    EXPECT_EQ(settings().playOnce, 7) << "nothing to play";
    add("Apple", 1);
    for (const auto& [code, once] : {std::pair{u32(kMsgMenuPlaySlideShowLooping), 0}, std::pair{u32(kPickerPlay), 1}}) {
        RMessage play(code, 0, 0);
        picker->HandleMessage(&play, 0);
        EXPECT_EQ(settings().playOnce, once) << code;
    }
    settle(6);
    EXPECT_NE(dynamic_cast<RSlideShowModule*>(app->GetCurrentModule()), nullptr);
}

// Help comes on from the button and goes when it says it is done; the background colour and
// the warnings are dialogs of their own, one at a time; only the open one's answer closes it.
TEST_F(PickerCommands, HelpAndDialogsOneAtATime) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    add("Apple", 1);
    send(kPickerButtonHelp);
    EXPECT_NE(picker->Help(), nullptr);
    send(kMsgHelpFinished);
    EXPECT_EQ(picker->Help(), nullptr);

    saveAs("Zoo");
    send(kMsgMenuPickBgColor);
    RDlgBase* colours = picker->CurrentDialog();
    ASSERT_NE(dynamic_cast<RPickBgColorDlg*>(colours), nullptr);
    send(kPickerShowCopyWarning);
    EXPECT_EQ(picker->CurrentDialog(), colours) << "one dialog at a time";
    send(kPickerBgColorClosed, kDlgResultConfirm, reinterpret_cast<uintptr_t>(colours) + 1);
    EXPECT_EQ(picker->CurrentDialog(), colours) << "another dialog's answer";
    send(kPickerBgColorClosed, kDlgResultLeave, reinterpret_cast<uintptr_t>(colours));
    EXPECT_EQ(picker->CurrentDialog(), nullptr);
    EXPECT_FALSE(picker->IsDirty()) << "a colour left unchosen changes nothing";
    send(kMsgMenuPickBgColor);
    send(kPickerBgColorClosed, kDlgResultConfirm, reinterpret_cast<uintptr_t>(picker->CurrentDialog()));
    EXPECT_TRUE(picker->IsDirty());

    for (const u32 code : {u32(kPickerShowCopyWarning), u32(kPickerShowDeleteWarning)}) {
        send(code);
        RDlgBase* warning = picker->CurrentDialog();
        ASSERT_NE(dynamic_cast<RDlgWarnings*>(warning), nullptr) << code;
        send(kPickerWarningClosed, 0, reinterpret_cast<uintptr_t>(warning) + 1);
        EXPECT_EQ(picker->CurrentDialog(), warning);
        send(kPickerWarningClosed, 0, reinterpret_cast<uintptr_t>(warning));
        EXPECT_EQ(picker->CurrentDialog(), nullptr);
    }
}

// A project file opened by its path: one elsewhere opens as it is, its name from its file; one
// of the user's opens by name; a path that is not there changes nothing.
TEST_F(PickerCommands, ProjectsOpenedByPath) {
    enterWithFour();
    saveAs("Zoo");
    command(kCmdNew);
    ASSERT_NE(picker->ProjectName(), "Zoo");
    EXPECT_EQ(model(), "......");

    EXPECT_FALSE(picker->OpenDocumentPath(app->GetPaths()->GetProjectPath("Nowhere")));
    EXPECT_EQ(model(), "......");
    EXPECT_TRUE(picker->OpenDocumentPath(app->GetPaths()->GetProjectPath("Zoo")));
    EXPECT_EQ(picker->ProjectName(), "Zoo");
    EXPECT_EQ(model(), "ABCD..");
    EXPECT_EQ(picker->ProjectList()->NameOf(picker->ProjectList()->GetSelected()), "Zoo");

    // A name beyond ASCII: UTF-8 on the disc, listed as typed.
    saveAs("Bego\xF1" "a");
    const std::filesystem::path zoo = plat::hostPathOfText(app->GetPaths()->GetProjectPath("Zoo"));
    EXPECT_TRUE(std::filesystem::exists(zoo.parent_path() / "Begoña.tbp"));
    EXPECT_EQ(picker->ProjectList()->NameOf(picker->ProjectList()->GetSelected()), "Bego\xF1" "a");

    // Saved onto the fake drive, then opened from there.
    savePath = "T:\\Away.tbp";
    command(kCmdSave);
    command(kCmdNew);
    EXPECT_TRUE(picker->OpenDocumentPath("T:\\Away.tbp"));
    EXPECT_EQ(picker->ProjectName(), "Away");
    EXPECT_EQ(model(), "ABCD..");
    EXPECT_FALSE(picker->IsDirty());
    EXPECT_EQ(picker->ProjectList()->FindName("Away"), -1) << "not one of the user's slide shows";
}

// A file that is no project (empty, or another file's bytes), whether among the user's slide
// shows or opened from elsewhere (File > Open, the command line), is refused with the message
// naming it, and the show on the strip stays as it was.
TEST_F(PickerCommands, AFileThatIsNoProjectIsRefusedAndSaid) {
    enterWithFour();
    saveAs("Zoo");
    alerts();
    std::string noise(2000, '\0');
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = char((i * 2654435761u) >> 11);
    struct Case {
        const char* name;
        std::string host;
        std::string bytes;
    };
    const Case cases[] = {
        {"Empty", plat::hostPathOfText(app->GetPaths()->GetProjectPath("Empty")), ""},
        {"Noise", root_ + "/disc/Noise.tbp", noise},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(c.host, std::ios::binary) << c.bytes;
        EXPECT_FALSE(picker->OpenDocumentPath(engineTextOfHostFolder(c.host)));
        const std::vector<mfxAlertRecord> told = alerts();
        ASSERT_EQ(told.size(), 1u);
        EXPECT_EQ(told[0].text, LookupLanguageText("PickerStrings", "FailedLoadProject").c_str() + std::string(c.name));
        EXPECT_EQ(picker->ProjectName(), "Zoo");
        EXPECT_EQ(model(), "ABCD..");
    }
}

// Quitting from the picker asks about the changes first: Cancel stays, No quits.
TEST_F(PickerCommands, QuitAsksFirst) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    add("Apple", 1);
    command(kCmdExit);
    EXPECT_FALSE(app->IsQuitting()) << "the question waits for its answer";
    ASSERT_NO_FATAL_FAILURE(answerSaveQuestion(kDlgResultLeave));
    EXPECT_EQ(app->GetCurrentModule(), picker);
    EXPECT_FALSE(app->IsQuitting());
    EXPECT_NE(app->GetPortfolio()->Document(), nullptr);
    command(kCmdExit);
    ASSERT_NO_FATAL_FAILURE(answerSaveQuestion(kWarningResultNo));
    EXPECT_TRUE(alerts().empty());
    EXPECT_EQ(app->GetPortfolio()->Document(), nullptr);
    EXPECT_TRUE(app->IsQuitting());
}

// The window closed by the desktop during a show with unsaved changes: the show ends, the
// editor asks in its own dialog, and the child may stay; closed again and answered, it quits.
TEST_F(PickerCommands, ClosingTheWindowDuringAShowAsksInTheEditor) {
    enterWithFour();
    command(kCmdPlaySlideShow);
    settle(6);
    ASSERT_NE(dynamic_cast<RSlideShowModule*>(app->GetCurrentModule()), nullptr);
    for (const u16 answer : {u16(kDlgResultLeave), u16(kWarningResultNo)}) {
        plat::postMessage(mainWindow->GetHandle(), plat::kMsgClose, 0, 0);
        settle(6);
        picker = dynamic_cast<RPicker*>(app->GetCurrentModule());
        ASSERT_NE(picker, nullptr) << "back in the editor";
        picker->SetFileUi(ui());
        ASSERT_NO_FATAL_FAILURE(answerSaveQuestion(answer));
        EXPECT_EQ(app->IsQuitting(), answer == kWarningResultNo);
        if (answer == kDlgResultLeave) {
            EXPECT_EQ(model(), "ABCD..") << "the show is still there";
            command(kCmdPlaySlideShow);
            settle(6);
        }
    }
    EXPECT_TRUE(alerts().empty()) << "no plain box asked";
}

// The program ends (its exit runs) with unsaved changes, in the editor or during a show: the
// question is the program's own dialog, answered before the show goes; Yes in the editor
// saves it.
TEST_F(PickerCommands, TheProgramsEndAsksInItsOwnDialog) {
    const struct {
        const char* what;
        bool during;
        u16 answer;
    } cases[] = {{"editor, yes", false, kWarningResultYes}, {"show, no", true, kWarningResultNo}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        enterWithFour();
        savePath = app->GetPaths()->GetProjectPath("Zoo");
        if (c.during) {
            command(kCmdPlaySlideShow);
            settle(6);
            ASSERT_NE(dynamic_cast<RSlideShowModule*>(app->GetCurrentModule()), nullptr);
        }
        bool asked = false;
        display_.whilePumped = [&] {
            for (int32_t i = 0; i < inputObjectCount() && !asked; ++i) {
                auto* question = dynamic_cast<RDlgWarnings*>(inputObjectAt(i));
                if (!question || question->MessageId() != kWarningSaveShow || !question->ItemButtonsUp()) continue;
                asked = true;
                queueClick(centreOf(question->ItemButtons().Find(c.answer)->GetSprite()));
            }
        };
        app->ExitInstance();
        display_.whilePumped = nullptr;
        app.reset();
        EXPECT_TRUE(asked);
        EXPECT_TRUE(alerts().empty()) << "no plain box asked";
        EXPECT_EQ(projectFile("Zoo").empty(), c.answer != kWarningResultYes);
        std::filesystem::remove_all(root_ + "/data/tumblo4/Users/Maya/Slide Shows");
    }
}

// The slide show's print dialog reads in full in both languages: each mode's name beside its
// mark and its description fit their places, and the preview's slides lie on its sheet.
class PrintDialogReader : public RPrintDialog {
public:
    using RPrintDialog::RPrintDialog;
    const std::vector<plat::widgets::DialogItem>& Items() { return Box().items(); }
};

TEST_F(PickerCommands, ThePrintDialogReadsInFullInBothLanguages) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    // The program's dialogs and their pictures come from the archive beside the program.
    const ResMapHandle system = resOpenFile(EnginePath(plat::textOfHostPath(std::string(TUMBLO_TEST_PROGRAM_DIR) + "/SYSTEM.KVR")).get(), 1, 1);
    ASSERT_NE(system, 0);
    for (int language = 0; language < 2; ++language) {
        SCOPED_TRACE(language == 0 ? "English" : "Spanish");
        PrintDialogReader dialog(mainWindow, kPrintModeSlides);
        ASSERT_EQ(dialog.LoadError(), kErrNone);
        dialog.Initialize();
        for (const plat::widgets::DialogItem& item : dialog.Items()) {
            const bool radio = item.kind == plat::widgets::DialogItemKind::Radio;
            const bool oneLine = item.kind == plat::widgets::DialogItemKind::Label && item.rect.height() <= 2 * plat::widgets::labelHeight();
            if (!radio && !oneLine) continue;
            // A mark's words start after it: 13 pixels and a gap of 5.
            const i32 room = item.rect.width() - (radio ? 18 : 0);
            EXPECT_LE(plat::widgets::labelWidth(item.text), room) << item.id << " \"" << item.text << "\"";
        }
        mainWindow->OnCommand(kCmdSwitchLanguage);
        settle(6);
    }
    for (u16 id = kPreviewFullPage; id <= kPreviewThumbnail; ++id) {
        const std::unique_ptr<plat::gdi::Surface> preview = LoadPictureSurface(id);
        ASSERT_NE(preview, nullptr) << id;
        // Every slide's pixel (light and coloured, not the white sheet nor its dark outline) has
        // the sheet, never the picture's background, three pixels around it.
        const u32 background = preview->pixel(0, 0);
        for (i32 y = 0; y < preview->height(); ++y)
            for (i32 x = 0; x < preview->width(); ++x) {
                const plat::gdi::Rgb c = preview->rgbOf(preview->pixel(x, y));
                const bool white = c.red == c.green && c.green == c.blue;
                if (preview->pixel(x, y) == background || white || c.red + c.green + c.blue < 3 * 128) continue;
                for (const auto& [dx, dy] : {std::pair{3, 0}, {-3, 0}, {0, 3}, {0, -3}}) {
                    const bool inside = x + dx >= 0 && y + dy >= 0 && x + dx < preview->width() && y + dy < preview->height();
                    ASSERT_TRUE(inside && preview->pixel(x + dx, y + dy) != background) << id << " at " << x << "," << y;
                }
            }
    }
    resCloseFile(system, 0, 1);
}

// Leaving keeps where the strip was and which project it showed, in the project's settings
// and the user's.
TEST_F(PickerCommands, LeavingKeepsThePlaceAndTheProject) {
    enterWithFour();
    select(3);
    saveAs("Zoo");
    settings().projectPosition = 9;
    std::fill(settings().projectTitle.begin(), settings().projectTitle.end(), '\0');
    goToOtherScreen();
    EXPECT_STREQ(settings().projectTitle.data(), "Zoo");
    EXPECT_EQ(settings().projectPosition, 0);
    const std::string saved = projectFile("Zoo");
    EXPECT_NE(saved.find("SelectedPage=4"), std::string::npos) << saved;
    EXPECT_NE(saved.find("TopLeftPage=1"), std::string::npos) << saved;
}

// A cut slide goes into the trash can: the can's button makes way for its animation and
// comes back when the animation is over.
TEST_F(PickerCommands, TheTrashCanSwallowsACutSlide) {
    enterWithFour();
    const i32 trash = picker->FindButtonById(kPickerButtonTrash);
    ASSERT_GE(trash, 0);
    RButton& can = *picker->Buttons()[size_t(trash)];
    EXPECT_TRUE(can.IsShown());
    select(2);
    command(kCmdCut);
    EXPECT_FALSE(can.IsShown());
    for (int i = 0; i < 40 && !can.IsShown(); ++i) advance(250);
    EXPECT_TRUE(can.IsShown());
}

// The list of slide shows draws the current one on its yellow band, the others on cream.
TEST_F(PickerCommands, TheListMarksTheCurrentShow) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    for (const char* name : {"Ark", "Bus"}) {
        command(kCmdNew);
        add("Apple", 1);
        saveAs(name);
    }
    settle();
    const auto near = [](u32 p, u32 q) {
        for (int shift : {0, 8, 16})
            if (std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)) > 12) return false;
        return true;
    };
    for (int item = 0; item < 2; ++item) {
        const Rect16 cell = picker->ProjectList()->GetCellRect(item);
        const u32 shown = shownPixel(Point16{i16(cell.left + 3), i16(cell.top + 3)});
        const bool current = picker->ProjectList()->NameOf(item) == picker->ProjectName();
        EXPECT_TRUE(near(shown, current ? 0xFFD60A : 0xFFFDF5)) << item << " " << std::hex << shown;
    }
}

// Entering with a project already open (a slide show opened from outside) shows that one, not
// the one the user's settings name.
TEST_F(PickerCommands, EnteringWithAProjectShowsIt) {
    enterWithFour();
    saveAs("Zoo");
    command(kCmdNew);
    add("Emu", 5);
    saveAs("Ark");
    goToOtherScreen();
    ASSERT_EQ(app->GetPortfolio()->Document(), nullptr);
    std::strcpy(settings().projectTitle.data(), "Zoo");
    auto ark = std::make_unique<RDocument>(EnginePath(app->GetPaths()->GetProjectPath("Ark")).get());
    ark->LoadPages();
    app->GetPortfolio()->SetDocument(std::move(ark));
    goToOtherScreen();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->ProjectName(), "Ark");
    EXPECT_EQ(model(), "E.....");
    EXPECT_EQ(picker->ProjectList()->NameOf(picker->ProjectList()->GetSelected()), "Ark");
}

// Paste with no cell chosen does nothing, and asks nothing.
TEST_F(PickerCommands, PasteWithoutAChosenCell) {
    enterWithFour();
    select(0);
    command(kCmdCopy);
    picker->Strip()->Select(-1);
    command(kCmdPaste);
    EXPECT_EQ(model(), "ABCD..");
    EXPECT_EQ(picker->CurrentDialog(), nullptr);
}

RDocument* gUndoDocument = nullptr;

// The arrangement's undo step: what each record leaves to take back, and what each Undo asks
// of the picker, by the project's own steps.
TEST_F(PickerCommands, TheArrangementsUndoStepByRecord) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    testapp::RecordingOwner owner;
    UndoManager manager(kCmdUndo);
    RDocument document(nullptr);
    gUndoDocument = &document;
    UndoPicker undo(&owner, &manager, [] { return gUndoDocument; });
    const auto ask = [&](u32 code) {
        owner.heard.clear();
        RMessage message(code, 0, 0);
        undo.HandleMessage(&message, 0);
        settle();
        return owner.codes();
    };
    EXPECT_EQ(undo.GetState(), UndoPicker::kNothing);
    EXPECT_TRUE(ask(kPickerUndoMove).empty()) << "nothing recorded";
    undo.Record(kPickerUndoDeleteShow);
    EXPECT_EQ(undo.GetState(), UndoPicker::kNothing);
    undo.Record(kPickerUndoCopy);
    EXPECT_EQ(undo.GetState(), UndoPicker::kUndoPossible);
    EXPECT_EQ(manager.GetCurrentCode(), FourCC(kPickerUndoCopy));
    undo.Record(kPickerUndoClear);
    EXPECT_EQ(undo.GetState(), UndoPicker::kNothing);
    EXPECT_NE(manager.GetCurrentCode(), FourCC(kPickerUndoCopy)) << "a cleared record leaves no step";

    undo.Record(kPickerUndoPlace);
    EXPECT_TRUE(ask(kPickerUndoPlace).empty()) << "the project has no step to take back";
    EXPECT_EQ(undo.GetState(), UndoPicker::kUndoPossible);
    ASSERT_EQ(document.PlacePage(2, std::make_unique<RPage>(PageSettings{}, "A.tbx", 2)), kErrNone);
    for (u32 ignored : {u32(kPickerUndoClear), u32(kPickerUndoCopy), u32(kPickerUndoDeleteShow)})
        EXPECT_TRUE(ask(ignored).empty()) << ignored;
    EXPECT_EQ(ask(kPickerUndoPlace), std::vector<u32>{kPickerUndoArrangement});
    EXPECT_EQ(undo.GetState(), UndoPicker::kRedoPossible);
    EXPECT_TRUE(ask(kPickerUndoPlace).empty()) << "nothing to redo until the project took the step back";
    ASSERT_TRUE(document.UndoArrangement());
    EXPECT_EQ(ask(kPickerUndoPlace), std::vector<u32>{kPickerRedoArrangement});
    EXPECT_EQ(undo.GetState(), UndoPicker::kUndoPossible);
    gUndoDocument = nullptr;
    EXPECT_TRUE(ask(kPickerUndoPlace).empty()) << "no project, nothing to ask";
}

// The picker as a child sees it: the backdrop, the list with the current show on its band,
// the project's and the slide's names, the strip's first cells with their icons and timings,
// and the button row.
TEST_F(PickerCommands, ThePickerAsItShows) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    add("Apple", 1);
    add("Bear", 2);
    add("Cat", 3);
    saveAs("Zoo");
    select(1);
    move({5, 5});
    ExpectPicture("picker_zoo", Rect16{0, 0, 800, 600});
}

// A cell outside the strip is no cell: refreshing one changes nothing.
TEST_F(PickerCommands, RefreshingACellOutsideTheStripDoesNothing) {
    enterWithFour();
    for (int cell : {-1, int(kMaxProjectPages), int(kMaxProjectPages) + 1}) {
        picker->RefreshCell(cell);
        EXPECT_EQ(model(), "ABCD..") << cell;
        EXPECT_EQ(picker->Strip()->Cells().size(), size_t(kMaxProjectPages));
    }
}

}  // namespace
