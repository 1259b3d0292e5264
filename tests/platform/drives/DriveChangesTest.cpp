#include "platform/drives/DriveChanges.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/drives/Drives.h"

namespace {

TEST(DriveChanges, VolumeChangesSurviveTheirMessageParameter) {
    plat::VolumeChange change;
    ASSERT_TRUE(plat::decodeVolumeChange(plat::encodeVolumeChange({(1u << 3) | (1u << 25), true}), &change));
    EXPECT_EQ(change.units, (1u << 3) | (1u << 25));
    EXPECT_TRUE(change.media);
    ASSERT_TRUE(plat::decodeVolumeChange(plat::encodeVolumeChange({1u << 4, false}), &change));
    EXPECT_FALSE(change.media);
    EXPECT_FALSE(plat::decodeVolumeChange(0, &change)) << "a parameter naming no volume";
}

TEST(DriveChanges, TheListenerHearsFakeDiscsGoingOutAndIn) {
    struct Heard {
        uint32_t event;
        uint32_t units;
        bool media;
    };
    std::vector<Heard> heard;
    plat::driveSetChangeListener([&](uint32_t event, plat::VolumeChange change) {
        heard.push_back({event, change.units, change.media});
    });
    const std::string folder = std::filesystem::temp_directory_path().string();
    {
        plat::FakeDrive drive('R', plat::FakeDisc{folder, "ONE", 1});
        drive.takeOut();
        drive.insert(plat::FakeDisc{folder, "TWO", 2});
    }
    plat::driveSetChangeListener(nullptr);
    plat::FakeDrive unheard('R', plat::FakeDisc{folder, "ONE", 1});
    unheard.takeOut();

    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].event, plat::kDeviceRemoveComplete);
    EXPECT_EQ(heard[1].event, plat::kDeviceArrival);
    for (const Heard& h : heard) {
        EXPECT_EQ(h.units, 1u << ('R' - 'A'));
        EXPECT_TRUE(h.media);
    }
}

}  // namespace
