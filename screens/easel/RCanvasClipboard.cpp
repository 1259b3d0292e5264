// The canvas's part in cut, copy and paste: page objects, and pictures floated on the canvas
// to be placed, from the program's own cut pieces or from another program's copy.
#include "document/objects/RPageObject.h"
#include "document/pages/RPage.h"
#include "document/storage/ObjectTypes.h"
#include "engine/regions/Regions.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "framework/undo/UndoManager.h"
#include "media/quicktime/ImgPictureBytes.h"
#include "panels/cutmove/CutMoveCommands.h"
#include "panels/frames/FrameCommands.h"
#include "panels/frames/RFrameMaker.h"
#include "platform/clipboard/formats/ClipboardFormats.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/RCanvasOwner.h"
#include "tools/base/RToolMgr.h"
#include "tools/cut/ClipPicture.h"
#include "tools/cut/RGraphicClip.h"

namespace Ostrel {

// A chosen object is what Copy, Cut and Paste work on; without one, the object placed last.
bool RCanvas::Copy() {
    if (frames_ && frames_->EditedObject()) {
        RMessage copy(kMsgCopyObject, 0, 0);
        frames_->HandleMessage(&copy, 0);
        return true;
    }
    RPage* page = owner_ ? owner_->CurrentPage() : nullptr;
    RPageObject* last = page ? LastPlaced(page->Data()) : nullptr;
    if (!last || last->Type() == kTypeNote || last->Type() == kTypeMovie) return false;
    Clips().DeleteAll();
    Clips().Add(std::make_unique<PageClip>(*last));
    RFrameMaker::ClaimSystemClipboard();
    return true;
}

bool RCanvas::Cut() {
    if (frames_ && frames_->EditedObject()) {
        for (u32 code : {kMsgCopyObject, kMsgDeleteObject}) {
            RMessage step(code, 0, 0);
            frames_->HandleMessage(&step, 0);
        }
        return true;
    }
    RPage* page = owner_ ? owner_->CurrentPage() : nullptr;
    RPageObject* last = page ? LastPlaced(page->Data()) : nullptr;
    if (!last || !Copy()) return false;
    page->Data().DeleteObject(last->Type(), last->Id());
    page->Data().SetDirtyState(true);
    RedrawShownPage(page);
    return true;
}

bool RCanvas::CanPaste() {
    if (toolMgr_ && toolMgr_->CurrentToolIndex() == kPlacingToolIndex) return false;
    return Clips().FindLastOfTypes({kTypeFlash, kTypeFlashAnimation}) != nullptr || ObjectClip() != nullptr ||
           PictureToPaste() != PastedPicture::None;
}

// A copied page object that the frame maker pastes.
const PageClip* RCanvas::ObjectClip() const {
    if (!frames_) return nullptr;
    return dynamic_cast<const PageClip*>(Clips().FindLastOfTypes({kTypeText, kTypeBitmap, kTypeMovableBitmap}));
}

// The program's cut piece while the clipboard still holds what it was copied with (the cut and
// move panel pastes its own pieces itself); once another program copied something, its
// picture, if it is one.
RCanvas::PastedPicture RCanvas::PictureToPaste() const {
    if (!owner_ || !owner_->CurrentPage()) return PastedPicture::None;
    if (plat::clipboardFormatData(plat::registerClipboardFormat(kCanvasClipFormat))) {
        const bool piece = dynamic_cast<const BitmapClip*>(Clips().FindLastOfTypes({kTypeBitmap})) != nullptr;
        return piece && !owner_->CutMovePanelCurrent() ? PastedPicture::OwnPiece : PastedPicture::None;
    }
    return CCPObj::DesktopOffersPicture() ? PastedPicture::OtherProgram : PastedPicture::None;
}

bool RCanvas::Paste() {
    if (toolMgr_ && toolMgr_->CurrentToolIndex() == kPlacingToolIndex) return false;
    if (ObjectClip()) {
        RMessage paste(kMsgPasteObject, 0, 0);
        frames_->HandleMessage(&paste, 0);
        return true;
    }
    RPage* page = owner_ ? owner_->CurrentPage() : nullptr;
    auto* clip = dynamic_cast<PageClip*>(Clips().FindLastOfTypes({kTypeFlash, kTypeFlashAnimation}));
    if (!page) return false;
    if (!clip) return FloatPicture(PictureToPaste());
    if (clip->Type() == kTypeFlash && RFrameMaker::FlashLimitReached(page->Data(), FlashObjectLimit())) {
        mfxAlert(kAlertOk, LookupLanguageText("GeneralStrings", "TooManyPageObjects").c_str());
        return false;
    }
    std::unique_ptr<RPageObject> object = clip->Object().Clone();
    // Centred on the canvas.
    const i16 width = i16(object->rect.right - object->rect.left), height = i16(object->rect.bottom - object->rect.top);
    object->rect.left = i16((local_.right - width) / 2);
    object->rect.top = i16((local_.bottom - height) / 2);
    object->rect.right = i16(object->rect.left + width);
    object->rect.bottom = i16(object->rect.top + height);
    PlaceObject(object.get(), 0);
    return true;
}

bool RCanvas::FloatPicture(PastedPicture source) {
    if (source == PastedPicture::None || !toolMgr_) return false;
    ClipPicture picture;
    memHandle shape = 0;
    if (source == PastedPicture::OwnPiece) {
        const auto* piece = dynamic_cast<const BitmapClip*>(Clips().FindLastOfTypes({kTypeBitmap}));
        if (!piece) return false;
        picture = clipPictureOf(piece->Pixels());
        shape = clipShapeOf(piece->Pixels(), Point16{0, 0});
    } else {
        // Another program's picture, its top-left part as large as the canvas: nothing scaled.
        ImgPixels read;
        if (imgReadPictureBytes(CCPObj::DesktopPicture(), local_.right, local_.bottom, &read) != kErrNone) return false;
        picture = ClipPicture{read.width, read.height, std::move(read.pixels)};
        shape = clipRectShape(picture.width, picture.height, Point16{0, 0});
    }
    if (!shape) return false;
    // A piece the cut and move panel floats goes down first: one floats at a time.
    if (owner_ && owner_->CutMovePanelCurrent()) owner_->SendToPanel(kMsgEndCut, 0);
    EndFloatingClip();
    const PixelView image = picture.View();
    auto floating = std::make_unique<RGraphicClip>(this, true);
    const u16 failed = image.top ? floating->Init(toolMgr_.get(), &image, shape, rect_, nullptr, true) : 1;
    rgnDispose(shape);
    if (failed) return false;
    floating->CenterOn(Point16{i16((rect_.left + rect_.right) / 2), i16((rect_.top + rect_.bottom) / 2)});
    clip_ = std::move(floating);
    // An undo while it floats puts it down and takes it back.
    if (undo_) undo_->SetCurrent(this, kPaintUndoCode, nullptr);
    return true;
}

void RCanvas::EndFloatingClip() {
    if (!clip_) return;
    // Deleting it puts its pixels down; the change it made becomes one undo step.
    clip_.reset();
    if (toolMgr_) toolMgr_->EndChange();
    if (undo_) undo_->DiscardIfOwner(this);
}

u32 RCanvas::HandleClipMessage(RMessage* message) {
    switch (message->code) {
        case kClipPutDown:
            if (clip_ && message->param1 == reinterpret_cast<uintptr_t>(clip_.get())) EndFloatingClip();
            return 1;
        case kClipMoved:
            if (clip_ && message->param2 == kClipDragBegan && undo_) undo_->SetCurrent(this, kPaintUndoCode, nullptr);
            return 1;
        case kClipState:
            return 1;
        case kPaintUndoCode:
            // The piece goes down where it is, and is then taken back at once.
            if (clip_ && undo_) {
                EndFloatingClip();
                undo_->Undo();
            }
            return 1;
        default:
            return 0;
    }
}

}  // namespace Ostrel
