#include "engine/audio/PcmMixSettings.h"

#include "tests/engine/ini/IniTestSupport.h"

namespace {

class PcmMixSettingsReading : public ProfileFixture {
protected:
    PcmMixSettingsReading() : ProfileFixture("engine.ini") {}
};

TEST_F(PcmMixSettingsReading, ReadsTheMixerSectionsAndKeepsDefaultsForTheRest) {
    profile(
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
