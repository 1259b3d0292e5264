#include "framework/app/mfxSelfUpdate.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/files/Files.h"

namespace fs = std::filesystem;

namespace {

// A new build in one folder and an installation in another, both under a fresh temporary folder.
struct SelfUpdate : ::testing::Test {
    fs::path root;
    fs::path build;
    fs::path install;

    void SetUp() override {
        root = fs::temp_directory_path() / ("fw-update-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        build = root / "build";
        install = root / "install";
        fs::create_directories(build);
        fs::create_directories(install);
        write(build / "tumblo", "new program");
        fs::permissions(build / "tumblo", fs::perms(0755));
    }
    void TearDown() override {
        fs::permissions(install, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root);
    }

    static void write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
    static std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    static std::string text(const fs::path& path) { return plat::textOfHostPath(path.string()); }

    void installOld() {
        write(install / "TB.cfg", "[Setup]\n");
        write(install / "tumblo", "old program");
    }
    mfxUpdateResult update() { return mfxUpdateInstalledCopy(text(build / "tumblo"), text(install)); }
};

}  // namespace

TEST_F(SelfUpdate, InstalledExecutableIsRenamedAndTheNewOneTakesItsPlace) {
    installOld();
    EXPECT_EQ(update(), mfxUpdateResult::Updated);
    EXPECT_EQ(read(install / "tumblo"), "new program");
    EXPECT_EQ(read(install / "tumblo.old"), "old program");
    EXPECT_FALSE(fs::exists(install / "tumblo.new"));
    EXPECT_EQ(fs::status(install / "tumblo").permissions() & fs::perms(0777), fs::perms(0755));
    EXPECT_EQ(read(build / "tumblo"), "new program");
    EXPECT_EQ(mfxUpdateExitCode(mfxUpdateResult::Updated), 0);
}

TEST_F(SelfUpdate, EarlierBackupsAreKept) {
    installOld();
    write(install / "tumblo.old", "oldest program");
    write(install / "tumblo.new", "cut short");
    EXPECT_EQ(update(), mfxUpdateResult::Updated);
    EXPECT_EQ(read(install / "tumblo.old"), "oldest program");
    EXPECT_EQ(read(install / "tumblo.old2"), "old program");
    EXPECT_EQ(read(install / "tumblo"), "new program");
}

// What makes a folder an installation: the configuration file (any letter case) and the
// executable of the same name.
TEST_F(SelfUpdate, FolderWithoutConfigurationOrExecutableIsNoInstallation) {
    struct Case {
        const char* name;
        const char* config;
        const char* executable;
        mfxUpdateResult result;
    } cases[] = {
        {"both", "TB.cfg", "tumblo", mfxUpdateResult::Updated},
        {"configuration in lower case", "tb.cfg", "tumblo", mfxUpdateResult::Updated},
        {"no configuration", nullptr, "tumblo", mfxUpdateResult::NoInstalledCopy},
        {"other executable", "TB.cfg", "paint", mfxUpdateResult::NoInstalledCopy},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        fs::remove_all(install);
        fs::create_directories(install);
        if (row.config) write(install / row.config, "x");
        write(install / row.executable, "old program");
        EXPECT_EQ(update(), row.result);
        EXPECT_EQ(read(install / row.executable), row.result == mfxUpdateResult::Updated ? "new program" : "old program");
    }
    EXPECT_EQ(mfxUpdateInstalledCopy(text(build / "tumblo"), ""), mfxUpdateResult::NoInstalledCopy);
    EXPECT_EQ(mfxUpdateExitCode(mfxUpdateResult::NoInstalledCopy), 2);
}

TEST_F(SelfUpdate, MissingNewExecutableChangesNothing) {
    installOld();
    fs::remove(build / "tumblo");
    EXPECT_EQ(update(), mfxUpdateResult::CopyFailed);
    EXPECT_EQ(read(install / "tumblo"), "old program");
    EXPECT_FALSE(fs::exists(install / "tumblo.old"));
    EXPECT_FALSE(fs::exists(install / "tumblo.new"));
    EXPECT_EQ(mfxUpdateExitCode(mfxUpdateResult::CopyFailed), 1);
}

TEST_F(SelfUpdate, CopyThatCannotBeWrittenKeepsTheInstalledProgram) {
    installOld();
    // A folder in the way of the temporary copy: neither removed nor written over.
    fs::create_directories(install / "tumblo.new" / "inside");
    EXPECT_EQ(update(), mfxUpdateResult::CopyFailed);
    EXPECT_EQ(read(install / "tumblo"), "old program");
    EXPECT_FALSE(fs::exists(install / "tumblo.old"));
    EXPECT_TRUE(fs::is_directory(install / "tumblo.new" / "inside"));
}

TEST_F(SelfUpdate, NoFreeBackupNameRestoresEverything) {
    installOld();
    write(install / "tumblo.old", "1");
    for (int i = 2; i <= 100; ++i) write(install / ("tumblo.old" + std::to_string(i)), std::to_string(i));
    EXPECT_EQ(update(), mfxUpdateResult::RenameFailed);
    EXPECT_EQ(read(install / "tumblo"), "old program");
    EXPECT_FALSE(fs::exists(install / "tumblo.new"));

    // One free name (the last one tried) is enough.
    fs::remove(install / "tumblo.old100");
    EXPECT_EQ(update(), mfxUpdateResult::Updated);
    EXPECT_EQ(read(install / "tumblo.old100"), "old program");
}

// An updater killed between two steps must leave a program under the installed name: the
// name is only ever replaced, never moved away or removed, not even for a moment.
TEST_F(SelfUpdate, TheInstalledNameIsNeverVacant) {
    installOld();
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, install.c_str(), IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE), 0);
    EXPECT_EQ(update(), mfxUpdateResult::Updated);
    std::vector<std::string> vacated;
    int replacedBy = 0;
    alignas(inotify_event) char buffer[8192];
    for (ssize_t got; (got = ::read(watch, buffer, sizeof buffer)) > 0;) {
        for (char* at = buffer; at < buffer + got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            const std::string name = event->len ? event->name : "";
            if (name == "tumblo" && (event->mask & (IN_MOVED_FROM | IN_DELETE))) vacated.push_back(name);
            if (name == "tumblo" && (event->mask & IN_MOVED_TO)) ++replacedBy;
            at += sizeof(inotify_event) + event->len;
        }
    }
    ::close(watch);
    EXPECT_TRUE(vacated.empty());
    EXPECT_EQ(replacedBy, 1);
    EXPECT_EQ(read(install / "tumblo"), "new program");
    EXPECT_EQ(read(install / "tumblo.old"), "old program");
}

TEST_F(SelfUpdate, InstalledProgramThatCannotBeReplacedIsKeptWithNothingLeftOver) {
    installOld();
    plat::FileHandle held = plat::kNoFile;
    ASSERT_EQ(plat::fileOpen(text(install / "tumblo"), plat::kFileAccessRead, 0, plat::FileDisposition::OpenExisting, &held),
              plat::kSysOk);
    EXPECT_EQ(update(), mfxUpdateResult::RenameFailed);
    plat::fileClose(held);
    EXPECT_EQ(read(install / "tumblo"), "old program");
    EXPECT_FALSE(fs::exists(install / "tumblo.old"));
    EXPECT_FALSE(fs::exists(install / "tumblo.new"));
}
