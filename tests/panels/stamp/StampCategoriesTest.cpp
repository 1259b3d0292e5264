// The stamp panel's remembered words, whatever "user.ini" holds, and its category names.
#include "panels/stamp/StampCategories.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace Ostrel;

tStampPanelSaveData record(i16 category, i16 size, i16 choice = 0, size_t choiceWord = kStampWordFirstChoice) {
    tStampPanelSaveData r{};
    r.fill(0);
    r[kStampWordCategory] = category;
    r[kStampWordSize] = size;
    r[choiceWord] = choice;
    return r;
}

TEST(StampPrefs, RestoreTakesOnlyWhatIsThere) {
    // Library 1 is excluded: the popup shows libraries 0, 2 and 3 at places 0, 1 and 2.
    const std::vector<u16> ids = {0, 2, 3};
    struct Case {
        const char* what;
        tStampPanelSaveData stored;
        int place;
        i16 size;
    };
    const Case cases[] = {
        {"first use", record(-1, -1), 0, 0},
        {"valid", record(3, 2), 2, 2},
        {"by library id, not popup place", record(2, 3), 1, 3},
        {"excluded library", record(1, 1), 0, 1},
        {"library past the list", record(49, 0), 0, 0},
        {"size past the buttons", record(0, 4), 0, 0},
        {"negative size", record(0, -7), 0, 0},
        {"huge category", record(32767, 32767), 0, 0},
    };
    for (const Case& c : cases) {
        const StampChoices got = RestoreStampChoices(c.stored, ids);
        EXPECT_EQ(got.categoryPlace, c.place) << c.what;
        EXPECT_EQ(got.sizeIndex, c.size) << c.what;
    }
}

TEST(StampPrefs, RememberedStampsStayInsideTheCategoryAndTheRecord) {
    struct Case {
        const char* what;
        tStampPanelSaveData stored;
        u16 library;
        int count;
        int stamp;
    };
    const Case cases[] = {
        {"valid", record(0, 0, 5), 0, 16, 5},
        {"last stamp", record(0, 0, 15), 0, 16, 15},
        {"one past the stamps", record(0, 0, 16), 0, 16, 0},
        {"negative", record(0, 0, -3), 0, 16, 0},
        {"empty category", record(0, 0, 3), 0, 0, 0},
        {"last remembered library", record(0, 0, 4, 51), 49, 16, 4},
        {"library without a word", record(0, 0, 4, 51), 50, 16, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(RememberedStamp(c.stored, c.library, c.count), c.stamp) << c.what;
    tStampPanelSaveData r = record(0, 0);
    RememberStamp(r, 49, 7);
    RememberStamp(r, 50, 9);
    RememberStamp(r, 3, -1);
    EXPECT_EQ(r[51], 7);
    EXPECT_EQ(r[kStampWordFirstChoice + 3], 0);
}

TEST(StampPrefs, RandomRecordsAlwaysGivePlacesThatExist) {
    std::mt19937 random(51);
    std::uniform_int_distribution<int> word(-32768, 32767);
    const std::vector<u16> ids = {0, 1, 4};
    for (int round = 0; round < 2000; ++round) {
        tStampPanelSaveData r{};
        for (i16& w : r) w = i16(word(random));
        const StampChoices got = RestoreStampChoices(r, ids);
        ASSERT_GE(got.categoryPlace, 0);
        ASSERT_LT(got.categoryPlace, int(ids.size()));
        ASSERT_GE(got.sizeIndex, 0);
        ASSERT_LT(got.sizeIndex, kStampSizeCount);
        const int stamp = RememberedStamp(r, ids[size_t(got.categoryPlace)], 16);
        ASSERT_GE(stamp, 0);
        ASSERT_LT(stamp, 16);
    }
}

TEST(StampCategoryNames, NamesAndFileNames) {
    EXPECT_EQ(CategoryName("Animal Stamps.tbl"), "Animal Stamps");
    EXPECT_EQ(CategoryName("a.b.tbl"), "a.b");
    EXPECT_EQ(CategoryName("plain"), "plain");
    EXPECT_EQ(CategoryFileName("/x/Library/Stamps/Yummy Stamps.tbl"), "Yummy Stamps.tbl");
    EXPECT_EQ(CategoryFileName("C:\\prog\\Library\\Stamps\\Yummy Stamps.tbl"), "Yummy Stamps.tbl");
    EXPECT_EQ(CategoryFileName("Yummy Stamps.tbl"), "Yummy Stamps.tbl");
}

}  // namespace
