// The mixer as its clients see it: buffers come back in order, loops report their passes,
// and pause, restart, reset, volume, balance and rate act on what is heard.
#include <algorithm>
#include <atomic>
#include <thread>

#include "tests/engine/audio/MixerTestSupport.h"

namespace {

using namespace mixertest;

const plat::WaveFormat kPlaybackMono8 = plat::makePcmFormat(22050, 1, 8);

std::vector<u8> constant(u8 value, size_t frames) { return std::vector<u8>(frames, value); }

size_t countOf(const std::vector<u8>& bytes, u8 value) { return size_t(std::count(bytes.begin(), bytes.end(), value)); }

class PcmMixPlayback : public MixerTest {
protected:
    void SetUp() override { start(testSettings()); }
};

TEST_F(PcmMixPlayback, OneBufferLoopPlaysEachPassReportingTheNewOnesThenDone) {
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    c.write(constant(0x90, 100), plat::kWaveHeaderBeginLoop | plat::kWaveHeaderEndLoop, 3, "a");
    play(300);
    EXPECT_EQ(c.events, (std::vector<std::string>{"open", "loop:a", "loop:a", "done:a"}));
    EXPECT_EQ(countOf(output(), 0x90), 300u);
}

TEST_F(PcmMixPlayback, LoopOverSeveralBuffersReportsEachBufferOncePerRepeat) {
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    c.write(constant(0x90, 3000), plat::kWaveHeaderBeginLoop, 3, "a");
    c.write(constant(0xA0, 2000), plat::kWaveHeaderEndLoop, 0, "b");
    c.write(constant(0xB0, 100), 0, 0, "c");
    std::vector<u32> positions;
    for (int i = 0; i < 120; ++i) {
        play(10);
        plat::TimeRecord time;
        pcmMixGetPosition(c.handle, &time, kPcmMixTimeSize);
        positions.push_back(time.value);
    }
    EXPECT_EQ(c.events, (std::vector<std::string>{"open", "loop:a", "loop:b", "loop:a", "loop:b", "done:a", "done:b",
                                                  "done:c"}));
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_EQ(positions.back(), 3u * 5000 + 100);
    EXPECT_EQ(countOf(output(), 0x90), 9000u);
    EXPECT_EQ(countOf(output(), 0xA0), 6000u);
}

TEST_F(PcmMixPlayback, LoopMessagesAreLeftOutWhenAskedTo) {
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8, kPcmMixNoLoopMessages), plat::kMmNoError);
    c.write(constant(0x90, 100), plat::kWaveHeaderBeginLoop | plat::kWaveHeaderEndLoop, 3, "a");
    play(300);
    EXPECT_EQ(c.events, (std::vector<std::string>{"open", "done:a"}));
}

TEST_F(PcmMixPlayback, BreakLoopEndsTheLoopAfterItsPresentPass) {
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    c.write(constant(0x90, 1000), plat::kWaveHeaderBeginLoop | plat::kWaveHeaderEndLoop, 1000, "a");
    c.write(constant(0xA0, 500), 0, 0, "b");
    play(200);
    ASSERT_EQ(pcmMixBreakLoop(c.handle), plat::kMmNoError);
    play(500);
    ASSERT_TRUE(c.allDone());
    EXPECT_EQ(c.events.back(), "done:b");
    const std::vector<u8> out = output();
    const size_t looped = countOf(out, 0x90);
    EXPECT_EQ(looped % 1000, 0u);
    EXPECT_GE(looped, 4000u);
    EXPECT_EQ(countOf(out, 0xA0), 500u);
    // The buffer after the loop follows its last pass at once.
    const auto lastLoop = std::find(out.rbegin(), out.rend(), 0x90).base();
    EXPECT_EQ(*lastLoop, 0xA0);
}

