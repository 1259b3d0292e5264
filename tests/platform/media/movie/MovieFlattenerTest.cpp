#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "MovieFixtures.h"
#include "platform/media/movie/MovieFlattener.h"
#include "platform/media/playback/MovieSource.h"

namespace pm = plat::media;
using namespace edittest;

namespace {

class MovieFlattener : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("flatten_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string file(const char* name) const { return (folder_ / name).string(); }
    std::filesystem::path folder_;
};

// What ffprobe says of each stream: "codec_type,codec_name,codec_tag_string,duration,nb_frames".
std::vector<std::string> probeStreams(const std::string& path) {
    const std::string command = "ffprobe -v error -show_entries "
                                "stream=codec_type,codec_name,codec_tag_string,duration,nb_frames,width,height "
                                "-of csv=p=0 '" + path + "'";
    std::vector<std::string> lines;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char line[512];
        while (std::fgets(line, sizeof line, pipe)) {
            std::string text(line);
            while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
            lines.push_back(text);
        }
        pclose(pipe);
    }
    return lines;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream stream(line);
    for (std::string field; std::getline(stream, field, ',');) out.push_back(field);
    return out;
}

pm::Frame decodeAt(const std::string& path, int64_t time) {
    std::shared_ptr<pm::MovieSource> source;
    pm::Frame frame;
    EXPECT_EQ(pm::openMovieSource(path, 0, 0, &source), pm::kMrNoErr);
    if (!source) return frame;
    const pm::MrRect box = source->naturalBounds();
    EXPECT_EQ(frame.reset(pm::widthOf(box), pm::heightOf(box)), pm::kMrNoErr);
    EXPECT_EQ(source->drawFrame(time * source->timeScale() / 600, frame.map, box), pm::kMrNoErr);
    return frame;
}

// Two pages of stills with a wipe between them and a sound under the second.
void twoPages(pm::MrMovie& movie) {
    stillTrack(movie, 64, 48, {220, 30, 30}, 0, 1800);   // page 1: 3 s red
    stillTrack(movie, 64, 48, {30, 30, 220}, 1800, 1800); // page 2: 3 s blue
    stillTrack(movie, 16, 16, {30, 220, 30}, 1800, 1800, 8, 8)->layer = -1;  // a green sticker on page 2
}

}  // namespace

TEST_F(MovieFlattener, StillPagesBecomeOneSampleEachWithTheirDurations) {
    pm::MrMovie movie;
    twoPages(movie);
    levelTrack(movie, 8000, 22050 * 3, 1800);
    const std::string path = file("pages.mov");
    ASSERT_EQ(pm::flattenMovie(movie, path.c_str()), pm::kMrNoErr);
    const auto streams = probeStreams(path);
    ASSERT_EQ(streams.size(), 2u);
    const auto video = fields(streams[0]);
    ASSERT_GE(video.size(), 7u) << streams[0];
    EXPECT_EQ(video[0], "mjpeg");
    EXPECT_EQ(video[1], "video");
    EXPECT_EQ(video[2], "jpeg");
    EXPECT_EQ(video[3], "64");
    EXPECT_EQ(video[4], "48");
    EXPECT_NEAR(std::stod(video[5]), 6.0, 0.01);
    EXPECT_EQ(video[6], "2");  // one sample per page
    const auto sound = fields(streams[1]);
    ASSERT_GE(sound.size(), 5u) << streams[1];
    EXPECT_EQ(sound[0], "adpcm_ima_qt");
    EXPECT_EQ(sound[1], "audio");
    EXPECT_EQ(sound[2], "ima4");
    EXPECT_NEAR(std::stod(sound[3]), 6.0, 0.01);
    // The sound is silent on page 1 and holds its level under page 2, on both channels.
    std::shared_ptr<pm::MovieSource> source;
    ASSERT_EQ(pm::openMovieSource(path, 0, 0, &source), pm::kMrNoErr);
    for (const auto& [seconds, level] : std::map<int, int>{{1, 0}, {4, 8000}}) {
        int16_t frames[2 * 64] = {};
        ASSERT_EQ(source->readSound(int64_t(seconds) * source->timeScale(), 22050, 2, frames, 64), 64u);
        EXPECT_NEAR(frames[100], level, 200) << seconds;
        EXPECT_NEAR(frames[101], level, 200) << seconds;
    }
}

