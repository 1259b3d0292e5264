#include <gtest/gtest.h>

#include "MovieFixtures.h"
#include "platform/media/RuntimeServices.h"
#include "platform/media/movie/MovieEditingEntries.h"

namespace pm = plat::media;
using namespace edittest;

TEST(MovieEditingEntries, NullHandlesAreRefusedAndSaySo) {
    const pm::MovieEditingEntries e = pm::editingEntries();
    EXPECT_EQ(e.newMovie(0), nullptr);
    EXPECT_EQ(e.getMoviesError(), pm::kMrParamErr);
    EXPECT_EQ(e.newMovieTrack(nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(e.insertTrackSegment(nullptr, 0, 1, nullptr, 0), pm::kMrInvalidTrack);
    EXPECT_EQ(e.setTrackGraphicsMode(nullptr, pm::kMrModeCopy, nullptr), pm::kMrParamErr);
    EXPECT_EQ(e.flattenMovieToFile(nullptr, "x.mov"), pm::kMrInvalidMovie);
    EXPECT_EQ(e.getMovieIndTrack(nullptr, 1), nullptr);
    EXPECT_EQ(e.getMoviesError(), pm::kMrInvalidTrack);
}

TEST(MovieEditingEntries, SamplesAreAddedOnlyWhileTheMediaIsEdited) {
    const pm::MovieEditingEntries e = pm::editingEntries();
    pm::MrMovie* movie = e.newMovie(600);
    pm::MrTrack* track = e.newMovieTrack(movie, 8 << 16, 8 << 16, 0);
    pm::MrMedia* media = e.newTrackMedia(track, pm::kMrMediaVideo, 600);
    const auto jpeg = solidJpeg(8, 8, {1, 2, 3});
    EXPECT_EQ(e.addMediaSample(media, jpeg.data(), uint32_t(jpeg.size()), 60, nullptr, 0, 1, nullptr),
              pm::kMrMediaNotEditing);
    ASSERT_EQ(e.beginMediaEdits(media), pm::kMrNoErr);
    pm::MrTime at = -1;
    EXPECT_EQ(e.addMediaSample(media, jpeg.data(), uint32_t(jpeg.size()), 60, nullptr, 0, 2, &at), pm::kMrNoErr);
    EXPECT_EQ(at, 0);
    EXPECT_EQ(e.addMediaSample(media, jpeg.data(), uint32_t(jpeg.size()), 0, nullptr, 0, 1, nullptr),
              pm::kMrInvalidDuration);
    EXPECT_EQ(e.addMediaSample(media, jpeg.data(), uint32_t(jpeg.size()), 30, nullptr, 0, 1, &at), pm::kMrNoErr);
    EXPECT_EQ(at, 120);
    EXPECT_EQ(e.getMediaDuration(media), 150);
    e.disposeMovie(movie);
}

TEST(MovieEditingEntries, ANewTimeScaleKeepsTheSeconds) {
    // Each boundary is the old one converted and rounded down, so edits still meet end to end.
    const struct {
        int64_t start, duration;
        pm::MrTime newStart, newEnd;
    } cases[] = {
        {300, 1800, 500, 3500},
        {1, 1, 1, 3},
        {5, 1, 8, 10},
    };
    const pm::MovieEditingEntries e = pm::editingEntries();
    for (const auto& c : cases) {
        pm::MrMovie* movie = e.newMovie(600);
        stillTrack(*movie, 8, 8, {0, 0, 0}, c.start, c.duration);
        e.setMovieTimeScale(movie, 1000);
        EXPECT_EQ(e.getMovieDuration(movie), c.newEnd) << c.start << "+" << c.duration;
        pm::MrTrackEdit edit{};
        ASSERT_EQ(e.getTrackEdit(e.getMovieIndTrack(movie, 1), 2, &edit), pm::kMrNoErr);
        EXPECT_EQ(edit.trackStart, c.newStart) << c.start << "+" << c.duration;
        EXPECT_EQ(edit.duration, c.newEnd - c.newStart) << c.start << "+" << c.duration;
        e.disposeMovie(movie);
    }
}

TEST(MovieEditingEntries, EffectDescriptionsNameTheEffect) {
    const pm::MovieEditingEntries e = pm::editingEntries();
    pm::MrHandle* description = pm::newHandle(pm::kMrImageDescriptionSize);
    EXPECT_EQ(e.effectImageDescription(pm::kEffectWipe, description), pm::kMrNoErr);
    const uint8_t* bytes = pm::handleData(description);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 4), 4), "wipe");
    EXPECT_EQ(e.effectImageDescription(0x6E6F6E65, description), pm::kMrNoCodec);
    pm::disposeHandle(description);
}
