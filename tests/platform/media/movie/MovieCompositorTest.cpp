#include <gtest/gtest.h>

#include "MovieFixtures.h"

namespace pm = plat::media;
using namespace edittest;

TEST(MovieCompositor, HigherLayersLieBehindAndLaterTracksInFront) {
    pm::MrMovie movie;
    stillTrack(movie, 40, 40, {255, 0, 0}, 0, 600);            // 1: layer 0
    pm::MrTrack* back = stillTrack(movie, 40, 40, {0, 0, 255}, 0, 600, 20, 0);
    back->layer = 1;                                           // 2: behind 1 although added later
    stillTrack(movie, 10, 10, {0, 255, 0}, 0, 600, 5, 5);      // 3: same layer as 1, in front of it
    const pm::Frame frame = drawAt(movie, 0);
    ASSERT_EQ(frame.width, 60);
    EXPECT_TRUE(colourIs(pixel(frame, 30, 20), {255, 0, 0}));  // red over blue where they meet
    EXPECT_TRUE(colourIs(pixel(frame, 50, 20), {0, 0, 255}));
    EXPECT_TRUE(colourIs(pixel(frame, 8, 8), {0, 255, 0}));
}

TEST(MovieCompositor, MatrixScaleStretchesThePictureIntoItsBox) {
    pm::MrMovie movie;
    pm::MrTrack* track = stillTrack(movie, 10, 10, {200, 100, 50}, 0, 600, 4, 6);
    track->matrix.m[0][0] = 0x30000;  // three times as wide
    EXPECT_EQ(pm::trackBox(*track).right, 34);
    EXPECT_EQ(pm::trackBox(*track).bottom, 16);
    const pm::Frame frame = drawAt(movie, 0);
    EXPECT_EQ(frame.width, 30);
    EXPECT_TRUE(colourIs(pixel(frame, 29, 9), {200, 100, 50}));
}

TEST(MovieCompositor, GraphicsModesLayTheTrackOverWhatIsBehind) {
    struct Case {
        const char* name;
        int32_t mode;
        pm::MrRgbColor op;
        Rgb front;
        Rgb want;
    };
    const Case cases[] = {
        {"copy", pm::kMrModeDitherCopy, {0, 0, 0}, {255, 255, 255}, {255, 255, 255}},
        {"transparent white shows the back", pm::kMrModeTransparent, {0xFFFF, 0xFFFF, 0xFFFF}, {255, 255, 255},
         {0, 0, 200}},
        {"transparent key of another colour", pm::kMrModeTransparent, {0, 0, 0}, {255, 255, 255}, {255, 255, 255}},
        {"half blend", pm::kMrModeBlend, {0x8000, 0x8000, 0x8000}, {200, 0, 0}, {100, 0, 100}},
    };
    for (const Case& c : cases) {
        pm::MrMovie movie;
        pm::MrTrack* back = stillTrack(movie, 16, 16, {0, 0, 200}, 0, 600);
        back->layer = 1;
        pm::MrTrack* front = stillTrack(movie, 16, 16, c.front, 0, 600);
        front->graphicsMode = c.mode;
        front->opColor = c.op;
        EXPECT_TRUE(colourIs(pixel(drawAt(movie, 0), 8, 8), c.want)) << c.name;
    }
}

TEST(MovieCompositor, EmptyEditsAndDisabledTracksShowWhatIsBehind) {
    pm::MrMovie movie;
    pm::MrTrack* back = stillTrack(movie, 16, 16, {0, 200, 0}, 0, 1200);
    back->layer = 2;
    stillTrack(movie, 16, 16, {200, 0, 0}, 600, 600);  // starts after an empty second
    EXPECT_TRUE(colourIs(pixel(drawAt(movie, 100), 8, 8), {0, 200, 0}));
    EXPECT_TRUE(colourIs(pixel(drawAt(movie, 700), 8, 8), {200, 0, 0}));
    movie.tracks[1]->enabled = false;
    EXPECT_TRUE(colourIs(pixel(drawAt(movie, 700), 8, 8), {0, 200, 0}));
}

