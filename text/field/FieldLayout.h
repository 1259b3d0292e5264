#pragma once
// The lines of a dialog field: one font for the whole text, lines wrapped at the last blank
// that fits (or at the character that no longer fits), a CR ending a line, at most 128 lines.
// Answers where the caret of an index lies and which index lies under a point.
#include <array>
#include <string>
#include <vector>

#include "engine/regions/Rects.h"
#include "text/measure/CharMeasurer.h"

constexpr u16 kFieldMaxLines = 128;
constexpr u16 kNoIndex = 0xFFFF;
constexpr Point16 kNoPoint{-1, -1};

class FieldLayout {
public:
    // Widths and line height of the field's font.
    void SetFont(CharMeasurer& measurer, const TextStyle& font);
    // Lays the text out in the rectangle; the text must outlive the next call.
    void Lay(const std::string& text, const Rect16& rect, i32 justification);

    // False when the text needed more than 128 lines.
    bool Complete() const { return complete_; }
    u16 LineCount() const { return u16(starts_.size()); }
    u16 LineStart(u16 line) const { return starts_[line]; }
    // Start of the next line, or the text's length on the last line.
    u16 NextLineStart(u16 line) const;
    // The line that holds the index: start <= index < next start; kNoIndex when none.
    u16 LineOfIndex(u16 index) const;
    u16 LineHeight() const { return lineHeight_; }
    u16 Ascent() const { return metrics_.ascent; }
    u16 Descent() const { return metrics_.descent; }
    u16 Leading() const { return metrics_.leading; }
    u16 Width(u8 c) const { return widths_[c]; }
    i16 LineOffset(u16 line) const;
    // The caret's baseline point in front of the index; kNoPoint when no line holds it.
    Point16 CaretPointAt(u16 index) const;
    // The index nearest the point, or kNoIndex. With the CR rule a hit just after a CR is
    // moved in front of it. `caret` receives the caret point of the index found.
    u16 IndexAtPoint(Point16 point, bool crRule, Point16* caret) const;

private:
    const std::string* text_ = nullptr;
    Rect16 rect_{0, 0, 0, 0};
    i32 justification_ = -1;
    std::array<u16, 256> widths_{};
    CharMetrics metrics_{};
    u16 lineHeight_ = 1;
    std::vector<u16> starts_{0};
    bool complete_ = true;
};
