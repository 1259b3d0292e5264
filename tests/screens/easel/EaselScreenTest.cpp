// The easel entered inside the application over the content set: its buttons and their
// commands, Play and Stop, the save question before the page is dropped, Start Over, the
// small-kids change and the page-object limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "app/dialogs/RABCTextDlg.h"
#include "app/dialogs/RDlgWarnings.h"
#include "app/dialogs/RNoteDlg.h"
#include "document/objects/RNotePageObject.h"
#include "app/help/HelpContext.h"
#include "app/help/RHelp.h"
#include "app/menus/MenuCommands.h"
#include "app/window/RDisplayWindow.h"
#include "document/objects/RTextPageObject.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PageIndex.h"
#include "document/storage/TextRecords.h"
#include "document/users/EnginePath.h"
#include "tests/engine/resources/format/ArchiveBytes.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "engine/resources/ResourceManager.h"
#include "engine/ini/IniProfiles.h"
#include "framework/language/LanguageTexts.h"
#include "framework/controls/RBitmapScroller.h"
#include "framework/controls/RColorPicker.h"
#include "framework/input/RHotSpotItem.h"
#include "panels/base/RScrollToolPanel.h"
#include "panels/pencil/RPencilPanel.h"
#include "platform/files/Files.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/EaselSaveQuestion.h"
#include "screens/easel/EaselToolTips.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/REasel.h"
#include "tests/app/application/ShellTestFixture.h"
#include "tools/erasers/RDFirecracker2.h"

namespace {

using namespace Ostrel;

class EaselScreen : public testapp::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        if (HasFatalFailure()) return;
        shell = parts(&log, true);
        shell.mainWindow = [](const std::string& title, const Rect16& rect) -> std::unique_ptr<RShellWindow> {
            return std::make_unique<RDisplayWindow>(title, rect);
        };
        shell.screen = [](u32 code) -> std::unique_ptr<RModule> {
            if (code == kScreenEasel) return std::make_unique<REasel>();
            return nullptr;
        };
        shell.builds = [this](u32 code) { return code == kScreenEasel || (code == kScreenPicker && pickerBuilt); };
    }
    // Starts the program and logs "Maya" in: the easel comes up with a blank page.
    void start() {
        application = std::make_unique<RApplication>();
        application->SetShellParts(shell);
        ASSERT_EQ(application->Startup(0, {}), 0);
        RMessage open(kMsgOpenDocument, 0, 0);
        application->HandleMessage(&open, 0);
        RMessage answer(kMsgLoginClosed, 0, kLoginChosen);
        answer.Carry(std::string("Maya"));
        application->HandleMessage(&answer, 0);
        easel = dynamic_cast<REasel*>(application->GetCurrentModule());
        ASSERT_NE(easel, nullptr);
        idle();
    }
    void TearDown() override {
        // The language texts are process-wide and would keep paths on the volumes the
        // application's exit takes down; the other suites of this program run after it.
        Path none{};
        pathInitEmpty(&none);
        SetupLanguageFolders(&none, "none");
        if (application) application->ExitInstance();
        application.reset();
        ShellTest::TearDown();
    }
    void idle() {
        for (int i = 0; i < 4; ++i) application->OnIdle();
    }
    void send(u32 code, uintptr_t param1 = 0, u16 param2 = 0) {
        RMessage message(code, param1, param2);
        easel->HandleMessage(&message, 0);
    }
    RButton* button(u16 id) {
        const i32 index = easel->FindButtonById(id);
        return index < 0 ? nullptr : easel->Buttons()[size_t(index)].get();
    }
    void makeUnsaved() { application->GetCurrentPage()->Data().SetDirtyState(true); }
    bool pageIsWhite() const {
        const PixelView& picture = easel->Canvas()->Picture();
        for (i32 y = 0; y < picture.height; ++y)
            if (std::any_of(picture.Row(y), picture.Row(y) + picture.width, [](u16 p) { return p != kRgb555White; })) return false;
        return true;
    }
    // Answers the open save question with `result`, as its button would.
    void answerQuestion(u16 result) {
        RDlgWarnings* question = easel->WarningDialog();
        ASSERT_NE(question, nullptr);
        question->SetResult(result);
        send(question->GetKind(), reinterpret_cast<uintptr_t>(question), result);
    }

    std::vector<std::string> log;
    bool pickerBuilt = true;
    ShellParts shell;
    std::unique_ptr<RApplication> application;
    REasel* easel = nullptr;
};

