// The export movie writer: media files and movies inserted by their rules (stretching, looping,
// lengths, placement), transition effects re-linked to their sources, and the flattened file
// read back; faults refused with the codes that say why.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <thread>

#include "media/quicktime/MovieExport.h"
#include "media/quicktime/QtEffects.h"
#include "media/quicktime/QtMovies.h"
#include "platform/media/PixelRows.h"
#include "platform/media/movie/MovieEffects.h"
#include "tests/media/quicktime/QtTestSupport.h"

namespace pm = plat::media;

namespace {

struct Rgb {
    int r, g, b;
};

constexpr uint32_t kTypeMovie = 0x4D6F6F56;  // 'MooV'

struct MovieDeleter {
    void operator()(MrMovie* m) const { qtDisposeMovie(m); }
};
using Movie = std::unique_ptr<MrMovie, MovieDeleter>;

// Aborts a test that would otherwise never end.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit) : thread_([this, limit] {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (!done_ && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!done_) {
            std::fprintf(stderr, "watchdog: the export did not end\n");
            std::abort();
        }
    }) {}
    ~Watchdog() {
        done_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

std::vector<uint8_t> solidJpeg(int w, int h, Rgb c) {
    std::vector<uint8_t> rgb(size_t(w) * h * 3);
    for (size_t i = 0; i < rgb.size(); i += 3) rgb[i] = uint8_t(c.r), rgb[i + 1] = uint8_t(c.g), rgb[i + 2] = uint8_t(c.b);
    return qttest::encodeWithLibjpeg(w, h, 3, rgb);
}

// A movie of scale 600 with one picture track of `ms` milliseconds, made by the editing calls.
Movie stillMovie(int w, int h, Rgb colour, int32_t ms) {
    Movie movie(qtNewMovie(600));
    MrTrack* track = qtNewMovieTrack(movie.get(), w << 16, h << 16, 0);
    MrMedia* media = qtNewTrackMedia(track, pm::kMrMediaVideo, 600);
    const auto jpeg = solidJpeg(w, h, colour);
    EXPECT_EQ(qtBeginMediaEdits(media), 0);
    EXPECT_EQ(qtAddMediaSample(media, jpeg.data(), uint32_t(jpeg.size()), ms * 600 / 1000, nullptr, 0, 1, nullptr), 0);
    EXPECT_EQ(qtEndMediaEdits(media), 0);
    EXPECT_EQ(qtInsertMediaIntoTrack(track, 0, 0, ms * 600 / 1000, 0x10000), 0);
    return movie;
}

// A movie of one mono sound track at a constant level.
Movie soundMovie(int16_t level, int32_t ms) {
    Movie movie(qtNewMovie(600));
    MrTrack* track = qtNewMovieTrack(movie.get(), 0, 0, 0x100);
    MrMedia* media = qtNewTrackMedia(track, pm::kMrMediaSound, 22050);
    const int32_t frames = ms * 22050 / 1000;
    std::vector<uint8_t> data;
    for (int32_t i = 0; i < frames; ++i) data.push_back(uint8_t(uint16_t(level) >> 8)), data.push_back(uint8_t(level));
    // 'twos', one channel, 16 bits, 22050 Hz.
    const std::vector<uint8_t> description = {'t', 'w', 'o', 's', 0, 1, 0, 16, 0, 0, 0x56, 0x22, 0, 0, 0, 0};
    EXPECT_EQ(qtBeginMediaEdits(media), 0);
    EXPECT_EQ(qtAddMediaSample(media, data.data(), uint32_t(data.size()), 1, description.data(),
                               uint32_t(description.size()), frames, nullptr),
              0);
    EXPECT_EQ(qtEndMediaEdits(media), 0);
    EXPECT_EQ(qtInsertMediaIntoTrack(track, 0, 0, frames, 0x10000), 0);
    return movie;
}

// A transition movie: srcA, srcB and a dissolve over them, `ms` long.
Movie effectMovie(int w, int h, Rgb a, Rgb b, int32_t ms) {
    Movie movie(qtNewMovie(600));
    MrTrack* effect = qtNewMovieTrack(movie.get(), w << 16, h << 16, 0);
    MrMedia* effectMedia = qtNewTrackMedia(effect, pm::kMrMediaEffect, 600);
    for (Rgb colour : {a, b}) {
        MrTrack* track = qtNewMovieTrack(movie.get(), w << 16, h << 16, 0);
        MrMedia* media = qtNewTrackMedia(track, pm::kMrMediaVideo, 600);
        const auto jpeg = solidJpeg(w, h, colour);
        qtBeginMediaEdits(media);
        EXPECT_EQ(qtAddMediaSample(media, jpeg.data(), uint32_t(jpeg.size()), ms * 600 / 1000, nullptr, 0, 1, nullptr), 0);
        qtEndMediaEdits(media);
        EXPECT_EQ(qtInsertMediaIntoTrack(track, 0, 0, ms * 600 / 1000, 0x10000), 0);
    }
    MrAtomContainer* description = qtNewAtomContainer();
    const uint8_t type[4] = {'d', 's', 'l', 'v'};
    EXPECT_EQ(qtInsertChild(description, 0, pm::kEffectTypeAtom, 1, 0, 4, type, nullptr), 0);
    MrHandle* bytes = nullptr;
    EXPECT_EQ(qtAtomContainerBytes(description, &bytes), 0);
    qtBeginMediaEdits(effectMedia);
    EXPECT_EQ(qtAddMediaSample(effectMedia, qtHandleData(bytes), qtHandleSize(bytes), ms * 600 / 1000, nullptr, 0, 1,
                               nullptr),
              0);
    qtEndMediaEdits(effectMedia);
    EXPECT_EQ(qtInsertMediaIntoTrack(effect, 0, 0, ms * 600 / 1000, 0x10000), 0);
    qtDisposeHandle(bytes);
    qtDisposeAtomContainer(description);
    MrAtomContainer* inputs = qtNewAtomContainer();
    EXPECT_NE(qtEffectAddSource(inputs, 2), 0);
    EXPECT_NE(qtEffectAddSource(inputs, 3), 0);
    EXPECT_EQ(qtSetMediaInputMap(effectMedia, inputs), 0);
    qtDisposeAtomContainer(inputs);
    return movie;
}

struct Edit {
    int32_t start, duration, mediaTime;
};

std::vector<Edit> editsOf(MrTrack* track) {
    std::vector<Edit> edits;
    for (int32_t i = 1; i <= qtGetTrackEditCount(track); ++i) {
        MrTrackEdit edit{};
        EXPECT_EQ(qtGetTrackEdit(track, i, &edit), 0);
        edits.push_back({edit.trackStart, edit.duration, edit.mediaTime});
    }
    return edits;
}

Rgb pixelOf(MrMovie* movie, MrTime time, int x, int y) {
    MrRect box{};
    qtGetMovieBox(movie, &box);
    MrWorld* world = nullptr;
    EXPECT_EQ(qtNewWorldOfFormat(&world, pm::kMrFormatBgra32, &box), 0);
    EXPECT_EQ(qtDrawMovieFrame(movie, time, world), 0);
    uint8_t rgba[4] = {};
    pm::readRowRgba(*qtWorldPixMap(world), y, x, 1, rgba);
    qtDisposeWorld(world);
    return Rgb{rgba[0], rgba[1], rgba[2]};
}

::testing::AssertionResult near(Rgb got, Rgb want, int tolerance = 14) {
    if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
        std::abs(got.b - want.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << got.r << "," << got.g << "," << got.b << ")";
}

class MovieExportTest : public qttest::QtRuntimeTest {
protected:
    // The writer lets its movie go while the runtime is still connected.
    void TearDown() override {
        writer.reset();
        qttest::QtRuntimeTest::TearDown();
    }
    std::string movieFile(const std::string& name, Movie movie) {
        const std::string path = file(name);
        EXPECT_EQ(qtFlattenMovieToFile(movie.get(), path.c_str()), 0);
        return path;
    }
    std::string jpegFile(const std::string& name, int w, int h, Rgb colour) {
        const std::string path = file(name);
        qttest::writeFile(path, solidJpeg(w, h, colour));
        return path;
    }
    void create() { ASSERT_EQ(writer->exportCreateTempMovie(file("show.mov"), 600, 0), 0); }
    MrTrack* lastTrack() { return qtGetMovieIndTrack(writer->movie(), qtGetMovieTrackCount(writer->movie())); }

    std::unique_ptr<MovieExport> writer = std::make_unique<MovieExport>();
};

}  // namespace

TEST(MovieExportTimes, MillisecondsBecomeExactUnits) {
    struct Case {
        int64_t ms, scale, units;
    };
    const Case cases[] = {{3000, 600, 1800}, {5000, 600, 3000}, {1, 600, 0}, {2, 600, 1}, {3000, 1000, 3000},
                          {7900, 600, 4740}, {int64_t(INT32_MAX), 600, int64_t(INT32_MAX) * 600 / 1000}};
    for (const Case& c : cases) {
        EXPECT_EQ(exportUnitsOfMs(c.ms, c.scale), c.units) << c.ms;
        if (c.ms % 10 == 0) {
            EXPECT_EQ(exportMsOfUnits(c.units, c.scale), c.ms) << c.ms;
        }
    }
}

TEST_F(MovieExportTest, PagesOfThreeSecondsFollowEachOtherWithoutGaps) {
    create();
    const std::string red = jpegFile("red.jpg", 40, 30, {220, 30, 30});
    const std::string blue = jpegFile("blue.jpg", 40, 30, {30, 30, 220});
    const QtPoint origin{0, 0};
    MrTrack* first = nullptr;
    MrTrack* second = nullptr;
    ASSERT_EQ(writer->exportInsertMediaFile(red, kExportTypeJpeg, 0, 3000, &origin, &first, nullptr), 0);
    ASSERT_EQ(writer->exportInsertMediaFile(blue, kExportTypeJpeg, 3000, 3000, &origin, &second, nullptr), 0);
    EXPECT_EQ(qtGetTrackDuration(first), 1800);
    EXPECT_EQ(qtGetTrackDuration(second), 3600);
    const auto edits = editsOf(second);
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(edits[1].start, 1800);  // the picture is stretched once over its 3000 ms
    EXPECT_EQ(edits[1].duration, 1800);
    EXPECT_TRUE(near(pixelOf(writer->movie(), 1799, 20, 15), {220, 30, 30}));
    EXPECT_TRUE(near(pixelOf(writer->movie(), 1800, 20, 15), {30, 30, 220}));
}

TEST_F(MovieExportTest, LengthsTakeTheSourceOrAtMostIt) {
    struct Case {
        int32_t lengthMs;
        int32_t units;
    };
    // A 2000 ms source.
    const Case cases[] = {{0, 1200}, {-3000, 1200}, {-1000, 600}, {1500, 900}, {5000, 3000}};
    const std::string source = movieFile("two.mov", stillMovie(16, 16, {0, 200, 0}, 2000));
    for (const Case& c : cases) {
        create();
        MrTrack* track = nullptr;
        ASSERT_EQ(writer->exportInsertMediaFile(source, kTypeMovie, 0, c.lengthMs, nullptr, &track, nullptr), 0);
        EXPECT_EQ(qtGetTrackDuration(track), c.units) << c.lengthMs;
    }
}

TEST_F(MovieExportTest, FlashLoopsItsTrackAndOtherTypesStretch) {
    const std::string source = movieFile("two.mov", stillMovie(16, 16, {0, 200, 0}, 2000));
    create();
    MrTrack* flash = nullptr;
    ASSERT_EQ(writer->exportInsertMediaFile(source, kExportTypeFlash, 0, 5000, nullptr, &flash, nullptr), 0);
    const auto pieces = editsOf(flash);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].duration, 1200);
    EXPECT_EQ(pieces[1].duration, 1200);
    EXPECT_EQ(pieces[2].duration, 600);
    EXPECT_EQ(pieces[2].mediaTime, pieces[0].mediaTime);  // every piece starts the source again
    MrTrack* picture = nullptr;
    ASSERT_EQ(writer->exportInsertMediaFile(source, kTypeMovie, 0, 5000, nullptr, &picture, nullptr), 0);
    ASSERT_EQ(qtGetTrackEditCount(picture), 1);
    MrTrackEdit stretched{};
    ASSERT_EQ(qtGetTrackEdit(picture, 1, &stretched), 0);
    EXPECT_EQ(stretched.duration, 3000);
    EXPECT_EQ(stretched.rate, 0x10000 * 2 / 5);
}