TEST_F(PcmMixPlayback, BreakLoopWhilePausedEndsThePassThePauseLeftUnderWay) {
    // Passes of 1000 frames; the pause comes 4410 frames in, with the device holding more.
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    c.write(constant(0x90, 1000), plat::kWaveHeaderBeginLoop | plat::kWaveHeaderEndLoop, 1000, "a");
    c.write(constant(0xA0, 500), 0, 0, "b");
    play(200);
    ASSERT_EQ(pcmMixPause(c.handle), plat::kMmNoError);
    play(300);
    const size_t loopedBeforeBreak = countOf(output(), 0x90);
    ASSERT_EQ(pcmMixBreakLoop(c.handle), plat::kMmNoError);
    play(100);
    // Nothing is over while the pause holds the queue.
    EXPECT_EQ(c.events, (std::vector<std::string>{"open", "loop:a", "loop:a", "loop:a", "loop:a"}));
    ASSERT_EQ(pcmMixRestart(c.handle), plat::kMmNoError);
    play(500);
    ASSERT_TRUE(c.allDone());
    std::vector<u8> heard = output();
    heard.erase(std::remove(heard.begin(), heard.end(), 0x80), heard.end());
    const size_t looped = countOf(heard, 0x90);
    EXPECT_EQ(looped, (loopedBeforeBreak + 999) / 1000 * 1000);
    std::vector<u8> expected = constant(0x90, looped);
    expected.insert(expected.end(), 500, 0xA0);
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(c.events.back(), "done:b");
}

TEST_F(PcmMixPlayback, DropUnwrittenTakesBackOnlyWhatTheDeviceHoldsNothingOf) {
    // After the first write the device holds kFirstRestartFrame frames; 10 ms of play later
    // it has been topped up by one more of its 512-frame buffers. A pause keeps that much.
    constexpr u32 kHeld = kFirstRestartFrame + 512;
    struct Case {
        const char* what;
        u32 firstFrames;
        bool paused;
        bool secondKept;
    };
    const Case cases[] = {
        {"second begins where the device's part ends", kHeld, false, false},
        {"second begins a frame before", kHeld - 1, false, true},
        {"paused: second begins where the pause left the device", kHeld, true, false},
        {"paused: second begins a frame before", kHeld - 1, true, true},
    };
    for (const Case& k : cases) {
        stop();
        start(testSettings());
        Client& c = client();
        ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
        c.write(constant(0x90, k.firstFrames), 0, 0, "a");
        plat::WaveHeader* second = c.write(constant(0xA0, 600), 0, 0, "b");
        plat::WaveHeader* third = c.write(constant(0xB0, 600), 0, 0, "c");
        play(10);
        if (k.paused) {
            ASSERT_EQ(pcmMixPause(c.handle), plat::kMmNoError);
        }
        ASSERT_EQ(pcmMixDropUnwritten(c.handle), plat::kMmNoError) << k.what;
        // Taken back: out of the queue, not done, still prepared, never reported.
        constexpr u32 kState = plat::kWaveHeaderInQueue | plat::kWaveHeaderDone | plat::kWaveHeaderPrepared;
        for (plat::WaveHeader* dropped : k.secondKept ? std::vector{third} : std::vector{second, third})
            EXPECT_EQ(dropped->flags.load() & kState, plat::kWaveHeaderPrepared) << k.what;
        // What replaces them follows what was kept without a gap.
        c.write(constant(0xC0, 300), 0, 0, "d");
        if (k.paused) {
            ASSERT_EQ(pcmMixRestart(c.handle), plat::kMmNoError);
        }
        play(500);
        std::vector<u8> heard = output();
        heard.erase(std::remove(heard.begin(), heard.end(), 0x80), heard.end());
        std::vector<u8> expected = constant(0x90, k.firstFrames);
        if (k.secondKept) expected.insert(expected.end(), 600, 0xA0);
        expected.insert(expected.end(), 300, 0xC0);
        EXPECT_EQ(heard, expected) << k.what;
        std::vector<std::string> events{"open", "done:a", "done:d"};
        if (k.secondKept) events.insert(events.begin() + 2, "done:b");
        EXPECT_EQ(c.events, events) << k.what;
    }
}

TEST_F(PcmMixPlayback, DoneBuffersComeBackInWriteOrderOnEveryChannel) {
    Client& first = client("first");
    Client& second = client("second");
    ASSERT_EQ(first.open(kPlaybackMono8), plat::kMmNoError);
    ASSERT_EQ(second.open(plat::makePcmFormat(11025, 2, 16)), plat::kMmNoError);
    for (int i = 0; i < 3; ++i) first.write(constant(0x90, 300 + 100 * i));
    for (int i = 0; i < 3; ++i) second.write(constant(0x01, 4 * (200 + 50 * i)));
    play(200);
    EXPECT_EQ(first.events, (std::vector<std::string>{"open", "done:0", "done:1", "done:2"}));
    EXPECT_EQ(second.events, (std::vector<std::string>{"open", "done:0", "done:1", "done:2"}));
}

