#include "engine/files/FolderTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <future>
#include <thread>

#include "tests/engine/files/FileFunctionsFixture.h"

namespace {

using FolderTree = FileFunctionsTest;

TEST_F(FolderTree, CreateFolderTreeMakesTheMissingParentsOnly) {
    std::filesystem::create_directories(host('T', "a"));
    TestPath deep("T:\\a\\b\\c");
    EXPECT_EQ(CreateFolderTree(deep.get(), 1, kOsKindFolder), kErrNone);
    EXPECT_TRUE(std::filesystem::is_directory(host('T', "a/b/c")));
    EXPECT_EQ(CreateFolderTree(deep.get(), 1, kOsKindFolder), kOsErrExists) << "the last folder was there";
    TestPath file("T:\\x\\y\\note.txt");
    EXPECT_EQ(CreateFolderTree(file.get(), 1, kOsKindFile), kErrNone);
    EXPECT_TRUE(std::filesystem::is_regular_file(host('T', "x/y/note.txt")));
}

TEST_F(FolderTree, NewEntriesAreTheUsersAloneWhateverTheUmask) {
    const mode_t previous = ::umask(0);
    TestPath folder("T:\\shared");
    TestPath file("T:\\shared\\work.tbx");
    EXPECT_EQ(CreatePathOpenAccess(folder.get(), 1, kOsKindFolder), kErrNone);
    EXPECT_EQ(CreatePathOpenAccess(file.get(), 1, kOsKindFile), kErrNone);
    ::umask(previous);
    struct stat info{};
    ASSERT_EQ(::stat(host('T', "shared").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(host('T', "shared/work.tbx").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(FolderTree, DeleteRemovesEveryLevelAndLeavesTheCurrentFolder) {
    write('T', "tree/a.txt", "a");
    write('T', "tree/sub/b.txt", "b");
    write('T', "tree/sub/deeper/c.txt", "c");
    std::filesystem::create_directories(host('T', "tree/empty"));
    std::filesystem::create_directories(host('T', "keep"));
    TestPath keep("T:\\keep");
    ASSERT_EQ(pathSetCurrentDirectory(keep.get()), kErrNone);
    const auto hostCurrent = std::filesystem::current_path();

    TestPath tree("T:\\tree");
    EXPECT_EQ(DeleteFolderTree(tree.get()), kErrNone);
    EXPECT_FALSE(std::filesystem::exists(host('T', "tree")));
    EXPECT_EQ(std::filesystem::current_path(), hostCurrent);
    TestPath current;
    pathGetCurrentDirectory(&current);
    EXPECT_EQ(current.text(), "\\keep");
}

TEST_F(FolderTree, DeleteNeverFollowsALinkOutOfTheTree) {
    write('T', "outside/precious.txt", "mine");
    write('T', "tree/a.txt", "a");
    std::filesystem::create_directory_symlink(host('T', "outside"), host('T', "tree/link"));
    std::filesystem::create_symlink(host('T', "outside/precious.txt"), host('T', "tree/filelink"));
    const auto hostCurrent = std::filesystem::current_path();

    TestPath top("T:\\tree");
    EXPECT_EQ(DeleteFolderTree(top.get()), kErrNone);
    EXPECT_FALSE(std::filesystem::exists(host('T', "tree")));
    EXPECT_EQ(tree(host('T', "outside")), (std::map<std::string, std::string>{{"precious.txt", "mine"}}));
    EXPECT_EQ(std::filesystem::current_path(), hostCurrent);
}

TEST_F(FolderTree, DeletingALinkItselfRemovesOnlyTheLink) {
    write('T', "outside/precious.txt", "mine");
    std::filesystem::create_directory_symlink(host('T', "outside"), host('T', "link"));
    TestPath link("T:\\link");
    EXPECT_EQ(DeleteFolderTree(link.get()), kErrNone);
    EXPECT_FALSE(std::filesystem::is_symlink(host('T', "link")));
    EXPECT_TRUE(std::filesystem::exists(host('T', "outside/precious.txt")));
}

TEST_F(FolderTree, DeleteRefusesAFolderThatHoldsTheCurrentFolder) {
    std::filesystem::create_directories(host('T', "tree/inner"));
    TestPath inner("T:\\tree\\inner");
    ASSERT_EQ(pathSetCurrentDirectory(inner.get()), kErrNone);
    TestPath tree("T:\\tree");
    EXPECT_EQ(DeleteFolderTree(tree.get()), kOsErrInUse);
    EXPECT_TRUE(std::filesystem::is_directory(host('T', "tree/inner")));
}

struct Visit {
    std::vector<std::string> seen;
    std::string stopAt;
};

u16 record(const Path* path, void* context) {
    auto* visit = static_cast<Visit*>(context);
    visit->seen.push_back(path->record->text);
    return visit->seen.back() == visit->stopAt ? 7 : 0;
}

TEST_F(FolderTree, EnumVisitsEveryEntryAndStopsWhenAsked) {
    write('T', "t/sub/b.txt", "b");
    write('T', "t/z.txt", "z");
    std::filesystem::create_directory_symlink(host('T', "t/sub"), host('T', "t/loop"));
    struct Case {
        const char* name;
        u16 filesFirst;
        std::string stopAt;
        u16 result;
        size_t visited;
    };
    const Case cases[] = {
        {"whole walk", 0, "", 0, 5},
        {"files first", 1, "", 0, 5},
        {"stopped in a sub-folder", 0, "\\t\\sub\\b.txt", 7, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Visit visit{{}, c.stopAt};
        TestPath top("T:\\t");
        u16 result = 99;
        EXPECT_EQ(EnumFolderTree(top.get(), record, &visit, c.filesFirst, &result), kErrNone);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(visit.seen.front(), "\\t");
        if (c.stopAt.empty()) {
            EXPECT_EQ(visit.seen.size(), c.visited) << "the link is an entry, not walked into";
        } else {
            EXPECT_EQ(visit.seen.back(), c.stopAt);
        }
        if (c.filesFirst) {
            const auto file = std::find(visit.seen.begin(), visit.seen.end(), "\\t\\z.txt");
            const auto folder = std::find(visit.seen.begin(), visit.seen.end(), "\\t\\sub");
            EXPECT_LT(file, folder);
        }
    }
}

TEST_F(FolderTree, CompareFindsEveryDifference) {
    struct Case {
        const char* name;
        std::function<void(FolderTree*)> spoil;
        EngineErr expected;
    };
    const Case cases[] = {
        {"whole copy", [](FolderTree*) {}, kErrNone},
        {"a byte changed", [](FolderTree* t) { t->write('U', "copy/sub/b.txt", "B"); }, kOsErrDifferent},
        {"a file cut short", [](FolderTree* t) { t->write('U', "copy/a.txt", "aa"); }, kOsErrDifferent},
        {"a file missing", [](FolderTree* t) { std::filesystem::remove(t->host('U', "copy/sub/b.txt")); },
         kOsErrDifferent},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write('T', "src/a.txt", "aaa");
        write('T', "src/sub/b.txt", "b");
        TestPath source("T:\\src");
        TestPath copy("U:\\copy");
        ASSERT_EQ(CopyFolderTree(source.get(), copy.get()), kErrNone);
        c.spoil(this);
        EXPECT_EQ(CompareFolderTrees(source.get(), copy.get()), c.expected);
        std::filesystem::remove_all(host('U', "copy"));
    }
}

TEST_F(FolderTree, CopyRefusesAnExistingDestination) {
    write('T', "src/a.txt", "a");
    std::filesystem::create_directories(host('U', "copy"));
    TestPath source("T:\\src");
    TestPath copy("U:\\copy");
    EXPECT_EQ(CopyFolderTree(source.get(), copy.get()), kOsErrExists);
}

TEST_F(FolderTree, CopyRefusesAPipeInsteadOfWaitingForItsWriter) {
    write('T', "src/a.txt", "a");
    const std::string pipe = host('T', "src/pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    // Watchdog: a copy waiting on the pipe gets a writer after a while and the test fails
    // instead of hanging.
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    std::thread watchdog([&] {
        if (finished.wait_for(std::chrono::seconds(10)) == std::future_status::ready) return;
        ADD_FAILURE() << "the copy waited for a writer of the pipe";
        const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    });
    TestPath source("T:\\src");
    TestPath copy("U:\\copy");
    const EngineErr error = CopyFolderTree(source.get(), copy.get());
    done.set_value();
    watchdog.join();
    EXPECT_EQ(error, kOsErrAccessDenied);
}

}  // namespace
