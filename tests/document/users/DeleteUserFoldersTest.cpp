// Removing a user takes the user's folders and files and nothing else.
#include <gtest/gtest.h>

#include "document/users/DeleteUserFolders.h"
#include "document/users/RPanelPrefs.h"
#include "document/users/UserNames.h"
#include "tests/document/DocumentFolderFixture.h"

namespace {

using namespace Ostrel;
using UserRemoval = testdoc::DocumentFolderFixture;

TEST_F(UserRemoval, TakesTheUsersFilesAndNoOneElses) {
    Paths paths(roots());
    ASSERT_EQ(paths.SelectUserFolder("Bo"), kErrNone);
    ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
    write("data/tumblo4/Users/Ann/user.ini", "[Brushes]\r\n");
    write("data/tumblo4/Users/Ann/Pictures/Cat.tbx", "x");
    write("data/tumblo4/Users/Ann/Library/Stamps/Mine.tbl", "x");
    write("data/tumblo4/Users/Bo/Pictures/Dog.tbx", "x");

    EXPECT_EQ(DeleteUserFolders(paths, ""), 1);
    EXPECT_EQ(DeleteUserFolders(paths, "../Bo"), kDocErrBadUserName);
    EXPECT_EQ(DeleteUserFolders(paths, "Ann"), kErrNone);
    EXPECT_FALSE(std::filesystem::exists(root_ + "/data/tumblo4/Users/Ann"));
    EXPECT_TRUE(std::filesystem::exists(root_ + "/data/tumblo4/Users/Bo/Pictures/Dog.tbx"));
}

TEST_F(UserRemoval, FolderOfTheUsersOwnStaysWithTheError) {
    Paths paths(roots());
    ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
    std::filesystem::create_directories(root_ + "/data/tumblo4/Users/Ann/Pictures/Holiday");
    EXPECT_NE(DeleteUserFolders(paths, "Ann"), kErrNone);
    EXPECT_TRUE(std::filesystem::exists(root_ + "/data/tumblo4/Users/Ann/Pictures/Holiday"));
}

// A removed user is not current afterwards, so a settings save does not make the user's
// folder again; removing another user leaves the current one current.
TEST_F(UserRemoval, ARemovedUserIsNotMadeAgainBySavingSettings) {
    struct Case {
        const char* current;
        const char* removed;
        const char* currentAfter;
    };
    // Names find their folders whatever their letter case: "ANN" is the current user Ann.
    for (const Case& c : {Case{"Ann", "Ann", ""}, Case{"Ann", "ANN", ""}, Case{"Bo", "Ann", "Bo"}, Case{"", "Ann", ""}}) {
        Paths paths(roots());
        ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
        ASSERT_EQ(paths.SelectUserFolder("Bo"), kErrNone);
        if (*c.current) ASSERT_EQ(paths.SelectUserFolder(c.current), kErrNone);
        else paths.ForgetUser();
        ASSERT_EQ(DeleteUserFolders(paths, c.removed), kErrNone);
        EXPECT_EQ(paths.UserName(), c.currentAfter) << c.current;
        RPanelPrefs prefs(paths, "Brushes");
        prefs.GetData()["Size"] = "3";
        EXPECT_EQ(prefs.Save(), *c.currentAfter ? kErrNone : kDocErrNoUser) << c.current;
        EXPECT_FALSE(std::filesystem::exists(root_ + "/data/tumblo4/Users/Ann")) << c.current;
        std::filesystem::remove_all(root_ + "/data/tumblo4/Users");
    }
}

TEST_F(UserRemoval, SettingsOfAUserWhoseFolderIsGoneAreNotSaved) {
    Paths paths(roots());
    ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
    std::filesystem::remove_all(root_ + "/data/tumblo4/Users/Ann");
    RPanelPrefs prefs(paths, "Brushes");
    prefs.GetData()["Size"] = "3";
    EXPECT_EQ(prefs.Save(), kDocErrNoFolder);
    EXPECT_FALSE(std::filesystem::exists(root_ + "/data/tumblo4/Users/Ann"));
}

}  // namespace
