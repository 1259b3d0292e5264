// Pages and slide shows exported as movies that standard players read back: their lengths by
// the page's sound, movie and timing, the pages one after the other, and the user's old file
// kept when an export is cancelled.
#include <gtest/gtest.h>

#include "media/export/PageMovieExport.h"
#include "platform/media/PixelRows.h"
#include "tools/effects/transitions/TransitionKernels.h"
#include "tests/media/export/ExportFixture.h"

namespace {

using namespace exporttest;

class PageMovieExport : public ExportTest {
protected:
    // The colour the movie shows at `ms` in the middle of its picture.
    Rgb colourAt(const std::string& host, i32 ms) {
        MrMovie* movie = nullptr;
        EXPECT_EQ(qtOpenMovieFile(host.c_str(), &movie), 0);
        MrRect box{};
        qtGetMovieBox(movie, &box);
        MrWorld* world = nullptr;
        EXPECT_EQ(qtNewWorldOfFormat(&world, plat::media::kMrFormatBgra32, &box), 0);
        EXPECT_EQ(qtDrawMovieFrame(movie, MrTime(i64(ms) * qtGetMovieTimeScale(movie) / 1000), world), 0);
        u8 rgba[4] = {};
        plat::media::readRowRgba(*qtWorldPixMap(world), (box.bottom - box.top) / 2, (box.right - box.left) / 2, 1, rgba);
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
    // Each page after the transition into it; the transition is under way at its start.
    const struct {
        i32 ms;
        Rgb colour;
    } seen[] = {{1500, colours[0]}, {3500, colours[1]}, {5500, colours[2]}};
    for (const auto& s : seen) {
        const Rgb got = colourAt(host, s.ms);
        EXPECT_NEAR(got.r, s.colour.r, 16) << s.ms;
        EXPECT_NEAR(got.g, s.colour.g, 16) << s.ms;
        EXPECT_NEAR(got.b, s.colour.b, 16) << s.ms;
    }
    // Half way through the fade into the second page, neither page alone.
    const Rgb between = colourAt(host, 2500);
    EXPECT_GT(std::abs(between.r - 220) + std::abs(between.g - 30), 60);
    EXPECT_GT(std::abs(between.r - 30) + std::abs(between.g - 200), 60);
}

TEST_F(PageMovieExport, ACancelledExportKeepsTheOldFile) {
    { std::ofstream(file("show.mov")) << "the old movie"; }
    RPageData page;
    paint(page, {200, 40, 40});
    EXPECT_EQ(exportPageMovie(page, {320, 240}, text("show.mov"), [](u32, u32) { return false; }), kExportCancelled);
    EXPECT_EQ(read(file("show.mov")).size(), std::string("the old movie").size());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

}  // namespace
