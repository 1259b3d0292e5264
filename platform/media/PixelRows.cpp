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

// The format is chosen once a row, so that each pixel loop is one plain pass.
void readRowRgba(const MrPixMap& map, int32_t y, int32_t x0, int32_t count, uint8_t* rgba) {
    const uint8_t* row = rowAt(map, y);
    switch (map.pixelFormat) {
        case kMrFormatL555:
            for (int32_t x = x0; x < x0 + count; ++x, rgba += 4) {
                uint16_t p;
                std::memcpy(&p, row + 2 * x, 2);
                rgba[0] = widen5((p >> 10) & 31), rgba[1] = widen5((p >> 5) & 31), rgba[2] = widen5(p & 31);
                rgba[3] = 255;
            }
            return;
        case kMrFormatBgr24:
            for (const uint8_t* p = row + 3 * x0; p < row + 3 * (x0 + count); p += 3, rgba += 4)
                rgba[0] = p[2], rgba[1] = p[1], rgba[2] = p[0], rgba[3] = 255;
            return;
        case kMrFormatRgb24:
            for (const uint8_t* p = row + 3 * x0; p < row + 3 * (x0 + count); p += 3, rgba += 4)
                rgba[0] = p[0], rgba[1] = p[1], rgba[2] = p[2], rgba[3] = 255;
            return;
        case kMrFormatBgra32:
            for (const uint8_t* p = row + 4 * x0; p < row + 4 * (x0 + count); p += 4, rgba += 4)
                rgba[0] = p[2], rgba[1] = p[1], rgba[2] = p[0], rgba[3] = p[3];
            return;
        default:
            for (const uint8_t* p = row + x0; p < row + x0 + count; ++p, rgba += 4) {
                const uint32_t c = *p < map.colorCount ? map.colorTable[*p] : 0;
                rgba[0] = uint8_t(c >> 16), rgba[1] = uint8_t(c >> 8), rgba[2] = uint8_t(c), rgba[3] = 255;
            }
            return;
    }
}

void writeRowRgba(MrPixMap& map, int32_t y, int32_t x0, int32_t count, const uint8_t* rgba) {
    uint8_t* row = rowAt(map, y);
    switch (map.pixelFormat) {
        case kMrFormatL555:
            for (uint8_t* p = row + 2 * x0; p < row + 2 * (x0 + count); p += 2, rgba += 4) {
                const uint16_t word = rgb555(rgba[0], rgba[1], rgba[2]);
                std::memcpy(p, &word, 2);
            }
            return;
        case kMrFormatBgr24:
            for (uint8_t* p = row + 3 * x0; p < row + 3 * (x0 + count); p += 3, rgba += 4)
                p[0] = rgba[2], p[1] = rgba[1], p[2] = rgba[0];
            return;
        case kMrFormatRgb24:
            for (uint8_t* p = row + 3 * x0; p < row + 3 * (x0 + count); p += 3, rgba += 4)
                p[0] = rgba[0], p[1] = rgba[1], p[2] = rgba[2];
            return;
        case kMrFormatBgra32:
            for (uint8_t* p = row + 4 * x0; p < row + 4 * (x0 + count); p += 4, rgba += 4)
                p[0] = rgba[2], p[1] = rgba[1], p[2] = rgba[0], p[3] = rgba[3];
            return;
        default:
            for (uint8_t* p = row + x0; p < row + x0 + count; ++p, rgba += 4) *p = nearestIndex(map, rgba[0], rgba[1], rgba[2]);
            return;
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

void unpack555ToRgbx(const uint8_t* words, int32_t count, uint32_t* rgbx) {
    for (int32_t i = 0; i < count; ++i) {
        uint16_t p;
        std::memcpy(&p, words + 2 * i, 2);
        const uint32_t r = (p >> 10) & 31, g = (p >> 5) & 31, b = p & 31;
        const uint32_t wide = ((r << 3) | (r >> 2)) | (((g << 3) | (g >> 2)) << 8) | (((b << 3) | (b >> 2)) << 16);
        if constexpr (std::endian::native == std::endian::little) {
            rgbx[i] = wide;
        } else {
            const uint8_t bytes[4] = {uint8_t(wide), uint8_t(wide >> 8), uint8_t(wide >> 16), 0};
            std::memcpy(&rgbx[i], bytes, 4);
        }
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
