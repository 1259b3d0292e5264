#include "tests/journeys/Shot.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

Shot::Shot(int32_t width, int32_t height, std::vector<uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {
    if (pixels_.size() != size_t(width) * size_t(height)) *this = Shot();
}

int Shot::count(const Area& area, const std::function<bool(uint32_t)>& test) const {
    int found = 0;
    forEachIn(area, [&](size_t at) { found += test(pixels_[at]) ? 1 : 0; });
    return found;
}

int Shot::countColour(const Area& area, uint32_t colour, int tolerance) const {
    int found = 0;
    forEachIn(area, [&](size_t at) { found += nearColour(pixels_[at], colour, tolerance) ? 1 : 0; });
    return found;
}

int Shot::differences(const Shot& other, const Area& area) const {
    if (other.width_ != width_ || other.height_ != height_) return area.width * area.height;
    int differing = 0;
    forEachIn(area, [&](size_t at) { differing += pixels_[at] != other.pixels_[at] ? 1 : 0; });
    return differing;
}

bool Shot::savePng(const std::string& path) const {
    if (empty()) return false;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_byte> row(size_t(width_) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    // Kept for people to look at, many in a journey: written quickly rather than small.
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, png_uint_32(width_), png_uint_32(height_), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < height_; ++y) {
        for (int32_t x = 0; x < width_; ++x) {
            const uint32_t p = pixel(x, y);
            row[size_t(x) * 3] = png_byte(p >> 16);
            row[size_t(x) * 3 + 1] = png_byte(p >> 8);
            row[size_t(x) * 3 + 2] = png_byte(p);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool nearColour(uint32_t a, uint32_t b, int tolerance) {
    for (int shift : {16, 8, 0})
        if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > tolerance) return false;
    return true;
}
