#include "screens/easel/REasel.h"

#include "app/application/RApplication.h"
#include "app/dialogs/RDlgEnterName.h"
#include "app/dialogs/RDlgWarnings.h"
#include "app/dialogs/RNoteDlg.h"
#include "app/help/HelpContext.h"
#include "app/help/RHelp.h"
#include "app/print/PrintJobHolder.h"
#include "app/settings/GlobalUserSettings.h"
#include "app/menus/MenuModeStates.h"
#include "app/window/MenuMessages.h"
#include "app/window/RDisplayWindow.h"
#include "document/library/RLibraryMgr.h"
#include "document/filedialogs/ShowFileDialogs.h"
#include "document/pages/RPage.h"
#include "document/project/RDocument.h"
#include "engine/files/OsServices.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/PlayAnimation.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "engine/ini/IniProfiles.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/controls/PaintColor.h"
#include "framework/controls/RColorPicker.h"
#include "framework/controls/RTexturePicker.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/input/RHotSpotItem.h"
#include "framework/input/RHotSpotList.h"
#include "framework/language/LanguageTexts.h"
#include "framework/panels/RPanel.h"
#include "framework/undo/UndoManager.h"
#include "panels/base/ToolPanelCommands.h"
#include "platform/ui/MessageQueue.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/PictureFiles.h"
#include "screens/easel/RCanvas.h"
#include "tools/erasers/RDFirecracker2.h"

