// The output devices behind the mixer: their settings, ring and buffer locking.
#include <gtest/gtest.h>

#include "engine/audio/MixerDeviceInfo.h"
#include "engine/audio/PushBufferDevice.h"
#include "engine/audio/WaveOutDevice.h"
#include "platform/audio/choice/AudioChoice.h"
#include "platform/audio/virtual/VirtualAudio.h"
#include "platform/clock/Clock.h"

namespace {

TEST(MixerDeviceInfo, ReadsThreeToSixNumbersWithAnySeparator) {
    MixerDeviceInfo info;
    ASSERT_TRUE(mixerParseDeviceInfo("8, 512, 2048", &info));
    EXPECT_EQ(info.buffers, 8u);
    EXPECT_EQ(info.framesPerBuffer, 512u);
    EXPECT_EQ(info.leadFrames, 2048u);
    EXPECT_EQ(info.rateOverride, 0u);
    ASSERT_TRUE(mixerParseDeviceInfo("8;512:2048 , 0, 44100, 16", &info));
    EXPECT_EQ(info.startupFillFrames, 0u);
    EXPECT_EQ(info.rateOverride, 44100u);
    EXPECT_EQ(info.sizeOverride, 16);
    MixerDeviceInfo untouched;
    EXPECT_FALSE(mixerParseDeviceInfo("8, 512", &untouched));
    EXPECT_FALSE(mixerParseDeviceInfo("fast please", &untouched));
    EXPECT_EQ(untouched.buffers, 16u);
    ASSERT_TRUE(mixerParseDeviceInfo(" Not Supported ", &untouched));
    EXPECT_TRUE(untouched.notSupported);
}

TEST(MixerDeviceInfo, FindsTheDeviceByNameBeforeTheDefault) {
    const std::vector<std::pair<std::string, std::string>> entries = {
        {"default", "4, 256, 512"}, {"Speaker Box", "2, 128, 128"}};
    EXPECT_EQ(mixerFindDeviceInfo(entries, "speaker box").buffers, 2u);
    EXPECT_EQ(mixerFindDeviceInfo(entries, "Other").buffers, 4u);
    EXPECT_EQ(mixerFindDeviceInfo({}, "Other").buffers, 16u);
}

TEST(MixerDeviceInfo, ClampsToANonEmptyRingWithAFreeBuffer) {
    MixerDeviceInfo info;
    ASSERT_TRUE(mixerParseDeviceInfo("0, 0, 0", &info));
    mixerClampDeviceInfo(&info, 1);
    EXPECT_EQ(info.buffers, 2u);
    EXPECT_EQ(info.framesPerBuffer, 8u);
    EXPECT_EQ(info.leadFrames, 1u);
    ASSERT_TRUE(mixerParseDeviceInfo("4, 13, 999999, 999999", &info));
    mixerClampDeviceInfo(&info, 1);
    EXPECT_EQ(info.framesPerBuffer, 8u);  // a mono 8-bit buffer holds whole groups of 8 frames
    EXPECT_EQ(info.leadFrames, 24u);
    EXPECT_EQ(info.startupFillFrames, 24u);
    ASSERT_TRUE(mixerParseDeviceInfo("4, 13, 20", &info));
    mixerClampDeviceInfo(&info, 4);
    EXPECT_EQ(info.framesPerBuffer, 12u);
}

class MixerDeviceTest : public ::testing::Test {
protected:
    MixerDeviceTest() {
        settings.runDeviceThreads = false;
        plat::setAudioBackend(&backend);
    }
    ~MixerDeviceTest() override { plat::setAudioBackend(nullptr); }

    static void countRefill(void* context, u32, u32) { ++*static_cast<int*>(context); }

