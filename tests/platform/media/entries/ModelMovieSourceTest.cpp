// An edited movie's sound as the player hears it: decoded ahead chunk after chunk through its
// time units, with no frame said twice or skipped where one chunk meets the next.
#include <gtest/gtest.h>

#include <vector>

#include "platform/media/entries/ModelMovieSource.h"
#include "platform/media/movie/MovieSoundMix.h"
#include "platform/media/playback/MovieSoundAhead.h"
#include "tests/platform/media/movie/MovieFixtures.h"

namespace pm = plat::media;
using namespace edittest;

TEST(ModelMovieSource, SoundDecodedAheadRunsOnAcrossChunks) {
    // A mono ramp at the mix rate: every frame tells where it came from.
    constexpr int64_t kFrames = 20000;
    pm::MrMovie movie;
    pm::MrTrack* track = newTrack(movie, 0, 0, pm::kMrMediaSound, pm::kMixRate);
    std::vector<uint8_t> data;
    for (int64_t i = 0; i < kFrames; ++i) data.push_back(uint8_t(i >> 8)), data.push_back(uint8_t(i));
    addSample(*track->media, std::move(data), kFrames, pm::soundDescription({1, uint32_t(pm::kMixRate)}));
    ASSERT_EQ(pm::insertMediaIntoTrack(*track, 0, 0, kFrames, 0x10000), pm::kMrNoErr);

    pm::ModelMovieSource source(movie);
    pm::MovieSoundAhead ahead(pm::kMixRate, pm::kMixChannels);
    ahead.restart(0);
    ahead.fill(source, kFrames);
    std::vector<int16_t> heard(size_t(kFrames) * pm::kMixChannels);
    const uint32_t got = ahead.take(heard.data(), uint32_t(kFrames));
    // The movie's 600 units a second end on a whole unit, a little before the last frame.
    EXPECT_GE(got, uint32_t(kFrames - pm::kMixRate / 600));
    for (uint32_t i = 0; i < got; ++i) {
        ASSERT_EQ(heard[size_t(i) * 2], int16_t(i)) << "frame " << i;
        ASSERT_EQ(heard[size_t(i) * 2 + 1], int16_t(i)) << "frame " << i;
    }
}