TEST_F(MovieExportTest, PlacementMovesTheTrackAndFlashIsTransparentOverWhite) {
    const std::string source = movieFile("two.mov", stillMovie(16, 16, {0, 200, 0}, 2000));
    create();
    writer->frame = MrRect{0, 0, 100, 100};
    const QtPoint at{90, 10};
    MrTrack* track = nullptr;
    ASSERT_EQ(writer->exportInsertMediaFile(source, kExportTypeFlash, 0, 1000, &at, &track, nullptr), 0);
    MrMatrix matrix{};
    qtGetTrackMatrix(track, &matrix);
    EXPECT_EQ(matrix.m[2][0], 10 << 16);
    EXPECT_EQ(matrix.m[2][1], 90 << 16);
    int32_t mode = 0;
    MrRgbColor colour{};
    ASSERT_EQ(qtGetTrackGraphicsMode(track, &mode, &colour), 0);
    EXPECT_EQ(mode, kExportFlashMode);
    EXPECT_EQ(colour.red, 0xFFFF);
    MrRect box{};
    qtGetMovieBox(writer->movie(), &box);
    EXPECT_EQ(box.bottom, 106);
    // The track leaves the frame, so the flattened movie is the frame.
    ASSERT_EQ(writer->exportFlattenMovie(), 0);
    MrMovie* read = nullptr;
    ASSERT_EQ(qtOpenMovieFile(file("show.mov").c_str(), &read), 0);
    Movie written(read);
    qtGetMovieBox(read, &box);
    EXPECT_EQ(pm::heightOf(box), 100);
}

