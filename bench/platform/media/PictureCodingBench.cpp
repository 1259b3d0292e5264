// Coding and importing an 800 x 600 photograph-like picture, each beside its bare library in
// one run: JPEG encode of 16-bit and 32-bit worlds against libjpeg-turbo encoding RGB rows,
// JPEG and PNG import (decode, then drawing at natural size into a 16-bit world) against a
// bare libjpeg-turbo decode and a bare libpng decode. Floor: 0.8 of the bare library's time.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include <png.h>

#include "bench/platform/media/BareJpeg.h"
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
    static const std::vector<uint8_t> rgb = benchjpeg::photoLikeRgb(kWidth, kHeight);
    return rgb;
}

const std::vector<uint8_t>& sampleJpeg() {
    static const std::vector<uint8_t> bytes = benchjpeg::encode(sampleRgb(), kWidth, kHeight, 85);
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
    for (auto _ : state) benchmark::DoNotOptimize(benchjpeg::encode(rgb, kWidth, kHeight, quality).size());
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
        benchjpeg::decodeRgb(jpeg, rgb, kWidth, false);
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