TEST_F(EaselScreen, EntersWithItsButtonsCanvasSwatchAndThePencilPanel) {
    start();
    ASSERT_NE(easel->Canvas(), nullptr);
    EXPECT_NE(dynamic_cast<RPencilPanel*>(easel->CurrentPanel()), nullptr);
    EXPECT_EQ(easel->CurrentToolbar(), 232);
    ASSERT_NE(easel->ColorPicker(), nullptr);
    EXPECT_EQ(dynamic_cast<RSmallColorPicker*>(easel->ColorPicker()), nullptr);
    EXPECT_NE(easel->SwatchHotSpot(), nullptr);
    EXPECT_NE(easel->UndoSprite(), 0);
    ASSERT_NE(button(kPlayButton), nullptr);
    ASSERT_NE(button(kStopButton), nullptr);
    EXPECT_FALSE(button(kStopButton)->IsShown());
    EXPECT_TRUE(button(kPlayButton)->IsShown());
    EXPECT_EQ(button(kPlayButton)->GetState(), kButtonSelected) << "Play shows disabled on a blank page";
    EXPECT_TRUE(button(kSlideShowButton)->IsShown());
    // The content set's "PageObjectLimits" allows 20 Flash objects.
    EXPECT_EQ(easel->PageObjectLimit(), 20);
}

// The panel's own buttons live in the tool panels' content item, which the panel opens itself.
TEST_F(EaselScreen, ThePencilPanelShowsItsKindLineAndSizeButtons) {
    start();
    auto* pencils = dynamic_cast<RPencilPanel*>(easel->CurrentPanel());
    ASSERT_NE(pencils, nullptr);
    ASSERT_GE(pencils->Buttons().size(), size_t(kPencilKindCount));
    for (u16 id = kPencilKindButtonFirst; id < kPencilKindButtonFirst + kPencilKindCount; ++id) {
        const int index = FindButtonByCommand(pencils->Buttons(), id);
        ASSERT_GE(index, 0) << id;
        EXPECT_TRUE(pencils->Buttons()[size_t(index)]->IsShown()) << id;
    }
    EXPECT_GE(FindButtonByCommand(pencils->Buttons(), u16(kMsgPencilFreehand)), 0);
    EXPECT_EQ(pencils->SizeButtons().size(), size_t(kPencilSizeCount));
}

TEST_F(EaselScreen, ToolbarButtonsSendTheirToolbarCommands) {
    start();
    const struct {
        u16 button;
        u32 command;
    } cases[] = {{1012, 232}, {1000, 224}, {1003, 222}, {1006, 223}, {1009, 225}, {1015, 233}, {1018, 234},
                 {1021, 237}, {1024, 236}, {1027, 229}, {1030, 227}, {1033, 228}, {1067, 298}, {1038, 243},
                 {1042, 244}, {1070, 239}, {1073, 270}, {1077, 266}};
    for (const auto& c : cases) {
        RButton* b = button(c.button);
        ASSERT_NE(b, nullptr) << c.button;
        EXPECT_EQ(b->GetRecord().clickMessage, c.command) << c.button;
        // Each button's hover message has its tool tip.
        const EaselToolTip* tip = easelToolTip(b->GetRecord().hoverMessage);
        ASSERT_NE(tip, nullptr) << c.button;
        EXPECT_EQ(tip->button, c.button);
    }
}

TEST_F(EaselScreen, EraserHidesStartOverAndAnyOtherPanelShowsItAgain) {
    start();
    send(228);
    EXPECT_FALSE(button(kStartOverButton)->IsShown());
    EXPECT_FALSE(easel->StartOverAvailable());
    EXPECT_EQ(GetHelpContext().buttonSets[1], 897);
    send(232);
    EXPECT_TRUE(button(kStartOverButton)->IsShown());
    EXPECT_TRUE(easel->StartOverAvailable());
    EXPECT_EQ(GetHelpContext().buttonSets[0], 777);
    EXPECT_EQ(GetHelpContext().buttonSets[1], 827);
}

