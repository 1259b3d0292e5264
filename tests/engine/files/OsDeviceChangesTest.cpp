#include "tests/engine/files/OsTestSupport.h"
#include "platform/drives/DriveChanges.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace {

using OsDeviceChanges = OsFixture;

constexpr u32 kDriveT = 'T' - 'A' + 1;

void deliverPosted() {
    plat::Message message;
    while (plat::peekMessage(message, true)) plat::dispatchMessage(message);
}

VolumeRecord* currentVolume() {
    OsDriveInfo info{};
    return osGetDriveInfo(kDriveT, &info) == kErrNone ? info.volume : nullptr;
}

intptr_t sendDeviceChange(uint32_t event, plat::VolumeChange change) {
    return plat::sendMessage(osmGetHiddenWindow(), plat::kMsgDeviceChange, event, plat::encodeVolumeChange(change));
}

TEST_F(OsDeviceChanges, ADiscTakenOutIsForgottenAndTheNextOneIsReadWhenItArrives) {
    osEnableMediaLock(0);
    TestPath path("T:\\");
    ASSERT_FALSE(path.empty());
    ASSERT_NE(currentVolume(), nullptr);
    EXPECT_STREQ(currentVolume()->info.name, "DISC1");

    drive_->takeOut();
    deliverPosted();
    EXPECT_EQ(currentVolume(), nullptr);

    drive_->insert(disc("DISC2", 2222, "disc2"));
    deliverPosted();
    ASSERT_NE(currentVolume(), nullptr);
    EXPECT_STREQ(currentVolume()->info.name, "DISC2");
    EXPECT_FALSE(drive_->mediaLocked());
}

TEST_F(OsDeviceChanges, AnUnreadableArrivalAsksNobody) {
    osEnableMediaLock(0);
    ScriptedErrorCallback callback;
    callback.answer = [](const OsErrorRecord&) { return u16(1); };
    drive_->failNext(plat::kSysNotReady, 1);
    drive_->insert(disc("DISC3", 3333, "disc3"));
    deliverPosted();
    EXPECT_TRUE(callback.asked.empty());
}

TEST_F(OsDeviceChanges, ALockedDriveKeepsItsVolumeOnArrival) {
    TestPath path("T:\\");
    ASSERT_TRUE(drive_->mediaLocked());
    VolumeRecord* before = currentVolume();
    sendDeviceChange(plat::kDeviceArrival, {1u << (kDriveT - 1), true});
    EXPECT_EQ(currentVolume(), before);
    EXPECT_TRUE(drive_->mediaLocked());
}

TEST_F(OsDeviceChanges, RemovingADriveIsRefusedOnlyWhileTheServicesRun) {
    const plat::VolumeChange wholeDrive{1u << (kDriveT - 1), false};
    EXPECT_EQ(sendDeviceChange(plat::kDeviceQueryRemove, wholeDrive), plat::kBroadcastQueryDeny);
    EXPECT_NE(sendDeviceChange(plat::kDeviceQueryRemove, {wholeDrive.units, true}), plat::kBroadcastQueryDeny);
    osShutdown();
    EXPECT_NE(sendDeviceChange(plat::kDeviceQueryRemove, wholeDrive), plat::kBroadcastQueryDeny);
    ASSERT_EQ(osInit(), kErrNone);
}

}  // namespace