TEST_F(PcmMixPlayback, BufferWrittenWhilePlayingIsMixedInWhole) {
    Client& bed = client("bed");
    Client& late = client("late");
    ASSERT_EQ(bed.open(kPlaybackMono8), plat::kMmNoError);
    ASSERT_EQ(late.open(kPlaybackMono8), plat::kMmNoError);
    bed.write(constant(0x90, 22050));
    play(100);
    late.write(constant(0x88, 700));
    play(300);
    const std::vector<u8> out = output();
    EXPECT_EQ(countOf(out, 0x98), 700u);
    EXPECT_EQ(late.events.back(), "done:0");
}

TEST_F(PcmMixPlayback, BufferQueuedBehindAShortOneIsHeardFromTheWrittenPosition) {
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    c.write(constant(0x90, 100));
    // The first buffer made the device hand over a whole lead: the second one starts before
    // the written position, and the part of it still ahead of that position is heard.
    c.write(constant(0xA0, 5000));
    play(500);
    EXPECT_EQ(countOf(output(), 0x90), 100u);
    EXPECT_EQ(countOf(output(), 0xA0), 5000u - (kFirstRestartFrame - 100));
    EXPECT_EQ(c.events.back(), "done:1");
}

TEST_F(PcmMixPlayback, PausedChannelFallsSilentAndRestartGoesOnWhereItWasHanded) {
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    std::vector<u8> ramp(22050);
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = u8(1 + i % 100);
    c.write(ramp);
    play(100);
    ASSERT_EQ(pcmMixPause(c.handle), plat::kMmNoError);
    play(300);
    const size_t heardWhilePaused = output().size() - countOf(output(), 0x80);
    play(300);
    // Nothing more is heard once the frames already handed to the device have played.
    EXPECT_EQ(output().size() - countOf(output(), 0x80), heardWhilePaused);
    ASSERT_EQ(pcmMixRestart(c.handle), plat::kMmNoError);
    play(1200);
    std::vector<u8> heard;
    for (u8 b : output())
        if (b != 0x80) heard.push_back(b);
    EXPECT_EQ(heard, ramp);
    EXPECT_EQ(c.events.back(), "done:0");
}

// A client that keeps its handle must hear that the mixer closed it, queued or not: a later
// channel may be given the same address.
TEST_F(PcmMixPlayback, ShutDownTellsEveryChannelOnceThatItIsClosed) {
    Client& idle = client("idle");
    Client& busy = client("busy");
    ASSERT_EQ(idle.open(kPlaybackMono8), plat::kMmNoError);
    ASSERT_EQ(busy.open(kPlaybackMono8), plat::kMmNoError);
    busy.write(constant(0x90, 5000));
    pcmMixShutdown();
    EXPECT_EQ(idle.events, (std::vector<std::string>{"open", "close"}));
    EXPECT_EQ(busy.events, (std::vector<std::string>{"open", "done:0", "close"}));
    idle.handle = nullptr;
    busy.handle = nullptr;
}

TEST_F(PcmMixPlayback, ResetReturnsEveryBufferSoThatTheChannelCloses) {
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    for (int i = 0; i < 3; ++i) c.write(constant(0x90, 5000));
    play(20);
    EXPECT_EQ(pcmMixClose(c.handle), plat::kWaveErrStillPlaying);
    EXPECT_EQ(pcmMixReset(c.handle), plat::kMmNoError);
    EXPECT_TRUE(c.allDone());
    EXPECT_EQ(pcmMixClose(c.handle), plat::kMmNoError);
    EXPECT_EQ(c.events, (std::vector<std::string>{"open", "done:0", "done:1", "done:2", "close"}));
    // A closed handle is no longer a handle.
    u32 volume = 0;
    EXPECT_EQ(pcmMixGetVolume(c.handle, &volume), plat::kMmErrInvalidHandle);
    c.handle = nullptr;
}

