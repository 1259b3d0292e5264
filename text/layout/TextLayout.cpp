#include "text/layout/TextLayout.h"

#include <algorithm>
#include <cstdint>

#include "engine/gfx/GfxDraw.h"

namespace {

constexpr i16 kInset = 2;
constexpr u8 kBlank = ' ';
// A zero-width selected character (a CR) still shows this much.
constexpr i16 kEmptySelectionWidth = 4;

// Lines past the coordinate range are held at its end, so that a text too tall for the page
// measures as too tall instead of wrapping round to above it.
i16 clampedCoordinate(i32 v) { return i16(std::min<i32>(v, INT16_MAX)); }

void takeMaxima(u16& leading, u16& descent, u16& ascent, const CharMetrics& m) {
    leading = std::max(leading, m.leading);
    descent = std::max(descent, m.descent);
    ascent = std::max(ascent, m.ascent);
}

}  // namespace

TextLayout::TextLayout(const StyledText& text, const Rect16& rect, CharMeasurer& measurer)
    : text_(&text), measurer_(measurer), rect_(rect) {
    if (text.Length() == 0) {
        const CharMetrics cr = measurer_.Measure(kCharCR, currentTextStyle());
        lines_[0] = LineMetrics{0, cr.leading, cr.descent, cr.ascent};
        count_ = 1;
        rect_.bottom = clampedCoordinate(rect_.top + Height(0));
        complete_ = true;
        return;
    }
    BreakLines();
}

CharMetrics TextLayout::Measure(u16 index) const {
    u8 c = 0;
    TextStyle style;
    if (!text_->CharAndStyleAt(index, &c, &style)) return CharMetrics{};
    return measurer_.Measure(c, style);
}

void TextLayout::BreakLines() {
    const i32 usable = rect_.right - rect_.left - 2 * kInset;
    const u16 length = text_->Length();
    i32 x = rect_.left + kInset;
    u16 line = 0;
    // The remembered break: where the next line starts when a word does not fit, and what
    // the current line measures when it ends there. It is used at most once, so a word longer
    // than the line after a blank breaks where it no longer fits instead of wrapping back.
    bool haveBreak = false;
    u16 breakAt = 0;
    LineMetrics atBreak{};
    for (u16 i = 0; i < length;) {
        u8 c = 0;
        TextStyle style;
        text_->CharAndStyleAt(i, &c, &style);
        const CharMetrics m = measurer_.Measure(c, style);
        LineMetrics& current = lines_[line];
        if (c == kBlank) {
            haveBreak = true;
            breakAt = u16(i + 1);
            atBreak = current;
            takeMaxima(atBreak.leading, atBreak.descent, atBreak.ascent, m);
        }
        if (c == kCharCR) {
            if (!current.leading) current.leading = m.leading;
            if (!current.descent) current.descent = m.descent;
            if (!current.ascent) current.ascent = m.ascent;
            if (line + 1 == kLayoutMaxLines) return Finish(line, false);
            ++line;
            starts_[line] = u16(i + 1);
            // The empty line after a final CR is as high as the line before it; it holds
            // nothing, so justification places its caret as on any empty line.
            if (i + 1 == length) lines_[line] = LineMetrics{0, current.leading, current.descent, current.ascent};
            x = rect_.left + kInset;
            haveBreak = false;
            ++i;
            continue;
        }
        if (x + m.width > rect_.right - kInset) {
            if (haveBreak || m.width <= usable) {
                if (haveBreak) {
                    i = breakAt;
                    current = atBreak;
                    haveBreak = false;
                }
                if (line + 1 == kLayoutMaxLines) return Finish(line, false);
                ++line;
                x = rect_.left + kInset;
                starts_[line] = i;
                lines_[line] = LineMetrics{};
                continue;
            }
            // Wider than the whole line: it stays, adding nothing to the line's width.
            ++i;
            continue;
        }
        current.width = u16(current.width + m.width);
        x += m.width;
        takeMaxima(current.leading, current.descent, current.ascent, m);
        ++i;
    }
    Finish(line, true);
}

void TextLayout::Finish(u16 lastLine, bool complete) {
    count_ = u16(lastLine + 1);
    i32 bottom = rect_.top;
    for (u16 l = 0; l < count_; ++l) bottom += Height(l);
    rect_.bottom = clampedCoordinate(bottom);
    complete_ = complete;
}

u16 TextLayout::NextStart(u16 line) const { return line + 1 < count_ ? starts_[line + 1] : text_->Length(); }

i16 TextLayout::LineTop(u16 line) const {
    i32 top = rect_.top;
    for (u16 l = 0; l < line; ++l) top += Height(l);
    return clampedCoordinate(top);
}

i16 TextLayout::LineOffset(u16 line) const {
    const i32 usable = std::max(0, rect_.right - rect_.left - 2 * kInset);
    const i32 d = usable - lines_[line].width;
    switch (text_->Justification()) {
    case kJustifyCentre: return i16(d > 1 ? d / 2 : 0);
    case kJustifyRight: return i16(d >= 0 ? d : 0);
    default: return 0;
    }
}

