#include "platform/display/PixelConversion.h"

#include <array>

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

void convertRow555(const uint8_t* in, int32_t count, uint32_t* out) {
    const auto& table = table555();
    for (int32_t x = 0; x < count; ++x) out[x] = table[(in[2 * x] | (in[2 * x + 1] << 8)) & 0x7FFF];
}

void convertRow24(const uint8_t* in, int32_t count, uint32_t* out) {
    for (int32_t x = 0; x < count; ++x) out[x] = uint32_t(in[3 * x]) | (uint32_t(in[3 * x + 1]) << 8) | (uint32_t(in[3 * x + 2]) << 16);
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
