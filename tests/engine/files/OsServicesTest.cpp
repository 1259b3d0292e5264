#include "engine/files/OsServices.h"

#include "tests/engine/files/OsTestSupport.h"
#include "engine/os/OsManager.h"
#include "platform/drives/SystemErrors.h"

namespace {

using OsServices = OsFixture;

TEST(OsErrorMap, SplitsNotFoundAndGroupsTheRest) {
    EXPECT_EQ(osMapSystemError(plat::kSysFileNotFound), kOsErrNotFound);
    EXPECT_EQ(osMapSystemError(plat::kSysNoMoreFiles), kOsErrNotFound);
    EXPECT_EQ(osMapSystemError(plat::kSysPathNotFound), kOsErrPathNotFound);
    EXPECT_EQ(osMapSystemError(plat::kSysDirNotEmpty), kOsErrAccessDenied);
    EXPECT_EQ(osMapSystemError(plat::kSysWrongDisk), kOsErrNotReady);
    EXPECT_EQ(osMapSystemError(plat::kSysLockViolation), kOsErrSharing);
    EXPECT_EQ(osMapSystemError(plat::kSysHandleDiskFull), kOsErrDiskFull);
    EXPECT_EQ(osMapSystemError(plat::kSysAlreadyExists), kOsErrExists);
    EXPECT_EQ(osMapSystemError(plat::kSysNameTooLong), kOsErrBadPath);
    EXPECT_EQ(osMapSystemError(plat::kSysDirectoryInvalid), kOsErrInvalidName);
    EXPECT_EQ(osMapSystemError(plat::kSysIoDevice), kOsErrSystem);
}

TEST_F(OsServices, UnlistedSystemErrorIsOfferedAsGeneralError) {
    ScriptedErrorCallback callback;
    EXPECT_EQ(osErrorRetry("T:\\x", plat::kSysIoDevice), 0);
    ASSERT_EQ(callback.asked.size(), 1u);
    EXPECT_EQ(callback.asked[0].kind, kOsErrorKindSystem);
    EXPECT_EQ(callback.asked[0].message, "General system error #1117.");
    EXPECT_EQ(callback.asked[0].drive, 20u);
    EXPECT_EQ(pathGetLastError(), kOsErrSystem);
}

TEST_F(OsServices, AccessDeniedIsNeverOffered) {
    ScriptedErrorCallback callback;
    callback.answer = [](const OsErrorRecord&) { return u16(1); };
    EXPECT_EQ(osErrorRetry("T:\\x", plat::kSysAccessDenied), 0);
    EXPECT_TRUE(callback.asked.empty());
    EXPECT_EQ(pathGetLastError(), kOsErrAccessDenied);
}

TEST_F(OsServices, RefusingCallbackMakesNotReadyFinal) {
    TestPath file("T:\\a.txt");
    put("a.txt", "abc");
    ScriptedErrorCallback callback;
    drive_->failNext(plat::kSysNotReady, 1);
    EXPECT_EQ(pathCheckExists(file.get()), kOsErrNotReady);
    ASSERT_EQ(callback.asked.size(), 1u);
    EXPECT_EQ(callback.asked[0].kind, kOsErrorKindInsertVolume);
}

TEST_F(OsServices, WithoutCallbackNothingIsRetried) {
    TestPath file("T:\\a.txt");
    put("a.txt", "abc");
    drive_->failNext(plat::kSysNotReady, 1);
    const int before = drive_->accessCount();
    EXPECT_EQ(pathCheckExists(file.get()), kOsErrNotReady);
    EXPECT_EQ(drive_->accessCount() - before, 1);
    EXPECT_EQ(pathCheckExists(file.get()), kErrNone);
}

TEST_F(OsServices, AgreeingCallbackRetriesUntilTheDriveAnswers) {
    put("a.txt", "abcdef");
    TestPath path("T:\\a.txt");
    OsFile* file = osOpenFile(path.get(), kOsOpenRead);
    ASSERT_NE(file, nullptr);
    ScriptedErrorCallback callback;
    callback.answer = [](const OsErrorRecord&) { return u16(1); };
    drive_->failNext(plat::kSysNotReady, 2);
    char buffer[6];
    u32 count = 6;
    EXPECT_EQ(osReadFile(file, buffer, &count), kErrNone);
    EXPECT_EQ(std::string(buffer, count), "abcdef");
    EXPECT_EQ(callback.asked.size(), 2u);
    EXPECT_EQ(callback.asked[0].drive, 20u);
    EXPECT_EQ(osCloseFile(file, 0), kErrNone);
}

TEST_F(OsServices, WriteProtectedDiscIsOfferedAsKindFour) {
    ScriptedErrorCallback callback;
    drive_->setWriteProtected(true);
    TestPath path("T:\\new.txt");
    EXPECT_EQ(osCreatePath(path.get(), kOsKindFile), kOsErrWriteProtected);
    ASSERT_FALSE(callback.asked.empty());
    EXPECT_EQ(callback.asked[0].kind, kOsErrorKindWriteProtected);
}

TEST_F(OsServices, ShutdownSilencesTheCallback) {
    ScriptedErrorCallback callback;
    osShutdown();
    EXPECT_EQ(osErrorRetry("T:\\x", plat::kSysNotReady), 0);
    EXPECT_TRUE(callback.asked.empty());
    ASSERT_EQ(osInit(), kErrNone);
}

TEST_F(OsServices, DeactivationReleasesMediaLocks) {
    TestPath path("T:\\");
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(drive_->mediaLocked());
    osActivateHandler(0);
    EXPECT_FALSE(drive_->mediaLocked());
    osActivateHandler(1);
    EXPECT_EQ(pathCheckExists(path.get()), kErrNone);
    EXPECT_TRUE(drive_->mediaLocked());
    EXPECT_EQ(osEnableMediaLock(0), 1);
    EXPECT_FALSE(drive_->mediaLocked());
}

TEST_F(OsServices, HearsTheOsManagersActivationAndPassesItOn) {
    static u16 heard = 99;
    osShutdown();
    osmSetActivateCallback([](u16 active) { heard = active; });
    ASSERT_EQ(osInit(), kErrNone);
    TestPath path("T:\\");
    ASSERT_FALSE(path.empty());
    osmSetAppActive(1);
    osmSetAppActive(0);
    EXPECT_EQ(heard, 0);
    EXPECT_FALSE(drive_->mediaLocked());
    osShutdown();
    osmSetAppActive(1);
    EXPECT_EQ(heard, 1);
    osmSetActivateCallback(nullptr);
    ASSERT_EQ(osInit(), kErrNone);
}

TEST_F(OsServices, FoldersOfTheProgram) {
    TestPath program;
    TestPath application;
    TestPath temporary;
    TestPath current;
    pathGetModuleDirectory(&program);
    pathGetAppDirectory(&application);
    pathGetTempDirectory(&temporary);
    pathGetCurrentDirectory(&current);
    EXPECT_FALSE(program.empty());
    EXPECT_EQ(pathCompare(program.get(), application.get()), kErrNone);
    EXPECT_EQ(pathCheckExists(temporary.get()), kErrNone);
    EXPECT_EQ(pathCheckExists(current.get()), kErrNone);
}

}  // namespace
