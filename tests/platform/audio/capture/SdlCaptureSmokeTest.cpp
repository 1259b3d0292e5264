// The SDL capture backend on SDL's dummy driver: headers added to a wave-in device come back
// filled from SDL's audio thread. Waits on the callbacks (with a generous real-time limit),
// never sleeps; fails where the driver offers no capture.
#include "platform/audio/capture/sdl/SdlCapture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/audio/capture/choice/CaptureChoice.h"
#include "platform/audio/capture/input/WaveIn.h"

namespace {

TEST(SdlCaptureSmoke, DummyDriverFillsAddedBuffers) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::unique_ptr<plat::CaptureBackend> sdl = plat::makeSdlCaptureBackend();
    if (!sdl) GTEST_FAIL() << "SDL audio cannot start here";
    plat::setCaptureBackend(sdl.get());

    std::mutex mutex;
    std::condition_variable doneChanged;
    std::vector<plat::WaveHeader*> done;
    std::thread::id callbackThread;
    std::unique_ptr<plat::WaveIn> device;
    const uint16_t opened = plat::WaveIn::open(device, plat::kWaveMapper, plat::makePcmFormat(22050, 1, 16),
                                               [&](plat::WaveIn&, uint32_t message, plat::WaveHeader* header) {
                                                   if (message != plat::kWaveInData) return;
                                                   std::lock_guard lock(mutex);
                                                   done.push_back(header);
                                                   callbackThread = std::this_thread::get_id();
                                                   doneChanged.notify_all();
                                               });
    if (opened == plat::kMmErrAllocated) {
        plat::setCaptureBackend(nullptr);
        GTEST_FAIL() << "the driver records nothing here";
    }
    ASSERT_EQ(opened, plat::kMmNoError);
    std::vector<uint8_t> first(2048, 0xEE), second(2048, 0xEE);
    plat::WaveHeader a, b;
    a.data = first.data();
    b.data = second.data();
    for (plat::WaveHeader* header : {&a, &b}) {
        header->bufferLength = 2048;
        device->prepare(header);
        ASSERT_EQ(device->addBuffer(header), plat::kMmNoError);
    }
    device->start();
    {
        std::unique_lock lock(mutex);
        doneChanged.wait_for(lock, std::chrono::seconds(10), [&] { return done.size() == 2; });
    }
    ASSERT_EQ(done, (std::vector<plat::WaveHeader*>{&a, &b}));
    EXPECT_EQ(a.bytesRecorded, 2048u);
    EXPECT_NE(callbackThread, std::this_thread::get_id());
    EXPECT_EQ(device->reset(), plat::kMmNoError);
    EXPECT_EQ(device->close(), plat::kMmNoError);
    device.reset();
    plat::setCaptureBackend(nullptr);
}

}  // namespace
