// A page text through its record and back: every character keeps its style, and the record
// holds one run per stretch the runs change alike.
#include <gtest/gtest.h>

#include <vector>

#include "document/objects/TextRecordStyles.h"

namespace Ostrel {
namespace {

struct StoredCase {
    const char* what;
    std::vector<StyleRun> runs;  // over "the green frog", added in order
    size_t stored;               // run records
};

TextStyle change(u16 size, u32 bold) {
    TextStyle style;
    style.size = size;
    style.bold = bold;
    return style;
}

class TextRecordStylesTable : public ::testing::TestWithParam<StoredCase> {};

TEST_P(TextRecordStylesTable, EachCharacterKeepsItsStyle) {
    const StoredCase& c = GetParam();
    StyledText text("the green frog", 14);
    text.Runs().defaultStyle.Set("Sans", 14, 0, GfxColor::rgb(0, 0, 255));
    text.SetJustification(kJustifyCentre);
    for (const StyleRun& run : c.runs) text.Runs().AddRun(run.from, run.to, run.style);
    const TextRecord record = textRecordOf(text);
    EXPECT_EQ(record.runs.size(), c.stored) << c.what;
    std::vector<u8> bytes;
    ASSERT_EQ(writeTextRecord(record, &bytes), kErrNone) << c.what;
    TextRecord read;
    ASSERT_EQ(parseTextRecord(bytes, &read), kErrNone) << c.what;
    const StyledText back = styledTextOf(read);
    EXPECT_EQ(back.Text(), text.Text());
    EXPECT_EQ(back.Justification(), kJustifyCentre);
    for (u16 i = 0; i < text.Length(); ++i) {
        const TextStyle was = text.Runs().StyleAt(i), now = back.Runs().StyleAt(i);
        EXPECT_TRUE(std::string(was.name) == now.name && was.size == now.size && was.StyleBits() == now.StyleBits() &&
                    was.color.red == now.color.red && was.color.blue == now.color.blue)
            << c.what << " at " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextRecordStylesTable,
    ::testing::Values(StoredCase{"a text in one style is stored without runs", {}, 0},
                      StoredCase{"one word bold and bigger", {{4, 9, change(28, kStyleOn)}}, 1},
                      StoredCase{"overlapping runs become their stretches", {{0, 9, change(20, kStyleNotSet)}, {4, 14, change(0, kStyleOn)}}, 3},
                      StoredCase{"a run changing nothing is not stored", {{2, 6, change(0, kStyleNotSet)}}, 0},
                      StoredCase{"a style chosen at a caret is not stored", {{9, 9, change(0, kStyleOn)}}, 0},
                      StoredCase{"a text styled whole is stored in one style", {{0, 14, change(20, kStyleOn)}}, 0}),
    [](const ::testing::TestParamInfo<StoredCase>& info) { return "case" + std::to_string(info.index); });

}  // namespace
}  // namespace Ostrel
