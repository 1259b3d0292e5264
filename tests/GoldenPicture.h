#pragma once
// Golden pictures: PNG files kept beside the tests that check them, so that a change to what a
// test draws shows in review as a picture. A test compares what it drew with its golden picture
// channel by channel within a tolerance; on a mismatch the picture it drew is written beside the
// test's working files for review. To accept new pictures, run the tests with
// TUMBLO_UPDATE_GOLDEN=1: every golden picture that is missing or differs is rewritten (and the
// check passes), to be committed with the change that made it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/media/PngCoding.h"

namespace golden {

// An RGB picture, row by row, three bytes a pixel.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

// Empty when the file is missing or is no PNG the reader takes.
inline RgbPicture readPng(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    plat::media::PictureImage image;
    if (bytes.empty() || plat::media::decodePng(bytes.data(), bytes.size(), image) != plat::media::kMrNoErr) return {};
    RgbPicture picture{image.width, image.height, {}};
    picture.rgb.reserve(size_t(image.width) * size_t(image.height) * 3);
    for (size_t i = 0; i + 3 < image.rgba.size(); i += 4)
        picture.rgb.insert(picture.rgb.end(), {image.rgba[i], image.rgba[i + 1], image.rgba[i + 2]});
    return picture;
}

// Writes the picture as one replacement of the file; false when it could not.
inline bool writePng(const std::string& path, const RgbPicture& picture) {
    plat::media::PictureImage image;
    if (!image.allocate(picture.width, picture.height, 255) || picture.rgb.size() * 4 != image.rgba.size() * 3)
        return false;
    for (size_t pixel = 0; pixel < picture.rgb.size() / 3; ++pixel)
        for (size_t channel = 0; channel < 3; ++channel) image.rgba[pixel * 4 + channel] = picture.rgb[pixel * 3 + channel];
    const std::vector<uint8_t> bytes = plat::media::encodePng(image);
    if (bytes.empty()) return false;
    const std::string fresh = path + ".new";
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    {
        std::ofstream out(fresh, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        out.flush();
        if (!out) return false;
    }
    std::filesystem::rename(fresh, path, error);
    return !error;
}

// Empty when the pictures have one size and no channel differs by more than `tolerance`
// levels; else what differs first by the most.
inline std::string compare(const RgbPicture& actual, const RgbPicture& expected, int tolerance) {
    if (expected.rgb.empty()) return "no golden picture";
    if (expected.width != actual.width || expected.height != actual.height || expected.rgb.size() != actual.rgb.size())
        return "golden picture of another size";
    int worst = 0;
    size_t at = 0;
    for (size_t i = 0; i < actual.rgb.size(); ++i) {
        const int difference = std::abs(int(actual.rgb[i]) - int(expected.rgb[i]));
        if (difference > worst) {
            worst = difference;
            at = i / 3;
        }
    }
    if (worst <= tolerance) return {};
    return "pixel (" + std::to_string(at % size_t(actual.width)) + ", " + std::to_string(at / size_t(actual.width)) +
           ") differs by " + std::to_string(worst);
}

// Checks `actual` against the golden picture at `path` with `compareWith` (compare above, or a
// coarser one), rewriting the golden picture instead when TUMBLO_UPDATE_GOLDEN is set.
template <typename Compare>
void expectPicture(const std::string& path, const RgbPicture& actual, Compare compareWith) {
    const std::string fault = compareWith(actual, readPng(path));
    if (fault.empty()) return;
    if (std::getenv("TUMBLO_UPDATE_GOLDEN")) {
        EXPECT_TRUE(writePng(path, actual)) << "cannot rewrite " << path;
        return;
    }
    const std::string written = ::testing::TempDir() + std::filesystem::path(path).stem().string() + ".actual.png";
    writePng(written, actual);
    ADD_FAILURE() << path << ": " << fault << "; the picture drawn is written to " << written
                  << " (TUMBLO_UPDATE_GOLDEN=1 makes it the golden one)";
}

inline void expectPicture(const std::string& path, const RgbPicture& actual, int tolerance) {
    expectPicture(path, actual, [tolerance](const RgbPicture& a, const RgbPicture& e) { return compare(a, e, tolerance); });
}

}  // namespace golden
