// A packed 8-bit picture made into a tool tile: the rows walked once against the engine read
// pixel by pixel (each read walks the rows above it again). The side is passed at run time;
// each benchmark checks that it read the picture it was given.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxPort.h"
#include "tests/engine/gfx/PackedEncoders.h"
#include "tools/base/ToolPicture.h"

namespace {

const std::vector<u16> kColours = {0x7C00, 0x03E0, 0x001F, 0x4210};

struct PackedPicture {
    explicit PackedPicture(u16 side) : indices(size_t(side) * side) {
        std::mt19937 random(5);
        for (u8& i : indices) i = u8(random() % kColours.size());
        const u16 format = 2 | kGfxFormatPacked8 | kGfxFormatColorTable;
        for (u16 word : {side, side, u16(0), format}) pushBE16(bytes, word);
        bytes.insert(bytes.end(), {0, u8(4 + 2 * kColours.size()), kGfxTableEntries555, u8(kColours.size() - 1)});
        for (u16 c : kColours) pushLE16(bytes, c);
        std::vector<u8> packed = encodePacked8(indices, side, side);
        bytes.insert(bytes.end(), packed.begin(), packed.end());
    }
    bool Matches(const std::vector<u16>& pixels) const {
        if (pixels.size() != indices.size()) return false;
        for (size_t at = 0; at < pixels.size(); ++at)
            if (pixels[at] != kColours[indices[at]]) return false;
        return true;
    }
    std::vector<u8> indices;
    std::vector<u8> bytes;
};

void BM_PackedRowsWalkedOnce(benchmark::State& state) {
    PackedPicture picture(u16(state.range(0)));
    for (auto _ : state) {
        PixelTile tile = tileFromBitmap(picture.bytes.data(), u32(picture.bytes.size()));
        if (!picture.Matches(tile.pixels)) state.SkipWithError("the tile is not the picture");
    }
}

void BM_PixelByPixelRead(benchmark::State& state) {
    PackedPicture picture(u16(state.range(0)));
    const u16 side = u16(state.range(0));
    for (auto _ : state) {
        std::vector<u16> pixels;
        pixels.reserve(picture.indices.size());
        for (u16 y = 0; y < side; ++y)
            for (u16 x = 0; x < side; ++x) {
                const i32 value = gfxGetBitmapPixel(picture.bytes.data(), u32(picture.bytes.size()), x, y);
                pixels.push_back(value < 0 ? 0 : u16(((value >> 19) & 31) << 10 | ((value >> 11) & 31) << 5 | ((value >> 3) & 31)));
            }
        if (!picture.Matches(pixels)) state.SkipWithError("the pixels are not the picture");
    }
}

BENCHMARK(BM_PackedRowsWalkedOnce)->Arg(256)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixelByPixelRead)->Arg(256)->Unit(benchmark::kMillisecond);

}  // namespace