TEST_F(MovieExportTest, AMovieCopiedForLongerThanItLastsRepeats) {
    create();
    Movie source = stillMovie(20, 10, {200, 200, 0}, 2000);
    ASSERT_EQ(writer->exportInsertMovie("", source.get(), 0, 0, 20, 10, 0, 0, 5000, 1000), 0);
    const auto edits = editsOf(lastTrack());
    ASSERT_EQ(edits.size(), 4u);  // the empty second, then 2 s, 2 s and 1 s of the movie
    EXPECT_EQ(edits[0].mediaTime, -1);
    EXPECT_EQ(edits[1].start, 600);
    EXPECT_EQ(edits[2].start, 1800);
    EXPECT_EQ(edits[3].start, 3000);
    EXPECT_EQ(edits[3].duration, 600);
    EXPECT_EQ(edits[3].mediaTime, 0);
}

TEST_F(MovieExportTest, NegativeSizesArePercentagesOfTheSourceBox) {
    struct Case {
        int16_t width, height;
        int16_t right, bottom;
    };
    const Case cases[] = {{-50, -50, 160 + 5, 120 + 7}, {-100, 240, 320 + 5, 240 + 7}, {640, -25, 640 + 5, 60 + 7}};
    for (const Case& c : cases) {
        create();
        Movie source = stillMovie(320, 240, {0, 0, 200}, 1000);
        ASSERT_EQ(writer->exportInsertMovie("", source.get(), 5, 7, c.width, c.height, 0, 0, 1000, 0), 0);
        MrRect box{};
        qtGetMovieBox(writer->movie(), &box);
        EXPECT_EQ(box.right, c.right) << c.width;
        EXPECT_EQ(box.bottom, c.bottom) << c.height;
        EXPECT_EQ(box.left, 5);
    }
}