TEST_F(EaselScreen, PlayIsEnabledByATextToReadAndAClickOffStopStopsPlaying) {
    start();
    RPage* page = application->GetCurrentPage();
    auto text = std::make_unique<RTextPageObject>(1);
    text->text.text = "Hello";
    ASSERT_NE(page->Data().AdoptObject(std::move(text)), nullptr);
    send(kMsgPageStateChanged);
    EXPECT_TRUE(easel->HasMedia());
    EXPECT_EQ(button(kPlayButton)->GetState(), kButtonUp);
    send(243);
    EXPECT_TRUE(easel->IsPlaying());
    EXPECT_FALSE(button(kPlayButton)->IsShown());
    EXPECT_TRUE(button(kStopButton)->IsShown());
    const Rect16 stop = button(kStopButton)->GetHotSpot()->GetRect();
    EXPECT_EQ(easel->HandleInput(0, Point16{stop.left, stop.top}, 0), 0u) << "Stop itself hears its click";
    EXPECT_TRUE(easel->IsPlaying());
    EXPECT_EQ(easel->HandleInput(0, Point16{300, 300}, 0), 1u);
    EXPECT_FALSE(easel->IsPlaying());
    EXPECT_TRUE(button(kPlayButton)->IsShown());

    // Without reading aloud the text plays nothing.
    application->GetGlobalUserSettings()->textToSpeech = 0;
    send(kMsgPageStateChanged);
    EXPECT_FALSE(easel->HasMedia());
    EXPECT_EQ(button(kPlayButton)->GetState(), kButtonSelected);
}

TEST_F(EaselScreen, QuitWithUnsavedWorkAsksAndCancelLeavesEverythingAsItWas) {
    start();
    makeUnsaved();
    send(268);
    ASSERT_NE(easel->WarningDialog(), nullptr);
    EXPECT_EQ(easel->WarningDialog()->GetKind(), 258u);
    EXPECT_TRUE(easel->Canvas()->ClicksSuspended());
    answerQuestion(kDlgResultLeave);
    EXPECT_EQ(easel->WarningDialog(), nullptr);
    EXPECT_NE(application->GetCurrentPage(), nullptr);
    EXPECT_TRUE(application->GetCurrentPage()->Data().IsDirty());
    EXPECT_FALSE(application->IsQuitting());
    idle();
    EXPECT_FALSE(application->IsQuitting());

    // "Do not save" drops the page and quits.
    send(268);
    answerQuestion(kWarningResultNo);
    EXPECT_EQ(application->GetCurrentPage(), nullptr);
    idle();
    EXPECT_TRUE(application->IsQuitting());
}

TEST_F(EaselScreen, QuitWithASavedPageQuitsWithoutAsking) {
    start();
    send(268);
    EXPECT_EQ(easel->WarningDialog(), nullptr);
    idle();
    EXPECT_TRUE(application->IsQuitting());
}

TEST_F(EaselScreen, NewPictureAsksFirstAndDoNotSaveGivesABlankPage) {
    start();
    makeUnsaved();
    RPage* before = application->GetCurrentPage();
    send(245);
    ASSERT_NE(easel->WarningDialog(), nullptr);
    EXPECT_EQ(easel->WarningDialog()->GetKind(), 259u);
    EXPECT_EQ(application->GetCurrentPage(), before);
    answerQuestion(kWarningResultNo);
    idle();
    ASSERT_NE(application->GetCurrentPage(), nullptr);
    EXPECT_FALSE(application->GetCurrentPage()->Data().IsDirty());
    EXPECT_EQ(easel->WarningDialog(), nullptr);
    EXPECT_FALSE(easel->Canvas()->ClicksSuspended());
}

TEST_F(EaselScreen, SaveQuestionsByPendingAction) {
    const struct {
        u32 action;
        u32 reply;
        u16 text;
    } cases[] = {{269, 258, 7544}, {245, 259, 7546}, {246, 256, 7548}, {249, 251, 7547},
                 {279, 257, 7545}, {5567, 262, 7542}, {250, 0, 0}};
    for (const auto& c : cases) {
        const SaveQuestion question = saveQuestionFor(c.action);
        EXPECT_EQ(question.reply, c.reply) << c.action;
        EXPECT_EQ(question.text, c.text) << c.action;
    }
}

