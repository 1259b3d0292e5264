#include "panels/text/PageTextEditor.h"

#include <algorithm>

#include "document/objects/RTextPageObject.h"
#include "document/objects/TextRecordStyles.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "panels/frames/FrameHost.h"
#include "panels/frames/MeasuringPort.h"

namespace Ostrel {
namespace {

constexpr u32 kMarksSpriteFlags = 0x800000;
// Room around the text for a caret at its edges.
constexpr i16 kMarksMargin = 2;

std::unique_ptr<StyledText> styledOf(const TextRecord& record) {
    auto styled = std::make_unique<StyledText>(styledTextOf(record));
    styled->SetSelection(styled->Length(), styled->Length());
    return styled;
}

}  // namespace

PageTextEditor::PageTextEditor(FrameHost& host, RTextPageObject& object, UndoManager& undo)
    : host_(host), object_(object), editor_(std::make_unique<RTEditor>(*this, fonts_, undo)) {
    MeasuringPort port;
    const Rect16& canvas = host_.CanvasRect();
    editor_->Init(Rect16{object.rect.left, object.rect.top, object.rect.right, object.rect.bottom});
    editor_->SetBounds(Rect16{0, 0, i16(canvas.right - canvas.left), i16(canvas.bottom - canvas.top)});
    editor_->SetText(styledOf(object.text));
    editor_->Activate();
    const Point16 at{0, 0};
    const u16 id = sprNewWithProcs(kMarksSpriteFlags, 0, &at, nullptr, nullptr, &PageTextEditor::DrawMarks);
    sprite_ = id == kSprNoId ? 0 : id;
    PlaceSprite();
}

PageTextEditor::~PageTextEditor() {
    if (SprSprite* sprite = sprFind(sprite_)) sprInvalRect(sprite->bounds);
    if (sprite_ != 0) sprDispose(&sprite_);
    editor_->Deactivate();
}

bool PageTextEditor::Empty() const { return !editor_->Text() || editor_->Text()->Length() == 0; }

bool PageTextEditor::OnPage() const {
    const RPageData* page = host_.ShownPage();
    u32 iterator = 0;
    RPageObject* object = nullptr;
    while (page && page->NextObject(&iterator, &object, kTypeText))
        if (object == &object_) return true;
    return false;
}

Point16 PageTextEditor::ToPage(Point16 screen) const {
    return {i16(screen.h - host_.CanvasRect().left), i16(screen.v - host_.CanvasRect().top)};
}

Rect16 PageTextEditor::ScreenRect(const Rect16& page) const {
    const Rect16& canvas = host_.CanvasRect();
    return {i16(page.left + canvas.left), i16(page.top + canvas.top), i16(page.right + canvas.left),
            i16(page.bottom + canvas.top)};
}

void PageTextEditor::FollowObject() {
    const PageRect& r = object_.rect;
    const Rect16& bounds = editor_->Bounds();
    if (r.left == bounds.left && r.top == bounds.top && r.right == bounds.right && r.bottom == bounds.bottom) return;
    MeasuringPort port;
    editor_->SetRect(Rect16{r.left, r.top, r.right, r.bottom}, false);
    PlaceSprite();
}

void PageTextEditor::Store() {
    object_.UpdateFromEditor(*editor_);
    stale_ = false;
    host_.ObjectsChanged();
    PlaceSprite();
}

bool PageTextEditor::ApplyStyle(const TextStyle& style) {
    MeasuringPort port;
    const StyledText* text = editor_->Text();
    if (!text) return false;
    if (text->Length() == 0) {
        // Nothing to style yet: the style is the text's own, which the first character typed takes.
        auto fresh = std::make_unique<StyledText>(*text, 0, kStyledTextWhole);
        fresh->Runs().defaultStyle.Merge(style);
        editor_->SetText(std::move(fresh));
        return true;
    }
    return editor_->ApplyStyle(style, false, true);
}

void PageTextEditor::PlaceSprite() {
    SprSprite* sprite = sprFind(sprite_);
    if (!sprite) return;
    sprInvalRect(sprite->bounds);
    Rect16 area = ScreenRect(editor_->Bounds());
    rectInset(&area, -kMarksMargin, -kMarksMargin);
    sprite->data1 = reinterpret_cast<uintptr_t>(this);
    sprite->bounds = area;
    sprBringToFront(sprite);
    sprShow(sprite, 0);
    sprInvalRect(area);
}

void PageTextEditor::ShowMarks(bool show) {
    marksShown_ = show;
    if (SprSprite* sprite = sprFind(sprite_)) sprInvalRect(sprite->bounds);
}

void PageTextEditor::Tick(u32 now) {
    if (now - lastBlink_ < kCaretBlinkMs) return;
    lastBlink_ = now;
    caretOn_ = !caretOn_;
    if (SprSprite* sprite = sprFind(sprite_)) sprInvalRect(sprite->bounds);
}

void PageTextEditor::DrawMarks(SprSprite* sprite) {
    const auto* self = reinterpret_cast<const PageTextEditor*>(sprite->data1);
    if (!self || !self->marksShown_) return;
    const StyledText* text = self->editor_->Text();
    const TextLayout* layout = self->editor_->Layout();
    if (!text || !layout) return;
    if (text->SelectionEmpty()) {
        if (self->caretOn_) gfxFillRect(self->ScreenRect(self->editor_->CaretRect()), GfxColor::rgb(0, 0, 0), 0);
        return;
    }
    for (u16 i = text->SelectionStart(); i < text->SelectionEnd(); ++i) gfxInvertRect(self->ScreenRect(layout->CharBox(i)));
}

void PageTextEditor::PlaySound(u16 soundId) {
    SprSoundRequest request;
    request.soundId = soundId;
    sprRequestSound(request);
}

void PageTextEditor::TellPasteTooLong() {
    mfxAlert(kAlertOk, LookupLanguageText("GeneralStrings", "PasteTooLong").c_str());
}

}  // namespace Ostrel
