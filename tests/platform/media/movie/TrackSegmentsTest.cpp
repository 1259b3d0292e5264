#include <gtest/gtest.h>

#include "MovieFixtures.h"

namespace pm = plat::media;
using namespace edittest;

namespace {

struct EditShape {
    int64_t duration;
    int64_t mediaTime;
    int32_t rate;
};

std::vector<EditShape> shapeOf(const pm::MrTrack& track) {
    std::vector<EditShape> shape;
    for (const auto& edit : track.edits) shape.push_back({edit.duration, edit.media ? edit.mediaTime : -1, edit.rate});
    return shape;
}

void expectShape(const pm::MrTrack& track, const std::vector<EditShape>& want) {
    const auto got = shapeOf(track);
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].duration, want[i].duration) << "edit " << i;
        EXPECT_EQ(got[i].mediaTime, want[i].mediaTime) << "edit " << i;
        EXPECT_EQ(got[i].rate, want[i].rate) << "edit " << i;
    }
}

// A track of 10 samples of 60 media units (scale 600) placed as one edit in a movie of scale 600.
pm::MrTrack* tenSampleTrack(pm::MrMovie& movie) {
    pm::MrTrack* track = newTrack(movie, 8, 8, pm::kMrMediaVideo, 600);
    for (int i = 0; i < 10; ++i) addSample(*track->media, solidJpeg(8, 8, {i * 20, 0, 0}), 60);
    EXPECT_EQ(pm::insertMediaIntoTrack(*track, 0, 0, 600, 0x10000), pm::kMrNoErr);
    return track;
}

}  // namespace

TEST(TrackSegments, InsertIntoTheMiddleSplitsTheEditAndShiftsTheRest) {
    pm::MrMovie movie;
    pm::MrTrack* target = tenSampleTrack(movie);
    pm::MrTrack* source = tenSampleTrack(movie);
    ASSERT_EQ(pm::insertTrackSegment(*source, 120, 60, *target, 300), pm::kMrNoErr);
    expectShape(*target, {{300, 0, 0x10000}, {60, 120, 0x10000}, {300, 300, 0x10000}});
    EXPECT_EQ(target->duration(), 660);
}

TEST(TrackSegments, InsertPastTheEndLeavesAnEmptyGap) {
    pm::MrMovie movie;
    pm::MrTrack* target = tenSampleTrack(movie);
    pm::MrTrack* source = tenSampleTrack(movie);
    ASSERT_EQ(pm::insertTrackSegment(*source, 0, 600, *target, 900), pm::kMrNoErr);
    expectShape(*target, {{600, 0, 0x10000}, {300, -1, 0x10000}, {600, 0, 0x10000}});
    int64_t start = 0;
    const pm::TrackEdit* gap = pm::editAt(*target, 700, &start);
    ASSERT_NE(gap, nullptr);
    EXPECT_EQ(gap->media, nullptr);
    EXPECT_EQ(start, 600);
}

TEST(TrackSegments, InsertBetweenMoviesOfOtherScalesKeepsSecondsExact) {
    pm::MrMovie source, target;
    pm::MrMovie* from = &source;
    from->timeScale = 1000;
    target.timeScale = 600;
    pm::MrTrack* track = newTrack(*from, 8, 8, pm::kMrMediaVideo, 1000);
    addSample(*track->media, solidJpeg(8, 8, {0, 0, 0}), 3000);
    ASSERT_EQ(pm::insertMediaIntoTrack(*track, 0, 0, 3000, 0x10000), pm::kMrNoErr);
    pm::MrTrack* into = newTrack(target, 8, 8, pm::kMrMediaVideo, 600);
    // Three pieces of a second laid end to end are three seconds: 1800 units, no gap.
    for (int i = 0; i < 3; ++i) ASSERT_EQ(pm::insertTrackSegment(*track, i * 1000, 1000, *into, i * 600), pm::kMrNoErr);
    EXPECT_EQ(into->duration(), 1800);
    int64_t start = 0;
    const pm::TrackEdit* last = pm::editAt(*into, 1799, &start);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(pm::mediaTimeOf(*into, *last, start, 1799), 2998);
}

TEST(TrackSegments, RefusesSpansOutsideTheTrack) {
    struct Case {
        const char* what;
        int64_t in, duration, at;
        pm::MrErr err;
    };
    const Case cases[] = {
        {"whole track", 0, 600, 0, pm::kMrNoErr},
        {"one unit past the end", 0, 601, 0, pm::kMrInvalidTime},
        {"negative source time", -1, 10, 0, pm::kMrInvalidTime},
        {"negative destination", 0, 10, -1, pm::kMrInvalidTime},
        {"negative duration", 0, -10, 0, pm::kMrInvalidTime},
    };
    for (const Case& c : cases) {
        pm::MrMovie movie;
        pm::MrTrack* target = tenSampleTrack(movie);
        pm::MrTrack* source = tenSampleTrack(movie);
        EXPECT_EQ(pm::insertTrackSegment(*source, c.in, c.duration, *target, c.at), c.err) << c.what;
    }
}

