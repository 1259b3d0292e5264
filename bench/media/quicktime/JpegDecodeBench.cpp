// Decoding an 800 x 600 JPEG: bare libjpeg-turbo into RGB rows, beside the runtime's decoder
// into an RGB555 world and a 24-bit world, and the whole client road (a JPEG picture block
// expanded into a raw 16-bit picture block). Target: the RGB555 decode within 1.3x of bare
// libjpeg-turbo.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/platform/media/BareJpeg.h"
#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "media/quicktime/ImgJpeg.h"
#include "platform/media/JpegCoding.h"
#include "platform/media/MediaWorld.h"

namespace pm = plat::media;

namespace {

constexpr int kWidth = 800, kHeight = 600;

// A photograph-like picture: smooth gradients with fine texture, coded at quality 85.
const std::vector<uint8_t>& sampleJpeg() {
    static const std::vector<uint8_t> bytes =
        benchjpeg::encode(benchjpeg::photoLikeRgb(kWidth, kHeight), kWidth, kHeight, 85);
    return bytes;
}

void BareLibjpegTurboRgb(benchmark::State& state) {
    const std::vector<uint8_t>& jpeg = sampleJpeg();
    std::vector<uint8_t> rgb(size_t(kWidth) * kHeight * 3);
    for (auto _ : state) {
        benchjpeg::decodeRgb(jpeg, rgb, kWidth, true);
        benchmark::DoNotOptimize(rgb.data());
    }
}
BENCHMARK(BareLibjpegTurboRgb)->Unit(benchmark::kMillisecond);

void RuntimeDecode(benchmark::State& state, uint32_t format) {
    const std::vector<uint8_t>& jpeg = sampleJpeg();
    const pm::MrRect bounds{0, 0, kHeight, kWidth};
    pm::MrWorld* world = nullptr;
    pm::newWorldOfFormat(&world, format, &bounds);
    for (auto _ : state) {
        if (pm::jpegDecompress(jpeg.data(), uint32_t(jpeg.size()), world->map, bounds, bounds) != 0)
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(world->map.base);
    }
    pm::disposeWorld(world);
}
BENCHMARK_CAPTURE(RuntimeDecode, Rgb555World, pm::kMrFormatL555)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RuntimeDecode, Bgr24World, pm::kMrFormatBgr24)->Unit(benchmark::kMillisecond);

// The client road: a JPEG picture block in an engine handle expanded in place.
void ExpandJpegPictureBlock(benchmark::State& state) {
    const std::vector<uint8_t>& jpeg = sampleJpeg();
    if (memInit(0, 512) != kErrNone) return state.SkipWithError("memory");
    qtSetSearchFolders({MEDIA_RUNTIME_DIR});
    QtLibrary library = qtLoadLibrary();
    if (!library) return state.SkipWithError("runtime not found");
    std::vector<uint8_t> block(24 + jpeg.size(), 0);
    writeBE16(block.data(), kWidth), writeBE16(block.data() + 2, kHeight), writeBE16(block.data() + 4, kWidth * 3);
    writeBE16(block.data() + 6, 0x0F04);
    std::memcpy(block.data() + 8, "jpeg", 4);
    writeBE32(block.data() + 16, kWidth * 3 * kHeight), writeBE32(block.data() + 20, uint32_t(jpeg.size()));
    std::memcpy(block.data() + 24, jpeg.data(), jpeg.size());
    for (auto _ : state) {
        const memHandle handle = memAllocHandle(uint32_t(block.size()));
        std::memcpy(memLockHandle(handle), block.data(), block.size());
        memUnlockHandle(handle);
        if (imgExpandPictureHandle(handle) != handle) state.SkipWithError("expand failed");
        memFreeHandle(handle);
    }
    qtFreeLibrary(std::move(library));
    memShutdown();
}
BENCHMARK(ExpandJpegPictureBlock)->Unit(benchmark::kMillisecond);

}  // namespace
