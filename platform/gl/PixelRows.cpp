#include "platform/gl/PixelRows.h"

namespace plat::gl {

void rgbaToRgb555(const uint8_t* rgba, uint8_t* out, size_t pixels) {
    for (size_t i = 0; i < pixels; ++i, rgba += 4, out += 2) {
        const uint32_t v = ((rgba[0] >> 3) << 10) | ((rgba[1] >> 3) << 5) | (rgba[2] >> 3);
        out[0] = uint8_t(v);
        out[1] = uint8_t(v >> 8);
    }
}

void rgbaToBgr24(const uint8_t* rgba, uint8_t* out, size_t pixels) {
    for (size_t i = 0; i < pixels; ++i, rgba += 4, out += 3) {
        out[0] = rgba[2];
        out[1] = rgba[1];
        out[2] = rgba[0];
    }
}

void rgbaToBgrx32(const uint8_t* rgba, uint8_t* out, size_t pixels) {
    for (size_t i = 0; i < pixels; ++i, rgba += 4, out += 4) {
        out[0] = rgba[2];
        out[1] = rgba[1];
        out[2] = rgba[0];
        out[3] = 0;
    }
}

namespace {
uint8_t widen5(uint32_t v) { return uint8_t((v << 3) | (v >> 2)); }
}  // namespace

void rgb555ToRgba(const uint8_t* in, uint8_t* rgba, size_t pixels) {
    for (size_t i = 0; i < pixels; ++i, in += 2, rgba += 4) {
        const uint32_t v = uint32_t(in[0]) | (uint32_t(in[1]) << 8);
        rgba[0] = widen5((v >> 10) & 31);
        rgba[1] = widen5((v >> 5) & 31);
        rgba[2] = widen5(v & 31);
        rgba[3] = 255;
    }
}

void bgr24ToRgba(const uint8_t* in, uint8_t* rgba, size_t pixels) {
    for (size_t i = 0; i < pixels; ++i, in += 3, rgba += 4) {
        rgba[0] = in[2];
        rgba[1] = in[1];
        rgba[2] = in[0];
        rgba[3] = 255;
    }
}

void bgrx32ToRgba(const uint8_t* in, uint8_t* rgba, size_t pixels) {
    for (size_t i = 0; i < pixels; ++i, in += 4, rgba += 4) {
        rgba[0] = in[2];
        rgba[1] = in[1];
        rgba[2] = in[0];
        rgba[3] = 255;
    }
}

}  // namespace plat::gl
