#pragma once
// A decoded picture as the importers hand it on and the exporters take it: rows of red,
// green, blue and alpha bytes, top row first, no padding.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace plat::media {

// Grows a vector without clearing the new items: a decoder that writes every pixel would
// otherwise pay for a pass over the whole picture first.
template <class T>
struct UnclearedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UnclearedAllocator<U>;
    };
    UnclearedAllocator() = default;
    template <class U>
    UnclearedAllocator(const UnclearedAllocator<U>&) noexcept {}
    template <class U>
    void construct(U* at) noexcept {
        ::new (static_cast<void*>(at)) U;
    }
    template <class U, class... Args>
    void construct(U* at, Args&&... args) {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
};

// A picture's bytes: resize leaves new bytes unset, assign and allocate fill them.
using PixelBytes = std::vector<uint8_t, UnclearedAllocator<uint8_t>>;

// Pictures with more pixels are refused by every reader before allocating them.
constexpr uint64_t kMaxPicturePixels = uint64_t(1) << 26;

struct PictureImage {
    int32_t width = 0;
    int32_t height = 0;
    PixelBytes rgba;
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
