#pragma once
// The lines of a styled text inside a rectangle: where each line starts, how wide and high it
// is (from the styles of its characters), and the geometry the page text editor asks about:
// the character under a point, the caret, a character's box. Rebuilt whole after a change; it
// reads the text it was built for, which must outlive it.
#include <array>

#include "engine/regions/Rects.h"
#include "text/measure/CharMeasurer.h"
#include "text/style/StyledText.h"

constexpr u16 kLayoutMaxLines = 128;
constexpr u16 kLayoutNone = 0xFFFF;
constexpr Rect16 kLayoutNoRect{-1, -1, -1, -1};

class TextLayout {
public:
    // The rectangle's bottom becomes the bottom of the last line.
    TextLayout(const StyledText& text, const Rect16& rect, CharMeasurer& measurer);

    // False when the text needs more than 128 lines.
    bool Complete() const { return complete_; }
    u16 LineCount() const { return count_; }
    u16 LineStart(u16 line) const { return starts_[line]; }
    const Rect16& Bounds() const { return rect_; }
    const StyledText& Text() const { return *text_; }
    // Offset of a line inside the usable width by the text's justification.
    i16 LineOffset(u16 line) const;
    u16 LineAtPoint(Point16 point) const;
    u16 LineOfIndex(u16 index) const;
    u16 LineStartOf(u16 index) const;
    u16 LineEndOf(u16 index) const;
    // Past the end of a line that ends in CR this is the first index of the next line.
    u16 IndexAtPoint(Point16 point) const;
    // One unit wide; with `after` the caret stands after the character at the index.
    Rect16 CaretRectAt(u16 index, bool after) const;
    Rect16 CharBox(u16 index) const;

    // Into the current port.
    void DrawLines() const;
    void DrawSelection() const;

private:
    struct LineMetrics {
        u16 width;
        u16 leading;
        u16 descent;
        u16 ascent;
    };

    void BreakLines();
    // Counts the lines up to `lastLine` and sets the rectangle's bottom below them.
    void Finish(u16 lastLine, bool complete);
    u16 NextStart(u16 line) const;
    i16 LineTop(u16 line) const;
    i32 Height(u16 line) const { return lines_[line].leading + lines_[line].ascent + lines_[line].descent; }
    CharMetrics Measure(u16 index) const;

    const StyledText* text_;
    CharMeasurer& measurer_;
    Rect16 rect_;
    std::array<u16, kLayoutMaxLines> starts_{};
    std::array<LineMetrics, kLayoutMaxLines> lines_{};
    u16 count_ = 0;
    bool complete_ = false;
};
