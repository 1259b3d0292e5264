// The MIDI map between MIDI sounds and the device: channel maps from the settings, note
// counting, velocity scaling and the engine's own mute messages.
#include "engine/audio/MidiMap.h"

#include "tests/engine/audio/AudioTestSupport.h"

namespace {

using namespace audiotest;

TEST(MidiMapDeviceInfo, ChannelMapsAndPercussionChannelsAreReadWithinTheirLimits) {
    struct Case {
        const char* value;
        bool accepted;
        u8 percussion;
    };
    const Case cases[] = {
        {"0123456789ABCDEX, 10", true, 9},
        {"0123456789abcdex;1", true, 0},
        {"0123456789ABCDEX : 16, 3, 4", true, 15},
        {"0123456789ABCDEX, 0", false, 9},   // percussion one below the range
        {"0123456789ABCDEX, 17", false, 9},  // and one above
        {"0123456789ABCDEG, 10", false, 9},  // not a channel character
        {"0123456789ABCDE, 10", false, 9},   // fifteen characters
        {"0123456789ABCDEX 10", false, 9},   // no separator
        {"0123456789ABCDEX, -3", false, 9},
    };
    for (const Case& c : cases) {
        MidiDeviceSetup setup;
        EXPECT_EQ(midiMapParseDeviceInfo(c.value, &setup), c.accepted) << c.value;
        EXPECT_EQ(setup.percussion, c.percussion) << c.value;
    }
    MidiDeviceSetup setup;
    ASSERT_TRUE(midiMapParseDeviceInfo("0123456789ABCDEX, 10", &setup));
    for (u8 c = 0; c < 15; ++c) {
        EXPECT_EQ(setup.channelMap[c], c);
        EXPECT_FALSE(setup.muted[c]);
    }
    EXPECT_TRUE(setup.muted[15]);
    // Longer than a value can be: refused as a whole.
    EXPECT_FALSE(midiMapParseDeviceInfo("0123456789ABCDEX, 10" + std::string(60, ' '), &setup));
}

TEST(MidiMapDeviceInfo, TheDeviceEntryNamesATargetWhoseInfoIsUsed) {
    MidiMapSettings settings;
    settings.targetDevices = {{"'Recording';1.0+", "-3"}, {"unknown device (16+ voices)", "5"}};
    settings.targetDeviceInfo = {{"-3", "1023456789ABCDEF, 16"}, {"5", "0123456789ABCDEF, 2"}};
    plat::MidiOutCaps caps = plat::RecordingMidiBackend::defaultCaps();
    MidiDeviceSetup setup = midiMapDeviceSetup(settings, caps);
    EXPECT_EQ(setup.targetId, -3);
    EXPECT_EQ(setup.channelMap[0], 1);
    EXPECT_EQ(setup.percussion, 15);
    // Another synthesizer falls back to the entry for its number of voices.
    caps.productName = "Other";
    caps.notes = 24;
    setup = midiMapDeviceSetup(settings, caps);
    EXPECT_EQ(setup.targetId, 5);
    EXPECT_EQ(setup.percussion, 1);
    // Target ids outside -64..63, or 0, are refused and the defaults stay.
    for (const char* id : {"64", "-65", "0"}) {
        settings.targetDevices = {{"Recording MIDI Out", id}};
        settings.targetDeviceInfo = {{id, "1023456789ABCDEF, 16"}};
        setup = midiMapDeviceSetup(settings, plat::RecordingMidiBackend::defaultCaps());
        EXPECT_EQ(setup.percussion, kMidiDefaultPercussion) << id;
        EXPECT_EQ(setup.channelMap[0], 0) << id;
    }
}

class MidiMaps : public AudioTest {
protected:
    void SetUp() override {
        AudioSettings settings = defaultSettings();
        settings.midi.targetDevices = {{"Recording MIDI Out", "7"}};
        settings.midi.targetDeviceInfo = {{"7", "0123456789ABCDEX, 10"}};
        startWith(settings);
        ASSERT_EQ(midiMapOpen(&map, 0, 0, 0, 0), 0);
        midi.clear();
    }
    std::vector<u32> shorts() const {
        std::vector<u32> out;
        for (const auto& e : midi.events())
            if (e.kind == plat::RecordedMidiEvent::Kind::Short) out.push_back(e.packed);
        return out;
    }
    MidiMap map = nullptr;
};

TEST_F(MidiMaps, EveryNoteOnIsMatchedByANoteOffWhenTheClientCloses) {
    ASSERT_EQ(midiMapShortMsg(map, 0x643C90), 0);
    ASSERT_EQ(midiMapShortMsg(map, 0x503C90), 0);
    ASSERT_EQ(midiMapShortMsg(map, 0x003C90), 0);  // velocity 0: one of them off
    midi.clear();
    ASSERT_EQ(midiMapClose(map), 0);
    EXPECT_EQ(shorts(), (std::vector<u32>{0x3C80}));
    EXPECT_EQ(midi.openPorts(), 0);
}

TEST_F(MidiMaps, VelocitiesFollowTheVolumeAndNotesScaledToNothingAreDropped) {
    ASSERT_EQ(midiMapSetVolume(map, 0x8000), 0);
    ASSERT_EQ(midiMapShortMsg(map, 0x013C90), 0);  // velocity 1 at half volume: 0
    ASSERT_EQ(midiMapShortMsg(map, 0x643E90), 0);
    EXPECT_EQ(shorts(), (std::vector<u32>{0x323E90}));
    EXPECT_EQ(midiMapSetVolume(map, -1), plat::kMmErrInvalidParam);
}

TEST_F(MidiMaps, ChannelsMarkedXAreMutedOnTheDevice) {
    ASSERT_EQ(midiMapShortMsg(map, 0x643C9F), 0);
    ASSERT_EQ(midiMapShortMsg(map, 0x643C9E), 0);
    EXPECT_EQ(shorts(), (std::vector<u32>{0x643C9E}));
}

TEST_F(MidiMaps, TheEngineMuteMessageIsObeyedAndNeverSentOn) {
    ASSERT_EQ(midiMapShortMsg(map, 0x643C92), 0);
    midi.clear();
    const std::vector<u8> mute = {0xF0, 0x00, 0x00, 0x34, 0x00, 0x01, 0x02, 0xF7};
    ASSERT_EQ(midiMapLongMsg(map, mute), 0);
    EXPECT_EQ(shorts(), (std::vector<u32>{0x3C82}));  // its sounding note is turned off
    ASSERT_EQ(midiMapShortMsg(map, 0x643C92), 0);
    EXPECT_EQ(shorts().size(), 1u);
    for (const auto& e : midi.events()) EXPECT_NE(e.kind, plat::RecordedMidiEvent::Kind::Long);
    // Addressed to this device's target id (7), then to another (5): only the first acts.
    const std::vector<u8> unmuteOther = {0xF0, 0x00, 0x00, 0x34, 0x05, 0x02, 0x02, 0xF7};
    ASSERT_EQ(midiMapLongMsg(map, unmuteOther), 0);
    ASSERT_EQ(midiMapShortMsg(map, 0x643C92), 0);
    EXPECT_EQ(shorts().size(), 1u);
    const std::vector<u8> unmute = {0xF0, 0x00, 0x00, 0x34, 0x07, 0x02, 0x02, 0xF7};
    ASSERT_EQ(midiMapLongMsg(map, unmute), 0);
    ASSERT_EQ(midiMapShortMsg(map, 0x643C92), 0);
    EXPECT_EQ(shorts().size(), 2u);
}

TEST_F(MidiMaps, MuteMessagesForChannelsPastFifteenAreRefused) {
    for (u8 channel : {u8(15), u8(16), u8(0x7F)}) {
        const std::vector<u8> mute = {0xF0, 0x00, 0x00, 0x34, 0x00, 0x11, channel, 0xF7};
        EXPECT_EQ(midiMapLongMsg(map, mute), channel <= 15 ? 0 : plat::kMmErrInvalidParam) << int(channel);
    }
}

TEST_F(MidiMaps, LongMessagesUseRunningStatusButRefuseDataWithoutOne) {
    const std::vector<u8> events = {0x90, 60, 100, 62, 100, 0xC0, 5};
    ASSERT_EQ(midiMapLongMsg(map, events), 0);
    EXPECT_EQ(shorts(), (std::vector<u32>{0x643C90, 0x643E90, 0x05C0}));
    const std::vector<u8> noStatus = {60, 100};
    EXPECT_EQ(midiMapLongMsg(map, noStatus), plat::kMmErrInvalidParam);
    const std::vector<u8> systemStatus = {0xF8};
    EXPECT_EQ(midiMapLongMsg(map, systemStatus), plat::kMmErrInvalidParam);
    const std::vector<u8> other = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    ASSERT_EQ(midiMapLongMsg(map, other), 0);
    EXPECT_EQ(midi.events().back().bytes, other);
}

TEST_F(MidiMaps, PassiveHandlesOnlyKeepTheDeviceOpen) {
    MidiMap passive = nullptr;
    ASSERT_EQ(midiMapOpen(&passive, 0, 0, 0, kMidiMapPassive), 0);
    EXPECT_EQ(midiMapShortMsg(passive, 0x643C90), plat::kMmErrNotSupported);
    ASSERT_EQ(midiMapClose(map), 0);
    EXPECT_EQ(midi.openPorts(), 1);
    ASSERT_EQ(midiMapClose(passive), 0);
    EXPECT_EQ(midi.openPorts(), 0);
    EXPECT_EQ(midiMapOpen(&map, 1, 0, 0, 0), plat::kMmErrBadDeviceId);
    EXPECT_EQ(midiMapOpen(&map, 0, 1, 0, 0), plat::kMmErrInvalidParam);
}

}  // namespace
