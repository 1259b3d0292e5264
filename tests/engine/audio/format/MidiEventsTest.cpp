#include "engine/audio/format/MidiEvents.h"

#include <gtest/gtest.h>

namespace {

TEST(MidiVarLen, FourBytesAreTheLimitAndRoundTrip) {
    struct Case {
        std::vector<u8> bytes;
        bool ok;
        u32 value;
    };
    const Case cases[] = {
        {{0x00}, true, 0},
        {{0x7F}, true, 0x7F},
        {{0x81, 0x00}, true, 0x80},
        {{0xFF, 0xFF, 0xFF, 0x7F}, true, 0x0FFFFFFF},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, false, 0},  // a fifth byte
        {{0x81}, false, 0},                          // runs past the data
        {{}, false, 0},
    };
    for (const Case& c : cases) {
        size_t pos = 0;
        u32 value = 0;
        EXPECT_EQ(readMidiVarLen(c.bytes, &pos, &value), c.ok) << c.bytes.size();
        if (!c.ok) continue;
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(pos, c.bytes.size());
        std::vector<u8> written;
        appendMidiVarLen(written, c.value);
        EXPECT_EQ(written, c.bytes);
    }
}

TEST(MidiEvents, RunningStatusCarriesTheLastChannelStatus) {
    const std::vector<u8> track = {0x90, 60, 100, 62, 0, 0xC1, 5, 7};
    size_t pos = 0;
    u8 running = 0;
    MidiEvent e;
    ASSERT_TRUE(readMidiEvent(track, &pos, &running, &e));
    EXPECT_EQ(e.status, 0x90);
    ASSERT_TRUE(readMidiEvent(track, &pos, &running, &e));
    EXPECT_EQ(e.status, 0x90);
    EXPECT_EQ(e.data1, 62);
    EXPECT_EQ(e.data2, 0);
    ASSERT_TRUE(readMidiEvent(track, &pos, &running, &e));
    EXPECT_EQ(e.status, 0xC1);
    EXPECT_EQ(e.data1, 5);
    ASSERT_TRUE(readMidiEvent(track, &pos, &running, &e));  // one data byte for a program change
    EXPECT_EQ(e.data1, 7);
    EXPECT_EQ(pos, track.size());
}

TEST(MidiEvents, DamagedEventsAreRefusedWithoutReadingPastTheTrack) {
    struct Case {
        const char* what;
        std::vector<u8> bytes;
    };
    const Case cases[] = {
        {"data byte with no running status", {60, 100}},
        {"note cut short", {0x90, 60}},
        {"meta without type", {0xFF}},
        {"meta longer than the track", {0xFF, 0x06, 5, 'a', 'b'}},
        {"sysex length runs out", {0xF0, 0x85}},
        {"empty", {}},
    };
    for (const Case& c : cases) {
        size_t pos = 0;
        u8 running = 0;
        MidiEvent e;
        EXPECT_FALSE(readMidiEvent(c.bytes, &pos, &running, &e)) << c.what;
    }
    // A meta event exactly as long as what is left is whole.
    const std::vector<u8> exact = {0xFF, 0x06, 2, 'a', 'b'};
    size_t pos = 0;
    u8 running = 0;
    MidiEvent e;
    ASSERT_TRUE(readMidiEvent(exact, &pos, &running, &e));
    EXPECT_EQ(e.payload.size(), 2u);
}

TEST(MidiEvents, SystemStatusesOtherThanSysExAndMetaEndTheTrack) {
    for (u8 status : {u8(0xF1), u8(0xF8), u8(0xFE)}) {
        const std::vector<u8> track = {status};
        size_t pos = 0;
        u8 running = 0x90;
        MidiEvent e;
        ASSERT_TRUE(readMidiEvent(track, &pos, &running, &e));
        EXPECT_EQ(e.kind, MidiEventKind::End) << int(status);
    }
}

TEST(MidiEvents, WriterOutputReadsBackEventForEvent) {
    const std::vector<u8> sysex = {0x7E, 0x7F, 0x09, 0x01, 0xF7};
    const std::vector<u8> track =
        MidiTrackWriter().tempo(0, 500000).text(10, kMidiMetaMarker, "loop start").noteOn(200, 9, 36, 90)
            .sysEx(0, sysex).end(5).bytes();
    size_t pos = 0;
    u8 running = 0;
    std::vector<std::pair<u32, MidiEventKind>> seen;
    while (pos < track.size()) {
        u32 delta = 0;
        ASSERT_TRUE(readMidiVarLen(track, &pos, &delta));
        MidiEvent e;
        ASSERT_TRUE(readMidiEvent(track, &pos, &running, &e));
        seen.emplace_back(delta, e.kind);
        if (e.kind == MidiEventKind::SysEx) {
            EXPECT_EQ(std::vector<u8>(e.payload.begin(), e.payload.end()), sysex);
        }
    }
    const std::vector<std::pair<u32, MidiEventKind>> expected = {
        {0, MidiEventKind::Meta}, {10, MidiEventKind::Meta}, {200, MidiEventKind::Channel},
        {0, MidiEventKind::SysEx}, {5, MidiEventKind::Meta}};
    EXPECT_EQ(seen, expected);
}

}  // namespace
