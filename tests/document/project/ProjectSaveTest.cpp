// Writing a project's file: a file that cannot be written is reported, a project saved over
// another one keeps none of the other's pages, and page names the file cannot hold are refused.
#include <gtest/gtest.h>

#include <filesystem>

#include "document/project/ProjectConfigFile.h"
#include "document/project/RDocument.h"
#include "tests/document/DocumentFolderFixture.h"

namespace {

using namespace Ostrel;
using ProjectSave = testdoc::DocumentFolderFixture;

std::unique_ptr<RPage> pageNamed(const std::string& name) {
    return std::make_unique<RPage>(PageSettings{}, name, 0);
}

TEST_F(ProjectSave, AFileThatCannotBeWrittenIsReported) {
    EnginePath file(engineTextOfHostFolder(root_) + "\\Zoo.tbp");
    RDocument doc(nullptr);
    ASSERT_EQ(doc.AppendPage(pageNamed("Lion.tbx")), kErrNone);
    ASSERT_EQ(doc.SaveAs(file.get()), kErrNone);
    std::filesystem::permissions(root_ + "/Zoo.tbp", std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    ASSERT_EQ(doc.AppendPage(pageNamed("Bear.tbx")), kErrNone);
    EXPECT_NE(doc.SaveAs(file.get()), kErrNone) << "the file still holds one page";
    EXPECT_EQ(read("Zoo.tbp").find("Bear"), std::string::npos);
}

TEST_F(ProjectSave, SavedOverAnotherProjectKeepsNoneOfItsPages) {
    EnginePath file(engineTextOfHostFolder(root_) + "\\Zoo.tbp");
    write("Zoo.tbp", "[Pages]\r\nPage1=a.tbx\r\nPage2=b.tbx\r\nPage3=c.tbx\r\nPage_highnumber=3\r\n");
    {
        RDocument small(nullptr);
        ASSERT_EQ(small.AppendPage(pageNamed("z.tbx")), kErrNone);
        ASSERT_EQ(small.SaveAs(file.get()), kErrNone);
    }
    RDocument back(file.get());
    back.LoadPages();
    EXPECT_EQ(back.PageCount(), 1u) << read("Zoo.tbp");
    EXPECT_EQ(back.GetPage(1)->FileName(), "z.tbx");
}

// The entry is "<name>,<settings>": a name with a comma would be read back cut short, one
// with a line break would end the entry.
TEST_F(ProjectSave, PageNamesTheEntryCannotHoldAreRefused) {
    EnginePath file(engineTextOfHostFolder(root_) + "\\Zoo.tbp");
    struct Case {
        const char* name;
        bool taken;
    } cases[] = {{"Cat and dog.tbx", true}, {"Cat, dog.tbx", false}, {"Cat\ndog.tbx", false}, {"Cat\tdog.tbx", false}};
    for (const Case& c : cases) {
        ProjectConfigFile config(file.get(), false);
        EXPECT_EQ(config.SetPage(1, c.name, PageSettings{}) == kErrNone, c.taken) << c.name;
        std::string name;
        PageSettings settings;
        const INI_LIST_NODE* node = config.pages.FindNode(1);
        EXPECT_EQ(node != nullptr && node->Value() != nullptr, c.taken) << c.name;
        if (c.taken) {
            ASSERT_TRUE(parsePageEntry(node->Value(), &name, &settings));
            EXPECT_EQ(name, c.name);
        }
    }
}

// A damaged entry (control bytes, a name too long) makes no slide and is counted; the project
// saves again without it and keeps the rest. A lone LF, as a Linux editor ends a line, ends an
// entry's line like CR LF.
TEST_F(ProjectSave, DamagedPageEntriesAreDroppedAndTheProjectSavesAgain) {
    const EnginePath file(engineTextOfHostFolder(root_) + "\\Zoo.tbp");
    struct Case {
        const char* what;
        std::string entries;  // the [Pages] lines after the good Page1
        u16 damaged;
        size_t pages;
    };
    const std::string longest(kPageFileNameMax, 'n');
    const Case cases[] = {
        {"none", "Page3=" + longest + ",1,1,4,4,7,0,0\r\n", 0, 2},
        {"a control byte", "Page3=Ca\x01t.tbx,1,1,4,4,7,0,0\r\n", 1, 1},
        {"a DEL byte", "Page3=Ca\x7Ft.tbx\r\n", 1, 1},
        {"a lone LF between two entries", "Page2=Cat.tbx\nPage3=Dog.tbx,1,1,4,4,7,0,0\r\n", 0, 3},
        {"a name one byte too long", "Page3=" + longest + "n,1,1,4,4,7,0,0\r\n", 1, 1},
        {"two of them", "Page2=C\x1b.tbx\r\nPage3=D\x02.tbx\r\n", 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The engine keeps a profile it has read: each case starts it afresh.
        iniShutdown();
        ASSERT_EQ(iniInit(), kErrNone);
        write("Zoo.tbp", "[SlideShow]\r\nLooping=1\r\n[Pages]\r\nPage_highnumber=3\r\nPage1=Lion.tbx,1,1,4,4,9,0,0\r\n" + c.entries);
        {
            RDocument doc(file.get());
            EXPECT_EQ(doc.LoadPages(), c.damaged);
            EXPECT_EQ(doc.GetPage(1)->FileName(), "Lion.tbx");
            EXPECT_EQ(doc.PageCount(), c.pages);
            ASSERT_EQ(doc.SaveAs(file.get()), kErrNone) << read("Zoo.tbp");
        }
        RDocument back(file.get());
        EXPECT_EQ(back.LoadPages(), 0u) << read("Zoo.tbp");
        EXPECT_EQ(back.PageCount(), c.pages);
        EXPECT_EQ(back.GetPage(1)->settings.timingSeconds, 9);
        EXPECT_EQ(back.Config().looping.Value(), 1);
    }
}

}  // namespace

// A damaged entry is no page: renaming it starts a page afresh, keeping none of the damaged
// line's numbers, so the page read back is the page the list showed.
TEST_F(ProjectSave, RenamingADamagedEntryKeepsNoneOfItsSettings) {
    const EnginePath file(engineTextOfHostFolder(root_) + "\\Zoo.tbp");
    iniShutdown();
    ASSERT_EQ(iniInit(), kErrNone);
    write("Zoo.tbp", "[Pages]\r\nPage_highnumber=1\r\nPage1=Ca\x0ct.tbx,0,0,9,2,30,1,1\r\n");
    ProjectConfigFile project(file.get(), true);
    ASSERT_EQ(project.SetPageFileName("Cat.tbx", 1), kErrNone);
    size_t seen = 0;
    project.ForEachPage([&](const std::string& name, const PageSettings& settings, u16 number) {
        ++seen;
        EXPECT_EQ(number, 1);
        EXPECT_EQ(name, "Cat.tbx");
        EXPECT_TRUE(settings == PageSettings{});
    });
    EXPECT_EQ(seen, 1u);
}
