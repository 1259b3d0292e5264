// Projects: a three-page project saved and reopened with its pages' pictures, and the page
// arrangement's undo and redo.
#include <gtest/gtest.h>

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

}  // namespace
