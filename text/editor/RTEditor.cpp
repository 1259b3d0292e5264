#include "text/editor/RTEditor.h"

#include <algorithm>

#include "engine/gfx/GfxDraw.h"
#include "framework/undo/UndoManager.h"
#include "text/clipboard/TextClipboard.h"
#include "text/host/TextCommands.h"
#include "text/paste/PasteFilters.h"

namespace {

constexpr u16 kInvertMode = 3;

}  // namespace

RTEditor::RTEditor(TextHost& host, CharMeasurer& measurer, Ostrel::UndoManager& undo)
    : host_(host), measurer_(measurer), undo_(undo), undoKind_(kTextStepNone) {}

RTEditor::~RTEditor() { undo_.DiscardIfOwner(this); }

void RTEditor::Init(const Rect16& rect) {
    if (initialised_) return;
    bounds_ = limit_ = rect;
    modified_ = false;
    initialised_ = true;
}

void RTEditor::Relayout() {
    // A layout reads its text, so it goes with a text taken away.
    layout_ = text_ ? std::make_unique<TextLayout>(*text_, bounds_, measurer_) : nullptr;
}

void RTEditor::SetText(std::unique_ptr<StyledText> text) {
    text_ = std::move(text);
    Relayout();
    RefreshCaret();
}

void RTEditor::SetSelection(u16 from, u16 to) {
    if (!text_ || !layout_) return;
    text_->SetSelection(from, to);
    RefreshCaret();
}

bool RTEditor::SetRect(const Rect16& rect, bool redraw) {
    if (rect.left == bounds_.left && rect.top == bounds_.top && rect.right == bounds_.right && rect.bottom == bounds_.bottom)
        return true;
    modified_ = true;
    if (text_) {
        auto trial = std::make_unique<TextLayout>(*text_, rect, measurer_);
        if (!trial->Complete() || trial->Bounds().bottom > rect.bottom) return false;
        layout_ = std::move(trial);
    }
    bounds_ = rect;
    if (active_ && text_) caretRect_ = layout_->CaretRectAt(text_->SelectionStart(), false);
    if (redraw) host_.MarkStale();
    return true;
}

void RTEditor::Activate() {
    if (active_) return;
    EraseCaret();
    active_ = true;
}

void RTEditor::Deactivate() {
    undo_.DiscardIfOwner(this);
    EraseCaret();
    active_ = false;
}

void RTEditor::Draw(bool show, bool erase) {
    if (suppressed_ || !text_ || !layout_) return;
    if (!show) {
        host_.MarkStale();
        host_.Invalidate(bounds_);
        return;
    }
    if (erase) gfxEraseRect(bounds_);
    layout_->DrawLines();
    if (active_) layout_->DrawSelection();
}

void RTEditor::DrawAt(const Rect16& rect) {
    if (!text_) return;
    TextLayout(*text_, rect, measurer_).DrawLines();
}

void RTEditor::DrawCaret(bool timed, u32 nowMs) {
    if (timed) {
        if (!text_ || !text_->SelectionEmpty()) return;
        if (nowMs - lastBlink_ > kEditorBlinkMs) {
            blinkPhase_ = !blinkPhase_;
            lastBlink_ = nowMs;
        }
        // The caret shows in the on phase while enabled; a disabled caret can still go away.
        if ((blinkPhase_ && caretEnabled_) == caretDrawn_) return;
    } else if (!caretDrawn_) {
        return;
    }
    Rect16 r = caretRect_;
    if (rectIntersect(&r, bounds_)) {
        gfxFillRect(r, GfxColor::rgb(255, 255, 255), kInvertMode);
        host_.MarkStale();
        host_.Invalidate(r);
    }
    caretDrawn_ = !caretDrawn_;
}

void RTEditor::EraseCaret() {
    if (caretDrawn_) DrawCaret(false, 0);
}

void RTEditor::RefreshCaret() {
    if (!text_ || !layout_) return;
    EraseCaret();
    if (text_->SelectionEmpty()) caretRect_ = layout_->CaretRectAt(text_->SelectionStart(), false);
}

bool RTEditor::Refuse() {
    host_.PlaySound(kTextRefusalSound);
    return false;
}

bool RTEditor::Accept(const TextLayout& trial, const StyledText& copy) {
    const i16 bottom = trial.Bounds().bottom;
    if (trial.Complete() && bottom <= bounds_.bottom) return true;
    if (trial.Complete() && bottom <= limit_.bottom) {
        bounds_.bottom = bottom;
        grew_ = true;
        return true;
    }
    // A text that no longer fits (a smaller limit, a text made elsewhere) still takes the
    // changes that do not make it worse, so that it can be cut back until it fits.
    return layout_ && copy.Length() <= text_->Length() && bottom <= layout_->Bounds().bottom &&
           (trial.Complete() || !layout_->Complete());
}

