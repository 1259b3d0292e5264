#pragma once
// What the running program plays, heard on the headless audio device: the ear installs the
// virtual device before the program starts and reads back what the mixer gave it. The mixer
// runs on its own thread, woken by the fake clock, so listening moves the clock on a
// millisecond at a time, giving that thread, the sounds' feeding and (once a frame) the
// program's loop their turns; a bounded number of steps stands in for a watchdog.
#include <cstdint>
#include <memory>
#include <functional>
#include <thread>
#include <vector>

#include "engine/os/OsLock.h"
#include "engine/os/OsThreads.h"
#include "platform/audio/choice/AudioChoice.h"
#include "platform/audio/virtual/VirtualAudio.h"
#include "platform/clock/Clock.h"

namespace testapp {

class ProgramEar {
public:
    ProgramEar() { plat::setAudioBackend(&audio_); }
    ~ProgramEar() { plat::setAudioBackend(nullptr); }
    ProgramEar(const ProgramEar&) = delete;
    ProgramEar& operator=(const ProgramEar&) = delete;

    // Bytes the device played so far.
    size_t Played() const { return audio_.lastCapture()->bytes().size(); }
    // Listens for up to `ms` milliseconds; true as soon as the device played a sound after
    // its first `from` bytes. `loop` is the program's loop step, run once a frame.
    bool HeardSince(plat::FakeClock& clock, size_t from, uint32_t ms, const std::function<void()>& loop) const {
        return Pass(clock, ms, loop, [&] { return LoudAfter(from); });
    }
    // Lets `ms` milliseconds go by as they would: the device plays what the mixer gives it.
    void Pass(plat::FakeClock& clock, uint32_t ms, const std::function<void()>& loop) const {
        Pass(clock, ms, loop, [] { return false; });
    }
    // Lets what plays end: until a fifth of a second passes in silence (ten seconds at most).
    void UntilQuiet(plat::FakeClock& clock, const std::function<void()>& loop) const {
        for (int tries = 0; tries < 50 && HeardSince(clock, Played(), kQuietMs, loop); ++tries) {
        }
    }
    plat::VirtualAudioBackend& Device() { return audio_; }

private:
    // Moves the clock until `done` (asked once a frame) or for `ms` milliseconds.
    bool Pass(plat::FakeClock& clock, uint32_t ms, const std::function<void()>& loop, const std::function<bool()>& done) const {
        for (uint32_t step = 1; step <= ms; ++step) {
            clock.advance(1);
            std::this_thread::yield();
            osmLockRunForeignPosts();
            osmSleep(0);
            if (step % kFrameMs == 0) {
                if (loop) loop();
                if (done()) return true;
            }
        }
        return done();
    }
    // A sample further from the device's silence than kSilence (in 16-bit steps): unsigned
    // 8-bit samples are silent at 0x80, signed 16-bit ones at 0.
    bool LoudAfter(size_t from) const {
        const std::shared_ptr<plat::VirtualCapture> capture = audio_.lastCapture();
        const std::vector<uint8_t> bytes = capture->bytes();
        const bool wide = capture->format().bitsPerSample == 16;
        const size_t step = wide ? 2 : 1;
        for (size_t i = from - from % step; i + step <= bytes.size(); i += step) {
            const int sample = wide ? int16_t(uint16_t(bytes[i] | (bytes[i + 1] << 8))) : (int(bytes[i]) - 0x80) * 256;
            if (sample > kSilence || sample < -kSilence) return true;
        }
        return false;
    }

    // Quieter than this, a sample (scaled to 16 bits) is silence.
    static constexpr int kSilence = 512;
    static constexpr uint32_t kFrameMs = 16;
    static constexpr uint32_t kQuietMs = 200;
    plat::VirtualAudioBackend audio_;
};

}  // namespace testapp
