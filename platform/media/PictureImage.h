#pragma once
// A decoded picture as the importers hand it on and the exporters take it: rows of red,
// green, blue and alpha bytes, top row first, no padding.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace plat::media {

// Pictures with more pixels are refused by every reader before allocating them.
constexpr uint64_t kMaxPicturePixels = uint64_t(1) << 26;

struct PictureImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgba;
    // Set by a reader whose format has no transparency: every alpha is 255 without looking.
    bool opaque = false;

    // False (nothing kept) for an empty or too large size or when memory runs out.
    bool allocate(int32_t w, int32_t h, uint8_t fill = 0);
    uint8_t* pixel(int32_t x, int32_t y) { return rgba.data() + (size_t(y) * size_t(width) + size_t(x)) * 4; }
    const uint8_t* pixel(int32_t x, int32_t y) const {
        return rgba.data() + (size_t(y) * size_t(width) + size_t(x)) * 4;
    }
};

}  // namespace plat::media
