// Voice input from the virtual microphone on the fake clock, with the engine's cooperative
// threads: spectra of a test tone, a worker that wakes late, stopping, and the machinery
// shared between voice inputs.
#include <gtest/gtest.h>

#include "engine/os/OsManager.h"
#include "engine/os/OsThreads.h"
#include "platform/audio/capture/choice/CaptureChoice.h"
#include "platform/audio/capture/virtual/VirtualMicrophone.h"
#include "platform/clock/Clock.h"
#include "sound/record/RVoiceInput.h"

namespace {

using namespace Ostrel;

class VoiceInput : public ::testing::Test {
protected:
    void SetUp() override {
        plat::setCaptureBackend(&microphone);
        ASSERT_EQ(osmInit(nullptr), kErrNone);
    }
    void TearDown() override {
        osmShutdown();
        plat::setCaptureBackend(nullptr);
    }
    // Moves the clock in steps, letting the worker run after each.
    void run(u32 ms, u32 step = 10) {
        for (u32 t = 0; t < ms; t += step) {
            clock.advance(step);
            yieldToWorker();
        }
    }
    static void yieldToWorker() {
        for (int i = 0; i < 40; ++i) osmSleep(0);
    }

    plat::ScopedFakeClock clock{100};
    plat::VirtualMicrophone microphone;
};

TEST_F(VoiceInput, AThousandHertzToneLandsInItsBin) {
    microphone.setSignal(plat::sineSignal(1000, 0.5));
    RVoiceInput voice;
    ASSERT_EQ(voice.Start(), 0);
    run(400);
    ASSERT_GE(voice.Capture()->AnalysedBuffers(), 2u);
    std::vector<u16> spectrum(512);
    u16 peak = 0, index = 0;
    ASSERT_EQ(voice.GetSpectrum(spectrum.data(), 512, &peak, &index), kErrNone);
    EXPECT_EQ(index, 46);  // 1000 x 1024 / 22050 = 46.4
    EXPECT_GT(peak, 5);
    EXPECT_LT(spectrum[100], peak / 10);
}

TEST_F(VoiceInput, SilenceGivesZeroes) {
    RVoiceInput voice;
    ASSERT_EQ(voice.Start(), 0);
    run(400);
    std::vector<u16> spectrum(512, 1);
    u16 peak = 1, index = 1;
    ASSERT_EQ(voice.GetSpectrum(spectrum.data(), 512, &peak, &index), kErrNone);
    EXPECT_EQ(spectrum, std::vector<u16>(512, 0));
    EXPECT_EQ(peak, 0);
    EXPECT_EQ(index, 0);
}

TEST_F(VoiceInput, ALateWorkerTakesEveryFilledBufferAndInputGoesOn) {
    microphone.setSignal(plat::sineSignal(1000, 0.5));
    RVoiceInput voice;
    ASSERT_EQ(voice.Start(), 0);
    VoiceCapture* capture = voice.Capture();
    // 600 ms at once fill all three buffers (4096 samples each) before the worker can run.
    clock.advance(600);
    EXPECT_EQ(capture->QueuedBuffers(), 0u);
    yieldToWorker();
    EXPECT_EQ(capture->AnalysedBuffers(), 3u);
    EXPECT_EQ(capture->QueuedBuffers(), 3u);
    // And it goes on: 2 s more give about 10 buffers, every one of them analysed.
    run(2000);
    EXPECT_GE(capture->AnalysedBuffers(), 3u + 10u);
    EXPECT_EQ(capture->QueuedBuffers(), 3u);
}

TEST_F(VoiceInput, StopClosesTheInputAndStartOpensItAgain) {
    RVoiceInput voice;
    ASSERT_EQ(voice.Start(), 0);
    run(400);
    voice.Stop();
    EXPECT_FALSE(voice.IsStarted());
    EXPECT_FALSE(voice.Capture()->Started());
    EXPECT_EQ(voice.Capture()->QueuedBuffers(), 0u);
    const u32 analysed = voice.Capture()->AnalysedBuffers();
    run(1000);
    EXPECT_EQ(voice.Capture()->AnalysedBuffers(), analysed);
    ASSERT_EQ(voice.Start(), 0);
    run(400);
    EXPECT_GT(voice.Capture()->AnalysedBuffers(), analysed);
}

TEST_F(VoiceInput, AMicrophoneThatRefusesTheFormatFailsStart) {
    microphone.acceptOnly({plat::makePcmFormat(44100, 1, 16)});
    RVoiceInput voice;
    EXPECT_EQ(voice.Start(), -1);
    EXPECT_FALSE(voice.IsStarted());
}

TEST_F(VoiceInput, TheMachineryIsSharedAndFreedByTheLastOwner) {
    auto first = std::make_unique<RVoiceInput>();
    auto second = std::make_unique<RVoiceInput>();
    ASSERT_NE(first->Capture(), nullptr);
    EXPECT_EQ(first->Capture(), second->Capture());
    ASSERT_EQ(first->Start(), 0);
    run(200);
    first.reset();
    // The other owner's machinery still works.
    ASSERT_EQ(second->Start(), 0);
    const u32 before = second->Capture()->AnalysedBuffers();
    run(400);
    EXPECT_GT(second->Capture()->AnalysedBuffers(), before);
    second.reset();
    RVoiceInput fresh;
    EXPECT_EQ(fresh.Capture()->AnalysedBuffers(), 0u) << "made anew after the last owner went";
    EXPECT_EQ(fresh.Start(), 0);
}

}  // namespace
