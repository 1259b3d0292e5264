#include "platform/system/NamedMutex.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace {

struct NamedMutexTest : ::testing::Test {
    std::filesystem::path root;
    void SetUp() override {
        root = std::filesystem::temp_directory_path() / ("named-mutex-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root);
        plat::setNamedMutexRoot(root.string());
    }
    void TearDown() override {
        plat::setNamedMutexRoot("");
        std::filesystem::remove_all(root);
    }
};

// Runs `child` in a forked process and answers its exit code.
template <typename Child>
int inChild(Child child) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(child());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST_F(NamedMutexTest, TwoHoldersOfOneNameExcludeEachOther) {
    plat::NamedMutex first("Global\\GmfxApplication||init");
    plat::NamedMutex second("Global\\GmfxApplication||init");
    ASSERT_TRUE(first.valid());
    EXPECT_TRUE(first.lockWithin(std::chrono::milliseconds(0)));
    EXPECT_TRUE(first.held());
    EXPECT_FALSE(second.tryLock());
    EXPECT_FALSE(second.held());
    first.unlock();
    EXPECT_TRUE(second.tryLock());
    EXPECT_FALSE(first.tryLock());
}

TEST_F(NamedMutexTest, NamesAndScopesAreApart) {
    plat::NamedMutex local("Local\\TUMBLO4");
    plat::NamedMutex global("Global\\GTUMBLO4");
    plat::NamedMutex bare("TUMBLO4");
    plat::NamedMutex slashes("a/b\\c");
    EXPECT_TRUE(local.tryLock());
    EXPECT_TRUE(global.tryLock());
    EXPECT_TRUE(bare.tryLock());
    EXPECT_TRUE(slashes.tryLock());
    EXPECT_TRUE(std::filesystem::exists(root / "global" / "Global-GTUMBLO4.lock"));
    EXPECT_TRUE(std::filesystem::exists(root / "local" / "a-b-c.lock"));
}

TEST_F(NamedMutexTest, ReleasedWhenTheHolderGoes) {
    {
        plat::NamedMutex holder("Local\\X");
        ASSERT_TRUE(holder.lockWithin(std::chrono::milliseconds(0)));
    }
    plat::NamedMutex next("Local\\X");
    EXPECT_TRUE(next.tryLock());
}

TEST_F(NamedMutexTest, OtherProcessesSeeItAndItDiesWithItsProcess) {
    plat::NamedMutex mine("Global\\GShared");
    ASSERT_TRUE(mine.lockWithin(std::chrono::milliseconds(0)));
    EXPECT_EQ(inChild([] { return plat::NamedMutex("Global\\GShared").tryLock() ? 1 : 0; }), 0);
    mine.unlock();
    // The child ends holding it without unlocking.
    EXPECT_EQ(inChild([] {
                  static plat::NamedMutex held("Global\\GShared");
                  return held.tryLock() ? 0 : 1;
              }),
              0);
    EXPECT_TRUE(mine.tryLock());
}

TEST_F(NamedMutexTest, UnusableFolderGivesAnInvalidMutex) {
    plat::setNamedMutexRoot((root / "missing" / "deeper").string());
    plat::NamedMutex mutex("Local\\X");
    EXPECT_FALSE(mutex.valid());
    EXPECT_FALSE(mutex.lockWithin(std::chrono::milliseconds(0)));
    EXPECT_FALSE(mutex.tryLock());
    std::filesystem::create_directories(root / "local");
    std::filesystem::permissions(root / "local", std::filesystem::perms::all);
    plat::setNamedMutexRoot(root.string());
    EXPECT_FALSE(plat::NamedMutex("Local\\X").valid()) << "a user's folder that others may write in";
}

// The guard's names carry the program's whole path, which may be longer than a file name.
TEST_F(NamedMutexTest, LongNamesStillLockAndStayApart) {
    const std::string head = "Local\\" + std::string(300, 'P');
    plat::NamedMutex first(head + "A");
    plat::NamedMutex same(head + "A");
    plat::NamedMutex other(head + "B");
    ASSERT_TRUE(first.valid());
    EXPECT_TRUE(first.tryLock());
    EXPECT_FALSE(same.tryLock());
    EXPECT_TRUE(other.tryLock());
}

// Another user can plant names in the shared folder: a link there must not lead us to open
// (and open up to everyone) a file of our own.
TEST_F(NamedMutexTest, LinkPlantedInTheSharedFolderIsNotFollowed) {
    plat::NamedMutex{"Global\\GMake"};  // makes the shared folder
    const std::filesystem::path victim = root / "private.txt";
    { std::ofstream(victim) << "mine"; }
    std::filesystem::permissions(victim, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::create_symlink(victim, root / "global" / "Global-GPlanted.lock");
    plat::NamedMutex mutex("Global\\GPlanted");
    EXPECT_FALSE(mutex.valid());
    EXPECT_EQ(std::filesystem::status(victim).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

// The machine-wide lock file is one that every user can take but none can write into, whatever
// the maker's file-creation mask; a user's own is the user's alone.
TEST_F(NamedMutexTest, LockFilesAreNeverWritableByOthers) {
    struct Case {
        const char* name;
        const char* file;
        mode_t umask;
        std::filesystem::perms mode;
    };
    using P = std::filesystem::perms;
    const P shared = P::owner_read | P::owner_write | P::group_read | P::others_read;
    const Case cases[] = {
        {"Global\\GOpen", "global/Global-GOpen.lock", 0, shared},
        {"Global\\GMasked", "global/Global-GMasked.lock", 077, shared},
        {"Local\\Own", "local/Local-Own.lock", 0, P::owner_read | P::owner_write},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const mode_t before = ::umask(c.umask);
        plat::NamedMutex mutex(c.name);
        ::umask(before);
        ASSERT_TRUE(mutex.tryLock());
        EXPECT_EQ(std::filesystem::status(root / c.file).permissions() & P::all, c.mode);
    }
    // A file the program did not make keeps its mode: a mode is only ever given at the making.
    const std::filesystem::path old = root / "global" / "Global-GOld.lock";
    { std::ofstream(old) << ""; }
    std::filesystem::permissions(old, P::owner_read | P::owner_write);
    plat::NamedMutex reopened("Global\\GOld");
    EXPECT_TRUE(reopened.tryLock());
    EXPECT_EQ(std::filesystem::status(old).permissions() & P::all, P::owner_read | P::owner_write);
}

// Another user takes the machine-wide lock (and is kept out while it is held) without being
// able to write into it.
TEST_F(NamedMutexTest, AnotherUserSharesTheMachineWideLockButCannotWriteIt) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    std::filesystem::permissions(root, std::filesystem::perms::all);
    plat::NamedMutex held("Global\\GShared");
    ASSERT_TRUE(held.tryLock());
    const std::string file = (root / "global" / "Global-GShared.lock").string();
    const int code = inChild([&] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) return 10;
        if (::open(file.c_str(), O_WRONLY) >= 0 || errno != EACCES) return 11;
        plat::NamedMutex other("Global\\GShared");
        if (!other.valid()) return 12;
        return other.tryLock() ? 13 : 0;
    });
    EXPECT_EQ(code, 0);
    held.unlock();
    EXPECT_EQ(inChild([&] {
                  if (::setgid(65534) != 0 || ::setuid(65534) != 0) return 10;
                  plat::NamedMutex other("Global\\GShared");
                  return other.tryLock() ? 0 : 13;
              }),
              0);
}
