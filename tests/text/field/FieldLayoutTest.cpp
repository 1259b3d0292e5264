// Dialog field lines: wrapping, the line cap, caret points and hit tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../TextTestSupport.h"
#include "text/field/FieldLayout.h"

namespace {

using namespace text_test;

// Usable width 60: ten plain characters.
constexpr Rect16 kRect{0, 0, 64, 600};

std::vector<u16> startsOf(const FieldLayout& layout) {
    std::vector<u16> starts;
    for (u16 l = 0; l < layout.LineCount(); ++l) starts.push_back(layout.LineStart(l));
    return starts;
}

// The layout reads its text while it is asked, so the text lives beside it.
struct LaidOut {
    LaidOut(std::string source, Rect16 rect = kRect, i32 justification = -1) : text(std::move(source)) {
        FixedMeasurer measurer;
        layout.SetFont(measurer, TextStyle{});
        layout.Lay(text, rect, justification);
    }
    std::string text;
    FieldLayout layout;
};

TEST(FieldLayoutBreaks, LinesWrapAtBlanksAndBreakLongWords) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<u16> starts;
    };
    const Case cases[] = {
        {"fits", "abcdefghij", {0}},
        {"one past the width", "abcdefghijk", {0, 10}},
        {"wraps at the blank", "abc defghijk", {0, 4}},
        {"a blank that does not fit stays on its line", "abcdefghij k", {0, 11}},
        {"a long word after a blank breaks where it no longer fits", "a " + std::string(34, 'b'), {0, 2, 12, 22, 32}},
        {"CR ends a line", "ab\rcd\r", {0, 3, 6}},
    };
    for (const Case& c : cases) {
        LaidOut laid(c.text);
        const FieldLayout& layout = laid.layout;
        EXPECT_TRUE(layout.Complete()) << c.what;
        EXPECT_EQ(startsOf(layout), c.starts) << c.what;
    }
}

TEST(FieldLayoutBreaks, LaysOutAtMost128Lines) {
    struct Case {
        u16 lines;
        bool complete;
    };
    for (Case c : {Case{kFieldMaxLines, true}, Case{kFieldMaxLines + 1, false}}) {
        LaidOut laid(std::string(c.lines - 1, '\r'));
        const FieldLayout& layout = laid.layout;
        EXPECT_EQ(layout.Complete(), c.complete) << c.lines;
        EXPECT_LE(layout.LineCount(), kFieldMaxLines);
        // The same number of lines made by wrapping ten characters to a line.
        LaidOut wrapped(std::string(10 * (c.lines - 1) + 1, 'x'));
        EXPECT_EQ(wrapped.layout.Complete(), c.complete) << c.lines;
        EXPECT_EQ(wrapped.layout.LineCount(), kFieldMaxLines) << c.lines;
    }
}

TEST(FieldLayoutHits, HitsChooseTheNearerSideOfACharacter) {
    LaidOut laid("abc\rde");
    const FieldLayout& layout = laid.layout;
    struct Case {
        i16 h, v;
        bool crRule;
        u16 index;
    };
    const Case cases[] = {
        {2 + 2, 5, false, 0},   // left half of 'a'
        {2 + 3, 5, false, 1},   // right half of 'a'
        {2 + 8, 5, false, 1},   // left half of 'b'
        {2 + 9, 5, false, 2},   // right half of 'b'
        {50, 5, false, 4},      // past a line's CR: the next line's start
        {50, 5, true, 3},       // with the CR rule, in front of the CR
        {50, 20, false, 6},     // past the last line's end
        {50, 40, false, kNoIndex},  // below the last line
        {2 + 2, 0, false, 0},       // a line owns the rows below its top down to and with the next top
        {2 + 2, kLineHeight, false, 0},
        {2 + 2, kLineHeight + 1, false, 4},
        {2 + 2, 2 * kLineHeight, false, 4},
        {2 + 2, 2 * kLineHeight + 1, false, kNoIndex},
        {80, 5, false, kNoIndex},   // outside the rectangle
    };
    for (const Case& c : cases) EXPECT_EQ(layout.IndexAtPoint(Point16{c.h, c.v}, c.crRule, nullptr), c.index) << c.h << "," << c.v;
}

TEST(FieldLayoutCaret, CaretPointsFollowTheLineAndJustification) {
    LaidOut laidLeft("abc\rde");
    const FieldLayout& left = laidLeft.layout;
    EXPECT_EQ(left.CaretPointAt(0).h, 2);
    EXPECT_EQ(left.CaretPointAt(2).h, 2 + 2 * kCharWidth);
    EXPECT_EQ(left.CaretPointAt(4).v, 2 * kLineHeight);
    EXPECT_EQ(left.CaretPointAt(9).h, kNoPoint.h);
    LaidOut laidRight("abc", kRect, kJustifyRight);
    const FieldLayout& right = laidRight.layout;
    EXPECT_EQ(right.CaretPointAt(3).h, 2 + (64 - 3 * kCharWidth - 3) + 3 * kCharWidth);
    LaidOut laidCentred("abc", kRect, kJustifyCentre);
    const FieldLayout& centred = laidCentred.layout;
    EXPECT_EQ(centred.CaretPointAt(0).h, 2 + (64 - 3 * kCharWidth) / 2);
}

}  // namespace