TEST_F(EaselScreen, StartOverWipesThePageOverItsTimeAndDropsCommandsUntilItEnds) {
    start();
    easel->Canvas()->Picture().Fill(rgb555(0, 0, 255));
    send(266);
    ASSERT_NE(easel->StartOverEffect(), nullptr);
    EXPECT_TRUE(easel->StartOverEffect()->IsBusy());
    send(228);
    EXPECT_NE(easel->CurrentToolbar(), 228) << "commands are dropped while the effect runs";
    // Ticks faster than its frames: the effect takes its time all the same.
    const u32 lasts = (kFirecrackerFrames - 1) * kDestructoFrameMs;
    for (u32 now = 1000; now < 1000 + lasts; now += 5) {
        easel->HandleTick(now);
        ASSERT_TRUE(easel->StartOverEffect()->IsBusy()) << now;
    }
    EXPECT_FALSE(pageIsWhite()) << "the last frame is still to come";
    easel->HandleTick(1000 + lasts);
    EXPECT_FALSE(easel->StartOverEffect()->IsBusy());
    EXPECT_TRUE(pageIsWhite());
    EXPECT_TRUE(application->GetCurrentPage()->Data().IsDirty());
    idle();  // the effect's 1333
    EXPECT_EQ(easel->StartOverEffect(), nullptr);
    send(228);
    EXPECT_EQ(easel->CurrentToolbar(), 228);
}

// A press on Start Over takes the panel's buttons out of service until the effect has ended;
// a press that ended off the button started nothing, and the next press gives them back.
TEST_F(EaselScreen, AStartOverPressHoldsThePanelButtonsUntilTheEffectEnds) {
    start();
    RPanel* panel = easel->CurrentPanel();
    ASSERT_NE(panel, nullptr);
    ASSERT_GT(panel->HotSpots()->Count(), 0);
    const auto inService = [&] {
        int active = 0;
        for (int i = 0; i < panel->HotSpots()->Count(); ++i) active += panel->HotSpots()->GetHotSpot(i)->IsActive() ? 1 : 0;
        return active;
    };
    const int all = inService();
    ASSERT_GT(all, 0);
    ASSERT_NE(button(kStartOverButton), nullptr);
    const Rect16 r = button(kStartOverButton)->GetHotSpot()->GetRect();
    const Point16 onStartOver{i16((r.left + r.right) / 2), i16((r.top + r.bottom) / 2)};
    const Point16 elsewhere{0, 0};
    ASSERT_FALSE(rectContainsPoint(r, elsewhere));

    easel->ClickOutsideCanvas(onStartOver);
    EXPECT_EQ(inService(), 0);
    easel->ClickOutsideCanvas(elsewhere);
    EXPECT_EQ(inService(), all) << "the press ended off the button";

    easel->ClickOutsideCanvas(onStartOver);
    send(266);
    ASSERT_NE(easel->StartOverEffect(), nullptr);
    easel->ClickOutsideCanvas(elsewhere);
    EXPECT_EQ(inService(), 0) << "held while the effect runs";
    for (u32 now = 0; now < kFirecrackerFrames * kDestructoFrameMs && easel->StartOverEffect()->IsBusy(); now += kDestructoFrameMs)
        easel->HandleTick(now);
    idle();  // the effect's 1333
    EXPECT_EQ(easel->StartOverEffect(), nullptr);
    EXPECT_EQ(inService(), all);
}

