// The SDL backend on SDL's dummy driver: buffers written to a wave-out device come back done
// from SDL's audio thread. Waits on the callbacks (with a generous real-time limit), never sleeps.
#include "platform/audio/sdl/SdlAudio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio/choice/AudioChoice.h"
#include "platform/audio/output/PushBuffer.h"
#include "platform/audio/output/WaveOut.h"
#include "platform/audio/sdl/QuietAlsa.h"

namespace {

TEST(SdlAudioSmoke, DummyDriverReturnsWrittenBuffersDone) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::unique_ptr<plat::AudioBackend> sdl = plat::makeSdlAudioBackend();
    if (!sdl) GTEST_FAIL() << "SDL audio cannot start here";
    plat::setAudioBackend(sdl.get());

    std::mutex mutex;
    std::condition_variable doneChanged;
    std::vector<plat::WaveHeader*> done;
    std::thread::id callbackThread;
    std::unique_ptr<plat::WaveOut> device;
    ASSERT_EQ(plat::WaveOut::open(device, 0, plat::makePcmFormat(22050, 2, 16),
                                  [&](plat::WaveOut&, uint32_t message, plat::WaveHeader* header) {
                                      if (message != plat::kWaveOutDone) return;
                                      std::lock_guard lock(mutex);
                                      done.push_back(header);
                                      callbackThread = std::this_thread::get_id();
                                      doneChanged.notify_all();
                                  }),
              plat::kMmNoError);
    std::vector<uint8_t> samples(4 * 1100, 0);
    plat::WaveHeader first;
    plat::WaveHeader second;
    for (plat::WaveHeader* header : {&first, &second}) {
        header->data = samples.data();
        header->bufferLength = uint32_t(samples.size());
        device->prepare(header);
        ASSERT_EQ(device->write(header), plat::kMmNoError);
    }
    {
        std::unique_lock lock(mutex);
        doneChanged.wait_for(lock, std::chrono::seconds(10), [&] { return done.size() == 2; });
    }
    ASSERT_EQ(done, (std::vector<plat::WaveHeader*>{&first, &second}));
    EXPECT_TRUE(first.flags.load() & plat::kWaveHeaderDone);
    EXPECT_NE(callbackThread, std::this_thread::get_id());
    plat::TimeRecord time;
    device->getPosition(&time);
    EXPECT_EQ(time.value, 2200u);
    EXPECT_EQ(device->close(), plat::kMmNoError);
    device.reset();
    plat::setAudioBackend(nullptr);
}

// The threads of this process: an open SDL device adds its audio thread.
int threads() {
    int count = 0;
    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task")) ++count;
    return count;
}

// Whether the process comes to `count` threads within two seconds: a joined thread leaves
// /proc a moment after its join, and threads of the program's earlier cases may still be ending.
bool threadsBecome(int count) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (threads() != count) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// A stopped ring leaves no audio thread waking behind it (a still screen costs nothing), and
// play brings the device back: the ring's first frames are heard, not lost to the opening.
TEST(SdlAudioSmoke, StoppedRingClosesTheDeviceAndPlayReopensIt) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::unique_ptr<plat::AudioBackend> sdl = plat::makeSdlAudioBackend();
    if (!sdl) GTEST_FAIL() << "SDL audio cannot start here";
    plat::setAudioBackend(sdl.get());
    const int idle = threads();
    std::unique_ptr<plat::PushBuffer> ring;
    ASSERT_EQ(plat::PushBuffer::create(ring, 0, plat::makePcmFormat(22050, 1, 8), 4096), plat::kMmNoError);
    EXPECT_TRUE(threadsBecome(idle + 1));
    ring->stop();
    EXPECT_TRUE(threadsBecome(idle));
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ring->setCurrentPosition(0);
        ring->play();
        EXPECT_TRUE(threadsBecome(idle + 1));
        uint32_t played = 0;
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (played == 0 && std::chrono::steady_clock::now() < limit) {
            ring->getCurrentPosition(&played, nullptr);
            std::this_thread::yield();
        }
        EXPECT_GT(played, 0u);
        ring->stop();
        EXPECT_TRUE(threadsBecome(idle));
    }
    ring.reset();
    plat::setAudioBackend(nullptr);
}

// SDL over ALSA asked for a card no machine has: the tries to open it leave at most the
// program's own line on stderr, and none of ALSA's reports.
TEST(SdlAudioWithoutDevice, SaysOneLineAndLetsAlsaSayNothing) {
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    setenv("AUDIODEV", "hw:31,0", 1);
    testing::internal::CaptureStderr();
    std::unique_ptr<plat::AudioBackend> sdl = plat::makeSdlAudioBackend();
    std::string said;
    if (sdl) {
        for (int attempt = 0; attempt < 3; ++attempt)
            EXPECT_EQ(sdl->openSink(0, plat::makePcmFormat(22050, 2, 16), [](uint8_t*, uint32_t) {}), nullptr);
        sdl.reset();
    }
    said = testing::internal::GetCapturedStderr();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("AUDIODEV");
    EXPECT_EQ(said.find("ALSA"), std::string::npos) << said;
    // Once said, never again.
    testing::internal::CaptureStderr();
    plat::reportNoSoundDevice();
    plat::reportNoSoundDevice();
    said += testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("without sound"), std::string::npos) << said;
}

}  // namespace
