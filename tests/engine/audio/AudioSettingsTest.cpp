#include "engine/audio/AudioSettings.h"

#include "engine/base/MemoryHandles.h"
#include "engine/ini/IniProfiles.h"
#include "tests/engine/files/OsTestSupport.h"

namespace {

class AudioSettingsReading : public OsFixture {
protected:
    AudioSettingsReading() : OsFixture(plat::DriveType::Fixed, "SCRATCH") {}
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

TEST_F(AudioSettingsReading, ReadsTheAudioAndMidiMapSectionsAndKeepsDefaultsForTheRest) {
    put("engine.ini",
        "[Audio]\r\nfEnableMidi=FALSE\r\nfTranslateWaveRateOnError=TRUE\r\n"
        "DefaultMidiDevice=A Synthesizer With A Very Long Product Name\r\n"
        "[Audio.WaveRateTranslations]\r\n8012=8000\r\n"
        "[MidiMap]\r\nfEnableHardReset=1\r\n"
        "[MidiMap.TargetDevices]\r\n'Sound';4.0+=3\r\n"
        "[MidiMap.TargetDeviceInfo]\r\n3=0123456789ABCDEF, 10\r\n"
        "[PcmMix]\r\nuSampleSize=16\r\n");
    AudioSettings settings;
    audioReadSettings(&profile_, &settings);
    EXPECT_FALSE(settings.enableMidi);
    EXPECT_TRUE(settings.translateWaveRateOnError);
    EXPECT_FALSE(settings.cacheDefaultMidiDevice);
    // Cut to what its 32-character buffer holds, and still taken.
    EXPECT_EQ(settings.defaultMidiDevice, std::optional<std::string>("A Synthesizer With A Very Long "));
    EXPECT_EQ(settings.defaultWaveDevice, std::nullopt);
    EXPECT_EQ(settings.waveRateTranslations, (IniEntries{{"8012", "8000"}}));
    EXPECT_TRUE(settings.midi.enableHardReset);
    EXPECT_EQ(settings.midi.targetDevices, (IniEntries{{"'Sound';4.0+", "3"}}));
    EXPECT_EQ(settings.midi.targetDeviceInfo, (IniEntries{{"3", "0123456789ABCDEF, 10"}}));
    EXPECT_EQ(settings.mixer.sampleSize, 16);
}

}  // namespace
