// Takes recorded from the virtual microphone on the fake clock: the format settled on, the
// buffers of a take, the take itself, and what Stop leaves.
#include <gtest/gtest.h>

#include "platform/audio/capture/choice/CaptureChoice.h"
#include "platform/audio/capture/virtual/VirtualMicrophone.h"
#include "platform/clock/Clock.h"
#include "sound/record/RRecord.h"

namespace {

using namespace Ostrel;

class Record : public ::testing::Test {
protected:
    void SetUp() override { plat::setCaptureBackend(&microphone); }
    void TearDown() override { plat::setCaptureBackend(nullptr); }

    plat::ScopedFakeClock clock{100};
    plat::VirtualMicrophone microphone;
};

TEST_F(Record, InitSettlesOnTheFirstFallbackThatOpens) {
    microphone.acceptOnly({plat::makePcmFormat(44100, 1, 8), plat::makePcmFormat(22050, 1, 8)});
    RRecord record;
    u32 rate = 44100;
    u16 bits = 16;
    ASSERT_EQ(record.Init(2, &rate, &bits, 1), kErrNone);
    // 16/11025 and 16/22050 fail; 8/22050 comes before 8/44100.
    EXPECT_EQ(rate, 22050u);
    EXPECT_EQ(bits, 8);
    EXPECT_EQ(record.TakeBytes(), 44100u);
    EXPECT_TRUE(record.IsOpen());
}

TEST_F(Record, InitReportsABadFormatWhenNothingOpens) {
    microphone.acceptOnly({plat::makePcmFormat(8000, 1, 8)});
    RRecord record;
    u32 rate = 44100;
    u16 bits = 16;
    EXPECT_EQ(record.Init(2, &rate, &bits, 2), kRecordFailed);
    EXPECT_EQ(record.FailureText(), "Bad wave format in opening recording device in RecordObject::Init()");
    EXPECT_EQ(rate, 44100u);
    EXPECT_FALSE(record.IsOpen());
}

TEST_F(Record, ATakeIsCutIntoBuffersOfTheUnitAndTheRest) {
    struct Case { u32 seconds; u32 rate; u16 channels; u32 takeBytes; size_t buffers; u32 last; };
    const Case cases[] = {
        {10, 22050, 1, 220500, 216, 340},
        {1, 2048, 1, 2048, 2, 1024},   // exactly two units: no remainder buffer
        {1, 2049, 1, 2050, 3, 2},      // one byte more, made even
        {1, 1024, 2, 2048, 1, 2048},   // stereo buffers are twice the unit
        {1, 1025, 2, 2050, 2, 2},
    };
    for (const Case& c : cases) {
        RRecord record;
        u32 rate = c.rate;
        u16 bits = 8;
        ASSERT_EQ(record.Init(c.seconds, &rate, &bits, c.channels), kErrNone);
        ASSERT_EQ(record.GetBuffer(), kErrNone);
        EXPECT_EQ(record.TakeBytes(), c.takeBytes) << c.rate;
        ASSERT_EQ(record.BufferCount(), c.buffers) << c.rate;
        EXPECT_EQ(record.BufferSize(c.buffers - 1), c.last) << c.rate;
        EXPECT_EQ(record.BuffersLeft(), c.buffers);
    }
}

TEST_F(Record, AWholeTakeFinishesAndJoinsInOrder) {
    // A ramp of 8-bit samples: frame n is (n mod 100) - 50.
    microphone.setSignal([](uint64_t frame, uint32_t) { return (double(frame % 100) - 50) / 127.0; });
    RRecord record;
    u32 rate = 11025;
    u16 bits = 8;
    ASSERT_EQ(record.Init(1, &rate, &bits, 1), kErrNone);
    ASSERT_EQ(record.GetBuffer(), kErrNone);
    ASSERT_EQ(record.StartRecord(), kErrNone);
    EXPECT_TRUE(record.IsRecording());
    // 11025 bytes made even: the take waits for frame 11026, which falls due at 1001 ms.
    clock.advance(1000);
    EXPECT_FALSE(record.IsFinished());
    clock.advance(1);
    EXPECT_TRUE(record.IsFinished());
    EXPECT_FALSE(record.IsRecording());
    const std::vector<u8> take = record.TakeRecording();
    ASSERT_EQ(take.size(), 11026u);
    for (size_t i = 0; i < take.size(); ++i) ASSERT_EQ(int(take[i]) - 128, int(i % 100) - 50) << i;
    EXPECT_FALSE(record.IsOpen());
    EXPECT_EQ(record.BufferCount(), 0u);
}

TEST_F(Record, StopEndsTheTakeEarlyAndClosesTheInput) {
    RRecord record;
    u32 rate = 11025;
    u16 bits = 8;
    ASSERT_EQ(record.Init(5, &rate, &bits, 1), kErrNone);
    ASSERT_EQ(record.GetBuffer(), kErrNone);
    ASSERT_EQ(record.StartRecord(), kErrNone);
    clock.advance(1);  // 11 frames
    ASSERT_EQ(record.Stop(), kErrNone);
    EXPECT_FALSE(record.IsOpen());
    EXPECT_FALSE(record.IsRecording());
    clock.advance(1000);
    const std::vector<u8> take = record.TakeRecording();
    ASSERT_EQ(take.size(), 12u);
    EXPECT_EQ(take.back(), 0) << "the odd length gains a zero byte";
    // Opened again for another take.
    ASSERT_EQ(record.OpenRecordPrepare(), kErrNone);
    EXPECT_TRUE(record.IsOpen());
}

TEST_F(Record, StartWithoutAnInputIsRefused) {
    RRecord record;
    EXPECT_EQ(record.StartRecord(), kRecordFailed);
    EXPECT_EQ(record.FailureText(), "NULL == mWaveIn in Start()");
}

TEST(RecordLevel, PeakLevelScalesTheLoudestSampleOfEitherWidth) {
    struct Case { std::vector<u8> bytes; u16 bits; u16 level; };
    const Case cases[] = {
        {{}, 16, 0},
        {{0x00, 0x40, 0x00, 0xC0}, 16, 128},  // +16384 and -16384
        {{0x00, 0x80}, 16, kRecordLevelTop},  // -32768, the full scale
        {{0xFF, 0x7F, 0x01}, 16, kRecordLevelTop},  // an odd byte left over is no sample
        {{0x80, 0x80}, 8, 0},
        {{0x40, 0xA0}, 8, 128},
        {{0x00}, 8, kRecordLevelTop},
    };
    for (const Case& c : cases) EXPECT_EQ(PeakLevel(c.bytes, c.bits), c.level) << c.bytes.size() << "/" << c.bits;
}

TEST_F(Record, TheLevelFollowsEachFilledBuffer) {
    microphone.setSignal(plat::sineSignal(440, 0.5));
    RRecord record;
    u32 rate = 22050;
    u16 bits = 16;
    ASSERT_EQ(record.Init(1, &rate, &bits, 1), kErrNone);
    ASSERT_EQ(record.GetBuffer(), kErrNone);
    ASSERT_EQ(record.StartRecord(), kErrNone);
    EXPECT_EQ(record.Level(), 0);
    clock.advance(100);
    EXPECT_NEAR(record.Level(), 127, 2);
    record.Stop();
}

}  // namespace
