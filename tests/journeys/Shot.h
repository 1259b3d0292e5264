#pragma once
// What the program's window showed at one moment: 0xRRGGBB pixels row by row, in the window's
// own coordinates, with the questions a journey asks of a picture and a PNG copy for people.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Area {
    int32_t x = 0, y = 0, width = 0, height = 0;
    int32_t centerX() const { return x + width / 2; }
    int32_t centerY() const { return y + height / 2; }
};

class Shot {
public:
    Shot() = default;
    Shot(int32_t width, int32_t height, std::vector<uint32_t> pixels);

    bool empty() const { return pixels_.empty(); }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    Area whole() const { return {0, 0, width_, height_}; }

    // 0xRRGGBB; 0 outside the picture.
    uint32_t pixel(int32_t x, int32_t y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
        return pixels_[size_t(y) * size_t(width_) + size_t(x)];
    }
    // The pixels of an area that satisfy a test.
    int count(const Area& area, const std::function<bool(uint32_t)>& test) const;
    // The pixels of an area within `tolerance` of a colour in each of red, green and blue.
    int countColour(const Area& area, uint32_t colour, int tolerance = 0) const;
    // The pixels of an area that differ from another picture's.
    int differences(const Shot& other, const Area& area) const;

    bool savePng(const std::string& path) const;

private:
    // Calls `visit` with the index of each pixel of the area that lies in the picture.
    template <typename Visit>
    void forEachIn(const Area& area, Visit visit) const {
        const int32_t left = std::max(area.x, 0), top = std::max(area.y, 0);
        const int32_t right = std::min(area.x + area.width, width_), bottom = std::min(area.y + area.height, height_);
        for (int32_t y = top; y < bottom; ++y)
            for (int32_t x = left; x < right; ++x) visit(size_t(y) * size_t(width_) + size_t(x));
    }

    int32_t width_ = 0, height_ = 0;
    std::vector<uint32_t> pixels_;
};

// Whether two colours are within `tolerance` in each of red, green and blue.
bool nearColour(uint32_t a, uint32_t b, int tolerance);
