#include <gtest/gtest.h>

#include <string>

#include "spell/SplBytes.h"
#include "spell/SplSearch.h"

namespace {

// The apostrophe prefixes of languages 3 and 13, one data byte each.
std::string prefixTable() {
    const std::pair<char, const char*> items[] = {{1, "d"},      {1, "j"},      {2, "jusqu"},  {1, "l"}, {2, "lorsqu"},
                                                  {1, "m"},      {1, "n"},      {2, "presqu"}, {2, "puisqu"},
                                                  {1, "qu"},     {2, "quelqu"}, {2, "quoiqu"}, {1, "s"}, {1, "t"}};
    std::string table;
    for (auto [value, text] : items) {
        table.push_back(value);
        table += text;
        table.push_back('\0');
    }
    return table;
}

TEST(SplSearch, SortedStringSearch) {
    const std::string table = prefixTable();
    const u8* t = reinterpret_cast<const u8*>(table.data());
    u32 length = u32(table.size());
    struct Case {
        const char* key;
        int answer;
    };
    const Case cases[] = {{"qu", -1}, {"d", -1}, {"t", -1}, {"quoiqu", -1}, {"quel", 1}, {"lors", 1},
                          {"x", 0},   {"a", 0},  {"quz", 0}};
    for (const Case& c : cases) {
        u32 position = 9999;
        EXPECT_EQ(ssearch(reinterpret_cast<const u8*>(c.key), t, length, 1, &position), c.answer) << c.key;
        if (c.answer == -1) {
            EXPECT_STREQ(reinterpret_cast<const char*>(t + position + 1), c.key);
        }
    }
    u32 position = 0;
    ASSERT_EQ(ssearch(reinterpret_cast<const u8*>("qu"), t, length, 1, &position), -1);
    EXPECT_EQ(t[position], 1);
    ASSERT_EQ(ssearch(reinterpret_cast<const u8*>("jusqu"), t, length, 1, &position), -1);
    EXPECT_EQ(t[position], 2);
}

TEST(SplSearch, Similarity) {
    auto lcs = [](const std::string& a, const std::string& b) {
        return seqlen(reinterpret_cast<const u8*>(a.data()), reinterpret_cast<const u8*>(b.data()), u32(a.size()),
                      u32(b.size()));
    };
    EXPECT_EQ(lcs("spelling", "spelling"), 8u);
    EXPECT_EQ(lcs("abc", "xyz"), 0u);
    EXPECT_EQ(lcs("receive", "recieve"), 6u);
    EXPECT_EQ(lcs("", "abc"), 0u);
    EXPECT_EQ(lcs("ab", "ba"), 1u);
    const std::string longest(255, 'q');
    EXPECT_EQ(lcs(longest, longest), 255u);
}

TEST(SplSearch, ReversedEndingTable) {
    // The endings la, ala, le, las and nos written backwards, 6 bytes each, in sorted order.
    const char table[] = "al\0\0\0\0" "ala\0\0\0" "el\0\0\0\0" "sal\0\0\0" "son\0\0\0";
    const u8* t = reinterpret_cast<const u8*>(table);
    struct Case {
        const char* word;
        bool keepLast;
        int entry;
    };
    const Case cases[] = {{"dala", false, 0}, {"cala", false, 0}, {"cala", true, 1}, {"dalas", true, 3},
                          {"dale", true, 2},  {"danos", false, 4}, {"xyz", true, -1}, {"a", true, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(splSuffixMatch(reinterpret_cast<const u8*>(c.word), t, 5, 6, 0, c.keepLast), c.entry) << c.word;
}

TEST(SplBytes, LittleEndianNumbers) {
    const u8 data[] = {0x78, 0x56, 0x34, 0x12};
    const std::pair<int, u32> cases[] = {{0, 0}, {1, 0x78}, {2, 0x5678}, {3, 0x345678}, {4, 0x12345678}};
    for (auto [count, value] : cases) EXPECT_EQ(bytes2nu(data, count), value) << count;
}

}  // namespace
