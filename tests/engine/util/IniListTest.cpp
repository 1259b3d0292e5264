#include "engine/util/IniList.h"

#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "tests/engine/util/IniTestSupport.h"

namespace {

using Items = std::map<u16, std::string>;

class IniLists : public StoredProfileFixture {
protected:
    IniLists() : StoredProfileFixture("list.ini") {}

    static void collect(const char* value, u16 number, void* context) {
        static_cast<std::vector<std::pair<u16, std::string>>*>(context)->emplace_back(number, value);
    }
    static std::vector<std::pair<u16, std::string>> visit(const INI_LIST& list) {
        std::vector<std::pair<u16, std::string>> seen;
        list.ForEach(&collect, &seen);
        return seen;
    }
    static Items items(const INI_LIST& list) {
        Items out;
        for (auto& [number, value] : visit(list)) out[number] = value;
        return out;
    }
    std::map<std::string, std::string> pages() { return stored("list.ini", "Pages"); }
};

struct LoadCase {
    const char* name;
    const char* file;
    i16 limit;
    Items expected;
    i16 highNumber;
};

class IniListLoads : public IniLists, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(IniListLoads, ReadsItemsUpToTheCount) {
    const LoadCase& c = GetParam();
    put("list.ini", c.file);
    INI_LIST list(&profile_, "Pages", "Page", 0, 0, 1);
    EXPECT_EQ(list.Load(c.limit), kErrNone);
    EXPECT_EQ(items(list), c.expected);
    EXPECT_EQ(list.HighNumber(), c.highNumber);
    EXPECT_FALSE(list.IsDirty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniListLoads,
    ::testing::Values(
        LoadCase{"Gaps", "[Pages]\r\nPage_highnumber=5\r\nPage1=a\r\nPage3=c\r\n", 0, {{1, "a"}, {3, "c"}}, 5},
        LoadCase{"Limit", "[Pages]\r\nPage_highnumber=7\r\nPage1=a\r\nPage3=c\r\nPage4=d\r\n", 3, {{1, "a"}, {3, "c"}}, 3},
        LoadCase{"KeysPastCount", "[Pages]\r\nPage_highnumber=1\r\nPage1=a\r\nPage2=b\r\n", 0, {{1, "a"}}, 1},
        LoadCase{"EmptyTextSkipped", "[Pages]\r\nPage_highnumber=2\r\nPage1=\r\nPage2=b\r\n", 0, {{2, "b"}}, 2},
        LoadCase{"NoCount", "[Pages]\r\nPage1=a\r\n", 0, {}, 0},
        LoadCase{"NoSection", "[Other]\r\nPage1=a\r\n", 0, {}, 0},
        LoadCase{"NegativeCount", "[Pages]\r\nPage_highnumber=-4\r\nPage1=a\r\n", 0, {}, 0},
        LoadCase{"CountAtLimit", "[Pages]\r\nPage_highnumber=32767\r\nPage1=a\r\n", 0, {{1, "a"}}, 32767},
        LoadCase{"CountPastLimit", "[Pages]\r\nPage_highnumber=32768\r\nPage1=a\r\n", 0, {{1, "a"}}, 32767}),
    [](const auto& info) { return std::string(info.param.name); });

// One item too long to read whole (a damaged or hand-edited file) must not hide the items after
// it, nor be cut and written back shorter: it is left out and its key kept as it was.
TEST_F(IniLists, AnItemTooLongToReadIsLeftOutAndTheRestLoad) {
    struct Case {
        size_t length;
        EngineErr expected;
    };
    for (const Case& c : {Case{kIniListValueSize - 1u, kErrNone}, Case{kIniListValueSize, kIniErrTooLong}}) {
        SCOPED_TRACE(c.length);
        const std::string longText(c.length, 'x');
        put("list.ini", "[Pages]\r\nPage_highnumber=3\r\nPage1=a\r\nPage2=" + longText + "\r\nPage3=c\r\n");
        iniShutdown();
        INI_LIST list(&profile_, "Pages", "Page", 0, 0, 0);
        EXPECT_EQ(list.Load(0), c.expected);
        Items expected{{1, "a"}, {3, "c"}};
        if (c.expected == kErrNone) expected[2] = longText;
        EXPECT_EQ(items(list), expected);
        EXPECT_EQ(list.Save(1), kErrNone);
        EXPECT_EQ(pages()["Page2"], longText);
        EXPECT_EQ(pages()["Page3"], "c");
    }
}

TEST_F(IniLists, MissingProfileLoadsEmpty) {
    INI_LIST list(&profile_, "Pages", "Page", 1, 0, 1);
    EXPECT_EQ(list.HighNumber(), 0);
    EXPECT_TRUE(items(list).empty());
    EXPECT_FALSE(std::filesystem::exists(root_ + "/disc1/list.ini"));
}

TEST_F(IniLists, RoundTripWithGapsAndCountKey) {
    {
        INI_LIST list(&profile_, "Pages", "Page", 1, 0, 0);
        ASSERT_EQ(list.SetValue("third", 3, 0), kErrNone);
        ASSERT_EQ(list.SetValue("first", 1, 0), kErrNone);
        ASSERT_EQ(list.SetValue("sixth", 6, 0), kErrNone);
        EXPECT_TRUE(list.IsDirty());
        ASSERT_EQ(list.Save(0), kErrNone);
        EXPECT_FALSE(list.IsDirty());
    }
    EXPECT_EQ(pages(), (std::map<std::string, std::string>{
                           {"Page1", "first"}, {"Page3", "third"}, {"Page6", "sixth"}, {"Page_highnumber", "6"}}));
    INI_LIST again(&profile_, "Pages", "Page", 1, 0, 1);
    EXPECT_EQ(items(again), (Items{{1, "first"}, {3, "third"}, {6, "sixth"}}));
    EXPECT_EQ(again.HighNumber(), 6);
}

TEST_F(IniLists, EmptyItemsAndZeroCountLeaveNoKeys) {
    put("list.ini", "[Pages]\r\nPage_highnumber=2\r\nPage1=a\r\nPage2=b\r\n");
    INI_LIST list(&profile_, "Pages", "Page", 1, 0, 1);
    ASSERT_EQ(list.SetValue("", 2, 1), kErrNone);
    EXPECT_EQ(list.FindNode(2), nullptr) << "a written-out empty item leaves the chain";
    EXPECT_EQ(list.EraseAll(), kErrNone);
    EXPECT_TRUE(pages().empty());
    EXPECT_EQ(list.HighNumber(), 0);
}

TEST_F(IniLists, RemovingTheHeadNodeLaterRemovesItsKey) {
    INI_LIST list(&profile_, "Pages", "Page", 1, 0, 1);
    list.SetValue("a", 1, 1);
    list.SetValue("b", 2, 1);
    ASSERT_EQ(list.FindNode(2), list.FindNode(2));
    ASSERT_EQ(list.RemoveNode(2, 0), kErrNone);  // the newest node is the head
    EXPECT_EQ(pages().count("Page2"), 1u);
    ASSERT_EQ(list.Save(0), kErrNone);
    EXPECT_EQ(pages(), (std::map<std::string, std::string>{{"Page1", "a"}, {"Page_highnumber", "2"}}));
}

struct NumberCase {
    i16 maxNumber;
    u32 number;
    EngineErr expected;
};

class IniListNumbers : public IniLists, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(IniListNumbers, NumbersOutsideTheRangeAreRefused) {
    const NumberCase& c = GetParam();
    INI_LIST list(&profile_, "Pages", "Page", 1, c.maxNumber, 1);
    EXPECT_EQ(list.SetValue("x", c.number, 1), c.expected);
    EXPECT_EQ(list.FindNode(c.number) != nullptr, c.expected == kErrNone);
    EXPECT_EQ(pages().size(), c.expected == kErrNone ? 2u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Limits, IniListNumbers,
                         ::testing::Values(NumberCase{0, 0, kIniListErrRefused}, NumberCase{0, 1, kErrNone},
                                           NumberCase{0, 32767, kErrNone}, NumberCase{0, 32768, kIniListErrRefused},
                                           NumberCase{0, 65537, kIniListErrRefused},
                                           NumberCase{10, 10, kErrNone}, NumberCase{10, 11, kIniListErrRefused}));

TEST_F(IniLists, ForEachVisitsByNumberWhateverTheChainOrder) {
    INI_LIST list(&profile_, "Pages", "Page", 1, 0, 0);
    for (u32 n : {4u, 1u, 3u, 2u}) list.SetValue(std::to_string(n).c_str(), n, 0);
    INI_LIST copy(&profile_, "Other", "Page", 0, 0, 0);
    copy = list;
    for (const INI_LIST* l : {&list, &copy}) {
        std::vector<u16> order;
        for (auto& [number, value] : visit(*l)) order.push_back(number);
        EXPECT_EQ(order, (std::vector<u16>{1, 2, 3, 4}));
    }
    EXPECT_TRUE(copy.IsDirty());
    EXPECT_STREQ(copy.Section(), "Pages");
}

// The page list removes pages from inside its walk over them.
TEST_F(IniLists, ForEachSurvivesACallbackThatRemovesItems) {
    struct Case {
        const char* name;
        int removeOffset;  // the item removed, relative to the one visited
    } cases[] = {{"the visited item", 0}, {"the next item", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        INI_LIST list(&profile_, "Pages", "Page", 0, 0, 1);
        list.EraseAll();
        for (u32 n : {3u, 1u, 2u, 4u}) list.SetValue(std::to_string(n).c_str(), n, 1);
        struct Walk {
            INI_LIST* list;
            int offset;
            std::vector<u16> seen;
        } walk{&list, c.removeOffset, {}};
        list.ForEach(
            [](const char*, u16 number, void* context) {
                auto* w = static_cast<Walk*>(context);
                w->seen.push_back(number);
                w->list->SetValue(nullptr, u32(number + w->offset), 1);
            },
            &walk);
        EXPECT_EQ(walk.seen, (c.removeOffset == 0 ? std::vector<u16>{1, 2, 3, 4} : std::vector<u16>{1, 3}));
        EXPECT_EQ(visit(list).size(), c.removeOffset == 0 ? 0u : 2u);
    }
}

TEST_F(IniLists, MoveToRefusedNumberKeepsTheItem) {
    INI_LIST list(&profile_, "Pages", "Page", 1, 5, 1);
    list.SetValue("a", 2, 1);
    EXPECT_EQ(list.MoveItem(2, 6, 1), kIniListErrRefused);
    EXPECT_EQ(items(list), (Items{{2, "a"}}));
    EXPECT_EQ(list.MoveItem(2, 5, 1), kErrNone);
    EXPECT_EQ(items(list), (Items{{5, "a"}}));
    EXPECT_EQ(pages(), (std::map<std::string, std::string>{{"Page5", "a"}, {"Page_highnumber", "5"}}));
}

// Moving one item and closing the gap, checked against a plain vector of slots.
void modelMove(std::vector<std::string>& slots, u32 from, u32 to) {
    if (slots.size() < std::max(from, to) + 1) slots.resize(std::max(from, to) + 1);
    const std::string moved = slots[from];
    slots.erase(slots.begin() + from);
    slots.insert(slots.begin() + to, moved);
}

Items itemsOf(const std::vector<std::string>& slots) {
    Items out;
    for (size_t n = 1; n < slots.size(); ++n) {
        if (!slots[n].empty()) out[u16(n)] = slots[n];
    }
    return out;
}

class IniListShifting : public IniLists, public ::testing::WithParamInterface<u16> {};

TEST_P(IniListShifting, RandomMovesMatchTheModel) {
    const u16 writeNow = GetParam();
    std::mt19937 random(1234 + writeNow);
    for (int round = 0; round < 12; ++round) {
        std::filesystem::remove(root_ + "/disc1/list.ini");
        iniShutdown();
        ASSERT_EQ(iniInit(), kErrNone);
        std::vector<std::string> slots(1);
        INI_LIST list(&profile_, "Pages", "Page", 1, 0, 1);
        for (u32 n = 1; n <= 8; ++n) {
            slots.push_back(random() % 3 == 0 ? "" : "item" + std::to_string(n));
            list.SetValue(slots[n].c_str(), n, 1);
        }
        for (int move = 0; move < 10; ++move) {
            const u32 from = 1 + random() % 8;
            const u32 to = 1 + random() % 8;
            ASSERT_EQ(list.MoveItemShifting(from, to, writeNow), kErrNone);
            modelMove(slots, from, to);
            ASSERT_EQ(items(list), itemsOf(slots)) << "round " << round << " move " << from << "->" << to;
        }
        ASSERT_EQ(list.Save(0), kErrNone);
        INI_LIST reloaded(&profile_, "Pages", "Page", 1, 0, 1);
        ASSERT_EQ(items(reloaded), itemsOf(slots)) << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(WriteModes, IniListShifting, ::testing::Values(u16(0), u16(1)));

TEST_F(IniLists, ShiftPastTheHighestNumberIsRefused) {
    INI_LIST list(&profile_, "Pages", "Page", 1, 0, 1);
    list.SetValue("top", 32767, 1);
    list.SetValue("below", 32766, 1);
    EXPECT_EQ(list.ShiftRange(32767, 32767, +1, 1, 0), kIniListErrRefused);
    EXPECT_EQ(list.MoveItemShifting(32767, 32768, 1), kIniListErrRefused);
    EXPECT_EQ(items(list), (Items{{32766, "below"}, {32767, "top"}}));
    EXPECT_EQ(list.MoveItemShifting(32767, 32766, 1), kErrNone);
    EXPECT_EQ(items(list), (Items{{32766, "top"}, {32767, "below"}}));
}

TEST_F(IniLists, EraseAllAlsoRemovesKeysOnlyInTheFile) {
    // Page2 is too long to load; its key goes too.
    put("list.ini", "[Pages]\r\nPage_highnumber=3\r\nPage1=a\r\nPage2=" + std::string(kIniListValueSize, 'b') +
                        "\r\nPage3=c\r\n[Keep]\r\nx=1\r\n");
    INI_LIST list(&profile_, "Pages", "Page", 1, 1, 1);
    EXPECT_EQ(items(list), (Items{{1, "a"}}));
    EXPECT_EQ(list.EraseAll(), kErrNone);
    EXPECT_TRUE(pages().empty());
    EXPECT_EQ(stored("list.ini", "Keep").size(), 1u);
}

TEST_F(IniLists, SetPathSavesToTheOldFileAndLoadsTheNew) {
    put("other.ini", "[Pages]\r\nPage_highnumber=1\r\nPage1=there\r\n");
    INI_LIST list(&profile_, "Pages", "Page", 1, 0, 1);
    list.SetValue("here", 1, 0);
    TestPath other("T:\\other.ini");
    ASSERT_EQ(list.SetPath(other.get(), 1, 1), kErrNone);
    EXPECT_EQ(pages().at("Page1"), "here");
    EXPECT_EQ(items(list), (Items{{1, "there"}}));
}

// A list that the file did not take says so, whether its keys went through one by one or
// waited for the final write, and stays dirty so that the next save writes it.
TEST_F(IniLists, SaveThatTheFileRefusesReportsItAndStaysDirty) {
    namespace fs = std::filesystem;
    for (u16 writeThrough : {0, 1}) {
        put("list.ini", "[Pages]\r\nPage_highnumber=1\r\nPage1=old\r\n");
        const fs::path file = root_ + "/disc1/list.ini";
        {
            INI_LIST list(&profile_, "Pages", "Page", 1, 0, writeThrough);
            ASSERT_EQ(list.SetValue("new", 1, 0), kErrNone);
            ASSERT_EQ(list.SetValue("two", 2, 0), kErrNone);
            fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
            EXPECT_NE(list.Save(0), kErrNone) << writeThrough;
            EXPECT_EQ(pages().at("Page1"), "old") << writeThrough;
            EXPECT_EQ(pages().count("Page2"), 0u) << writeThrough;
            fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
            EXPECT_EQ(list.Save(0), kErrNone) << writeThrough;
            EXPECT_FALSE(list.IsDirty()) << writeThrough;
        }
        EXPECT_EQ(pages(), (std::map<std::string, std::string>{{"Page1", "new"}, {"Page2", "two"}, {"Page_highnumber", "2"}}))
            << writeThrough;
        iniShutdown();
        ASSERT_EQ(iniInit(), kErrNone);
    }
}

// A save flushes the profile but leaves it in the list's own mode: a list kept in memory
// does not turn its profile write-through.
TEST_F(IniLists, SaveKeepsTheListsFlushMode) {
    for (u16 writeThrough : {0, 1}) {
        put("list.ini", "[Pages]\r\nPage_highnumber=1\r\nPage1=old\r\n");
        INI_LIST list(&profile_, "Pages", "Page", 1, 0, writeThrough);
        ASSERT_EQ(list.SetValue("new", 1, 0), kErrNone);
        ASSERT_EQ(list.Save(0), kErrNone);
        EXPECT_EQ(pages().at("Page1"), "new") << writeThrough;
        EXPECT_EQ(iniSetFlushMode(&profile_, writeThrough), writeThrough);
        iniShutdown();
        ASSERT_EQ(iniInit(), kErrNone);
    }
}

TEST_F(IniLists, SetPathKeepsTheOldFileWhenItCannotBeSaved) {
    namespace fs = std::filesystem;
    put("list.ini", "[Pages]\r\nPage_highnumber=1\r\nPage1=old\r\n");
    INI_LIST list(&profile_, "Pages", "Page", 1, 0, 1);
    list.SetValue("here", 1, 0);
    fs::permissions(root_ + "/disc1/list.ini", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    TestPath other("T:\\other.ini");
    EXPECT_NE(list.SetPath(other.get(), 1, 0), kErrNone);
    EXPECT_EQ(pathCompare(list.Profile(), &profile_), kErrNone) << "still the old file's list";
    fs::permissions(root_ + "/disc1/list.ini", fs::perms::owner_write, fs::perm_options::add);
}

}  // namespace
