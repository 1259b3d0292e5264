#include "platform/audio/output/WaveOut.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/audio/choice/AudioChoice.h"
#include "platform/audio/virtual/VirtualAudio.h"
#include "platform/clock/Clock.h"

namespace {

// A virtual device at 1000 frames per second of 8-bit mono, so that one millisecond is one frame.
class WaveOutTest : public ::testing::Test {
protected:
    void SetUp() override { plat::setAudioBackend(&backend); }
    void TearDown() override {
        if (device) {
            device->reset();
            device->close();
            device.reset();
        }
        plat::setAudioBackend(nullptr);
    }

    void openDevice() {
        ASSERT_EQ(plat::WaveOut::open(device, 0, plat::makePcmFormat(1000, 1, 8),
                                      [this](plat::WaveOut&, uint32_t message, plat::WaveHeader* header) {
                                          const bool done = header && (header->flags.load() & plat::kWaveHeaderDone);
                                          events.push_back(std::to_string(message) + (header ? ":" + name(header) : "") +
                                                           (done ? "+done" : ""));
                                      }),
                  plat::kMmNoError);
    }

    plat::WaveHeader* makeBuffer(const std::string& tag, std::vector<uint8_t> bytes, uint32_t flags = 0,
                                 uint32_t loops = 0) {
        auto& holder = buffers.emplace_back(std::make_unique<Buffer>());
        holder->tag = tag;
        holder->bytes = std::move(bytes);
        holder->header.data = holder->bytes.data();
        holder->header.bufferLength = uint32_t(holder->bytes.size());
        holder->header.flags = flags;
        holder->header.loops = loops;
        holder->header.user = buffers.size() - 1;
        EXPECT_EQ(device->prepare(&holder->header), plat::kMmNoError);
        return &holder->header;
    }

    std::string name(plat::WaveHeader* header) { return buffers[header->user]->tag; }

    uint32_t position() {
        plat::TimeRecord time;
        device->getPosition(&time);
        return time.value;
    }

    struct Buffer {
        std::string tag;
        std::vector<uint8_t> bytes;
        plat::WaveHeader header;
    };

