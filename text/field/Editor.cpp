#include "text/field/Editor.h"

#include <algorithm>

#include "engine/gfx/GfxDraw.h"
#include "framework/undo/UndoManager.h"
#include "text/host/TextCommands.h"
#include "text/style/StyledText.h"

namespace {

constexpr u16 kInvertMode = 3;

}  // namespace

Editor::Editor(TextHost& host, CharMeasurer& measurer, Ostrel::UndoManager& undo)
    : host_(host), measurer_(measurer), undo_(undo) {}

Editor::~Editor() { undo_.DiscardIfOwner(this); }

bool Editor::Begin(const Rect16& frame, const TextStyle& font, u16 maxLines, u16 maxLength, bool redraw) {
    if (begun_) return false;
    modified_ = false;
    frame_ = textRect_ = frame;
    maxLines_ = maxLines == 0 ? kFieldMaxLines : std::min(maxLines, kFieldMaxLines);
    maxLength_ = maxLength == 0 ? kFieldMaxLength : std::min(maxLength, kFieldMaxLength);
    begun_ = true;
    SetFont(font, redraw, false);
    undo_.DiscardIfOwner(this);
    return true;
}

void Editor::ReleaseStep(CListener* owner, FourCC) {
    static_cast<Editor*>(owner)->record_ = EditorUndoRecord{};
}

void Editor::BeginStep(FourCC code) {
    undo_.SetCurrent(this, code, &Editor::ReleaseStep);
    record_.code = code;
}

void Editor::RecordText() {
    record_.text = text_;
    record_.selStart = selStart_;
    record_.selEnd = selEnd_;
    record_.modified = modified_;
}

void Editor::Lay() {
    layout_.Lay(text_, textRect_, justification_);
    caret_ = layout_.CaretPointAt(selStart_);
}

void Editor::Redraw() {
    host_.MarkStale();
    host_.Invalidate(textRect_);
}

void Editor::ReplaceSelection(const std::string& chars, bool markModified) {
    if (markModified && chars != GetSelectedText()) modified_ = true;
    text_.replace(selStart_, selEnd_ - selStart_, chars);
    selStart_ = selEnd_ = u16(selStart_ + chars.size());
    dragDirection_ = 0;
    anchor_ = std::min(anchor_, Length());
}

void Editor::Restore(const Saved& saved) {
    text_ = saved.text;
    selStart_ = saved.selStart;
    selEnd_ = saved.selEnd;
    modified_ = saved.modified;
    textRect_ = saved.textRect;
    Lay();
}

bool Editor::Refuse() {
    host_.PlaySound(kTextRefusalSound);
    return false;
}

bool Editor::FitOrGrow() {
    if (!layout_.Complete() || layout_.LineCount() > maxLines_) return false;
    if (text_.empty()) return true;
    const Point16 end = layout_.CaretPointAt(Length());
    if (end.h < 0) return false;
    if (rectContainsPoint(textRect_, end)) return true;
    Rect16 grown = textRect_;
    if (end.h >= grown.right) grown.right = std::min<i16>(i16(end.h + 1), frame_.right);
    if (end.v >= grown.bottom) grown.bottom = i16(end.v + 2 * layout_.Descent());
    if (grown.bottom > frame_.bottom) return false;
    textRect_ = grown;
    grew_ = true;
    Lay();
    return layout_.Complete() && layout_.LineCount() <= maxLines_;
}

void Editor::SetText(const char* text, u16 length, bool redraw, bool markModified) {
    const u16 kept = text ? std::min(length, kFieldMaxLength) : 0;
    selStart_ = 0;
    selEnd_ = Length();
    ReplaceSelection(std::string(text ? text : "", kept), markModified);
    Lay();
    if (redraw) Redraw();
}

void Editor::SetSelection(u16 from, u16 to) {
    if (from > to || to > Length()) return;
    EraseCaret();
    selStart_ = from;
    selEnd_ = to;
    if (from == to)
        caret_ = layout_.CaretPointAt(from);
    else
        dragDirection_ = 1;
    Redraw();
}

