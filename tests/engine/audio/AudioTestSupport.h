#pragma once
// The audio module started for tests: the engine's memory, threads and timers, the mixer on
// the virtual audio device driven by hand, the recording MIDI device, and a fake clock. One
// step of `run` moves the clock 10 ms, lets the mixer's device mix, delivers the timer
// expiries and gives the sounds' feeding threads their turn.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/audio/Audio.h"
#include "engine/audio/PcmMix.h"
#include "engine/base/MemoryHandles.h"
#include "engine/os/OsLock.h"
#include "engine/os/OsManager.h"
#include "engine/os/OsThreads.h"
#include "engine/resources/ResourceManager.h"
#include "engine/timers/Timers.h"
#include "platform/audio/choice/AudioChoice.h"
#include "platform/audio/virtual/VirtualAudio.h"
#include "platform/clock/Clock.h"
#include "platform/midi/choice/MidiChoice.h"
#include "platform/midi/recording/RecordingMidi.h"

namespace audiotest {

struct Note {
    AudioObject* object;
    u32 code;
    std::string name;
    u32 at;
};

class AudioTest : public ::testing::Test {
protected:
    static AudioSettings defaultSettings(u16 sampleSize = 16) {
        AudioSettings settings;
        settings.mixer.runDeviceThreads = false;
        settings.mixer.pushBufferEnable = false;
        settings.mixer.sampleSize = sampleSize;
        settings.mixer.deviceInfo = {{"default", "8, 512, 1024"}};
        return settings;
    }

    void SetUp() override { startWith(defaultSettings()); }

    void startWith(const AudioSettings& settings) {
        plat::setAudioBackend(&audio);
        plat::setMidiBackend(&midi);
        ASSERT_EQ(osmInit(nullptr), kErrNone);
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(resInit(), kErrNone);
        ASSERT_EQ(timerInit(), kErrNone);
        ASSERT_EQ(audioInit(settings), kErrNone);
        started_ = true;
    }

    void TearDown() override { stop(); }

    void stop() {
        if (!started_) return;
        audioShutdown();
        timerShutdown();
        resShutdown();
        memShutdown();
        osmShutdown();
        plat::setMidiBackend(nullptr);
        plat::setAudioBackend(nullptr);
        started_ = false;
    }

    memHandle handleWith(const std::vector<u8>& bytes) {
        const memHandle handle = memAllocHandle(u32(bytes.size()));
        EXPECT_NE(handle, 0);
        std::memcpy(memLockHandle(handle), bytes.data(), bytes.size());
        memUnlockHandle(handle);
        return handle;
    }

    void run(u32 ms) {
        for (u32 t = 0; t < ms; t += 10) {
            clock.advance(10);
            pcmMixPollDevices();
            osmLockRunForeignPosts();
            osmSleep(0);
        }
    }

    static void note(AudioObject* object, const AudioNotification* n, uintptr_t datum) {
        auto* notes = reinterpret_cast<std::vector<Note>*>(datum);
        notes->push_back({object, n->code, n->name ? std::string(n->name, n->nameLength) : "", plat::clockMillis()});
    }

    std::vector<u32> codes() const {
        std::vector<u32> out;
        for (const Note& n : notes) out.push_back(n.code);
        return out;
    }

    std::vector<u8> output() const { return audio.lastCapture() ? audio.lastCapture()->bytes() : std::vector<u8>{}; }

    plat::ScopedFakeClock clock{1000};
    plat::VirtualAudioBackend audio;
    plat::RecordingMidiBackend midi;
    std::vector<Note> notes;

private:
    bool started_ = false;
};

}  // namespace audiotest
