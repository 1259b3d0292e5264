// Page text lines: breaking, per-line metrics from the styles, offsets, hit tests and carets.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../TextTestSupport.h"
#include "text/layout/TextLayout.h"

namespace {

using namespace text_test;

// Usable width 60: ten plain characters.
constexpr Rect16 kRect{0, 0, 64, 1000};

std::vector<u16> lineStarts(const TextLayout& layout) {
    std::vector<u16> starts;
    for (u16 l = 0; l < layout.LineCount(); ++l) starts.push_back(layout.LineStart(l));
    return starts;
}

StyledText textOf(const std::string& s) { return StyledText(s.data(), u16(s.size())); }

TEST(TextLayoutBreaks, LinesBreakAtBlanksCrsAndCharactersThatNoLongerFit) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<u16> starts;
    };
    const Case cases[] = {
        {"exactly the width", "abcdefghij", {0}},
        {"one past the width", "abcdefghijk", {0, 10}},
        {"wraps after the blank", "abc defghijk", {0, 4}},
        {"a long word after a blank breaks where it no longer fits", "a " + std::string(34, 'b'), {0, 2, 12, 22, 32}},
        {"CR starts a line", "ab\rcd", {0, 3}},
        {"text ending in CR has an empty last line", "ab\r", {0, 3}},
        {"two blanks in a row", "abcde  fghijkl", {0, 7}},
    };
    FixedMeasurer measurer;
    for (const Case& c : cases) {
        StyledText text = textOf(c.text);
        TextLayout layout(text, kRect, measurer);
        EXPECT_TRUE(layout.Complete()) << c.what;
        EXPECT_EQ(lineStarts(layout), c.starts) << c.what;
    }
}

TEST(TextLayoutBreaks, CharacterWiderThanTheLineStaysWithoutWidth) {
    FixedMeasurer measurer;
    StyledText text = textOf("WW");
    TextLayout layout(text, Rect16{0, 0, 12, 100}, measurer);  // usable width 8, 'W' is 10
    EXPECT_TRUE(layout.Complete());
    EXPECT_EQ(layout.LineCount(), 1);
    EXPECT_EQ(layout.LineOffset(0), 0);
}

TEST(TextLayoutBreaks, AtMost128Lines) {
    struct Case {
        u16 lines;
        bool complete;
    };
    FixedMeasurer measurer;
    for (Case c : {Case{kLayoutMaxLines, true}, Case{kLayoutMaxLines + 1, false}}) {
        StyledText text = textOf(std::string(c.lines - 1, '\r') + "x");
        TextLayout layout(text, kRect, measurer);
        EXPECT_EQ(layout.Complete(), c.complete) << c.lines;
        EXPECT_LE(layout.LineCount(), kLayoutMaxLines);
        // The same number of lines made by wrapping ten characters to a line.
        StyledText wrapped = textOf(std::string(10 * (c.lines - 1) + 1, 'x'));
        TextLayout wrappedLayout(wrapped, kRect, measurer);
        EXPECT_EQ(wrappedLayout.Complete(), c.complete) << c.lines;
        EXPECT_EQ(wrappedLayout.LineCount(), kLayoutMaxLines) << c.lines;
    }
}

TEST(TextLayoutMetrics, LinesTakeTheTallestStyleAndAFinalCrCopiesTheLastLine) {
    FixedMeasurer measurer;
    StyledText text = textOf("ab\r");
    TextStyle big;
    big.size = 24;
    text.SetSelection(1, 2);
    text.ApplyStyle(big);
    TextLayout layout(text, kRect, measurer);
    ASSERT_EQ(layout.LineCount(), 2);
    EXPECT_EQ(layout.Bounds().bottom, 2 * 2 * kLineHeight);
    const Rect16 caret = layout.CaretRectAt(3, false);
    EXPECT_EQ(caret.left, 2);
    EXPECT_EQ(caret.top, 2 * kLineHeight + 2 * kLeading);
    EXPECT_EQ(caret.bottom, 2 * kLineHeight + 2 * kLeading + 2 * kAscent + 2 * kDescent);
}

TEST(TextLayoutMetrics, BottomPastTheCoordinateRangeStaysAtItsEnd) {
    struct Case {
        u16 lines;
        i16 bottom;
    };
    // Lines 300 high: 109 of them end at 32700, 110 would end past 32767.
    FixedMeasurer measurer;
    for (Case c : {Case{109, 32700}, Case{110, INT16_MAX}}) {
        StyledText text = textOf(std::string(c.lines - 1, '\r'));
        text.Runs().defaultStyle.size = 300;
        TextLayout layout(text, kRect, measurer);
        EXPECT_EQ(layout.LineCount(), c.lines);
        EXPECT_EQ(layout.Bounds().bottom, c.bottom) << c.lines;
    }
}

