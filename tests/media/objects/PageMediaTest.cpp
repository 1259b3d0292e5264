// Animations and movies of page objects on the sprite layer, on the fake clock: a Flash object
// steps a frame per frame duration and loops, a one-frame one stays, flips come back after two,
// refused bytes list nothing; a Photo-JPEG and IMA 4:1 movie written by our flattener shows
// the picture due, steps and loops; a movie without time scale or picture is refused.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "document/objects/RMediaFilePageObject.h"
#include "document/storage/ObjectTypes.h"
#include "media/objects/MediaPlacement.h"
#include "media/objects/RFlash.h"
#include "media/objects/RMovie.h"
#include "platform/clock/Clock.h"
#include "platform/files/Files.h"
#include "tests/engine/gfx/sprites/WithSpriteScreen.h"
#include "tests/media/objects/PageMediaFiles.h"
#include "tests/media/quicktime/QtTestSupport.h"

namespace {

using Ostrel::RMediaFilePageObject;

constexpr Rect16 kPageScreen{0, 0, 160, 120};
constexpr Rect16 kArea{8, 4, 152, 116};
constexpr u32 k12Fps = 0xC0000;
constexpr u16 kPageRed = 0x7C00, kPageBlue = 0x001F;

class PageMediaTest : public testspr::WithSpriteScreen<qttest::QtRuntimeTest> {
protected:
    void SetUp() override {
        QtRuntimeTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_NO_FATAL_FAILURE(openSpriteScreen(kPageScreen, GfxColor::rgb(128, 128, 128), true));
    }

