// The direct-memory paths of the offscreen ports against what they replace: decoding packed
// 16-bit rows into a 16-bit port (and packed 8-bit rows into an 8-bit port, by the fast path
// and by the base path) against a plain memcpy (opaque rows) and memset (empty rows) of the
// same area, and a 640 x 480 copy between two 16-bit ports by the memory path against the
// base copy through the drawing layer.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/GfxOffscreenPort.h"

namespace {

constexpr u16 kWidth = 640;
constexpr u16 kHeight = 480;

struct Engine {
    Engine() {
        memInit(0, 512);
        gfxInitPalettes();
    }
    ~Engine() {
        gfxShutdownPalettes();
        memShutdown();
    }
};

GfxOffscreenPort* makePort(u16 depth = 16) {
    auto* port = static_cast<GfxOffscreenPort*>(gfxNewOffscreenPort(kWidth, kHeight, depth, nullptr));
    gfxLockPort(port);
    gfxSetPort(port);
    return port;
}

void dispose(GfxOffscreenPort* port) {
    gfxSetPort(nullptr);
    gfxUnlockPort(port);
    gfxDisposePort(port);
}

void put16(std::vector<u8>& v, u16 w, bool bigEndian) {
    v.push_back(u8(bigEndian ? w >> 8 : w));
    v.push_back(u8(bigEndian ? w : w >> 8));
}

// A painted picture: each row of literal runs of 32 pixels separated by gaps of 8.
std::vector<u8> packedPicture() {
    std::mt19937 random(5);
    std::vector<u8> out;
    for (u16 y = 0; y < kHeight; ++y) {
        std::vector<u8> runs;
        for (u16 x = 0; x + 40 <= kWidth; x += 40) {
            put16(runs, 32, true);
            put16(runs, 8, true);
            for (int i = 0; i < 32; ++i) put16(runs, u16(random() & 0x7FFF), false);
        }
        put16(out, u16(runs.size() / 4), true);
        put16(out, 0, true);
        out.insert(out.end(), runs.begin(), runs.end());
    }
    return out;
}

void PackedRowsIntoPort(benchmark::State& state) {
    Engine engine;
    GfxOffscreenPort* port = makePort();
    std::vector<u8> picture = packedPicture();
    for (auto _ : state) {
        gfxDrawPixels(kWidth, kHeight, 0, 3 | kGfxFormatPacked16, picture.data(), u32(picture.size()), 0, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 2);
    dispose(port);
}
BENCHMARK(PackedRowsIntoPort);

// Runs of 8 equal indices and literals of 24, as a painted 8-bit picture packs.
std::vector<u8> packed8Picture() {
    std::mt19937 random(9);
    std::vector<u8> out;
    for (u16 y = 0; y < kHeight; ++y) {
        std::vector<u8> runs;
        for (u16 x = 0; x + 32 <= kWidth; x += 32) {
            runs.push_back(0x80 | 7);
            runs.push_back(u8(random()));
            runs.push_back(23);
            for (int i = 0; i < 24; ++i) runs.push_back(u8(random()));
        }
        put16(out, u16(runs.size()), true);
        out.insert(out.end(), runs.begin(), runs.end());
    }
    return out;
}

template <bool kBasePath>
void Packed8IntoPort(benchmark::State& state) {
    Engine engine;
    GfxOffscreenPort* port = makePort(8);
    std::vector<u8> picture = packed8Picture();
    Rect16 all{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        if (kBasePath) port->GfxPort::DrawPixels(all, kWidth, kHeight, 0, 2 | kGfxFormatPacked8, picture.data(), u32(picture.size()), 0, 0);
        else port->DrawPixels(all, kWidth, kHeight, 0, 2 | kGfxFormatPacked8, picture.data(), u32(picture.size()), 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight);
    dispose(port);
}
BENCHMARK(Packed8IntoPort<false>)->Name("Packed8FastPath");
BENCHMARK(Packed8IntoPort<true>)->Name("Packed8BasePath");

void MemcpyOfTheSameArea(benchmark::State& state) {
    std::vector<u8> from(size_t(kWidth) * kHeight * 2, 0x11), to(from.size());
    for (auto _ : state) {
        for (size_t y = 0; y < kHeight; ++y) std::memcpy(to.data() + y * kWidth * 2, from.data() + y * kWidth * 2, kWidth * 2);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 2);
}
BENCHMARK(MemcpyOfTheSameArea);

void MemsetOfTheSameArea(benchmark::State& state) {
    std::vector<u8> to(size_t(kWidth) * kHeight * 2);
    for (auto _ : state) {
        for (size_t y = 0; y < kHeight; ++y) std::memset(to.data() + y * kWidth * 2, 0, kWidth * 2);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 2);
}
BENCHMARK(MemsetOfTheSameArea);

template <bool kBasePath>
void Copy640x480(benchmark::State& state) {
    Engine engine;
    GfxOffscreenPort* source = makePort();
    GfxOffscreenPort* target = makePort();
    Rect16 all{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        if (kBasePath) source->GfxPort::CopyBits(target, all, all, 0, 0);
        else source->CopyBits(target, all, all, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 2);
    dispose(target);
    dispose(source);
}
BENCHMARK(Copy640x480<false>)->Name("CopyFastPath");
BENCHMARK(Copy640x480<true>)->Name("CopyBasePath");

}  // namespace
