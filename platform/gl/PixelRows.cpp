#include "platform/gl/PixelRows.h"

#include <emmintrin.h>

namespace plat::gl {

namespace {

// Four RGBA pixels (one little-endian word each) as four RGB555 values in 32-bit lanes.
__m128i rgb555Lanes(__m128i p) {
    const __m128i five = _mm_set1_epi32(0x1F);
    const __m128i red = _mm_slli_epi32(_mm_and_si128(_mm_srli_epi32(p, 3), five), 10);
    const __m128i green = _mm_slli_epi32(_mm_and_si128(_mm_srli_epi32(p, 11), five), 5);
    const __m128i blue = _mm_and_si128(_mm_srli_epi32(p, 19), five);
    return _mm_or_si128(_mm_or_si128(red, green), blue);
}

uint16_t rgb555Of(const uint8_t* rgba) {
    return uint16_t(((rgba[0] >> 3) << 10) | ((rgba[1] >> 3) << 5) | (rgba[2] >> 3));
}

}  // namespace

void rgbaToRgb555(const uint8_t* rgba, uint8_t* out, size_t pixels) {
    // Eight pixels a step in vector registers, with unaligned loads and stores: right at any
    // address. The values fit 15 bits, so the signed narrowing pack keeps them whole.
    size_t i = 0;
    for (; i + 8 <= pixels; i += 8) {
        const __m128i first = rgb555Lanes(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rgba + 4 * i)));
        const __m128i second = rgb555Lanes(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rgba + 4 * i + 16)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i), _mm_packs_epi32(first, second));
    }
    for (; i < pixels; ++i) {
        const uint16_t v = rgb555Of(rgba + 4 * i);
        out[2 * i] = uint8_t(v);
        out[2 * i + 1] = uint8_t(v >> 8);
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