TEST(MovieCompositor, EffectsMixTheirSourcesByProgress) {
    struct Case {
        uint32_t effect;
        int64_t time;
        int32_t x;
        Rgb want;
    };
    // srcA red, srcB blue, a 600-unit effect over 40 x 20 pixels.
    const Case cases[] = {
        {pm::kEffectDissolve, 0, 20, {255, 0, 0}},   {pm::kEffectDissolve, 300, 20, {128, 0, 128}},
        {pm::kEffectWipe, 300, 5, {0, 0, 255}},      {pm::kEffectWipe, 300, 35, {255, 0, 0}},
        {pm::kEffectIris, 540, 20, {0, 0, 255}},     {pm::kEffectIris, 60, 0, {255, 0, 0}},
        {pm::kEffectPush, 300, 5, {0, 0, 255}},      {pm::kEffectPush, 300, 35, {255, 0, 0}},
    };
    for (const Case& c : cases) {
        pm::MrMovie movie;
        stillTrack(movie, 40, 20, {255, 0, 0}, 0, 600);
        stillTrack(movie, 40, 20, {0, 0, 255}, 0, 600);
        effectTrack(movie, 40, 20, c.effect, 1, 2, 0, 600);
        EXPECT_TRUE(colourIs(pixel(drawAt(movie, c.time), c.x, 10), c.want, 8))
            << std::hex << c.effect << std::dec << " at " << c.time << " x " << c.x;
    }
}

TEST(MovieCompositor, AnEffectFedByItselfEnds) {
    pm::MrMovie movie;
    effectTrack(movie, 8, 8, pm::kEffectDissolve, 1, 1, 0, 600);
    EXPECT_TRUE(colourIs(pixel(drawAt(movie, 300), 4, 4), {0, 0, 0}));
}

TEST(MovieCompositor, InterestingTimesAreEditAndSampleBoundaries) {
    pm::MrMovie movie;
    pm::MrTrack* track = newTrack(movie, 8, 8, pm::kMrMediaVideo, 600);
    for (int i = 0; i < 3; ++i) addSample(*track->media, solidJpeg(8, 8, {i * 60, 0, 0}), 100);
    ASSERT_EQ(pm::insertMediaIntoTrack(*track, 50, 0, 300, 0x10000), pm::kMrNoErr);
    std::vector<int64_t> times;
    for (int64_t t = 0; t >= 0; t = pm::nextInterestingTime(movie, t)) times.push_back(t);
    EXPECT_EQ(times, (std::vector<int64_t>{0, 50, 150, 250, 350}));
}

TEST(MovieCompositor, RunningEffectsAreDrawnAtFifteenPicturesASecond) {
    pm::MrMovie movie;
    stillTrack(movie, 8, 8, {255, 0, 0}, 0, 600);
    stillTrack(movie, 8, 8, {0, 0, 255}, 0, 600);
    effectTrack(movie, 8, 8, pm::kEffectWipe, 1, 2, 0, 120);
    EXPECT_EQ(pm::nextInterestingTime(movie, 0), 40);
    EXPECT_EQ(pm::nextInterestingTime(movie, 80), 120);
    EXPECT_EQ(pm::nextInterestingTime(movie, 120), 600);
}

TEST(MovieCompositor, APictureReplacedInTheMovieIsDrawnAnew) {
    pm::MrMovie movie;
    pm::MrTrack* track = stillTrack(movie, 16, 16, {200, 0, 0}, 0, 600);
    const pm::MrRect box = pm::movieBox(movie);
    pm::Frame frame;
    ASSERT_EQ(frame.reset(16, 16), pm::kMrNoErr);
    pm::MovieCompositor compositor(movie);
    ASSERT_EQ(compositor.draw(0, frame.map, box), pm::kMrNoErr);
    EXPECT_TRUE(colourIs(pixel(frame, 8, 8), {200, 0, 0}));
    // The red bytes stay held while their picture is kept, so the blue ones can never be
    // given their address and be taken for them.
    const std::weak_ptr<const std::vector<uint8_t>> red = track->media->samples[0].data;
    track->media->samples[0].data = std::make_shared<const std::vector<uint8_t>>(solidJpeg(16, 16, {0, 0, 200}));
    EXPECT_FALSE(red.expired());
    ASSERT_EQ(compositor.draw(0, frame.map, box), pm::kMrNoErr);
    EXPECT_TRUE(colourIs(pixel(frame, 8, 8), {0, 0, 200}));
}
