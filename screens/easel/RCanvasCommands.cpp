// The page-level commands of the paint screen, and the import dialog's preview of a picture.
#include <optional>

#include "app/dialogs/RABCTextDlg.h"
#include "app/dialogs/RFlattenDlg.h"
#include "app/dialogs/RPickBgColorDlg.h"
#include "app/dialogs/RPickBgSndDlg.h"
#include "app/settings/GlobalUserSettings.h"
#include "document/filedialogs/ShowFileDialogs.h"
#include "document/import/FileImport.h"
#include "document/objects/RBitmapPageObject.h"
#include "document/objects/RTextPageObject.h"
#include "document/project/RDocument.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PageErrors.h"
#include "document/storage/StorageErrors.h"
#include "document/users/EnginePath.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/input/RHotSpotItem.h"
#include "framework/input/RHotSpotList.h"
#include "framework/undo/UndoManager.h"
#include "media/quicktime/ImgJpeg.h"
#include "media/quicktime/ImgPagePicture.h"
#include "media/quicktime/ImgPictureFiles.h"
#include "panels/base/ToolPanelMessages.h"
#include "panels/frames/FrameCommands.h"
#include "panels/frames/RFrameMaker.h"
#include "panels/frames/RMediaEditFrame.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/CanvasPicture.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/RCanvasOwner.h"
#include "text/speech/ASpeechHandler.h"
#include "tools/base/RToolMgr.h"

namespace Ostrel {

namespace {

// Where a picture brought onto the page goes: the canvas, inset by kCentredInset on each side
// when it is centred, so that a centred picture keeps a margin.
Rect16 placementTarget(const Rect16& canvas, u32 mode) {
    const i16 inset = mode == kImgPlaceCentre ? kCentredInset : 0;
    return {i16(canvas.left + inset), i16(canvas.top + inset), i16(canvas.right - inset), i16(canvas.bottom - inset)};
}

// The placement the dialog's option chose; centred when it offered none.
u32 placementOf(u16 option) { return option >= kImgPlaceNatural && option <= kImgPlaceTile ? option : kImgPlaceCentre; }

// What the import dialog's preview draws: the page as the canvas shows it, and the picked
// file placed on a page of its size as the chosen option places it, read once for as long as
// the file and the option stay.
class PreviewPictures {
public:
    PreviewPictures(memHandle page, const Rect16& pageRect) : page_(page), pageRect_(pageRect) {}
    ~PreviewPictures() {
        if (page_) memFreeHandle(page_);
        if (placed_) memFreeHandle(placed_);
    }
    PreviewPictures(const PreviewPictures&) = delete;
    PreviewPictures& operator=(const PreviewPictures&) = delete;

