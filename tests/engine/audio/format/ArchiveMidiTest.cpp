#include "engine/audio/format/ArchiveMidi.h"

#include <gtest/gtest.h>

#include <functional>

#include "engine/base/ByteOrder.h"
#include "engine/audio/format/AudioErrors.h"
#include "engine/audio/format/MidiEvents.h"

namespace {

ArchiveMidiContent twoTracks() {
    ArchiveMidiContent content;
    content.format = 1;
    content.division = 96;
    content.tracks.push_back(MidiTrackWriter().tempo(0, 600000).end(0).bytes());
    content.tracks.push_back(MidiTrackWriter().noteOn(0, 0, 60, 100).noteOff(96, 0, 60).end(0).bytes());
    content.programs = {{5, 0x0001}};
    content.keys = {{36, 0x0200}, {38, 0x0200}};
    return content;
}

TEST(ArchiveMidi, WrittenImageReadsBackWithItsTracksAndPatchLists) {
    const ArchiveMidiContent content = twoTracks();
    const std::vector<u8> image = writeArchiveMidi(content);
    ArchiveMidiInfo info;
    ASSERT_EQ(readArchiveMidi(image, &info), kErrNone);
    EXPECT_EQ(info.format, 1);
    EXPECT_EQ(info.division, 96);
    ASSERT_EQ(info.tracks.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const MidiTrackSpan& t = info.tracks[i];
        EXPECT_EQ(std::vector<u8>(image.begin() + t.offset, image.begin() + t.offset + t.length), content.tracks[i]);
    }
    EXPECT_EQ(info.programs, content.programs);
    EXPECT_EQ(info.keys, content.keys);
    EXPECT_EQ(info.imageEnd, image.size());
}

TEST(ArchiveMidi, OddTrackLengthsArePaddedAndTheWalkStillEndsAtTheImageEnd) {
    ArchiveMidiContent content;
    content.tracks.push_back(MidiTrackWriter().program(0, 0, 1).end(0).bytes());  // 7 bytes
    ASSERT_EQ(content.tracks[0].size() % 2, 1u);
    ArchiveMidiInfo info;
    EXPECT_EQ(readArchiveMidi(writeArchiveMidi(content), &info), kErrNone);
}

TEST(ArchiveMidi, HeadersTheSequencerCannotPlayAreUnsupportedAndBrokenImagesAreNotSounds) {
    const std::vector<u8> good = writeArchiveMidi(twoTracks());
    struct Case {
        const char* what;
        std::function<void(std::vector<u8>&)> damage;
        EngineErr expected;
    };
    const Case cases[] = {
        {"format 2", [](std::vector<u8>& b) { writeBE16(&b[20], 2); }, kAudioErrUnsupported},
        {"no tracks", [](std::vector<u8>& b) { writeBE16(&b[22], 0); }, kAudioErrUnsupported},
        {"division top bit", [](std::vector<u8>& b) { writeBE16(&b[24], 0x8060); }, kAudioErrUnsupported},
        {"division 0", [](std::vector<u8>& b) { writeBE16(&b[24], 0); }, kAudioErrUnsupported},
        {"magic", [](std::vector<u8>& b) { b[1] = 'X'; }, kAudioErrNotSound},
        {"form", [](std::vector<u8>& b) { b[9] = 'X'; }, kAudioErrNotSound},
        {"no MThd", [](std::vector<u8>& b) { b[12] = 'X'; }, kAudioErrNotSound},
        {"header length 5", [](std::vector<u8>& b) { writeBE32(&b[16], 5); }, kAudioErrNotSound},
        {"length one past the bytes", [](std::vector<u8>& b) { writeBE32(&b[4], u32(b.size() - 7)); }, kAudioErrNotSound},
        {"walk short of the end", [](std::vector<u8>& b) { writeBE32(&b[4], readBE32(&b[4]) - 2); }, kAudioErrNotSound},
        {"track past the end", [](std::vector<u8>& b) { writeBE32(&b[30], 0x7FFFFFFF); }, kAudioErrNotSound},
        {"second Prg#", [](std::vector<u8>& b) {
             const std::vector<u8> extra = {'P', 'r', 'g', '#', 0, 0, 0, 2, 0, 0};
             b.insert(b.end(), extra.begin(), extra.end());
             writeBE32(&b[4], u32(b.size() - 8));
         }, kAudioErrNotSound},
    };
    for (const Case& c : cases) {
        std::vector<u8> bytes = good;
        c.damage(bytes);
        ArchiveMidiInfo info;
        EXPECT_EQ(readArchiveMidi(bytes, &info), c.expected) << c.what;
    }
}

TEST(ArchiveMidi, PatchListsShorterThanTheirCountAreRefused) {
    ArchiveMidiContent content;
    content.tracks.push_back(MidiTrackWriter().end(0).bytes());
    content.programs = {{1, 1}};
    std::vector<u8> image = writeArchiveMidi(content);
    ArchiveMidiInfo info;
    ASSERT_EQ(readArchiveMidi(image, &info), kErrNone);
    writeBE16(&image[image.size() - 6], 2);  // the count, one more than the entries
    EXPECT_EQ(readArchiveMidi(image, &info), kAudioErrNotSound);
}

}  // namespace