    std::unique_ptr<RMediaFilePageObject> object(FourCC type, std::vector<u8> media, Ostrel::PageRect rect) {
        auto made = std::make_unique<RMediaFilePageObject>(type, 1);
        made->media = std::move(media);
        made->rect = rect;
        return made;
    }
    // The window's pixel after a screen update, each channel cut to its top two bits.
    u16 shown(i16 x, i16 y) {
        sprUpdateScreen(1);
        GfxColor c;
        window_->ReadPixel(&c, x, y);
        return u16(((c.red >> 3) << 10) | ((c.green >> 3) << 5) | (c.blue >> 3)) & 0x6318;
    }
    plat::ScopedFakeClock clock_{5000};
};

TEST_F(PageMediaTest, AFlashObjectStepsAFramePerFrameDurationAndLoops) {
    const struct {
        u16 frames;
        u32 rate;
        u32 duration;
    } cases[] = {{4, k12Fps, 83}, {3, 0x8000, 2000}, {1, k12Fps, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frames);
        RFlash flash(nullptr, kArea);
        auto owned = object(kTypeFlashAnimation, mediatest::animationBytes(c.frames, c.rate, 64, 48),
                            {10, 20, 74, 68});
        FlashMovie* movie = FlashMovieLoad(&flash, owned->media, owned.get(), true);
        ASSERT_NE(movie, nullptr);
        EXPECT_EQ(owned->Media(), movie);
        u32 duration = 1;
        u16 frames = 0;
        EXPECT_EQ(FlashMovieGetTiming(movie, &duration, &frames), c.frames > 1);
        EXPECT_EQ(duration, c.duration);
        FlashMoviePlay(movie);
        // The square of frame k covers columns 16k to 16k + 15 of the movie, at 18 + 16k.
        EXPECT_EQ(shown(26, 30), kPageRed & 0x6318);
        for (u16 step = 1; step <= 5; ++step) {
            clock_.advance(c.duration ? c.duration - 1 : 1000);
            EXPECT_EQ(shown(i16(26 + 16 * ((step - 1) % c.frames)), 30), kPageRed & 0x6318) << "not yet at " << step;
            clock_.advance(1);
            const u16 expected = u16(step % c.frames);
            EXPECT_EQ(shown(i16(26 + 16 * expected), 30), kPageRed & 0x6318) << step;
            EXPECT_EQ(movie->currentFrame(), expected) << step;
        }
        FlashMovieStop(movie);
        clock_.advance(1000);
        EXPECT_EQ(movie->currentFrame(), u16(5 % c.frames)) << "stopped";
        FlashMoviePause(movie);
        EXPECT_EQ(FlashMovieStep(movie), 0);
        EXPECT_EQ(movie->currentFrame(), u16(1 % c.frames)) << "paused to the start, then a step";
    }
    EXPECT_EQ(FlashMovieStep(nullptr), kFlashNoMovie);
}

// A sound its first frame starts goes on through the frames after it.
TEST_F(PageMediaTest, AFlashObjectsSoundGoesOnThroughItsLaterFrames) {
    RFlash flash(nullptr, kArea);
    auto owned = object(kTypeFlashAnimation, mediatest::animationBytes(4, k12Fps, 64, 48, 22050), {10, 20, 74, 68});
    FlashMovie* movie = FlashMovieLoad(&flash, owned->media, owned.get(), true);
    ASSERT_NE(movie, nullptr);
    FlashMoviePlay(movie);
    clock_.advance(3 * 83);
    shown(0, 0);
    EXPECT_EQ(movie->currentFrame(), 3);
    EXPECT_EQ(movie->sounds().Sounding(), 1u) << "a second of sound outlasts three frames";
}

TEST_F(PageMediaTest, FrameDurationsComeFromTheWholeRate) {
    const struct {
        u32 rate, duration;
    } cases[] = {{k12Fps, 83}, {0x10000, 1000}, {0x8000, 2000}, {1, 65536000}, {0, 0}, {65536000, 1}, {65536001, 1},
                 {0xFFFFFFFF, 1}};
    for (const auto& c : cases) EXPECT_EQ(FlashFrameDuration(c.rate), c.duration) << c.rate;
}

TEST_F(PageMediaTest, TwoFlipsOfEachKindRestoreTheArt) {
    RFlash flash(nullptr, kArea);
    auto owned = object(kTypeFlash, mediatest::animationBytes(1, k12Fps, 64, 48), {0, 0, 64, 48});
    owned->option = u32(kFlipVertical) << kOptionFlipShift;
    FlashMovie* movie = FlashMovieLoad(&flash, owned->media, owned.get(), true);
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(movie->flipV(), -1) << "the option word's flip";
    const auto corners = [&] {
        const FlashQTMovie& held = *movie->holder();
        return std::array<bool, 4>{held.Pixel(4, 4) != kFlashKeyPixel, held.Pixel(60, 4) != kFlashKeyPixel,
                                   held.Pixel(4, 44) != kFlashKeyPixel, held.Pixel(60, 44) != kFlashKeyPixel};
    };
    const std::array<bool, 4> start = corners();
    EXPECT_EQ(start, (std::array<bool, 4>{false, false, true, false})) << "the square flipped to the bottom";
    flash.SetFlips(movie, kFlipHorizontal);
    EXPECT_EQ(corners(), (std::array<bool, 4>{false, false, false, true}));
    flash.SetFlips(movie, kFlipVertical);
    EXPECT_EQ(corners(), (std::array<bool, 4>{false, true, false, false}));
    flash.SetFlips(movie, kFlipHorizontal | kFlipVertical);
    EXPECT_EQ(corners(), start);
}

TEST_F(PageMediaTest, RefusedBytesListNothingAndOversizedFramesAreCut) {
    const std::vector<u8> good = mediatest::animationBytes(2, k12Fps, 64, 48);
    const std::vector<u8> cases[] = {{},
                                     std::vector<u8>(good.begin(), good.begin() + long(good.size() / 2)),
                                     mediatest::animationBytes(2, k12Fps, 0, 48),
                                     {'F', 'W', 'S', 6, 14, 0, 0, 0, 0x10, 0x00, 0, 12, 1, 0}};
    RFlash flash(nullptr, kArea);
    for (const auto& bytes : cases) {
        auto owned = object(kTypeFlash, bytes, {0, 0, 64, 48});
        EXPECT_EQ(FlashMovieLoad(&flash, owned->media, owned.get(), true), nullptr) << bytes.size();
        EXPECT_EQ(owned->Media(), nullptr);
    }
    EXPECT_EQ(flash.count(), 0u);
    auto wide = object(kTypeFlash, mediatest::animationBytes(2, k12Fps, 4000, 40), {0, 0, 60, 40});
    FlashMovie* movie = FlashMovieLoad(&flash, wide->media, wide.get(), false);
    ASSERT_NE(movie, nullptr);
    EXPECT_TRUE(rectEqual(FlashMovieGetBitmapBounds(movie), Rect16{0, 0, kFlashMaxSide, 40}));
    EXPECT_TRUE(movie->holder()->BuiltAt(60, 40)) << "rendered at the object's size";
    for (u16 frames : {u16(kFlashMaxFrames), u16(kFlashMaxFrames + 1)}) {
        auto longer = object(kTypeFlash, mediatest::animationBytes(frames, k12Fps, 16, 8), {0, 0, 4, 2});
        FlashMovie* loaded = FlashMovieLoad(&flash, longer->media, longer.get(), false);
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->holder()->FrameCount(), kFlashMaxFrames) << frames;
    }
}

TEST_F(PageMediaTest, MediaWithoutAPlaceIsCentredAndFittedIntoTheArea) {
    const Rect16 area{10, 20, 110, 70};
    const struct {
        i32 width, height;
        Rect16 placed;
    } cases[] = {{40, 20, {40, 35, 80, 55}},   {100, 50, {10, 20, 110, 70}}, {101, 50, {10, 20, 110, 69}},
                 {200, 50, {10, 32, 110, 57}}, {50, 100, {47, 20, 72, 70}}};
    for (const auto& c : cases) EXPECT_TRUE(rectEqual(centredInArea(area, c.width, c.height), c.placed)) << c.width;
}

