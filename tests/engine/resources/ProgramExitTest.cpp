// A program may end from any state: returning from main (which std::exit stands for here)
// with the engine's services running, and an archive open with changes not yet written, runs
// every static destructor without touching what another one already destroyed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"
#include "engine/os/OsManager.h"
#include "engine/resources/ResourceManager.h"
#include "platform/drives/Drives.h"

namespace {

// Each step starts one more service; the last leaves an archive open with an unwritten change.
void startServices(int steps, const std::string& folder) {
    if (steps >= 4) {
        // Never destroyed: the drive must outlive the exit, as a running program's does.
        static plat::FakeDrive* const drive =
            new plat::FakeDrive('T', plat::FakeDisc{folder, "EXIT", 7, "ext4"}, plat::DriveType::Fixed);
        (void)drive;
    }
    if (osmInit(nullptr) != kErrNone) std::_Exit(2);
    if (steps >= 2 && osInit() != kErrNone) std::_Exit(3);
    if (steps >= 3 && (memInit(0, 512) != kErrNone || resInit() != kErrNone)) std::_Exit(4);
    if (steps >= 4) {
        Path path;
        pathFromText(&path, "T:\\open.kvr");
        if (resCreateFile(&path) != kErrNone) std::_Exit(5);
        const ResMapHandle map = resOpenFile(&path, 0, 0);
        if (map == 0 || resAddResource(fourCC("tTXT"), 1, nullptr) == 0) std::_Exit(6);
    }
}

TEST(ProgramExitDeathTest, AProgramThatNeverShutsItsServicesDownStillExitsCleanly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    char pattern[] = "/tmp/tumblo-exit-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string folder = pattern;
    struct Case {
        const char* what;
        int steps;
    };
    const Case cases[] = {{"the OS manager and the file services", 2},
                          {"those, memory and resources", 3},
                          {"those and an archive open with a change", 4}};
    for (const Case& c : cases) {
        EXPECT_EXIT(
            {
                startServices(c.steps, folder);
                std::exit(0);
            },
            ::testing::ExitedWithCode(0), "")
            << c.what;
        std::filesystem::remove(folder + "/open.kvr");
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