TEST(TrackSegments, DeleteJoinsWhatIsLeft) {
    pm::MrMovie movie;
    pm::MrTrack* track = tenSampleTrack(movie);
    ASSERT_EQ(pm::deleteTrackSegment(*track, 100, 200), pm::kMrNoErr);
    expectShape(*track, {{100, 0, 0x10000}, {300, 300, 0x10000}});
    EXPECT_EQ(pm::deleteTrackSegment(*track, 0, 401), pm::kMrInvalidTime);
    EXPECT_EQ(pm::deleteTrackSegment(*track, 0, 400), pm::kMrNoErr);
    EXPECT_TRUE(track->edits.empty());
}

TEST(TrackSegments, StretchingSlowsTheMediaDown) {
    pm::MrMovie movie;
    pm::MrTrack* track = tenSampleTrack(movie);
    ASSERT_EQ(pm::scaleTrackSegment(*track, 0, 600, 1200), pm::kMrNoErr);
    expectShape(*track, {{1200, 0, 0x8000}});
    int64_t start = 0;
    const pm::TrackEdit* edit = pm::editAt(*track, 1199, &start);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(pm::mediaTimeOf(*track, *edit, start, 1199), 599);
    EXPECT_EQ(pm::mediaTimeOf(*track, *edit, start, 600), 300);
}

TEST(TrackSegments, SqueezingKeepsTheRateInItsRange) {
    // A 16.16 rate holds just under 32768 times the normal speed; past it the rate stays at its
    // largest instead of wrapping round to a negative one.
    const struct {
        int64_t length;
        int32_t rate;
    } cases[] = {{32767, 32767 * 0x10000}, {32768, INT32_MAX}, {200000, INT32_MAX}};
    for (const auto& c : cases) {
        pm::MrMovie movie;
        pm::MrTrack* track = newTrack(movie, 8, 8, pm::kMrMediaVideo, 600);
        addSample(*track->media, solidJpeg(8, 8, {0, 0, 0}), c.length);
        ASSERT_EQ(pm::insertMediaIntoTrack(*track, 0, 0, c.length, 0x10000), pm::kMrNoErr);
        ASSERT_EQ(pm::scaleTrackSegment(*track, 0, c.length, 1), pm::kMrNoErr);
        expectShape(*track, {{1, 0, c.rate}});
    }
}

TEST(TrackSegments, ScalingOnlyPartOfAnEditSplitsIt) {
    pm::MrMovie movie;
    pm::MrTrack* track = tenSampleTrack(movie);
    ASSERT_EQ(pm::scaleTrackSegment(*track, 300, 300, 100), pm::kMrNoErr);
    expectShape(*track, {{300, 0, 0x10000}, {100, 300, 0x30000}});
}

TEST(TrackSegments, ScaleRefusesAnEmptyDuration) {
    struct Case {
        int64_t start, oldDuration, newDuration;
        pm::MrErr err;
    };
    const Case cases[] = {{0, 600, 1, pm::kMrNoErr},     {0, 600, 0, pm::kMrInvalidDuration},
                          {0, 0, 10, pm::kMrInvalidTime}, {0, 601, 10, pm::kMrInvalidTime},
                          {-1, 10, 10, pm::kMrInvalidTime}};
    for (const Case& c : cases) {
        pm::MrMovie movie;
        pm::MrTrack* track = tenSampleTrack(movie);
        EXPECT_EQ(pm::scaleTrackSegment(*track, c.start, c.oldDuration, c.newDuration), c.err)
            << c.start << " " << c.oldDuration << " " << c.newDuration;
    }
}

TEST(TrackSegments, MediaIsAppendedAtMinusOne) {
    pm::MrMovie movie;
    pm::MrTrack* track = tenSampleTrack(movie);
    ASSERT_EQ(pm::insertMediaIntoTrack(*track, -1, 60, 120, 0x20000), pm::kMrNoErr);
    expectShape(*track, {{600, 0, 0x10000}, {60, 60, 0x20000}});
    EXPECT_EQ(pm::insertMediaIntoTrack(*track, 0, 0, 0, 0x10000), pm::kMrInvalidDuration);
    EXPECT_EQ(pm::insertMediaIntoTrack(*track, 0, 0, 10, 0), pm::kMrInvalidDuration);
}

TEST(TrackSegments, CopiedEditsKeepTheirMediaAliveAfterTheSourceIsGone) {
    pm::MrMovie target;
    pm::MrTrack* into = newTrack(target, 8, 8, pm::kMrMediaVideo, 600);
    {
        pm::MrMovie source;
        pm::MrTrack* track = stillTrack(source, 8, 8, {255, 0, 0}, 0, 600);
        ASSERT_EQ(pm::insertTrackSegment(*track, 0, 600, *into, 0), pm::kMrNoErr);
    }
    EXPECT_TRUE(colourIs(pixel(drawAt(target, 300), 4, 4), {255, 0, 0}));
}
