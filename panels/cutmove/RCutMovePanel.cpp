#include "panels/cutmove/RCutMovePanel.h"

#include "app/application/RApplication.h"
#include "app/help/HelpContext.h"
#include "app/menus/MenuCommands.h"
#include "document/pages/RPage.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "engine/regions/Regions.h"
#include "engine/resources/NamedResources.h"
#include "framework/controls/RColorPicker.h"
#include "framework/input/RHotSpotList.h"
#include "framework/resources/mfxReadResource.h"
#include "framework/undo/UndoManager.h"
#include "panels/base/RPanelPrefsTmpl.h"
#include "panels/base/ToolPanelCommands.h"
#include "panels/base/ToolPanelMessages.h"
#include "tools/base/RToolMgr.h"
#include "tools/base/ToolNames.h"
#include "tools/cut/CutRegion.h"
#include "tools/cut/RCutFree.h"
#include "tools/cut/RCutPoly.h"
#include "tools/cut/RCutSquare.h"
#include "tools/cut/RMarchingAnts.h"
#include "tools/cut/ROCircleCut.h"

namespace Ostrel {
namespace {

constexpr u16 kCutHelpItem = 889;
constexpr u16 kMoveHelpItem = 888;
constexpr u32 kSpriteFlags = 0x800000;
// The stages of a cut, each with its sound section of "TB.cfg": the shape chosen, a cut
// made, the piece dragged, the cut ended.
constexpr const char* kCutSoundSections[] = {"CutShapePosSnd", "CutShapeActiveSnd", "CutShapeDragSnd",
                                             "CutShapeEndSnd"};
constexpr i16 kStageActive = 1;
constexpr i16 kStageDrag = 2;
constexpr i16 kStageEnd = 3;

// A stencil's outline, in the machine's byte order; 0 when the archive has none.
memHandle loadStencil(i16 stencil) {
    std::vector<u8> stored;
    if (mfxReadResource(kStencilRegionType, u16(kCutPanelFirstPicture + kCutShapeCount + stencil), &stored) != kErrNone)
        return 0;
    if (stored.size() < kRgnRecordSize || rgnSwapBytes(stored.data(), u32(stored.size())) != kErrNone) return 0;
    memHandle region = memAllocHandle(u32(stored.size()));
    if (!region) return 0;
    memCopy(memDerefHandle(region), stored.data(), u32(stored.size()));
    if (!rgnIsValid(region)) {
        memFreeHandle(region);
        return 0;
    }
    return region;
}

}  // namespace

RCutMovePanel::RCutMovePanel(CListener* owner, const Paths* userPaths, RToolMgr* picture)
    : RScrollToolPanel(owner, userPaths), CCPObj(kTypeBitmap), picture_(picture) {
    SetMessageBase(kCutPanelButtonSet);
}

RCutMovePanel::~RCutMovePanel() {
    SavePrefs();
    EndCut();
    frameMaker_.reset();
    if (RMarchingAnts* ants = Ants()) ants->SetCutShape(nullptr);
    DropCurrentTool();
    shapeTool_.reset();
    if (mascotSprite_ != 0) sprDispose(&mascotSprite_);
    ShowMoveFrame(false);
    Say(kMsgPanelDisableCanvas);
    for (auto& sound : sounds_) sound.reset();
    if (itemOpen_) ReleaseNamedResource(kCutPanelItem);
}

u16 RCutMovePanel::Init() {
    // The strip's set-up runs the panel's Init first: that call is the base's.
    if (initialising_) return RScrollToolPanel::Init();
    initialising_ = true;
    // The panel's buttons, strip pictures, stencils and sounds are its own item's.
    if (!itemOpen_) itemOpen_ = OpenNamedResource(kCutPanelItem, 1) == 0;
    InitScroller(kCutPanelStripLayout, -1);
    initialising_ = false;
    const u16 mascot = sprNew(kSpriteFlags, kCutPanelMascotShape, nullptr);
    mascotSprite_ = mascot == kSprNoId ? 0 : mascot;
    MutableToolSettings().sizeFactor = 1.0f;
    AnnounceSettings();
    Register(kInputMouseButtons);
    kinds_ = {kTypeFlashAnimation, kTypeFlash, kTypeBitmap, kTypeMovableBitmap, kTypeMovie, kTypeText};
    LoadCutSounds();
    // The tool manager's 'grfx' (an undo, a refresh of the screen) ends the cut.
    if (picture_) picture_->AddListener(this);
    RestorePrefs();
    // What another panel or the canvas copied is on the program's clipboard as much as what
    // this panel copies: a child who copied a sticker, then opened this panel, pastes it here.
    SetPasteButton(CanPaste());
    return 0;
}

void RCutMovePanel::LoadCutSounds() {
    for (size_t stage = 0; stage < sounds_.size(); ++stage) {
        const u16 id = readToolParams(toolProfile(), kCutSoundSections[stage]).startSound;
        if (id != 0) sounds_[stage] = std::make_unique<RSound>(id, 0, ResMapHandle{});
    }
}

bool RCutMovePanel::SoundsOn() const {
    RApplication* app = GetApplication();
    const GlobalUserSettings* settings = app ? app->GetGlobalUserSettings() : nullptr;
    return !settings || settings->toolSounds != 0;
}

void RCutMovePanel::StopCutSounds() {
    for (auto& sound : sounds_)
        if (sound && sound->IsPlaying()) sound->Stop();
}

void RCutMovePanel::Cursor(u16 cursor) { Say(kMsgPanelEnableCanvas, 0, cursor); }

void RCutMovePanel::PlayCutStage(i16 stage) {
    StopCutSounds();
    if (stage >= 0 && stage < i16(sounds_.size()) && sounds_[size_t(stage)] && SoundsOn()) sounds_[size_t(stage)]->Play();
    Cursor(stage == kStageActive || stage == kStageDrag ? kCutCursorActive : kCutCursorPlain);
}

RMarchingAnts* RCutMovePanel::Ants() const { return dynamic_cast<RMarchingAnts*>(GetCurrentTool()); }

// --- preferences

u16 RCutMovePanel::SavePrefs() {
    if (UserPaths() == nullptr || mode_ == 0) return 0;
    RPanelPrefsTmpl<tCutMoveSaveData> prefs(*UserPaths(), kCutPanelSection);
    prefs.GetData() = {i16(mode_), GetScroller() ? i16(GetScroller()->GetSelected()) : i16(0)};
    prefs.Save();
    return 0;
}

bool RCutMovePanel::PageHasMovableObjects() const {
    RApplication* app = GetApplication();
    RPage* page = app ? app->GetCurrentPage() : nullptr;
    if (!page) return false;
    u32 iterator = 0;
    RPageObject* object = nullptr;
    while (page->Data().NextObjectSkipFlagged(&iterator, &object, kTypeAnyObject)) {
        const FourCC type = object->Type();
        if (type == kTypeFlash || type == kTypeFlashAnimation || type == kTypeText || type == kTypeMovie) return true;
    }
    return false;
}

u16 RCutMovePanel::RestorePrefs() {
    tCutMoveSaveData stored{kPrefsNotStored, kPrefsNotStored};
    if (UserPaths() != nullptr) stored = RPanelPrefsTmpl<tCutMoveSaveData>(*UserPaths(), kCutPanelSection).GetData();
    u32 mode = kMsgMoveMode;
    i16 shape = 0;
    if (stored[kCutWordMode] != kPrefsNotStored) {
        // A hand-edited file must not pick a mode or an item that is not there.
        if (u32(stored[kCutWordMode]) == kMsgCutMode) mode = kMsgCutMode;
        if (stored[kCutWordShape] >= 0) shape = stored[kCutWordShape];
    }
    if (!PageHasMovableObjects()) mode = kMsgCutMode;
    PostMessageTo(this, mode, 0, 0);
    PostMessageTo(this, kMsgSelectCutShape, 0, u16(shape));
    SelectModeButton(mode);
    return 0;
}

void RCutMovePanel::SelectModeButton(u32 mode) {
    for (u32 command : {kMsgCutMode, kMsgMoveMode}) {
        const int index = FindButtonByCommand(u16(command));
        if (index < 0) continue;
        RButton& button = *Buttons()[size_t(index)];
        button.HandleEvent(command == mode ? kHsEventSelect : kHsEventReset, true);
    }
}

// --- modes and shapes

void RCutMovePanel::FillStrip(bool shapes) {
    RBitmapScroller* strip = GetScroller();
    if (!strip) return;
    std::vector<ScrollerPicture> pictures;
    for (u16 id = kCutPanelFirstPicture; shapes && id != 0; ++id) {
        ScrollerPicture picture;
        if (mfxReadResource(kSprPictureType, id, &picture) != kErrNone) break;
        pictures.push_back(std::move(picture));
    }
    strip->SetItems(std::move(pictures));
}

void RCutMovePanel::SwitchMode(u32 mode) {
    EndCut();
    mode_ = mode;
    SelectModeButton(mode);
    // Move mode has no strip: its frame tells how things are moved in the strip's place.
    SetStripShown(mode == kMsgCutMode);
    ShowMoveFrame(mode == kMsgMoveMode);
    if (mode == kMsgCutMode) {
        GetHelpContext().currentItem = kCutHelpItem;
        FillStrip(true);
        if (frameMaker_) frameMaker_->ClearObjectFrames();
        framesShown_ = false;
        if (!Ants()) {
            if (ActivateTool(CreateTool(kToolIdMarchingAnts))) AnnounceTool(GetCurrentTool());
        }
        // The strip reports the shape back, which builds its tool.
        if (cutShape_ >= 0) PostMessageTo(this, kMsgSelectCutShape, 0, u16(cutShape_));
        Cursor(kCutCursorPlain);
        if (HotSpots()) HotSpots()->ApplyToGroups(kObjectFrameGroup, 0, kGroupDisable);
        return;
    }
    GetHelpContext().currentItem = kMoveHelpItem;
    FillStrip(false);
    if (RMarchingAnts* ants = Ants()) ants->SetCutShape(nullptr);
    DropCurrentTool();
    shapeTool_.reset();
    framesShown_ = !framesShown_;
    if (framesShown_) {
        ShowFrames();
    } else if (frameMaker_) {
        frameMaker_->ClearObjectFrames();
    }
}

void RCutMovePanel::ShowMoveFrame(bool shown) {
    if (shown && moveSprite_ == 0) {
        // A still picture behind the buttons, as the other panels' frames are.
        const u16 sprite = sprNew(kSprBackLayer | kSprStopAtEnd, kMovePanelShape, nullptr);
        moveSprite_ = sprite == kSprNoId ? 0 : sprite;
    } else if (!shown && moveSprite_ != 0) {
        sprDispose(&moveSprite_);
    }
}

void RCutMovePanel::ShowFrames() {
    if (!frameMaker_) frameMaker_ = MakeFrameMaker();
    const bool found = frameMaker_ && frameMaker_->BuildObjectFrames(0) > 0;
    if (HotSpots()) HotSpots()->ApplyToGroups(kObjectFrameGroup, 0, found ? kGroupEnable : kGroupDisable);
    if (found)
        frameMaker_->ShowOtherItems();
    else
        framesShown_ = false;
    // The object chosen among them can be copied and cut at once.
    SetEditButtons(found && frameMaker_->HasCurrentFrame());
}

void RCutMovePanel::BuildShapeTool(i16 item) {
    if (RMarchingAnts* ants = Ants()) ants->SetCutShape(nullptr);
    switch (item) {
        case 0: shapeTool_ = std::make_unique<RCutFree>(this); break;
        case 1: shapeTool_ = std::make_unique<RCutPoly>(this); break;
        case 2: shapeTool_ = std::make_unique<ROCircleCut>(this); break;
        case 3: shapeTool_ = std::make_unique<RCutSquare>(this); break;
        default: shapeTool_.reset(); break;
    }
    if (shapeTool_) ActivateOnCanvas(*shapeTool_);
    if (RMarchingAnts* ants = Ants()) ants->SetCutShape(shapeTool_.get());
}

void RCutMovePanel::ChooseShape(i16 item) {
    if (mode_ != kMsgCutMode || item < 0) return;
    cutShape_ = item;
    if (item < kCutShapeCount) {
        EndCut();
        BuildShapeTool(item);
        return;
    }
    BuildShapeTool(-1);
    CutStencil(i16(item - kCutShapeCount));
}

void RCutMovePanel::SelectShapeAgain() {
    RBitmapScroller* strip = GetScroller();
    if (strip && cutShape_ >= 0) strip->Select(cutShape_);
}

// --- the floating clip

void RCutMovePanel::NewClip(bool floating) {
    StopCutSounds();
    Cursor(kCutCursorPlain);
    DeleteFloatingClip();
    clip_ = std::make_unique<RGraphicClip>(this, floating);
}

void RCutMovePanel::StartCut(memHandle region) {
    NewClip(false);
    if (clip_->Init(picture_, nullptr, region, GetCanvasRect(), HotSpots(), true) != 0) {
        clip_.reset();
        return;
    }
    PlayCutStage(kStageActive);
    SetEditButtons(true);
}

void RCutMovePanel::CutStencil(i16 stencil) {
    memHandle region = loadStencil(stencil);
    NewClip(true);
    const u16 failed = region ? clip_->Init(picture_, nullptr, region, GetCanvasRect(), HotSpots(), true) : 1;
    if (region) rgnDispose(region);
    if (failed) {
        clip_.reset();
        return;
    }
    Point16 mouse{};
    sprGetMouse(&mouse);
    clip_->CenterOn(mouse);
    // Held by its middle, wherever the canvas's edge pushed it: it comes to the mouse as soon
    // as the mouse moves.
    const Rect16 bounds = clip_->GetBounds();
    clip_->ToggleSprite(Point16{i16((bounds.left + bounds.right) / 2), i16((bounds.top + bounds.bottom) / 2)});
    PlayCutStage(0);
}

void RCutMovePanel::EndCut() {
    Cursor(kCutCursorPlain);
    StopCutSounds();
    DeleteFloatingClip();
}

void RCutMovePanel::DeleteFloatingClip() {
    if (!clip_) return;
    // Deleting it puts its pixels down; the change it made becomes one undo step.
    clip_.reset();
    if (picture_) picture_->EndChange();
    RApplication* app = GetApplication();
    if (app && app->GetUndoManager()) app->GetUndoManager()->DiscardIfOwner(this);
}

void RCutMovePanel::TakeUndo() {
    RApplication* app = GetApplication();
    if (!picture_ || !picture_->ChangeOpen() || !app || !app->GetUndoManager()) return;
    app->GetUndoManager()->SetCurrent(this, kPaintUndoCode, nullptr);
}

void RCutMovePanel::UndoWhileFloating() {
    RApplication* app = GetApplication();
    UndoManager* undo = app ? app->GetUndoManager() : nullptr;
    if (!clip_ || !undo) return;
    // The piece goes down where it is, and the whole move is then taken back at once.
    DeleteFloatingClip();
    undo->Undo();
}

// --- buttons

void RCutMovePanel::EnableButton(u32 command, bool enabled) {
    const int index = FindButtonByCommand(u16(command));
    if (index >= 0) Buttons()[size_t(index)]->EnableHotSpot(enabled);
}

void RCutMovePanel::SetEditButtons(bool enabled) {
    editEnabled_ = enabled;
    EnableButton(kMsgCutPanelCopy, enabled);
    EnableButton(kMsgCutPanelCut, enabled);
}

void RCutMovePanel::SetPasteButton(bool enabled) {
    pasteEnabled_ = enabled;
    EnableButton(kMsgCutPanelPaste, enabled);
    // The Edit menu's Paste (and Ctrl+V) follows the panel's own Copy button too.
    if (RApplication* app = GetApplication(); app && enabled) app->EnableMenuCommand(kCmdPaste);
}

void RCutMovePanel::CreateFrameMaker() {
    if (!frameMaker_) frameMaker_ = MakeFrameMaker();
    if (mode_ == kMsgMoveMode && framesShown_) ShowFrames();
}

u16 RCutMovePanel::RemoveFrameMaker() {
    if (!frameMaker_) return 0;
    frameMaker_.reset();
    return 1;
}

// --- input and messages

u32 RCutMovePanel::HandleInput(u32, Point16 point, u32) {
    if (!rectContainsPoint(GetCanvasRect(), point)) {
        StopCutSounds();
        return 0;
    }
    if (!clip_) return 0;
    // The clip had the press first and did not keep it: it was dropped.
    if (clip_->IsGone()) DeleteFloatingClip();
    SelectShapeAgain();
    return 1;
}

u32 RCutMovePanel::HandleMessage(RMessage* message, uintptr_t data) {
    const u32 code = message->code;
    switch (code) {
        case kMsgCutMode:
        case kMsgMoveMode: SwitchMode(code); return 0;
        case kMsgScrollerHit:
            if (message->sender == GetScroller()) ChooseShape(i16(message->param2));
            return 0;
        case kMsgSelectCutShape:
            cutShape_ = i16(message->param2);
            // A remembered item the strip no longer has (a damaged file) gives the first.
            if (GetScroller() && mode_ == kMsgCutMode) {
                if (cutShape_ < 0 || cutShape_ >= GetScroller()->GetCount()) cutShape_ = 0;
                GetScroller()->ScrollIntoView(cutShape_);
                GetScroller()->Select(cutShape_);
            }
            return 0;
        case kMsgPanelTextureDone: SelectShapeAgain(); return 0;
        case kFrameMakerAdd:
        case kFrameMakerRemove:
        case kFrameMakerFlattenOne:
        case kFrameMakerFlattenAll:
            if (frameMaker_) frameMaker_->HandleMessage(message, data);
            SetEditButtons(frameMaker_ && frameMaker_->HasCurrentFrame());
            return 0;
        case kClipPutDown:
            if (clip_ && message->param1 == reinterpret_cast<uintptr_t>(clip_.get())) {
                PlayCutStage(-1);
                DeleteFloatingClip();
            }
            return 0;
        case kMsgCutPanelCopy: Copy(); return 0;
        case kMsgCutPanelPaste: Paste(); return 0;
        case kMsgCutPanelCut: Cut(); return 0;
        case kClipMoved:
            PlayCutStage(i16(message->param2));
            if (message->param2 == kClipDragBegan) TakeUndo();
            return 0;
        case kClipState: SetEditButtons(message->param2 != 0); return 0;
        case kClipHotSpot: Say(kClipHotSpot, message->param1); return 0;
        case kCutRegionReady:
            if (message->param1 != 0) {
                auto region = memHandle(message->param1);
                StartCut(region);
                rgnDispose(region);
            } else {
                // The stroke closed on nothing: the cut's end sound says so, and the shape
                // stays chosen for the next stroke.
                PlayCutStage(kStageEnd);
            }
            return 0;
        case kMsgEndCut:
        case kToolMsgGraphics: EndCut(); return 0;
        case kPaintUndoCode: UndoWhileFloating(); return 0;
        case kMsgColorChosen: RefreshColorButtons(); return 0;
        default: return RScrollToolPanel::HandleMessage(message, data);
    }
}

std::unique_ptr<FrameMakerLink> RCutMovePanel::MakeFrameMaker() {
    return makeFrameMaker_ ? makeFrameMaker_(this, HotSpots(), kinds_) : nullptr;
}

}  // namespace Ostrel
