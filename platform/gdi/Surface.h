#pragma once
// A surface is a block of pixels in one of the DIB layouts: 1, 4 or 8 bits with a colour table,
// 16 bits RGB555 (bit 15 always clear), 24 bits (blue, green, red in memory) or 32 bits (blue,
// green, red and an unused byte kept at 0). Rows are padded
// to 4 bytes and stored top-down or bottom-up; row(y) always counts y from the top.
// A surface owns its memory, or borrows a caller's buffer that must outlive it (pixel buffers
// handed to a stretch). Pixel values are the raw stored numbers: an index, an RGB555 word or
// 0xRRGGBB. Single-threaded like every object of the drawing layer.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/Color.h"
#include "platform/gdi/Geometry.h"

namespace plat::gdi {

enum class RowOrder { TopDown, BottomUp };

class Surface {
public:
    // Pixels start at 0. Indexed surfaces without a table get black; with fewer entries than
    // 2^bits the rest are black. Null for a depth other than 1, 4, 8, 16, 24, 32 or a bad size.
    static std::unique_ptr<Surface> create(int32_t width, int32_t height, int bitsPerPixel,
                                           RowOrder order = RowOrder::BottomUp,
                                           std::vector<Rgb> colorTable = {});
    // Borrows `memory` laid out with the given stride (bytes per row, at least the padded row).
    static std::unique_ptr<Surface> wrap(uint8_t* memory, int32_t width, int32_t height, int bitsPerPixel,
                                         int32_t stride, RowOrder order, std::vector<Rgb> colorTable = {});

    static std::unique_ptr<const Surface> wrapReadOnly(const uint8_t* memory, int32_t width, int32_t height,
                                                       int bitsPerPixel, int32_t stride, RowOrder order,
                                                       std::vector<Rgb> colorTable = {});
    // An owned copy of the pixels and colour table.
    std::unique_ptr<Surface> clone() const;

    static int32_t strideFor(int32_t width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int bitsPerPixel() const { return bits_; }
    int32_t stride() const { return stride_; }
    RowOrder rowOrder() const { return order_; }
    Rect bounds() const { return {0, 0, width_, height_}; }
    bool indexed() const { return bits_ <= 8; }
    uint32_t valueMask() const;

    uint8_t* memory() { return memory_; }
    const uint8_t* memory() const { return memory_; }
    uint8_t* row(int32_t y) { return memory_ + rowOffset(y); }
    const uint8_t* row(int32_t y) const { return memory_ + rowOffset(y); }

    // Unchecked: the caller clips to bounds().
    uint32_t pixel(int32_t x, int32_t y) const;
    void setPixel(int32_t x, int32_t y, uint32_t value);
    // Fills [x0, x1) of row y with one value.
    void fillSpan(int32_t y, int32_t x0, int32_t x1, uint32_t value);

    const std::vector<Rgb>& colorTable() const { return table_; }
    void setColorTable(uint16_t first, const std::vector<Rgb>& colors);
    Rgb rgbOf(uint32_t value) const;
    // The stored value closest to a colour: nearest table entry, RGB555 word or 0xRRGGBB.
    uint32_t valueOf(Rgb color) const;
    // Same depth and colour table: values copy across without conversion.
    bool sameFormat(const Surface& other) const;

private:
    Surface(uint8_t* memory, int32_t width, int32_t height, int bits, int32_t stride, RowOrder order,
            std::vector<Rgb> table);
    size_t rowOffset(int32_t y) const {
        return size_t(order_ == RowOrder::TopDown ? y : height_ - 1 - y) * size_t(stride_);
    }

    std::vector<uint8_t> owned_;
    uint8_t* memory_;
    int32_t width_;
    int32_t height_;
    int bits_;
    int32_t stride_;
    RowOrder order_;
    std::vector<Rgb> table_;
};

}  // namespace plat::gdi
