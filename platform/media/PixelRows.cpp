#include "platform/media/PixelRows.h"

#include <bit>
#include <cstring>

namespace plat::media {

namespace {

uint8_t* rowAt(const MrPixMap& map, int32_t y) { return map.base + int64_t(y) * map.rowBytes; }

// Five bits widened to eight with the top bits repeated, so that white stays white.
uint8_t widen5(uint32_t v) { return uint8_t((v << 3) | (v >> 2)); }

uint8_t nearestIndex(const MrPixMap& map, uint8_t r, uint8_t g, uint8_t b) {
    uint32_t best = 0;
    uint32_t bestDistance = UINT32_MAX;
    for (uint32_t i = 0; i < map.colorCount; ++i) {
        const uint32_t c = map.colorTable[i];
        const int dr = int((c >> 16) & 0xFF) - r, dg = int((c >> 8) & 0xFF) - g, db = int(c & 0xFF) - b;
        const uint32_t d = uint32_t(dr * dr + dg * dg + db * db);
        if (d < bestDistance) bestDistance = d, best = i;
    }
    return uint8_t(best);
}

}  // namespace

void readRowRgba(const MrPixMap& map, int32_t y, int32_t x0, int32_t count, uint8_t* rgba) {
    const uint8_t* row = rowAt(map, y);
    for (int32_t i = 0; i < count; ++i, rgba += 4) {
        const int32_t x = x0 + i;
        switch (map.pixelFormat) {
            case kMrFormatL555: {
                uint16_t p;
                std::memcpy(&p, row + 2 * x, 2);
                rgba[0] = widen5((p >> 10) & 31), rgba[1] = widen5((p >> 5) & 31), rgba[2] = widen5(p & 31);
                rgba[3] = 255;
                break;
            }
            case kMrFormatBgr24:
                rgba[0] = row[3 * x + 2], rgba[1] = row[3 * x + 1], rgba[2] = row[3 * x], rgba[3] = 255;
                break;
            case kMrFormatRgb24:
                rgba[0] = row[3 * x], rgba[1] = row[3 * x + 1], rgba[2] = row[3 * x + 2], rgba[3] = 255;
                break;
            case kMrFormatBgra32:
                rgba[0] = row[4 * x + 2], rgba[1] = row[4 * x + 1], rgba[2] = row[4 * x], rgba[3] = row[4 * x + 3];
                break;
            default: {
                const uint32_t c = row[x] < map.colorCount ? map.colorTable[row[x]] : 0;
                rgba[0] = uint8_t(c >> 16), rgba[1] = uint8_t(c >> 8), rgba[2] = uint8_t(c), rgba[3] = 255;
                break;
            }
        }
    }
}

void writeRowRgba(MrPixMap& map, int32_t y, int32_t x0, int32_t count, const uint8_t* rgba) {
    uint8_t* row = rowAt(map, y);
    for (int32_t i = 0; i < count; ++i, rgba += 4) {
        const int32_t x = x0 + i;
        switch (map.pixelFormat) {
            case kMrFormatL555: {
                const uint16_t p = rgb555(rgba[0], rgba[1], rgba[2]);
                std::memcpy(row + 2 * x, &p, 2);
                break;
            }
            case kMrFormatBgr24: row[3 * x] = rgba[2], row[3 * x + 1] = rgba[1], row[3 * x + 2] = rgba[0]; break;
            case kMrFormatRgb24: row[3 * x] = rgba[0], row[3 * x + 1] = rgba[1], row[3 * x + 2] = rgba[2]; break;
            case kMrFormatBgra32:
                row[4 * x] = rgba[2], row[4 * x + 1] = rgba[1], row[4 * x + 2] = rgba[0], row[4 * x + 3] = rgba[3];
                break;
            default: row[x] = nearestIndex(map, rgba[0], rgba[1], rgba[2]); break;
        }
    }
}

void packRgbxTo555(const uint32_t* rgbx, int32_t count, uint16_t* out) {
    if constexpr (std::endian::native == std::endian::little) {
        for (int32_t i = 0; i < count; ++i) {
            const uint32_t p = rgbx[i];  // red in the low byte
            out[i] = uint16_t(((p & 0xF8) << 7) | ((p >> 6) & 0x3E0) | ((p >> 19) & 0x1F));
        }
    } else {
        const auto* bytes = reinterpret_cast<const uint8_t*>(rgbx);
        for (int32_t i = 0; i < count; ++i) out[i] = rgb555(bytes[4 * i], bytes[4 * i + 1], bytes[4 * i + 2]);
    }
}

void writeRowRgb(MrPixMap& map, int32_t y, int32_t x0, int32_t count, const uint8_t* rgb) {
    uint8_t* row = rowAt(map, y);
    switch (map.pixelFormat) {
        case kMrFormatL555: {
            // The decoder's hot loop: one store per pixel.
            uint8_t* out = row + 2 * x0;
            for (int32_t i = 0; i < count; ++i, rgb += 3, out += 2) {
                const uint16_t p = rgb555(rgb[0], rgb[1], rgb[2]);
                std::memcpy(out, &p, 2);
            }
            return;
        }
        case kMrFormatRgb24: std::memcpy(row + 3 * x0, rgb, size_t(count) * 3); return;
        case kMrFormatBgr24: {
            uint8_t* out = row + 3 * x0;
            for (int32_t i = 0; i < count; ++i, rgb += 3, out += 3) out[0] = rgb[2], out[1] = rgb[1], out[2] = rgb[0];
            return;
        }
        default: {
            uint8_t px[4] = {0, 0, 0, 255};
            for (int32_t i = 0; i < count; ++i, rgb += 3) {
                px[0] = rgb[0], px[1] = rgb[1], px[2] = rgb[2];
                writeRowRgba(map, y, x0 + i, 1, px);
            }
        }
    }
}

}  // namespace plat::media