TEST_F(MovieExportTest, LayersAreOffsetFromTheSource) {
    create();
    Movie source = stillMovie(20, 10, {200, 200, 0}, 1000);
    qtSetTrackLayer(qtGetMovieIndTrack(source.get(), 1), 3);
    ASSERT_EQ(writer->exportInsertMovie("", source.get(), 0, 0, 20, 10, -1, 0, 1000, 0), 0);
    EXPECT_EQ(qtGetTrackLayer(lastTrack()), 2);
}

TEST_F(MovieExportTest, AnEffectIsRelinkedToTheCopiesOfItsSources) {
    create();
    // A page before the effect, so that the copies are not the movie's first tracks.
    Movie page = stillMovie(32, 16, {90, 90, 90}, 1000);
    ASSERT_EQ(writer->exportInsertMovie("", page.get(), 0, 0, 32, 16, 0, 0, 1000, 0), 0);
    Movie fade = effectMovie(32, 16, {255, 0, 0}, {0, 0, 255}, 1000);
    ASSERT_EQ(writer->exportInsertEffectMovie("", fade.get(), 0, 0, 32, 16, 0, 0, 1000, 1000), 0);
    ASSERT_EQ(qtGetMovieTrackCount(writer->movie()), 4);
    EXPECT_EQ(qtGetTrackLayer(lastTrack()), 0);
    EXPECT_TRUE(near(pixelOf(writer->movie(), 600, 16, 8), {255, 0, 0}));
    EXPECT_TRUE(near(pixelOf(writer->movie(), 900, 16, 8), {128, 0, 127}, 20));
    EXPECT_TRUE(near(pixelOf(writer->movie(), 1190, 16, 8), {0, 0, 255}, 20));
}

