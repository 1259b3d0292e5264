// Panel settings go to the current user's "user.ini" and come back; without a user they go
// nowhere.
#include <gtest/gtest.h>

#include "document/users/RPanelPrefs.h"
#include "document/users/UserNames.h"
#include "tests/document/DocumentFolderFixture.h"

namespace {

using namespace Ostrel;
using PanelPrefs = testdoc::DocumentFolderFixture;

TEST_F(PanelPrefs, SavedSettingsComeBackForTheSameUserOnly) {
    Paths paths(roots());
    RPanelPrefs noUser(paths, "Brushes");
    noUser.GetData()["Size"] = "3";
    EXPECT_EQ(noUser.Save(), kDocErrNoUser);

    ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
    RPanelPrefs ann(paths, "Brushes");
    ann.GetData()["Size"] = "3";
    ann.GetData()["Shape"] = "round";
    ASSERT_EQ(ann.Save(), kErrNone);
    EXPECT_NE(read("data/tumblo4/Users/Ann/user.ini").find("[Brushes]"), std::string::npos);

    RPanelPrefs again(paths, "Brushes");
    ASSERT_EQ(again.Load(), kErrNone);
    EXPECT_EQ(again.GetData(), ann.GetData());

    ASSERT_EQ(paths.SelectUserFolder("Bo"), kErrNone);
    RPanelPrefs bo(paths, "Brushes");
    ASSERT_EQ(bo.Load(), kErrNone);
    EXPECT_TRUE(bo.GetData().empty());
}

}  // namespace
