#include "platform/audio/output/PushBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/audio/choice/AudioChoice.h"
#include "platform/audio/virtual/VirtualAudio.h"
#include "platform/clock/Clock.h"
#include "tests/HangWatchdog.h"

namespace {

class PushBufferTest : public ::testing::Test {
protected:
    void SetUp() override { plat::setAudioBackend(&backend); }
    void TearDown() override {
        buffer.reset();
        plat::setAudioBackend(nullptr);
    }

    plat::ScopedFakeClock clock;
    plat::VirtualAudioBackend backend;
    std::unique_ptr<plat::PushBuffer> buffer;
};

TEST_F(PushBufferTest, PlaysTheRingLoopingFromItsPlayCursor) {
    ASSERT_EQ(plat::PushBuffer::create(buffer, 0, plat::makePcmFormat(1000, 1, 8), 4), plat::kMmNoError);
    plat::PushBufferRegions regions;
    ASSERT_EQ(buffer->lock(2, 4, &regions), plat::kMmNoError);
    EXPECT_EQ(regions.firstBytes, 2u);
    EXPECT_EQ(regions.secondBytes, 2u);
    EXPECT_EQ(buffer->lock(0, 1, &regions), plat::kMmErrInvalidParam);
    const uint8_t tail[2] = {3, 4};
    const uint8_t head[2] = {1, 2};
    std::memcpy(regions.first, tail, 2);
    std::memcpy(regions.second, head, 2);
    EXPECT_EQ(buffer->unlock(), plat::kMmNoError);
    EXPECT_EQ(buffer->unlock(), plat::kMmErrInvalidParam);

    clock.advance(2);  // not playing: silence, the cursor stays
    buffer->play();
    clock.advance(6);
    uint32_t play = 0;
    uint32_t write = 0;
    buffer->getCurrentPosition(&play, &write);
    EXPECT_EQ(play, 2u);
    EXPECT_EQ(backend.lastCapture()->bytes(), (std::vector<uint8_t>{0x80, 0x80, 1, 2, 3, 4, 1, 2}));
}

// The client fills the whole ring in two strokes while the backend plays it on another
// thread: a pull never reads a region half written, so each value is heard only after the
// one before it.
TEST_F(PushBufferTest, BackendNeverPlaysARegionWhileItIsBeingWritten) {
    ASSERT_EQ(plat::PushBuffer::create(buffer, 0, plat::makePcmFormat(1000, 1, 8), 64), plat::kMmNoError);
    buffer->play();
    std::atomic<bool> done{false};
    std::thread player([&] {
        while (!done) {
            clock.advance(1);
            std::this_thread::yield();
        }
    });
    for (uint8_t value = 1; value < 120; ++value) {
        uint32_t play = 0;
        uint32_t write = 0;
        buffer->getCurrentPosition(&play, &write);
        plat::PushBufferRegions regions;
        ASSERT_EQ(buffer->lock(write, buffer->size(), &regions), plat::kMmNoError);
        std::memset(regions.first, value, regions.firstBytes);
        std::this_thread::yield();
        if (regions.second) std::memset(regions.second, value, regions.secondBytes);
        ASSERT_EQ(buffer->unlock(), plat::kMmNoError);
        std::this_thread::yield();
    }
    done = true;
    player.join();
    buffer.reset();
    std::vector<uint8_t> heard = backend.lastCapture()->bytes();
    heard.erase(std::remove(heard.begin(), heard.end(), 0x80), heard.end());
    EXPECT_TRUE(std::is_sorted(heard.begin(), heard.end()));
}

// A stop while the client holds a region does not wait for the region: a pull waiting for it
// gives up, and the stop returns.
TEST_F(PushBufferTest, StopWhileARegionIsLockedDoesNotHang) {
    ASSERT_EQ(plat::PushBuffer::create(buffer, 0, plat::makePcmFormat(1000, 1, 8), 64), plat::kMmNoError);
    buffer->play();
    plat::PushBufferRegions regions;
    ASSERT_EQ(buffer->lock(0, 64, &regions), plat::kMmNoError);
    HangWatchdog watchdog("a stop while a region is locked", std::chrono::seconds(20));
    std::atomic<bool> pulling{false};
    std::thread player([&] {
        pulling = true;
        clock.advance(5);
    });
    while (!pulling) std::this_thread::yield();
    buffer->stop();
    player.join();
    EXPECT_EQ(buffer->unlock(), plat::kMmNoError);
}

}  // namespace
