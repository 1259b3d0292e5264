#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/drives/Drives.h"
#include "platform/files/Files.h"

namespace plat {
namespace {

namespace fs = std::filesystem;

// Drive T: holds "tree" (to be taken apart) and "outside" (which must survive it).
class TreeEntries : public ::testing::Test {
public:  // for the case table's lambdas
    void SetUp() override {
        char pattern[] = "/tmp/tumblo-tree-XXXXXX";
        root_ = ::mkdtemp(pattern);
        drive_ = std::make_unique<FakeDrive>('T', FakeDisc{root_, "SCRATCH", 1234}, DriveType::Fixed);
        layOut();
    }
    void layOut() {
        for (const char* name : {"tree", "outside", "linked"}) fs::remove_all(root_ + "/" + name);
        for (const char* name : {"tree/sub/a.txt", "outside/precious.txt"}) put(name);
        fs::create_directories(root_ + "/tree/sub/empty");
        fs::create_directories(root_ + "/outside/empty");
    }
    void TearDown() override {
        drive_.reset();
        fs::remove_all(root_);
    }
    void put(const std::string& name) {
        fs::create_directories(fs::path(root_ + "/" + name).parent_path());
        std::ofstream(root_ + "/" + name) << "x";
    }
    // The folder "tree/sub", listed as a folder, swapped for a link to "outside".
    void swapSubForLink() {
        fs::remove_all(root_ + "/tree/sub");
        fs::create_directory_symlink(root_ + "/outside", root_ + "/tree/sub");
    }

    std::string root_;
    std::unique_ptr<FakeDrive> drive_;
};

TEST_F(TreeEntries, RemoveEntriesBelowTheTopOnlyThroughFolders) {
    struct Case {
        const char* name;
        std::function<void(TreeEntries*)> prepare;
        bool folder;
        const char* top;
        const char* text;
        SysErr expected;
        const char* gone;  // host name that no longer exists, or null
    };
    const Case cases[] = {
        {"a file below the top", [](TreeEntries*) {}, false, "T:\\tree", "T:\\tree\\sub\\a.txt", kSysOk,
         "tree/sub/a.txt"},
        {"an empty folder below the top", [](TreeEntries*) {}, true, "T:\\tree", "T:\\tree\\sub\\empty", kSysOk,
         "tree/sub/empty"},
        {"a file through a swapped folder", [](TreeEntries* t) { t->swapSubForLink(); }, false, "T:\\tree",
         "T:\\tree\\sub\\precious.txt", kSysAccessDenied, nullptr},
        {"a folder through a swapped folder", [](TreeEntries* t) { t->swapSubForLink(); }, true, "T:\\tree",
         "T:\\tree\\sub\\empty", kSysAccessDenied, nullptr},
        {"a top that is a link",
         [](TreeEntries* t) { fs::create_directory_symlink(t->root_ + "/outside", t->root_ + "/linked"); }, false,
         "T:\\linked", "T:\\linked\\precious.txt", kSysAccessDenied, nullptr},
        {"an entry beside the top", [](TreeEntries*) {}, false, "T:\\tree", "T:\\outside\\precious.txt",
         kSysInvalidParameter, nullptr},
        {"the top itself", [](TreeEntries*) {}, true, "T:\\tree", "T:\\tree", kSysInvalidParameter, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        layOut();
        c.prepare(this);
        const SysErr error = c.folder ? folderRemoveInTree(c.top, c.text) : fileDeleteInTree(c.top, c.text);
        EXPECT_EQ(error, c.expected);
        EXPECT_TRUE(fs::exists(root_ + "/outside/precious.txt"));
        EXPECT_TRUE(fs::is_directory(root_ + "/outside/empty"));
        if (c.gone) {
            EXPECT_FALSE(fs::exists(root_ + "/" + c.gone));
        }
    }
}

TEST_F(TreeEntries, ALinkInTheTreeGoesAsALink) {
    fs::create_symlink(root_ + "/outside/precious.txt", root_ + "/tree/sub/link");
    EXPECT_EQ(fileDeleteInTree("T:\\tree", "T:\\tree\\sub\\link"), kSysOk);
    EXPECT_FALSE(fs::is_symlink(root_ + "/tree/sub/link"));
    EXPECT_TRUE(fs::exists(root_ + "/outside/precious.txt"));
}

}  // namespace
}  // namespace plat
