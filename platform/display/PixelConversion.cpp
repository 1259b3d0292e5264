#include "platform/display/PixelConversion.h"

#include <array>
#include <bit>
#include <cstring>

namespace plat {
namespace {

const std::array<uint32_t, 0x8000>& table555() {
    static const std::array<uint32_t, 0x8000> table = [] {
        std::array<uint32_t, 0x8000> t{};
        for (uint32_t w = 0; w < t.size(); ++w) t[w] = xrgbFrom555(uint16_t(w));
        return t;
    }();
    return table;
}

// The rows go four pixels to a step, read and written as whole words: a byte at a time, every
// byte would be checked on its own in the sanitizer build, which shows every frame through here.
// Words are taken apart in the machine's (little-endian) order.
static_assert(std::endian::native == std::endian::little);

void convertRow555(const uint8_t* in, int32_t count, uint32_t* out) {
    const auto& table = table555();
    int32_t x = 0;
    for (; x + 4 <= count; x += 4) {
        uint64_t words;
        std::memcpy(&words, in + 2 * x, sizeof words);
        const uint32_t four[4] = {table[words & 0x7FFF], table[(words >> 16) & 0x7FFF], table[(words >> 32) & 0x7FFF],
                                  table[(words >> 48) & 0x7FFF]};
        std::memcpy(out + x, four, sizeof four);
    }
    for (; x < count; ++x) out[x] = table[(in[2 * x] | (in[2 * x + 1] << 8)) & 0x7FFF];
}

void convertRow24(const uint8_t* in, int32_t count, uint32_t* out) {
    int32_t x = 0;
    for (; x + 4 <= count; x += 4) {
        uint32_t w[3];
        std::memcpy(w, in + 3 * x, sizeof w);
        const uint32_t four[4] = {w[0] & 0xFFFFFF, (w[0] >> 24) | ((w[1] & 0xFFFF) << 8), (w[1] >> 16) | ((w[2] & 0xFF) << 16),
                                  w[2] >> 8};
        std::memcpy(out + x, four, sizeof four);
    }
    for (; x < count; ++x) out[x] = uint32_t(in[3 * x]) | (uint32_t(in[3 * x + 1]) << 8) | (uint32_t(in[3 * x + 2]) << 16);
}

}  // namespace

void convertToXrgb(const gdi::Surface& surface, const gdi::Rect& area, uint32_t* out, int32_t outPitch) {
    int32_t count = area.width();
    for (int32_t y = area.top; y < area.bottom; ++y, out += outPitch) {
        const uint8_t* row = surface.row(y);
        switch (surface.bitsPerPixel()) {
            case 16: convertRow555(row + 2 * area.left, count, out); break;
            case 24: convertRow24(row + 3 * area.left, count, out); break;
            default:
                for (int32_t x = 0; x < count; ++x) {
                    gdi::Rgb c = surface.rgbOf(surface.pixel(area.left + x, y));
                    out[x] = (uint32_t(c.red) << 16) | (uint32_t(c.green) << 8) | c.blue;
                }
        }
    }
}

}  // namespace plat
