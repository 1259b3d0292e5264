// The MIDI map between MIDI sounds and the device: channel maps from the settings, note
// counting, velocity scaling and the engine's own mute messages.
#include "engine/audio/MidiMap.h"

#include "engine/audio/format/ArchiveMidi.h"
#include "engine/audio/format/MidiEvents.h"

#include "platform/midi/choice/MidiChoice.h"
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

TEST_F(MidiMaps, ADeviceThatHoldsEveryPatchIsNeverAskedToCache) {
    MidiPatchMasks m{};
    m[5] = 1;
    EXPECT_EQ(midiMapCachePatches(map, 0, &m, kMidiCache), plat::kMmErrNotSupported);
    EXPECT_EQ(midiMapCacheDrumPatches(map, 0, &m, kMidiCache), plat::kMmErrNotSupported);
    EXPECT_TRUE(midi.events().empty());
}

// A synthesizer that loads its patches only when asked, with percussion on channel 16.
class MidiPatchCaching : public AudioTest {
protected:
    static plat::MidiOutCaps cachingCaps() {
        plat::MidiOutCaps caps = plat::RecordingMidiBackend::defaultCaps();
        caps.support |= plat::kMidiSupportCache;
        return caps;
    }
    void SetUp() override {
        AudioSettings settings = defaultSettings();
        settings.midi.targetDevices = {{"Recording MIDI Out", "7"}};
        settings.midi.targetDeviceInfo = {{"7", "0123456789ABCDEF, 16"}};
        startWith(settings);
        plat::setMidiBackend(&caching);  // device records are made at the first open
        ASSERT_EQ(midiMapOpen(&a, 0, 0, 0, 0), 0);
        ASSERT_EQ(midiMapOpen(&b, 0, 0, 0, 0), 0);
    }
    void TearDown() override {
        midiMapClose(a);
        midiMapClose(b);
        AudioTest::TearDown();
    }
    static MidiPatchMasks masks(std::initializer_list<std::pair<u8, u16>> uses) {
        MidiPatchMasks out{};
        for (const auto& [patch, channels] : uses) out[patch] = channels;
        return out;
    }
    // What the device was asked to load or let go of, in order.
    std::vector<std::pair<plat::RecordedMidiEvent::Kind, MidiPatchMasks>> requests(bool drums) const {
        std::vector<std::pair<plat::RecordedMidiEvent::Kind, MidiPatchMasks>> out;
        for (const auto& e : caching.events())
            if (e.drums == drums && (e.kind == plat::RecordedMidiEvent::Kind::Cache || e.kind == plat::RecordedMidiEvent::Kind::Uncache)) {
                MidiPatchMasks m{};
                std::copy(e.masks.begin(), e.masks.end(), m.begin());
                out.emplace_back(e.kind, m);
            }
        return out;
    }
    plat::RecordingMidiBackend caching{cachingCaps()};
    MidiMap a = nullptr;
    MidiMap b = nullptr;
};

TEST_F(MidiPatchCaching, RequestsOutsideTheRulesAreRefused) {
    MidiPatchMasks m = masks({{5, 1}});
    MidiMap passive = nullptr;
    ASSERT_EQ(midiMapOpen(&passive, 0, 0, 0, kMidiMapPassive), 0);
    struct Case {
        const char* name;
        MidiMap map;
        u16 bank;
        u16 flags;
        u16 result;
    };
    const Case cases[] = {
        {"bank 1", a, 1, kMidiCache, plat::kMmErrInvalidParam},
        {"flag 0", a, 0, 0, plat::kMmErrInvalidParam},
        {"flag 5", a, 0, kMidiUncache + 1, plat::kMmErrInvalidParam},
        {"passive", passive, 0, kMidiCache, plat::kMmErrNotSupported},
        {"flag 4", a, 0, kMidiUncache, plat::kMmNoError},
        {"flag 1", a, 0, kMidiCache, plat::kMmNoError},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(midiMapCachePatches(c.map, c.bank, &m, c.flags), c.result) << c.name;
        EXPECT_EQ(midiMapCacheDrumPatches(c.map, c.bank, &m, c.flags), c.result) << c.name;
    }
    midiMapClose(passive);
    u8 percussion = 0;
    ASSERT_EQ(midiMapGetPercussionChannel(0, &percussion), 0);
    EXPECT_EQ(percussion, 15);
    EXPECT_EQ(midiMapGetPercussionChannel(1, &percussion), plat::kMmErrBadDeviceId);
}

