// Whole refills of the mixer compared sample for sample with a naive reference mixer that
// lays every channel's buffers (and loop passes) end to end from the channels' common start.
#include <algorithm>
#include <random>

#include "engine/base/ByteOrder.h"
#include "engine/base/FixedPoint.h"
#include "engine/audio/PcmMixKernels.h"
#include "tests/engine/audio/MixerTestSupport.h"

namespace {

using namespace mixertest;

struct BufferPlan {
    std::vector<u8> bytes;
    u32 flags = 0;
    u32 loops = 0;
};

struct ChannelPlan {
    plat::WaveFormat format;
    u32 openFlags = 0;
    u32 rate = kFixedOne;
    u32 volume = kFixedOne;
    u32 balance = 0xFFFFFFFF;
    std::vector<BufferPlan> buffers;
};

// One piece of a channel's time line: the bytes of one buffer played once.
struct Piece {
    const BufferPlan* buffer;
    u32 outputFrames;
};

std::vector<Piece> expand(const ChannelPlan& channel, Fixed step) {
    std::vector<Piece> pieces;
    size_t loopStart = 0;
    for (size_t i = 0; i < channel.buffers.size(); ++i) {
        const BufferPlan& buffer = channel.buffers[i];
        const u32 frames = u32(buffer.bytes.size()) / channel.format.blockAlign;
        if (buffer.flags & plat::kWaveHeaderBeginLoop) loopStart = pieces.size();
        pieces.push_back({&buffer, u32((u64(frames) * u32(step)) >> 16)});
        if (buffer.flags & plat::kWaveHeaderEndLoop) {
            const u32 loops = channel.buffers[i - (pieces.size() - 1 - loopStart)].loops;
            const std::vector<Piece> pass(pieces.begin() + ptrdiff_t(loopStart), pieces.end());
            for (u32 k = 1; k < loops; ++k) pieces.insert(pieces.end(), pass.begin(), pass.end());
        }
    }
    return pieces;
}

i16 sampleAt(const ChannelPlan& channel, const u8* frame, u32 sourceChannel) {
    const bool native = channel.openFlags & kPcmMixNativeOrder;
    if (channel.format.bitsPerSample == 8) return i16(frame[sourceChannel]);
    const u8* p = frame + 2 * sourceChannel;
    return i16(native ? readLE16(p) : readBE16(p));
}

// Adds one channel's contribution to the reference output, as a saturating sum per pass.
void mixReference(const ChannelPlan& channel, const plat::WaveFormat& output, u32 startFrame, std::vector<u8>& out) {
    const Fixed step = fixedDiv(Fixed(output.samplesPerSec), fixedMul(Fixed(channel.format.samplesPerSec), Fixed(channel.rate)));
    const u32 downsample = u32(kFixedOne / step);
    const u32 passes = std::max(output.channels, channel.format.channels);
    const bool swap = (channel.openFlags & kPcmMixSwapSides) && channel.format.channels == 2;
    Fixed gains[2] = {Fixed(channel.volume), Fixed(channel.volume)};
    if (passes == 2) {
        gains[0] = fixedMul(Fixed(channel.volume), fixedDiv(Fixed(channel.balance & 0xFFFF), 65535));
        gains[1] = fixedMul(Fixed(channel.volume), fixedDiv(Fixed(channel.balance >> 16), 65535));
    }
    u32 frame = startFrame;
    for (const Piece& piece : expand(channel, step)) {
        for (u32 o = 0; o < piece.outputFrames; ++o, ++frame) {
            const u8* source = piece.buffer->bytes.data() + size_t(o * downsample + downsample - 1) * channel.format.blockAlign;
            for (u32 p = 0; p < passes; ++p) {
                const u32 outChannel = output.channels == 2 ? p : 0;
                const u32 sourceChannel = channel.format.channels == 2 ? (swap ? 1 - p : p) : 0;
                const i16 sample = sampleAt(channel, source, sourceChannel);
                u8* target = out.data() + size_t(frame) * output.blockAlign + outChannel * (output.bitsPerSample / 8);
                if (output.bitsPerSample == 16 && channel.format.bitsPerSample == 16) {
                    const int sum = i16(readLE16(target)) + pcmMixScale16(sample, gains[p]);
                    writeLE16(target, u16(i16(std::clamp(sum, -32768, 32767))));
                    continue;
                }
                const int centred = channel.format.bitsPerSample == 8 ? sample - 128 : i8(u8(u16(sample) >> 8));
                const int scaled = std::clamp<int>(fixedMul(centred, gains[p]), -128, 127);
                u8* byte = output.bitsPerSample == 16 ? target + 1 : target;
                const int base = output.bitsPerSample == 16 ? i8(*byte) : *byte - 128;
                const int sum = std::clamp(base + scaled, -128, 127);
                *byte = u8(output.bitsPerSample == 16 ? sum : sum + 128);
            }
        }
    }
}

std::vector<u8> randomBytes(std::mt19937& random, size_t n) {
    std::vector<u8> bytes(n);
    // Mostly loud samples, so that saturation is exercised as well as plain sums.
    std::uniform_int_distribution<int> byte(0, 255);
    for (u8& b : bytes) b = u8(byte(random));
    return bytes;
}

ChannelPlan randomChannel(std::mt19937& random) {
    const auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    ChannelPlan channel;
    // (source rate, playback rate) pairs whose step is a whole division of the output rate.
    static const std::pair<u32, u32> rates[] = {{22050, 0x10000}, {44100, 0x10000}, {22050, 0x20000},
                                                {44100, 0x20000}, {11025, 0x20000}, {88200, 0x10000}};
    const auto [sourceRate, playbackRate] = rates[pick(6)];
    channel.format = plat::makePcmFormat(sourceRate, u16(1 + pick(2)), u16(8 * (1 + pick(2))));
    channel.rate = playbackRate;
    if (channel.format.bitsPerSample == 16 && pick(2)) channel.openFlags |= kPcmMixNativeOrder;
    if (pick(4) == 0) channel.openFlags |= kPcmMixSwapSides;
    static const u32 volumes[] = {kFixedOne, 0x8000, 0x18000, 0, 0x3000};
    channel.volume = volumes[pick(5)];
    if (pick(2)) channel.balance = u32(std::uniform_int_distribution<u32>(0, 0xFFFF)(random)) |
                                   (u32(std::uniform_int_distribution<u32>(0, 0xFFFF)(random)) << 16);
    const int count = 1 + pick(3);
    for (int i = 0; i < count; ++i) {
        BufferPlan buffer;
        const u32 frames = 1 + u32(pick(3000));
        buffer.bytes = randomBytes(random, size_t(frames) * channel.format.blockAlign);
        channel.buffers.push_back(std::move(buffer));
    }
    const int loop = pick(3);
    if (loop == 1) {  // one buffer looping on its own
        BufferPlan& buffer = channel.buffers[size_t(pick(count))];
        buffer.flags = plat::kWaveHeaderBeginLoop | plat::kWaveHeaderEndLoop;
        buffer.loops = u32(1 + pick(3));
    } else if (loop == 2 && count >= 2) {  // a loop over the first two buffers
        channel.buffers[0].flags = plat::kWaveHeaderBeginLoop;
        channel.buffers[0].loops = u32(2 + pick(2));
        channel.buffers[1].flags = plat::kWaveHeaderEndLoop;
    }
    return channel;
}

class PcmMixDifferential : public MixerTest {
protected:
    // Mixes the channels through the mixer and through the reference, and compares.
    void check(const std::vector<ChannelPlan>& plans, u16 sampleSize, bool stereo) {
        start(testSettings(sampleSize, stereo));
        const plat::WaveFormat format = plat::makePcmFormat(22050, stereo ? 2 : 1, sampleSize);
        std::vector<Client*> opened;
        u32 longest = 0;
        for (const ChannelPlan& plan : plans) {
            Client& c = client();
            ASSERT_EQ(c.open(plan.format, plan.openFlags), plat::kMmNoError);
            ASSERT_EQ(pcmMixPause(c.handle), plat::kMmNoError);
            ASSERT_EQ(pcmMixSetPlaybackRate(c.handle, plan.rate), plat::kMmNoError);
            ASSERT_EQ(pcmMixSetVolume(c.handle, plan.volume), plat::kMmNoError);
            ASSERT_EQ(pcmMixSetBalance(c.handle, plan.balance), plat::kMmNoError);
            for (const BufferPlan& buffer : plan.buffers) c.write(buffer.bytes, buffer.flags, buffer.loops);
            opened.push_back(&c);
            const Fixed step = fixedDiv(22050, fixedMul(Fixed(plan.format.samplesPerSec), Fixed(plan.rate)));
            u32 frames = 0;
            for (const Piece& piece : expand(plan, step)) frames += piece.outputFrames;
            longest = std::max(longest, frames);
        }
        for (Client* c : opened) ASSERT_EQ(pcmMixRestart(c->handle), plat::kMmNoError);

        const u32 total = kFirstRestartFrame + longest + 2048;
        play(total * 1000 / 22050 + 100);

        std::vector<u8> expected(size_t(total) * format.blockAlign, 0);
        if (sampleSize == 8) std::fill(expected.begin(), expected.end(), 0x80);
        for (const ChannelPlan& plan : plans) mixReference(plan, format, kFirstRestartFrame, expected);
        std::vector<u8> actual = output();
        ASSERT_GE(actual.size(), expected.size());
        actual.resize(expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(int(actual[i]), int(expected[i])) << "byte " << i << " (frame " << i / format.blockAlign << ")";
        }
        for (Client* c : opened) EXPECT_TRUE(c->allDone());
    }
};

TEST_F(PcmMixDifferential, RandomScenariosMatchTheReferenceOnEveryOutputFormat) {
    std::mt19937 random(20261207);
    for (int scenario = 0; scenario < 40; ++scenario) {
        const u16 sampleSize = (scenario & 1) ? 16 : 8;
        const bool stereo = (scenario & 2) != 0;
        std::vector<ChannelPlan> plans;
        const int channels = 1 + int(random() % 4);
        for (int i = 0; i < channels; ++i) plans.push_back(randomChannel(random));
        SCOPED_TRACE("scenario " + std::to_string(scenario));
        check(plans, sampleSize, stereo);
        stop();
        if (HasFatalFailure()) return;
    }
}

}  // namespace
