#include "engine/util/SingleInstance.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/system/NamedMutex.h"
#include "tests/engine/util/UtilTestSupport.h"

namespace {

struct BaseNameCase {
    const char* name;
    const char* expected;
};

class SingleInstanceNames : public ::testing::TestWithParam<BaseNameCase> {};

TEST_P(SingleInstanceNames, NameIsFoldedIntoOneWord) {
    EXPECT_EQ(SingleInstanceBaseName(GetParam().name), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Names, SingleInstanceNames,
                         ::testing::Values(BaseNameCase{"Tumblo 4", "TUMBLO4"},
                                           BaseNameCase{"C:\\Program Files\\tumblo.exe", "C|-PROGRAMFILES-TUMBLO.EXE"},
                                           BaseNameCase{"a:b\\c d", "A|B-CD"}));

TEST(SingleInstanceNamesFromPath, EmptyNameUsesTheProgramsPath) {
    const std::string base = SingleInstanceBaseName("");
    EXPECT_FALSE(base.empty());
    EXPECT_EQ(base.find(' '), std::string::npos);
    EXPECT_EQ(base.find('\\'), std::string::npos);
    EXPECT_NE(base.find("ENGINE_TESTS"), std::string::npos) << base;
}

// Another process that holds some of the names until it is told to go, or is killed.
class Holder {
public:
    explicit Holder(bool local, bool global, const char* name = "Tumblo 4") {
        int up[2];
        int down[2];
        EXPECT_EQ(::pipe(up), 0);
        EXPECT_EQ(::pipe(down), 0);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::alarm(10);  // a holder left waiting ends on its own
            ::close(up[0]);
            ::close(down[1]);
            const std::string base = SingleInstanceBaseName(name);
            plat::NamedMutex localMutex("Local\\" + base);
            plat::NamedMutex globalMutex("Global\\G" + base);
            const bool taken = (!local || localMutex.tryLock()) && (!global || globalMutex.tryLock());
            const char ready = taken ? 'y' : 'n';
            (void)!::write(up[1], &ready, 1);
            char go = 0;
            (void)!::read(down[0], &go, 1);
            ::_exit(0);
        }
        ::close(up[1]);
        ::close(down[0]);
        go_ = down[1];
        char ready = 0;
        EXPECT_EQ(::read(up[0], &ready, 1), 1);
        EXPECT_EQ(ready, 'y');
        ::close(up[0]);
    }
    ~Holder() { end(); }
    void end(bool kill = false) {
        if (pid_ <= 0) return;
        if (kill) ::kill(pid_, SIGKILL);
        ::close(go_);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int go_ = -1;
};

class SingleInstanceGuard : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() / ("tumblo-guard-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root_);
        plat::setNamedMutexRoot(root_.string());
        ReleaseSingleInstanceMutexes();
    }
    void TearDown() override {
        ReleaseSingleInstanceMutexes();
        plat::setNamedMutexRoot("");
        std::filesystem::remove_all(root_);
    }
    static void expectFlags(u8 owner, u8 busy, u8 conflict) {
        const SingleInstanceFlags& f = SingleInstanceStatus();
        EXPECT_EQ(f.instanceOwner, owner);
        EXPECT_EQ(f.instanceBusy, busy);
        EXPECT_EQ(f.instanceConflict, conflict);
        EXPECT_EQ(f.checkDone, 1);
    }

    std::filesystem::path root_;
};

struct HolderCase {
    const char* name;
    bool local;
    bool global;
    u8 owner, busy, conflict;
    u32 lastError;
};

class SingleInstanceHolders : public SingleInstanceGuard, public ::testing::WithParamInterface<HolderCase> {};

TEST_P(SingleInstanceHolders, FlagsTellWhoElseRuns) {
    const HolderCase& c = GetParam();
    Holder other(c.local, c.global);
    SingleInstanceCheck("Tumblo 4");
    expectFlags(c.owner, c.busy, c.conflict);
    EXPECT_EQ(SingleInstanceStatus().lastMutexError, c.lastError);
}

INSTANTIATE_TEST_SUITE_P(
    Others, SingleInstanceHolders,
    ::testing::Values(HolderCase{"Nobody", false, false, 1, 0, 0, kMutexErrNone},
                      HolderCase{"SameUser", true, true, 0, 1, 1, kMutexErrAlreadyExists},
                      HolderCase{"OtherUser", false, true, 1, 0, 1, kMutexErrNone}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SingleInstanceGuard, MutexesDieWithTheirProcess) {
    for (bool kill : {false, true}) {
        Holder other(true, true);
        SingleInstanceCheck("Tumblo 4");
        expectFlags(0, 1, 1);
        ReleaseSingleInstanceMutexes();
        other.end(kill);
        SingleInstanceCheck("Tumblo 4");
        expectFlags(1, 0, 0);
        ReleaseSingleInstanceMutexes();
    }
}

TEST_F(SingleInstanceGuard, SecondCheckDoesNothingAndSecondStartConflicts) {
    SingleInstanceInit guard(1, "Tumblo 4");
    expectFlags(1, 0, 0);
    SingleInstanceCheck("Other Name");
    EXPECT_FALSE(std::filesystem::exists(root_ / "local" / "Local-OTHERNAME.lock"));
    const pid_t pid = ::fork();
    if (pid == 0) {
        // A second start: the copy of this process forgets what it inherited and checks anew.
        ::alarm(10);
        ReleaseSingleInstanceMutexes();
        SingleInstanceCheck("Tumblo 4");
        const SingleInstanceFlags& f = SingleInstanceStatus();
        ::_exit(f.instanceConflict && f.instanceBusy && !f.instanceOwner ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    expectFlags(1, 0, 0);
}

}  // namespace
