#include "app/window/RDisplayWindow.h"

#include <functional>

#include "app/dialogs/RDeleter.h"
#include "app/dialogs/RGetStartDlg.h"
#include "app/menus/MenuCommands.h"
#include "app/menus/RMenuOwner.h"
#include "document/clipboard/CCPObj.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "framework/input/RInputObject.h"
#include "framework/windows/mfxQueries.h"
#include "platform/clipboard/choice/ClipboardChoice.h"
#include "platform/clock/Clock.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Windows.h"
#include "platform/widgets/WidgetPaint.h"
#include "tests/app/window/WindowShellFixture.h"
#include "tests/framework/input/TestKeys.h"

namespace {

using namespace Ostrel;
using testapp::Log;

class MainWindow : public testapp::WindowShellTest {};

// An input object that takes what it is offered and writes it down.
class Taker : public RInputObject {
public:
    Taker(const char* name, Log* log) : name_(name), log_(log) {}
    u32 HandleKey(u32 key) override {
        log_->push_back(name_ + " key " + std::to_string(keyRecordCharacter(key)));
        return 1;
    }
    u32 HandleInput(u32, Point16 point, u32) override {
        log_->push_back(name_ + " down " + std::to_string(point.h));
        if (leaveOnPress) Unregister();
        return take;
    }
    void HandleNotification(const RInputEvent& event) override {
        log_->push_back(name_ + " heard " + std::to_string(event.kind));
    }
    bool take = true;
    bool leaveOnPress = false;

private:
    std::string name_;
    Log* log_;
};

// A listener of the main window's broadcasts.
class Hearer : public CListener {
public:
    u32 HandleMessage(RMessage* message, uintptr_t) override {
        heard.push_back(message->code);
        return 0;
    }
    std::vector<u32> heard;
};

// An owner of the kind whose dialogs give the menus back when they close.
class MenuOwner : public CListener, public RMenuOwner {
public:
    u32 HandleMessage(RMessage*, uintptr_t) override { return 0; }
};

class PlainOwner : public CListener {
public:
    u32 HandleMessage(RMessage*, uintptr_t) override { return 0; }
};

struct ModeRow {
    u16 command;
    bool easel;
    bool picker;
};

// The states each screen gives the items, as the menus promise them.
constexpr ModeRow kModeRows[] = {
    {kCmdNew, true, true},           {kCmdOpen, true, true},           {kCmdSave, true, true},
    {kCmdExport, true, true},        {kCmdPrint, true, true},          {kCmdExit, true, true},
    {kCmdLogInAsNewUser, true, true}, {kCmdUndo, true, true},          {kCmdCut, true, true},
    {kCmdCopy, true, true},          {kCmdPaste, false, false},        {kCmdAddGraphic, true, true},
    {kCmdAddMovie, true, true},      {kCmdImportBackground, true, false}, {kCmdImportSound, true, false},
    {kCmdLoadPicture, false, true},  {kCmdPaperTextures, true, false}, {kCmdSwitchLanguage, true, true},
    {kCmdEditABCText, true, false},  {kCmdIdeaMachine, true, false},   {kCmdCheckSpelling, false, false},
    {kCmdFlattenText, false, false}, {kCmdFlattenStickers, false, false}, {kCmdSayItThisWay, false, false},
    {kCmdChangeEffects, false, true}, {kCmdPickBgColor, false, true},  {kCmdToolSounds, true, true},
    {kCmdSwitchScreen, true, true},  {kCmdCleanUpExtra, false, true},  {kCmdAttachedSounds, false, true},
    {kCmdTextToSpeech, false, true}, {kCmdManualAdvance, false, true}, {kCmdSmallKids, true, false},
    {kCmdHelp, true, true},          {kCmdViewUsersGuide, true, true}, {kCmdGettingStarted, true, true},
    {kCmdToolTips, true, true},      {401, false, false},              {416, false, false},
};

// Before any screen loads the menu bar (the splash, the login) its rows above the picture are
// plain, like an empty bar, rather than black.
TEST_F(MainWindow, TheMenuBandIsPlainBeforeTheBarIsLoaded) {
    start();
    ASSERT_FALSE(mainWindow->IsMenuBarLoaded());
    const auto* face = dynamic_cast<const plat::HeadlessWindow*>(mainWindow->GetFace());
    ASSERT_NE(face, nullptr);
    ASSERT_EQ(mainWindow->ContentTop(), kMfxMenuBarHeight);
    for (const i32 x : {0, 400, face->surface().width() - 1})
        EXPECT_EQ(face->shownPixel(x, kMfxMenuBarHeight - 1) & 0xFFFFFF, 0xD4D0C8u) << x;
}

// While a show plays the window is all show: the bar leaves its band, which turns black, and
// comes back after. Before a bar is loaded there is nothing to take away.
TEST_F(MainWindow, TheBarLeavesItsBlackBandAndComesBack) {
    start();
    const auto* face = dynamic_cast<const plat::HeadlessWindow*>(mainWindow->GetFace());
    ASSERT_NE(face, nullptr);
    const auto band = [face] {
        std::vector<u32> pixels;
        for (const i32 x : {0, 400, face->surface().width() - 1})
            for (const i32 y : {0, kMfxMenuBarHeight - 1}) pixels.push_back(face->shownPixel(x, y) & 0xFFFFFF);
        return pixels;
    };
    const std::vector<u32> plain(6, 0xD4D0C8u), black(6, 0u);
    mainWindow->SetMenuBandShown(false);
    EXPECT_EQ(band(), plain);
    EXPECT_EQ(mainWindow->GetMenu(), nullptr);
    logIn("Maya");
    ASSERT_NE(mainWindow->GetMenu(), nullptr);
    mainWindow->SetMenuBandShown(false);
    EXPECT_EQ(mainWindow->GetMenu(), nullptr);
    EXPECT_EQ(band(), black);
    mainWindow->SetMenuBandShown(true);
    EXPECT_EQ(mainWindow->GetMenu(), mainWindow->Menu());
}

TEST_F(MainWindow, EachScreenEnablesTheCommandsItOffers) {
    start();
    logIn("Maya");
    ASSERT_TRUE(mainWindow->IsMenuBarLoaded());
    EXPECT_EQ(mainWindow->GetMode(), kMenuModeEasel);
    for (const ModeRow& row : kModeRows) EXPECT_EQ(enabled(row.command), row.easel) << "easel " << row.command;
    EXPECT_FALSE(enabled(kCmdViewTeacherNote));
    EXPECT_EQ(itemText(kCmdSwitchScreen), menuText("GoToSlideShow"));
    EXPECT_EQ(itemText(kCmdNew), menuText("New"));

    app->SwitchModule(kScreenPicker);
    EXPECT_EQ(mainWindow->GetMode(), kMenuModePicker);
    for (const ModeRow& row : kModeRows) EXPECT_EQ(enabled(row.command), row.picker) << "picker " << row.command;
    EXPECT_EQ(itemText(kCmdSwitchScreen), menuText("GoToPaintZone"));
    EXPECT_EQ(itemText(kCmdNew), menuText("NewSlideShow")) << "File's first item makes a new slide show here";
}

// An open text editor: it takes words another program copied.
class WordsEditor : public CCPObj {
public:
    WordsEditor() : CCPObj(kTypeText) {}
    bool Copy() override { return false; }
    bool Paste() override { return false; }
    bool Cut() override { return false; }
    bool CanPaste() override { return !DesktopText().empty(); }
};

// Another program's copy lights Paste as the menu is about to be used, where the easel offers Paste.
TEST_F(MainWindow, AnotherProgramsCopyLightsPasteWhereTheEaselOffersIt) {
    start();
    logIn("Maya");
    WordsEditor editor;
    plat::clipboard().setText("hola");
    struct Case {
        const char* where;
        std::function<void()> go;
        bool paste;
    };
    const Case cases[] = {
        {"easel", [] {}, true},
        {"small kids", [&] { mainWindow->OnCommand(kCmdSmallKids); }, false},
        {"picker", [&] { app->SwitchModule(kScreenPicker); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        c.go();
        mainWindow->Menu()->EnableItem(mfxMenuCommand(kCmdPaste), false);
        plat::sendMessage(mainWindow->GetHandle(), plat::kMsgInitMenu, 0, 0);
        EXPECT_EQ(enabled(kCmdPaste), c.paste);
    }
    plat::clipboard().setText("");
}

TEST_F(MainWindow, EveryTitleOfTheBarReadsItsLanguageText) {
    start();
    logIn("Maya");
    const char* keys[] = {"File", "Edit", "Add", "Toolbox", "Controls", "Help"};
    ASSERT_EQ(mainWindow->Menu()->PopupCount(), 6);
    for (u16 position = 0; position < 6; ++position) {
        SCOPED_TRACE(keys[position]);
        EXPECT_FALSE(menuText(keys[position]).empty());
        EXPECT_EQ(mainWindow->Menu()->ItemText(mfxMenuPosition(position)), menuText(keys[position]));
    }
}

TEST_F(MainWindow, WithoutTheTeacherSettingThereIsNoTeacherMenuAndNoPublish) {
    start();
    logIn("Maya");
    EXPECT_EQ(mainWindow->Menu()->PopupCount(), 6);
    EXPECT_FALSE(mainWindow->Menu()->HasItem(mfxMenuCommand(kCmdSaveAs)));
    mainWindow->OnCommand(kCmdTeacherAccelerator);
    EXPECT_FALSE(mainWindow->IsTeacherMenuShowing());
}

TEST_F(MainWindow, TheTeacherMenuShowsAndHidesOnTheEaselOnly) {
    writeSettings("[TBSEdSettings]\r\nTBSEd=TRUE");
    start();
    logIn("Maya");
    EXPECT_EQ(mainWindow->Menu()->PopupCount(), 6);
    ASSERT_TRUE(mainWindow->Menu()->HasItem(mfxMenuCommand(kCmdSaveAs)));
    EXPECT_FALSE(enabled(kCmdSaveAs));

    mainWindow->OnCommand(kCmdTeacherAccelerator);
    ASSERT_TRUE(mainWindow->IsTeacherMenuShowing());
    EXPECT_EQ(mainWindow->Menu()->PopupCount(), 7);
    EXPECT_EQ(itemText(kCmdNote), menuText("AddNote"));
    EXPECT_TRUE(enabled(kCmdAddDelUsers));
    mainWindow->OnCommand(kCmdHideTeacherMenu);
    EXPECT_FALSE(mainWindow->IsTeacherMenuShowing());
    EXPECT_EQ(mainWindow->Menu()->PopupCount(), 6);

    app->SwitchModule(kScreenPicker);
    mainWindow->OnCommand(kCmdTeacherAccelerator);
    EXPECT_FALSE(mainWindow->IsTeacherMenuShowing());
}

TEST_F(MainWindow, TogglesFlipTheSwitchAndNameTheOppositeAction) {
    start();
    logIn("Maya");
    GlobalUserSettings* settings = app->GetGlobalUserSettings();
    ASSERT_NE(settings, nullptr);
    struct Case {
        u16 command;
        u16* word;
        const char* onKey;
        const char* offKey;
    };
    u16 toolTips = mainWindow->GetToolTips();
    const Case cases[] = {
        {kCmdToolSounds, &settings->toolSounds, "TurnToolSoundsOn", "TurnToolSoundsOff"},
        {kCmdTextToSpeech, &settings->textToSpeech, "TurnTextToSpeechOn", "TurnTextToSpeechOff"},
        {kCmdAttachedSounds, &settings->attachedSounds, "TurnAttachedSndOn", "TurnAttachedSndOff"},
        {kCmdManualAdvance, &settings->manualAdvance, "TurnManAdvanceOn", "TurnManAdvanceOff"},
        {kCmdSmallKids, &settings->smallKids, "TurnSmallKidsMdeOn", "TurnSmallKidsMdeOff"},
        {kCmdToolTips, &toolTips, "ToolTipTextOn", "ToolTipTextOff"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        for (int round = 0; round < 2; ++round) {
            const u16 before = c.command == kCmdToolTips ? mainWindow->GetToolTips() : *c.word;
            mainWindow->OnCommand(c.command);
            const u16 after = c.command == kCmdToolTips ? mainWindow->GetToolTips() : *c.word;
            EXPECT_EQ(after, before ? 0 : 1);
            EXPECT_EQ(itemText(c.command), menuText(after ? c.offKey : c.onKey));
        }
    }
    // The sprite layer's sound word follows the tool sounds at once.
    for (int round = 0; round < 2; ++round) {
        mainWindow->OnCommand(kCmdToolSounds);
        EXPECT_EQ(sprScreen()->soundEnabled, settings->toolSounds);
    }
}

TEST_F(MainWindow, TheLanguageSwitchRewritesEveryMenuTextAndBack) {
    start();
    logIn("Maya");
    const std::string englishOpen = itemText(kCmdOpen);
    // The special letters' submenu has no command of its own and is named all the same.
    const std::string englishLetters = mainWindow->Menu()->SubmenuText(kCmdFirstSpecialCharacter);
    EXPECT_EQ(englishLetters, menuText("SpecialCharacters"));
    mainWindow->OnCommand(kCmdSwitchLanguage);
    EXPECT_EQ(CurrentLanguage(), kLanguageSpanish);
    EXPECT_EQ(itemText(kCmdOpen), menuText("Open"));
    EXPECT_NE(itemText(kCmdOpen), englishOpen);
    EXPECT_EQ(mainWindow->Menu()->SubmenuText(kCmdFirstSpecialCharacter), menuText("SpecialCharacters"));
    EXPECT_NE(mainWindow->Menu()->SubmenuText(kCmdFirstSpecialCharacter), englishLetters);
    EXPECT_EQ(itemText(kCmdToolSounds), menuText("TurnToolSoundsOff"));
    EXPECT_EQ(itemText(kCmdSwitchScreen), menuText("GoToSlideShow"));
    mainWindow->OnCommand(kCmdSwitchLanguage);
    EXPECT_EQ(CurrentLanguage(), kLanguageEnglish);
    EXPECT_EQ(itemText(kCmdOpen), englishOpen);
}

TEST_F(MainWindow, TheLanguageIsKeptWhileASlideShowPlays) {
    start();
    logIn("Maya");
    app->SwitchModule(kScreenSlideShow);
    mainWindow->OnCommand(kCmdSwitchLanguage);
    EXPECT_EQ(CurrentLanguage(), kLanguageEnglish);
}

TEST_F(MainWindow, CommandsReachTheScreenOrTheListenersTheyAreFor) {
    start();
    logIn("Maya");
    Hearer hearer;
    mainWindow->AddListener(&hearer);
    log.clear();
    mainWindow->OnCommand(kCmdSave);
    mainWindow->OnCommand(kCmdExit);
    mainWindow->OnCommand(kCmdNew);
    EXPECT_EQ(hearer.heard, (std::vector<u32>{6604}));
    EXPECT_EQ(log, (Log{"5568 hears 268", "5568 hears 245"}));
    EXPECT_FALSE(app->IsQuitting());
    mainWindow->RemoveListener(&hearer);
}

// Closed by its close button or by Escape.
TEST_F(MainWindow, GettingStartedOpensItsDialogWhichGoesOnItsAnswer) {
    RDisplayWindow::SetGettingStartedFactory([](CListener* owner) -> std::unique_ptr<CListener> {
        auto dialog = std::make_unique<RGetStartDlg>(owner);
        if (dialog->Open() != 0) return nullptr;
        return dialog;
    });
    start();
    logIn("Maya");
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "close button");
        mainWindow->OnCommand(kCmdGettingStarted);
        ASSERT_NE(mainWindow->GettingStartedDialog(), nullptr);
        EXPECT_FALSE(mainWindow->Menu()->IsItemEnabled(mfxMenuPosition(kMenuHelp)));
        if (escape) {
            mainWindow->OnKeyDown(testkeys::escapeKey(), 1);
        } else {
            RMessage close(kDlgResultConfirm, 0, 0);
            mainWindow->GettingStartedDialog()->HandleMessage(&close, 0);
        }
        idle();
        EXPECT_EQ(mainWindow->GettingStartedDialog(), nullptr);
        EXPECT_TRUE(mainWindow->Menu()->IsItemEnabled(mfxMenuPosition(kMenuHelp)));
    }
    RDisplayWindow::SetGettingStartedFactory({});
}

TEST_F(MainWindow, ExitOnTheSplashQuitsAtOnce) {
    start();
    ASSERT_EQ(app->GetCurrentModuleCode(), kScreenSplash);
    mainWindow->OnCommand(kCmdExit);
    EXPECT_TRUE(app->IsQuitting());
}

TEST_F(MainWindow, KeysAndClicksGoToTheOpenDialogAndBackToTheScreenAfterIt) {
    start();
    logIn("Maya");
    Taker screen("screen", &log);
    screen.Register(kInputKeys | kInputMouseButtons);
    log.clear();
    MenuOwner owner;
    {
        RDeleter dialog(&owner);
        ASSERT_EQ(dialog.Open(kDeleterFirstMessage), 0);
        mainWindow->OnKeyDown(testkeys::typedKey('a'), 30);
        mainWindow->OnMouseDown(Point16{5, 5}, 0);
        mainWindow->OnMouseUp(Point16{5, 5}, 0);
        // The screen only hears that the dialog took them.
        EXPECT_EQ(log, (Log{"screen heard 5", "screen heard 0", "screen heard 1"}));
        log.clear();
    }
    EXPECT_EQ(log, (Log{"5568 hears 280"}));
    log.clear();
    mainWindow->OnKeyDown(testkeys::typedKey('a'), 30);
    mainWindow->OnMouseDown(Point16{7, 5}, 0);
    EXPECT_EQ(log, (Log{"screen key 97", "screen down 7"}));
}

// What an input changed is on the screen once the input queued before it has been handled, with
// no tick of the loop (the clock stands still), and a burst of input is shown once.
TEST_F(MainWindow, InputIsShownWithoutWaitingForTheLoopsTickAndOnceForABurst) {
    struct StillClock : plat::FakeClock {
        StillClock() : plat::FakeClock(1000) { plat::setClockSource(this); }
        ~StillClock() override { plat::setClockSource(nullptr); }
    } clock;
    start();
    logIn("Maya");
    const auto* face = dynamic_cast<const plat::HeadlessWindow*>(mainWindow->GetFace());
    ASSERT_NE(face, nullptr);
    const auto handleQueued = [] {
        for (plat::Message message; plat::peekMessage(message, true);) plat::dispatchMessage(message);
    };
    handleQueued();
    const std::function<void()> inputs[] = {
        [&] { mainWindow->OnMouseMove(Point16{200, 150}, 1); },
        [&] { mainWindow->OnMouseDown(Point16{200, 150}, 1); },
        [&] { mainWindow->OnMouseUp(Point16{200, 150}, 0); },
        [&] { mainWindow->OnKeyDown(testkeys::typedKey('a'), 30); },
    };
    for (size_t i = 0; i < std::size(inputs); ++i) {
        sprInvalRect(Rect16{10, 10, 30, 30});
        const int before = face->presentCount();
        inputs[i]();
        inputs[i]();
        EXPECT_EQ(face->presentCount(), before) << i;
        handleQueued();
        EXPECT_EQ(face->presentCount(), before + 1) << i;
    }
}

TEST_F(MainWindow, ARightPressIsNotRouted) {
    start();
    Taker screen("screen", &log);
    screen.Register(kInputMouseButtons);
    log.clear();
    mainWindow->WindowProc(plat::kMsgRButtonDown, 0, 0x00050005);
    EXPECT_TRUE(log.empty());
    mainWindow->WindowProc(plat::kMsgLButtonDown, 0, 0x00050005);
    EXPECT_EQ(log, (Log{"screen down 5"}));
}

TEST_F(MainWindow, AnObjectLeavingDuringAPressDoesNotMakeTheNextMissIt) {
    start();
    Taker back("back", &log);
    back.Register(kInputMouseButtons);
    Taker front("front", &log);
    front.Register(kInputMouseButtons);
    front.take = false;
    front.leaveOnPress = true;
    log.clear();
    mainWindow->OnMouseDown(Point16{3, 3}, 0);
    EXPECT_EQ(log, (Log{"front down 3", "back down 3"}));
}

TEST_F(MainWindow, ADialogGraysTheMenusAndItsCloseGivesTheScreenItsMenusBack) {
    start();
    logIn("Maya");
    struct Case {
        bool smallKids;
        bool menuOwner;
    };
    for (const Case c : {Case{false, true}, Case{true, true}, Case{false, false}}) {
        SCOPED_TRACE(std::to_string(c.smallKids) + std::to_string(c.menuOwner));
        app->GetGlobalUserSettings()->smallKids = c.smallKids;
        mainWindow->UpdateMenuTexts(kMenuModeEasel);
        MenuOwner menuOwner;
        PlainOwner plainOwner;
        CListener* owner = c.menuOwner ? static_cast<CListener*>(&menuOwner) : &plainOwner;
        log.clear();
        {
            RDeleter dialog(owner);
            ASSERT_EQ(dialog.Open(kDeleterFirstMessage + 1), 0);
            for (u16 position = kMenuFile; position <= kMenuHelp; ++position)
                EXPECT_FALSE(mainWindow->Menu()->IsItemEnabled(mfxMenuPosition(position)));
        }
        for (u16 position = kMenuFile; position <= kMenuHelp; ++position)
            EXPECT_EQ(mainWindow->Menu()->IsItemEnabled(mfxMenuPosition(position)), c.menuOwner);
        if (!c.menuOwner) {
            EXPECT_TRUE(log.empty());
            continue;
        }
        EXPECT_EQ(log, (Log{"5568 hears 280"}));
        EXPECT_EQ(enabled(kCmdSave), !c.smallKids);
        EXPECT_TRUE(enabled(kCmdSwitchLanguage));
        EXPECT_TRUE(enabled(kCmdSmallKids));
    }
}

// A box run from the menus (About, the teacher's note) grays the bar while it is up; one run
// from a dialog that grayed the bar first (About from the login) leaves it grayed.
TEST_F(MainWindow, AModalBoxGraysTheBarWhileItIsUp) {
    start();
    logIn("Maya");
    const auto barEnabled = [&] { return mainWindow->Menu()->IsItemEnabled(mfxMenuPosition(kMenuFile)); };
    for (const bool grayedBefore : {false, true}) {
        SCOPED_TRACE(grayedBefore);
        mainWindow->SetMenuBarDisabled(grayedBefore ? 1 : 0);
        bool enabledWhileUp = true;
        mainWindow->RunWithMenusGrayed([&] { enabledWhileUp = barEnabled(); });
        EXPECT_FALSE(enabledWhileUp);
        EXPECT_EQ(barEnabled(), !grayedBefore);
    }
}

TEST_F(MainWindow, TheDialogsAnswerArrivesThroughTheQueueAndDiesWithTheDialog) {
    start();
    Hearer owner;
    {
        RDeleter dialog(&owner);
        ASSERT_EQ(dialog.Open(kDeleterFirstMessage), 0);
        RMessage confirm(kDlgResultConfirm, 0, 0);
        dialog.HandleMessage(&confirm, 0);
        EXPECT_TRUE(owner.heard.empty());
        EXPECT_EQ(dialog.GetResult(), kDlgResultConfirm);
    }
    idle();
    EXPECT_TRUE(owner.heard.empty());

    RDeleter dialog(&owner);
    ASSERT_EQ(dialog.Open(kDeleterFirstMessage), 0);
    RMessage leave(kDlgResultLeave, 0, 0);
    dialog.HandleMessage(&leave, 0);
    idle();
    EXPECT_EQ(owner.heard, (std::vector<u32>{kDlgKindDeleter}));
}

TEST_F(MainWindow, ADialogWithoutANameShowsNothingAndReleasesNothing) {
    start();
    PlainOwner owner;
    RDlgBase dialog(&owner, 0);
    EXPECT_EQ(dialog.GetKind(), 1u);
    EXPECT_EQ(dialog.Run(nullptr, 7800), 1);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_FALSE(dialog.IsRegistered());
    EXPECT_EQ(dialog.FindButtonById(1396), -1);
}

}  // namespace

namespace {

// A repaint restores only what the window asked for: what stands on the face between two
// pieces of its update area (a box still open, a menu) stays as it is.
TEST_F(MainWindow, ARepaintCopiesTheUpdateAreaNotItsBounds) {
    start();
    auto* face = dynamic_cast<plat::HeadlessWindow*>(mainWindow->GetFace());
    ASSERT_NE(face, nullptr);
    sprUpdateScreen(1);
    constexpr plat::gdi::ColorRef kGreen = 0x00FF00;
    const i32 top = mainWindow->ContentTop();
    {
        auto dc = plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Window, face->surface());
        plat::widgets::fillBox(*dc, plat::gdi::Rect{100, top + 100, 400, top + 200}, kGreen);
    }
    face->present(face->clientRect());
    face->invalidate(plat::gdi::Rect{100, top + 100, 150, top + 150});
    face->invalidate(plat::gdi::Rect{350, top + 150, 400, top + 200});
    plat::sendMessage(mainWindow->GetHandle(), plat::kMsgPaint, 0, 0);
    EXPECT_TRUE(face->updateRegion().empty());
    EXPECT_NE(face->shownPixel(120, top + 120) & 0xFFFFFF, kGreen) << "asked for: repainted";
    EXPECT_NE(face->shownPixel(380, top + 180) & 0xFFFFFF, kGreen) << "asked for: repainted";
    EXPECT_EQ(face->shownPixel(250, top + 150) & 0xFFFFFF, kGreen) << "between the pieces: left alone";
    EXPECT_EQ(face->shownPixel(120, top + 180) & 0xFFFFFF, kGreen) << "inside the bounds only: left alone";
}

}  // namespace