TEST_F(PcmMixPlayback, VolumeChangeIsHeardOnceTheHandedFramesHavePlayed) {
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    c.write(constant(0xC0, 22050));
    play(100);
    const size_t playedBefore = output().size();
    ASSERT_EQ(pcmMixSetVolume(c.handle, 0x8000), plat::kMmNoError);
    play(300);
    const std::vector<u8> out = output();
    // Full-volume frames end within the lead and one buffer after the change; half volume follows.
    const auto lastLoud = std::find(out.rbegin(), out.rend(), 0xC0).base();
    EXPECT_LE(size_t(lastLoud - out.begin()), playedBefore + 1024 + 512);
    EXPECT_EQ(*lastLoud, 0xA0);
    EXPECT_EQ(size_t(std::count(lastLoud, out.end(), 0xA0)), size_t(out.end() - lastLoud));
}

TEST_F(PcmMixPlayback, BalanceAppliesWithAnUnchangedVolume) {
    stop();
    start(testSettings(8, true));
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    ASSERT_EQ(pcmMixSetBalance(c.handle, 0x0000FFFF), plat::kMmNoError);
    c.write(constant(0xC0, 1000));
    play(200);
    const std::vector<u8> out = output();
    size_t left = 0;
    size_t right = 0;
    for (size_t i = 0; i + 1 < out.size(); i += 2) {
        left += out[i] == 0xC0;
        right += out[i + 1] != 0x80;
    }
    EXPECT_EQ(left, 1000u);
    EXPECT_EQ(right, 0u);
}

TEST_F(PcmMixPlayback, PlaybackRateChangesTheNumberOfFramesHeard) {
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    ASSERT_EQ(pcmMixSetPlaybackRate(c.handle, 0x20000), plat::kMmNoError);
    c.write(constant(0x90, 2000));
    play(300);
    EXPECT_EQ(countOf(output(), 0x90), 1000u);
    u32 rate = 0;
    EXPECT_EQ(pcmMixGetPlaybackRate(c.handle, &rate), plat::kMmNoError);
    EXPECT_EQ(rate, 0x20000u);
}

TEST_F(PcmMixPlayback, RateChangeWhilePlayingKeepsThePlaceInTheBuffer) {
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    std::vector<u8> ramp(20000);
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = u8(1 + (i / 100) % 100);
    c.write(ramp);
    play(200);
    ASSERT_EQ(pcmMixSetPlaybackRate(c.handle, 0x8000), plat::kMmNoError);
    play(2000);
    EXPECT_EQ(c.events.back(), "done:0");
    // Every value of the ramp is heard in order; none is skipped or heard again later.
    std::vector<u8> heard;
    for (u8 b : output())
        if (b != 0x80 && (heard.empty() || heard.back() != b)) heard.push_back(b);
    std::vector<u8> expected;
    for (size_t i = 0; i < ramp.size(); i += 100) expected.push_back(ramp[i]);
    EXPECT_EQ(heard, expected);
}

TEST_F(PcmMixPlayback, RateChangeInTheLastPassOfALoopPlaysTheRestOfThatPassOnce) {
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    c.write(constant(0x90, 3000), plat::kWaveHeaderBeginLoop, 3, "a");
    c.write(constant(0xA0, 2000), plat::kWaveHeaderEndLoop, 0, "b");
    // Into the last pass's second buffer: the loop's first buffer has gone back already.
    while (c.events.size() < 6) play(10);
    ASSERT_EQ(c.events.back(), "done:a");
    // A rate whose step is unchanged re-times the queue without changing any length.
    ASSERT_EQ(pcmMixSetPlaybackRate(c.handle, 0x10001), plat::kMmNoError);
    play(500);
    EXPECT_EQ(c.events, (std::vector<std::string>{"open", "loop:a", "loop:b", "loop:a", "loop:b", "done:a", "done:b"}));
    EXPECT_EQ(countOf(output(), 0x90), 9000u);
    // The re-timed place is a 16-bit fraction of the buffer: a frame may be heard twice.
    EXPECT_NEAR(double(countOf(output(), 0xA0)), 6000.0, 1.0);
}

// A client that resets its handle from inside the callback for one buffer.
struct ResettingClient {
    PcmMixHandle handle = nullptr;
    plat::WaveHeader* resetOn = nullptr;
    std::vector<plat::WaveHeader*> done;
    int loops = 0;