TEST_F(MovieExportTest, AnEffectAtTheStartLiesBehindEverything) {
    create();
    Movie fade = effectMovie(32, 16, {255, 0, 0}, {0, 0, 255}, 1000);
    ASSERT_EQ(writer->exportInsertEffectMovie("", fade.get(), 0, 0, 32, 16, 0, 0, 1000, 0), 0);
    EXPECT_EQ(qtGetTrackLayer(lastTrack()), -2);
}

TEST_F(MovieExportTest, WhatIsNoMovieIsRefused) {
    create();
    const std::string text = file("notes.txt");
    qttest::writeFile(text, std::vector<uint8_t>(200, 'x'));
    const int32_t before = qtGetMovieTrackCount(writer->movie());
    EXPECT_EQ(writer->exportInsertMediaFile(text, kExportTypeJpeg, 0, 1000, nullptr, nullptr, nullptr), kExportErrNotAMovie);
    EXPECT_EQ(writer->exportInsertMovie(text, nullptr, 0, 0, 10, 10, 0, 0, 1000, 0), kExportErrNotAMovie);
    EXPECT_EQ(writer->exportInsertEffectMovie(text, nullptr, 0, 0, 10, 10, 0, 0, 1000, 0), kExportErrNotAMovie);
    EXPECT_EQ(writer->exportInsertMediaFile(file("missing.mov"), kExportTypeJpeg, 0, 1000, nullptr, nullptr, nullptr),
              pm::kMrFileNotFound);
    EXPECT_EQ(qtGetMovieTrackCount(writer->movie()), before);
}

TEST_F(MovieExportTest, SourcesWithoutDurationAreRefusedInsteadOfLoopingForever) {
    Watchdog watchdog(std::chrono::seconds(20));
    create();
    Movie empty(qtNewMovie(600));
    EXPECT_EQ(writer->exportInsertMovie("", empty.get(), 0, 0, 10, 10, 0, 0, 5000, 0), kExportErrNoDuration);
    EXPECT_EQ(writer->exportInsertEffectMovie("", empty.get(), 0, 0, 10, 10, 0, 0, 5000, 0), kExportErrNoDuration);
    // One unit of a source is the shortest that still loops.
    Movie tiny = stillMovie(8, 8, {0, 0, 0}, 1000);
    MrTrack* track = qtGetMovieIndTrack(tiny.get(), 1);
    ASSERT_EQ(qtDeleteTrackSegment(track, 1, 599), 0);
    ASSERT_EQ(writer->exportInsertMovie("", tiny.get(), 0, 0, 8, 8, 0, 0, 100, 0), 0);
    EXPECT_EQ(qtGetTrackDuration(lastTrack()), 60);
    EXPECT_EQ(qtGetTrackEditCount(lastTrack()), 60);  // sixty passes of one unit
}

TEST_F(MovieExportTest, TheFlattenedExportHasOneVideoAndOneSoundTrack) {
    create();
    const std::string red = jpegFile("red.jpg", 64, 48, {220, 30, 30});
    const std::string blue = jpegFile("blue.jpg", 64, 48, {30, 30, 220});
    const std::string hum = movieFile("hum.mov", soundMovie(6000, 1500));
    const QtPoint origin{0, 0};
    ASSERT_EQ(writer->exportInsertMediaFile(red, kExportTypeJpeg, 0, 3000, &origin, nullptr, nullptr), 0);
    ASSERT_EQ(writer->exportInsertMediaFile(blue, kExportTypeJpeg, 3000, 2000, &origin, nullptr, nullptr), 0);
    ASSERT_EQ(writer->exportInsertMediaFile(hum, kTypeMovie, 3000, 1500, nullptr, nullptr, nullptr), 0);
    ASSERT_EQ(writer->exportFlattenMovie(), 0);
    EXPECT_EQ(writer->movie(), nullptr);
    const std::string command = "ffprobe -v error -show_entries stream=codec_name,duration,nb_frames -of csv=p=0 '" +
                                file("show.mov") + "'";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    // The sound's last packet of 64 frames is filled up with silence.
    EXPECT_EQ(out, "mjpeg,5.000000,2\nadpcm_ima_qt,5.000998,1723\n");
    // Nothing but the sources and the movie is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 4);
}

TEST_F(MovieExportTest, AFailedFlattenKeepsTheUsersFile) {
    { std::ofstream(file("show.mov")) << "the user's old movie"; }
    create();
    EXPECT_NE(writer->exportFlattenMovie(), 0);  // nothing was inserted
    std::ifstream in(file("show.mov"));
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "the user's old movie");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}
