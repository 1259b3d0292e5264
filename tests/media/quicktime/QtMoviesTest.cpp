// Playing movies through the client: a movie our editing calls made and flattened, played
// back frame for frame; movies opened from files, byte ranges and memory on the program's
// (fake) clock, with the drawing-complete procedure and the sound for the mixer.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "media/quicktime/QtEffects.h"
#include "media/quicktime/QtMovies.h"
#include "platform/clock/Clock.h"
#include "platform/media/ImageDescription.h"
#include "platform/media/PixelRows.h"
#include "tests/LargestAllocation.h"
#include "tests/media/quicktime/LongTableMovie.h"
#include "tests/media/quicktime/QtTestSupport.h"
#include "tests/platform/media/playback/TestMovies.h"

namespace pm = plat::media;
using movietest::Colour;
using movietest::MovieSpec;

namespace {

struct WorldDeleter {
    void operator()(MrWorld* w) const { qtDisposeWorld(w); }
};
using World = std::unique_ptr<MrWorld, WorldDeleter>;

struct MoviesMovieDeleter {
    void operator()(MrMovie* m) const { qtDisposeMovie(m); }
};
using OwnedMovie = std::unique_ptr<MrMovie, MoviesMovieDeleter>;

World newWorld(int16_t width, int16_t height) {
    MrWorld* w = nullptr;
    const MrRect bounds{0, 0, height, width};
    EXPECT_EQ(qtNewWorldOfFormat(&w, pm::kMrFormatBgra32, &bounds), 0);
    return World(w);
}

Colour pixelAt(MrWorld* world, int x, int y) {
    uint8_t rgba[4];
    pm::readRowRgba(*qtWorldPixMap(world), y, x, 1, rgba);
    return Colour{rgba[0], rgba[1], rgba[2]};
}

::testing::AssertionResult near(Colour got, Colour want, int tolerance = 12) {
    if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
        std::abs(got.b - want.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << int(got.r) << "," << int(got.g) << "," << int(got.b)
                                         << " want " << int(want.r) << "," << int(want.g) << "," << int(want.b);
}

struct DrawnCount {
    int calls = 0;
    MrMovie* movie = nullptr;
};

MrErr countDrawing(MrMovie* movie, intptr_t refcon) {
    auto* count = reinterpret_cast<DrawnCount*>(refcon);
    ++count->calls;
    count->movie = movie;
    return 0;
}

class QtMoviesTest : public qttest::QtRuntimeTest {
protected:
    void SetUp() override {
        QtRuntimeTest::SetUp();
        if (HasFatalFailure()) return;
        haveFfmpeg_ = movietest::ffmpegPresent();
    }
    std::string ffmpegMovie(const std::string& name, const MovieSpec& spec = {}) {
        const std::string path = movietest::makeMovie(folder_, name, spec);
        EXPECT_FALSE(path.empty());
        return path;
    }
    // Frame i of the test movies as one JPEG sample: the world filled, compressed by the runtime.
    void addFrame(MrMedia* media, const MovieSpec& spec, int frame, MrTime duration) {
        World world = newWorld(int16_t(spec.width), int16_t(spec.height));
        MrPixMap* map = qtWorldPixMap(world.get());
        const auto rgb = movietest::frameRgb(spec, frame);
        for (int y = 0; y < spec.height; ++y) pm::writeRowRgb(*map, y, 0, spec.width, &rgb[size_t(y) * spec.width * 3]);
        const MrRect bounds{0, 0, int16_t(spec.height), int16_t(spec.width)};
        int32_t capacity = 0;
        ASSERT_EQ(qtMaxCompressionSize(map, &bounds, 32, 0x3FF, pm::kMrCodecJpeg, -3, &capacity), 0);
        std::vector<uint8_t> data(static_cast<size_t>(capacity));
        MrHandle* description = qtNewHandle(pm::kMrImageDescriptionSize);
        ASSERT_EQ(qtCompressImage(map, &bounds, 32, 0x3FF, pm::kMrCodecJpeg, -3, 0, description, data.data(),
                                  uint32_t(capacity)),
                  0);
        const uint8_t* d = qtHandleData(description) + pm::kImageDescriptionDataSizeOffset;
        const uint32_t size = uint32_t(d[0]) << 24 | uint32_t(d[1]) << 16 | uint32_t(d[2]) << 8 | d[3];
        MrTime at = -1;
        EXPECT_EQ(qtAddMediaSample(media, data.data(), size, duration, qtHandleData(description),
                                   qtHandleSize(description), 1, &at),
                  0);
        qtDisposeHandle(description);
    }
    void expectFrame(MrWorld* world, int frame, const char* where) {
        SCOPED_TRACE(where);
        EXPECT_TRUE(near(pixelAt(world, 16, 24), movietest::leftColour(frame)));
        EXPECT_TRUE(near(pixelAt(world, 48, 24), movietest::rightColour(frame)));
    }

    plat::ScopedFakeClock clock_{5000};
    bool haveFfmpeg_ = false;
};

TEST_F(QtMoviesTest, PlaysBackTheFramesOurWriterFlattened) {
    const MovieSpec spec;
    const MrTime durations[] = {60, 120, 30, 90};  // samples of their own lengths: 0, 60, 180, 210, to 300
    {
        OwnedMovie made(qtNewMovie(600));
        MrTrack* track = qtNewMovieTrack(made.get(), spec.width << 16, spec.height << 16, 0);
        MrMedia* media = qtNewTrackMedia(track, pm::kMrMediaVideo, 600);
        ASSERT_EQ(qtBeginMediaEdits(media), 0);
        for (int i = 0; i < 4; ++i) addFrame(media, spec, i, durations[i]);
        ASSERT_EQ(qtEndMediaEdits(media), 0);
        ASSERT_EQ(qtInsertMediaIntoTrack(track, 0, 0, 300, 0x10000), 0);
        ASSERT_EQ(qtFlattenMovieToFile(made.get(), file("ours.mov").c_str()), 0);
    }
    MrMovie* opened = nullptr;
    ASSERT_EQ(qtOpenMovieFile(file("ours.mov").c_str(), &opened), 0);
    OwnedMovie movie(opened);
    EXPECT_EQ(qtGetMovieDuration(movie.get()) * 600 / qtGetMovieTimeScale(movie.get()), 300);
    World world = newWorld(64, 48);
    qtSetMovieWorld(movie.get(), world.get());
    DrawnCount drawn;
    qtSetMovieDrawingCompleteProc(movie.get(), countDrawing, reinterpret_cast<intptr_t>(&drawn));
    const struct {
        MrTime time;
        int frame;
    } steps[] = {{0, 0}, {70, 1}, {179, 1}, {185, 2}, {5, 0}, {299, 3}, {200, 2}};
    for (const auto& step : steps) {
        qtSetMovieTimeValue(movie.get(), step.time * qtGetMovieTimeScale(movie.get()) / 600);
        EXPECT_EQ(qtMoviesTask(movie.get(), 0), 0);
        expectFrame(world.get(), step.frame, ("time " + std::to_string(step.time)).c_str());
    }
    EXPECT_EQ(drawn.calls, 6);
    EXPECT_EQ(drawn.movie, movie.get());
}

TEST_F(QtMoviesTest, AnEditedMoviePlaysThroughItsComposition) {
    const MovieSpec spec;
    OwnedMovie movie(qtNewMovie(600));
    // Two stills one after the other, made from frames 0 and 2 of the test movies.
    for (int i = 0; i < 2; ++i) {
        MrWorld* picture = nullptr;
        const MrRect bounds{0, 0, 48, 64};
        ASSERT_EQ(qtNewWorldOfFormat(&picture, pm::kMrFormatBgra32, &bounds), 0);
        const auto rgb = movietest::frameRgb(spec, 2 * i);
        for (int y = 0; y < 48; ++y) pm::writeRowRgb(*qtWorldPixMap(picture), y, 0, 64, &rgb[size_t(y) * 64 * 3]);
        MrTrack* track = nullptr;
        ASSERT_EQ(qtAddStillTrack(movie.get(), picture, i * 600, 600, 64 << 16, 48 << 16, &track), 0);
        qtDisposeWorld(picture);
    }
    World world = newWorld(64, 48);
    qtSetMovieWorld(movie.get(), world.get());
    DrawnCount drawn;
    qtSetMovieDrawingCompleteProc(movie.get(), countDrawing, reinterpret_cast<intptr_t>(&drawn));
    qtStartMovie(movie.get());
    ASSERT_EQ(qtMoviesTask(movie.get(), 0), 0);
    expectFrame(world.get(), 0, "at the start");
    clock_.advance(1500);
    ASSERT_EQ(qtMoviesTask(movie.get(), 0), 0);
    expectFrame(world.get(), 2, "after a second and a half");
    EXPECT_EQ(qtGetMovieTime(movie.get()), 900);
    clock_.advance(1000);
    EXPECT_TRUE(qtIsMovieDone(movie.get()));
    EXPECT_EQ(drawn.calls, 2);
}

TEST_F(QtMoviesTest, PlaysOnTheProgramClockFromFilesRangesAndMemory) {
    if (!haveFfmpeg_) GTEST_FAIL() << "ffmpeg is not installed (scripts/install-deps)";
    const auto bytes = qttest::readFile(ffmpegMovie("clock"));
    std::vector<uint8_t> archive(333, 0);
    archive.insert(archive.end(), bytes.begin(), bytes.end());
    qttest::writeFile(file("archive.bin"), archive);
    MrMovie* fromMemory = nullptr;
    MrMovie* fromRange = nullptr;
    ASSERT_EQ(qtOpenMovieFromMemory(bytes.data(), uint32_t(bytes.size()), &fromMemory), 0);
    ASSERT_EQ(qtOpenMovieFileRange(file("archive.bin").c_str(), 333, bytes.size(), &fromRange), 0);
    OwnedMovie a(fromMemory), b(fromRange);
    for (MrMovie* movie : {a.get(), b.get()}) {
        EXPECT_EQ(qtGetMovieDuration(movie), 240);
        qtStartMovie(movie);
        EXPECT_EQ(qtGetMovieRate(movie), 0x10000);
        clock_.advance(100);
        EXPECT_EQ(qtGetMovieTime(movie), 60);
        EXPECT_FALSE(qtIsMovieDone(movie));
        clock_.advance(1000);
        EXPECT_EQ(qtGetMovieTime(movie), 240);
        EXPECT_TRUE(qtIsMovieDone(movie));
        // Looping as the page's movies do: back to the start, and on again.
        qtSetMovieTimeValue(movie, 0);
        qtStartMovie(movie);
        clock_.advance(50);
        EXPECT_EQ(qtGetMovieTime(movie), 30);
        qtStopMovie(movie);
        clock_.advance(50);
        EXPECT_EQ(qtGetMovieTime(movie), 30);
    }
}

TEST_F(QtMoviesTest, DrawsAtTheBoxTheEditingCallsSet) {
    if (!haveFfmpeg_) GTEST_FAIL() << "ffmpeg is not installed (scripts/install-deps)";
    MrMovie* opened = nullptr;
    ASSERT_EQ(qtOpenMovieFile(ffmpegMovie("box").c_str(), &opened), 0);
    OwnedMovie movie(opened);
    World world = newWorld(64, 48);
    std::fill_n(qtPixelBase(qtWorldPixMap(world.get())), 64 * 48 * 4, 0);
    qtSetMovieWorld(movie.get(), world.get());
    const MrRect box{24, 0, 48, 32};
    qtSetMovieBox(movie.get(), &box);
    EXPECT_EQ(qtMoviesTask(movie.get(), 0), 0);
    EXPECT_TRUE(near(pixelAt(world.get(), 8, 36), movietest::leftColour(0)));
    EXPECT_TRUE(near(pixelAt(world.get(), 24, 36), movietest::rightColour(0)));
    EXPECT_TRUE(near(pixelAt(world.get(), 8, 12), Colour{0, 0, 0}, 0));
    EXPECT_TRUE(near(pixelAt(world.get(), 40, 36), Colour{0, 0, 0}, 0));
}

TEST_F(QtMoviesTest, SoundReachesTheMixerWhilePlaying) {
    if (!haveFfmpeg_) GTEST_FAIL() << "ffmpeg is not installed (scripts/install-deps)";
    MrMovie* opened = nullptr;
    ASSERT_EQ(qtOpenMovieFile(ffmpegMovie("tone", MovieSpec{.soundRate = 11025, .toneHz = 441}).c_str(), &opened), 0);
    OwnedMovie movie(opened);
    std::vector<int16_t> out(size_t(pm::kMrMovieSoundRate) * 2);
    EXPECT_EQ(qtReadMovieSound(movie.get(), out.data(), 100), 0u);
    qtStartMovie(movie.get());
    // 0.4 s of tone, resampled to the mixer's rate in stereo.
    EXPECT_EQ(qtReadMovieSound(movie.get(), out.data(), uint32_t(pm::kMrMovieSoundRate)), 8820u);
    int peak = 0;
    for (size_t i = 0; i < 8820 * 2; ++i) peak = std::max(peak, std::abs(int(out[i])));
    EXPECT_NEAR(peak, 12000, 600);
}

// A movie of a kilobyte or two whose table claims eighty million samples opens (with nothing
// to show) or is refused, within a few megabytes: the runtime never reserves what the claim
// asks for, which was two gigabytes.
TEST_F(QtMoviesTest, AMovieClaimingMillionsOfSamplesStaysWithinBoundedMemory) {
    if (!LargestAllocationWatch::available()) GTEST_SKIP() << "allocations are watched in sanitizer builds";
    const MovieSpec spec{.width = 24, .height = 16, .frames = 1};
    {
        OwnedMovie made(qtNewMovie(600));
        MrTrack* track = qtNewMovieTrack(made.get(), spec.width << 16, spec.height << 16, 0);
        MrMedia* media = qtNewTrackMedia(track, pm::kMrMediaVideo, 600);
        ASSERT_EQ(qtBeginMediaEdits(media), 0);
        addFrame(media, spec, 0, 600);
        ASSERT_EQ(qtEndMediaEdits(media), 0);
        ASSERT_EQ(qtInsertMediaIntoTrack(track, 0, 0, 600, 0x10000), 0);
        ASSERT_EQ(qtFlattenMovieToFile(made.get(), file("still.mov").c_str()), 0);
    }
    std::ifstream in(file("still.mov"), std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_LT(bytes.size(), 4096u);
    ASSERT_TRUE(movietest::claimManySamples(bytes));

    constexpr size_t kLimit = size_t(128) << 20;
    const LargestAllocationWatch watch;
    MrMovie* opened = nullptr;
    if (qtOpenMovieFromMemory(bytes.data(), uint32_t(bytes.size()), &opened) == 0) {
        OwnedMovie movie(opened);
        World world = newWorld(spec.width, spec.height);
        qtSetMovieWorld(movie.get(), world.get());
        qtStartMovie(movie.get());
        qtMoviesTask(movie.get(), 0);
    }
    EXPECT_LT(watch.largestBytes(), kLimit);
}

TEST_F(QtMoviesTest, DamagedMoviesAndBadArgumentsAreRefused) {
    const uint8_t junk[] = {0, 0, 0, 8, 'm', 'o', 'o', 'v', 0xFF, 0xFF};
    MrMovie* movie = reinterpret_cast<MrMovie*>(1);
    EXPECT_NE(qtOpenMovieFromMemory(junk, sizeof junk, &movie), 0);
    EXPECT_EQ(movie, nullptr);
    EXPECT_EQ(qtOpenMovieFile(file("none.mov").c_str(), &movie), pm::kMrFileNotFound);
    EXPECT_EQ(qtOpenMovieFile(nullptr, &movie), pm::kMrParamErr);
    EXPECT_EQ(qtOpenMovieFromMemory(nullptr, 4, &movie), pm::kMrParamErr);
    qtStartMovie(nullptr);
    EXPECT_EQ(qtGetMoviesError(), pm::kMrParamErr);
    EXPECT_EQ(qtMoviesTask(nullptr, 0), pm::kMrParamErr);
    EXPECT_EQ(qtReadMovieSound(nullptr, nullptr, 10), 0u);
}

}  // namespace

TEST(QtMoviesUnconnected, EveryCallAnswersNotAvailable) {
    ASSERT_FALSE(qtConnected());
    MrMovie* movie = nullptr;
    EXPECT_EQ(qtOpenMovieFile("/tmp/x.mov", &movie), kQtErrNotAvailable);
    EXPECT_EQ(qtOpenMovieFileRange("/tmp/x.mov", 0, 0, &movie), kQtErrNotAvailable);
    EXPECT_EQ(qtOpenMovieFromMemory(nullptr, 0, &movie), kQtErrNotAvailable);
    EXPECT_EQ(qtMoviesTask(nullptr, 0), kQtErrNotAvailable);
    EXPECT_EQ(qtGetMovieTime(nullptr), 0);
    EXPECT_EQ(qtIsMovieDone(nullptr), 0);
    qtStartMovie(nullptr);
    EXPECT_EQ(movie, nullptr);
}
