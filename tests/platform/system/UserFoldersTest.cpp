#include "platform/system/UserFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/platform/system/ScopedEnv.h"

namespace plat {
namespace {

TEST(UserFolders, ThePicturesFolderTheDesktopNames) {
    struct Case {
        const char* text;
        const char* folder;
    } cases[] = {
        {"XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_PICTURES_DIR=\"$HOME/Pictures\"\n", "/home/ann/Pictures"},
        {"  XDG_PICTURES_DIR = \"/srv/photos/\"\r\n", "/srv/photos"},
        {"XDG_PICTURES_DIR=\"$HOME\"", "/home/ann"},
        {"XDG_PICTURES_DIR=\"$HOME/My \\\"best\\\" pictures\"", "/home/ann/My \"best\" pictures"},
        {"XDG_PICTURES_DIR=\"$HOME/A\"\nXDG_PICTURES_DIR=\"$HOME/B\"", "/home/ann/B"},
        {"# XDG_PICTURES_DIR=\"$HOME/Pictures\"", ""},
        {"XDG_PICTURES_DIR=\"Pictures\"", ""},
        {"XDG_PICTURES_DIR=\"$HOMEWORK/x\"", ""},
        {"XDG_PICTURES_DIR=$HOME/Pictures", ""},
        {"XDG_PICTURES_DIR=\"$HOME/Pictures", ""},
        {"XDG_PICTURES_DIRS=\"/x\"", ""},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(picturesFolderOfUserDirs(c.text, "/home/ann"), c.folder) << c.text;
}

// The named folder when it is there, else Pictures in the home folder, else the home folder.
TEST(UserFolders, ThePicturesFolderIsOneThatIsThere) {
    const std::filesystem::path home = std::filesystem::path(::testing::TempDir()) / "user-folders-home";
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home / ".config");
    ScopedEnv homeVariable("HOME", home.string());
    ScopedEnv settings("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(userHomeFolder(), home.string());
    EXPECT_EQ(userPicturesFolder(), home.string()) << "no file and no Pictures";
    std::filesystem::create_directories(home / "Pictures");
    EXPECT_EQ(userPicturesFolder(), (home / "Pictures").string());
    std::ofstream(home / ".config" / "user-dirs.dirs") << "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
    EXPECT_EQ(userPicturesFolder(), (home / "Pictures").string()) << "the named folder is not there";
    std::filesystem::create_directories(home / "Bilder");
    EXPECT_EQ(userPicturesFolder(), (home / "Bilder").string());
    ScopedEnv relative("HOME", "relative/home");
    EXPECT_EQ(userHomeFolder(), "");
    std::filesystem::remove_all(home);
}

}  // namespace
}  // namespace plat
