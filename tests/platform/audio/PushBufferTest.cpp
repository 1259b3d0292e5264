#include "platform/audio/PushBuffer.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/audio/virtual/VirtualAudio.h"
#include "platform/clock/Clock.h"

namespace {

TEST(PushBuffer, PlaysTheRingLoopingFromItsPlayCursor) {
    plat::ScopedFakeClock clock;
    plat::VirtualAudioBackend backend;
    plat::setAudioBackend(&backend);
    std::unique_ptr<plat::PushBuffer> buffer;
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
    buffer.reset();
    plat::setAudioBackend(nullptr);
}

}  // namespace
