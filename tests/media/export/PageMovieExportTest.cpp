// Pages and slide shows exported as movies that standard players read back: their lengths by
// the page's sound, movie and timing, the pages one after the other, and the user's old file
// kept when an export is cancelled.
#include <gtest/gtest.h>

#include <fstream>

#include "document/pages/PagePainting.h"
#include "media/export/PageMovieExport.h"
#include "media/objects/MovieFirstFrame.h"
#include "media/swfgl/FirstFramePainter.h"
#include "platform/media/PictureImage.h"
#include "platform/media/PixelRows.h"
#include "platform/media/PngCoding.h"
#include "tools/effects/transitions/TransitionKernels.h"
#include "tests/media/export/ExportFixture.h"
#include "tests/media/swf/PlayTestMovies.h"
#include "tests/media/swfgl/ShapeBytes.h"

namespace {

using namespace exporttest;

class PageMovieExport : public ExportTest {
protected:
    // The colour the movie shows at `ms` at a point of its picture, by default its middle.
    Rgb colourAt(const std::string& host, i32 ms, i32 x = -1, i32 y = -1) {
        MrMovie* movie = nullptr;
        EXPECT_EQ(qtOpenMovieFile(host.c_str(), &movie), 0);
        MrRect box{};
        qtGetMovieBox(movie, &box);
        MrWorld* world = nullptr;
        EXPECT_EQ(qtNewWorldOfFormat(&world, plat::media::kMrFormatBgra32, &box), 0);
        EXPECT_EQ(qtDrawMovieFrame(movie, MrTime(i64(ms) * qtGetMovieTimeScale(movie) / 1000), world), 0);
        u8 rgba[4] = {};
        plat::media::readRowRgba(*qtWorldPixMap(world), y < 0 ? (box.bottom - box.top) / 2 : y,
                                 x < 0 ? (box.right - box.left) / 2 : x, 1, rgba);
        qtDisposeWorld(world);
        qtDisposeMovie(movie);
        return Rgb{rgba[0], rgba[1], rgba[2]};
    }
};

TEST_F(PageMovieExport, ThePageLastsAsLongAsItsLongestMovieOrItsSound) {
    struct Case {
        const char* name;
        i32 soundMs, movieMs;
        double seconds;
    };
    const Case cases[] = {
        {"nothing that plays", 0, 0, 5.0},
        {"a sound", 3200, 0, 3.2},
        {"a movie in whole seconds", 0, 7900, 7.0},
        {"a movie longer than its sound", 2500, 4000, 4.0},
    };
    std::filesystem::create_directories(folder_ / "my.shows");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RPageData page;
        paint(page, {200, 40, 40});
        if (c.soundMs) {
            ASSERT_NE(page.AddObject(kTypeSound, -1, sound(c.soundMs), {}), nullptr);
        }
        if (c.movieMs) {
            ASSERT_NE(page.AddObject(kTypeMovie, -1, movie(c.movieMs, {0, 0, 200}), {10, 10, 74, 58}), nullptr);
        }
        // A dotted folder and a dotted name keep their dots.
        ASSERT_EQ(exportPageMovie(page, {320, 240}, text("my.shows/story.v2"), {}), kExportOk);
        const double seconds = ffprobeSeconds(file("my.shows/story.v2.mov"));
        if (seconds < 0) GTEST_SKIP() << "ffprobe is not installed";
        EXPECT_NEAR(seconds, c.seconds, 0.02);
        // Nothing but the movie is left: no media of the export, no file beside it.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_ / "my.shows"), {}), 1);
        EXPECT_FALSE(std::filesystem::exists(folder_ / "my.mov"));
    }
}

