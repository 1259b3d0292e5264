// Coding and importing an 800 x 600 photograph-like picture, each beside its bare library in
// one run: JPEG encode of 16-bit and 32-bit worlds against libjpeg-turbo encoding RGB rows,
// JPEG and PNG import (decode, then drawing at natural size into a 16-bit world) against a
// bare libjpeg-turbo decode and a bare libpng decode. Floor: 0.8 of the bare library's time.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <png.h>

#include "platform/media/GraphicsImporter.h"
#include "platform/media/JpegCoding.h"
#include "platform/media/MediaWorld.h"
#include "platform/media/PixelRows.h"
#include "platform/media/PngCoding.h"

namespace pm = plat::media;

namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr uint32_t kNormalQuality = 0x200;  // libjpeg's 75

const std::vector<uint8_t>& sampleRgb() {
    static const std::vector<uint8_t> rgb = [] {
        std::vector<uint8_t> v(size_t(kWidth) * kHeight * 3);
        uint32_t noise = 12345;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                noise = noise * 1103515245 + 12345;
                uint8_t* p = &v[(size_t(y) * kWidth + x) * 3];
                p[0] = uint8_t(x * 255 / kWidth + (noise >> 28));
                p[1] = uint8_t(y * 255 / kHeight + ((noise >> 24) & 7));
                p[2] = uint8_t(((x ^ y) & 63) * 3);
            }
        return v;
    }();
    return rgb;
}

std::vector<uint8_t> bareEncode(const std::vector<uint8_t>& rgb, int quality) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = kWidth, cinfo.image_height = kHeight, cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&rgb[size_t(cinfo.next_scanline) * kWidth * 3]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> v(out, out + size);
    free(out);
    return v;
}

const std::vector<uint8_t>& sampleJpeg() {
    static const std::vector<uint8_t> bytes = bareEncode(sampleRgb(), 85);
    return bytes;
}

const std::vector<uint8_t>& samplePng() {
    static const std::vector<uint8_t> bytes = [] {
        pm::PictureImage picture;
        picture.allocate(kWidth, kHeight, 255);
        const std::vector<uint8_t>& rgb = sampleRgb();
        for (size_t i = 0; i < size_t(kWidth) * kHeight; ++i) std::memcpy(&picture.rgba[4 * i], &rgb[3 * i], 3);
        return pm::encodePng(picture);
    }();
    return bytes;
}

// A world holding the sample picture.
pm::MrWorld* sampleWorld(uint32_t format) {
    const pm::MrRect bounds{0, 0, kHeight, kWidth};
    pm::MrWorld* world = nullptr;
    pm::newWorldOfFormat(&world, format, &bounds);
    for (int y = 0; y < kHeight; ++y) pm::writeRowRgb(world->map, y, 0, kWidth, &sampleRgb()[size_t(y) * kWidth * 3]);
    return world;
}

void BareLibjpegTurboEncode(benchmark::State& state) {
    const std::vector<uint8_t>& rgb = sampleRgb();
    const int quality = pm::libjpegQuality(kNormalQuality);
    for (auto _ : state) benchmark::DoNotOptimize(bareEncode(rgb, quality).size());
}
BENCHMARK(BareLibjpegTurboEncode)->Unit(benchmark::kMillisecond);

void RuntimeEncode(benchmark::State& state, uint32_t format) {
    pm::MrWorld* world = sampleWorld(format);
    const pm::MrRect bounds{0, 0, kHeight, kWidth};
    std::vector<uint8_t> out;
    for (auto _ : state) {
        if (pm::jpegCompress(world->map, bounds, kNormalQuality, out) != pm::kMrNoErr) state.SkipWithError("encode failed");
        benchmark::DoNotOptimize(out.data());
    }
    pm::disposeWorld(world);
}
BENCHMARK_CAPTURE(RuntimeEncode, Rgb555World, pm::kMrFormatL555)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RuntimeEncode, Bgra32World, pm::kMrFormatBgra32)->Unit(benchmark::kMillisecond);

void BareLibjpegTurboDecode(benchmark::State& state) {
    const std::vector<uint8_t>& jpeg = sampleJpeg();
    std::vector<uint8_t> rgb(size_t(kWidth) * kHeight * 3);
    for (auto _ : state) {
        jpeg_decompress_struct cinfo;
        jpeg_error_mgr errors;
        cinfo.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, jpeg.data(), jpeg.size());
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_RGB;
        jpeg_start_decompress(&cinfo);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = &rgb[size_t(cinfo.output_scanline) * kWidth * 3];
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(rgb.data());
    }
}
BENCHMARK(BareLibjpegTurboDecode)->Unit(benchmark::kMillisecond);

void BareLibpngDecode(benchmark::State& state) {
    const std::vector<uint8_t>& png = samplePng();
    std::vector<uint8_t> rgba(size_t(kWidth) * kHeight * 4);
    for (auto _ : state) {
        png_image image;
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
        png_image_begin_read_from_memory(&image, png.data(), png.size());
        image.format = PNG_FORMAT_RGBA;
        if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(rgba.data());
    }
}
BENCHMARK(BareLibpngDecode)->Unit(benchmark::kMillisecond);

// Decoding the file's bytes and drawing the picture at its natural size, as an import does.
void ImportInto16BitWorld(benchmark::State& state, bool png) {
    const std::vector<uint8_t>& bytes = png ? samplePng() : sampleJpeg();
    const pm::MrRect bounds{0, 0, kHeight, kWidth};
    pm::MrWorld* world = nullptr;
    pm::newWorldOfFormat(&world, pm::kMrFormatL555, &bounds);
    for (auto _ : state) {
        pm::PictureImage picture;
        if (pm::decodePictureFile(bytes.data(), bytes.size(), picture) != pm::kMrNoErr) state.SkipWithError("decode failed");
        pm::drawPicture(picture, *world, bounds);
        benchmark::DoNotOptimize(world->map.base);
    }
    pm::disposeWorld(world);
}
BENCHMARK_CAPTURE(ImportInto16BitWorld, Jpeg, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ImportInto16BitWorld, Png, true)->Unit(benchmark::kMillisecond);

}  // namespace
