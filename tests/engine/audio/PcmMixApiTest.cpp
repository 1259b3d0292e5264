// The mixer's open road, start-up settings, pass-through and device capabilities.
#include <cstring>

#include "engine/base/ByteOrder.h"
#include "tests/engine/audio/MixerTestSupport.h"

namespace {

using namespace mixertest;

const plat::WaveFormat kMono8 = plat::makePcmFormat(22050, 1, 8);

class PcmMixApi : public MixerTest {};

TEST_F(PcmMixApi, FormatQueryAnswersWithoutOpening) {
    start(testSettings());
    PcmMixHandle handle = nullptr;
    EXPECT_EQ(pcmMixOpen(&handle, 0, &kMono8, nullptr, 0, kPcmMixFormatQuery), plat::kMmNoError);
    EXPECT_EQ(handle, nullptr);
    plat::WaveFormat adpcm = kMono8;
    adpcm.formatTag = 2;
    EXPECT_EQ(pcmMixOpen(&handle, 0, &adpcm, nullptr, 0, kPcmMixFormatQuery), plat::kWaveErrBadFormat);
    plat::WaveFormat oddAlign = kMono8;
    oddAlign.blockAlign = 3;
    EXPECT_EQ(pcmMixOpen(&handle, 0, &oddAlign, nullptr, 0, 0), plat::kWaveErrBadFormat);
    EXPECT_EQ(pcmMixOpen(&handle, 0, &kMono8, nullptr, 0, 0x00050000), plat::kMmErrInvalidParam);
    EXPECT_EQ(pcmMixOpen(&handle, 5, &kMono8, nullptr, 0, 0), plat::kMmErrBadDeviceId);
}

TEST_F(PcmMixApi, OpenRefusesARateItHasNoStepFor) {
    start(testSettings());
    PcmMixHandle handle = nullptr;
    // Beyond the signed 16.16 range: no step maps such a source onto the output.
    const plat::WaveFormat tooFast = plat::makePcmFormat(0x80000000u, 1, 8);
    EXPECT_EQ(pcmMixOpen(&handle, 0, &tooFast, nullptr, 0, 0), plat::kWaveErrBadFormat);
    EXPECT_EQ(handle, nullptr);
}

TEST_F(PcmMixApi, StartUpRefusesRatesAndSizesItCannotMix) {
    PcmMixSettings settings = testSettings();
    settings.frameRate = 32000;
    EXPECT_EQ(pcmMixInit(settings), plat::kMmErrError);
    settings.frameRate = 44100;
    settings.sampleSize = 12;
    EXPECT_EQ(pcmMixInit(settings), plat::kMmErrError);
    settings.enable = false;
    EXPECT_EQ(pcmMixInit(settings), kErrNone);
    EXPECT_EQ(pcmMixGetVersion(), kPcmMixVersion);
    pcmMixShutdown();
    EXPECT_EQ(pcmMixGetVersion(), 0);
}

TEST_F(PcmMixApi, DisabledMixerPassesStraightThroughAtUnityOnly) {
    PcmMixSettings settings = testSettings();
    settings.enable = false;
    start(settings);
    Client& c = client();
    ASSERT_EQ(c.open(plat::makePcmFormat(22050, 1, 16)), plat::kMmNoError);
    EXPECT_EQ(pcmMixSetVolume(c.handle, 0x8000), plat::kMmErrNotSupported);
    EXPECT_EQ(pcmMixSetVolume(c.handle, kFixedOne), plat::kMmNoError);
    EXPECT_EQ(pcmMixSetBalance(c.handle, 0), plat::kMmErrNotSupported);
    EXPECT_EQ(pcmMixSetPlaybackRate(c.handle, 0x20000), plat::kMmErrNotSupported);
    // What a platform device was given it keeps.
    EXPECT_EQ(pcmMixDropUnwritten(c.handle), plat::kMmErrNotSupported);
    // Big-endian client samples reach the device little-endian, and come back as they were.
    plat::WaveHeader* header = c.write({0x12, 0x34, 0x56, 0x78}, 0, 0, "a");
    play(20);
    const std::vector<u8> out = output();
    ASSERT_GE(out.size(), 4u);
    EXPECT_EQ(readLE16(&out[0]), 0x1234);
    EXPECT_EQ(readLE16(&out[2]), 0x5678);
    EXPECT_EQ(c.events, (std::vector<std::string>{"open", "done:a"}));
    ASSERT_EQ(pcmMixUnprepareHeader(c.handle, header, kPcmMixHeaderSize), plat::kMmNoError);
    EXPECT_EQ(header->data[0], 0x12);
    ASSERT_EQ(pcmMixClose(c.handle), plat::kMmNoError);
    c.handle = nullptr;
    EXPECT_EQ(c.events, (std::vector<std::string>{"open", "done:a", "close"}));
}

TEST_F(PcmMixApi, SwitchingTheMixerOffClosesEveryHandle) {
    start(testSettings());
    Client& c = client();
    ASSERT_EQ(c.open(kMono8), plat::kMmNoError);
    c.write(std::vector<u8>(5000, 0x90));
    EXPECT_EQ(pcmMixEnable(0), 1);
    EXPECT_EQ(pcmMixIsEnabled(), 0);
    EXPECT_EQ(c.events, (std::vector<std::string>{"open", "done:0", "close"}));
    c.handle = nullptr;
    EXPECT_EQ(pcmMixEnable(1), 0);
    EXPECT_EQ(pcmMixIsEnabled(), 1);
}

TEST_F(PcmMixApi, DeviceMarkedNotSupportedCannotBeMixed) {
    PcmMixSettings settings = testSettings();
    settings.deviceInfo = {{"virtual wave out", "not supported"}};
    start(settings);
    PcmMixHandle handle = nullptr;
    EXPECT_EQ(pcmMixOpen(&handle, 0, &kMono8, nullptr, 0, 0), plat::kMmErrNotSupported);
    PcmMixDevCaps caps;
    ASSERT_EQ(pcmMixGetDevCaps(0, &caps, kPcmMixDevCapsSize), plat::kMmNoError);
    EXPECT_STREQ(caps.productName, "Virtual Wave Out");
    EXPECT_EQ(caps.support, 0u);
}

TEST_F(PcmMixApi, CapabilitiesDescribeTheMixedDevice) {
    PcmMixSettings settings = testSettings(16, true);
    settings.deviceInfo = {{"default", "8, 512, 2205"}};
    start(settings);
    PcmMixDevCaps caps;
    ASSERT_EQ(pcmMixGetDevCaps(0, &caps, kPcmMixDevCapsExtendedSize), plat::kMmNoError);
    EXPECT_EQ(caps.formats, 0x0FFFu);
    EXPECT_EQ(caps.channels, 2);
    EXPECT_EQ(caps.support, kPcmMixSupportVolume | kPcmMixSupportLeftRightVolume | kPcmMixSupportPlaybackRate |
                                kPcmMixSupportExtended);
    EXPECT_EQ(caps.baseRate, 11025u);
    EXPECT_EQ(caps.chosenFormat, 0x80u);  // 22050 Hz, stereo, 16-bit
    EXPECT_EQ(caps.latencyMs, 99u);
    EXPECT_EQ(pcmMixGetDevCaps(0, &caps, 20), plat::kMmErrInvalidParam);
}

TEST_F(PcmMixApi, HeadersAreCheckedBeforeTheyAreQueued) {
    start(testSettings());
    Client& c = client();
    ASSERT_EQ(c.open(kMono8), plat::kMmNoError);
    plat::WaveHeader loose;
    EXPECT_EQ(pcmMixWrite(c.handle, &loose, kPcmMixHeaderSize), plat::kMmErrInvalidParam);
    EXPECT_EQ(pcmMixPrepareHeader(c.handle, nullptr, kPcmMixHeaderSize), plat::kMmErrInvalidParam);
    plat::WaveHeader* header = c.prepare(std::vector<u8>(10, 0x90));
    EXPECT_EQ(pcmMixPrepareHeader(c.handle, header, kPcmMixHeaderSize), plat::kMmErrError);
    EXPECT_EQ(pcmMixWrite(c.handle, header, 31), plat::kMmErrInvalidParam);
    ASSERT_EQ(pcmMixWrite(c.handle, header, kPcmMixHeaderSize), plat::kMmNoError);
    EXPECT_EQ(pcmMixWrite(c.handle, header, kPcmMixHeaderSize), plat::kWaveErrStillPlaying);
    EXPECT_EQ(pcmMixUnprepareHeader(c.handle, header, kPcmMixHeaderSize), plat::kWaveErrStillPlaying);
    EXPECT_EQ(pcmMixSetPitch(c.handle, 0x20000), plat::kMmErrNotSupported);
    EXPECT_EQ(pcmMixGetVolume(nullptr, nullptr), plat::kMmErrInvalidHandle);
}

TEST_F(PcmMixApi, PushBufferDevicePlaysTheMixedOutput) {
    PcmMixSettings settings = testSettings();
    settings.pushBufferEnable = true;
    start(settings);
    Client& c = client();
    ASSERT_EQ(c.open(kMono8), plat::kMmNoError);
    std::vector<u8> ramp(3000);
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = u8(1 + i % 100);
    c.write(ramp);
    for (int i = 0; i < 30; ++i) {
        clock.advance(5);
        pcmMixPollDevices();
    }
    std::vector<u8> heard;
    for (u8 b : output())
        if (b != 0x80) heard.push_back(b);
    EXPECT_EQ(heard, ramp);
    EXPECT_EQ(c.events.back(), "done:0");
    PcmMixDevCaps caps;
    ASSERT_EQ(pcmMixGetDevCaps(0, &caps, kPcmMixDevCapsExtendedSize), plat::kMmNoError);
    EXPECT_TRUE(caps.support & kPcmMixSupportPushBuffer);
}

}  // namespace

namespace {

TEST_F(PcmMixApi, HeaderPreparedOnOneHandleIsRefusedByAnother) {
    start(mixertest::testSettings());
    mixertest::Client& owner = client("owner");
    mixertest::Client& other = client("other");
    ASSERT_EQ(owner.open(kMono8), plat::kMmNoError);
    ASSERT_EQ(other.open(kMono8), plat::kMmNoError);
    plat::WaveHeader* header = owner.prepare(std::vector<u8>(10, 0x90));
    EXPECT_EQ(pcmMixWrite(other.handle, header, kPcmMixHeaderSize), plat::kMmErrInvalidParam);
    EXPECT_EQ(pcmMixUnprepareHeader(other.handle, header, kPcmMixHeaderSize), plat::kMmErrInvalidParam);
}

}  // namespace
