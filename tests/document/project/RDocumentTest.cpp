// Projects: a three-page project saved and reopened with its pages' pictures, and the page
// arrangement's undo and redo.
#include <gtest/gtest.h>

#include <functional>

#include "document/project/RDocument.h"
#include "tests/document/DocumentFolderFixture.h"
#include "tests/document/pages/PageSamples.h"

namespace {

using namespace Ostrel;
using Project = testdoc::DocumentFolderFixture;

std::vector<u16> numbers(RDocument& doc) {
    std::vector<u16> seen;
    for (u16 n = 1; n <= kMaxProjectPages; ++n)
        if (doc.GetPage(n)->Number() == n) seen.push_back(n);
    return seen;
}

TEST_F(Project, ThreePagesSavedAndReopened) {
    const std::string folder = engineTextOfHostFolder(root_);
    EnginePath file(folder + "\\Zoo.tbp");
    std::vector<std::vector<testdoc::ObjectData>> saved;
    {
        RDocument doc(nullptr);
        const char* names[] = {"Lion.tbx", "Bear.tbx", "Owl.tbx"};
        for (int i = 0; i < 3; ++i) {
            auto page = std::make_unique<RPage>(PageSettings{}, names[i], 0);
            page->SetTiming(u8(3 + i), u8(i));
            page->Data().AddObject(kTypeText, 1, testdoc::textBytes(names[i]), {0, 0, 40, 10});
            if (i == 1) testdoc::fillWithEveryKind(page->Data(), 8, 6);
            EnginePath pagePath(folder + "\\" + names[i]);
            ASSERT_EQ(page->Data().SaveToFile(pagePath.get()), kErrNone);
            saved.push_back(testdoc::contentOf(page->Data()));
            ASSERT_EQ(doc.AppendPage(std::move(page)), kErrNone);
        }
        ASSERT_TRUE(doc.SetBackgroundColor(20));
        doc.SetBackgroundSound(3);
        ASSERT_EQ(doc.SaveAs(file.get()), kErrNone);
    }
    const std::string text = read("Zoo.tbp");
    for (const char* line : {"Page1=Lion.tbx,1,1,4,4,3,0,0", "Page2=Bear.tbx,1,1,4,4,4,1,0", "Page3=Owl.tbx,1,1,4,4,5,2,0",
                             "BackgroundColor=20", "BackgroundSound=3"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;

    RDocument back(file.get());
    back.LoadPages();
    ASSERT_EQ(back.PageCount(), 3u);
    EXPECT_EQ(back.BackgroundColor(), 20);
    EXPECT_EQ(back.GetPage(kFirstPageNumber)->FileName(), "Lion.tbx");
    EXPECT_EQ(back.GetPage(kLastPageNumber)->FileName(), "Owl.tbx");
    EXPECT_EQ(back.GetPage(2)->settings, (PageSettings{1, 1, 4, 4, 4, 1, 0}));
    size_t loaded = 0;
    back.Config().ForEachPagePath([&](const Path* path, const PageSettings&, u16 number) {
        RPageData data;
        ASSERT_EQ(data.OpenAndLoad(path), kErrNone) << number;
        EXPECT_EQ(testdoc::contentOf(data), saved[number - 1]) << number;
        ++loaded;
    });
    EXPECT_EQ(loaded, 3u);

    // A page's contents are read from its file on first use, and again once released.
    EXPECT_EQ(testdoc::contentOf(back.GetPage(2)->Data()), saved[1]);
    back.ReleaseAllMedia();
    EXPECT_FALSE(back.GetPage(2)->HasData());
    EXPECT_EQ(testdoc::contentOf(back.GetPage(2)->Data()), saved[1]);
    EXPECT_EQ(testdoc::contentOf(back.GetPage(3)->Data()), saved[2]);
}

TEST_F(Project, PageNamesLeavingTheFolderGiveNoPath) {
    write("p/Trap.tbp", "[Pages]\r\nPage1=..\\..\\x.tbx,1\r\nPage2=ok.tbx\r\nPage_highnumber=2\r\n");
    EnginePath file(engineTextOfHostFolder(root_) + "\\p\\Trap.tbp");
    ProjectConfigFile config(file.get(), true);
    std::vector<std::pair<u16, bool>> seen;
    config.ForEachPagePath([&](const Path* path, const PageSettings&, u16 number) { seen.emplace_back(number, path->record != nullptr); });
    EXPECT_EQ(seen, (std::vector<std::pair<u16, bool>>{{1, false}, {2, true}}));
}

TEST_F(Project, ArrangementUndoAndRedo) {
    RDocument doc(nullptr);
    EXPECT_FALSE(doc.CanUndoArrangement());
    for (int i = 0; i < 3; ++i) ASSERT_EQ(doc.AppendPage(std::make_unique<RPage>(PageSettings{}, "p.tbx", 0)), kErrNone);
    RPage* second = doc.GetPage(2);
    ASSERT_TRUE(doc.RemovePage(2));
    EXPECT_EQ(numbers(doc), (std::vector<u16>{1, 3}));
    EXPECT_EQ(doc.GetPage(2)->Number(), kBlankPageNumber);
    EXPECT_EQ(doc.FindBlankSlotWrapping(1), 2);

    ASSERT_TRUE(doc.UndoArrangement());
    EXPECT_EQ(numbers(doc), (std::vector<u16>{1, 2, 3}));
    EXPECT_EQ(doc.GetPage(2), second) << "the same page comes back, with what it held";
    EXPECT_FALSE(doc.CanUndoArrangement());
    ASSERT_TRUE(doc.RedoArrangement());
    EXPECT_EQ(numbers(doc), (std::vector<u16>{1, 3}));
    EXPECT_FALSE(doc.RedoArrangement());

    ASSERT_TRUE(doc.MovePage(3, 7));
    EXPECT_EQ(numbers(doc), (std::vector<u16>{1, 7}));
    ASSERT_TRUE(doc.UndoArrangement());
    EXPECT_EQ(numbers(doc), (std::vector<u16>{1, 3})) << "the moved page gets its old place back";
    ASSERT_TRUE(doc.RedoArrangement());
    EXPECT_EQ(numbers(doc), (std::vector<u16>{1, 7}));

    RPage* added = doc.AddPage(2, *doc.GetPage(1));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(doc.AddPage(2, *doc.GetPage(1)), nullptr) << "place taken";
    EXPECT_EQ(doc.AddPage(0, *doc.GetPage(1)), nullptr);
    EXPECT_EQ(doc.AddPage(kMaxProjectPages + 1, *doc.GetPage(1)), nullptr);
    EXPECT_NE(doc.AddPage(kMaxProjectPages, *doc.GetPage(1)), nullptr);
}

TEST_F(Project, BlankSlotSearchAndAppendLimits) {
    RDocument doc(nullptr);
    const RPage source(PageSettings{}, "s.tbx", 0);
    ASSERT_NE(doc.AddPage(1, source), nullptr);
    ASSERT_NE(doc.AddPage(3, source), nullptr);
    struct Case {
        u16 from, slot;
    };
    for (Case c : {Case{0, 2}, Case{1, 2}, Case{2, 2}, Case{3, 4}, Case{kMaxProjectPages, kMaxProjectPages},
                   Case{kMaxProjectPages + 1, 2}})
        EXPECT_EQ(doc.FindBlankSlotWrapping(c.from), c.slot) << c.from;

    ASSERT_NE(doc.AddPage(kMaxProjectPages - 1, source), nullptr);
    EXPECT_EQ(doc.AppendPage(std::make_unique<RPage>(PageSettings{}, "x.tbx", 0)), kErrNone) << "the last place";
    EXPECT_EQ(doc.GetPage(kMaxProjectPages)->FileName(), "x.tbx");
    EXPECT_EQ(doc.AppendPage(std::make_unique<RPage>(PageSettings{}, "y.tbx", 0)), kDocErrNoPlace);
    EXPECT_EQ(doc.PageCount(), 4u);
    EXPECT_EQ(doc.FindBlankSlotWrapping(kMaxProjectPages), 2) << "wraps to the start";
    for (u16 n = 4; n < kMaxProjectPages - 1; ++n) ASSERT_NE(doc.AddPage(n, source), nullptr) << n;
    ASSERT_NE(doc.AddPage(2, source), nullptr);
    EXPECT_EQ(doc.FindBlankSlotWrapping(1), 0) << "every place taken";
}

TEST_F(Project, BackgroundColourLimitBothSides) {
    RDocument doc(nullptr);
    EXPECT_TRUE(doc.SetBackgroundColor(kBackgroundColorCount - 1));
    EXPECT_FALSE(doc.SetBackgroundColor(kBackgroundColorCount));
    EXPECT_EQ(doc.BackgroundColor(), kBackgroundColorCount - 1);
}

// A project file's settings outside what they can hold read as their default, never wrapped
// into another value; the picker's places too. Only a file holding a project's sections is one.
TEST_F(Project, FileValuesOutOfTheirRangeReadAsTheDefault) {
    struct Case {
        const char* text;
        u16 color;
        int topLeft;
    };
    const Case cases[] = {
        {"[SlideShow]\r\nBackgroundColor=20\r\n[PickerDisplay]\r\nTopLeftPage=3\r\n", 20, 3},
        {"[SlideShow]\r\nBackgroundColor=30\r\n[PickerDisplay]\r\nTopLeftPage=100\r\n", 30, 100},
        {"[SlideShow]\r\nBackgroundColor=65535\r\n[PickerDisplay]\r\nTopLeftPage=101\r\n", 65535, 0},
        {"[SlideShow]\r\nBackgroundColor=-32769\r\n[PickerDisplay]\r\nTopLeftPage=-2147483648\r\n", 0, 0},
        {"[SlideShow]\r\nBackgroundColor=65536\r\n[PickerDisplay]\r\nTopLeftPage=-1\r\n", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string name = "Show" + std::to_string(&c - cases) + ".tbp";
        write(name, c.text);
        EnginePath file(engineTextOfHostFolder(root_) + "\\" + name);
        RDocument doc(file.get());
        EXPECT_EQ(doc.BackgroundColor(), c.color);
        EXPECT_EQ(doc.Config().PickerPlace(doc.Config().topLeftPage), c.topLeft);
    }
}

TEST_F(Project, OnlyAFileWithAProjectsSectionsIsAProject) {
    struct Case {
        const char* name;
        std::string bytes;
        bool project;
    };
    std::string noise(3000, '\0');
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = char((i * 2654435761u) >> 13);
    const Case cases[] = {
        {"empty", "", false},
        {"random bytes", noise, false},
        {"another program's settings", "[Window]\r\nWidth=3\r\n", false},
        {"a show without slides", "[SlideShow]\r\nBackgroundColor=0\r\n", true},
        {"slides alone", "[Pages]\r\nPage1=Lion.tbx,1,1,4,4,7,0,0\r\n", true},
        {"the picker's places alone, lower case", "[pickerdisplay]\r\nSelectedPage=1\r\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string name = std::string("P") + std::to_string(&c - cases) + ".tbp";
        write(name, c.bytes);
        EnginePath file(engineTextOfHostFolder(root_) + "\\" + name);
        EXPECT_EQ(ProjectConfigFile::IsProjectFile(file.get()), c.project);
    }
}

}  // namespace

namespace {

// A page put at a place replaces the one there, a page moved to another place takes the pages
// between one step toward its old place, and each is one step that undo takes back whole.
TEST_F(Project, PlaceAndMoveAreOneStepEach) {
    struct Case {
        const char* what;
        std::function<bool(RDocument&)> act;
        std::vector<u16> after;
        const char* firstName;  // the page at 1 afterwards
    };
    auto named = [](const char* name) { return std::make_unique<RPage>(PageSettings{}, name, 0); };
    const Case cases[] = {
        {"placed at a free place", [&](RDocument& d) { return d.PlacePage(5, named("e")) == kErrNone; }, {1, 2, 3, 5}, "a"},
        {"placed over a page", [&](RDocument& d) { return d.PlacePage(1, named("x")) == kErrNone; }, {1, 2, 3}, "x"},
        {"placed at 99", [&](RDocument& d) { return d.PlacePage(99, named("z")) == kErrNone; }, {1, 2, 3, 99}, "a"},
        {"placed at 100", [&](RDocument& d) { return d.PlacePage(100, named("z")) != kErrNone; }, {1, 2, 3}, "a"},
        {"placed at 0", [&](RDocument& d) { return d.PlacePage(0, named("z")) != kErrNone; }, {1, 2, 3}, "a"},
        {"1 moved to 3", [](RDocument& d) { return d.MovePageTo(1, 3); }, {1, 2, 3}, "b"},
        {"3 moved to 1", [](RDocument& d) { return d.MovePageTo(3, 1); }, {1, 2, 3}, "c"},
        {"1 moved past the pages", [](RDocument& d) { return d.MovePageTo(1, 6); }, {1, 2, 6}, "b"},
        {"a blank place moved", [](RDocument& d) { return !d.MovePageTo(4, 1); }, {1, 2, 3}, "a"},
        {"moved to 100", [](RDocument& d) { return !d.MovePageTo(1, 100); }, {1, 2, 3}, "a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RDocument doc(nullptr);
        for (const char* name : {"a", "b", "c"}) ASSERT_EQ(doc.AppendPage(named(name)), kErrNone);
        EXPECT_TRUE(c.act(doc));
        EXPECT_EQ(numbers(doc), c.after);
        EXPECT_EQ(doc.GetPage(1)->FileName(), c.firstName);
        if (doc.GetPage(1)->FileName() == "a" && c.after == std::vector<u16>{1, 2, 3}) continue;
        ASSERT_TRUE(doc.UndoArrangement());
        EXPECT_EQ(numbers(doc), (std::vector<u16>{1, 2, 3}));
        EXPECT_EQ(doc.GetPage(1)->FileName(), "a");
    }
}

}  // namespace