    static void callback(PcmMixHandle, u32 message, uintptr_t instance, uintptr_t param1, uintptr_t) {
        auto* self = reinterpret_cast<ResettingClient*>(instance);
        auto* header = reinterpret_cast<plat::WaveHeader*>(param1);
        if (message == kPcmMixLoopPassed) ++self->loops;
        if (message != plat::kWaveOutDone && message != kPcmMixLoopPassed) return;
        if (message == plat::kWaveOutDone) self->done.push_back(header);
        if (header == self->resetOn) pcmMixReset(self->handle);
    }
};

TEST_F(PcmMixPlayback, ResetFromACallbackReturnsEachBufferOnce) {
    ResettingClient client;
    ASSERT_EQ(pcmMixOpen(&client.handle, plat::kWaveMapper, &kPlaybackMono8, &ResettingClient::callback,
                         reinterpret_cast<uintptr_t>(&client), kPcmMixCallbackFunction),
              plat::kMmNoError);
    std::vector<u8> samples(30, 0x90);
    plat::WaveHeader headers[3];
    for (plat::WaveHeader& header : headers) {
        header.data = samples.data();
        header.bufferLength = 10;
        ASSERT_EQ(pcmMixPrepareHeader(client.handle, &header, kPcmMixHeaderSize), plat::kMmNoError);
    }
    // The loop's passes are reported from the same walk as the buffers done.
    headers[1].flags.fetch_or(plat::kWaveHeaderBeginLoop | plat::kWaveHeaderEndLoop);
    headers[1].loops = 3;
    client.resetOn = &headers[0];
    for (plat::WaveHeader& header : headers) ASSERT_EQ(pcmMixWrite(client.handle, &header, kPcmMixHeaderSize), plat::kMmNoError);
    play(200);
    EXPECT_EQ(client.done, (std::vector<plat::WaveHeader*>{&headers[0], &headers[1], &headers[2]}));
    EXPECT_EQ(client.loops, 0);
    plat::TimeRecord time;
    ASSERT_EQ(pcmMixGetPosition(client.handle, &time, kPcmMixTimeSize), plat::kMmNoError);
    EXPECT_EQ(time.value, 0u);
    for (plat::WaveHeader& header : headers) EXPECT_EQ(pcmMixUnprepareHeader(client.handle, &header, kPcmMixHeaderSize), plat::kMmNoError);
    EXPECT_EQ(pcmMixClose(client.handle), plat::kMmNoError);
}

TEST_F(PcmMixPlayback, RateChangeWhilePausedGoesOnWhereThePauseLeftTheBuffer) {
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    std::vector<u8> ramp(5000);
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = u8(1 + (i / 20) % 100);
    c.write(ramp);
    // The first top-up hands the device its lead at the old rate; the pause keeps that.
    ASSERT_EQ(pcmMixPause(c.handle), plat::kMmNoError);
    play(300);  // the output moves on past where the buffer was placed
    ASSERT_EQ(pcmMixSetPlaybackRate(c.handle, 0x20000), plat::kMmNoError);
    ASSERT_EQ(pcmMixRestart(c.handle), plat::kMmNoError);
    play(300);
    EXPECT_EQ(c.events.back(), "done:0");
    std::vector<u8> heard;
    for (u8 b : output())
        if (b != 0x80) heard.push_back(b);
    // Then twice as fast: every other frame of the rest, and nothing from beyond its end.
    std::vector<u8> expected(ramp.begin(), ramp.begin() + kFirstRestartFrame);
    for (size_t i = kFirstRestartFrame + 1; i < ramp.size(); i += 2) expected.push_back(ramp[i]);
    EXPECT_EQ(heard, expected);
}

TEST_F(PcmMixPlayback, BufferLongerThanTheFixedPointRangePlaysToItsEnd) {
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    std::vector<u8> ramp(70000);
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = u8(1 + (i / 1000) % 100);
    c.write(ramp);
    play(3400);
    EXPECT_EQ(c.events.back(), "done:0");
    std::vector<u8> heard;
    for (u8 b : output())
        if (b != 0x80) heard.push_back(b);
    EXPECT_EQ(heard, ramp);
    plat::TimeRecord time;
    pcmMixGetPosition(c.handle, &time, kPcmMixTimeSize);
    EXPECT_EQ(time.value, 70000u);
}

