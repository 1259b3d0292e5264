#include "text/field/Editor.h"

#include <algorithm>

#include "engine/gfx/GfxDraw.h"
#include "framework/undo/UndoManager.h"
#include "text/clipboard/TextClipboard.h"
#include "text/host/TextCommands.h"
#include "text/host/TextKeys.h"
#include "text/paste/PasteFilters.h"
#include "text/style/StyledText.h"

namespace {

constexpr i16 kCrRuleMargin = 20;
constexpr u16 kInvertMode = 3;

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

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

void Editor::Clear() {
    ReplaceSelection({}, true);
    Lay();
    Redraw();
}

bool Editor::SetFont(const TextStyle& font, bool redraw, bool recordUndo) {
    const TextStyle previous = font_;
    if (recordUndo) {
        BeginStep(kTextStepStyle);
        record_.font = previous;
        record_.modified = modified_;
        modified_ = true;
    }
    const Saved saved = Save();
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

void Editor::SetFocus() {
    if (active_) return;
    EraseCaret();
    active_ = true;
}

void Editor::Deactivate() {
    if (!active_) return;
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

void Editor::InvertCaret() {
    Rect16 r{i16(caret_.h - 1), i16(caret_.v - (layout_.Ascent() + layout_.Leading())), i16(caret_.h + 1),
             i16(caret_.v + layout_.Descent())};
    if (rectIntersect(&r, textRect_)) {
        gfxFillRect(r, GfxColor::rgb(255, 255, 255), kInvertMode);
        host_.Invalidate(r);
    }
    caretDrawn_ = !caretDrawn_;
}

void Editor::EraseCaret() {
    if (caretDrawn_) InvertCaret();
}

void Editor::BlinkCaret(u32 nowMs) {
    if (!active_) return;
    if (nowMs - lastBlink_ > kFieldBlinkMs) {
        blinkOn_ = !blinkOn_;
        lastBlink_ = nowMs;
        if (selStart_ == selEnd_ && blinkOn_ != caretDrawn_) InvertCaret();
    }
}

bool Editor::TypeChar(u8 c) {
    if (mouseDown_) return false;
    if (selStart_ == selEnd_ && Length() >= maxLength_) return Refuse();
    const Saved saved = Save();
    grew_ = false;
    ReplaceSelection(std::string(1, char(c)), true);
    Lay();
    if (!FitOrGrow()) {
        // The selection the character was to replace comes back with it.
        Restore(saved);
        grew_ = false;
        return Refuse();
    }
    Redraw();
    return true;
}

void Editor::DeleteKey(u8 key) {
    if (mouseDown_) return;
    if (selStart_ == selEnd_) {
        if (key == kKeyBackspace && selStart_ > 0) --selStart_;
        if (key == kKeyDelete && selEnd_ < Length()) ++selEnd_;
    }
    ReplaceSelection({}, true);
    Lay();
    Redraw();
}

void Editor::ArrowKey(u8 key) {
    const bool collapsed = selStart_ != selEnd_;
    if (collapsed) {
        if (key == kKeyLeft) selEnd_ = selStart_;
        else selStart_ = selEnd_;
    } else if (key == kKeyLeft && selStart_ > 0) {
        selStart_ = selEnd_ = u16(selStart_ - 1);
    } else if (key == kKeyRight && selEnd_ < Length()) {
        selStart_ = selEnd_ = u16(selEnd_ + 1);
    }
    caret_ = layout_.CaretPointAt(selStart_);
    if (collapsed) Redraw();
}

void Editor::UpDown(bool down) {
    if (selStart_ != selEnd_) {
        if (down) selStart_ = selEnd_;
        else selEnd_ = selStart_;
        caret_ = layout_.CaretPointAt(selStart_);
        Redraw();
        return;
    }
    if (layout_.LineCount() < 2) return;
    const u16 line = layout_.LineOfIndex(selStart_);
    if (line == kNoIndex || (down && line + 1 >= layout_.LineCount()) || (!down && line == 0)) return;
    const u16 target = down ? u16(line + 1) : u16(line - 1);
    const u16 targetStart = layout_.LineStart(target);
    const Point16 point{caret_.h, i16(caret_.v + (down ? 1 : -1) * layout_.LineHeight() - 1)};
    const bool crRule = down ? (targetStart < Length() && u8(text_[targetStart]) == kCharCR)
                             : layout_.LineStart(line) == targetStart + 1;
    Point16 caret;
    u16 index = layout_.IndexAtPoint(point, crRule, &caret);
    if (index != kNoIndex && layout_.LineOfIndex(index) != target) index = layout_.IndexAtPoint(point, true, &caret);
    if (index == kNoIndex) return;
    selStart_ = selEnd_ = index;
    caret_ = caret;
}

bool Editor::HandleKey(u32 key) {
    if (!active_) return false;
    if (newTypingStep_ || undo_.GetCurrentCode() != kTextStepTyping || record_.code != kTextStepTyping) {
        newTypingStep_ = false;
        BeginStep(kTextStepTyping);
        RecordText();
    }
    const u8 vk = keyVirtual(key);
    const u8 c = keyChar(key);
    bool used = true;
    if (vk == kKeyReturn || charIsPrintable(c)) {
        EraseCaret();
        TypeChar(vk == kKeyReturn ? kCharCR : c);
    } else if (text_.empty()) {
        used = false;
    } else if (vk == kKeyBackspace || vk == kKeyDelete) {
        DeleteKey(vk);
    } else if (vk == kKeyLeft || vk == kKeyRight) {
        ArrowKey(vk);
    } else if (vk == kKeyUp || vk == kKeyDown) {
        UpDown(vk == kKeyDown);
    } else if (vk == kKeyHome || vk == kKeyEnd) {
        const bool collapsed = selStart_ != selEnd_;
        const u16 line = layout_.LineOfIndex(vk == kKeyHome ? selStart_ : selEnd_);
        if (line != kNoIndex) {
            u16 to = layout_.LineStart(line);
            if (vk == kKeyEnd) {
                to = layout_.NextLineStart(line);
                if (line + 1 < layout_.LineCount()) --to;
            }
            selStart_ = selEnd_ = to;
            caret_ = layout_.CaretPointAt(to);
            if (collapsed) Redraw();
        }
    } else {
        used = false;
    }
    if (selStart_ == selEnd_) dragDirection_ = 0;
    if (text_.empty()) {
        dragDirection_ = 0;
        mouseDown_ = false;
        selStart_ = selEnd_ = 0;
    }
    return used;
}

void Editor::SelectAround(u16 index) {
    u16 start = selStart_, end = selEnd_;
    switch (dragDirection_) {
    case 0:
        if (index < start) {
            dragDirection_ = -1;
            anchor_ = end;
        } else if (index > start) {
            dragDirection_ = 1;
            anchor_ = start;
        } else {
            anchor_ = index;
        }
        break;
    case -1:
        if (index == end) {
            dragDirection_ = 0;
            anchor_ = index;
        } else {
            if (index > end) dragDirection_ = 1;
            anchor_ = end;
        }
        break;
    default:
        if (index < start) {
            dragDirection_ = -1;
            anchor_ = start;
        } else if (index == start) {
            dragDirection_ = 0;
            anchor_ = index;
        } else {
            anchor_ = start;
        }
        break;
    }
    selStart_ = std::min<u16>(std::min(index, anchor_), Length());
    selEnd_ = std::min<u16>(std::max(index, anchor_), Length());
}

void Editor::OnMouseDown(Point16 point, bool extend) {
    if (!active_) return;
    if (selStart_ == selEnd_) EraseCaret();
    const u16 oldStart = selStart_, oldEnd = selEnd_;
    Point16 caret;
    const u16 index = layout_.IndexAtPoint(point, point.h > textRect_.left + kCrRuleMargin, &caret);
    if (index == kNoIndex) {
        anchor_ = std::min(anchor_, Length());
    } else if (!extend) {
        selStart_ = selEnd_ = index;
        caret_ = caret;
        dragDirection_ = 0;
        anchor_ = index;
    } else {
        SelectAround(index);
    }
    mouseDown_ = true;
    if (selStart_ != oldStart || selEnd_ != oldEnd) Redraw();
}

void Editor::OnMouseDrag(Point16 point) {
    if (!mouseDown_) return;
    point.v = std::max(point.v, textRect_.top);
    point.h = std::clamp<i16>(point.h, textRect_.left, i16(textRect_.right - 1));
    Point16 caret;
    u16 index = layout_.IndexAtPoint(point, false, &caret);
    if (index == kNoIndex) {
        const i16 lastBottom = i16(textRect_.top + layout_.LineCount() * layout_.LineHeight() - 1);
        point.v = std::min<i16>(lastBottom, i16(textRect_.bottom - 1));
        index = layout_.IndexAtPoint(point, false, &caret);
    }
    if (index == kNoIndex) return;
    const u16 oldStart = selStart_, oldEnd = selEnd_;
    selStart_ = std::min(index, anchor_);
    selEnd_ = std::max(index, anchor_);
    dragDirection_ = index < anchor_ ? -1 : index > anchor_ ? 1 : 0;
    if (selStart_ == selEnd_) caret_ = caret;
    if (selStart_ != oldStart || selEnd_ != oldEnd) Redraw();
}

void Editor::OnDoubleClick(Point16 point) {
    const u16 index = layout_.IndexAtPoint(point, false, nullptr);
    if (index == kNoIndex) return;
    u16 start = index;
    const bool inBlanks = index < Length() ? isBlank(text_[index]) : (index > 0 && isBlank(text_[index - 1]));
    if (inBlanks)
        while (start > 0 && isBlank(text_[start - 1])) --start;
    while (start > 0 && !isBlank(text_[start - 1])) --start;
    u16 end = index;
    while (end < Length() && !isBlank(text_[end])) ++end;
    while (end < Length() && isBlank(text_[end])) ++end;
    SetSelection(start, end);
}

bool Editor::Copy() {
    if (selStart_ == selEnd_) return false;
    copyClipText(TextClipKind::DialogField, GetSelectedText());
    return true;
}

bool Editor::Cut() {
    BeginStep(kTextStepCut);
    RecordText();
    if (!Copy()) return false;
    ReplaceSelection({}, true);
    Lay();
    Redraw();
    return true;
}

bool Editor::Paste() {
    const std::string source = filterDialogFieldPaste(clipTextToPaste(TextClipKind::DialogField), maxLines_ == 1);
    BeginStep(kTextStepPaste);
    RecordText();
    if (source.empty()) return false;
    if (Length() - (selEnd_ - selStart_) + source.size() > maxLength_) return Refuse();
    const Saved saved = Save();
    grew_ = false;
    ReplaceSelection(source, true);
    Lay();
    if (!FitOrGrow()) {
        Restore(saved);
        grew_ = false;
        return Refuse();
    }
    Redraw();
    return true;
}

void Editor::ExchangeText(bool typing) {
    if (typing) newTypingStep_ = true;
    const EditorUndoRecord before = record_;
    RecordText();
    text_ = before.text;
    modified_ = before.modified;
    selStart_ = std::min<u16>(before.selStart, Length());
    selEnd_ = std::min<u16>(before.selEnd, Length());
    Lay();
    Redraw();
}

u32 Editor::HandleMessage(Ostrel::RMessage* message, u32) {
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
