// The dialog field's mouse: placing the caret, dragging and extending a selection, and
// selecting a word.
#include "text/field/Editor.h"

#include <algorithm>

namespace {

// Clicks further right than this from the field's left edge land in front of a line's CR.
constexpr i16 kCrRuleMargin = 20;

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

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