TEST_F(MovieFlattener, DecodedFramesShowThePredictedComposite) {
    pm::MrMovie movie;
    twoPages(movie);
    const std::string path = file("pages.mov");
    ASSERT_EQ(pm::flattenMovie(movie, path.c_str()), pm::kMrNoErr);
    const pm::Frame first = decodeAt(path, 600);
    ASSERT_EQ(first.width, 64);
    EXPECT_TRUE(colourIs(pixel(first, 32, 24), {220, 30, 30}, 12));
    const pm::Frame second = decodeAt(path, 2400);
    EXPECT_TRUE(colourIs(pixel(second, 40, 30), {30, 30, 220}, 12));
    EXPECT_TRUE(colourIs(pixel(second, 15, 15), {30, 220, 30}, 24));  // chroma is shared by 2 x 2 pixels
}

TEST_F(MovieFlattener, AnEffectIsWrittenAsPicturesOfItsProgress) {
    pm::MrMovie movie;
    stillTrack(movie, 32, 16, {255, 0, 0}, 0, 600);
    stillTrack(movie, 32, 16, {0, 0, 255}, 0, 600);
    effectTrack(movie, 32, 16, pm::kEffectDissolve, 1, 2, 0, 600);
    const std::string path = file("effect.mov");
    ASSERT_EQ(pm::flattenMovie(movie, path.c_str()), pm::kMrNoErr);
    const auto video = fields(probeStreams(path).at(0));
    ASSERT_GE(video.size(), 7u);
    EXPECT_EQ(video[6], std::to_string(pm::kEffectFramesPerSecond));
    EXPECT_TRUE(colourIs(pixel(decodeAt(path, 0), 16, 8), {255, 0, 0}, 12));
    EXPECT_TRUE(colourIs(pixel(decodeAt(path, 560), 16, 8), {17, 0, 238}, 16));
}

TEST_F(MovieFlattener, AClipRectCutsTheFrame) {
    pm::MrMovie movie;
    stillTrack(movie, 64, 48, {220, 30, 30}, 0, 600, -10, -10);
    movie.clip = pm::MrRect{0, 0, 20, 30};
    const std::string path = file("clip.mov");
    ASSERT_EQ(pm::flattenMovie(movie, path.c_str()), pm::kMrNoErr);
    const auto video = fields(probeStreams(path).at(0));
    EXPECT_EQ(video.at(3), "30");
    EXPECT_EQ(video.at(4), "20");
}

TEST_F(MovieFlattener, AFailedWriteKeepsTheOldFileAndLeavesNothingBeside) {
    const std::string path = file("kept.mov");
    { std::ofstream(path) << "the user's old movie"; }
    pm::MrMovie empty;
    EXPECT_EQ(pm::flattenMovie(empty, path.c_str()), pm::kMrInvalidDuration);
    pm::MrMovie movie;
    twoPages(movie);
    const std::string unwritable = file("no such folder/kept.mov");
    EXPECT_EQ(pm::flattenMovie(movie, unwritable.c_str()), pm::kMrWriteErr);
    std::ifstream in(path);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "the user's old movie");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

TEST_F(MovieFlattener, ASuccessfulWriteReplacesTheOldFile) {
    const std::string path = file("replaced.mov");
    { std::ofstream(path) << "old"; }
    pm::MrMovie movie;
    twoPages(movie);
    ASSERT_EQ(pm::flattenMovie(movie, path.c_str()), pm::kMrNoErr);
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
    EXPECT_FALSE(std::filesystem::exists(pm::flattenTempPath(path)));
}
