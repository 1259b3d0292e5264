#include "engine/base/TList.h"

#include <gtest/gtest.h>

namespace {

std::vector<TListItem> contents(const TList& list) {
    std::vector<TListItem> out;
    for (int32_t i = 0; i < list.Count(); ++i) out.push_back(list.At(i));
    return out;
}

TEST(TList, GrowsByDoublingFromTheDefaultCapacity) {
    TList list;
    ASSERT_NE(list.Init(0), nullptr);
    EXPECT_EQ(list.Capacity(), 5);
    for (TListItem i = 1; i <= 6; ++i) EXPECT_EQ(list.Append(i), int32_t(i - 1));
    EXPECT_EQ(list.Capacity(), 10);
    for (TListItem i = 7; i <= 11; ++i) list.Add(i);
    EXPECT_EQ(list.Capacity(), 20);
    EXPECT_EQ(contents(list), (std::vector<TListItem>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST(TList, InsertsAtFrontAndAppendsBeyondTheEnd) {
    TList list;
    list.Init(2);
    list.Append(10);
    list.Append(20);
    EXPECT_EQ(list.InsertAt(5, 0), 0);
    EXPECT_EQ(list.InsertAt(99, 1000), 3);
    EXPECT_EQ(list.Insert(15, 2), 2);
    EXPECT_EQ(contents(list), (std::vector<TListItem>{5, 10, 15, 20, 99}));
}

TEST(TList, OutOfRangeAccessAndRemovalChangeNothing) {
    TList list;
    list.Init(0);
    list.Append(7);
    EXPECT_EQ(list.At(-1), 0);
    EXPECT_EQ(list.Get(1), 0);
    EXPECT_EQ(list.RemoveAt(list.Count()), 0);
    EXPECT_EQ(list.RemoveAt(-1), 0);
    EXPECT_EQ(contents(list), (std::vector<TListItem>{7}));
}

TEST(TList, RemoveTakesOnlyTheFirstCopy) {
    TList list;
    list.Init(0);
    for (TListItem v : {1, 2, 3, 2, 4}) list.Append(v);
    EXPECT_EQ(list.Remove(2), 1);
    EXPECT_EQ(contents(list), (std::vector<TListItem>{1, 3, 2, 4}));
    EXPECT_EQ(list.Delete(42), -1);
    EXPECT_EQ(list.RemoveAt(0), 1);
    EXPECT_EQ(contents(list), (std::vector<TListItem>{3, 2, 4}));
}

TEST(TList, LookupOnAFreshListGivesItAnArrayOfTwenty) {
    TList list;
    EXPECT_EQ(list.IndexOf(3), -1);
    EXPECT_EQ(list.Capacity(), 20);
    EXPECT_EQ(list.Count(), 0);
}

TEST(TList, CompactKeepsItemsAndAnEmptyCompactedListStillGrows) {
    TList list;
    list.Init(0);
    for (TListItem v : {1, 2, 3}) list.Append(v);
    list.Compact();
    EXPECT_EQ(list.Capacity(), 3);
    EXPECT_EQ(contents(list), (std::vector<TListItem>{1, 2, 3}));

    TList empty;
    empty.Init(0);
    empty.Compact();
    EXPECT_EQ(empty.Capacity(), 0);
    EXPECT_EQ(empty.Append(8), 0);
    EXPECT_EQ(contents(empty), (std::vector<TListItem>{8}));
}

// The repeating operations go through the table, so a derived list that replaces one
// operation sees every caller of its aliases too.
class CountingList : public TList {
public:
    int32_t InsertAt(TListItem item, int32_t index) override {
        ++inserts;
        return TList::InsertAt(item, index);
    }
    int32_t IndexOf(TListItem item) override {
        ++lookups;
        return TList::IndexOf(item);
    }
    int inserts = 0;
    int lookups = 0;
};

TEST(TList, AliasesCallThroughTheReplaceableOperation) {
    CountingList list;
    list.Init(0);
    list.Append(1);
    list.Add(2);
    list.Insert(3, 0);
    list.Find(2);
    list.Remove(1);
    list.Delete(3);
    EXPECT_EQ(list.inserts, 3);
    EXPECT_EQ(list.lookups, 3);
    EXPECT_EQ(contents(list), (std::vector<TListItem>{2}));
}

}  // namespace
