#include "screens/picker/RPicker.h"

#include <cstring>

#include "app/application/RApplication.h"
#include "app/dialogs/RDlgBase.h"
#include "app/dialogs/RPickBgColorDlg.h"
#include "app/export/RExportCommand.h"
#include "app/help/HelpCommands.h"
#include "app/help/HelpContext.h"
#include "app/help/RHelp.h"
#include "app/menus/MenuCommands.h"
#include "app/print/PrintJobHolder.h"
#include "app/settings/GlobalUserSettings.h"
#include "app/window/MenuMessages.h"
#include "app/window/RDisplayWindow.h"
#include "document/project/RDocument.h"
#include "document/project/RPortfolio.h"
#include "document/users/EnginePath.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxFitText.h"
#include "engine/gfx/sprites/PlayAnimation.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "framework/controls/RBMOBitmapScroller.h"
#include "framework/controls/RButton.h"
#include "framework/input/RHotSpotList.h"
#include "framework/language/LanguageTexts.h"
#include "framework/resources/mfxReadResource.h"
#include "framework/undo/UndoManager.h"
#include "media/export/PagePicture.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/ui/MessageQueue.h"
#include "screens/picker/PickerCommands.h"
#include "screens/picker/PickerProjectList.h"
#include "screens/picker/ShowSaveQuestion.h"
#include "screens/picker/UndoPicker.h"