bool Editor::DeleteSelection(const Saved& before) {
    const u16 lines = layout_.LineCount();
    const bool complete = layout_.Complete();
    ReplaceSelection({}, true);
    Lay();
    // A text that did not fit before still takes deletions that do not make it longer.
    if (!FitOrGrow() && (layout_.LineCount() > lines || (complete && !layout_.Complete()))) {
        Restore(before);
        return Refuse();
    }
    return true;
}

void Editor::Clear() {
    DeleteSelection(Save());
    Redraw();
}

bool Editor::SetFont(const TextStyle& font, bool redraw, bool recordUndo) {
    const TextStyle previous = font_;
    const Saved saved = Save();
    if (recordUndo) {
        BeginStep(kTextStepStyle);
        record_.font = previous;
        record_.modified = modified_;
        modified_ = true;
    }
    font_ = font;
    layout_.SetFont(measurer_, font_);
    grew_ = false;
    Lay();
    if (!FitOrGrow()) {
        font_ = previous;
        layout_.SetFont(measurer_, font_);
        Restore(saved);
        if (redraw) Redraw();
        return Refuse();
    }
    if (redraw) Redraw();
    return true;
}

void Editor::SetColour(const GfxColor& colour, bool recordUndo) {
    TextStyle font = font_;
    font.color = colour;
    if (recordUndo) {
        BeginStep(kTextStepColour);
        record_.font = font_;
        record_.modified = modified_;
        modified_ = true;
    }
    font_ = font;
    Redraw();
}

void Editor::ExchangeFont() {
    const TextStyle wanted = record_.font;
    const bool wasModified = record_.modified;
    const TextStyle current = font_;
    record_.modified = modified_;
    if (SetFont(wanted, true, false)) record_.font = current;
    modified_ = wasModified;
}

void Editor::SetJustification(i32 value, bool redraw, bool recordUndo) {
    if (recordUndo) {
        BeginStep(kTextStepJustify);
        record_.justification = justification_;
        record_.modified = modified_;
    }
    if (value != justification_) modified_ = true;
    justification_ = value;
    Lay();
    if (redraw) Redraw();
}

void Editor::SetTextRect(const Rect16& rect, bool redraw) {
    if (rect.left == textRect_.left && rect.top == textRect_.top && rect.right == textRect_.right &&
        rect.bottom == textRect_.bottom)
        return;
    modified_ = true;
    textRect_ = rect;
    Lay();
    if (redraw && active_) Redraw();
}

void Editor::ListenWhileActive(CBroadcaster* broadcaster) {
    if (commands_ && IsListeningTo(commands_)) commands_->RemoveListener(this);
    commands_ = broadcaster;
    if (active_ && commands_) commands_->AddListener(this);
}

void Editor::SetFocus() {
    if (active_) return;
    EraseCaret();
    active_ = true;
    blinkRestart_ = true;
    if (commands_) commands_->AddListener(this);
}

void Editor::Deactivate() {
    if (!active_) return;
    if (commands_ && IsListeningTo(commands_)) commands_->RemoveListener(this);
    undo_.DiscardIfOwner(this);
    if (caret_.h < 0 || caret_.v < 0) caret_ = Point16{0, 0};
    EraseCaret();
    active_ = false;
    Redraw();
}

