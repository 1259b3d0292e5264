// Wave input from the virtual microphone on the fake clock: headers filled in order with the
// test signal, what stop, reset and close do to queued headers, and formats refused.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/audio/capture/choice/CaptureChoice.h"
#include "platform/audio/capture/input/WaveIn.h"
#include "platform/audio/capture/virtual/VirtualMicrophone.h"
#include "platform/clock/Clock.h"

namespace {

using namespace plat;

class WaveInTest : public ::testing::Test {
protected:
    void SetUp() override { setCaptureBackend(&microphone); }
    void TearDown() override {
        in.reset();
        setCaptureBackend(nullptr);
    }

    void openMono16() {
        ASSERT_EQ(WaveIn::open(in, kWaveMapper, makePcmFormat(1000, 1, 16),
                               [this](WaveIn&, uint32_t message, WaveHeader* header) {
                                   messages.push_back(message);
                                   if (header) done.push_back(header);
                               }),
                  kMmNoError);
    }
    WaveHeader* header(size_t bytes) {
        blocks.emplace_back(bytes, 0xEE);
        headers.push_back(std::make_unique<WaveHeader>());
        WaveHeader* h = headers.back().get();
        h->data = blocks.back().data();
        h->bufferLength = uint32_t(bytes);
        EXPECT_EQ(in->prepare(h), kMmNoError);
        return h;
    }
    static int16_t sample(const WaveHeader* h, size_t i) {
        int16_t s;
        std::memcpy(&s, h->data + 2 * i, 2);
        return s;
    }

    ScopedFakeClock clock{500};
    VirtualMicrophone microphone;
    std::unique_ptr<WaveIn> in;
    std::vector<uint32_t> messages;
    std::vector<WaveHeader*> done;
    std::vector<std::vector<uint8_t>> blocks;
    std::vector<std::unique_ptr<WaveHeader>> headers;
};

TEST_F(WaveInTest, HeadersFillInOrderWithTheSignal) {
    // A ramp: frame n is n / 32767.
    microphone.setSignal([](uint64_t frame, uint32_t) { return double(frame) / 32767.0; });
    openMono16();
    WaveHeader* a = header(20);  // 10 frames each
    WaveHeader* b = header(20);
    ASSERT_EQ(in->addBuffer(a), kMmNoError);
    ASSERT_EQ(in->addBuffer(b), kMmNoError);
    ASSERT_EQ(in->start(), kMmNoError);
    clock.advance(9);  // 9 frames at 1000 Hz
    EXPECT_TRUE(done.empty());
    clock.advance(1);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], a);
    EXPECT_EQ(a->bytesRecorded, 20u);
    EXPECT_TRUE(a->flags & kWaveHeaderDone);
    EXPECT_FALSE(a->flags & kWaveHeaderInQueue);
    for (size_t i = 0; i < 10; ++i) EXPECT_EQ(sample(a, i), int16_t(i));
    // Frames beyond the queued headers are lost: b fills, then 25 frames go nowhere.
    clock.advance(35);
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(sample(b, 0), 10);
    ASSERT_EQ(in->addBuffer(a), kMmNoError);
    clock.advance(10);
    ASSERT_EQ(done.size(), 3u);
    EXPECT_EQ(sample(a, 0), 45);
}

TEST_F(WaveInTest, StopReturnsAPartlyFilledHeaderAndResetEveryHeader) {
    openMono16();
    WaveHeader* a = header(20);
    WaveHeader* b = header(20);
    WaveHeader* c = header(20);
    for (WaveHeader* h : {a, b, c}) ASSERT_EQ(in->addBuffer(h), kMmNoError);
    EXPECT_EQ(in->unprepare(a), kWaveErrStillPlaying);
    EXPECT_EQ(in->close(), kWaveErrStillPlaying);
    in->start();
    clock.advance(4);
    ASSERT_EQ(in->stop(), kMmNoError);
    ASSERT_EQ(done, std::vector<WaveHeader*>{a});
    EXPECT_EQ(a->bytesRecorded, 8u);
    clock.advance(100);
    EXPECT_EQ(done.size(), 1u) << "nothing is captured while stopped";
    ASSERT_EQ(in->reset(), kMmNoError);
    EXPECT_EQ(done, (std::vector<WaveHeader*>{a, b, c}));
    EXPECT_EQ(b->bytesRecorded, 0u);
    EXPECT_EQ(in->unprepare(a), kMmNoError);
    EXPECT_EQ(in->close(), kMmNoError);
    EXPECT_EQ(messages.front(), kWaveInOpened);
    EXPECT_EQ(messages.back(), kWaveInClosed);
}

TEST_F(WaveInTest, FormatsTheMicrophoneRefusesDoNotOpen) {
    microphone.acceptOnly({makePcmFormat(22050, 1, 8)});
    std::unique_ptr<WaveIn> other;
    EXPECT_EQ(WaveIn::open(other, kWaveMapper, makePcmFormat(22050, 1, 16), nullptr, true), kWaveErrBadFormat);
    EXPECT_EQ(WaveIn::open(other, kWaveMapper, makePcmFormat(22050, 1, 8), nullptr, true), kMmNoError);
    EXPECT_EQ(other, nullptr) << "a query opens nothing";
    EXPECT_EQ(WaveIn::open(other, kWaveMapper, makePcmFormat(22050, 2, 8), nullptr), kWaveErrBadFormat);
    EXPECT_EQ(WaveIn::open(other, 1, makePcmFormat(22050, 1, 8), nullptr), kMmErrBadDeviceId);
    EXPECT_EQ(WaveIn::open(other, 0, makePcmFormat(22050, 1, 8), nullptr), kMmNoError);
    EXPECT_NE(other, nullptr);
}

TEST_F(WaveInTest, AnUnpreparedHeaderIsRefused) {
    openMono16();
    WaveHeader raw;
    uint8_t bytes[4];
    raw.data = bytes;
    raw.bufferLength = 4;
    EXPECT_EQ(in->addBuffer(&raw), kWaveErrUnprepared);
}

}  // namespace