void RTEditor::Commit(std::unique_ptr<StyledText> copy, std::unique_ptr<TextLayout> trial) {
    modified_ = true;
    text_ = std::move(copy);
    layout_ = std::move(trial);
    RefreshCaret();
}

bool RTEditor::ReplaceSelection(const char* text, u16 count, bool record) {
    if (!text_) return false;
    grew_ = false;
    auto copy = std::make_unique<StyledText>(*text_, 0, kStyledTextWhole);
    if (!copy->ReplaceSelection(text, count)) return Refuse();
    auto trial = std::make_unique<TextLayout>(*copy, bounds_, measurer_);
    if (!Accept(*trial, *copy)) return Refuse();
    if (record) RecordUndo(kTextStepTyping);
    Commit(std::move(copy), std::move(trial));
    return true;
}

bool RTEditor::ApplyStyle(const TextStyle& style, bool redraw, bool record) {
    if (!text_) return false;
    grew_ = false;
    auto copy = std::make_unique<StyledText>(*text_, 0, kStyledTextWhole);
    copy->ApplyStyle(style);
    auto trial = std::make_unique<TextLayout>(*copy, bounds_, measurer_);
    if (!Accept(*trial, *copy)) return Refuse();
    if (record && !text_->SelectionEmpty()) RecordUndo(kTextStepStyle);
    Commit(std::move(copy), std::move(trial));
    if (redraw) Draw(false, false);
    return true;
}

void RTEditor::SetJustification(i32 value, bool redraw, bool record) {
    if (!text_) return;
    if (record) RecordUndo(kTextStepJustify);
    text_->SetJustification(value);
    Relayout();
    if (redraw) Draw(false, false);
    RefreshCaret();
}

void RTEditor::RecordUndo(FourCC kind) {
    snapshot_.reset();
    if (kind != kTextStepNone && text_) snapshot_ = std::make_unique<StyledText>(*text_, 0, kStyledTextWhole);
    undoKind_ = kind;
    undo_.SetCurrent(this, kind, &RTEditor::ReleaseStep);
}

void RTEditor::ReleaseStep(CListener* owner, FourCC) {
    auto* editor = static_cast<RTEditor*>(owner);
    editor->snapshot_.reset();
    editor->undoKind_ = kTextStepNone;
}

void RTEditor::CopyToClipboard() {
    if (text_ && !text_->SelectionEmpty()) copyClipText(TextClipKind::PageEditor, text_->GetSelectedText());
}

void RTEditor::Cut() {
    if (!text_) return;
    CopyToClipboard();
    RecordUndo(kTextStepCut);
    ReplaceSelection(nullptr, 0, false);
    Draw(false, false);
}

bool RTEditor::Paste() {
    if (!text_) return false;
    const std::string pasted = filterPageEditorPaste(clipTextToPaste(TextClipKind::PageEditor));
    const size_t kept = text_->Length() - (text_->SelectionEnd() - text_->SelectionStart());
    if (kept + pasted.size() > kStyledTextMaxLength) {
        Refuse();
        host_.TellPasteTooLong();
        return true;
    }
    if (!pasted.empty() && ReplaceSelection(pasted.data(), u16(pasted.size()), true)) Draw(false, false);
    return true;
}

u32 RTEditor::HandleMessage(Ostrel::RMessage* message, uintptr_t) {
    switch (message->code) {
    case kTextCmdCut: Cut(); break;
    case kTextCmdCopy: CopyToClipboard(); break;
    case kTextCmdPaste: Paste(); break;
    case kTextStepTyping:
    case kTextStepStyle:
    case kTextStepJustify:
    case kTextStepPaste:
    case kTextStepCut:
    case kTextStepColour:
        if (snapshot_) {
            EraseCaret();
            std::swap(text_, snapshot_);
            Relayout();
            undoKind_ = kTextStepRedo;
            RefreshCaret();
            Draw(false, false);
        }
        break;
    default: break;
    }
    return 0;
}

TextStyle RTEditor::GetCurrentStyle() const {
    if (!text_) return TextStyle{};
    return text_->Runs().StyleOfRange(text_->SelectionStart(), text_->SelectionEnd());
}

bool RTEditor::SetModified(bool modified) {
    const bool previous = modified_;
    modified_ = modified;
    return previous;
}
