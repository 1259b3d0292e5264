// The dialog field's keys: typing within the limits, deleting, and moving the caret.
#include "text/field/Editor.h"

#include "framework/undo/UndoManager.h"
#include "text/host/TextKeys.h"
#include "text/style/StyledText.h"

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
    const Saved before = Save();
    if (selStart_ == selEnd_) {
        if (key == kKeyBackspace && selStart_ > 0) --selStart_;
        if (key == kKeyDelete && selEnd_ < Length()) ++selEnd_;
    }
    DeleteSelection(before);
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
    const u8 vk = keyRecordVirtualKey(key);
    const u8 c = keyRecordCharacter(key);
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
