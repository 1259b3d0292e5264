// Style runs: how runs follow edits, how overlapping runs combine, and what a selection shows.
#include <gtest/gtest.h>

#include <vector>

#include "text/style/StyleRuns.h"

namespace {

TextStyle sized(u16 size) {
    TextStyle style;
    style.size = size;
    return style;
}

struct AdjustCase {
    const char* what;
    u16 from, to;       // the run
    u16 start, end, n;  // [start, end) replaced by n characters
    bool kept;
    u16 newFrom, newTo;
};

class StyleRunsAdjust : public ::testing::TestWithParam<AdjustCase> {};

TEST_P(StyleRunsAdjust, RunFollowsTheEdit) {
    const AdjustCase& c = GetParam();
    StyleRuns runs;
    runs.AddRun(c.from, c.to, sized(9));
    runs.Adjust(c.start, c.end, c.n);
    if (!c.kept) {
        EXPECT_TRUE(runs.Runs().empty());
        return;
    }
    ASSERT_EQ(runs.Runs().size(), 1u);
    EXPECT_EQ(runs.Runs()[0].from, c.newFrom);
    EXPECT_EQ(runs.Runs()[0].to, c.newTo);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StyleRunsAdjust,
    ::testing::Values(
        // Insertions at a caret.
        AdjustCase{"typing at the run's end extends it", 2, 5, 5, 5, 3, true, 2, 8},
        AdjustCase{"typing at the run's start moves it", 2, 5, 2, 2, 3, true, 5, 8},
        AdjustCase{"typing before the run moves it", 4, 6, 1, 1, 2, true, 6, 8},
        AdjustCase{"typing inside the run widens it", 2, 5, 3, 3, 2, true, 2, 7},
        AdjustCase{"typing after the run leaves it", 2, 5, 6, 6, 4, true, 2, 5},
        AdjustCase{"a style chosen at a caret covers what is typed", 4, 4, 4, 4, 1, true, 4, 5},
        // Replacing a selection.
        AdjustCase{"deleting over a run inside removes it", 3, 6, 1, 9, 0, false, 0, 0},
        AdjustCase{"deleting the tail of a run cuts it", 0, 4, 1, 9, 0, true, 0, 1},
        AdjustCase{"deleting the head of a run moves its rest", 7, 12, 1, 9, 0, true, 1, 4},
        AdjustCase{"replacing inside a run keeps it around the new text", 2, 10, 4, 6, 5, true, 2, 13},
        AdjustCase{"replacing after the run leaves it", 0, 3, 3, 5, 1, true, 0, 3},
        AdjustCase{"replacing before the run shifts it", 6, 8, 1, 4, 1, true, 4, 6},
        AdjustCase{"replacing a range ending at the run's end ends it after the new text", 2, 6, 4, 6, 3, true, 2, 7}),
    [](const ::testing::TestParamInfo<AdjustCase>& info) { return "case" + std::to_string(info.index); });

// The edges the tests below leave: runs added over a default of size 8, bold off; then the style at
// `from` (`ask` 1 over the default, -1 over nothing) or what the selection [from, to) shows (`ask` 0).
TEST(StyleRunsTable, StyleIsWhatTheRunsMakeOfIt) {
    const TextStyle bold = [] { TextStyle style; style.bold = kStyleOn; return style; }();
    struct Case { const char* what; std::vector<StyleRun> added; int ask; u16 from, to, size; u32 bold; size_t runs; };
    const Case cases[] = {
        {"without the default only runs show", {{0, 4, sized(10)}}, -1, 1, 0, 10, kStyleNotSet, 1},
        {"a caret before a run shows the default", {{2, 5, sized(20)}}, 0, 2, 2, 8, kStyleOff, 1},
        {"a style chosen at the caret shows there", {{2, 5, sized(20)}, {5, 5, bold}}, 0, 5, 5, 20, kStyleOn, 2},
        {"bold over part of a selection shows neither", {{1, 2, bold}}, 0, 0, 3, 8, kStyleNotSet, 1},
    };
    for (const Case& c : cases) {
        StyleRuns runs;
        runs.defaultStyle = sized(8);
        runs.defaultStyle.bold = kStyleOff;
        for (const StyleRun& r : c.added) runs.AddRun(r.from, r.to, r.style);
        const TextStyle shown = c.ask == 0 ? runs.StyleOfRange(c.from, c.to) : runs.StyleAt(c.from, c.ask > 0);
        EXPECT_TRUE(shown.size == c.size && shown.bold == c.bold && runs.Runs().size() == c.runs) << c.what;
    }
}

TEST(StyleRunsAdd, SameRangeMergesOnlyWithTheLastRun) {
    StyleRuns runs;
    TextStyle bold;
    bold.bold = kStyleOn;
    runs.AddRun(1, 4, sized(10));
    runs.AddRun(4, 1, bold);  // reversed: the same range
    ASSERT_EQ(runs.Runs().size(), 1u);
    EXPECT_EQ(runs.Runs()[0].style.size, 10);
    EXPECT_EQ(runs.Runs()[0].style.bold, kStyleOn);
    runs.AddRun(0, 2, sized(12));
    runs.AddRun(1, 4, sized(14));
    EXPECT_EQ(runs.Runs().size(), 3u);
    // The later run wins where runs overlap.
    EXPECT_EQ(runs.StyleAt(1).size, 14);
    EXPECT_EQ(runs.StyleAt(0).size, 12);
}

TEST(StyleRunsShown, CaretShowsTheCharacterBeforeItAndAStyleChosenThere) {
    StyleRuns runs;
    runs.defaultStyle = sized(8);
    runs.AddRun(0, 3, sized(20));
    EXPECT_EQ(runs.StyleOfRange(0, 0).size, 20);  // a caret at 0 shows the run covering 0
    EXPECT_EQ(runs.StyleOfRange(3, 3).size, 20);
    EXPECT_EQ(runs.StyleOfRange(4, 4).size, 8);
    TextStyle italic;
    italic.italic = kStyleOn;
    runs.AddRun(4, 4, italic);
    EXPECT_EQ(runs.StyleOfRange(4, 4).italic, kStyleOn);
    EXPECT_EQ(runs.StyleOfRange(5, 5).italic, kStyleNotSet);
}

TEST(StyleRunsShown, RangeKeepsOnlyWhatAllItsCharactersShare) {
    StyleRuns runs;
    TextStyle boldSmall = sized(10);
    boldSmall.bold = kStyleOn;
    TextStyle boldLarge = sized(30);
    boldLarge.bold = kStyleOn;
    runs.AddRun(0, 2, boldSmall);
    runs.AddRun(2, 4, boldLarge);
    TextStyle shown = runs.StyleOfRange(0, 4);
    EXPECT_EQ(shown.size, 0);
    EXPECT_EQ(shown.bold, kStyleOn);
    EXPECT_EQ(runs.StyleOfRange(0, 2).size, 10);
}

TEST(StyleRunsCopy, RangeIsCutAndShiftedAndEdgesBecomeEmptyRuns) {
    StyleRuns source;
    source.defaultStyle = sized(7);
    source.AddRun(2, 6, sized(11));
    source.AddRun(0, 3, sized(12));
    source.AddRun(8, 9, sized(13));
    StyleRuns copy;
    copy.CopyRange(source, 3, 8);
    EXPECT_EQ(copy.defaultStyle.size, 7);
    ASSERT_EQ(copy.Runs().size(), 3u);
    EXPECT_EQ(copy.Runs()[0].from, 0);
    EXPECT_EQ(copy.Runs()[0].to, 3);
    EXPECT_EQ(copy.Runs()[1].from, 0);  // [0, 3) touches only the edge
    EXPECT_EQ(copy.Runs()[1].to, 0);
    EXPECT_EQ(copy.Runs()[2].from, 5);
    EXPECT_EQ(copy.Runs()[2].to, 5);
    copy.DropEmptyRuns();
    EXPECT_EQ(copy.Runs().size(), 1u);
}

}  // namespace
