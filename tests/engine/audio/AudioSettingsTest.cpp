#include "engine/audio/AudioSettings.h"

#include "tests/engine/ini/IniTestSupport.h"

namespace {

class AudioSettingsReading : public ProfileFixture {
protected:
    AudioSettingsReading() : ProfileFixture("engine.ini") {}
};

TEST_F(AudioSettingsReading, ReadsTheAudioAndMidiMapSectionsAndKeepsDefaultsForTheRest) {
    profile(
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
    EXPECT_EQ(settings.waveRateTranslations, (IniPairs{{"8012", "8000"}}));
    EXPECT_TRUE(settings.midi.enableHardReset);
    EXPECT_EQ(settings.midi.targetDevices, (IniPairs{{"'Sound';4.0+", "3"}}));
    EXPECT_EQ(settings.midi.targetDeviceInfo, (IniPairs{{"3", "0123456789ABCDEF, 10"}}));
    EXPECT_EQ(settings.mixer.sampleSize, 16);
}

}  // namespace