    void Draw(const std::string& file, u16 option, plat::WindowHandle window, const Rect16& area) {
        const u32 mode = placementOf(option);
        if (file != file_ || mode != mode_) {
            if (placed_) memFreeHandle(placed_);
            Rect16 placement{};
            const Rect16 target = placementTarget(pageRect_, mode);
            placed_ = imgImportFileToBitmap(file, nullptr, 0, &picture_, target, &placement, mode, nullptr);
            file_ = file;
            mode_ = mode;
        }
        // What is no picture shows nothing.
        const auto* bytes = placed_ ? static_cast<const u8*>(memLockHandle(placed_)) : nullptr;
        if (!bytes) return;
        imgImportPictureFile(bytes, u32(memGetHandleSize(placed_)), window, picture_, area, pageRect_, mode, page_);
        memUnlockHandle(placed_);
    }

private:
    memHandle page_;
    Rect16 pageRect_;
    std::string file_;
    u32 mode_ = 0;
    memHandle placed_ = 0;
    Rect16 picture_{};
};

}  // namespace

RPageObject* RCanvas::LastPlaced(RPageData& page) {
    RPageObject* last = nullptr;
    RPageObject* object = nullptr;
    u32 iterator = 0;
    while (page.NextObject(&iterator, &object, kTypeAnyObject))
        if (!(object->Type() == kTypeBitmap && object->Id() == kBackgroundId) && object->Type() != kTypeNote &&
            object->Type() != kTypeExclusions)
            last = object;
    return last;
}

u32 RCanvas::HandleMessage(RMessage* message, uintptr_t data) {
    if (HandleClipMessage(message)) return 0;
    RPage* page = owner_ ? owner_->CurrentPage() : nullptr;
    switch (message->code) {
        case kToolMsgGraphics:
            // A stroke (or its undo) changed the picture.
            if (page) page->Data().SetDirtyState(true);
            sprInvalRect(*reinterpret_cast<const Rect16*>(message->param1));
            return 0;
        case kMsgPanelBindRenderer:
            BindRenderer();
            return 0;
        case kMsgPlaceObject:
            PlaceObject(reinterpret_cast<RPageObject*>(message->param1), data);
            return 0;
        case kMsgNewPage:
            NewPage(message->param1);
            return 0;
        case kMsgCanvasHotSpot:
            SetHotSpotInService(message->param2 != 0);
            return 0;
        case kMsgShowPage:
            if (message->param1) ShowPage(reinterpret_cast<RPage*>(message->param1));
            return 0;
        case kMsgEnableClicks:
            SetClickCursor(message->param2, true);
            return 0;
        case kMsgDisableClicks:
            SetClickCursor(kCanvasDisabledCursor, false);
            return 0;
        case kMsgImportFile:
            ImportFile(message->param2);
            return 0;
        case kMsgMoveHotSpot:
            if (message->param1 && hotSpots_) MoveHotSpotToOwner(reinterpret_cast<RHotSpotItem*>(message->param1), hotSpots_);
            return 0;
        case kMsgColorChosen:
            if (message->param1) color_ = *reinterpret_cast<const GfxColor*>(message->param1);
            return 0;
        default:
            return HandleMediaMessage(message, page);
    }
}

u32 RCanvas::HandleMediaMessage(RMessage* message, RPage* page) {
    switch (message->code) {
        case kMsgStopMedia:
            StopSpeaking();
            StopSounds();
            if (media_) media_->StopAll();
            // What a frame's play button started stops too.
            if (auto* frame = frames_ ? dynamic_cast<RMediaEditFrame*>(frames_->EditFrame()) : nullptr) frame->ClickOff();
            return 0;
        case kMsgPlayLastPlaced:
            StopSpeaking();
            StopSounds();
            if (RPageObject* last = page ? LastPlaced(page->Data()) : nullptr; last && media_) media_->PlayOne(*last);
            return 0;
        case kMsgStopSpeaking:
            StopSpeaking();
            return 0;
        case kMsgPlaySounds:
            PlaySounds();
            return 0;
        case kMsgStopSounds:
            StopSounds();
            return 0;
        case kMsgPlayPage:
            PlaySounds();
            if (media_) media_->PlayAll();
            ReadTextsAloud();
            return 0;
        case kMsgReadAloud:
            ReadTextsAloud();
            return 0;
        case kMsgSpeakLastText:
            if (page) SpeakLastPlacedText(*page);
            return 0;
        default:
            return HandleDialogMessage(message);
    }
}

u32 RCanvas::HandleDialogMessage(RMessage* message) {
    switch (message->code) {
        case kMsgAbcText:
            OpenAbcTextDialog();
            return 0;
        case kMsgAbcTextReply:
            AbcTextAnswered(reinterpret_cast<RDlgBase*>(message->param1));
            return 0;
        case kMsgBackgroundColor:
            OpenBackgroundColorDialog();
            return 0;
        case kMsgBackgroundColorReply:
            backgroundColor_.reset();
            return 0;
        case kMsgBackgroundSound:
            OpenBackgroundSoundDialog();
            return 0;
        case kMsgBackgroundSoundReply:
            backgroundSound_.reset();
            return 0;
        case kMsgFlatten:
            OpenFlattenDialog(u16(message->param2));
            return 0;
        case kMsgFlattenReply:
            FlattenAnswered(reinterpret_cast<RDlgBase*>(message->param1));
            return 0;
        default:
            return 0;
    }
}

void RCanvas::SetHotSpotInService(bool inService) {
    if (!canvasHotSpot_ || !hotSpots_) return;
    if (inService) {
        canvasHotSpot_->Enable();
        hotSpots_->MoveToFront();
    } else {
        canvasHotSpot_->Disable();
        hotSpots_->MoveToBack();
    }
}

void RCanvas::SpeakLastPlacedText(RPage& page) {
    if (RPageObject* last = LastPlaced(page.Data()); last && last->Type() == kTypeText)
        SpeakText(static_cast<RTextPageObject*>(last)->text.text);
}

void RCanvas::OpenBackgroundColorDialog() {
    if (!owner_ || !owner_->CurrentDocument()) return;
    backgroundColor_ = std::make_unique<RPickBgColorDlg>(this, kMsgBackgroundColorReply);
    if (backgroundColor_->Open(owner_->CurrentDocument()) != 0) backgroundColor_.reset();
}

void RCanvas::OpenBackgroundSoundDialog() {
    if (!owner_ || !owner_->CurrentDocument()) return;
    backgroundSound_ = std::make_unique<RPickBgSndDlg>(this, kMsgBackgroundSoundReply);
    if (backgroundSound_->Open() != 0) backgroundSound_.reset();
}

void RCanvas::PlaceObject(RPageObject* object, u32) {
    RPage* page = owner_ ? owner_->CurrentPage() : nullptr;
    if (!page || !object) return;
    RPageData& data = page->Data();
    if (object->Type() == kTypeBitmap && object->Id() == kBackgroundId) {
        ReplaceBackground(page, static_cast<RBitmapPageObject*>(object)->picture);
        return;
    }
    if (object->Type() == kTypeBitmap) {
        data.SetDirtyState(true);
        data.EnsureBackground();
    }
    const FourCC type = object->Type();
    std::unique_ptr<RPageObject> copy = object->Clone();
    copy->SetId(data.NextObjectId(type));
    copy->SetOwner(nullptr);
    RPageObject* added = PageRefuses(data, type) ? nullptr : data.AdoptObject(std::move(copy));
    if (!added) {
        if (owner_) owner_->FileAlert(kPictureFullKey, kAlertOk | kAlertIconStop);
        return;
    }
    data.SetDirtyState(true);
    if (type != kTypeFlash && type != kTypeSound && type != kTypeText) RedrawShownPage(page);
    if (owner_ && (type == kTypeFlash || type == kTypeText)) owner_->GiveObjectFrame(added);
    // A picture put on the page is framed to be moved into place, whatever the panel.
    FrameNewObject(added, type == kTypeBitmap);
    // Anything else stays as placed, and one undo takes it off; a picture is put down or
    // dropped when its placing ends.
    if (type != kTypeBitmap) data.RecordAdded(*added);
}

bool RCanvas::PageRefuses(const RPageData& page, FourCC type) const {
    if (type != kTypeFlash || !owner_) return false;
    u32 iterator = 0;
    RPageObject* object = nullptr;
    u32 count = 0;
    while (page.NextObject(&iterator, &object, kTypeFlash)) ++count;
    return count >= owner_->FlashObjectLimit();
}

void RCanvas::ImportFile(uintptr_t kind) {
    RPage* page = owner_ ? owner_->CurrentPage() : nullptr;
    if (!page || kind < kImportPictureKind || kind > kImportBackgroundKind) return;
    // A picture or movie still being placed is put down before the next comes.
    if (busy_) CommitPlacedObject(false);
    if (kind != kImportRedrawKind) {
        SuspendClicks();
        const bool chosen = ImportChosenFile(page, kind);
        // A picture or a movie being placed keeps them out of service until it is put down.
        if (!busy_) ResumeClicks();
        if (!chosen) return;
    }
    page->Data().SetDirtyState(true);
    page->Data().EnsureBackground();
    // A new background showed itself as a change of the painting, which is the step one undo
    // takes back: drawing the page again would end that step.
    if (kind != kImportBackgroundKind) RedrawShownPage(page);
}

bool RCanvas::ImportChosenFile(RPage* page, uintptr_t kind) {
    RPageData& data = page->Data();
    ImportChoice choice;
    const u16 dialog = kind == kImportPictureKind      ? kImportPictureObject
                       : kind == kImportBackgroundKind ? kImportBackground
                       : kind == kImportMovieKind      ? kImportMovie
                                                       : kImportSoundOrFlash;
    ImportPreview preview;
    std::optional<PreviewPictures> pictures;
    if (kind == kImportPictureKind) {
        // The picked picture shows over the page as it will be placed.
        pictures.emplace(PagePictureBlock(), local_);
        preview.templateId = kImportPreviewDialog;
        preview.draw = [&pictures](const std::string& file, u16 option, plat::WindowHandle window, const Rect16& area) {
            pictures->Draw(file, option, window, area);
        };
    }
    if (!owner_->AskImportFile(dialog, &choice, kind == kImportPictureKind ? &preview : nullptr)) return false;
    if (kind == kImportMovieKind && PageHolds(data, kTypeMovie) &&
        owner_->FileAlert(kReplaceMovieKey, kAlertOkCancel) != kAlertAnswerOk)
        return false;
    data.EnsureBackground();
    const FourCC type = FileTypeToResourceType(choice.fileType, false);
    const bool wantsPicture = kind == kImportPictureKind || kind == kImportBackgroundKind;
    EngineErr err = kDocErrBadType;
    if (wantsPicture != (type == kTypeBitmap)) {
        // The dialog offers only its kind's files; a name typed in may still be another kind.
    } else if (kind == kImportBackgroundKind) {
        err = ImportBackground(page, choice.path);
        if (err == kErrNone && choice.addToLibrary) AddBackgroundToOwnLibrary(choice.path);
    } else {
        RPageObject* added = nullptr;
        const EnginePath file(choice.path);
        err = kDocErrPageFull;
        // An animation or a movie takes its place from its own size once it shows; a picture
        // goes where the placement chosen in the dialog puts it.
        const u32 mode = placementOf(choice.option);
        const PageRect area = CanvasArea();
        const Rect16 target = placementTarget(Rect16{area.left, area.top, area.right, area.bottom}, mode);
        const PageRect place = isPageMediaType(type) ? PageRect{} : PageRect{target.left, target.top, target.right, target.bottom};
        if (!PageRefuses(data, type))
            err = ImportFileIntoPage(data, file.get(), choice.fileType, place, nullptr, &added, mode);
        if (err == kErrNone && !added) err = kDocErrPageFull;
        // An animation or a movie that cannot be shown is not kept: the page stays as it was.
        if (err == kErrNone && isPageMediaType(type) && media_) {
            media_->Sync(data);
            if (!PageMedia::Shows(*added)) {
                data.DeleteObject(type, added->Id());
                if (undo_) undo_->ReleaseCurrent();
                added = nullptr;
                err = kDocErrNotReadable;
            }
        }
        if (err == kErrNone && choice.addToLibrary) AddToOwnLibrary(*added, choice.path);
        // The picture or movie is chosen for placing, ready to be moved. A Flash movie shows where it lands,
        // unchosen: one as big as the page (a page's own movie brought back) would show only the
        // right and bottom edges and corner handles of its frame, the rest lying off the canvas.
        if (err == kErrNone && added->Type() != kTypeFlash) SelectNewObject(added);
    }
    // Only a page that refuses the object is full; a file larger than a page holds is too big;
    // a file that cannot be read is a file error; a
    // movie or a Flash file given where a picture was asked for is told apart, with where it goes.
    const char* key = err == kDocErrPageFull ? kPictureFullKey : err == kDocErrBadSize ? kTooBigKey : kImportFailedKey;
    if (wantsPicture && isPageMediaType(type)) key = kNotAPictureKey;
    if (err != kErrNone) owner_->FileAlert(key, kAlertOk | kAlertIconStop);
    return true;
}

memHandle RCanvas::PagePictureBlock() const {
    if (!screenPort_ || gfxLockPort(screenPort_) != kErrNone) return 0;
    u32 size = 0;
    const memHandle block = imgBitmapToJPEG(screenPort_, &rect_, local_, &size, kImgDefaultQuality, 16);
    gfxUnlockPort(screenPort_);
    return block;
}

EngineErr RCanvas::ImportBackground(RPage* page, const std::string& path) {
    if (IsPictureFileTooBig(EnginePath(path).get())) return kDocErrBadSize;
    PictureRecord picture;
    PageRect placed;
    if (imgImportFileToPicture(path, CanvasArea(), kImgPlaceNatural, &picture, &placed) != kErrNone) return kDocErrNotReadable;
    if (EngineErr err = page->Data().EnsureBackground()) return err;
    ReplaceBackground(page, picture);
    return kErrNone;
}

void RCanvas::ReplaceBackground(RPage* page, const PictureRecord& picture) {
    if (!toolMgr_ || !picture_.top) return;
    toolMgr_->BeginChange();
    if (!drawPicture(picture_, picture)) {
        toolMgr_->EndChange();
        return;
    }
    toolMgr_->ShowChange(Rect16{0, 0, local_.right, local_.bottom});
    toolMgr_->EndChange();
    page->Data().SetDirtyState(true);
}

bool RCanvas::PageHolds(const RPageData& page, FourCC type) {
    u32 iterator = 0;
    RPageObject* object = nullptr;
    return page.NextObjectSkipFlagged(&iterator, &object, type) != 0;
}

void RCanvas::OpenAbcTextDialog() {
    SuspendClicks();
    GlobalUserSettings* settings = owner_ ? owner_->UserSettings() : nullptr;
    abcText_ = std::make_unique<RABCTextDlg>(this, kMsgAbcTextReply);
    if (abcText_->Open(settings ? std::string(settings->alphabetText.data()) : std::string()) != 0) {
        abcText_.reset();
        ResumeClicks();
    }
}

void RCanvas::AbcTextAnswered(RDlgBase* dialog) {
    if (!dialog || dialog != abcText_.get()) return;
    GlobalUserSettings* settings = owner_ ? owner_->UserSettings() : nullptr;
    if (dialog->GetResult() == kDlgResultConfirm && settings) {
        const std::string text = abcText_->Text().empty() ? ABCTextDefault() : abcText_->Text();
        settings->alphabetText.fill('\0');
        text.copy(settings->alphabetText.data(), settings->alphabetText.size() - 1);
    }
    abcText_.reset();
    ResumeClicks();
}

void RCanvas::OpenFlattenDialog(u16 command) {
    SuspendClicks();
    flatten_ = std::make_unique<RFlattenDlg>(this, kMsgFlattenReply, command);
    if (flatten_->Open() != 0) {
        flatten_.reset();
        ResumeClicks();
    }
}

void RCanvas::FlattenAnswered(RDlgBase* dialog) {
    if (!dialog || dialog != flatten_.get()) return;
    const u16 button = dialog->GetResult();
    const uintptr_t kind = flatten_->ObjectKind();
    flatten_.reset();
    if (button != kDlgResultLeave) {
        sprUpdateScreen(1);
        if (owner_) owner_->SendToPanel(button, kind);
        if (frames_) {
            RMessage merge(button, kind, 0);
            frames_->HandleMessage(&merge, 0);
        }
    }
    if (owner_ && owner_->IsCurrentScreen()) owner_->PageStateChanged();
    ResumeClicks();
}

void RCanvas::NewPage(uintptr_t id) {
    SuspendClicks();
    const u16 detached = owner_ ? owner_->DetachPanel() : 0;
    Clips().DeleteAllButBitmaps();
    if (undo_) undo_->ReleaseCurrent();
    auto page = std::make_unique<RPage>(PageSettings{}, std::string(), u16(id));
    page->Data().EnsureBackground();
    // A blank page holds nothing to save yet.
    page->Data().SetDirtyState(false);
    page->Data().SetUndoManager(undo_);
    RPage* shown = page.get();
    // The page it replaces goes.
    if (owner_) owner_->SetCurrentPage(std::move(page));
    RedrawPage(shown, 1);
    if (owner_ && detached) owner_->AttachPanel();
    ResumeClicks();
}

// --- sounds and speech

void RCanvas::PlaySounds() {
    RPage* page = owner_ ? owner_->CurrentPage() : nullptr;
    const GlobalUserSettings* settings = owner_ ? owner_->UserSettings() : nullptr;
    if (!page || !settings || !settings->attachedSounds) return;
    pageSounds_.Play(page->Data());
}

void RCanvas::StopSounds() { pageSounds_.Stop(); }

void RCanvas::StopSpeaking() {
    if (speaking_)
        if (ASpeechHandler* speech = ASpeechHandler::GetInstance()) speech->Stop();
    speaking_ = 0;
    spokenText_.clear();
    speakList_.clear();
}

void RCanvas::SpeakText(const std::string& text) {
    StopSpeaking();
    ASpeechHandler* speech = ASpeechHandler::GetInstance();
    if (!speech) return;
    spokenText_ = text;
    speech->Speak(spokenText_.c_str(), i32(spokenText_.size()));
    speaking_ = 1;
}

void RCanvas::OrderForReading(std::vector<RTextPageObject*>& texts) {
    // Two passes, by left edge and then by top edge: an entry whose successor lies further
    // left (up) goes to the back of the list, else the walk moves on.
    auto pass = [&texts](auto coordinate) {
        size_t at = 0;
        size_t moves = 0;
        // Each entry goes to the back at most as often as there are entries, which ends the
        // walk on lists the moves alone would cycle through.
        const size_t limit = texts.size() * texts.size();
        while (at + 1 < texts.size() && moves <= limit) {
            if (coordinate(texts[at + 1]) < coordinate(texts[at])) {
                RTextPageObject* moved = texts[at];
                texts.erase(texts.begin() + ptrdiff_t(at));
                texts.push_back(moved);
                ++moves;
            } else {
                ++at;
            }
        }
    };
    pass([](const RTextPageObject* t) { return t->rect.left; });
    pass([](const RTextPageObject* t) { return t->rect.top; });
}

std::string RCanvas::JoinForReading(const std::vector<RTextPageObject*>& texts) {
    std::string joined;
    for (const RTextPageObject* text : texts) joined += text->text.text + " ";
    return joined;
}

void RCanvas::ReadTextsAloud() {
    StopSpeaking();
    RPage* page = owner_ ? owner_->CurrentPage() : nullptr;
    const GlobalUserSettings* settings = owner_ ? owner_->UserSettings() : nullptr;
    if (!page || !settings || !settings->textToSpeech) return;
    u32 iterator = 0;
    RPageObject* object = nullptr;
    std::vector<RTextPageObject*> texts;
    while (page->Data().NextObjectSkipFlagged(&iterator, &object, kTypeText))
        texts.push_back(static_cast<RTextPageObject*>(object));
    if (texts.empty()) return;
    if (texts.size() >= 2) OrderForReading(texts);
    SpeakText(JoinForReading(texts));
    speakList_.assign(texts.begin() + 1, texts.end());
}

}  // namespace Ostrel