TEST_F(PageMediaTest, EachFlashObjectHasItsOwnTemporaryFileGoneWithItsMovie) {
    RFlash flash(nullptr, kArea);
    const std::vector<u8> bytes = mediatest::animationBytes(2, k12Fps, 32, 32);
    auto first = object(kTypeFlash, bytes, {0, 0, 32, 32});
    auto second = object(kTypeFlash, bytes, {40, 0, 72, 32});
    FlashMovie* a = FlashMovieLoad(&flash, first->media, first.get(), true);
    FlashMovie* b = FlashMovieLoad(&flash, second->media, second.get(), true);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(FlashMovieLoad(&flash, first->media, first.get(), true), a) << "an object keeps its movie";
    const std::string pathA = a->holder()->TemporaryPath(), pathB = b->holder()->TemporaryPath();
    EXPECT_NE(pathA, pathB);
    u32 attributes = 0;
    EXPECT_EQ(plat::fileGetAttributes(pathA, &attributes), plat::kSysOk);
    flash.RemoveMovie(a);
    EXPECT_NE(plat::fileGetAttributes(pathA, &attributes), plat::kSysOk);
    EXPECT_EQ(first->Media(), nullptr);
    second.reset();
    EXPECT_EQ(b->object(), nullptr) << "told that its object went";
    flash.RemoveOrphans();
    EXPECT_EQ(flash.count(), 0u);
    EXPECT_NE(plat::fileGetAttributes(pathB, &attributes), plat::kSysOk);
}

TEST_F(PageMediaTest, AMovieShowsThePictureDueStepsAndLoops) {
    RMovie movies(nullptr, kPageScreen);
    auto owned = object(kTypeMovie, mediatest::movieBytes(file("ours.mov")), {40, 30, 72, 54});
    MrMovie* opened = nullptr;
    ASSERT_EQ(qtOpenMovieFromMemory(owned->media.data(), u32(owned->media.size()), &opened), 0);
    MovieObj* record = MovieObj::Create(&movies, opened, owned.get(), true);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(owned->Media(), record);
    EXPECT_FALSE(record->soundPlaying()) << "no sound before it plays";
    MovieObjPlay(record);
    const struct {
        u32 advance;
        u16 colour;
    } due[] = {{500, kPageRed}, {600, kPageBlue}, {1000, kPageRed}};
    for (const auto& d : due) {
        clock_.advance(d.advance);
        shown(50, 40);
        EXPECT_EQ(shown(50, 40), d.colour & 0x6318) << d.advance;
    }
    MovieObjStop(record);
    MovieObjPause(record);
    EXPECT_EQ(shown(50, 40), kPageRed & 0x6318);
    const u16 stepped[] = {kPageBlue, kPageRed};
    for (u16 colour : stepped) {
        MovieObjStep(record);
        EXPECT_EQ(shown(50, 40), colour & 0x6318);
    }
    movies.MoveMovie(record, Rect16{10, 10, 74, 58});
    EXPECT_EQ(owned->rect, (Ostrel::PageRect{10, 10, 74, 58}));
    EXPECT_EQ(shown(70, 55), kPageRed & 0x6318) << "drawn at the new size";
    // The object going takes the movie from the screen; the record it leaves goes without
    // touching the layer's own sprites.
    const u16 sprite = record->sprite();
    owned.reset();
    EXPECT_EQ(sprFind(sprite), nullptr);
    EXPECT_EQ(shown(70, 55), 0x4210 & 0x6318) << "the grey below shows again";
    movies.RemoveOrphans();
    EXPECT_EQ(movies.count(), 0u);
    EXPECT_NE(sprFind(kSprFrontId), nullptr);
    EXPECT_NE(sprFind(kSprBackId), nullptr);
}

TEST_F(PageMediaTest, MoviesWithoutTimeScaleOrPictureAndLocationsThatAreNoFileAreRefused) {
    RMovie movies(nullptr, kPageScreen);
    auto owned = object(kTypeMovie, mediatest::movieBytes(file("sound.mov"), false), {0, 0, 32, 24});
    MrMovie* soundOnly = nullptr;
    ASSERT_EQ(qtOpenMovieFromMemory(owned->media.data(), u32(owned->media.size()), &soundOnly), 0);
    EXPECT_EQ(MovieObj::Create(&movies, soundOnly, owned.get(), true), nullptr);
    EXPECT_EQ(MovieObj::Create(&movies, qtNewMovie(0), owned.get(), true), nullptr);
    EXPECT_EQ(movies.count(), 0u);
    EXPECT_EQ(owned->Media(), nullptr);

    mediatest::movieBytes(file("ours.mov"));
    const struct {
        std::string location;
        bool opens;
    } locations[] = {{file("ours.mov"), true}, {"http://example.org/ours.mov", false},
                     {"file://" + file("ours.mov"), false}, {file("none.mov"), false}, {"", false}};
    for (const auto& l : locations) {
        MrMovie* movie = OpenMovieFromLocation(l.location.c_str());
        EXPECT_EQ(movie != nullptr, l.opens) << l.location;
        qtDisposeMovie(movie);
    }
}

}  // namespace
