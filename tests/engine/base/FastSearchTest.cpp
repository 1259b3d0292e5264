#include "engine/base/FastSearch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

u32 find(const std::string& text) { return FastSearchFind(text.data(), u32(text.size())); }

struct Case {
    const char* name;
    const char* pattern;
    bool ignoreCase;
    std::string text;
    u32 expected;
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class FastSearchCases : public ::testing::TestWithParam<Case> {};

TEST_P(FastSearchCases, FindsThePlaceAfterTheFirstMatch) {
    const Case& c = GetParam();
    ASSERT_TRUE(FastSearchSetPattern(c.pattern, c.ignoreCase));
    EXPECT_EQ(find(c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    FastSearch, FastSearchCases,
    ::testing::Values(Case{"upper case found when ignoring case", "cat", true, "the CAT sat", 7},
                      Case{"upper case not found when minding case", "cat", false, "the CAT sat", 0},
                      Case{"mixed-case pattern ignoring case", "CaT", true, "a cat", 5},
                      Case{"first of several matches", "ab", false, "xxabyyab", 4},
                      Case{"match at the very start", "ab", false, "abc", 2},
                      Case{"match at the very end", "bc", false, "abc", 3},
                      Case{"text exactly the pattern", "abc", false, "abc", 3},
                      Case{"text one shorter than the pattern", "abc", false, "ab", 0},
                      Case{"repeated last byte", "aab", false, "aaaab", 5},
                      Case{"last byte earlier in the pattern", "abab", false, "abaabab", 7},
                      Case{"one-byte pattern", "z", false, "xyz", 3},
                      Case{"near miss then match", "needle", false, "needlneedle", 11},
                      Case{"bytes above 127", "\xE9t\xE9", true, "\xC9T\xC9 \xE9t\xE9", 7},
                      Case{"no match", "dog", true, "the cat sat on the mat", 0}));

TEST(FastSearch, EmptyPatternIsRefusedAndTheOldOneKept) {
    ASSERT_TRUE(FastSearchSetPattern("ab", false));
    EXPECT_FALSE(FastSearchSetPattern("", false));
    EXPECT_FALSE(FastSearchSetPattern(nullptr, true));
    EXPECT_EQ(find("xab"), 3u);
}

TEST(FastSearch, ReadsNoFurtherThanTheLength) {
    ASSERT_TRUE(FastSearchSetPattern("end", false));
    const char text[] = "the end";
    EXPECT_EQ(FastSearchFind(text, 6), 0u);
    EXPECT_EQ(FastSearchFind(text, 7), 7u);
}

}  // namespace
