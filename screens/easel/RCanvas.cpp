#include "screens/easel/RCanvas.h"

#include "app/dialogs/RABCTextDlg.h"
#include "app/dialogs/RFlattenDlg.h"
#include "app/dialogs/RPickBgColorDlg.h"
#include "app/dialogs/RPickBgSndDlg.h"
#include "app/settings/GlobalUserSettings.h"
#include "document/pages/PagePainting.h"
#include "document/project/RDocument.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/gl/GlSharedRenderer.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/regions/Regions.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/input/RHotSpotItem.h"
#include "framework/input/RHotSpotList.h"
#include "framework/undo/UndoManager.h"
#include "media/export/CanvasSnapshot.h"
#include "media/quicktime/TwipsRects.h"
#include "panels/frames/REditFrame.h"
#include "panels/frames/RFrameMaker.h"
#include "panels/frames/makeEditFrame.h"
#include "platform/clock/Clock.h"
#include "platform/keyboard/VirtualKeys.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/CanvasPicture.h"
#include "screens/easel/RCanvasOwner.h"
#include "text/measure/StyleFonts.h"
#include "tools/base/RToolMgr.h"
#include "tools/cut/RGraphicClip.h"

namespace Ostrel {
namespace {

// Room around a text's rectangle for what its glyphs draw past it (an italic's slant).
constexpr i16 kTextOverhang = 16;

// Putting what the canvas shows into the page (for a print, an export, a save) changes nothing
// the child made: a page nobody touched stays one that needs no saving.
template <typename Store>
EngineErr keepingChangedState(RPageData& page, Store&& store) {
    const bool changed = page.IsDirty();
    const EngineErr err = store();
    page.SetModified(changed);
    return err;
}

}  // namespace

RCanvas::RCanvas(const Rect16& canvasRect)
    : CCPObj(kCanvasClipKind),
      rect_(canvasRect),
      local_{0, 0, i16(canvasRect.right - canvasRect.left), i16(canvasRect.bottom - canvasRect.top)} {
    // Page rectangles sent to SWF output are made relative to the canvas's top-left.
    SetCanvasOrigin(Point16{canvasRect.left, canvasRect.top});
}

RCanvas::~RCanvas() {
    // A floating picture is put down while the tool manager it paints through is there.
    EndFloatingClip();
    frames_.reset();
    media_.reset();
    StopSpeaking();
    flatten_.reset();
    abcText_.reset();
    backgroundColor_.reset();
    backgroundSound_.reset();
    // The tool manager goes first: its undo step points into the picture.
    toolMgr_.reset();
    // The renderer outlives the canvas, but not bound to its picture.
    GLBitmapRenderer* renderer = glSharedRenderer();
    if (renderer && picturePort_ && renderer->BoundTo(static_cast<GfxOffscreenPort*>(picturePort_)->Store().GetDC()))
        renderer->ReleaseContext();
    if (hotSpots_) {
        if (clickItem_) hotSpots_->DestroyHotSpot(clickItem_);
        if (canvasHotSpot_) hotSpots_->DestroyHotSpot(canvasHotSpot_);
    }
    if (picturePort_) {
        gfxUnlockPort(picturePort_);
        gfxDisposePort(picturePort_);
    }
    Unregister();
}

GfxColor RCanvas::PaintColor() const { return owner_ ? owner_->PaintColor() : GfxColor::rgb(0, 0, 0); }

GLBitmapRenderer* RCanvas::PictureRenderer() const { return BindRenderer() ? glSharedRenderer() : nullptr; }

bool RCanvas::BindRenderer() const {
    GLBitmapRenderer* renderer = glSharedRenderer();
    if (!renderer || !picturePort_ || !picture_.top) return false;
    plat::gdi::DeviceContext* dc = static_cast<GfxOffscreenPort*>(picturePort_)->Store().GetDC();
    if (renderer->Attach(dc, u32(picture_.width), u32(picture_.height), 0, 0, picture_.width, picture_.height) != kGlOk)
        return false;
    renderer->SetView(GlViewRect{0, 0, picture_.width, picture_.height});
    renderer->SelectSmoothShading();
    return true;
}

bool RCanvas::ToolSoundsOn() const {
    const GlobalUserSettings* settings = owner_ ? owner_->UserSettings() : nullptr;
    return !settings || settings->toolSounds != 0;
}

u16 RCanvas::Init(RCanvasOwner* owner, RHotSpotList* screenHotSpots, GfxPort* screenPort, UndoManager* undo) {
    owner_ = owner;
    screenPort_ = screenPort;
    undo_ = undo;
    // The tick steps a tool that runs on after its click (a page-erase wipe).
    Register(kInputMouseButtons | kInputMouseMove | kInputTick | kInputKeys);
    toolMgr_ = std::make_unique<RToolMgr>();
    // The canvas hears 'grfx': what a stroke changed makes the page unsaved.
    toolMgr_->AddListener(this);
    const i16 width = local_.right, height = local_.bottom;
    if (width > 0 && height > 0) picturePort_ = gfxNewOffscreenPort(u16(width), u16(height), 16, nullptr);
    if (picturePort_ && gfxLockPort(picturePort_) == kErrNone) {
        picture_ = pixelViewOfPort(*static_cast<GfxOffscreenPort*>(picturePort_));
    } else if (picturePort_) {
        gfxDisposePort(picturePort_);
        picturePort_ = nullptr;
    }
    if (picture_.top) picture_.Fill(PageBackgroundPixel());
    toolMgr_->Init(picture_, rect_, undo_);
    toolMgr_->SetPorts(picturePort_, screenPort_);
    toolMgr_->SetHost(this);
    // The screen shows the page's texts over the painting: a stroke, or its undo, copied there
    // leaves them on top.
    toolMgr_->SetCover([this](const Rect16& shown) {
        if (const RPageData* page = ShownPage()) PaintTextsOnScreen(*page, shown);
    });
    MakeHotSpots(screenHotSpots);
    media_ = std::make_unique<PageMedia>(rect_);
    // Registered after the canvas, the frame maker hears the mouse and the keys first.
    frames_ = std::make_unique<RFrameMaker>(*this, hotSpots_);
    glMakeSharedRenderer();
    const bool drawsGl = BindRenderer();
    acceptedKinds_ = {kTypeFlashAnimation, kTypeFlash, kTypeBitmap, kTypeMovableBitmap, kTypeMovie};
    return picture_.top && drawsGl ? 0 : 1;
}

void RCanvas::MakeHotSpots(RHotSpotList* list) {
    hotSpots_ = list;
    if (!list) return;
    clickItem_ = list->AddHotSpot([this] {
        HSInfo info;
        info.rect = rect_;
        info.message = kMsgCanvasClick;
        return info;
    }(), this);
    canvasHotSpot_ = list->AddHotSpot([this] {
        HSInfo info;
        info.rect = rect_;
        info.kind = kHotSpotRect;
        info.message = kMsgCanvasHotSpotClick;
        return info;
    }(), this);
    // Both wait until a panel asks for them.
    clickItem_->Deactivate(kHsReasonDeactivated);
    clickItem_->Disable();
    canvasHotSpot_->Deactivate(kHsReasonDeactivated);
    canvasHotSpot_->Disable();
}

u16 RCanvas::PageBackgroundPixel() const { return kRgb555White; }

void RCanvas::ShowOnScreen(const Rect16& screenRect, const RPageData* page) {
    if (screenPort_ && picturePort_) {
        const Rect16 local{i16(screenRect.left - rect_.left), i16(screenRect.top - rect_.top),
                           i16(screenRect.right - rect_.left), i16(screenRect.bottom - rect_.top)};
        gfxCopyBits(screenPort_, picturePort_, screenRect, local, 0);
    }
    // The pictures placed on the page show on their sprites over the painting (PageMedia);
    // the texts are painted with it.
    if (page) PaintTextsOnScreen(*page, screenRect);
    sprInvalRect(screenRect);
}

void RCanvas::PaintTextsOnScreen(const RPageData& page, const Rect16& area) {
    // A text may reach past the canvas; the rest of the screen is not the page's.
    Rect16 painted = area;
    if (!screenPort_ || !rectIntersect(&painted, rect_)) return;
    std::vector<const RPageObject*> texts;
    u32 iterator = 0;
    RPageObject* object = nullptr;
    while (page.NextObjectSkipFlagged(&iterator, &object, kTypeText)) {
        Rect16 reach{i16(object->rect.left + rect_.left), i16(object->rect.top + rect_.top),
                     i16(object->rect.right + rect_.left), i16(object->rect.bottom + rect_.top)};
        rectInset(&reach, -kTextOverhang, -kTextOverhang);
        if (rectIntersect(&reach, painted)) texts.push_back(object);
    }
    if (texts.empty()) return;
    GfxPort* previous = gfxSetPort(screenPort_);
    memHandle clip = rgnCreate();
    if (clip) gfxGetClipRgn(clip);
    gfxSetClipRect(painted);
    StyleFonts fonts;
    for (const RPageObject* text : texts)
        RPageData::DrawObject(screenPort_, *text, Point16{rect_.left, rect_.top}, fonts);
    if (clip) {
        gfxSetClipRgn(clip);
        rgnDispose(clip);
    }
    gfxSetPort(previous);
}

void RCanvas::RedrawPage(RPage* page, u16) {
    // A picture floating over the old page goes down before the page is drawn again.
    EndFloatingClip();
    // A page shown here takes part in the program's undo, wherever it was made, and shows
    // what an undo changes.
    if (page) {
        page->Data().SetUndoManager(undo_);
        page->Data().SetStepListener([this, alive = std::weak_ptr<int>(alive_)](FourCC code) {
            if (!alive.expired()) PageStepped(code);
        });
    }
    if (picture_.top) {
        if (page)
            drawPageBackground(picture_, page->Data(), PageBackgroundPixel());
        else
            picture_.Fill(PageBackgroundPixel());
    }
    // The tool manager's undo step held the old page's pixels.
    if (toolMgr_) toolMgr_->Init(picture_, rect_, undo_);
    ShowOnScreen(rect_, page ? &page->Data() : nullptr);
    if (media_ && page) media_->Sync(page->Data());
    if (media_ && !page) media_->Clear();
    if (frames_) frames_->SyncWithPage();
    // An object being placed that went with its page (another page shown, an undo) is no
    // longer placed.
    if (placing_ && frames_ && frames_->EditedObject() != placing_) CommitPlacedObject(false);
    if (owner_) owner_->PageStateChanged();
}

void RCanvas::RedrawShownPage(RPage* page) {
    // What was painted since the last save is only in the picture: it goes into the page's
    // background first, or drawing the page again would wipe it.
    if (StorePicture(page) == kErrNone) {
        RedrawPage(page, 1);
        return;
    }
    ShowOnScreen(rect_, &page->Data());
    if (media_) media_->Sync(page->Data());
    if (frames_) frames_->SyncWithPage();
    if (owner_) owner_->PageStateChanged();
}

// --- FrameHost

RPageData* RCanvas::ShownPage() const {
    RPage* page = owner_ ? owner_->CurrentPage() : nullptr;
    return page ? &page->Data() : nullptr;
}

void RCanvas::ObjectsChanged() {
    RPage* page = owner_ ? owner_->CurrentPage() : nullptr;
    if (!page) return;
    page->Data().SetDirtyState(true);
    RedrawShownPage(page);
}

void RCanvas::KeepPainting() {
    if (RPage* page = owner_ ? owner_->CurrentPage() : nullptr) StorePicture(page);
}

void RCanvas::PictureMerged() {
    RPage* page = owner_ ? owner_->CurrentPage() : nullptr;
    if (!page) return;
    page->Data().SetDirtyState(true);
    RedrawPage(page, 1);
}

void RCanvas::PageStepped(FourCC code) {
    RPage* page = owner_ ? owner_->CurrentPage() : nullptr;
    if (!page) return;
    // A merge taken back or done again changed the page's picture itself.
    if (code == kUndoFlatten)
        RedrawPage(page, 1);
    else
        RedrawShownPage(page);
}

bool RCanvas::TakesNoInput() const {
    // While an object is placed the clicks are out of service, but its frame moves it.
    return (!busy_ && ClicksSuspended()) || (toolMgr_ && toolMgr_->IsTracking());
}

bool RCanvas::CutMovePanelCurrent() const { return owner_ && owner_->CutMovePanelCurrent(); }

u16 RCanvas::FlashObjectLimit() const { return owner_ ? owner_->FlashObjectLimit() : 0; }

void RCanvas::TellPageFull() {
    if (owner_) owner_->FileAlert(kPictureFullKey, kAlertOk | kAlertIconStop);
}

void RCanvas::ReleaseObjects() {
    EndFloatingClip();
    if (frames_) frames_->ClearObjectFrames();
    if (media_) media_->Clear();
}

void RCanvas::RestoreObjects() {
    RPageData* page = ShownPage();
    if (!page) return;
    if (media_) media_->Sync(*page);
    if (frames_) frames_->SyncWithPage();
    if (placing_ && frames_ && frames_->EditedObject() != placing_) CommitPlacedObject(false);
}

void RCanvas::FrameNewObject(RPageObject* object, bool placing) {
    // An animation or a movie shows from the moment it is placed.
    if (RPageData* page = ShownPage(); page && media_ && object) media_->Sync(*page);
    // Under a painting panel a press paints where it lands: only an object being placed, or
    // one that comes while a panel that edits objects drives the frames, is framed.
    if (!object || !frames_ || !hasEditFrame(*object) || !(placing || frames_->Built())) return;
    if (undo_) undo_->ReleaseCurrent();
    frames_->AddObjectFrame(object, 1);
}

void RCanvas::SelectNewObject(RPageObject* object) {
    const bool placed = object && (object->Type() == kTypeBitmap || object->Type() == kTypeMovie);
    FrameNewObject(object, placed);
    if (!placed || !frames_ || frames_->EditedObject() != object) return;
    placing_ = object;
    SuspendClicks();
    SetBusy(1);
}

bool RCanvas::ClickMissesEditFrame(Point16 point) const {
    if (!busy_ || !frames_) return false;
    const REditFrame* frame = frames_->EditFrame();
    return !frame || !frame->Reaches(point);
}

void RCanvas::CommitPlacedObject(bool discard) {
    RPage* page = owner_ ? owner_->CurrentPage() : nullptr;
    RPageObject* object = frames_ ? frames_->EditedObject() : nullptr;
    const bool placed = object && object == placing_;
    placing_ = nullptr;
    if (page && placed) {
        if (undo_) undo_->ReleaseCurrent();
        if (discard)
            DeleteObject(*page, object);
        else if (object->Type() == kTypeBitmap)
            frames_->MergeEdited();
        else if (frames_->Built())
            frames_->ReleaseSelectedItem();
        else
            frames_->RemoveObjectFrame(object);
    }
    SetBusy(0);
    ResumeClicks();
}

void RCanvas::DeleteObject(RPage& page, RPageObject* object) {
    // The frame goes before its object does; a playing movie stops as its object goes.
    if (frames_ && frames_->EditedObject() == object) frames_->DeleteEditFrame();
    page.Data().DeleteObject(object->Type(), object->Id());
    page.Data().SetDirtyState(true);
    RedrawShownPage(&page);
}

u32 RCanvas::HandleKey(u32 key) {
    const u8 c = keyRecordVirtualKey(key);
    RPage* page = owner_ ? owner_->CurrentPage() : nullptr;
    if ((c != plat::kVkBack && c != plat::kVkDelete) || !page || !frames_) return 0;
    if (busy_) {
        CommitPlacedObject(true);
        return 1;
    }
    // A key meant for another chosen object (a text being written) never takes a picture off.
    if (ClicksSuspended() || (frames_->EditedObject() && frames_->EditedObject()->Type() != kTypeMovie)) return 0;
    RPageObject* last = frames_->EditedObject() ? frames_->EditedObject() : LastPlaced(page->Data());
    if (!last || (last->Type() != kTypeBitmap && last->Type() != kTypeMovie)) return 0;
    DeleteObject(*page, last);
    return 1;
}

void RCanvas::ShowPage(RPage* page) {
    if (owner_ && owner_->CurrentDocument() && page) owner_->CurrentDocument()->SetCurrentPage(page);
    RedrawPage(page, 1);
}

EngineErr RCanvas::StorePicture(RPage* page) {
    if (!page) return kErrNone;
    RPageData& data = page->Data();
    if (!picture_.top) return keepingChangedState(data, [&] { return data.EnsureBackground(); });
    EndFloatingClip();
    // A stroke or a wipe still running ends first, so that the saved picture has all of it.
    if (toolMgr_ && (toolMgr_->IsTracking() || toolMgr_->IsRunning())) toolMgr_->InputEnd(0);
    return keepingChangedState(data, [&] { return storePageBackground(picture_, data); });
}

bool RCanvas::StoreFinishedPicture(RPage* page) {
    if (clip_ || (toolMgr_ && (toolMgr_->IsTracking() || toolMgr_->IsRunning()))) return false;
    return StorePicture(page) == kErrNone;
}

std::vector<u8> RCanvas::Snapshot() {
    // The frame is the child's handle on the object, not part of the picture: it goes for the
    // moment of the look and comes back round the same object.
    // So are the outlines of the others.
    const i16 edited = frames_ ? frames_->CurrentIndex() : -1;
    if (frames_) {
        frames_->SetOutlinesHidden(true);
        sprUpdateScreen(0);
    }
    std::vector<u8> jpeg = CanvasSnapshot(rect_);
    if (frames_) frames_->SetOutlinesHidden(false);
    if (edited >= 0) frames_->SelectFrame(edited);
    return jpeg;
}

void RCanvas::PictureChanged(const Rect16& local) {
    if (local.right <= local.left || local.bottom <= local.top) return;
    if (owner_)
        if (RPage* page = owner_->CurrentPage()) page->Data().SetDirtyState(true);
    ShowOnScreen(Rect16{i16(local.left + rect_.left), i16(local.top + rect_.top), i16(local.right + rect_.left),
                        i16(local.bottom + rect_.top)},
                 ShownPage());
}

bool RCanvas::ClicksSuspended() const { return clickItem_ && !clickItem_->IsActive(); }

void RCanvas::SuspendClicks() {
    if (!clickItem_) return;
    clickItem_->Deactivate(kHsReasonDeactivated);
    clickItem_->Disable();
}

void RCanvas::ResumeClicks() {
    if (!clickItem_ || clickItem_->IsActive() || clickCursor_ >= kCanvasDisabledCursor) return;
    clickItem_->Enable();
    if (hotSpots_ && hotSpots_->GetOwner()) {
        RMessage refresh(kMsgHotSpotsChanged, 0, 0);
        hotSpots_->GetOwner()->HandleMessage(&refresh, 0);
    }
}

void RCanvas::SetClickCursor(u16 cursor, bool enable) {
    clickCursor_ = cursor;
    if (!clickItem_) return;
    clickItem_->SetCursorIds(cursor, cursor);
    if (enable)
        clickItem_->Enable();
    else
        clickItem_->Disable();
}

void RCanvas::SetBusy(u16 busy) {
    busy_ = busy;
    if (busy || !owner_) return;
    owner_->RefreshMenus();
    owner_->PageStateChanged();
}

u32 RCanvas::HandleInput(u32 button, Point16 point, u32) {
    // The floating picture had the press first and was put down by it: on the canvas the press
    // did that alone.
    if (clip_ && clip_->IsGone()) {
        EndFloatingClip();
        if (rectContainsPoint(rect_, point)) return 1;
    }
    if (button != kInputLeftButton || busy_) return 0;
    if (!rectContainsPoint(rect_, point)) {
        if (owner_) owner_->ClickOutsideCanvas(point);
        return 0;
    }
    // Out of service while a picker, a dialog or help mode is over the screen.
    if (!toolMgr_ || ClicksSuspended()) return 0;
    if (!toolMgr_->HandleInput(point, plat::clockMillis())) return 0;
    sprInvalRect(rect_);
    return 1;
}

u32 RCanvas::HandleMouseMove(Point16 point, u32) {
    if (!toolMgr_) return 0;
    if (!toolMgr_->IsTracking() || toolMgr_->IsHovering()) {
        // The hands-free brushes paint where the mouse goes, while clicks are taken here.
        if (busy_ || ClicksSuspended()) {
            if (toolMgr_->IsHovering()) toolMgr_->InputEnd(0);
            return 0;
        }
        // A tool between its drags shows where the next one takes it (the curve bends).
        const u32 now = plat::clockMillis();
        if (!toolMgr_->HoverInput(point, now) && !toolMgr_->FollowInput(point, now)) return 0;
        sprInvalRect(toolMgr_->TakeShown());
        return 1;
    }
    toolMgr_->TrackInput(point, plat::clockMillis());
    // The tool manager has copied the fresh pixels to the screen port; the next screen update
    // composes only them again, not the whole canvas: a move is a few dabs.
    sprInvalRect(toolMgr_->TakeShown());
    return 1;
}

void RCanvas::HandleTick(u32 now) {
    rescue_.Update(owner_ ? owner_->CurrentPage() : nullptr, owner_ ? owner_->UserPaths() : nullptr, now,
                   [this](RPage* page) { return StoreFinishedPicture(page); });
    if (!toolMgr_ || !toolMgr_->IsRunning()) return;
    toolMgr_->StepTool(now);
    // A running tool may sweep the whole page: all of it is drawn again, which covers what
    // the manager showed.
    toolMgr_->TakeShown();
    sprInvalRect(rect_);
}

u32 RCanvas::HandleMouseUp(u32 button, Point16 point, u32) {
    if (button != kInputLeftButton || !toolMgr_ || !toolMgr_->IsTracking()) return 0;
    toolMgr_->EndInput(point, plat::clockMillis());
    // A release that changed nothing for good (a cut shape's ants taken away) says no 'grfx':
    // what it put back on the screen port is shown all the same.
    toolMgr_->TakeShown();
    sprInvalRect(rect_);
    return 1;
}

}  // namespace Ostrel
