#include <cstring>

#include "engine/base/ByteOrder.h"
#include "media/objects/SwfHost.h"
#include "media/objects/WavePlay.h"
#include "engine/os/OsIntervalTasks.h"
#include "tests/engine/audio/AudioTestSupport.h"

namespace {

// A sound source of 16-bit mono frames holding a ramp, as the SWF engine's sources hand them.
class RampSource final : public swf::i_wavedata {
public:
    explicit RampSource(u32 frames) : frames_(frames) {}
    u32 AddRef() override { return u32(++count); }
    swf::Result QueryInterface(const std::type_info&, void** out) override {
        *out = nullptr;
        return swf::kErrNoInterface;
    }
    u32 Release() override { return u32(--count); }
    void Destroy() override {
        ++destroyed;
        if (player) player->Release();
        player = nullptr;
    }
    swf::Result GetFormat(u16& channels, u16& bits, u32& rate, u32& frames) override {
        channels = 1, bits = 16, rate = 22050, frames = frames_;
        return swf::kOk;
    }
    // Every frame asked for, silence past the end, as the engine's sources answer.
    swf::Result ReadSamples(u32 position, u32 count, void* buffer) override {
        auto* out = static_cast<i16*>(buffer);
        for (u32 i = 0; i < count; ++i) out[i] = u64(position) + i < frames_ ? sampleAt(position + i) : 0;
        return failReads ? swf::kErrBadData : swf::kOk;
    }
    static i16 sampleAt(u32 frame) { return i16((frame * 37) % 20000 - 10000); }

    i32 count = 0;
    int destroyed = 0;
    bool failReads = false;
    swf::i_waveplay* player = nullptr;

private:
    u32 frames_;
};

class WavePlays : public audiotest::AudioTest {};

}  // namespace

TEST(WavePlayImage, HoldsTheFormatLoopAndThePointerSizedSource) {
    RampSource source(1000);
    const WavePlayFormat format{2, 16, 44100, 1000};
    // Plays is how many times the sound is heard; the wave counts the repeats after the first.
    const std::pair<u16, u16> cases[] = {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {0xFFFF, 0xFFFE}};
    for (const auto& [plays, loops] : cases) {
        SCOPED_TRACE(plays);
        u8 image[kWavePlayImageSize];
        writeWavePlayImage(image, format, plays, &source);
        EXPECT_EQ(readBE32(image), fourCC("KVRW"));
        EXPECT_EQ(readBE32(image + 4), kWavePlayImageSize - 8);
        EXPECT_EQ(readBE32(image + 16), 20 + sizeof(void*));
        EXPECT_EQ(readBE16(image + 20), 44100);
        EXPECT_EQ(readBE32(image + 22), 1000u);
        EXPECT_EQ(image[26], 16);
        EXPECT_EQ(image[27], 2);
        EXPECT_EQ(readBE16(image + 28), kWavePlayEncoding);
        EXPECT_EQ(readBE16(image + 30), loops);
        EXPECT_EQ(readBE32(image + 36), loops ? 1000u : 0u);
        swf::i_wavedata* held = nullptr;
        std::memcpy(&held, image + 40, sizeof held);
        EXPECT_EQ(held, &source);
    }
}

TEST_F(WavePlays, ASoundThatEndsDestroysItsSourceOnce) {
    RampSource source(4000);
    swf::i_waveplay* player = nullptr;
    ASSERT_EQ(host.CreateWavePlay(player, &source), swf::kOk);
    source.player = player;
    EXPECT_EQ(source.count, 1);
    ASSERT_EQ(player->Play(0, 0), swf::kOk);
    run(1000);
    // The completion message has come; the source is destroyed at the next timer tick.
    EXPECT_EQ(source.destroyed, 0);
    osmDispatchTasks(plat::clockMillis(), 1);
    EXPECT_EQ(source.destroyed, 1);
    osmDispatchTasks(plat::clockMillis(), 1);
    EXPECT_EQ(source.destroyed, 1);
    // The source released the player, which let go of the source.
    EXPECT_EQ(source.count, 0);
    std::vector<u8> heard = output();
    std::vector<i16> samples(heard.size() / 2);
    std::memcpy(samples.data(), heard.data(), samples.size() * 2);
    const auto first = std::find_if(samples.begin(), samples.end(), [](i16 s) { return s != 0; });
    ASSERT_GE(samples.end() - first, 4000);
    for (u32 i = 1; i < 4000; ++i) ASSERT_EQ(first[i], RampSource::sampleAt(i)) << i;
}

TEST_F(WavePlays, StopIsHarmlessAndReleasesTheSound) {
    RampSource source(100000);
    swf::i_waveplay* player = nullptr;
    ASSERT_EQ(host.CreateWavePlay(player, &source), swf::kOk);
    player->Stop();
    ASSERT_EQ(player->Play(0, 0), swf::kOk);
    EXPECT_TRUE(static_cast<WavePlay*>(player)->playing());
    player->Stop();
    player->Stop();
    EXPECT_FALSE(static_cast<WavePlay*>(player)->playing());
    run(100);
    EXPECT_EQ(source.destroyed, 0);
    EXPECT_EQ(player->Release(), 0u);
    EXPECT_EQ(source.count, 0);
}
