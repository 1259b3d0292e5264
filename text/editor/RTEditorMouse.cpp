// The page editor's mouse: placing the caret, dragging and extending a selection.
#include "text/editor/RTEditor.h"

#include <algorithm>

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
