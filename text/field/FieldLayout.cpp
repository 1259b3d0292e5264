#include "text/field/FieldLayout.h"

#include <algorithm>

#include "text/style/StyledText.h"

namespace {

constexpr u8 kBlank = ' ';
constexpr i16 kInset = 2;

}  // namespace

void FieldLayout::SetFont(CharMeasurer& measurer, const TextStyle& font) {
    for (int c = 0; c < 256; ++c) widths_[c] = measurer.Measure(u8(c), font).width;
    widths_[kCharCR] = 0;
    metrics_ = measurer.Measure(kCharCR, font);
    lineHeight_ = u16(std::max(1, metrics_.leading + metrics_.ascent + metrics_.descent));
}

void FieldLayout::Lay(const std::string& text, const Rect16& rect, i32 justification) {
    text_ = &text;
    rect_ = rect;
    justification_ = justification;
    starts_.assign(1, 0);
    complete_ = true;
    const i32 usable = rect.right - rect.left - 2 * kInset;
    i32 x = rect.left + kInset;
    // A break is used at most once: after wrapping there it is forgotten, so a long word after
    // a blank cannot send the layout back to the same break over and over.
    i32 breakAt = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        const u8 c = u8(text[i]);
        if (c == kCharCR) {
            if (starts_.size() == kFieldMaxLines) {
                complete_ = false;
                return;
            }
            starts_.push_back(u16(i + 1));
            x = rect.left + kInset;
            breakAt = -1;
            continue;
        }
        const i32 w = widths_[c];
        if (c == kBlank) breakAt = i32(i) + 1;
        if (x + w > rect.right - kInset && (breakAt >= 0 || w <= usable)) {
            if (starts_.size() == kFieldMaxLines) {
                complete_ = false;
                return;
            }
            // Wrapping at the blank moves the rest of the word to the next line; a blank that
            // does not fit stays at the end of its line.
            size_t next = breakAt >= 0 && c != kBlank ? size_t(breakAt) : i;
            if (c == kBlank) next = i + 1;
            starts_.push_back(u16(next));
            breakAt = -1;
            x = rect.left + kInset;
            i = next - 1;
            continue;
        }
        x += w;
    }
}

u16 FieldLayout::NextLineStart(u16 line) const {
    return line + 1u < starts_.size() ? starts_[line + 1] : u16(text_ ? text_->size() : 0);
}

u16 FieldLayout::LineOfIndex(u16 index) const {
    if (!text_ || index > text_->size()) return kNoIndex;
    for (u16 line = u16(starts_.size()); line-- > 0;)
        if (starts_[line] <= index) return line;
    return kNoIndex;
}

i16 FieldLayout::LineOffset(u16 line) const {
    i32 w = 0;
    for (u16 i = starts_[line]; i < NextLineStart(line); ++i) w += widths_[u8((*text_)[i])];
    const i32 room = rect_.right - rect_.left;
    i32 offset = 0;
    if (justification_ == kJustifyCentre) {
        offset = room - w;
        if (offset > 1) offset /= 2;
    } else if (justification_ == kJustifyRight) {
        offset = room - w - 3;
    }
    return i16(std::max(0, offset));
}

Point16 FieldLayout::CaretPointAt(u16 index) const {
    const u16 line = LineOfIndex(index);
    if (line == kNoIndex) return kNoPoint;
    i32 x = rect_.left + kInset + LineOffset(line);
    for (u16 i = starts_[line]; i < index; ++i) x += widths_[u8((*text_)[i])];
    return Point16{i16(x), i16(rect_.top + (line + 1) * lineHeight_)};
}

u16 FieldLayout::IndexAtPoint(Point16 point, bool crRule, Point16* caret) const {
    if (!text_ || text_->empty()) {
        if (caret) *caret = CaretPointAt(0);
        return 0;
    }
    if (!rectContainsPoint(rect_, point)) return kNoIndex;
    const i32 line = (point.v - rect_.top - 1) / lineHeight_;
    if (line < 0 || line >= i32(starts_.size())) return kNoIndex;
    const i32 h = point.h - rect_.left - kInset;
    i32 x = LineOffset(u16(line));
    u16 i = starts_[line];
    const u16 end = NextLineStart(u16(line));
    while (i < end) {
        const i32 w = widths_[u8((*text_)[i])];
        if (h < x + w / 2) break;
        x += w;
        ++i;
    }
    Point16 found{i16(rect_.left + x + kInset), i16(rect_.top + (line + 1) * lineHeight_)};
    if (crRule && i > 0 && u8((*text_)[i - 1]) == kCharCR) {
        --i;
        found = CaretPointAt(i);
        if (found.h < 0) return kNoIndex;
    }
    if (caret) *caret = found;
    return i;
}
