// The folder table over a scratch machine: where each folder lies, which user names are
// refused, and the writable settings file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "document/storage/ObjectTypes.h"
#include "document/users/UserNames.h"
#include "tests/document/DocumentFolderFixture.h"

namespace {

using namespace Ostrel;
using DocumentPaths = testdoc::DocumentFolderFixture;

TEST(UserNameCheck, RefusesNamesThatLeaveTheUsersFolder) {
    struct Case {
        std::string name;
        bool valid;
    };
    const Case cases[] = {
        {"Ann", true}, {"Ann Lee", true}, {".hidden", true}, {"...", true},
        {std::string(kMaxUserName, 'a'), true}, {std::string(kMaxUserName + 1, 'a'), false},
        {"", false}, {".", false}, {"..", false}, {"a/b", false}, {"a\\b", false}, {"C:x", false},
        {"tab\there", false}, {std::string("nul\0x", 5), false}, {"del\x7f", false}, {"\x1f", false},
    };
    for (const Case& c : cases) EXPECT_EQ(isValidUserName(c.name), c.valid) << c.name;
}

TEST_F(DocumentPaths, RefusedUserMakesNoFolderAndKeepsTheCurrentUser) {
    Paths paths(roots());
    ASSERT_EQ(paths.ResolveDataFolders(), kErrNone);
    ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
    for (const char* name : {"..", "../Ann2", ""}) {
        EXPECT_EQ(paths.SelectUserFolder(name), kDocErrBadUserName) << name;
        EXPECT_EQ(paths.UserName(), "Ann");
    }
    size_t entries = 0;
    for (auto& entry : std::filesystem::directory_iterator(root_ + "/data/tumblo4")) entries += entry.is_directory();
    EXPECT_EQ(entries, 1u) << "only the users folder";
    EXPECT_FALSE(std::filesystem::exists(root_ + "/data/tumblo4/Ann2"));
}

TEST_F(DocumentPaths, FolderNumbersLieWhereTheyShould) {
    Paths paths(roots());
    EXPECT_EQ(paths.BuildPath(kFolderPictures, false), "") << "no user yet";
    Path none;
    EXPECT_EQ(paths.GetPath(&none, kFolderProjects), kDocErrNoUser);
    ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
    const std::string user = root_ + "/data/tumblo4/Users/Ann";
    struct Case {
        u16 folder;
        std::string where;
    };
    const Case cases[] = {
        {kFolderDemoMovies, root_ + "/prog/Movies"}, {kFolderGuide, root_ + "/prog/Data"},
        {kFolderSettings, root_ + "/config/tumblo4"}, {kFolderUsers, root_ + "/data/tumblo4/Users"},
        {kFolderUser, user}, {kFolderPictures, user + "/Pictures"}, {kFolderProjects, user + "/Slide Shows"},
        {kFolderLibPictures, user + "/Library/Pictures"}, {kFolderLibMovies, user + "/Library/Movies"},
        {kFolderLibSounds, user + "/Library/Sounds"}, {kFolderLibStamps, user + "/Library/Stamps"},
        {kFolderLibMovable, user + "/Library/Movable Pictures"}, {kFolderLibStickers, user + "/Library/Stickers"},
        {kFolderLibAnimations, user + "/Library/Animations"}, {29, ""}, {17, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(host(paths.BuildPath(c.folder, false)), c.where.empty() ? "" : c.where) << c.folder;
        if (c.folder >= kFolderPictures && !c.where.empty()) {
            EXPECT_TRUE(std::filesystem::is_directory(c.where)) << c.where;
        }
    }
    EXPECT_EQ(host(paths.BuildPath(kFolderPictures, true)), user + "/Pictures/");
    EXPECT_EQ(host(paths.GetProjectPath("Zoo")), user + "/Slide Shows/Zoo.tbp");
    EXPECT_EQ(host(paths.GetUserMediaDir(kTypeStamp)), user + "/Library/Stamps");
    EXPECT_EQ(paths.GetUserMediaDir(kTypeText), "");
}

TEST_F(DocumentPaths, SettingsFileIsCopiedOnceThenKept) {
    write("prog/Data/TB.ini", "[CanvasSettings]\nGrid=1\n");
    Paths paths(roots());
    ASSERT_EQ(paths.ResolveDataFolders(), kErrNone);
    EXPECT_EQ(read("config/tumblo4/TB.ini"), "[CanvasSettings]\nGrid=1\n");
    write("config/tumblo4/TB.ini", "[CanvasSettings]\nGrid=0\n");
    ASSERT_EQ(paths.ResolveDataFolders(), kErrNone);
    EXPECT_EQ(read("config/tumblo4/TB.ini"), "[CanvasSettings]\nGrid=0\n") << "the user's copy is not overwritten";
    // The copy went through a replacement that is gone once moved.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root_ + "/config/tumblo4")) names.push_back(entry.path().filename());
    EXPECT_EQ(names, std::vector<std::string>{"TB.ini"});
}

TEST_F(DocumentPaths, MachineRootsFollowTheDesktopFolders) {
    ::setenv("XDG_DATA_HOME", (root_ + "/xd").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    ::setenv("HOME", (root_ + "/home").c_str(), 1);
    const FolderRoots machine = Paths::RootsOfThisMachine();
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(host(machine.data), root_ + "/xd/tumblo4");
    EXPECT_EQ(host(machine.settings), root_ + "/home/.config/tumblo4");
    EXPECT_FALSE(machine.program.empty());
}

}  // namespace