void Editor::Draw(bool erase) {
    GfxFont* previousFont = measurer_.Select(font_);
    GfxColor previousColour;
    gfxSetForeColor(&previousColour, font_.color);
    if (erase) gfxEraseRect(textRect_);
    for (u16 line = 0; line < layout_.LineCount(); ++line) {
        const u16 start = layout_.LineStart(line);
        u16 end = layout_.NextLineStart(line);
        if (end > start && u8(text_[end - 1]) == kCharCR) --end;
        const Point16 at = layout_.CaretPointAt(start);
        gfxMoveTo(at.h, at.v);
        if (end > start) gfxDrawText(text_.data() + start, u16(end - start), 0);
    }
    if (active_ && selStart_ < selEnd_) {
        for (u16 line = 0; line < layout_.LineCount(); ++line) {
            const u16 from = std::max(selStart_, layout_.LineStart(line));
            const u16 to = std::min(selEnd_, layout_.NextLineStart(line));
            if (from >= to) continue;
            const Point16 left = layout_.CaretPointAt(from);
            i16 right = left.h;
            for (u16 i = from; i < to; ++i) right = i16(right + layout_.Width(u8(text_[i])));
            const i16 bottom = i16(left.v + layout_.Descent());
            gfxInvertRect(Rect16{left.h, i16(bottom - layout_.LineHeight()), right, bottom});
        }
    }
    if (active_) caret_ = layout_.CaretPointAt(selStart_);
    GfxColor replaced;
    gfxSetForeColor(&replaced, previousColour);
    gfxSetFont(previousFont);
}

Rect16 Editor::CaretRect() const {
    Rect16 r{i16(caret_.h - 1), i16(caret_.v - (layout_.Ascent() + layout_.Leading())), i16(caret_.h + 1),
             i16(caret_.v + layout_.Descent())};
    if (!rectIntersect(&r, textRect_)) return Rect16{0, 0, 0, 0};
    return r;
}

void Editor::DrawCaretShape() const {
    const Rect16 r = CaretRect();
    if (!rectIsEmpty(r)) gfxFillRect(r, GfxColor::rgb(255, 255, 255), kInvertMode);
}

void Editor::InvertCaret() {
    DrawCaretShape();
    const Rect16 r = CaretRect();
    if (!rectIsEmpty(r)) host_.Invalidate(r);
    caretDrawn_ = !caretDrawn_;
}

void Editor::EraseCaret() {
    if (caretDrawn_) InvertCaret();
}

bool Editor::BlinkDue(u32 nowMs) {
    if (!active_) return false;
    if (blinkRestart_) {
        // A field that just took the focus shows its caret for a whole phase first.
        blinkRestart_ = false;
        lastBlink_ = nowMs;
        blinkOn_ = true;
        return true;
    }
    if (nowMs - lastBlink_ <= kFieldBlinkMs) return false;
    blinkOn_ = !blinkOn_;
    lastBlink_ = nowMs;
    return true;
}

void Editor::BlinkCaret(u32 nowMs) {
    if (BlinkDue(nowMs) && selStart_ == selEnd_ && blinkOn_ != caretDrawn_) InvertCaret();
}

void Editor::ExchangeText(bool typing) {
    if (typing) newTypingStep_ = true;
    const EditorUndoRecord before = record_;
    RecordText();
    text_ = before.text;
    modified_ = before.modified;
    selStart_ = std::min<u16>(before.selStart, Length());
    selEnd_ = std::min<u16>(before.selEnd, Length());
    // A press may be under way; its anchor must stay inside the text put back.
    anchor_ = std::min(anchor_, Length());
    Lay();
    Redraw();
}

u32 Editor::HandleMessage(Ostrel::RMessage* message, uintptr_t) {
    switch (message->code) {
    case kTextStepTyping: ExchangeText(true); break;
    case kTextStepCut:
    case kTextStepPaste: ExchangeText(false); break;
    case kTextStepStyle:
    case kTextStepColour: ExchangeFont(); break;
    case kTextStepJustify: {
        const i32 value = record_.justification;
        const bool wasModified = record_.modified;
        record_.justification = justification_;
        record_.modified = modified_;
        SetJustification(value, true, false);
        modified_ = wasModified;
        break;
    }
    case kMsgColourChosen:
        if (message->param1) SetColour(*reinterpret_cast<const GfxColor*>(message->param1), message->param2 == 0);
        break;
    case kTextCmdCut: Cut(); break;
    case kTextCmdCopy: Copy(); break;
    case kTextCmdPaste: Paste(); break;
    default: break;
    }
    return 0;
}

bool TrimBlanks(std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    const size_t last = text.find_last_not_of(' ');
    text = text.substr(first, last - first + 1);
    return true;
}