    plat::ScopedFakeClock clock;
    plat::VirtualAudioBackend backend;
    PcmMixSettings settings;
    int refills = 0;
};

TEST_F(MixerDeviceTest, WaveOutSettingsLimitTheFormatsAndTheLatency) {
    settings.deviceInfo = {{"default", "8, 512, 2205, 0, 44100, 16"}};
    WaveOutDevice device(settings);
    ASSERT_EQ(device.Init(plat::kWaveMapper), plat::kMmNoError);
    u32 baseRate = 0;
    u32 formats = 0;
    device.FormatInfo(&baseRate, &formats);
    EXPECT_EQ(baseRate, 11025u);
    EXPECT_EQ(formats, 0xC00u);
    EXPECT_EQ(device.Latency(plat::makePcmFormat(22050, 1, 8)), 99u);
    EXPECT_EQ(device.Capabilities(), kDeviceCanRemix);
}

TEST_F(MixerDeviceTest, WaveOutLocksFreeBuffersOnlyOnceAtATime) {
    settings.deviceInfo = {{"default", "4, 100, 150"}};
    WaveOutDevice device(settings);
    ASSERT_EQ(device.Init(0), plat::kMmNoError);
    ASSERT_EQ(device.Open(plat::makePcmFormat(22050, 1, 8), countRefill, &refills), plat::kMmNoError);
    EXPECT_EQ(device.Info().framesPerBuffer, 96u);
    MixerRegions regions;
    ASSERT_EQ(device.GetBuffer(10, &regions), plat::kMmNoError);
    EXPECT_EQ(regions.firstFrames, 4u * 96 - 10);
    EXPECT_EQ(regions.secondFrames, 0u);
    MixerRegions again;
    EXPECT_EQ(device.GetBuffer(10, &again), plat::kMmErrError);
    EXPECT_EQ(device.ReleaseBuffer(), plat::kMmNoError);
    EXPECT_EQ(device.ReleaseBuffer(), plat::kMmErrError);

    ASSERT_EQ(device.Play(), plat::kMmNoError);
    EXPECT_EQ(refills, 2);  // the first fill, then the one after the top-up
    u32 played = 0;
    u32 written = 0;
    device.GetPositions(&played, &written);
    EXPECT_EQ(written, 192u);
    EXPECT_EQ(device.GetBuffer(100, &regions), plat::kMmErrError);  // already handed to the device
    ASSERT_EQ(device.GetBuffer(192, &regions), plat::kMmNoError);
    EXPECT_EQ(regions.firstFrames, 192u);
    device.ReleaseBuffer();
    clock.advance(5);  // 110 frames played: the first buffer comes back and the lead is topped up
    device.PollStep();
    device.GetPositions(&played, &written);
    EXPECT_EQ(played, 110u);
    EXPECT_EQ(written, 288u);
    ASSERT_EQ(device.GetBuffer(384, &regions), plat::kMmNoError);
    EXPECT_EQ(regions.firstFrames, 96u);  // the wrapped first buffer, and nothing beyond
    device.ReleaseBuffer();
    EXPECT_EQ(device.Stop(), plat::kMmNoError);
    EXPECT_EQ(device.Close(), plat::kMmNoError);
    EXPECT_EQ(device.Close(), plat::kMmErrNoDriver);
}

struct EmulatedBackend : plat::VirtualAudioBackend {
    bool emulated() override { return true; }
};

TEST_F(MixerDeviceTest, PushBufferRingIsOneSecondOnAnEmulatedDriver) {
    EmulatedBackend emulated;
    plat::setAudioBackend(&emulated);
    PushBufferDevice device(settings);
    ASSERT_EQ(device.Init(plat::kWaveMapper), plat::kMmNoError);
    EXPECT_EQ(device.Init(3), plat::kMmErrBadDeviceId);
    ASSERT_EQ(device.Init(0), plat::kMmNoError);
    ASSERT_EQ(device.Open(plat::makePcmFormat(22050, 1, 8), countRefill, &refills), plat::kMmNoError);
    EXPECT_EQ(device.RingFrames(), 22272u);
    EXPECT_EQ(device.Open(plat::makePcmFormat(22050, 1, 8), countRefill, &refills), plat::kMmErrNoDriver);
    MixerRegions regions;
    ASSERT_EQ(device.GetBuffer(0, &regions), plat::kMmNoError);
    EXPECT_EQ(regions.firstFrames, 22272u);
    EXPECT_EQ(device.GetBuffer(0, &regions), plat::kMmErrError);
    EXPECT_EQ(device.ReleaseBuffer(), plat::kMmNoError);
    EXPECT_EQ(device.ReleaseBuffer(), plat::kMmErrError);
    device.Close();
    plat::setAudioBackend(&backend);
}

TEST_F(MixerDeviceTest, PushBufferPositionsFollowTheRingAcrossWraps) {
    PushBufferDevice device(settings);
    ASSERT_EQ(device.Init(0), plat::kMmNoError);
    ASSERT_EQ(device.Open(plat::makePcmFormat(22050, 1, 8), countRefill, &refills), plat::kMmNoError);
    EXPECT_EQ(device.RingFrames(), 4608u);  // a fifth of a second rounded up to 256 frames
    ASSERT_EQ(device.Play(), plat::kMmNoError);
    u32 played = 0;
    u32 written = 0;
    for (int i = 0; i < 50; ++i) {
        clock.advance(10);
        device.PollStep();
    }
    device.GetPositions(&played, &written);
    // The play cursor rounds down and the write cursor up to 8 bytes.
    EXPECT_EQ(played, 11024u);
    EXPECT_EQ(written, 11032u);
    EXPECT_GE(refills, 50);
}

}  // namespace