    plat::ScopedFakeClock clock;
    plat::VirtualAudioBackend backend;
    std::unique_ptr<plat::WaveOut> device;
    std::vector<std::unique_ptr<Buffer>> buffers;
    std::vector<std::string> events;
};

TEST_F(WaveOutTest, PlaysBuffersInOrderAndReturnsEachDone) {
    openDevice();
    device->write(makeBuffer("a", {1, 2, 3}));
    device->write(makeBuffer("b", {4, 5}));
    clock.advance(2);
    EXPECT_EQ(events, (std::vector<std::string>{"955"}));
    clock.advance(4);
    EXPECT_EQ(events, (std::vector<std::string>{"955", "957:a+done", "957:b+done"}));
    const std::vector<uint8_t> played = backend.lastCapture()->bytes();
    EXPECT_EQ(played, (std::vector<uint8_t>{1, 2, 3, 4, 5, 0x80}));
    EXPECT_EQ(position(), 5u);
}

TEST_F(WaveOutTest, PositionNeverRunsAheadOfWhatWasWritten) {
    openDevice();
    clock.advance(10);
    EXPECT_EQ(position(), 0u);
    device->write(makeBuffer("a", {1, 2}));
    clock.advance(10);
    EXPECT_EQ(position(), 2u);
}

TEST_F(WaveOutTest, PauseBeforeTheFirstWriteHoldsTheOutput) {
    openDevice();
    device->pause();
    device->write(makeBuffer("a", {1, 2}));
    clock.advance(5);
    EXPECT_EQ(position(), 0u);
    device->restart();
    clock.advance(5);
    EXPECT_EQ(position(), 2u);
    EXPECT_EQ(events.back(), "957:a+done");
}

TEST_F(WaveOutTest, LoopsRepeatTheMarkedSectionAndBreakLoopEndsIt) {
    openDevice();
    device->write(makeBuffer("a", {1, 2}, plat::kWaveHeaderBeginLoop, 3));
    device->write(makeBuffer("b", {3}, plat::kWaveHeaderEndLoop));
    device->write(makeBuffer("c", {9}));
    clock.advance(10);
    const std::vector<uint8_t> played = backend.lastCapture()->bytes();
    EXPECT_EQ(std::vector<uint8_t>(played.begin(), played.begin() + 10),
              (std::vector<uint8_t>{1, 2, 3, 1, 2, 3, 1, 2, 3, 9}));
    EXPECT_EQ(events, (std::vector<std::string>{"955", "957:a+done", "957:b+done", "957:c+done"}));

    device->write(makeBuffer("d", {5}, plat::kWaveHeaderBeginLoop | plat::kWaveHeaderEndLoop, 1000));
    clock.advance(3);
    device->breakLoop();
    clock.advance(3);
    EXPECT_EQ(events.back(), "957:d+done");
}

TEST_F(WaveOutTest, ResetReturnsEveryBufferAndCloseWaitsForIt) {
    openDevice();
    device->write(makeBuffer("a", {1, 2, 3}));
    device->write(makeBuffer("b", {4}));
    clock.advance(1);
    EXPECT_EQ(device->close(), plat::kWaveErrStillPlaying);
    plat::WaveHeader* a = &buffers[0]->header;
    EXPECT_EQ(device->unprepare(a), plat::kWaveErrStillPlaying);
    device->reset();
    EXPECT_EQ(events, (std::vector<std::string>{"955", "957:a+done", "957:b+done"}));
    EXPECT_EQ(position(), 0u);
    EXPECT_EQ(device->unprepare(a), plat::kMmNoError);
    EXPECT_EQ(device->close(), plat::kMmNoError);
    EXPECT_EQ(events.back(), "956");
    device.reset();
}

TEST_F(WaveOutTest, RefusesUnpreparedBuffersAndBadFormats) {
    openDevice();
    plat::WaveHeader loose;
    EXPECT_EQ(device->write(&loose), plat::kWaveErrUnprepared);
    std::unique_ptr<plat::WaveOut> other;
    plat::WaveFormat odd = plat::makePcmFormat(1000, 3, 8);
    EXPECT_EQ(plat::WaveOut::open(other, 0, odd, nullptr), plat::kWaveErrBadFormat);
    EXPECT_EQ(plat::WaveOut::open(other, 7, plat::makePcmFormat(1000, 1, 8), nullptr), plat::kMmErrBadDeviceId);
}

TEST_F(WaveOutTest, ZeroLengthLoopDoesNotSpin) {
    openDevice();
    device->write(makeBuffer("a", {}, plat::kWaveHeaderBeginLoop | plat::kWaveHeaderEndLoop, 0xFFFFFFFF));
    clock.advance(1);
    EXPECT_EQ(events.back(), "957:a+done");
}

TEST_F(WaveOutTest, TheVirtualDeviceCanBeMadeBusyOrAbsentForAsManyOpensAsAsked) {
    const plat::WaveFormat format = plat::makePcmFormat(1000, 1, 8);
    backend.failNextOpens(2);
    for (const uint16_t expected : {plat::kMmErrAllocated, plat::kMmErrAllocated, plat::kMmNoError})
        EXPECT_EQ(plat::WaveOut::open(device, 0, format, nullptr), expected);
    ASSERT_TRUE(device);
    device->close();
    device.reset();
    backend.setPresent(false);
    EXPECT_EQ(plat::WaveOut::open(device, 0, format, nullptr), plat::kMmErrBadDeviceId);
    backend.setPresent(true);
    EXPECT_EQ(plat::WaveOut::open(device, 0, format, nullptr), plat::kMmNoError);
}

}  // namespace