TEST_F(PcmMixPlayback, RefusesRatesWithoutAUsableStep) {
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    EXPECT_EQ(pcmMixSetPlaybackRate(c.handle, 0), plat::kMmErrInvalidParam);
    EXPECT_EQ(pcmMixSetPlaybackRate(c.handle, 0x80000000), plat::kMmErrInvalidParam);
    EXPECT_EQ(pcmMixSetPlaybackRate(c.handle, 2), plat::kMmErrInvalidParam);  // no source frames per second
    Client& fast = client("fast");
    ASSERT_EQ(fast.open(plat::makePcmFormat(88200, 1, 8)), plat::kMmNoError);
    EXPECT_EQ(pcmMixSetPlaybackRate(fast.handle, 0x7FFFFFFF), plat::kMmErrInvalidParam);  // overflows
    u32 rate = 0;
    pcmMixGetPlaybackRate(c.handle, &rate);
    EXPECT_EQ(rate, u32(kFixedOne));
}

TEST_F(PcmMixPlayback, ZeroLengthLoopPlaysAsNoLoop) {
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    c.write({}, plat::kWaveHeaderBeginLoop | plat::kWaveHeaderEndLoop, 0xFFFFFFFF, "empty");
    c.write(constant(0x90, 10), 0, 0, "after");
    play(100);
    EXPECT_EQ(c.events, (std::vector<std::string>{"open", "done:empty", "done:after"}));
}

TEST_F(PcmMixPlayback, PositionCountsSourceFramesInEachUnit) {
    Client& c = client();
    const plat::WaveFormat stereo16 = plat::makePcmFormat(11025, 2, 16);
    ASSERT_EQ(c.open(stereo16), plat::kMmNoError);
    c.write(std::vector<u8>(4 * 1102, 0));
    play(300);
    plat::TimeRecord time;
    time.type = plat::kTimeSamples;
    ASSERT_EQ(pcmMixGetPosition(c.handle, &time, kPcmMixTimeSize), plat::kMmNoError);
    EXPECT_EQ(time.value, 1102u);
    time.type = plat::kTimeBytes;
    pcmMixGetPosition(c.handle, &time, kPcmMixTimeSize);
    EXPECT_EQ(time.value, 4408u);
    time.type = plat::kTimeMs;
    pcmMixGetPosition(c.handle, &time, kPcmMixTimeSize);
    EXPECT_EQ(time.value, 99u);
    time.type = 8;
    EXPECT_EQ(pcmMixGetPosition(c.handle, &time, kPcmMixTimeSize), plat::kMmErrInvalidParam);
    EXPECT_EQ(pcmMixGetPosition(c.handle, &time, 12), plat::kMmErrInvalidParam);
}

TEST_F(PcmMixPlayback, LoopClosedWithoutItsBeginningIsRefused) {
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    plat::WaveHeader* header = c.prepare(constant(0x90, 10), plat::kWaveHeaderEndLoop);
    EXPECT_EQ(pcmMixWrite(c.handle, header, kPcmMixHeaderSize), plat::kMmErrInvalidParam);
    EXPECT_FALSE(header->flags.load() & plat::kWaveHeaderInQueue);
}

}  // namespace