TEST(TextLayoutMetrics, EmptyTextHasOneLineOfTheCurrentStyle) {
    FixedMeasurer measurer;
    StyledText text;
    TextLayout layout(text, kRect, measurer);
    EXPECT_TRUE(layout.Complete());
    EXPECT_EQ(layout.LineCount(), 1);
    EXPECT_EQ(layout.Bounds().bottom, kLineHeight);
    EXPECT_EQ(layout.CaretRectAt(0, false).top, kLeading);
}

TEST(TextLayoutOffsets, JustificationOffsetsAtAndNearTheFullWidth) {
    struct Case {
        i16 right;
        i32 justification;
        i16 offset;
    };
    const Case cases[] = {
        {64, kJustifyRight, 0}, {65, kJustifyRight, 1}, {65, kJustifyCentre, 0},
        {66, kJustifyCentre, 1}, {70, kJustifyCentre, 3}, {70, kJustifyLeft, 0},
    };
    FixedMeasurer measurer;
    for (const Case& c : cases) {
        StyledText text = textOf("abcdefghij");
        text.SetJustification(c.justification);
        TextLayout layout(text, Rect16{0, 0, c.right, 100}, measurer);
        EXPECT_EQ(layout.LineOffset(0), c.offset) << c.right << " " << c.justification;
    }
}

TEST(TextLayoutOffsets, EmptyLineAfterAFinalCrIsJustifiedAsEmpty) {
    struct Case {
        i32 justification;
        i16 caretLeft;
    };
    // Usable width 60: the caret stands at the left edge, in the middle, or at the right edge.
    const Case cases[] = {{kJustifyLeft, 2}, {kJustifyCentre, 2 + 30}, {kJustifyRight, 2 + 60}};
    FixedMeasurer measurer;
    for (const Case& c : cases) {
        StyledText text = textOf("abcd\r");
        text.SetJustification(c.justification);
        TextLayout layout(text, kRect, measurer);
        ASSERT_EQ(layout.LineCount(), 2);
        EXPECT_EQ(layout.CaretRectAt(5, false).left, c.caretLeft) << c.justification;
    }
}

// A line owns the rows below its top down to and with the next line's top row, as the field
// layout's lines do; the last line ends with the laid-out rectangle.
TEST(TextLayoutHits, BoundaryRowsBelongToTheLineAbove) {
    FixedMeasurer measurer;
    StyledText text = textOf("abc\rde");
    TextLayout layout(text, kRect, measurer);
    struct Case {
        i16 v;
        u16 line;
    };
    const Case cases[] = {{-1, kLayoutNone}, {0, 0}, {kLineHeight, 0}, {kLineHeight + 1, 1},
                          {2 * kLineHeight - 1, 1}, {2 * kLineHeight, kLayoutNone}};
    for (const Case& c : cases) EXPECT_EQ(layout.LineAtPoint(Point16{10, c.v}), c.line) << c.v;
}

TEST(TextLayoutHits, HitsChooseTheNearerSideOfACharacter) {
    FixedMeasurer measurer;
    StyledText text = textOf("abc\rde");
    TextLayout layout(text, kRect, measurer);
    struct Case {
        i16 h, v;
        u16 index;
    };
    const Case cases[] = {
        {2 + 2, 5, 0}, {2 + 3, 5, 1}, {2 + 8, 5, 1}, {2 + 9, 5, 2},
        {50, 5, 4},                 // past a line ending in CR: the next line's first index
        {50, 20, 6},                // past the last line
        {50, 30, kLayoutNone},      // below the laid-out lines
        {64, 5, kLayoutNone},       // right edge excluded
    };
    for (const Case& c : cases) EXPECT_EQ(layout.IndexAtPoint(Point16{c.h, c.v}), c.index) << c.h << "," << c.v;
    EXPECT_EQ(layout.LineStartOf(5), 4);
    EXPECT_EQ(layout.LineEndOf(1), 3);
    EXPECT_EQ(layout.LineEndOf(5), 6);
    EXPECT_EQ(layout.LineOfIndex(7), kLayoutNone);
    const Rect16 box = layout.CharBox(1);
    EXPECT_EQ(box.left, 2 + kCharWidth);
    EXPECT_EQ(box.right, 2 + 2 * kCharWidth);
    EXPECT_EQ(layout.CharBox(9).left, -1);
    EXPECT_EQ(layout.CaretRectAt(2, true).left, 2 + 3 * kCharWidth);
}

}  // namespace
