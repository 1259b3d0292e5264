// Opening movies from files, byte ranges and memory; damaged data refused; the sound read back
// and decoded ahead for the mixer.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "platform/clock/Clock.h"
#include "platform/media/playback/MoviePlayer.h"
#include "platform/media/playback/MovieSoundDecoder.h"
#include "platform/media/playback/PlaybackClock.h"
#include "tests/platform/media/playback/TestMovies.h"

namespace pm = plat::media;
using movietest::MovieSpec;

namespace {

class MovieSourceTest : public movietest::MovieFolderTest {};

// Zero crossings upward in a run of one channel of interleaved samples: the tone's cycles.
int risingCrossings(const std::vector<int16_t>& samples, int channels) {
    int count = 0;
    for (size_t i = size_t(channels); i < samples.size(); i += size_t(channels))
        if (samples[i - size_t(channels)] < 0 && samples[i] >= 0) ++count;
    return count;
}

TEST_F(MovieSourceTest, OpensAByteRangeOfAFileAndRefusesRangesPastItsEnd) {
    const auto bytes = movietest::readBytes(movie("inner"));
    ASSERT_FALSE(bytes.empty());
    std::vector<uint8_t> archive(1000, 0xA5);
    archive.insert(archive.end(), bytes.begin(), bytes.end());
    archive.insert(archive.end(), 500, 0x5A);
    const std::string outer = (folder_ / "outer.bin").string();
    movietest::writeBytes(outer, archive.data(), archive.size());

    std::shared_ptr<pm::MovieSource> source;
    ASSERT_EQ(pm::openMovieSource(outer, 1000, bytes.size(), &source), pm::kMrNoErr);
    EXPECT_EQ(source->duration(), 240);
    const struct {
        uint64_t offset, length;
        pm::MrErr result;
    } ranges[] = {
        {1000, bytes.size(), pm::kMrNoErr},
        {1000 + bytes.size() + 500, 0, pm::kMrBadFormat},       // at the end: nothing to read
        {1000 + bytes.size() + 501, 0, pm::kMrParamErr},        // one past the end
        {1000, bytes.size() + 500, pm::kMrNoErr},                // up to the end exactly
        {1000, bytes.size() + 501, pm::kMrParamErr},             // one byte past it
    };
    for (const auto& r : ranges) {
        std::shared_ptr<pm::MovieSource> s;
        EXPECT_EQ(pm::openMovieSource(outer, r.offset, r.length, &s), r.result) << r.offset << " " << r.length;
        EXPECT_EQ(s != nullptr, r.result == pm::kMrNoErr);
    }
    std::shared_ptr<pm::MovieSource> none;
    EXPECT_EQ(pm::openMovieSource((folder_ / "missing.mov").string(), 0, 0, &none), pm::kMrFileNotFound);
}

TEST_F(MovieSourceTest, OpensFromMemoryAsFromTheFile) {
    const auto bytes = movietest::readBytes(movie("memory", MovieSpec{.width = 32, .height = 16, .frames = 3, .fps = 5}));
    std::shared_ptr<pm::MovieSource> source;
    ASSERT_EQ(pm::openMovieSourceFromMemory(bytes.data(), bytes.size(), &source), pm::kMrNoErr);
    EXPECT_EQ(source->duration(), 360);
    EXPECT_EQ(source->naturalBounds().right, 32);
    EXPECT_EQ(source->naturalBounds().bottom, 16);
    EXPECT_TRUE(source->hasVideo());
    EXPECT_FALSE(source->hasSound());
}

TEST_F(MovieSourceTest, RefusesDamagedMoviesCleanly) {
    const auto good = movietest::readBytes(movie("whole"));
    ASSERT_GT(good.size(), 100u);
    auto cut = [&](size_t n) { return std::vector<uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(n)); };
    std::vector<uint8_t> scrambled = good;
    for (size_t i = 0; i < scrambled.size(); i += 7) scrambled[i] ^= 0x5B;
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"eight bytes", cut(8)},
        {"first half", cut(good.size() / 2)},
        {"all but the last byte", cut(good.size() - 1)},
        {"every seventh byte changed", scrambled},
        {"text", std::vector<uint8_t>{'n', 'o', 't', ' ', 'a', ' ', 'm', 'o', 'v', 'i', 'e'}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::shared_ptr<pm::MovieSource> source;
        const pm::MrErr err = pm::openMovieSourceFromMemory(c.bytes.data(), c.bytes.size(), &source);
        if (err != pm::kMrNoErr) {
            EXPECT_EQ(source, nullptr);
            continue;
        }
        // What opens despite the damage plays without reading outside the data.
        pm::MoviePlayer player(source);
        for (int64_t t = 0; t <= player.duration(); t += 30) player.setTime(t), player.task();
    }
    std::shared_ptr<pm::MovieSource> source;
    EXPECT_EQ(pm::openMovieSourceFromMemory(good.data(), 8, &source), pm::kMrBadFormat);
    EXPECT_EQ(pm::openMovieSourceFromMemory(nullptr, 0, &source), pm::kMrBadFormat);
}