// Until the program has its slide-show screens, neither the button nor the menu leads there,
// and the command leaves the easel as it was.
TEST_F(EaselScreen, GoToSlideShowIsOfferedOnlyWhenTheProgramHasThePicker) {
    for (bool built : {false, true}) {
        SCOPED_TRACE(built);
        pickerBuilt = built;
        start();
        auto* window = dynamic_cast<RDisplayWindow*>(application->GetMainWindow());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(button(kSlideShowButton)->IsShown(), built);
        EXPECT_EQ(window->IsMenuCommandEnabled(kCmdSwitchScreen), built);
        application->GetGlobalUserSettings()->smallKids = 0;
        send(263);
        EXPECT_EQ(button(kSlideShowButton)->IsShown(), built) << "leaving small-kids mode";
        if (!built) {
            send(270);
            idle();
            EXPECT_EQ(application->GetCurrentModule(), easel);
            EXPECT_NE(easel->CurrentPanel(), nullptr);
            EXPECT_NE(application->GetCurrentPage(), nullptr);
        }
        application->ExitInstance();
        application.reset();
    }
}

TEST_F(EaselScreen, SmallKidsModeHidesTheSlideShowButtonAndUsesTheSmallPicker) {
    start();
    application->GetGlobalUserSettings()->smallKids = 1;
    send(263);
    EXPECT_FALSE(button(kSlideShowButton)->IsShown());
    EXPECT_NE(dynamic_cast<RSmallColorPicker*>(easel->ColorPicker()), nullptr);
    application->GetGlobalUserSettings()->smallKids = 0;
    send(263);
    EXPECT_TRUE(button(kSlideShowButton)->IsShown());
    EXPECT_EQ(dynamic_cast<RSmallColorPicker*>(easel->ColorPicker()), nullptr);
}

// The scripts of every group the easel holds have their places in the sprite layer's script
// cache, also with the small-kids picker, help mode and a help page up: none is cut off at the
// cache's end.
TEST_F(EaselScreen, EveryScriptOfItsGroupsHasAPlaceInTheScriptCache) {
    start();
    application->GetGlobalUserSettings()->smallKids = 1;
    send(263);
    send(239);
    ASSERT_NE(easel->Help(), nullptr);
    // A help page open over it: the help dialog's group too.
    RMessage page(19032, 0, 0);
    easel->Help()->HandleMessage(&page, 0);
    for (const u16 group : {u16(1000), u16(18000), u16(100), u16(7000), kSmallPickerGroup, u16(10000), u16(9000)}) {
        SCOPED_TRACE(group);
        ASSERT_NE(sprFindGroup(group), kSprNoSlot);
        u32 shape = group;
        for (; resFindResource(kSprScriptType, u16(shape), 0) != 0; ++shape) {
            i16 index = -1, slot = -1;
            ASSERT_TRUE(sprFindShape(u16(shape), &index, &slot)) << shape;
            EXPECT_EQ(sprGroupIdOf(slot), group) << shape;
            EXPECT_FALSE(sprCachedScript(index, u16(shape)).empty()) << shape;
        }
        EXPECT_GT(shape, u32(group) + 1) << "the group has scripts";
    }
    // The shapes the screen, its pickers and its panels name.
    for (const u16 shape : {1000, 1038, 1039, 1042, 1043, 1044, 1045, 1052, 1059, 1066, 1080, 1082, 1103, 1106, 1500,
                            1501, 7000, 7001, 18000, 18028, 18034, 18042, 18149, 18159, 18166, 18274}) {
        i16 index = -1, slot = -1;
        EXPECT_TRUE(sprFindShape(shape, &index, &slot)) << shape;
    }
}

// Every tool strip layout finds the two scroll arrows in the strips' shared arrow shape, and a
// strip panel shows them where their hot spots lie.
TEST_F(EaselScreen, ToolStripsFindAndShowTheirTwoScrollArrows) {
    start();
    for (const u16 layout : {18000, 18018, 18020, 18021, 18024, 18027}) {
        SCOPED_TRACE(layout);
        RBitmapScroller strip(easel, layout, kToolStripArrowShape, 18001);
        ASSERT_GT(strip.GetVisibleCount(), 0);
        EXPECT_EQ(strip.HotSpots().Count(), strip.GetVisibleCount() + 2);
    }
    RScrollToolPanel panel(easel, nullptr);
    ASSERT_EQ(panel.InitScroller(18027, -1), 0);
    sprUpdateScreen(1);
    Rect16 parts[kSprMaxParts];
    ASSERT_EQ(sprGetShapePartRects(kToolStripArrowShape, parts), 2);
    EXPECT_LT(parts[0].right, parts[1].left) << "back, then forward";
    for (int i = 0; i < 2; ++i) {
        const Point16 centre{i16((parts[i].left + parts[i].right) / 2), i16((parts[i].top + parts[i].bottom) / 2)};
        const SprSprite* hit = sprFindAtPoint(centre, 0xFFFFFF, 1, 0, 0);
        ASSERT_NE(hit, nullptr) << i;
        EXPECT_EQ(hit->shape, kToolStripArrowShape) << i;
    }
}

