// Styled text: the length limit, selection moves and word selection.
#include <gtest/gtest.h>

#include <string>

#include "text/style/StyledText.h"

namespace {

TEST(StyledTextLength, TextAtTheLimitIsKeptAndOnePastIsDropped) {
    const std::string limit(kStyledTextMaxLength, 'x');
    EXPECT_EQ(StyledText(limit.data(), kStyledTextMaxLength).Length(), kStyledTextMaxLength);
    const std::string over(kStyledTextMaxLength + 1, 'x');
    EXPECT_EQ(StyledText(over.data(), kStyledTextMaxLength + 1).Length(), 0);
}

TEST(StyledTextLength, ReplacingUpToTheLimitIsAcceptedAndPastItRefused) {
    struct Case {
        u16 inserted;
        bool accepted;
    };
    for (Case c : {Case{4, true}, Case{5, false}}) {
        const std::string start(kStyledTextMaxLength - 1, 'a');
        StyledText text(start.data(), u16(start.size()));
        text.SetSelection(10, 13);
        const std::string insert(c.inserted, 'b');
        EXPECT_EQ(text.ReplaceSelection(insert.data(), c.inserted), c.accepted) << c.inserted;
        EXPECT_EQ(text.Length(), c.accepted ? kStyledTextMaxLength : start.size()) << c.inserted;
        EXPECT_EQ(text.SelectionStart(), c.accepted ? 10 + c.inserted : 10) << c.inserted;
    }
}

TEST(StyledTextReplace, ReplacementMovesTheTailAndRuns) {
    StyledText text("hello world", 11);
    TextStyle big;
    big.size = 40;
    text.SetSelection(6, 11);
    text.ApplyStyle(big);
    text.SetSelection(0, 5);
    ASSERT_TRUE(text.ReplaceSelection("bye", 3));
    EXPECT_EQ(text.Text(), "bye world");
    EXPECT_EQ(text.SelectionStart(), 3);
    EXPECT_EQ(text.SelectionEnd(), 3);
    EXPECT_EQ(text.Runs().StyleAt(4).size, 40);
    EXPECT_EQ(text.Runs().StyleAt(3).size, text.Runs().defaultStyle.size);
}

TEST(StyledTextCaret, StyleChosenAtACaretIsForgottenWhenTheCaretMoves) {
    StyledText text("abc", 3);
    text.SetSelection(1, 1);
    TextStyle bold;
    bold.bold = kStyleOn;
    text.ApplyStyle(bold);
    EXPECT_EQ(text.Runs().StyleOfRange(1, 1).bold, kStyleOn);
    text.MoveCaret(1);
    EXPECT_TRUE(text.Runs().Runs().empty());
    text.SetSelection(2, 2);
    text.ApplyStyle(bold);
    ASSERT_TRUE(text.ReplaceSelection("z", 1));
    EXPECT_EQ(text.Runs().StyleAt(2).bold, kStyleOn);
}

TEST(StyledTextCaret, MovesAreClampedToTheText) {
    struct Case {
        u16 start, end;
        i32 delta;
        u16 newStart, newEnd;
    };
    const Case cases[] = {
        {2, 2, 1, 3, 3}, {5, 5, 1, 5, 5}, {2, 4, -1, 1, 3}, {1, 3, -1, 0, 2}, {1, 3, -3, 0, 0}, {0, 0, -1, 0, 0},
    };
    for (const Case& c : cases) {
        StyledText text("abcde", 5);
        text.SetSelection(c.start, c.end);
        text.MoveCaret(c.delta);
        EXPECT_EQ(text.SelectionStart(), c.newStart) << c.start << "," << c.end << " by " << c.delta;
        EXPECT_EQ(text.SelectionEnd(), c.newEnd) << c.start << "," << c.end << " by " << c.delta;
    }
    StyledText text("abcde", 5);
    text.SetSelection(0, 0);
    text.ExtendSelection(-1);
    EXPECT_EQ(text.SelectionEnd(), 0);
    text.SetSelection(5, 5);
    text.ExtendSelection(1);
    EXPECT_EQ(text.SelectionEnd(), 5);
    text.ExtendSelection(-2);
    EXPECT_EQ(text.SelectionStart(), 3);
    text.SetSelection(9, 7);  // both ends past the text
    EXPECT_EQ(text.SelectionStart(), 5);
    EXPECT_EQ(text.SelectionEnd(), 5);
    text.SetSelection(4, 2);  // a reversed pair collapses onto its end
    EXPECT_EQ(text.SelectionStart(), 2);
    EXPECT_EQ(text.SelectionEnd(), 2);
}

TEST(StyledTextWord, WordsStopAtBlanksAndLineBreaks) {
    struct Case {
        u16 at;
        u16 start, end;
    };
    const std::string source = "one two\rthree  four";
    const Case cases[] = {{1, 0, 3}, {4, 4, 7}, {9, 8, 13}, {13, 13, 15}, {14, 13, 15}};
    for (const Case& c : cases) {
        StyledText text(source.data(), u16(source.size()));
        text.SetSelection(c.at, c.at);
        text.SelectWord();
        EXPECT_EQ(text.SelectionStart(), c.start) << c.at;
        EXPECT_EQ(text.SelectionEnd(), c.end) << c.at;
    }
}

TEST(StyledTextCopy, RangeCopyTakesItsCharactersAndWholeCopyItsSelection) {
    StyledText text("abcdef", 6);
    text.SetSelection(1, 3);
    text.SetJustification(kJustifyRight);
    StyledText part(text, 2, 4);
    EXPECT_EQ(part.Text(), "cd");
    EXPECT_EQ(part.SelectionEnd(), 0);
    EXPECT_EQ(part.Justification(), kJustifyRight);
    StyledText whole(text, 0, kStyledTextWhole);
    EXPECT_EQ(whole.Text(), "abcdef");
    EXPECT_EQ(whole.SelectionEnd(), 3);
    EXPECT_EQ(StyledText(text, 9, 2).Text(), "");
    EXPECT_EQ(text.GetSelectedText(), "bc");
}

}  // namespace
