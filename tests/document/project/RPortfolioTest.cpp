// A user's projects: listed from the slide-show folder, opened, deleted, and names that would
// leave the folder refused.
#include <gtest/gtest.h>

#include "document/project/RPortfolio.h"
#include "document/users/UserNames.h"
#include "framework/dialogs/mfxAlert.h"
#include "tests/document/DocumentFolderFixture.h"

namespace {

using namespace Ostrel;
using Portfolio = testdoc::DocumentFolderFixture;

std::vector<std::string> names(const RPortfolio& portfolio) {
    std::vector<std::string> seen;
    std::string name;
    for (u32 it = 0; portfolio.NextProjectName(&it, &name);) seen.push_back(name);
    return seen;
}

TEST_F(Portfolio, ProjectsListedOpenedAndDeleted) {
    Paths paths(roots());
    write("data/tumblo4/Users/Ann/Slide Shows/Zoo.tbp", "[Pages]\r\nPage1=Lion.tbx,1\r\nPage2=Cat.png,1\r\nPage_highnumber=2\r\n");
    write("data/tumblo4/Users/Ann/Slide Shows/Farm.TBP", "[Pages]\r\nPage1=Cat.png,1\r\nPage_highnumber=1\r\n");
    write("data/tumblo4/Users/Ann/Slide Shows/Lion.tbx", "copy");
    write("data/tumblo4/Users/Ann/Slide Shows/Cat.png", "shared");
    write("data/tumblo4/Users/Ann/Pictures/Lion.tbx", "picture");
    write("data/tumblo4/Users/Ann/Slide Shows/notes.txt", "");
    write("data/tumblo4/Users/Bo/Slide Shows/Sea.tbp", "");
    RPortfolio portfolio(paths, "Ann");
    EXPECT_EQ(names(portfolio), (std::vector<std::string>{"Farm", "Zoo"}));
    ASSERT_TRUE(portfolio.OpenProject("Zoo"));
    ASSERT_NE(portfolio.Document(), nullptr);
    EXPECT_EQ(portfolio.Document()->GetPage(1)->FileName(), "Lion.tbx");
    EXPECT_FALSE(portfolio.OpenProject("Nothing"));
    EXPECT_EQ(portfolio.ComparePathWithParent(paths.GetProjectPath("Zoo")), 1);
    EXPECT_EQ(portfolio.ComparePathWithParent(paths.BuildPath(kFolderPictures, true) + "x.tbx"), 0);

    EXPECT_EQ(portfolio.DeleteProject(""), 1);
    EXPECT_EQ(portfolio.DeleteProject("..\\..\\Bo\\Slide Shows\\Sea"), kDocErrBadUserName);
    EXPECT_TRUE(std::filesystem::exists(root_ + "/data/tumblo4/Users/Bo/Slide Shows/Sea.tbp"));
    EXPECT_EQ(portfolio.DeleteProject("Zoo"), kErrNone);
    EXPECT_EQ(names(portfolio), std::vector<std::string>{"Farm"});
    EXPECT_FALSE(std::filesystem::exists(root_ + "/data/tumblo4/Users/Ann/Slide Shows/Lion.tbx")) << "its own copy goes";
    EXPECT_TRUE(std::filesystem::exists(root_ + "/data/tumblo4/Users/Ann/Slide Shows/Cat.png")) << "Farm still shows it";
    EXPECT_TRUE(std::filesystem::exists(root_ + "/data/tumblo4/Users/Ann/Pictures/Lion.tbx"));

    ASSERT_EQ(portfolio.SetName("Bo"), kErrNone);
    EXPECT_EQ(portfolio.Document(), nullptr) << "another user's document is not kept";
    EXPECT_EQ(names(portfolio), std::vector<std::string>{"Sea"});
    EXPECT_EQ(portfolio.SetName(".."), kDocErrBadUserName);
    EXPECT_EQ(names(portfolio), std::vector<std::string>{"Sea"});
}

// The child hears once, when opening, that slides were left out; a sound project says nothing.
TEST_F(Portfolio, ADamagedPageListIsToldOnceOnOpening) {
    Paths paths(roots());
    write("data/tumblo4/Users/Ann/Slide Shows/Zoo.tbp", "[Pages]\r\nPage1=Lion.tbx\r\nPage2=Ca\x01t.tbx\r\nPage_highnumber=2\r\n");
    write("data/tumblo4/Users/Ann/Slide Shows/Farm.tbp", "[Pages]\r\nPage1=Cow.tbx\r\nPage_highnumber=1\r\n");
    RPortfolio portfolio(paths, "Ann");
    mfxTakeAlertRecords();
    ASSERT_TRUE(portfolio.OpenProject("Zoo"));
    EXPECT_EQ(portfolio.Document()->PageCount(), 1u);
    EXPECT_EQ(mfxTakeAlertRecords().size(), 1u);
    ASSERT_TRUE(portfolio.OpenProject("Farm"));
    EXPECT_TRUE(mfxTakeAlertRecords().empty());
}

}  // namespace
