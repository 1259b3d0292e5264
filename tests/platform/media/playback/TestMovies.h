#pragma once
// Movie files for the playback tests, written by the ffmpeg command line from frames and a
// tone that the tests know: frame i is two halves of solid colours (left kColours[i % 8],
// right kColours[(i + 4) % 8]) coded as Photo-JPEG in a QuickTime movie, with an optional
// 16-bit mono sine tone. Tests fail when ffmpeg is not installed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace movietest {

struct Colour {
    uint8_t r, g, b;
};

inline constexpr Colour kColours[8] = {{220, 40, 40},  {40, 200, 60},  {50, 60, 210},   {230, 220, 50},
                                       {200, 60, 200}, {40, 200, 200}, {250, 250, 250}, {30, 30, 30}};

struct MovieSpec {
    int width = 64;
    int height = 48;
    int frames = 4;
    int fps = 10;
    int soundRate = 0;  // 0: no sound
    int toneHz = 441;
    double soundSeconds = 0.4;
};

inline Colour leftColour(int frame) { return kColours[frame % 8]; }
inline Colour rightColour(int frame) { return kColours[(frame + 4) % 8]; }

inline std::vector<uint8_t> frameRgb(const MovieSpec& spec, int frame) {
    std::vector<uint8_t> rgb(size_t(spec.width) * spec.height * 3);
    for (int y = 0; y < spec.height; ++y)
        for (int x = 0; x < spec.width; ++x) {
            const Colour c = x < spec.width / 2 ? leftColour(frame) : rightColour(frame);
            uint8_t* p = &rgb[(size_t(y) * spec.width + x) * 3];
            p[0] = c.r, p[1] = c.g, p[2] = c.b;
        }
    return rgb;
}

inline bool ffmpegPresent() { return std::system("ffmpeg -version > /dev/null 2>&1") == 0; }

inline void writeBytes(const std::string& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary);
    out.write(static_cast<const char*>(data), std::streamsize(size));
}

// The movie's path, or empty when ffmpeg failed.
inline std::string makeMovie(const std::filesystem::path& folder, const std::string& name, const MovieSpec& spec) {
    const std::string frames = (folder / (name + ".rgb")).string();
    std::vector<uint8_t> all;
    for (int i = 0; i < spec.frames; ++i) {
        const auto rgb = frameRgb(spec, i);
        all.insert(all.end(), rgb.begin(), rgb.end());
    }
    writeBytes(frames, all.data(), all.size());
    const std::string movie = (folder / (name + ".mov")).string();
    std::string command = "ffmpeg -v error -y -f rawvideo -pix_fmt rgb24 -s " + std::to_string(spec.width) + "x" +
                          std::to_string(spec.height) + " -r " + std::to_string(spec.fps) + " -i '" + frames + "'";
    if (spec.soundRate) {
        const std::string tone = (folder / (name + ".pcm")).string();
        const int count = int(spec.soundSeconds * spec.soundRate);
        std::vector<int16_t> samples(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            samples[size_t(i)] = int16_t(12000 * std::sin(2 * M_PI * spec.toneHz * i / spec.soundRate));
        writeBytes(tone, samples.data(), samples.size() * 2);
        command += " -f s16le -ar " + std::to_string(spec.soundRate) + " -ac 1 -i '" + tone + "'";
    }
    command += " -c:v mjpeg -q:v 2 -pix_fmt yuvj444p";
    if (spec.soundRate) command += " -c:a pcm_s16le";
    command += " '" + movie + "' > /dev/null 2>&1";
    return std::system(command.c_str()) == 0 ? movie : std::string();
}

inline std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A folder of its own for each test, removed after it.
class MovieFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!ffmpegPresent()) GTEST_FAIL() << "ffmpeg is not installed (scripts/install-deps)";
        folder_ = std::filesystem::temp_directory_path() /
                  ("movie_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        if (!folder_.empty()) std::filesystem::remove_all(folder_);
    }
    std::string movie(const std::string& name, const MovieSpec& spec = {}) {
        const std::string path = makeMovie(folder_, name, spec);
        EXPECT_FALSE(path.empty()) << "ffmpeg could not write " << name;
        return path;
    }
    std::filesystem::path folder_;
};

}  // namespace movietest
