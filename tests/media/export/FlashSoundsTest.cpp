// The stand-alone player's sounds on the headless audio device: each source converted to the
// device's stereo 16 bits, from the start offset, heard as often as asked and mixed; its end
// gives the source back; Stop silences it; no device, no sound.
#include <gtest/gtest.h>

#include <cstring>

#include "media/export/FlashSounds.h"
#include "platform/audio/choice/AudioChoice.h"
#include "platform/audio/virtual/VirtualAudio.h"
#include "platform/clock/Clock.h"

namespace {

// A sound of `frames` frames whose frame i has the value i + 1 in each channel (8 bits:
// 128 + i + 1, the second channel the first's negative), counting what is done to it.
class CountingWave final : public swf::i_wavedata {
public:
    CountingWave(u16 channels, u16 bits, u32 rate, u32 frames, i32 step = 100)
        : channels_(channels), bits_(bits), rate_(rate), frames_(frames), step_(step) {}
    u32 AddRef() override { return ++refs; }
    u32 Release() override { return --refs; }
    swf::Result QueryInterface(const std::type_info&, void** out) override {
        *out = nullptr;
        return swf::kErrNoInterface;
    }
    void Destroy() override { ++destroyed; }
    swf::Result GetFormat(u16& channels, u16& bits, u32& rate, u32& count) override {
        channels = channels_, bits = bits_, rate = rate_, count = frames_;
        return swf::kOk;
    }
    swf::Result ReadSamples(u32 position, u32 count, void* samples) override {
        if (unreadable) return swf::kErrBadData;
        u8* out = static_cast<u8*>(samples);
        for (u32 f = 0; f < count; ++f)
            for (u16 c = 0; c < channels_; ++c) {
                const i32 value = i32(position + f + 1) * (c ? -1 : 1);
                if (bits_ == 8) {
                    *out++ = u8(0x80 + value);
                } else {
                    const i16 sample = i16(value * step_);
                    std::memcpy(out, &sample, 2);
                    out += 2;
                }
            }
        return swf::kOk;
    }
    i32 refs = 0;
    i32 destroyed = 0;
    bool unreadable = false;

private:
    u16 channels_, bits_;
    u32 rate_, frames_;
    i32 step_;
};

class FlashSoundsTest : public ::testing::Test {
protected:
    void SetUp() override { plat::setAudioBackend(&device_); }
    void TearDown() override { plat::setAudioBackend(nullptr); }
    // Every stereo frame the device played: left, right.
    std::vector<i16> heard() const {
        const std::vector<u8> bytes = device_.lastCapture()->bytes();
        std::vector<i16> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }
    plat::ScopedFakeClock clock_;
    plat::VirtualAudioBackend device_;
};

TEST_F(FlashSoundsTest, EachSoundIsHeardConvertedFromItsOffsetAsOftenAsAsked) {
    struct Case {
        const char* what;
        u16 channels, bits;
        u32 rate, frames, startMs;
        u16 plays;
        // The first frames heard (left, right), and how many frames in all.
        std::vector<i16> first;
        size_t total;
    };
    const Case cases[] = {
        {"16-bit stereo at the device's rate", 2, 16, 22050, 441, 0, 1, {100, -100, 200, -200}, 441},
        {"16-bit mono: both sides alike", 1, 16, 22050, 441, 0, 1, {100, 100, 200, 200}, 441},
        {"8-bit mono widened", 1, 8, 22050, 441, 0, 1, {256, 256, 512, 512}, 441},
        {"twice the rate: every other frame", 2, 16, 44100, 882, 0, 1, {100, -100, 300, -300}, 441},
        {"half the rate: each frame twice", 1, 16, 11025, 221, 0, 1, {100, 100, 100, 100}, 442},
        {"from 10 ms", 1, 16, 22050, 441, 10, 1, {22100, 22100, 22200, 22200}, 441 - 220},
        {"heard three times", 1, 16, 22050, 100, 0, 3, {100, 100, 200, 200}, 300},
        {"an offset past the end", 1, 16, 22050, 100, 10, 1, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FlashSounds sounds;
        ASSERT_TRUE(sounds.HasOutput());
        CountingWave wave(c.channels, c.bits, c.rate, c.frames);
        swf::i_waveplay* play = nullptr;
        ASSERT_EQ(sounds.CreateWavePlay(play, &wave), swf::kOk);
        EXPECT_EQ(play->Play(c.startMs, c.plays) == swf::kOk, c.total > 0);
        EXPECT_EQ(sounds.Playing(), c.total > 0 ? 1u : 0u);
        clock_.advance(100);
        const std::vector<i16> samples = heard();
        ASSERT_GE(samples.size(), 4400u);
        for (size_t i = 0; i < c.first.size(); ++i) EXPECT_EQ(samples[i], c.first[i]) << i;
        // A sound heard again starts again.
        if (c.plays > 1) {
            EXPECT_EQ(samples[c.frames * 2], samples[0]);
        }
        // Heard to its last frame, then silence, and the source given back once.
        if (c.total) {
            EXPECT_NE(samples[c.total * 2 - 1], 0);
        }
        for (size_t i = c.total * 2; i < samples.size(); ++i) ASSERT_EQ(samples[i], 0) << i;
        EXPECT_EQ(sounds.Playing(), 0u);
        sounds.Poll();
        sounds.Poll();
        EXPECT_EQ(wave.destroyed, c.total > 0 ? 1 : 0);
        play->Release();
        EXPECT_EQ(wave.refs, 0);
    }
}

TEST_F(FlashSoundsTest, SoundsAreMixedAndStopSilencesOne) {
    FlashSounds sounds;
    CountingWave a(1, 16, 22050, 22050), b(1, 16, 22050, 22050);
    swf::i_waveplay* first = nullptr;
    swf::i_waveplay* second = nullptr;
    ASSERT_EQ(sounds.CreateWavePlay(first, &a), swf::kOk);
    ASSERT_EQ(sounds.CreateWavePlay(second, &b), swf::kOk);
    ASSERT_EQ(first->Play(0, 1), swf::kOk);
    ASSERT_EQ(second->Play(0, 1), swf::kOk);
    clock_.advance(10);
    size_t at = heard().size();
    EXPECT_EQ(heard()[0], 200);
    ASSERT_EQ(second->Stop(), swf::kOk);
    EXPECT_EQ(sounds.Playing(), 1u);
    clock_.advance(10);
    const std::vector<i16> after = heard();
    // One sound left: frame n holds n + 1 alone.
    EXPECT_EQ(after[at], i16((at / 2 + 1) * 100));
    sounds.Poll();
    EXPECT_EQ(a.destroyed + b.destroyed, 0) << "nothing has been heard to its end";
    first->Release();
    second->Release();
}

// Two loud sounds together reach the loudest a sample holds and stay there, either way.
TEST_F(FlashSoundsTest, ALoudMixHoldsAtTheEdges) {
    FlashSounds sounds;
    CountingWave a(2, 16, 22050, 200, 160), b(2, 16, 22050, 200, 160);
    swf::i_waveplay* first = nullptr;
    swf::i_waveplay* second = nullptr;
    ASSERT_EQ(sounds.CreateWavePlay(first, &a), swf::kOk);
    ASSERT_EQ(sounds.CreateWavePlay(second, &b), swf::kOk);
    ASSERT_EQ(first->Play(0, 1), swf::kOk);
    ASSERT_EQ(second->Play(0, 1), swf::kOk);
    clock_.advance(20);
    const std::vector<i16> samples = heard();
    ASSERT_GE(samples.size(), 400u);
    // Frame 50: 2 x 51 x 160 = 16320 on the left, its negative on the right.
    EXPECT_EQ(samples[100], 16320);
    EXPECT_EQ(samples[101], -16320);
    // Frame 150: 2 x 151 x 160 = 48320, beyond what a sample holds.
    EXPECT_EQ(samples[300], 32767);
    EXPECT_EQ(samples[301], -32768);
    first->Release();
    second->Release();
}

TEST_F(FlashSoundsTest, ASoundThatCannotBeReadIsNotHeard) {
    FlashSounds sounds;
    CountingWave wave(1, 16, 22050, 100);
    wave.unreadable = true;
    swf::i_waveplay* play = nullptr;
    ASSERT_EQ(sounds.CreateWavePlay(play, &wave), swf::kOk);
    EXPECT_NE(play->Play(0, 1), swf::kOk);
    EXPECT_EQ(sounds.Playing(), 0u);
    play->Release();
}

TEST_F(FlashSoundsTest, WithoutADeviceTheMovieIsSilent) {
    device_.setPresent(false);
    FlashSounds sounds;
    EXPECT_FALSE(sounds.HasOutput());
    CountingWave wave(1, 16, 22050, 100);
    swf::i_waveplay* play = nullptr;
    ASSERT_EQ(sounds.CreateWavePlay(play, &wave), swf::kOk);
    EXPECT_EQ(play->Play(0, 1), swf::kOk);
    play->Release();
}

}  // namespace
