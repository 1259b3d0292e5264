#include "engine/util/tCString.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/engine/util/UtilTestSupport.h"

namespace {

struct ReplaceCase {
    const char* text;
    const char* from;
    const char* to;
    const char* expected;
    u32 count;
};

class tCStringReplace : public EngineMemoryFixture, public ::testing::WithParamInterface<ReplaceCase> {};

TEST_P(tCStringReplace, ReplacesEveryOccurrenceAndCountsThem) {
    const ReplaceCase& c = GetParam();
    tCString text(c.text);
    EXPECT_EQ(text.ReplaceAll(c.from, c.to), c.count);
    EXPECT_STREQ(text.c_str(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, tCStringReplace,
                         ::testing::Values(ReplaceCase{"a b c", " ", "", "abc", 2},
                                           ReplaceCase{"aaa", "aa", "b", "ba", 1},
                                           ReplaceCase{"x", "x", "xx", "xx", 1},
                                           ReplaceCase{"abc", "", "z", "abc", 0},
                                           ReplaceCase{"abc", "d", "z", "abc", 0},
                                           ReplaceCase{"", "a", "z", "", 0},
                                           ReplaceCase{"C:\\A", ":", "|", "C|\\A", 1}));

TEST_F(EngineMemoryFixture, tCStringSharesUpperCasesAndClears) {
    tCString source("mixed Case 4");
    tCString copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.c_str(), source.c_str()) << "an assigned text shares its block";
    copy.ToUpper();
    EXPECT_STREQ(copy.c_str(), "MIXED CASE 4");
    EXPECT_STREQ(source.c_str(), "mixed Case 4");
    copy.Assign(nullptr);
    EXPECT_STREQ(copy.c_str(), "");
    source.Clear();
    EXPECT_EQ(source.Length(), 0);
}

}  // namespace
