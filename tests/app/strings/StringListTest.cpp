// Packed name lists: positions, copies and searches, and lists whose bytes end before their
// count byte says.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "app/strings/StringList.h"
#include "tests/framework/SystemArchiveFixture.h"

namespace {

using Ostrel::StringList;

std::string packed(u8 count, std::initializer_list<std::string> names) {
    std::string bytes(1, char(count));
    for (const std::string& name : names) bytes += name + '\0';
    return bytes;
}

TEST(StringListTest, CopiesAndFindsByPosition) {
    testfw::SystemArchive archive;
    archive.open({{Ostrel::kStringListType, 300, packed(3, {"Fade", "Wipe", "fade"})}});
    StringList list;
    ASSERT_EQ(list.Load(300), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.CopyString(0), "Fade");
    EXPECT_EQ(list.CopyString(2), "fade");
    EXPECT_EQ(list.CopyString(3), std::nullopt);
    EXPECT_EQ(list.FindString("fade"), 3);
    EXPECT_EQ(list.FindString("Wipe"), 2);
    EXPECT_EQ(list.FindString("Dissolve"), 0);
    EXPECT_EQ(list.FindString(nullptr), 0);
}

struct ListCase {
    const char* what;
    std::string bytes;
    u16 count;
    const char* last;
};

class StringListBytes : public ::testing::TestWithParam<ListCase> {};

TEST_P(StringListBytes, HoldsOnlyWhatTheBytesCarry) {
    testfw::SystemArchive archive;
    archive.open({{Ostrel::kStringListType, 7, GetParam().bytes}});
    StringList list;
    ASSERT_EQ(list.Load(7), 0);
    EXPECT_EQ(list.Count(), GetParam().count);
    EXPECT_EQ(list.CopyString(GetParam().count), std::nullopt);
    if (GetParam().last) {
        EXPECT_EQ(list.CopyString(u16(GetParam().count - 1)), GetParam().last);
    }
    EXPECT_EQ(list.FindString("beyond"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, StringListBytes,
    ::testing::Values(ListCase{"empty", packed(0, {}), 0, nullptr},
                      ListCase{"count only, no strings", std::string(1, '\3'), 0, nullptr},
                      ListCase{"fewer strings than counted", packed(4, {"one", "two"}), 2, "two"},
                      ListCase{"more strings than counted", packed(1, {"one", "beyond"}), 1, "one"},
                      ListCase{"last string unterminated", packed(2, {"one"}) + "tw", 1, "one"},
                      ListCase{"empty names count", packed(3, {"", "", "x"}), 3, "x"},
                      ListCase{"255 names", [] {
                                   std::string bytes(1, char(255));
                                   for (int i = 0; i < 255; ++i) bytes += std::to_string(i) + '\0';
                                   return bytes;
                               }(),
                               255, "254"}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST(StringListTest, AMissingListLeavesItEmpty) {
    testfw::SystemArchive archive;
    archive.open({{Ostrel::kStringListType, 300, packed(1, {"Fade"})}});
    StringList list;
    ASSERT_EQ(list.Load(300), 0);
    EXPECT_EQ(list.Load(301), 1);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.CopyString(0), std::nullopt);
}

}  // namespace