namespace Ostrel {

namespace {

constexpr u16 kBackdropPicture = 5000;
constexpr u16 kEntryAnimation = 5000;
constexpr u16 kScreenButtonSet = 888;
constexpr u16 kProjectLabelShape = 5215;
constexpr u16 kSlideLabelShape = 5213;
constexpr u16 kTrashAnimation = 5003;
constexpr u16 kStripAreaShape = 5000;
constexpr u16 kListAreaShape = 5214;
constexpr u32 kLabelSpriteFlags = 0x4C00000;
constexpr u32 kTrashSpriteFlags = 0xC00000;
constexpr u16 kLabelFontSize = 16;
constexpr u16 kLabelTextFlags = 0x22;
constexpr i16 kProjectLabelInset = 8;
constexpr i16 kSlideLabelInset = 10;
constexpr u16 kHelpFirst = 777;
constexpr u16 kHelpDetail = 778;
constexpr u16 kGreyPlayShape = 5250;
constexpr u16 kGreyTransitionsShape = 5251;

struct ToolTip {
    u32 code;
    u16 button;
    const char* key;
};
constexpr ToolTip kToolTips[] = {
    {kPickerTipHelp, kPickerButtonHelp, "Help"},
    {kPickerTipPlay, kPickerButtonPlay, "Play"},
    {kPickerTipTransitions, kPickerButtonTransitions, "SlideTransitions"},
    {kPickerTipNewShow, kPickerButtonNewShow, "NewSlideShow"},
    {kPickerTipLoad, kPickerButtonLoad, "Load"},
    {kPickerTipTrash, kPickerButtonTrash, "TrashCan"},
    {kPickerTipPaint, kPickerButtonPaint, "GoToPaintZone"},
};

RDocument* currentDocument() {
    RApplication* app = GetApplication();
    return app && app->GetPortfolio() ? app->GetPortfolio()->Document() : nullptr;
}

}  // namespace

RPicker::RPicker() : files_(defaultPickerFileUi()) {
    shapeGroup_ = kPickerContentId;
    cellSources_.icon = [](u16 id) {
        ScrollerPicture picture;
        if (mfxReadResource(kSprPictureType, id, &picture) != kErrNone) picture.clear();
        return picture;
    };
}

RPicker::~RPicker() {
    GetHelpContext().buttonSets = {0, 0, 0};
    if (Document()) {
        KeepStripPlace();
        Portfolio()->SetUnsaved(dirty_);
    }
    if (listening_)
        if (RDisplayWindow* window = RDisplayWindow::Get()) window->RemoveListener(this);
    for (u16* id : {&trashSprite_, &projectLabel_, &slideLabel_, &arrowSprites_[0], &arrowSprites_[1]})
        if (*id) sprDispose(id);
    for (SprCompound* area : {&stripArea_, &listArea_})
        if (SprSprite* sprite = sprFind(area->id)) sprite->data2 = 0;
    strip_.reset();
    list_.reset();
    help_.reset();
    dialog_.reset();
    clipboard_.reset();
    deleting_.reset();
    undo_.reset();
    if (labelFont_) gfxDisposeFont(labelFont_);
    if (groupLoaded_) sprReleaseGroup(kPickerContentId, 1);
    Unregister();
}

RPortfolio* RPicker::Portfolio() const {
    RApplication* app = GetApplication();
    return app ? app->GetPortfolio() : nullptr;
}

RDocument* RPicker::Document() const { return Portfolio() ? Portfolio()->Document() : nullptr; }

GlobalUserSettings* RPicker::Settings() const {
    RApplication* app = GetApplication();
    return app ? app->GetGlobalUserSettings() : nullptr;
}

std::string RPicker::PickerText(const char* key) const { return LookupLanguageText("PickerStrings", key).c_str(); }

u16 RPicker::Enter() {
    RApplication* app = GetApplication();
    undo_ = std::make_unique<UndoPicker>(this, app ? app->GetUndoManager() : nullptr, currentDocument);
    if (u16 err = LoadContent(kPickerContentName)) return err;
    sprLoadGroup(kPickerContentId, kSprEveryScript, 0, 1, kSprFirstIsGroupId);
    groupLoaded_ = true;
    sprShowBackdrop(kBackdropPicture, 0);
    if (SprScreen* screen = sprScreen()) sprInvalRect(screen->screenRect);
    PlayAnimation(kEntryAnimation);
    GetHelpContext().buttonSets = {kHelpFirst, kHelpDetail, 0};
    cellSources_.timing = LoadTimingTexts();

    CreateLabels();
    SetProjectName("");
    SetSlideLabel(PickerText("LoadingSlideShow"));
    CreateButtons();
    sprNewCompound(kStripAreaShape, &stripArea_);
    sprNewCompound(kListAreaShape, &listArea_);
    if (SprSprite* sprite = sprFind(listArea_.id)) {
        sprite->data2 = reinterpret_cast<uintptr_t>(this);
        sprSetProcs(sprite, sprite->ready, sprite->step, &RPicker::DrawList);
    }
    if (SprSprite* sprite = sprFind(stripArea_.id)) {
        sprite->data2 = reinterpret_cast<uintptr_t>(this);
        sprSetProcs(sprite, sprite->ready, sprite->step, &RPicker::DrawStrip);
    }

    // The folder is read again: the list holds every show the child has at this moment.
    if (RPortfolio* portfolio = Portfolio()) portfolio->Rebuild();
    if (RDocument* document = Document()) {
        dirty_ = Portfolio()->Unsaved();
        NameUnsavedShowInLanguage(*document);
        SetProjectNameFromPath();
        BuildProjectList(false);
        if (Portfolio()->ComparePathWithParent(ProjectPathText())) list_->SelectByName(projectName_);
        restoredFirst_ = std::max<int>(0, ProjectConfigFile::PickerPlace(document->Config().topLeftPage) - 1);
        restoredSelected_ = std::max<int>(0, ProjectConfigFile::PickerPlace(document->Config().selectedPage) - 1);
        BuildStrip(restoredFirst_, restoredSelected_);
    } else {
        BuildProjectList(true);
    }
    if (!Document()) {
        // No project at all: a new one is made once the screen is up.
        PostMessageTo(this, kMsgMenuNewSlideShow);
        SetSlideLabel(PickerText("EmptySlide"));
    }
    sprUpdateScreen(1);
    // The button stands where it is shown only from the first update on.
    GiveTrashCan();
    LoadToolTipMetrics();
    if (undo_) undo_->Record(kPickerUndoClear);
    if (RDisplayWindow* window = RDisplayWindow::Get()) {
        window->AddListener(this);
        listening_ = true;
    }
    Register(kInputKeys | kInputMouseMove);
    plat::discardMessages(plat::kMsgKeyDown, plat::kMsgSysChar);
    plat::discardMessages(plat::kMsgMouseMove, plat::kMsgMButtonDblClk);

    trashSprite_ = sprNewWithCallback(kTrashSpriteFlags, kTrashAnimation, nullptr, TrashEvent,
                                      reinterpret_cast<uintptr_t>(this), 0);
    if (trashSprite_ == kSprNoId) trashSprite_ = 0;
    if (SprSprite* sprite = sprFind(trashSprite_)) sprHide(sprite, 1, 1);
    SetPasteEnabled(false);
    if (GlobalUserSettings* settings = Settings(); settings && settings->toolSounds)
        if (SprScreen* screen = sprScreen()) screen->soundEnabled = 1;
    sprUpdateScreen(1);
    return 0;
}

void RPicker::CreateButtons() {
    buttons_ = LoadButtonsFromKVR(this, HotSpots(), kScreenButtonSet, kButtonSpriteFlags);
    // Without the player (and its transition dialog) Play and Transitions are greyed.
    RApplication* app = GetApplication();
    const bool player = app && app->HasScreen(kScreenSlideShow);
    for (auto [id, grey] : {std::pair{kPickerButtonPlay, kGreyPlayShape}, std::pair{kPickerButtonTransitions, kGreyTransitionsShape}}) {
        const i32 i = FindButtonById(id);
        if (i < 0 || player) continue;
        buttons_[size_t(i)]->SetLook(grey, grey, grey);
        buttons_[size_t(i)]->EnableHotSpot(false);
    }
    DrawButtons(buttons_);
    if (i32 i = FindButtonById(kPickerButtonTrash); i >= 0) trashFlags_ = kTrashTakesDrops;
}

// A click latches a button down, as a chosen tool stays down on the easel; each of these
// buttons does its deed and is done, so the clicked one comes straight back up, lit while the
// pointer is still on it.
void RPicker::ButtonLatched(uintptr_t item) {
    for (const auto& button : buttons_) {
        if (reinterpret_cast<uintptr_t>(button->GetHotSpot()) != item) continue;
        button->HandleEvent(kHsEventRelease, true);
        if (HotSpots() && HotSpots()->OverItem() == button->GetHotSpot()) button->HandleEvent(kHsEventEnter, true);
    }
}

void RPicker::CreateLabels() {
    labelFont_ = gfxNewFont(kDefaultToolTipFont, kLabelFontSize, 0);
    for (auto [id, shape] : {std::pair{&projectLabel_, kProjectLabelShape}, std::pair{&slideLabel_, kSlideLabelShape}}) {
        *id = sprNewWithProcs(kLabelSpriteFlags, shape, nullptr, nullptr, nullptr, &RPicker::DrawLabel);
        if (*id == kSprNoId) {
            *id = 0;
            continue;
        }
        if (SprSprite* sprite = sprFind(*id)) {
            sprite->data1 = reinterpret_cast<uintptr_t>(this);
            sprite->data2 = shape;
            sprShow(sprite, 0);
        }
    }
}

void RPicker::DrawLabel(SprSprite* sprite) {
    sprDrawParts(sprite);
    const auto* picker = reinterpret_cast<const RPicker*>(sprite->data1);
    if (!picker) return;
    const bool project = sprite->data2 == kProjectLabelShape;
    const std::string& text = project ? picker->projectName_ : picker->slideName_;
    Rect16 box = sprite->bounds;
    const i16 inset = project ? kProjectLabelInset : kSlideLabelInset;
    box = {i16(box.left + inset), box.top, i16(box.right - inset), box.bottom};
    GfxPenState pen{};
    gfxGetPenState(&pen);
    GfxFont* previous = picker->labelFont_ ? gfxSetFont(picker->labelFont_) : nullptr;
    GfxColor previousColor{};
    gfxSetForeColor(&previousColor, GfxColor::rgb(59, 42, 92));
    // One line: a long name broken over lines would stand out of its box.
    const std::string shown = gfxFitTextToWidth(text, box.right - box.left);
    gfxDrawTextBox(box, kLabelTextFlags, shown.c_str(), u16(std::min<size_t>(shown.size(), 0xFFFF)));
    if (picker->labelFont_) gfxSetFont(previous);
    gfxSetPenState(pen);
}

void RPicker::DrawStrip(SprSprite* sprite) {
    sprDrawParts(sprite);
    const auto* picker = reinterpret_cast<const RPicker*>(sprite->data2);
    if (picker && picker->strip_ && sprite->hideCount == 0) {
        GfxFont* previous = picker->labelFont_ ? gfxSetFont(picker->labelFont_) : nullptr;
        picker->strip_->DrawCells();
        if (picker->labelFont_) gfxSetFont(previous);
    }
}

void RPicker::DrawList(SprSprite* sprite) {
    sprDrawParts(sprite);
    const auto* picker = reinterpret_cast<const RPicker*>(sprite->data2);
    if (picker && picker->list_ && sprite->hideCount == 0) {
        GfxFont* previous = picker->labelFont_ ? gfxSetFont(picker->labelFont_) : nullptr;
        picker->list_->DrawCells();
        if (picker->labelFont_) gfxSetFont(previous);
    }
}

void RPicker::SetProjectName(const std::string& name) {
    projectName_ = name.substr(0, kProjectNameMax);
    if (SprSprite* sprite = sprFind(projectLabel_)) sprInvalRect(sprite->bounds);
}

void RPicker::SetProjectNameFromPath() {
    RDocument* document = Document();
    SetProjectName(document ? ShowNameOf(*document) : std::string());
}

void RPicker::SetSlideLabel(const std::string& text) {
    slideName_ = text;
    if (SprSprite* sprite = sprFind(slideLabel_); sprite && !text.empty()) sprInvalRect(sprite->bounds);
}

void RPicker::TrashEvent(SprSprite* sprite, i32 event) {
    if (event != kSprEventStopped) return;
    auto* picker = reinterpret_cast<RPicker*>(sprite->data1);
    sprHide(sprite, 1, 1);
    if (!picker) return;
    if (i32 i = picker->FindButtonById(kPickerButtonTrash); i >= 0 && !picker->buttons_[size_t(i)]->IsShown())
        picker->buttons_[size_t(i)]->Show();
}

void RPicker::AnimateTrash(u16 shape) {
    SprSprite* sprite = sprFind(trashSprite_);
    if (!sprite) return;
    if (i32 i = FindButtonById(kPickerButtonTrash); i >= 0) buttons_[size_t(i)]->Hide();
    sprSetShape(sprite, shape, TrashEvent, 0);
    sprShow(sprite, 1);
}

void RPicker::GiveTrashCan() {
    Rect16 trash{0, 0, 0, 0};
    if (i32 i = FindButtonById(kPickerButtonTrash); i >= 0)
        if (const SprSprite* sprite = sprFind(buttons_[size_t(i)]->GetSprite())) trash = sprite->bounds;
    if (list_) list_->SetTrashCan(trashFlags_, trash);
    if (strip_) strip_->SetTrashCan(trashFlags_, trash);
}

void RPicker::SetPasteEnabled(bool enabled) {
    RApplication* app = GetApplication();
    if (!app) return;
    if (enabled)
        app->EnableMenuCommand(kCmdPaste);
    else
        app->DisableMenuCommand(kCmdPaste);
}

void RPicker::KeepStripPlace() {
    RDocument* document = Document();
    if (!document) return;
    if (strip_) {
        document->Config().topLeftPage.SetValue(strip_->GetFirstVisible() + 1, 0);
        document->Config().selectedPage.SetValue(std::max(strip_->GetSelected(), 0) + 1, 0);
    }
    if (GlobalUserSettings* settings = Settings()) {
        if (Portfolio() && Portfolio()->ComparePathWithParent(ProjectPathText())) {
            std::memset(settings->projectTitle.data(), 0, settings->projectTitle.size());
            std::strncpy(settings->projectTitle.data(), projectName_.c_str(), settings->projectTitle.size() - 1);
        }
        settings->projectPosition = u16(list_ ? list_->GetFirstVisible() : 0);
    }
}

void RPicker::WatchPointerFirst() {
    if (!IsRegistered()) return;
    const u32 mask = GetInputMask();
    Unregister();
    Register(mask);
}

u32 RPicker::HandleKey(u32 key) {
    deleteKey_ = keyRecordVirtualKey(key) == plat::kVkDelete;
    // An open dialog has the child's attention: nothing under it goes.
    if (!deleteKey_ || dialog_) return 0;
    if (area_ == kPickerAreaList && list_) return list_->HandleKey(key);
    if (area_ == kPickerAreaStrip) DeleteSelectedSlide();
    return 1;
}

std::string RPicker::ProjectPathText() const {
    RDocument* document = Document();
    char text[kSystemTextSize] = {};
    if (const Path* path = document ? document->Config().GetPath() : nullptr) pathGetFullText(path, text);
    return text;
}

u32 RPicker::HandleMouseMove(Point16 point, u32) {
    area_ = kPickerAreaNone;
    if (rectContainsPoint(listArea_.bounds, point))
        area_ = kPickerAreaList;
    else if (rectContainsPoint(stripArea_.bounds, point))
        area_ = kPickerAreaStrip;
    return 0;
}

// The slide show as a movie, each slide for its time as the slide show plays it.
void RPicker::Export() {
    RApplication* app = GetApplication();
    const Paths* paths = app ? app->GetPaths() : nullptr;
    if (!paths || !Document() || Document()->PageCount() == 0) return;
    ExportSources sources;
    sources.document = Document();
    const Rect16& show = app->SlideShowRect();
    if (show.right > show.left && show.bottom > show.top)
        sources.canvas = {u16(show.right - show.left), u16(show.bottom - show.top),
                          PagePicture::ShowBackground(Document()->BackgroundColor())};
    sources.programFolder = paths->ProgramFolder();
    ExportWithDialog(app->GetMainWindow(), *paths, kPickerExportKinds, projectName_, sources);
}

bool RPicker::Print() {
    RApplication* app = GetApplication();
    PrintJobHolder* holder = app ? app->GetPrintJobHolder() : nullptr;
    if (!holder || !Document()) return true;
    PrintSources sources;
    sources.project = Document();
    // A slide's picture is a painting of the easel, as large as its canvas: the print takes
    // that much of each page, so that the picture fills its place on the sheet.
    app->GetCanvasRect(&sources.paintRect);
    RShellWindow* window = app->GetMainWindow();
    if (window) sources.owner = window->GetHandle();
    sources.title = projectName_;
    if (const Paths* paths = app->GetPaths()) PrintIntoUserFolder(&sources, *paths);
    // The print dialogs lay over the whole picker, not only over where a picture would be.
    sources.refreshScreen = [](const Rect16&) {
        if (SprScreen* screen = sprScreen()) sprInvalRect(screen->screenRect);
        sprUpdateScreen(1);
    };
    holder->Print(PrintModule::Picker, window, sources);
    return true;
}

void RPicker::LanguageChanged() {
    if (RApplication* app = GetApplication()) PostMessageTo(app, kMsgEnterScreenAgain);
}

u32 RPicker::HandleMessage(RMessage* message, uintptr_t data) {
    const u32 code = message->code;
    for (const ToolTip& tip : kToolTips)
        if (code == tip.code) {
            HideToolTip();
            if (message->param2) ShowToolTip(tip.button, tip.key);
            return 0;
        }
    switch (code) {
    case kMsgMenuQuitPicker:
        CloseProject([] {
            if (RApplication* app = GetApplication()) app->Quit();
        });
        break;
    case kMsgMenuTransition:
    case kPickerButtonTransitions: OpenSlideDialog(kMsgMenuTransition, -1); break;
    case kPickerCellTransition: OpenSlideDialog(kMsgMenuTransition, CellOfHotSpot(message->param1)); break;
    case kPickerTimingDialog: OpenSlideDialog(code, message->param2 == 0xFFFF ? -1 : message->param2); break;
    case kPickerCellTiming: OpenSlideDialog(kPickerTimingDialog, CellOfHotSpot(message->param1)); break;
    case kPickerToggleDialog: OpenSlideDialog(code, message->param2 == 0xFFFF ? -1 : message->param2); break;
    case kPickerCellToggle: OpenSlideDialog(kPickerToggleDialog, CellOfHotSpot(message->param1)); break;
    case kPickerAddPicture:
    case kPickerButtonLoad:
    case kMsgMenuOpenPicture: AskForPicture(); break;
    case kMsgMenuImport: AskForMedia(u16(message->param2)); break;
    case kMsgMenuNewSlideShow:
    case kPickerButtonNewShow: NewSlideShow(); break;
    case kPickerPlay:
    case kPickerButtonPlay:
    case kMsgMenuPlaySlideShow: Play(true); break;
    case kMsgMenuPlaySlideShowLooping: Play(false); break;
    case kMsgMenuPrintSlideShow: Print(); break;
    case kMsgMenuExport: Export(); break;
    case kPickerSave:
    case kMsgMenuSave: SaveCommand(); break;
    case kPickerHelpOn:
    case kPickerButtonHelp:
    case kMsgMenuPickerHelp:
        help_.reset();
        help_ = std::make_unique<RHelp>(this, "PickerHelp");
        if (help_->Start(GetHelpContext().buttonSets[0], GetHelpContext().buttonSets[1], GetHelpContext().buttonSets[2]) != 0)
            help_.reset();
        break;
    case kMsgHelpFinished: help_.reset(); break;
    case kPickerTransitionClosed:
    case kPickerTimingClosed:
    case kPickerToggleClosed: DialogClosed(message); break;
    case kPickerSaveQuestionClosed: SaveQuestionAnswered(*message); break;
    case kMsgButtonLatched: ButtonLatched(message->param1); break;
    case kPickerWarningClosed:
        if (dialog_ && message->param1 == reinterpret_cast<uintptr_t>(dialog_.get())) dialog_.reset();
        break;
    case kPickerCloseGaps: CloseGaps(); break;
    case kPickerShowCopyWarning: ShowWarning(7537); break;
    case kPickerShowDeleteWarning: ShowWarning(7535); break;
    case kPickerUndoArrangement: ArrangementUndone(true); break;
    case kPickerRedoArrangement: ArrangementUndone(false); break;
    case kMsgMenuRenumberSlides: CloseGaps(); break;
    case kScreenPicker:
    case kScreenEasel:
    case kPickerButtonPaint:
        CloseProject([this] {
            if (RApplication* app = GetApplication()) PostMessageTo(app, kScreenEasel);
        });
        break;
    case kMsgShuttingDown:
        if (Document()) {
            // The next session opens this show.
            KeepStripPlace();
            SaveQuestion();
            Portfolio()->SetDocument(nullptr);
        }
        break;
    case kMsgOpenDocument:
        AskToSave([](u16 answer) {
            if (answer == kSaveQuestionCancelled) return;
            if (RApplication* app = GetApplication()) {
                RMessage open(kMsgOpenDocument, 1437, 1);
                app->HandleMessage(&open, 0);
            }
        });
        break;
    case kMsgMenuOpenProject: OpenProjectFile(); break;
    case kMsgMenuCutSlide: CutOrCopy(true); break;
    case kMsgMenuCopySlide: CutOrCopy(false); break;
    case kMsgMenuPasteSlide: Paste(); break;
    case kMsgMenuPickBgColor:
        if (!dialog_ && Document()) {
            auto dialog = std::make_unique<RPickBgColorDlg>(this, kPickerBgColorClosed);
            if (dialog->Open(Document()) == 0) dialog_ = std::move(dialog);
        }
        break;
    case kPickerBgColorClosed:
        if (dialog_ && message->param1 == reinterpret_cast<uintptr_t>(dialog_.get())) {
            if (message->param2 == kDlgResultConfirm) dirty_ = true;
            dialog_.reset();
        }
        break;
    case kPickerPointerOverCell: ShowSlideName(message->param2); break;
    case kMsgScrollerHit:
        if (strip_ && message->param1 == reinterpret_cast<uintptr_t>(strip_.get()))
            ShowSlideName(message->param2);
        else if (list_ && message->param1 == reinterpret_cast<uintptr_t>(list_.get()))
            ChooseProject(list_->NameOf(message->param2));
        break;
    case kPickerProjectChosen: ChooseProject(list_ ? list_->NameOf(message->param2) : std::string()); break;
    case kMsgEntryDropped:
        if (const ScrollerDrop* drop = droppedEntry(*message)) Drop(*drop);
        break;
    case kPickerDeleteClosed: {
        const u16 answer = message->param2;
        dialog_.reset();
        DeleteConfirmed(answer);
        break;
    }
    default: return RModule::HandleMessage(message, data);
    }
    return 0;
}

}  // namespace Ostrel