u16 TextLayout::LineAtPoint(Point16 point) const {
    if (!rectContainsPoint(rect_, point)) return kLayoutNone;
    i32 bottom = rect_.top;
    for (u16 line = 0; line < count_; ++line) {
        bottom += Height(line);
        if (bottom >= point.v) return line;
    }
    return kLayoutNone;
}

u16 TextLayout::LineOfIndex(u16 index) const {
    if (count_ == 0 || index > text_->Length()) return kLayoutNone;
    if (index == 0) return 0;
    for (u16 line = count_; line-- > 0;)
        if (starts_[line] <= index) return line;
    return kLayoutNone;
}

u16 TextLayout::LineStartOf(u16 index) const {
    const u16 line = LineOfIndex(index);
    return line == kLayoutNone ? kLayoutNone : starts_[line];
}

u16 TextLayout::LineEndOf(u16 index) const {
    const u16 line = LineOfIndex(index);
    if (line == kLayoutNone) return kLayoutNone;
    return line + 1 < count_ ? u16(starts_[line + 1] - 1) : text_->Length();
}

u16 TextLayout::IndexAtPoint(Point16 point) const {
    const u16 line = LineAtPoint(point);
    if (line == kLayoutNone) return kLayoutNone;
    const i32 h = point.h - rect_.left;
    i32 x = LineOffset(line);
    u16 c = starts_[line];
    for (const u16 end = NextStart(line); c < end; ++c) {
        const i32 width = Measure(c).width;
        if (h - kInset < x + width / 2) break;
        x += width;
    }
    return c;
}

Rect16 TextLayout::CaretRectAt(u16 index, bool after) const {
    const u16 line = LineOfIndex(index);
    if (line == kLayoutNone) return kLayoutNoRect;
    if (index == 0 && text_->Length() == 0) {
        const CharMetrics cr = measurer_.Measure(kCharCR, currentTextStyle());
        const i16 x = i16(rect_.left + LineOffset(0) + kInset);
        return Rect16{x, i16(rect_.top + cr.leading), i16(x + 1), i16(rect_.top + cr.leading + cr.ascent + cr.descent)};
    }
    const LineMetrics& metrics = lines_[line];
    const i16 baseline = i16(LineTop(line) + metrics.leading + metrics.ascent);
    i32 x = rect_.left + kInset + LineOffset(line);
    const u16 start = starts_[line];
    if (start >= text_->Length())
        return Rect16{i16(x), i16(baseline - metrics.ascent), i16(x + 1), i16(baseline + metrics.descent)};
    CharMetrics last = Measure(start);
    for (u16 c = start; c < text_->Length() && (c < index || (after && c == index)); ++c) {
        last = Measure(c);
        x += last.width;
    }
    return Rect16{i16(x), i16(baseline - last.ascent), i16(x + 1), i16(baseline + last.descent)};
}

Rect16 TextLayout::CharBox(u16 index) const {
    const u16 line = LineOfIndex(index);
    if (line == kLayoutNone) return kLayoutNoRect;
    i32 x = rect_.left + kInset + LineOffset(line);
    for (u16 c = starts_[line]; c < index; ++c) x += Measure(c).width;
    const i16 top = LineTop(line);
    return Rect16{i16(x), top, i16(x + Measure(index).width), clampedCoordinate(top + Height(line))};
}

void TextLayout::DrawLines() const {
    GfxFont* portFont = gfxGetFont();
    for (u16 line = 0; line < count_; ++line) {
        gfxMoveTo(i16(rect_.left + LineOffset(line) + kInset), i16(LineTop(line) + lines_[line].leading + lines_[line].ascent));
        for (u16 i = starts_[line]; i < NextStart(line); ++i) {
            u8 c = 0;
            TextStyle style;
            if (!text_->CharAndStyleAt(i, &c, &style) || c == kCharCR) continue;
            measurer_.Select(style);
            GfxColor previous;
            gfxSetForeColor(&previous, style.color);
            const char ch = char(c);
            gfxDrawText(&ch, 1, 0);
            GfxColor replaced;
            gfxSetForeColor(&replaced, previous);
        }
    }
    gfxSetFont(portFont);
}

void TextLayout::DrawSelection() const {
    const u16 start = text_->SelectionStart();
    const u16 end = text_->SelectionEnd();
    if (start == end) return;
    const u16 first = LineOfIndex(start);
    const u16 last = LineOfIndex(u16(end - 1));
    if (first == kLayoutNone || last == kLayoutNone || first > last) return;
    for (u16 line = first; line <= last; ++line) {
        const u16 from = std::max(start, starts_[line]);
        const u16 lineEnd = line + 1 < count_ ? u16(starts_[line + 1] - 1) : text_->Length();
        const u16 to = std::max(from, std::min(u16(end - 1), lineEnd));
        const Rect16 a = CharBox(from);
        const Rect16 b = CharBox(to);
        Rect16 r{a.left, a.top, b.right, a.bottom};
        if (r.left == r.right) r.right = i16(r.right + kEmptySelectionWidth);
        gfxInvertRect(r);
    }
}