// The swatch, the palette behind it and the undo snail stand where their shapes place them, in
// the right-hand column: none of them covers the canvas, also after the picker is rebuilt.
TEST_F(EaselScreen, SwatchPaletteAndSnailStandAtTheirShapesClearOfTheCanvas) {
    start();
    Rect16 canvas{};
    application->GetCanvasRect(&canvas);
    ASSERT_FALSE(rectIsEmpty(canvas));
    for (const bool rebuilt : {false, true}) {
        SCOPED_TRACE(rebuilt);
        if (rebuilt) {
            application->GetGlobalUserSettings()->smallKids = 1;
            send(263);
            application->GetGlobalUserSettings()->smallKids = 0;
            send(263);
        }
        sprUpdateScreen(1);
        for (const u16 id : {easel->SwatchSprite(), easel->PickerSprite(), easel->UndoSprite()}) {
            const SprSprite* sprite = sprFind(id);
            ASSERT_NE(sprite, nullptr) << id;
            SCOPED_TRACE(sprite->shape);
            EXPECT_FALSE(sprite->hidden);
            Rect16 parts[kSprMaxParts];
            ASSERT_GT(sprGetShapePartRects(sprite->shape, parts), 0);
            EXPECT_EQ(sprite->bounds.left, parts[0].left);
            EXPECT_EQ(sprite->bounds.top, parts[0].top);
            Rect16 overlap = sprite->bounds;
            EXPECT_FALSE(rectIntersect(&overlap, canvas));
        }
        // The swatch is where the child presses for the palette.
        const SprSprite* swatch = sprFind(easel->SwatchSprite());
        EXPECT_TRUE(rectEqual(swatch->bounds, easel->SwatchHotSpot()->GetRect()));
    }
}

TEST_F(EaselScreen, ChosenColourReachesTheSwatchTheCanvasAndItsTools) {
    start();
    const GfxColor red = GfxColor::rgb(255, 0, 0);
    send(kMsgColorChosen, reinterpret_cast<uintptr_t>(&red), 0);
    EXPECT_EQ(easel->CurrentColor().red, 255);
    EXPECT_EQ(easel->Canvas()->CurrentColor().red, 255);
    EXPECT_EQ(rgb555FromColor(easel->Canvas()->PaintColor()), rgb555(255, 0, 0));
}

TEST_F(EaselScreen, PageObjectLimitReadsSWFMaxOnBothSidesOfItsRange) {
    start();
    const struct {
        const char* value;
        u16 limit;
    } cases[] = {{"none", kNoPageObjectLimit}, {"0", 0},     {"32767", 32767},
                 {"32768", kNoPageObjectLimit}, {"-32768", 32768}, {"-32769", kNoPageObjectLimit}};
    for (const auto& c : cases) {
        ASSERT_EQ(iniWriteString(&application->GetIniPath(), "PageObjectLimits", "SWFMax", c.value), kErrNone);
        easel->ReadPageObjectLimits();
        EXPECT_EQ(easel->PageObjectLimit(), c.limit) << c.value;
    }
}

TEST_F(EaselScreen, PictureNameCheckFindsThePicturesOfTheUser) {
    start();
    EXPECT_EQ(easel->PictureNameExists("Nothing"), 0);
    const Paths* paths = application->GetPaths();
    ASSERT_NE(paths, nullptr);
    std::ofstream(plat::hostPathOfText(paths->GetPicturesDir()) + "/Boat.tbx") << "x";
    EXPECT_EQ(easel->PictureNameExists("Boat"), 1);
}

