// The demonstration movie writer: what it writes plays back with the pictures and lengths it
// was given, and each limit of a manifest is kept on both sides.
#include <gtest/gtest.h>

#include <string>

#include "contentgen/content/ArtFonts.h"
#include "contentgen/content/ArtPainter.h"
#include "contentgen/content/DemoMovieWriter.h"
#include "platform/media/movie/MovieCompositor.h"
#include "platform/media/playback/MovieSource.h"

namespace {

namespace pm = plat::media;
using nlohmann::json;

class DemoMovieWriterTest : public ::testing::Test {
protected:
    static json frame(int ms, const std::string& colour) {
        return json{{"ms", ms}, {"ops", json::array({json{{"rect", {0, 0, 640, 640}}, {"fill", colour}}})}};
    }
    static json movie(int w, int h, json frames) { return json{{"file", "t.mov"}, {"size", {w, h}}, {"frames", frames}}; }
    std::vector<u8> write(const json& manifest) const { return writeDemoMovie(manifest, painter_); }

    const ArtFonts fonts_;
    const json library_ = json::object();
    const ArtPainter painter_{fonts_, library_, [](const std::string&) { return std::string(); }};
};

TEST_F(DemoMovieWriterTest, PlaysBackItsPicturesForTheirLengthsWithItsSound) {
    json manifest = movie(48, 32, json::array({frame(400, "#ff0000"), frame(1100, "#0000ff")}));
    manifest["sound"] = json{{"synth", "chime"}, {"ms", 300}, {"freq", 880}};
    const std::vector<u8> bytes = write(manifest);
    std::shared_ptr<pm::MovieSource> source;
    ASSERT_EQ(pm::openMovieSourceFromMemory(bytes.data(), bytes.size(), &source), pm::kMrNoErr);
    EXPECT_TRUE(source->hasVideo());
    EXPECT_TRUE(source->hasSound());
    const pm::MrRect bounds = source->naturalBounds();
    EXPECT_EQ(pm::widthOf(bounds), 48);
    EXPECT_EQ(pm::heightOf(bounds), 32);
    const int64_t scale = source->timeScale();
    EXPECT_NEAR(double(source->duration()) / double(scale), 1.5, 0.05);

    pm::Frame picture;
    ASSERT_EQ(picture.reset(48, 32), pm::kMrNoErr);
    const struct {
        double seconds;
        int r, b;
    } cases[] = {{0.1, 255, 0}, {0.9, 0, 255}, {1.4, 0, 255}};
    for (const auto& c : cases) {
        ASSERT_EQ(source->drawFrame(int64_t(c.seconds * double(scale)), picture.map, picture.map.bounds), pm::kMrNoErr);
        const u8* p = picture.pixels.data() + (16 * 48 + 24) * 4;  // blue, green, red, alpha
        EXPECT_NEAR(p[2], c.r, 12) << c.seconds;
        EXPECT_NEAR(p[0], c.b, 12) << c.seconds;
    }
}

// A story: a frame keeps what the frames before it drew, but not what they only showed in passing.
TEST_F(DemoMovieWriterTest, FramesKeepWhatCameBeforeButNotWhatOnlyPassed) {
    const json half = json::array({json{{"rect", {0, 0, 16, 32}}, {"fill", "#0000ff"}}});
    const json frames = json::array({frame(100, "#ff0000"), json{{"ms", 100}, {"over", half}},
                                     json{{"ms", 100}, {"ops", json::array({json{{"rect", {16, 0, 16, 32}}, {"fill", "#00ff00"}}})}}});
    const std::vector<u8> bytes = write(movie(32, 32, frames));
    std::shared_ptr<pm::MovieSource> source;
    ASSERT_EQ(pm::openMovieSourceFromMemory(bytes.data(), bytes.size(), &source), pm::kMrNoErr);
    pm::Frame picture;
    ASSERT_EQ(picture.reset(32, 32), pm::kMrNoErr);
    const struct {
        double seconds;
        int leftRed, leftBlue, rightRed, rightGreen;
    } cases[] = {{0.15, 0, 255, 255, 0}, {0.25, 255, 0, 0, 255}};
    for (const auto& c : cases) {
        ASSERT_EQ(source->drawFrame(int64_t(c.seconds * double(source->timeScale())), picture.map, picture.map.bounds), pm::kMrNoErr);
        const u8* left = picture.pixels.data() + (16 * 32 + 6) * 4;  // blue, green, red, alpha
        const u8* right = picture.pixels.data() + (16 * 32 + 26) * 4;
        EXPECT_NEAR(left[2], c.leftRed, 16) << c.seconds;
        EXPECT_NEAR(left[0], c.leftBlue, 16) << c.seconds;
        EXPECT_NEAR(right[2], c.rightRed, 16) << c.seconds;
        EXPECT_NEAR(right[1], c.rightGreen, 16) << c.seconds;
    }
}

TEST_F(DemoMovieWriterTest, ASecondWriteGivesTheSameBytes) {
    const json manifest = movie(16, 16, json::array({frame(100, "#123456"), frame(200, "#654321")}));
    EXPECT_EQ(write(manifest), write(manifest));
}

TEST_F(DemoMovieWriterTest, LimitsHoldOnBothSides) {
    const json one = json::array({frame(100, "#00ff00")});
    json many = json::array(), tooMany = json::array();
    for (int i = 0; i < kDemoMovieMaxFrames; ++i) many.push_back(frame(10, "#00ff00"));
    tooMany = many;
    tooMany.push_back(frame(10, "#00ff00"));
    const struct {
        const char* name;
        json manifest;
        const char* refusal;  // null: written
    } cases[] = {
        {"widest", movie(kDemoMovieMaxSide, 8, one), nullptr},
        {"too wide", movie(kDemoMovieMaxSide + 1, 8, one), "size outside"},
        {"tallest", movie(8, kDemoMovieMaxSide, one), nullptr},
        {"too tall", movie(8, kDemoMovieMaxSide + 1, one), "size outside"},
        {"empty", movie(0, 8, one), "size outside"},
        {"most frames", movie(8, 8, many), nullptr},
        {"too many frames", movie(8, 8, tooMany), "frames"},
        {"no frames", movie(8, 8, json::array()), "frames"},
        {"longest frame", movie(8, 8, json::array({frame(kDemoMovieMaxFrameMs, "#000000")})), nullptr},
        {"too long a frame", movie(8, 8, json::array({frame(kDemoMovieMaxFrameMs + 1, "#000000")})), "a frame lasts"},
        {"no time", movie(8, 8, json::array({frame(0, "#000000")})), "a frame lasts"},
        {"a passing layer that is no list", movie(8, 8, json::array({json{{"ms", 10}, {"over", 5}}})), "is a list"},
    };
    for (const auto& c : cases) {
        if (!c.refusal) {
            EXPECT_FALSE(write(c.manifest).empty()) << c.name;
            continue;
        }
        try {
            write(c.manifest);
            ADD_FAILURE() << c.name << " was written";
        } catch (const ArtError& e) {
            EXPECT_NE(std::string(e.what()).find(c.refusal), std::string::npos) << c.name << ": " << e.what();
        }
    }
}

}  // namespace
