// Sounds kept in a resource archive: a wave streamed from the archive file as it plays, and
// a MIDI sound loaded from it.
#include <algorithm>

#include "engine/audio/format/ArchiveMidi.h"
#include "engine/audio/format/ArchiveWave.h"
#include "engine/audio/format/MidiEvents.h"
#include "engine/base/ByteOrder.h"
#include "tests/engine/audio/AudioTestSupport.h"
#include "tests/engine/resources/MemoryArchiveFile.h"

namespace {

using namespace audiotest;
using testres::FileImage;
using testres::MemoryArchiveFile;

constexpr FourCC kWave = fourCC("tWAV");
constexpr FourCC kMidi = fourCC("tMID");

class ArchiveSounds : public AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        for (u32 i = 0; i < kFrames; ++i) samples.push_back(i16(200 + i % 5000));
        std::vector<u8> bytes(samples.size() * 2);
        for (size_t i = 0; i < samples.size(); ++i) writeBE16(&bytes[2 * i], u16(samples[i]));
        ArchiveWaveInfo info;
        info.sampleRate = 22050;
        info.frames = kFrames;
        info.cues = {{11025, "half"}};
        const std::vector<u8> wave = writeArchiveWave(info, bytes);

        ArchiveMidiContent midiContent;
        midiContent.division = 96;
        midiContent.tracks = {MidiTrackWriter().noteOn(0, 0, 60, 100).noteOff(96, 0, 60).end(0).bytes()};
        const std::vector<u8> midiImage = writeArchiveMidi(midiContent);

        MemoryArchiveFile writer(file, "sounds");
        ASSERT_EQ(resCreateArchive(writer), kErrNone);
        ResMapHandle map = resOpenArchive(std::make_unique<MemoryArchiveFile>(file, "sounds"), 0, 0);
        ASSERT_NE(map, 0);
        const ResourceRef w = resAddResource(kWave, 1, nullptr);
        ASSERT_EQ(resWriteResource(w, wave.data(), u32(wave.size()), 0), kErrNone);
        const ResourceRef m = resAddResource(kMidi, 2, nullptr);
        ASSERT_EQ(resWriteResource(m, midiImage.data(), u32(midiImage.size()), 0), kErrNone);
        ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone);
        // Opened again, nothing of it is in memory.
        map_ = resOpenArchive(std::make_unique<MemoryArchiveFile>(file, "sounds"), 1, 0);
        ASSERT_NE(map_, 0);
        file->onRead = [this] { ++reads; };
    }

    static constexpr u32 kFrames = 44100;
    std::shared_ptr<FileImage> file = std::make_shared<FileImage>();
    ResMapHandle map_ = 0;
    std::vector<i16> samples;
    int reads = 0;
};

TEST_F(ArchiveSounds, AStreamedWaveIsReadAsItPlaysAndHeardAsStored) {
    const ResourceRef ref = resFindResource(kWave, 1, map_);
    ASSERT_NE(ref, 0u);
    ASSERT_EQ(resGetResourceHandle(ref), 0);
    AudioObject* sound = audioNewWaveStream(ref, 100);
    ASSERT_NE(sound, nullptr) << audioGetLastError();
    EXPECT_EQ(audioGetDuration(sound), 2000u);
    const int readsBeforePlay = reads;
    ASSERT_EQ(audioOpen(sound, kAudioDefaultDevice), kErrNone);
    ASSERT_EQ(audioPlay(sound, &AudioTest::note, reinterpret_cast<uintptr_t>(&notes)), kErrNone);
    run(3000);
    // Read in pieces while playing, not in one go.
    EXPECT_GT(reads - readsBeforePlay, 5);
    std::vector<i16> heard(output().size() / 2);
    std::memcpy(heard.data(), output().data(), heard.size() * 2);
    heard.erase(heard.begin(), std::find_if(heard.begin(), heard.end(), [](i16 s) { return s != 0; }));
    ASSERT_GE(heard.size(), samples.size());
    heard.resize(samples.size());
    EXPECT_EQ(heard, samples);
    EXPECT_EQ(codes(), (std::vector<u32>{kAudioNotifyStarted, kAudioNotifyMarker, kAudioNotifyFinished}));
}

TEST_F(ArchiveSounds, AMidiSoundLoadedFromTheArchivePlays) {
    const ResourceRef ref = resFindResource(kMidi, 2, map_);
    ASSERT_NE(ref, 0u);
    const memHandle handle = resLoadResource(ref, 0);
    ASSERT_NE(handle, 0);
    AudioObject* sound = audioNewFromHandle(handle);
    ASSERT_NE(sound, nullptr) << audioGetLastError();
    EXPECT_EQ(audioGetDuration(sound), 500u);
    ASSERT_EQ(audioOpen(sound, kAudioDefaultDevice), kErrNone);
    ASSERT_EQ(audioPlay(sound, nullptr, 0), kErrNone);
    run(600);
    ASSERT_GE(midi.events().size(), 2u);
    EXPECT_EQ(midi.events()[0].packed, 0x643C90u);
    EXPECT_EQ(midi.events()[1].timeMs, 1500u);
    ASSERT_EQ(audioClose(sound), kErrNone);
    ASSERT_EQ(audioDispose(sound), kErrNone);
}

}  // namespace