namespace {

using namespace mixertest;

std::atomic<int> threadedDone{0};

void countDone(PcmMixHandle, u32 message, uintptr_t, uintptr_t, uintptr_t) {
    if (message == plat::kWaveOutDone) ++threadedDone;
}

TEST_F(MixerTest, DeviceThreadPlaysAsTheClockMoves) {
    PcmMixSettings settings = testSettings();
    settings.runDeviceThreads = true;
    start(settings);
    threadedDone = 0;
    PcmMixHandle handle = nullptr;
    ASSERT_EQ(pcmMixOpen(&handle, plat::kWaveMapper, &kPlaybackMono8, countDone, 0, kPcmMixCallbackFunction),
              plat::kMmNoError);
    plat::WaveHeader header;
    std::vector<u8> samples(2000, 0x90);
    header.data = samples.data();
    header.bufferLength = u32(samples.size());
    ASSERT_EQ(pcmMixPrepareHeader(handle, &header, kPcmMixHeaderSize), plat::kMmNoError);
    ASSERT_EQ(pcmMixWrite(handle, &header, kPcmMixHeaderSize), plat::kMmNoError);
    // The device thread polls on its own whenever 20 ms of the fake clock have passed.
    for (int i = 0; i < 200000 && threadedDone == 0; ++i) {
        clock.advance(1);
        std::this_thread::yield();
    }
    EXPECT_EQ(threadedDone, 1);
    EXPECT_EQ(countOf(output(), 0x90), 2000u);
    ASSERT_EQ(pcmMixUnprepareHeader(handle, &header, kPcmMixHeaderSize), plat::kMmNoError);
    ASSERT_EQ(pcmMixClose(handle), plat::kMmNoError);
}

// Handles come and go while the device thread mixes the others (ThreadSanitizer sees a handle
// that the thread could reach before it was set up).
TEST_F(MixerTest, HandlesOpenAndCloseWhileTheDeviceThreadMixes) {
    PcmMixSettings settings = testSettings();
    settings.runDeviceThreads = true;
    start(settings);
    Client& playing = client("playing");
    ASSERT_EQ(playing.open(kPlaybackMono8), plat::kMmNoError);
    playing.write(constant(0x90, 100), plat::kWaveHeaderBeginLoop | plat::kWaveHeaderEndLoop, 1000);
    std::atomic<bool> done{false};
    std::thread ticker([&] {
        while (!done) {
            clock.advance(1);
            std::this_thread::yield();
        }
    });
    for (int i = 0; i < 200; ++i) {
        Client& other = client("other");
        EXPECT_EQ(other.open(kPlaybackMono8), plat::kMmNoError);
        other.write(constant(0xA0, 50));
        EXPECT_EQ(pcmMixReset(other.handle), plat::kMmNoError);
        EXPECT_EQ(other.events.back(), "done:0");
        clients.pop_back();
    }
    done = true;
    ticker.join();
}

}  // namespace

namespace {

using namespace mixertest;

TEST_F(MixerTest, WithoutRemixANewBufferWaitsForTheNextRefill) {
    PcmMixSettings settings = testSettings();
    settings.enableRemix = false;
    start(settings);
    Client& c = client();
    ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
    c.write(constant(0x90, 1000));
    play(10);
    EXPECT_EQ(countOf(output(), 0x90), 0u);
    play(200);
    EXPECT_EQ(countOf(output(), 0x90), 1000u);
    EXPECT_EQ(c.events.back(), "done:0");
    EXPECT_EQ(pcmMixEnableRemix(1), 0);
}

TEST_F(MixerTest, DeviceMixingGivesEachHandleItsOwnStreamInItsOwnFormat) {
    PcmMixSettings settings = testSettings();
    settings.pushBufferEnable = true;
    settings.enableDeviceMixing = true;
    start(settings);
    Client& first = client("first");
    Client& second = client("second");
    ASSERT_EQ(first.open(kPlaybackMono8), plat::kMmNoError);
    ASSERT_EQ(second.open(plat::makePcmFormat(11025, 2, 16), kPcmMixNativeOrder), plat::kMmNoError);
    first.write(constant(0x90, 500));
    second.write(std::vector<u8>(4 * 300, 0x11));
    for (int i = 0; i < 20; ++i) {
        clock.advance(5);
        pcmMixPollDevices();
    }
    EXPECT_EQ(first.events.back(), "done:0");
    EXPECT_EQ(second.events.back(), "done:0");
    // The second stream plays the client's own samples, untouched.
    EXPECT_EQ(countOf(output(), 0x11), 4u * 300);
}

// Half a second after the last sound has played the device stops (a still screen keeps no
// sound thread awake): a push-buffer ring then takes no more frames. The next sound starts the
// device again and is heard whole, from its first frame, on either kind of device.
TEST_F(MixerTest, DeviceRestsAfterTheLastSoundAndTheNextOneIsHeardWhole) {
    for (const bool pushBuffer : {false, true}) {
        SCOPED_TRACE(pushBuffer ? "push buffer" : "wave out");
        PcmMixSettings settings = testSettings();
        settings.pushBufferEnable = pushBuffer;
        start(settings);
        Client& c = client();
        ASSERT_EQ(c.open(kPlaybackMono8), plat::kMmNoError);
        c.write(constant(0x90, 2000));
        play(1000);
        const size_t rested = output().size();
        play(1000);
        if (pushBuffer) {
            EXPECT_EQ(output().size(), rested);
        }
        c.write(constant(0xA0, 3000));
        play(1000);
        EXPECT_EQ(countOf(output(), 0x90), 2000u);
        EXPECT_EQ(countOf(output(), 0xA0), 3000u);
        EXPECT_EQ(c.events.back(), "done:1");
        stop();
    }
}

}  // namespace
