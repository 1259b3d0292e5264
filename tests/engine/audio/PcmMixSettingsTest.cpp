#include "engine/audio/PcmMixSettings.h"

#include "engine/ini/IniProfiles.h"
#include "engine/base/MemoryHandles.h"
#include "tests/engine/files/OsTestSupport.h"

namespace {

class PcmMixSettingsReading : public OsFixture {
protected:
    PcmMixSettingsReading() : OsFixture(plat::DriveType::Fixed, "SCRATCH") {}
    void SetUp() override {
        OsFixture::SetUp();
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(iniInit(), kErrNone);
        pathFromText(&profile_, "T:\\engine.ini");
    }
    void TearDown() override {
        pathRelease(&profile_);
        iniShutdown();
        memShutdown();
        OsFixture::TearDown();
    }
    Path profile_{};
};

TEST_F(PcmMixSettingsReading, ReadsTheMixerSectionsAndKeepsDefaultsForTheRest) {
    put("engine.ini",
        "[PcmMix]\r\nfEnableRemix=FALSE\r\nfStereo=TRUE\r\nulFrameRate=44100\r\nuSampleSize=16\r\n"
        "[DirectSound]\r\nfEnable=0\r\n"
        "[PcmMix.DeviceInfo]\r\ndefault=8, 512, 2048\r\nSpeaker Box=not supported\r\n");
    PcmMixSettings settings;
    pcmMixReadSettings(&profile_, &settings);
    EXPECT_TRUE(settings.enable);
    EXPECT_FALSE(settings.enableDeviceMixing);
    EXPECT_FALSE(settings.enableRemix);
    EXPECT_TRUE(settings.stereo);
    EXPECT_EQ(settings.frameRate, 44100u);
    EXPECT_EQ(settings.sampleSize, 16);
    EXPECT_FALSE(settings.pushBufferEnable);
    ASSERT_EQ(settings.deviceInfo.size(), 2u);
    EXPECT_EQ(settings.deviceInfo[0], (std::pair<std::string, std::string>{"default", "8, 512, 2048"}));
    EXPECT_EQ(settings.deviceInfo[1], (std::pair<std::string, std::string>{"Speaker Box", "not supported"}));
}

TEST_F(PcmMixSettingsReading, MissingProfileLeavesTheDefaults) {
    PcmMixSettings settings;
    pcmMixReadSettings(&profile_, &settings);
    EXPECT_TRUE(settings.enable);
    EXPECT_EQ(settings.frameRate, 22050u);
    EXPECT_EQ(settings.sampleSize, 8);
    EXPECT_TRUE(settings.deviceInfo.empty());
}

}  // namespace
