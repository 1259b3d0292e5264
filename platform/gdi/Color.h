#pragma once
// Colour references as the drawing layer takes them: a 32-bit value whose top byte says how
// the low three bytes are read. Plain and palette-relative colours carry red in the lowest
// byte; palette-index and colour-table-index colours carry a 16-bit index.
// Values the program stores or compares keep their numbers, hence the named constants.
#include <cstdint>

namespace plat::gdi {

using ColorRef = uint32_t;

constexpr ColorRef kColorInvalid = 0xFFFFFFFF;
constexpr uint32_t kColorKindPlain = 0x00;
constexpr uint32_t kColorKindPaletteIndex = 0x01;
constexpr uint32_t kColorKindPaletteRgb = 0x02;
// Index into the colour table of the surface itself (only meaningful on 1-, 4- and 8-bit surfaces).
constexpr uint32_t kColorKindTableIndex = 0x10;
constexpr uint32_t kColorTableIndexMark = 0x10FF0000;

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr ColorRef rgbColor(uint8_t r, uint8_t g, uint8_t b) {
    return ColorRef(r) | (ColorRef(g) << 8) | (ColorRef(b) << 16);
}
constexpr ColorRef rgbColor(Rgb c) { return rgbColor(c.red, c.green, c.blue); }
constexpr ColorRef paletteRgbColor(uint8_t r, uint8_t g, uint8_t b) {
    return (kColorKindPaletteRgb << 24) | rgbColor(r, g, b);
}
constexpr ColorRef paletteIndexColor(uint16_t index) { return (kColorKindPaletteIndex << 24) | index; }
constexpr ColorRef tableIndexColor(uint16_t index) { return kColorTableIndexMark | (index & 0xFF); }

constexpr uint32_t colorKind(ColorRef c) { return c >> 24; }
constexpr uint16_t colorIndex(ColorRef c) { return uint16_t(c & 0xFFFF); }
constexpr Rgb colorRgb(ColorRef c) { return Rgb{uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)}; }

// RGB555 as 16-bit surfaces store it: bit 15 clear, red in bits 14-10.
constexpr uint16_t rgbTo555(Rgb c) {
    return uint16_t(((c.red >> 3) << 10) | ((c.green >> 3) << 5) | (c.blue >> 3));
}
constexpr Rgb rgbFrom555(uint16_t w) {
    return Rgb{uint8_t(((w >> 10) & 0x1F) << 3), uint8_t(((w >> 5) & 0x1F) << 3), uint8_t((w & 0x1F) << 3)};
}

}  // namespace plat::gdi
