#include "platform/gdi/Surface.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/Palette.h"

namespace plat::gdi {

namespace {

bool validDepth(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

// Keeps every row addressable with 32-bit arithmetic on the largest stride.
constexpr int32_t kMaxDimension = 1 << 15;

}  // namespace

Surface::Surface(uint8_t* memory, int32_t width, int32_t height, int bits, int32_t stride, RowOrder order,
                 std::vector<Rgb> table)
    : memory_(memory), width_(width), height_(height), bits_(bits), stride_(stride), order_(order),
      table_(std::move(table)) {
    if (bits_ <= 8) table_.resize(size_t(1) << bits_);
    else table_.clear();
}

std::unique_ptr<Surface> Surface::create(int32_t width, int32_t height, int bitsPerPixel, RowOrder order,
                                         std::vector<Rgb> colorTable) {
    if (!validDepth(bitsPerPixel) || width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension)
        return nullptr;
    int32_t stride = strideFor(width, bitsPerPixel);
    std::unique_ptr<Surface> s(new Surface(nullptr, width, height, bitsPerPixel, stride, order, std::move(colorTable)));
    s->owned_.assign(size_t(stride) * size_t(height), 0);
    s->memory_ = s->owned_.data();
    return s;
}

std::unique_ptr<Surface> Surface::wrap(uint8_t* memory, int32_t width, int32_t height, int bitsPerPixel,
                                       int32_t stride, RowOrder order, std::vector<Rgb> colorTable) {
    if (!memory || !validDepth(bitsPerPixel) || width <= 0 || height <= 0 || width > kMaxDimension ||
        height > kMaxDimension || stride < (width * bitsPerPixel + 7) / 8)
        return nullptr;
    return std::unique_ptr<Surface>(
        new Surface(memory, width, height, bitsPerPixel, stride, order, std::move(colorTable)));
}

std::unique_ptr<const Surface> Surface::wrapReadOnly(const uint8_t* memory, int32_t width, int32_t height,
                                                    int bitsPerPixel, int32_t stride, RowOrder order,
                                                    std::vector<Rgb> colorTable) {
    // The const result keeps the borrowed memory from being written.
    return wrap(const_cast<uint8_t*>(memory), width, height, bitsPerPixel, stride, order, std::move(colorTable));
}

std::unique_ptr<Surface> Surface::clone() const {
    std::unique_ptr<Surface> s(new Surface(nullptr, width_, height_, bits_, stride_, order_, table_));
    s->owned_.assign(memory_, memory_ + size_t(stride_) * size_t(height_));
    s->memory_ = s->owned_.data();
    return s;
}

uint32_t Surface::valueMask() const {
    switch (bits_) {
    case 16: return 0x7FFF;
    case 24:
    case 32: return 0xFFFFFF;
    default: return (1u << bits_) - 1;
    }
}

uint32_t Surface::pixel(int32_t x, int32_t y) const {
    const uint8_t* r = row(y);
    switch (bits_) {
    case 1: return (r[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? (r[x >> 1] & 0x0F) : (r[x >> 1] >> 4);
    case 8: return r[x];
    case 16: return (uint32_t(r[2 * x]) | (uint32_t(r[2 * x + 1]) << 8)) & 0x7FFF;
    case 32: {
        const uint8_t* p = r + 4 * x;
        return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
    }
    default: {
        const uint8_t* p = r + 3 * x;
        return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
    }
    }
}

void Surface::setPixel(int32_t x, int32_t y, uint32_t value) {
    uint8_t* r = row(y);
    value &= valueMask();
    switch (bits_) {
    case 1: {
        uint8_t bit = uint8_t(0x80 >> (x & 7));
        r[x >> 3] = value ? (r[x >> 3] | bit) : (r[x >> 3] & ~bit);
        break;
    }
    case 4:
        r[x >> 1] = (x & 1) ? uint8_t((r[x >> 1] & 0xF0) | value) : uint8_t((r[x >> 1] & 0x0F) | (value << 4));
        break;
    case 8: r[x] = uint8_t(value); break;
    case 16:
        r[2 * x] = uint8_t(value);
        r[2 * x + 1] = uint8_t(value >> 8);
        break;
    case 32:
        // The fourth byte of a 32-bit pixel is unused and kept at 0.
        r[4 * x] = uint8_t(value);
        r[4 * x + 1] = uint8_t(value >> 8);
        r[4 * x + 2] = uint8_t(value >> 16);
        r[4 * x + 3] = 0;
        break;
    default:
        r[3 * x] = uint8_t(value);
        r[3 * x + 1] = uint8_t(value >> 8);
        r[3 * x + 2] = uint8_t(value >> 16);
        break;
    }
}

void Surface::fillSpan(int32_t y, int32_t x0, int32_t x1, uint32_t value) {
    if (x0 >= x1) return;
    uint8_t* r = row(y);
    value &= valueMask();
    if (bits_ == 8) {
        std::memset(r + x0, int(value), size_t(x1 - x0));
    } else if (bits_ == 16) {
        uint8_t word[2] = {uint8_t(value), uint8_t(value >> 8)};
        for (uint8_t* p = r + 2 * size_t(x0); p < r + 2 * size_t(x1); p += 2) std::memcpy(p, word, 2);
    } else {
        for (int32_t x = x0; x < x1; ++x) setPixel(x, y, value);
    }
}

void Surface::setColorTable(uint16_t first, const std::vector<Rgb>& colors) {
    for (size_t i = 0; i < colors.size() && first + i < table_.size(); ++i) table_[first + i] = colors[i];
}

Rgb Surface::rgbOf(uint32_t value) const {
    switch (bits_) {
    case 16: return rgbFrom555(uint16_t(value));
    case 24:
    case 32: return Rgb{uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)};
    default: return value < table_.size() ? table_[value] : Rgb{};
    }
}

uint32_t Surface::valueOf(Rgb color) const {
    switch (bits_) {
    case 16: return rgbTo555(color);
    case 24:
    case 32: return (uint32_t(color.red) << 16) | (uint32_t(color.green) << 8) | color.blue;
    default: return nearestColorIndex(table_.size(), color, [&](size_t i) { return table_[i]; });
    }
}

bool Surface::sameFormat(const Surface& other) const { return bits_ == other.bits_ && table_ == other.table_; }

}  // namespace plat::gdi
