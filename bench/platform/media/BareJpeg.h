#pragma once
// The reference side of the JPEG benchmarks: a photograph-like RGB picture, and libjpeg-turbo
// encoding and decoding it bare, so that each benchmark measures against the same work.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace benchjpeg {

// Smooth gradients with fine texture, three bytes a pixel.
inline std::vector<uint8_t> photoLikeRgb(int width, int height) {
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    uint32_t noise = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245 + 12345;
            uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
            p[0] = uint8_t(x * 255 / width + (noise >> 28));
            p[1] = uint8_t(y * 255 / height + ((noise >> 24) & 7));
            p[2] = uint8_t(((x ^ y) & 63) * 3);
        }
    return rgb;
}

inline std::vector<uint8_t> encode(const std::vector<uint8_t>& rgb, int width, int height, int quality) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(width), cinfo.image_height = JDIMENSION(height), cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&rgb[size_t(cinfo.next_scanline) * width * 3]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> bytes(out, out + size);
    free(out);
    return bytes;
}

// Decodes into `rgb` (width x height x 3 bytes) with libjpeg-turbo's default or its exact
// integer transform.
inline void decodeRgb(const std::vector<uint8_t>& jpeg, std::vector<uint8_t>& rgb, int width, bool exact) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg.data(), jpeg.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    if (exact) cinfo.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = &rgb[size_t(cinfo.output_scanline) * width * 3];
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
}

}  // namespace benchjpeg