TEST_F(MidiPatchCaching, AClientLetsGoOnlyOfWhatNoOtherClientStillUses) {
    using Kind = plat::RecordedMidiEvent::Kind;
    MidiPatchMasks fromA = masks({{5, 0x0001}, {9, 0x0004}});
    ASSERT_EQ(midiMapCachePatches(a, 0, &fromA, kMidiCacheAll), 0);
    MidiPatchMasks fromB = masks({{5, 0x0003}});
    ASSERT_EQ(midiMapCachePatches(b, 0, &fromB, kMidiCache), 0);
    EXPECT_EQ(fromB, masks({{5, 0x0003}})) << "the answer is the client's own masks";
    MidiPatchMasks more = masks({{7, 0x0002}});
    ASSERT_EQ(midiMapCachePatches(b, 0, &more, kMidiCache), 0);
    EXPECT_EQ(more, masks({{5, 0x0003}, {7, 0x0002}}));
    MidiPatchMasks query{};
    ASSERT_EQ(midiMapCachePatches(a, 0, &query, kMidiCacheQuery), 0);
    EXPECT_EQ(query, masks({{5, 0x0001}, {9, 0x0004}}));

    MidiPatchMasks release = masks({{5, 0x0001}, {9, 0x0004}});
    ASSERT_EQ(midiMapCachePatches(a, 0, &release, kMidiUncache), 0);
    ASSERT_EQ(midiMapCachePatches(a, 0, &query, kMidiCacheQuery), 0);
    EXPECT_EQ(query, MidiPatchMasks{});
    const auto sent = requests(false);
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0], std::make_pair(Kind::Cache, masks({{5, 0x0001}, {9, 0x0004}})));
    EXPECT_EQ(sent[3], std::make_pair(Kind::Uncache, masks({{9, 0x0004}}))) << "program 5 on channel 1 is still B's";
    EXPECT_TRUE(requests(true).empty()) << "programs and percussion keys are kept apart";
}

// A MIDI sound names the programs and percussion keys it needs: they are cached while it is
// open, the keys reduced to the device's percussion channel.
TEST_F(MidiPatchCaching, ASoundCachesWhatItNamesWhileOpen) {
    using Kind = plat::RecordedMidiEvent::Kind;
    ArchiveMidiContent content;
    content.division = 96;
    content.tracks = {MidiTrackWriter().noteOn(0, 0, 60, 100).noteOff(96, 0, 60).end(0).bytes()};
    content.programs = {{3, 0x0001}, {0x80 | 4, 0x0002}};
    content.keys = {{36, 0x8001}, {38, 0x0200}};
    AudioObject* sound = audioNewFromHandle(handleWith(writeArchiveMidi(content)));
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(audioOpen(sound, kAudioDefaultDevice), kErrNone);
    ASSERT_EQ(requests(true).size(), 1u);
    EXPECT_EQ(requests(true)[0], std::make_pair(Kind::Cache, masks({{36, 0x8000}})));
    ASSERT_EQ(requests(false).size(), 1u);
    EXPECT_EQ(requests(false)[0], std::make_pair(Kind::Cache, masks({{3, 0x0001}, {4, 0x0002}})));
    ASSERT_EQ(audioClose(sound), kErrNone);
    ASSERT_EQ(requests(true).size(), 2u);
    EXPECT_EQ(requests(true)[1], std::make_pair(Kind::Uncache, masks({{36, 0x8000}})));
    ASSERT_EQ(requests(false).size(), 2u);
    EXPECT_EQ(requests(false)[1].first, Kind::Uncache);
    audioDispose(sound);
}

}  // namespace