// A movie that cannot be written is no full disc unless the disc is full.
TEST_F(PageMovieExport, APlaceThatTakesNoFileIsNoFullDisc) {
    { std::ofstream(file("plain")) << "a file, not a folder"; }
    RPageData page;
    paint(page, {200, 40, 40});
    for (const char* target : {"gone/show", "plain/show"}) {
        SCOPED_TRACE(target);
        EXPECT_EQ(exportPageMovie(page, {64, 48}, text(target), {}), kExportFailed);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

TEST_F(PageMovieExport, ASoundThatIsNoWaveFailsAndWritesNothing) {
    RPageData page;
    paint(page, {200, 40, 40});
    std::vector<u8> broken = sound(500);
    broken.resize(20);
    ASSERT_NE(page.AddObject(kTypeSound, -1, broken, {}), nullptr);
    EXPECT_EQ(exportPageMovie(page, {320, 240}, text("show"), {}), kExportNoBlock);
    EXPECT_TRUE(std::filesystem::is_empty(folder_));
}

TEST_F(PageMovieExport, ASlideShowPlaysItsPagesInTurnAfterTheirTransitions) {
    RDocument document(nullptr);
    const Rgb colours[] = {{220, 30, 30}, {30, 200, 30}, {30, 30, 220}};
    for (const Rgb& colour : colours) {
        PageSettings settings;
        settings.timingSeconds = 2;
        settings.transitionEffect = u16(TransitionKind::Fade);
        auto page = std::make_unique<RPage>(settings, std::string(), 0);
        paint(page->Data(), colour);
        ASSERT_EQ(document.AppendPage(std::move(page)), kErrNone);
    }
    u32 steps = 0;
    ASSERT_EQ(exportProjectMovie(document, {160, 120}, text("show.mov"), [&](u32, u32) { return ++steps > 0; }),
              kExportOk);
    EXPECT_GE(steps, 3u);
    const std::string host = file("show.mov");
    const double seconds = ffprobeSeconds(host);
    if (seconds >= 0) {
        EXPECT_NEAR(seconds, 6.0, 0.02);
    }
    // Each page whole once the transition into it is over, after 600 ms as Play shows it; the
    // first comes in over black.
    const Rgb black{0, 0, 0};
    const struct {
        i32 ms;
        Rgb colour;
    } seen[] = {{700, colours[0]}, {2700, colours[1]}, {4700, colours[2]}, {5900, colours[2]}};
    for (const auto& s : seen) {
        const Rgb got = colourAt(host, s.ms);
        EXPECT_NEAR(got.r, s.colour.r, 16) << s.ms;
        EXPECT_NEAR(got.g, s.colour.g, 16) << s.ms;
        EXPECT_NEAR(got.b, s.colour.b, 16) << s.ms;
    }
    // Half way through each fade, neither picture alone.
    const struct {
        i32 ms;
        Rgb from, to;
    } fading[] = {{300, black, colours[0]}, {2300, colours[0], colours[1]}};
    for (const auto& f : fading) {
        const Rgb got = colourAt(host, f.ms);
        for (const Rgb& alone : {f.from, f.to})
            EXPECT_GT(std::abs(got.r - alone.r) + std::abs(got.g - alone.g) + std::abs(got.b - alone.b), 60) << f.ms;
    }
}

// A Flash object 64 x 48 pixels, 12 frames a second: red on its left half for six frames,
// then blue on its right half for six, and again from the start; its green background lets
// the page show through.
std::vector<u8> swappingFlash() {
    using namespace swfgltest;
    const swf::Rect frame{0, 0, 1280, 960};
    const Bytes red = RectShape(1, {0, 0, 640, 960}, SolidFill({255, 0, 0, 255}));
    const Bytes blue = RectShape(2, {640, 0, 1280, 960}, SolidFill({0, 0, 255, 255}));
    Bytes tags = swftest::Concat({swftest::Background(0, 255, 0), red, blue, Place(1, 1, swf::Matrix{}, swf::Cxform{})});
    for (int i = 0; i < 6; ++i) tags = swftest::Concat({tags, swftest::ShowFrame()});
    tags = swftest::Concat({tags, swftest::Remove(1), Place(1, 2, swf::Matrix{}, swf::Cxform{})});
    for (int i = 0; i < 6; ++i) tags = swftest::Concat({tags, swftest::ShowFrame()});
    return MovieOf(frame, 12, tags);
}

// The pictures standard players decode, ten a second, as "<stem>NNN.png" (from 001); false
// without ffmpeg.
bool ffmpegPictures(const std::string& movie, const std::string& stem) {
    if (std::system("command -v ffmpeg > /dev/null 2>&1") != 0) return false;
    const std::string command =
        "ffmpeg -v error -y -i '" + movie + "' -vf fps=10 '" + stem + "%03d.png' > /dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

plat::media::PictureImage pngOf(const std::string& host) {
    std::ifstream in(host, std::ios::binary);
    const std::vector<u8> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    plat::media::PictureImage image;
    EXPECT_EQ(plat::media::decodePng(bytes.data(), bytes.size(), image), 0) << host;
    return image;
}

// Each picture of the movie shows the Flash object at the frame it has reached by then.
TEST_F(PageMovieExport, AFlashObjectAnimatesThroughTheMovie) {
    RPageData page;
    paint(page, {200, 200, 200});
    // A movie of the page's grey under the Flash object's left half: the object stays in front.
    ASSERT_NE(page.AddObject(kTypeMovie, -1, movie(2000, {200, 200, 200}), {44, 50, 64, 70}), nullptr);
    ASSERT_NE(page.AddObject(kTypeFlash, -1, swappingFlash(), {40, 40, 104, 88}), nullptr);
    ASSERT_EQ(exportPageMovie(page, {160, 120}, text("flash"), {}), kExportOk);
    const std::string host = file("flash.mov");
    const struct {
        i32 ms;
        bool red;
    } cases[] = {{0, true}, {300, true}, {650, false}, {900, false}, {1150, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ms);
        const Rgb left = colourAt(host, c.ms, 50, 60), right = colourAt(host, c.ms, 94, 60);
        EXPECT_EQ(left.r > 160 && left.g < 100, c.red);
        EXPECT_EQ(right.b > 160 && right.g < 100, !c.red);
        // The half the movie leaves uncovered shows the page.
        EXPECT_NEAR((c.red ? right : left).g, 200, 16);
        // Beside the object the page stays as it is.
        EXPECT_NEAR(colourAt(host, c.ms, 20, 20).g, 200, 16);
    }
    // Standard players see it move as well: at 0.1 s and at 0.7 s.
    if (!ffmpegPictures(host, file("seen"))) GTEST_SKIP() << "ffmpeg is not installed";
    const plat::media::PictureImage first = pngOf(file("seen002.png")), later = pngOf(file("seen008.png"));
    ASSERT_EQ(first.width, 160);
    ASSERT_EQ(later.width, 160);
    auto red = [](const u8* p) { return p[0] > 160 && p[1] < 100; };
    auto blue = [](const u8* p) { return p[2] > 160 && p[1] < 100; };
    EXPECT_TRUE(red(first.pixel(50, 60)));
    EXPECT_FALSE(blue(first.pixel(94, 60)));
    EXPECT_FALSE(red(later.pixel(50, 60)));
    EXPECT_TRUE(blue(later.pixel(94, 60)));
    EXPECT_EQ(first.pixel(20, 20)[1] / 16, later.pixel(20, 20)[1] / 16);
}

// A slide with an animation, a movie and a short sound holds 5 s, its movie coming in through
// the fade.
TEST_F(PageMovieExport, AFlashSlideHoldsFiveSecondsItsMovieFadingIn) {
    SetVectorPainter(swf::draw::PaintFirstFrame), SetMoviePainter(PaintMovieFirstFrame);
    RDocument document(nullptr);
    auto page = std::make_unique<RPage>(PageSettings{1, 1, u16(TransitionKind::Fade), 4, 0}, std::string(), 0);
    paint(page->Data(), {200, 200, 200});
    ASSERT_NE(page->Data().AddObject(kTypeFlash, -1, swappingFlash(), {40, 40, 104, 88}), nullptr);
    ASSERT_NE(page->Data().AddObject(kTypeMovie, -1, movie(1000, {0, 0, 200}), {384, 288, 416, 312}), nullptr);
    ASSERT_NE(page->Data().AddObject(kTypeSound, -1, sound(1000), {}), nullptr);
    ASSERT_EQ(document.AppendPage(std::move(page)), kErrNone);
    ASSERT_EQ(exportProjectMovie(document, {160, 120}, text("show.mov"), {}), kExportOk);
    const Rgb fading = colourAt(file("show.mov"), 300);
    EXPECT_GT(fading.b, fading.g + 40) << "the movie half faded in";
    const double seconds = ffprobeSeconds(file("show.mov"));
    EXPECT_TRUE(seconds < 0 || std::abs(seconds - 5.0) < 0.02) << seconds;
    SetVectorPainter(nullptr), SetMoviePainter(nullptr);
}

// How loud standard players hear the movie in each tenth of a second (mean of |sample|, 16
// bits); empty without ffmpeg or without sound.
std::vector<i32> loudnessByTenths(const std::string& movie) {
    std::vector<i32> tenths;
    if (std::system("command -v ffmpeg > /dev/null 2>&1") != 0) return tenths;
    const std::string command = "ffmpeg -v error -i '" + movie + "' -vn -f s16le -ac 1 -ar 8000 - 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return tenths;
    i16 samples[800];
    while (std::fread(samples, sizeof samples, 1, pipe) == 1) {
        i64 sum = 0;
        for (const i16 sample : samples) sum += std::abs(i32(sample));
        tenths.push_back(i32(sum / 800));
    }
    pclose(pipe);
    return tenths;
}

// A page with a transition has its transition's sound from its start, the page with place 0
// none; a sound longer than its page stops where the page ends.
TEST_F(PageMovieExport, TransitionsAreHeardWithTheirSounds) {
    RDocument document(nullptr);
    const struct {
        u16 effect, sound;
    } pages[] = {{u16(TransitionKind::None), 1}, {u16(TransitionKind::Fade), 2}, {u16(TransitionKind::Fade), 0},
                 {u16(TransitionKind::Fade), 3}};
    for (const auto& p : pages) {
        PageSettings settings;
        settings.timingSeconds = 1;
        settings.transitionEffect = p.effect;
        settings.transitionOption = p.sound;
        auto page = std::make_unique<RPage>(settings, std::string(), 0);
        paint(page->Data(), {90, 90, 90});
        ASSERT_EQ(document.AppendPage(std::move(page)), kErrNone);
    }
    std::vector<u16> asked;
    const TransitionSoundWave waves = [&](u16 place) {
        asked.push_back(place);
        return place == 0 ? std::vector<u8>() : sound(place == 2 ? 400 : 3000);
    };
    ASSERT_EQ(exportProjectMovie(document, {80, 60}, text("heard"), {}, waves), kExportOk);
    EXPECT_EQ(asked, (std::vector<u16>{2, 0, 3}));
    const std::vector<i32> tenths = loudnessByTenths(file("heard.mov"));
    if (tenths.empty()) GTEST_SKIP() << "ffmpeg is not installed";
    ASSERT_GE(tenths.size(), 39u);
    for (size_t i = 0; i < tenths.size(); ++i) {
        // Heard: the second page's first 0.4 s and the whole of the fourth.
        const bool heard = (i >= 10 && i < 14) || i >= 30;
        const bool edge = i == 14 || i == 29 || i == 30;
        if (edge) continue;
        EXPECT_EQ(tenths[i] > 1000, heard) << "at " << i / 10.0 << " s: " << tenths[i];
    }
}

TEST_F(PageMovieExport, ACancelledExportKeepsTheOldFile) {
    { std::ofstream(file("show.mov")) << "the old movie"; }
    RPageData page;
    paint(page, {200, 40, 40});
    EXPECT_EQ(exportPageMovie(page, {320, 240}, text("show.mov"), [](u32, u32) { return false; }), kExportCancelled);
    RDocument document(nullptr);
    auto slide = std::make_unique<RPage>(PageSettings{}, std::string(), 0);
    paint(slide->Data(), {200, 40, 40});
    ASSERT_EQ(document.AppendPage(std::move(slide)), kErrNone);
    EXPECT_EQ(exportProjectMovie(document, {320, 240}, text("show.mov"), [](u32, u32) { return false; }),
              kExportCancelled);
    EXPECT_EQ(read(file("show.mov")).size(), std::string("the old movie").size());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

// What a killed export left goes before the next export beside it; the child's own files stay.
TEST_F(PageMovieExport, AnExportClearsOnlyWhatAKilledExportLeft) {
    for (const char* name : {"user.ini", "notes.txt", "Dog.tbx", "Zoo.mov", "Zoo.mov.writing"}) std::ofstream(file(name)) << name;
    RPageData page;
    paint(page, {200, 40, 40});
    ASSERT_EQ(exportPageMovie(page, {64, 48}, text("show"), {}), kExportOk);
    for (const char* name : {"user.ini", "notes.txt", "Dog.tbx", "Zoo.mov"}) EXPECT_EQ(read(file(name)).size(), std::string(name).size()) << name;
    EXPECT_FALSE(std::filesystem::exists(file("Zoo.mov.writing")));
}

// The canvas snapshot is the poster alone, never played; an empty page makes no movie, no failure.
TEST_F(PageMovieExport, TheCanvasSnapshotIsThePosterAloneAndAnEmptyPageWritesNoFile) {
    RPageData empty;
    EXPECT_EQ(exportPageMovie(empty, {64, 48}, text("empty"), {}), kExportOk);
    EXPECT_FALSE(std::filesystem::exists(file("empty.mov")));
    RPageData page;
    paint(page, {200, 40, 40});
    std::vector<u8> blue;
    for (int i = 0; i < 64 * 48; ++i) blue.insert(blue.end(), {30, 30, 220});
    ASSERT_EQ(exportPageMovie(page, {64, 48}, text("poster"), {}, qttest::encodeWithLibjpeg(64, 48, 3, blue)), kExportOk);
    EXPECT_GT(colourAt(file("poster.mov"), 2500).r, 160) << "played, the movie shows the page, never its poster";
}

}  // namespace