TEST_F(MovieSourceTest, ReadsTheToneBackAtAnyRateFromAnyTime) {
    const MovieSpec spec{.soundRate = 22050, .toneHz = 441, .soundSeconds = 1.0};
    std::shared_ptr<pm::MovieSource> source;
    ASSERT_EQ(pm::openMovieSource(movie("tone", spec), 0, 0, &source), pm::kMrNoErr);
    EXPECT_TRUE(source->hasSound());
    EXPECT_EQ(source->duration(), 600);  // the sound is longer than the pictures
    const struct {
        int32_t rate, channels;
        int64_t start;
    } reads[] = {{22050, 1, 0}, {22050, 2, 300}, {44100, 2, 0}, {11025, 1, 150}};
    for (const auto& r : reads) {
        SCOPED_TRACE(std::to_string(r.rate) + " Hz from " + std::to_string(r.start));
        std::vector<int16_t> samples(size_t(r.rate / 10) * size_t(r.channels));
        ASSERT_EQ(source->readSound(r.start, r.rate, r.channels, samples.data(), uint32_t(r.rate / 10)),
                  uint32_t(r.rate / 10));
        // A tenth of a second of 441 Hz: 44 cycles, give or take the one cut at either end.
        EXPECT_NEAR(risingCrossings(samples, r.channels), 44, 1);
        // Mono reaches both sides at the level it was recorded.
        int peak = 0;
        for (int16_t v : samples) peak = std::max(peak, std::abs(int(v)));
        EXPECT_NEAR(peak, 12000, 400);
        if (r.channels == 2) {
            for (size_t i = 0; i < samples.size(); i += 2) ASSERT_EQ(samples[i], samples[i + 1]);
        }
    }
    std::vector<int16_t> tail(22050);
    EXPECT_EQ(source->readSound(540, 22050, 1, tail.data(), 22050), 2205u);  // only the last tenth is left
}

TEST_F(MovieSourceTest, SoundIsDecodedAheadWhilePlayingAndTakenByTheMixer) {
    plat::ScopedFakeClock clock;
    pm::setPlaybackClock(&plat::clockMillis);
    const MovieSpec spec{.soundRate = 44100, .toneHz = 441, .soundSeconds = 2.0};
    std::shared_ptr<pm::MovieSource> source;
    ASSERT_EQ(pm::openMovieSource(movie("ahead", spec), 0, 0, &source), pm::kMrNoErr);
    pm::MoviePlayer player(source);
    std::vector<int16_t> out(size_t(pm::kMovieSoundRate) * 2);
    EXPECT_EQ(player.takeSound(out.data(), 100), 0u);  // stopped: no sound
    player.setTime(300);                                 // half a second in
    player.start();
    // A second waits before the mixer asks for any.
    ASSERT_EQ(player.takeSound(out.data(), uint32_t(pm::kMovieSoundRate)), uint32_t(pm::kMovieSoundRate));
    out.resize(size_t(pm::kMovieSoundRate / 10) * 2);
    EXPECT_NEAR(risingCrossings(out, 2), 44, 1);
    player.task();  // tops it up again
    std::vector<int16_t> more(size_t(pm::kMovieSoundRate) * 2);
    EXPECT_EQ(player.takeSound(more.data(), uint32_t(pm::kMovieSoundRate)), uint32_t(pm::kMovieSoundRate / 2));
    player.setRate(2 * pm::kMovieNormalRate);
    EXPECT_EQ(player.takeSound(more.data(), 100), 0u);  // only the normal rate sounds
    pm::setPlaybackClock(nullptr);
}

}  // namespace