namespace Ostrel {
namespace {

constexpr u16 kBackdropPicture = 1000;
constexpr u16 kPanelGroup = 18000;
constexpr u16 kGeneralGroup = 100;
constexpr u16 kEntryAnimation = 1000;
constexpr u16 kSecondGroup = 7000;
constexpr u16 kScreenButtonSet = 75;
constexpr u16 kPlayShapes[2] = {1038, 1039};
constexpr u16 kStopShapes[2] = {1042, 1039};
constexpr u16 kFirstScreenSound = 31500;
constexpr u16 kScreenSoundCount = 5;
constexpr const char* kLimitsSection = "PageObjectLimits";
constexpr const char* kFlashLimitKey = "SWFMax";

// A user who keeps tool sounds on hears the screen's sounds, also after another user or a
// screen left them off.
void screenSoundsOnFor(const GlobalUserSettings* settings) {
    if (!settings || !settings->toolSounds) return;
    if (SprScreen* screen = sprScreen()) screen->soundEnabled = 1;
}

}  // namespace

REasel::REasel() {
    shapeGroup_ = kEaselContentId;
    color_.flag = 0xFF;
    GetHelpContext().buttonSets = {0, 0, 0};
}

REasel::~REasel() {
    if (SprSprite* sound = sprFind(undoSprite_)) sprStopSpriteSounds(sound);
    limits_.reset();
    swatchFrames_[0].clear();
    swatchFrames_[1].clear();
    if (listening_)
        if (RDisplayWindow* window = RDisplayWindow::Get()) window->RemoveListener(this);
    firecracker_.reset();
    nameDialog_.reset();
    noteDialog_.reset();
    warning_.reset();
    texturePicker_.reset();
    if (undoSprite_) sprDispose(&undoSprite_);
    if (swatchSprite_) sprDispose(&swatchSprite_);
    if (pickerSprite_) sprDispose(&pickerSprite_);
    if (copySprite_) sprDispose(&copySprite_);
    if (panel_ && picker_) picker_->RemoveListener(panel_.get());
    // The panel holds the tool the canvas's tool manager uses.
    panel_.reset();
    picker_.reset();
    libraries_.reset();
    help_.reset();
    files_.reset();
    canvas_.reset();
    if (groupsLoaded_) {
        if (secondGroup_ != kNoShapeGroup) sprReleaseGroup(secondGroup_, 1);
        sprReleaseGroup(kGeneralGroup, 1);
        sprReleaseGroup(kPanelGroup, 1);
        sprReleaseGroup(kSmallPickerGroup, 1);
    }
    Unregister();
}

u16 REasel::Enter() {
    if (u16 err = LoadContent(kEaselContentName)) {
        screenSoundsOnFor(Settings());
        return err;
    }
    sprLoadGroup(kEaselContentId, kSprEveryScript, 0, 1, kSprFirstIsGroupId);
    sprShowBackdrop(kBackdropPicture, 0);
    sprLoadGroup(kPanelGroup, kSprEveryScript, 0, 1, kSprFirstIsGroupId);
    if (SprScreen* screen = sprScreen()) sprInvalRect(screen->screenRect);
    PlayAnimation(kEntryAnimation);
    sprLoadGroup(kGeneralGroup, kSprEveryScript, 0, 1, kSprFirstIsGroupId);
    groupsLoaded_ = true;

    CreateButtons();
    SetPlayButtons(kPlayButtonsOff);

    CreateCanvas();
    sprUpdateScreen(1);
    LoadToolTipMetrics();

    secondGroup_ = kSecondGroup;
    sprLoadGroup(secondGroup_, kSprEveryScript, 0, 1, kSprFirstIsGroupId);
    if (RDisplayWindow* window = RDisplayWindow::Get()) {
        window->AddListener(this);
        listening_ = true;
    }

    LoadSwatchFrames();
    BuildColorPicker();
    color_ = CurrentPaintColor();

    CreateLibraryManager();
    ShowSmallKidsButtons(SmallKids());
    if (SmallKids())
        if (RDisplayWindow* window = RDisplayWindow::Get()) window->EnableMenuItems(1);
    ReadPageObjectLimits();
    PlayScreenSounds();
    // Keys and clicks the child made while the screen was being built are not meant for it.
    plat::discardMessages(plat::kMsgKeyDown, plat::kMsgSysChar);
    plat::discardMessages(plat::kMsgMouseMove, plat::kMsgMButtonDblClk);

    ShowHeldPage();
    // The pencils' panel comes first.
    PostMessageTo(this, kEaselToolbarPencil);
    screenSoundsOnFor(Settings());
    return 0;
}

void REasel::CreateLibraryManager() {
    if (const Paths* paths = UserPaths()) libraries_ = std::make_unique<RLibraryMgr>(*paths);
    if (RApplication* app = GetApplication()) {
        char postfix[65] = {};
        iniGetString(&app->GetConfigPath(), "Paths2", "UserLibPostfix", postfix, sizeof(postfix) - 1, "");
        libraryPostfix_ = postfix;
    }
}

void REasel::ShowHeldPage() {
    // The page the application holds (or a blank one) shows on the canvas.
    RApplication* app = GetApplication();
    if (!app) return;
    if (!app->GetCurrentPage()) {
        RMessage fresh(kMsgNewPage, 0, 0);
        canvas_->HandleMessage(&fresh, 0);
    } else {
        canvas_->RedrawPage(app->GetCurrentPage(), 1);
    }
}

u16 REasel::CreateCanvas() {
    RApplication* app = GetApplication();
    Rect16 rect{0, 0, 0, 0};
    if (app) app->GetCanvasRect(&rect);
    canvas_ = std::make_unique<RCanvas>(rect);
    SprScreen* screen = sprScreen();
    GfxPort* port = screen ? screen->backgroundPort : (app ? app->GetOffscreenPort() : nullptr);
    const u16 result = canvas_->Init(this, HotSpots(), port, app ? app->GetUndoManager() : nullptr);
    files_ = std::make_unique<PictureFiles>(*canvas_, *this, app ? app->GetUndoManager() : nullptr,
                                            defaultPictureFileUi(*this));
    return result;
}

void REasel::PlayScreenSounds() {
    // The screen's sounds go with the undo sprite, so that stopping its sounds on leaving
    // stops them.
    SprSprite* owner = sprFind(undoSprite_);
    for (u16 i = 0; i < kScreenSoundCount; ++i) {
        SprSoundRequest request;
        request.soundId = u16(kFirstScreenSound + i);
        request.tag = owner ? sprSoundTag(owner, 1) : 0;
        sprRequestSound(request);
    }
}

void REasel::ReadPageObjectLimits() {
    if (!limits_) limits_ = std::make_unique<std::array<u16, 3>>();
    *limits_ = {kNoPageObjectLimit, 0, 0};
    RApplication* app = GetApplication();
    i32 value = 0;
    if (app && iniGetLong(&app->GetIniPath(), kLimitsSection, kFlashLimitKey, &value, -32768, 32767) == kErrNone)
        (*limits_)[0] = u16(i16(value));
}

bool REasel::SlideShowsBuilt() const {
    const RApplication* app = GetApplication();
    return app && app->HasScreen(kScreenPicker);
}

void REasel::ShowSmallKidsButtons(bool smallKids) {
    if (RButton* button = Button(kSlideShowButton)) {
        // No way leads to slide shows the program does not have.
        if (smallKids || !SlideShowsBuilt())
            button->Hide();
        else
            button->Show();
    }
}

u32 REasel::HandleMessage(RMessage* message, uintptr_t data) {
    // While the page-erase effect runs, the screen hears nothing.
    if (firecracker_ && firecracker_->IsBusy()) return 0;
    return commands_.Handle(message, data);
}

bool REasel::OpenDocumentPath(const std::string& path) { return OpenPicture(path); }

std::string REasel::PictureTitle() const {
    const RPage* page = CurrentPage();
    std::string name = page ? page->FileName() : std::string();
    if (const size_t cut = name.find_last_of("\\/"); cut != std::string::npos) name.erase(0, cut + 1);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
    return name.empty() ? std::string(LookupLanguageText("GeneralStrings", "AppName").c_str()) : name;
}

bool REasel::Print() {
    StopAll();
    // The panel lets go of the canvas, but the page's stickers, animations and movies stay on
    // the screen under the print dialogs: printing only reads the page.
    const bool detached = panel_ && panel_->RemoveFrameMaker() != 0;
    RApplication* app = GetApplication();
    if (app) app->OnActivate(0);
    sprUpdateScreen(1);
    if (PrintJobHolder* holder = app ? app->GetPrintJobHolder() : nullptr) {
        PrintSources sources;
        sources.easelPage = CurrentPage();
        // The painting since the last save is only in the canvas's picture.
        if (canvas_ && sources.easelPage) canvas_->StorePicture(sources.easelPage);
        app->GetCanvasRect(&sources.paintRect);
        RShellWindow* window = app->GetMainWindow();
        if (window) sources.owner = window->GetHandle();
        // A printed file is named after the picture (the program's name for one never saved)
        // and goes into the user's folder.
        sources.title = PictureTitle();
        if (const Paths* paths = UserPaths()) PrintIntoUserFolder(&sources, *paths);
        // What the dialogs covered is drawn again from the sprite layer.
        sources.refreshScreen = [](const Rect16& rect) {
            sprInvalRect(rect);
            sprUpdateScreen(1);
        };
        holder->Print(PrintModule::Easel, window, sources);
    }
    if (app) app->OnActivate(1);
    if (detached) AttachPanelToCanvas();
    // The page's edit frames follow what the print left of the page.
    if (canvas_) canvas_->RestoreObjects();
    return true;
}

u16 REasel::DetachPanelFromCanvas() { return DetachPanel(); }

void REasel::AttachPanelToCanvas() { AttachPanel(); }

void REasel::UpdateNoteMenuItem(bool hasNote) {
    noteShown_ = hasNote;
    RDisplayWindow* window = RDisplayWindow::Get();
    // The window reads the items' state and text from PageHasNote.
    if (window && window->IsMenuBarLoaded()) window->UpdateNoteItems();
}

GlobalUserSettings* REasel::Settings() const {
    RApplication* app = GetApplication();
    return app ? app->GetGlobalUserSettings() : nullptr;
}

bool REasel::SmallKids() const {
    const GlobalUserSettings* settings = Settings();
    return settings && settings->smallKids;
}

RButton* REasel::Button(u16 id) {
    const i32 index = FindButtonById(id);
    return index < 0 ? nullptr : buttons_[size_t(index)].get();
}

// --- RCanvasOwner

RPage* REasel::CurrentPage() const {
    RApplication* app = GetApplication();
    return app ? app->GetCurrentPage() : nullptr;
}

std::unique_ptr<RPage> REasel::SetCurrentPage(std::unique_ptr<RPage> page) {
    RApplication* app = GetApplication();
    return app ? app->SetCurrentPage(std::move(page)) : std::move(page);
}

RDocument* REasel::CurrentDocument() const {
    RApplication* app = GetApplication();
    return app ? app->GetCurrentDocument() : nullptr;
}

const Paths* REasel::UserPaths() const {
    RApplication* app = GetApplication();
    return app ? app->GetPaths() : nullptr;
}

GlobalUserSettings* REasel::UserSettings() const { return Settings(); }

u16 REasel::DetachPanel() {
    if (canvas_) canvas_->ReleaseObjects();
    if (!panel_) return 0;
    return panel_->RemoveFrameMaker();
}

void REasel::AttachPanel() {
    if (panel_) panel_->CreateFrameMaker();
}

bool REasel::CutMovePanelCurrent() const { return panel_ && CurrentToolbar() == i16(kEaselToolbarGrab); }

void REasel::PageStateChanged() {
    RMessage changed(kMsgPageStateChanged, 0, 0);
    HandleMessage(&changed, 0);
}

void REasel::GiveObjectFrame(RPageObject* object) {
    if (!panel_) return;
    RMessage frame(kMsgPanelObjectFrame, reinterpret_cast<uintptr_t>(object), 1);
    panel_->HandleMessage(&frame, 0);
}

u32 REasel::FileAlert(const char* key, u32 style) {
    std::string text = LookupLanguageText("FileStrings", key).c_str();
    if (text.empty()) text = key;
    return ShowAlert(text.c_str(), "", style);
}

bool REasel::AskImportFile(u16 kind, ImportChoice* choice, const ImportPreview* preview) {
    const Paths* paths = UserPaths();
    RApplication* app = GetApplication();
    // Modal over the main window: without a window to run in it would end at once.
    return paths && ShowImportFileDialog(app ? app->GetMainWindow() : nullptr, *paths, kind, choice, preview);
}

bool REasel::IsCurrentScreen() const {
    RApplication* app = GetApplication();
    return !app || app->GetCurrentModule() == this;
}

void REasel::ClickOutsideCanvas(Point16 point) {
    // A press on Start Over that ended off the button started no effect: its panel buttons
    // come back with the next press.
    if (!firecracker_) SetPanelButtonsEnabled(true);
    RButton* startOver = Button(kStartOverButton);
    if (!startOverAvailable_ || !IsCurrentScreen() || !startOver || !startOver->GetHotSpot() ||
        !rectContainsPoint(startOver->GetHotSpot()->GetRect(), point))
        return;
    RMessage disable(kMsgPanelSetActive, 0, 0);
    HandleMessage(&disable, 0);
}

bool REasel::DeselectMissedEditFrame(const Point16* click) {
    // Menu commands leave it being placed: Undo takes back its moves, a new page takes it away.
    if (!click || !canvas_ || !canvas_->IsBusy()) return false;
    // The snail takes it away, and does nothing else.
    if (undoHotSpot_ && rectContainsPoint(undoHotSpot_->GetRect(), *click)) {
        canvas_->CommitPlacedObject(true);
        return true;
    }
    // Start Over wipes the page anyway: the object goes, then the page starts over.
    RButton* startOver = Button(kStartOverButton);
    if (startOverAvailable_ && startOver && startOver->GetHotSpot() && rectContainsPoint(startOver->GetHotSpot()->GetRect(), *click)) {
        canvas_->CommitPlacedObject(true);
        return false;
    }
    if (!canvas_->ClickMissesEditFrame(*click)) return false;
    // Put down where it stands; the press that did it paints nothing, a button beside the page
    // does its own.
    canvas_->CommitPlacedObject(false);
    return rectContainsPoint(canvas_->CanvasRect(), *click);
}

void REasel::RefreshMenus() {
    RDisplayWindow* window = RDisplayWindow::Get();
    if (!window) return;
    if (SmallKids())
        window->EnableMenuItems(1);
    else
        window->UpdateMenuTexts(kMenuModeEasel);
}

void REasel::SetPanelButtonsEnabled(bool enabled) {
    if (!panel_ || panel_->IsActive() == enabled) return;
    RMessage active(kMsgPanelSetActive, 0, enabled ? 1 : 0);
    panel_->HandleMessage(&active, 0);
}

void REasel::SendToPanel(u32 code, uintptr_t param1) {
    if (!panel_) return;
    RMessage message(code, param1, 0);
    panel_->HandleMessage(&message, 0);
}

bool REasel::PageHasNote() const { return noteShown_; }

void REasel::LanguageChanged() {
    StopAll();
    EndStroke(0);
    // Only a changed page has anything on the canvas its data lacks: storing a blank one would
    // give it a background and count it as changed, and leaving would ask to save nothing.
    if (canvas_ && CurrentPage() && CurrentPage()->Data().IsDirty()) canvas_->StorePicture(CurrentPage());
    if (RApplication* app = GetApplication()) PostMessageTo(app, kMsgEnterScreenAgain);
}

}  // namespace Ostrel
