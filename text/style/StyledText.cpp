#include "text/style/StyledText.h"

#include <algorithm>

namespace {

constexpr char kBlank = ' ';

}  // namespace

StyledText::StyledText(const char* text, u16 length) {
    runs_.defaultStyle = currentTextStyle();
    // A text of exactly the maximum length is a valid text, so it is kept.
    if (text && length > 0 && length <= kStyledTextMaxLength) text_.assign(text, length);
}

StyledText::StyledText(const StyledText& source, u16 from, u16 to) : justification_(source.justification_) {
    runs_.CopyRange(source.runs_, from, to);
    const u16 end = std::min(to, source.Length());
    const u16 begin = std::min(from, end);
    text_ = source.text_.substr(begin, end - begin);
    if (text_.size() == source.text_.size()) {
        selStart_ = source.selStart_;
        selEnd_ = source.selEnd_;
    }
}

bool StyledText::ReplaceSelection(const char* text, u16 count) {
    if (!text) count = 0;
    if (count == 0 && selStart_ == selEnd_) return true;
    if (i32(text_.size()) + count - (selEnd_ - selStart_) > kStyledTextMaxLength) return false;
    text_.replace(selStart_, selEnd_ - selStart_, text ? text : "", count);
    runs_.Adjust(selStart_, selEnd_, count);
    selStart_ = selEnd_ = u16(selStart_ + count);
    return true;
}

void StyledText::StoreSelection(u16 start, u16 end) {
    if (start == selStart_ && end == selEnd_) return;
    selStart_ = start;
    selEnd_ = end;
    runs_.DropEmptyRuns();
}

void StyledText::SetSelection(u16 from, u16 to) {
    const u16 end = std::min(to, Length());
    StoreSelection(std::min(from, end), end);
}

void StyledText::ExtendSelection(i32 delta) {
    if (delta >= 0)
        StoreSelection(selStart_, u16(std::min<i32>(selEnd_ + delta, Length())));
    else
        StoreSelection(u16(std::max<i32>(selStart_ + delta, 0)), selEnd_);
}

void StyledText::MoveCaret(i32 delta) {
    if (delta >= 0) {
        StoreSelection(u16(std::min<i32>(selStart_ + delta, Length())), u16(std::min<i32>(selEnd_ + delta, Length())));
    } else if (-delta < selStart_) {
        StoreSelection(u16(selStart_ + delta), u16(selEnd_ + delta));
    } else {
        StoreSelection(0, u16(-delta >= selEnd_ ? 0 : selEnd_ + delta));
    }
}

void StyledText::SelectWord() {
    u16 start = selStart_;
    if (start >= Length()) return;
    u16 end = u16(start + 1);
    if (text_[start] != kBlank) {
        auto inWord = [&](u16 i) { return text_[i] != kBlank && u8(text_[i]) != kCharCR; };
        while (start > 0 && inWord(u16(start - 1))) --start;
        while (end < Length() && inWord(end)) ++end;
    } else {
        while (start > 0 && text_[start - 1] == kBlank) --start;
        while (end < Length() && text_[end] == kBlank) ++end;
    }
    SetSelection(start, end);
}

void StyledText::ApplyStyle(const TextStyle& style) { runs_.AddRun(selStart_, selEnd_, style); }

std::string StyledText::GetSelectedText() const { return text_.substr(selStart_, selEnd_ - selStart_); }

bool StyledText::CharAt(u16 index, u8* out) const {
    if (index >= Length()) return false;
    *out = u8(text_[index]);
    return true;
}

bool StyledText::CharAndStyleAt(u16 index, u8* out, TextStyle* style) const {
    if (!CharAt(index, out)) return false;
    *style = runs_.StyleAt(index);
    return true;
}
