// The page editor's keys: typing (one undo step while it goes on), deleting, and moving
// the caret by characters and lines.
#include "text/editor/RTEditor.h"

#include "text/host/TextCommands.h"
#include "text/host/TextKeys.h"

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
    const u8 vk = keyRecordVirtualKey(key);
    const u8 c = keyRecordCharacter(key);
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
            // The caret is as high as the character beside it, which may be smaller than
            // others on its line: the step goes from the edge of the caret's line.
            const u16 line = layout_->LineAtPoint(Point16{layout_->Bounds().left, caretRect_.top});
            if (line != kLayoutNone) {
                const Rect16 lineBox = layout_->CharBox(layout_->LineStart(line));
                const Point16 point{caretRect_.left, vk == kKeyUp ? i16(lineBox.top - 1) : i16(lineBox.bottom + 1)};
                const u16 index = layout_->IndexAtPoint(point);
                if (index != kLayoutNone) text_->SetSelection(index, index);
            }
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