TEST_F(EaselScreen, ConfirmingTheAbcTextWithNoTextRestoresTheDefault) {
    start();
    std::array<char, kGlobalUserTextSize>& abc = application->GetGlobalUserSettings()->alphabetText;
    abc.fill('\0');
    std::strcpy(abc.data(), "Old words");
    send(6628);
    RABCTextDlg* dialog = easel->Canvas()->AbcTextDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(easel->Canvas()->ClicksSuspended());
    dialog->SetResult(kDlgResultConfirm);
    RMessage reply(6629, reinterpret_cast<uintptr_t>(dialog), kDlgResultConfirm);
    easel->Canvas()->HandleMessage(&reply, 0);
    EXPECT_EQ(easel->Canvas()->AbcTextDialog(), nullptr);
    EXPECT_STREQ(abc.data(), "Tumblo is fun!");
    EXPECT_EQ(abc[std::strlen("Tumblo is fun!") + 1], '\0') << "the rest of the string is cleared";
}

TEST_F(EaselScreen, APageNoteOpensTheNoteDialogAndAnEmptyNoteOnlySetsTheMenu) {
    start();
    RNotePageObject* note = application->GetCurrentPage()->Data().GetNote();
    ASSERT_NE(note, nullptr);
    send(296);
    EXPECT_EQ(easel->NoteDialog(), nullptr);
    EXPECT_FALSE(easel->PageHasNote());
    note->SetText("Draw your house");
    send(296);
    ASSERT_NE(easel->NoteDialog(), nullptr);
    EXPECT_TRUE(easel->PageHasNote());
    send(297);
    EXPECT_EQ(easel->NoteDialog(), nullptr);
    EXPECT_FALSE(easel->Canvas()->ClicksSuspended());
}

// A picture file whose note has no text (as a cancelled note dialog used to leave it) reopens
// as a picture without a note: the menu offers "AddNote" and no empty note dialog opens. A note
// with text shows, in either language.
TEST_F(EaselScreen, AReopenedPictureWithAnEmptyNoteHasNoNote) {
    start();
    struct Case {
        const char* text;
        u16 kind;
        bool hasNote, dialog;
    } cases[] = {{"", 0, false, false}, {"", 1, false, false}, {"Draw your house", 0, true, true}, {"Draw your house", 1, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " kind " + std::to_string(c.kind));
        std::vector<u8> note, index;
        ASSERT_EQ(writeNoteRecord({c.kind, c.kind, c.text}, &note), kErrNone);
        PageIndex entries;
        entries.entries.push_back({kTypeNote, 1, 0, 0, 0, 0, 0, 0, 0});
        ASSERT_EQ(writePageIndex(entries, &index), kErrNone);
        const std::vector<u8> file = testres::makeArchive(
            {{kTypePageIndex, 1, std::string(index.begin(), index.end())}, {kTypeNote, 1, std::string(note.begin(), note.end())}});
        std::ofstream(root_ + "/Note.tbx", std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
        ASSERT_TRUE(easel->OpenPicture(engineTextOfHostFolder(root_) + "\\Note.tbx"));
        EXPECT_EQ(easel->PageHasNote(), c.hasNote);
        EXPECT_EQ(easel->NoteDialog() != nullptr, c.dialog);
        if (easel->NoteDialog()) send(297);
    }
}

// The reply of a note dialog that another one replaced before the reply arrived does not close
// the new dialog; the new one's own reply does.
TEST_F(EaselScreen, AReplacedNoteDialogsLateReplyLeavesItsSuccessorOpen) {
    start();
    application->GetCurrentPage()->Data().GetNote()->SetText("Draw your house");
    send(296);
    ASSERT_NE(easel->NoteDialog(), nullptr);
    RMessage ok(kDlgResultConfirm, 0, 0);
    easel->NoteDialog()->HandleMessage(&ok, 0);
    send(296);
    RNoteDlg* second = easel->NoteDialog();
    ASSERT_NE(second, nullptr);
    idle();
    EXPECT_EQ(easel->NoteDialog(), second);
    EXPECT_TRUE(easel->Canvas()->ClicksSuspended());
    second->HandleMessage(&ok, 0);
    idle();
    EXPECT_EQ(easel->NoteDialog(), nullptr);
    EXPECT_FALSE(easel->Canvas()->ClicksSuspended());
}

}  // namespace
