// The frame maker's object commands: delete, copy, paste and flatten.
#include <cstdlib>
#include <string>
#include <vector>

#include "document/clipboard/CCPObj.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "panels/frames/FrameCommands.h"
#include "panels/frames/REditFrame.h"
#include "panels/frames/RFrameMaker.h"
#include "panels/frames/makeEditFrame.h"
#include "platform/clipboard/formats/ClipboardFormats.h"

namespace Ostrel {

namespace {

// The kinds one chosen object of which merges: texts, stickers and animations.
bool mergesOne(FourCC kind) { return kind == kTypeText || kind == kTypeFlash || kind == kTypeFlashAnimation; }

constexpr char kObjectClipMark[] = {0, 0, 0, 1};

void playFlattenSound() {
    SprSoundRequest sound;
    sound.soundId = kFlattenSound;
    sprRequestSound(sound);
}

}  // namespace

bool RFrameMaker::FlashLimitReached(const RPageData& page, u16 limit) {
    if (limit == 0) return false;
    u32 iterator = 0, shown = 0;
    RPageObject* object = nullptr;
    while (page.NextObjectSkipFlagged(&iterator, &object, kTypeFlash)) ++shown;
    return shown >= limit;
}

void RFrameMaker::ClaimSystemClipboard() {
    plat::placeClipboardFormat(plat::registerClipboardFormat(kObjectClipFormat), std::string(kObjectClipMark, sizeof kObjectClipMark));
}

u32 RFrameMaker::HandleMessage(RMessage* message, uintptr_t) {
    switch (message->code) {
        case kMsgSelectObjectFrame:
            // Only addresses are compared: the record may have gone since the click was sent.
            for (size_t i = 0; i < frames_.size(); ++i)
                if (reinterpret_cast<uintptr_t>(frames_[i].get()) == message->param1) SelectFrame(i16(i));
            return 0;
        case kMsgAddObjectFrame:
            AddObjectFrame(reinterpret_cast<RPageObject*>(message->param1), message->param2);
            return 0;
        case kMsgRemoveObjectFrame:
            RemoveObjectFrame(reinterpret_cast<RPageObject*>(message->param1));
            return 0;
        case kMsgDeleteObject:
            SyncWithPage();
            if (EditedObject() && EditedObject()->Type() != kTypeMovie) DeleteSelected();
            return 0;
        case kMsgCopyObject:
            SyncWithPage();
            if (EditedObject() && EditedObject()->Type() != kTypeMovie) Copy();
            return 0;
        case kMsgPasteObject:
            Paste(reinterpret_cast<const Clip*>(message->param1));
            return 0;
        case kMsgFlattenOne:
            FlattenOne(FourCC(message->param1));
            return 0;
        case kMsgFlattenAll:
            FlattenAll(FourCC(message->param1));
            return 0;
        default:
            return 0;
    }
}

void RFrameMaker::DeleteSelected() {
    RPageObject* object = EditedObject();
    RPageData* page = host_.ShownPage();
    if (!object || !page) return;
    const FourCC type = object->Type();
    const u16 id = object->Id();
    // The frame goes before its object does, and the last object left is chosen next.
    RemoveObjectFrame(object);
    page->DeleteObject(type, id);
    pasteCount_ = 0;
    host_.ObjectsChanged();
}

void RFrameMaker::Copy() {
    CCPObj::Clips().DeleteAll();
    CCPObj::Clips().Add(std::make_unique<PageClip>(*EditedObject()));
    ClaimSystemClipboard();
    pasteCount_ = 0;
}

void RFrameMaker::Paste(const Clip* given) {
    const auto* clip = dynamic_cast<const PageClip*>(
        given ? given : CCPObj::Clips().FindLastOfTypes({kTypeText, kTypeBitmap, kTypeMovableBitmap}));
    RPageData* page = host_.ShownPage();
    if (!clip || !page || !hasEditFrame(clip->Object())) return;
    const RPageObject& copied = clip->Object();
    const FourCC type = copied.Type();
    if (type == kTypeFlash && FlashLimitReached(*page, host_.FlashObjectLimit())) {
        mfxAlert(kAlertOk, LookupLanguageText("GeneralStrings", "TooManyPageObjects").c_str());
        return;
    }
    // Centred on the canvas, the copied size kept; pastes in a row step down and to the right,
    // the first away from the copy when it would land on it.
    const Rect16& canvas = host_.CanvasRect();
    const i16 width = i16(copied.rect.right - copied.rect.left), height = i16(copied.rect.bottom - copied.rect.top);
    PageRect place;
    place.left = i16((canvas.right - canvas.left - width) / 2);
    place.top = i16((canvas.bottom - canvas.top - height) / 2);
    if (pasteCount_ == 0 && std::abs(place.left - copied.rect.left) < kPasteNear &&
        std::abs(place.top - copied.rect.top) < kPasteNear)
        pasteCount_ = 1;
    place.left = i16(place.left + kPasteStep * pasteCount_);
    place.top = i16(place.top + kPasteStep * pasteCount_);
    place.right = i16(place.left + width);
    place.bottom = i16(place.top + height);
    // Made from the copy's stored media, as one undo step.
    std::vector<u8> media;
    RPageObject* added = nullptr;
    if (copied.StoreMedia(&media) == kErrNone) added = page->AddObject(type, -1, media, place);
    if (!added) {
        host_.TellPageFull();
        return;
    }
    ++pasteCount_;
    host_.ObjectsChanged();
    AddObjectFrame(added, 1);
}

void RFrameMaker::FlattenOne(FourCC kind) {
    SyncWithPage();
    RPageObject* object = EditedObject();
    if (!object || !host_.ShownPage() || object->Type() != kind || !mergesOne(kind)) return;
    playFlattenSound();
    MergeEdited();
}

void RFrameMaker::MergeEdited() {
    RPageObject* object = EditedObject();
    RPageData* page = host_.ShownPage();
    if (!object || !page) return;
    // The painting goes into the picture first, and the frame goes before its object.
    host_.KeepPainting();
    DeleteEditFrame();
    // Merged as the page merges a whole kind, so that it is one undo step: the others of the
    // kind stand aside (hidden) meanwhile.
    std::vector<RPageObject*> aside;
    u32 iterator = 0;
    RPageObject* other = nullptr;
    while (page->NextObjectSkipFlagged(&iterator, &other, object->Type()))
        if (other != object && !(other->Type() == kTypeBitmap && other->Id() == kBackgroundId)) aside.push_back(other);
    for (RPageObject* o : aside) o->flags |= kObjectHidden;
    page->FlattenAll(object->Type());
    for (RPageObject* o : aside) o->flags &= u16(~kObjectHidden);
    host_.PictureMerged();
}

void RFrameMaker::FlattenAll(FourCC kind) {
    RPageData* page = host_.ShownPage();
    if (!page) return;
    playFlattenSound();
    host_.KeepPainting();
    // No frame may outlive the objects merged; a panel's records are made again from what is left.
    const bool built = built_, shown = shown_;
    ClearObjectFrames();
    built_ = built;
    shown_ = shown;
    page->FlattenAll(kind);
    host_.PictureMerged();
}

}  // namespace Ostrel
