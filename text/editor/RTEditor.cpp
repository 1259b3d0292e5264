#include "text/editor/RTEditor.h"

#include <algorithm>

#include "engine/gfx/GfxDraw.h"
#include "framework/undo/UndoManager.h"
#include "text/clipboard/TextClipboard.h"
#include "text/host/TextCommands.h"
#include "text/host/TextKeys.h"
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
    if (text_) layout_ = std::make_unique<TextLayout>(*text_, bounds_, measurer_);
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

void RTEditor::TypeChar(u8 c) {
    const char ch = char(c);
    ReplaceSelection(&ch, 1, !(undoKind_ == kTextStepTyping && text_->SelectionEmpty()));
}

void RTEditor::DeleteKey(u8 key) {
    const bool wasEmpty = text_->SelectionEmpty();
    if (wasEmpty) text_->ExtendSelection(key == kKeyBackspace ? -1 : 1);
    ReplaceSelection(nullptr, 0, !(undoKind_ == kTextStepTyping && wasEmpty));
    RefreshCaret();
    Draw(false, false);
}

bool RTEditor::HandleKey(u32 key) {
    if (!text_ || !layout_ || !active_) return false;
    const u8 vk = keyVirtual(key);
    const u8 c = keyChar(key);
    if (charIsPrintable(c) || vk == kKeyReturn) {
        EraseCaret();
        TypeChar(vk == kKeyReturn ? kCharCR : c);
        Draw(false, false);
        return true;
    }
    if (text_->Length() == 0) return false;
    switch (vk) {
    case kKeyBackspace:
    case kKeyDelete: DeleteKey(vk); return true;
    case kKeyLeft:
    case kKeyRight:
        if (text_->SelectionEmpty()) {
            text_->MoveCaret(vk == kKeyLeft ? -1 : 1);
        } else {
            const u16 to = vk == kKeyLeft ? text_->SelectionStart() : text_->SelectionEnd();
            text_->SetSelection(to, to);
            Draw(false, false);
        }
        RefreshCaret();
        return true;
    case kKeyUp:
    case kKeyDown:
        if (text_->SelectionEmpty()) {
            const Point16 point{caretRect_.left, vk == kKeyUp ? i16(caretRect_.top - 1) : i16(caretRect_.bottom + 1)};
            const u16 index = layout_->IndexAtPoint(point);
            if (index != kLayoutNone) text_->SetSelection(index, index);
        }
        RefreshCaret();
        return true;
    case kKeyHome:
    case kKeyEnd: {
        const bool hadRange = !text_->SelectionEmpty();
        const u16 to = vk == kKeyHome ? layout_->LineStartOf(text_->SelectionStart()) : layout_->LineEndOf(text_->SelectionEnd());
        if (to != kLayoutNone) {
            text_->SetSelection(to, to);
            if (hadRange) Draw(false, false);
        }
        RefreshCaret();
        return true;
    }
    default: return false;
    }
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
    if (pasted.size() > kStyledTextMaxLength) {
        Refuse();
        return true;
    }
    if (!pasted.empty() && ReplaceSelection(pasted.data(), u16(pasted.size()), true)) Draw(false, false);
    return true;
}

u32 RTEditor::HandleMessage(Ostrel::RMessage* message, u32) {
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

void RTEditor::ExtendSelectionTo(u16 index) {
    const u16 start = text_->SelectionStart(), end = text_->SelectionEnd();
    if (dragDirection_ == 0) {
        if (index < start) {
            dragDirection_ = -1;
            anchor_ = end;
        } else if (index > start) {
            dragDirection_ = 1;
            anchor_ = start;
        } else {
            anchor_ = index;
        }
    } else if (dragDirection_ < 0) {
        if (index == end) dragDirection_ = 0;
        else if (index > end) dragDirection_ = 1;
        anchor_ = index == end ? index : end;
    } else {
        if (index < start) dragDirection_ = -1;
        else if (index == start) dragDirection_ = 0;
        anchor_ = index == start ? index : start;
    }
    text_->SetSelection(std::min(index, anchor_), std::max(index, anchor_));
}

void RTEditor::OnMouseDown(Point16 point, bool extend) {
    if (!active_ || !text_ || !layout_) return;
    EraseCaret();
    mouseDown_ = true;
    u16 index = layout_->IndexAtPoint(point);
    if (index == kLayoutNone) return;
    if (!extend) {
        dragDirection_ = 0;
        u8 before = 0;
        if (index != 0 && layout_->LineOfIndex(index) != layout_->LineAtPoint(point)) {
            // A click past the end of a line: the caret stays on the clicked line.
            caretRect_ = layout_->CaretRectAt(u16(index - 1), true);
            if (text_->CharAt(u16(index - 1), &before) && before == kCharCR) --index;
        } else {
            caretRect_ = layout_->CaretRectAt(index, false);
        }
        text_->SetSelection(index, index);
        anchor_ = index;
    } else {
        ExtendSelectionTo(index);
    }
    Draw(false, false);
}

void RTEditor::OnMouseDrag(Point16 point) {
    if (!mouseDown_ || !text_ || !layout_) return;
    point.h = std::clamp<i16>(point.h, bounds_.left, i16(bounds_.right - 1));
    point.v = std::clamp<i16>(point.v, bounds_.top, i16(bounds_.bottom - 1));
    const u16 index = layout_->IndexAtPoint(point);
    if (index == kLayoutNone) return;
    dragDirection_ = index < anchor_ ? -1 : index > anchor_ ? 1 : 0;
    text_->SetSelection(std::min(index, anchor_), std::max(index, anchor_));
    host_.Invalidate(bounds_);
}

void RTEditor::SelectWordAtCaret() {
    if (text_) text_->SelectWord();
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
