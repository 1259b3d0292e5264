#include "platform/drives/Drives.h"

#include <gtest/gtest.h>

namespace plat {
namespace {

TEST(Drives, RootOfTheFileSystemIsDriveC) {
    EXPECT_EQ(driveType('C'), DriveType::Fixed);
    EXPECT_EQ(driveHostRoot('c'), "/");
    EXPECT_NE(driveMask() & (1u << 2), 0u);
    DriveVolume volume;
    EXPECT_EQ(driveReadVolume('C', &volume), kSysOk);
    EXPECT_GT(volume.maxNameLength, 12u);
    uint64_t bytes = 0;
    EXPECT_EQ(driveFreeBytes('C', &bytes), kSysOk);
    EXPECT_GT(bytes, 0u);
    EXPECT_EQ(driveReadVolume('!', &volume), kSysInvalidDrive);
}

TEST(Drives, HostPathsBelongToTheLongestRoot) {
    FakeDrive disc('R', FakeDisc{"/tmp/disc", "PAINTCD", 7});
    std::string rest;
    EXPECT_EQ(driveForHostPath("/tmp/disc/art/a.bmp", &rest), 'R');
    EXPECT_EQ(rest, "art/a.bmp");
    EXPECT_EQ(driveForHostPath("/tmp/discs/a.bmp", &rest), 'C');
    EXPECT_EQ(rest, "tmp/discs/a.bmp");
}

TEST(Drives, FakeDiscCanBeSwappedAndTakenOut) {
    FakeDrive drive('R', FakeDisc{"/tmp/one", "ONE", 1});
    EXPECT_EQ(driveType('R'), DriveType::CdRom);
    DriveVolume volume;
    ASSERT_EQ(driveReadVolume('R', &volume), kSysOk);
    EXPECT_EQ(volume.label, "ONE");
    drive.insert(FakeDisc{"/tmp/two", "TWO", 2});
    ASSERT_EQ(driveReadVolume('R', &volume), kSysOk);
    EXPECT_EQ(volume.label, "TWO");
    EXPECT_EQ(volume.serial, 2u);
    EXPECT_EQ(driveHostRoot('R'), "/tmp/two");
    drive.takeOut();
    EXPECT_EQ(driveReadVolume('R', &volume), kSysNotReady);
    EXPECT_EQ(driveCheckAccess('R', false), kSysNotReady);
}

TEST(Drives, ScriptedFaultsComeFirstThenTheDiscAnswers) {
    FakeDrive drive('R', FakeDisc{"/tmp/one", "ONE", 1});
    drive.failNext(kSysNotReady, 2);
    EXPECT_EQ(driveCheckAccess('R', false), kSysNotReady);
    EXPECT_EQ(driveCheckAccess('R', false), kSysNotReady);
    EXPECT_EQ(driveCheckAccess('R', false), kSysOk);
    drive.setWriteProtected(true);
    EXPECT_EQ(driveCheckAccess('R', false), kSysOk);
    EXPECT_EQ(driveCheckAccess('R', true), kSysWriteProtect);
    EXPECT_EQ(drive.accessCount(), 5);
}

TEST(Drives, FakeDriveRecordsLockAndEject) {
    FakeDrive drive('R', FakeDisc{"/tmp/one", "ONE", 1});
    EXPECT_EQ(driveSetMediaLock('R', true), kSysOk);
    EXPECT_TRUE(drive.mediaLocked());
    EXPECT_EQ(driveEject('R'), kSysOk);
    EXPECT_FALSE(drive.mediaLocked());
    EXPECT_EQ(drive.ejectCount(), 1);
}

TEST(Drives, RemovingTheFakeGivesTheLetterBack) {
    const DriveType before = driveType('R');
    { FakeDrive drive('R', FakeDisc{"/tmp/one", "ONE", 1}); }
    EXPECT_EQ(driveType('R'), before);
}

}  // namespace
}  // namespace plat
