// The direct-memory paths of the offscreen ports against what they replace: decoding packed
// 16-bit rows into a 16-bit port (and packed 8-bit rows into an 8-bit port, by the fast path
// and by the base path) against a plain memcpy (opaque rows) and memset (empty rows) of the
// same area, and a 640 x 480 copy between two 16-bit ports by the memory path against the
// base copy through the drawing layer and against one memcpy of the whole store. The memcpy
// references take their sizes at run time, as the stores do. Every benchmark checks what it
// drew: the store's rows against the picture decoded on its own, or against the source.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxRowCopy.h"
#include "engine/gfx/PackedPixels.h"
#include "engine/gfx/PackedRowWalk.h"

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

// The store's rows, top first, as one array of `bytesPerPixel`-byte places.
std::vector<u8> storeRows(GfxOffscreenPort* port, u32 bytesPerPixel) {
    GfxDibBitmap& store = port->Store();
    std::vector<u8> rows;
    store.Lock();
    for (i32 y = 0; y < kHeight; ++y) rows.insert(rows.end(), store.RowAt(y), store.RowAt(y) + kWidth * bytesPerPixel);
    store.Unlock();
    return rows;
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
    // Gaps leave the store as it was (zero): the expected picture fills them with zero too.
    std::vector<u16> expected(size_t(kWidth) * kHeight);
    gfxExpandPacked16(picture.data(), picture.size(), kWidth, kHeight, expected.data(), kWidth, true, 0, 0);
    if (std::memcmp(storeRows(port, 2).data(), expected.data(), expected.size() * 2) != 0)
        state.SkipWithError("the store differs from the decoded picture");
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
    std::vector<u8> expected(size_t(kWidth) * kHeight);
    gfxExpandPacked8(picture.data(), picture.size(), kWidth, kHeight, expected.data(), kWidth);
    if (storeRows(port, 1) != expected) state.SkipWithError("the store differs from the decoded picture");
    dispose(port);
}
BENCHMARK(Packed8IntoPort<false>)->Name("Packed8FastPath");
BENCHMARK(Packed8IntoPort<true>)->Name("Packed8BasePath");

// Reading every run header of the same pictures, one row at a time, and writing nothing: the
// floor of a walk that takes the rows in turn, since inside a row each run's place follows from
// the one before it. Rows start where their counts say, so a walk of several rows at once reads
// their headers side by side and is not held to this.
struct RunTally {
    u64 pixels = 0;
    bool row(u32) { return true; }
    void run(const GfxPackedRun& run) { pixels += run.count; }
};

template <bool kEightBit>
void WalkRunsOnly(benchmark::State& state) {
    const std::vector<u8> picture = kEightBit ? packed8Picture() : packedPicture();
    RunTally tally;
    for (auto _ : state) {
        const bool whole = kEightBit ? gfxWalkPackedRows8(picture.data(), picture.size(), kHeight, tally)
                                     : gfxWalkPackedRows16<false>(picture.data(), picture.size(), kHeight, tally);
        if (!whole) state.SkipWithError("the picture did not walk whole");
        benchmark::DoNotOptimize(tally.pixels);
    }
    const u64 perWalk = kEightBit ? u64(kWidth) * kHeight : u64(kWidth) * kHeight * 4 / 5;
    if (tally.pixels != perWalk * state.iterations()) state.SkipWithError("the walk missed runs");
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * (kEightBit ? 1 : 2));
}
BENCHMARK(WalkRunsOnly<false>)->Name("Packed16WalkRunsOnly");
BENCHMARK(WalkRunsOnly<true>)->Name("Packed8WalkRunsOnly");

// The format's own floor: the bare chain of an 8-bit row's run headers (each header's place is
// the one before it plus that run's length), with no checks, no calls and nothing written,
// one row at a time and four rows side by side. Rows start where their counts say, so the
// side-by-side walk overlaps four chains; what it gains over the one-row walk is what a walker
// of several rows at once could gain.
template <int kRowsAtOnce>
void BarePacked8HeaderChain(benchmark::State& state) {
    const std::vector<u8> picture = packed8Picture();
    std::vector<const u8*> rowStarts;
    for (size_t at = 0; at + 2 <= picture.size(); at += 2 + ((size_t(picture[at]) << 8) | picture[at + 1]))
        rowStarts.push_back(&picture[at]);
    rowStarts.push_back(picture.data() + picture.size());
    u64 headers = 0;
    for (auto _ : state) {
        u64 seen = 0;
        for (size_t y = 0; y + kRowsAtOnce < rowStarts.size(); y += kRowsAtOnce) {
            const u8* at[kRowsAtOnce];
            const u8* end[kRowsAtOnce];
            for (int r = 0; r < kRowsAtOnce; ++r) at[r] = rowStarts[y + r] + 2, end[r] = rowStarts[y + r + 1];
            if constexpr (kRowsAtOnce == 1) {
                for (; at[0] < end[0]; ++seen) at[0] += (*at[0] & 0x80) ? 2 : size_t(*at[0]) + 2;
                continue;
            }
            for (bool more = true; more;) {
                more = false;
                for (int r = 0; r < kRowsAtOnce; ++r) {
                    if (at[r] >= end[r]) continue;
                    const u8 header = *at[r];
                    at[r] += (header & 0x80) ? 2 : size_t(header) + 2;
                    ++seen;
                    more = true;
                }
            }
        }
        benchmark::DoNotOptimize(headers = seen);
    }
    if (headers != u64(kHeight) * (kWidth / 32) * 2) state.SkipWithError("the walk missed headers");
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BarePacked8HeaderChain<1>)->Name("BarePacked8HeaderChainOneRow");
BENCHMARK(BarePacked8HeaderChain<4>)->Name("BarePacked8HeaderChainFourRows");

// Writing the runs of the 8-bit picture into a store of the same size from places found
// beforehand, with the span copies the port uses; no header is chained or checked. Each run
// still loads its place and length and picks its copy by length, as a walker does, so this
// measures that loop rather than the stores alone, which take far less.
struct RunPlaces {
    std::vector<const u8*> colours;
    std::vector<u8> counts;  // the run's length less one, with the top bit set for a repeat
    std::vector<size_t> rowEnds;
    bool row(u32) {
        if (!colours.empty()) rowEnds.push_back(colours.size());
        return true;
    }
    void run(const GfxPackedRun& run) {
        colours.push_back(run.colours);
        counts.push_back(u8((run.repeat ? 0x80 : 0) | (run.count - 1)));
    }
};

void Packed8WritesOnly(benchmark::State& state) {
    const std::vector<u8> picture = packed8Picture();
    RunPlaces places;
    if (!gfxWalkPackedRows8(picture.data(), picture.size(), kHeight, places)) state.SkipWithError("the picture did not walk whole");
    places.rowEnds.push_back(places.colours.size());
    std::vector<u8> store(size_t(kWidth) * kHeight);
    for (auto _ : state) {
        size_t i = 0;
        for (u32 y = 0; y < kHeight; ++y) {
            u8* to = store.data() + size_t(y) * kWidth;
            for (; i < places.rowEnds[y]; ++i) {
                const size_t count = (places.counts[i] & 0x7F) + 1u;
                if (places.counts[i] & 0x80) gfxFillSpan(to, places.colours[i][0], count);
                else gfxCopySpan(to, places.colours[i], count);
                to += count;
            }
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight);
    std::vector<u8> expected(store.size());
    gfxExpandPacked8(picture.data(), picture.size(), kWidth, kHeight, expected.data(), kWidth);
    if (store != expected) state.SkipWithError("the store differs from the decoded picture");
}
BENCHMARK(Packed8WritesOnly);

// Row by row, as the ports' stores are written; the row size and count are arguments.
void MemcpyOfTheSameArea(benchmark::State& state) {
    const size_t rowBytes = size_t(state.range(0)), rows = size_t(state.range(1));
    std::vector<u8> from(rowBytes * rows, 0x11), to(from.size());
    for (auto _ : state) {
        for (size_t y = 0; y < rows; ++y) std::memcpy(to.data() + y * rowBytes, from.data() + y * rowBytes, rowBytes);
        benchmark::ClobberMemory();
    }
    if (to != from) state.SkipWithError("memcpy copied wrongly");
    state.SetBytesProcessed(state.iterations() * i64(rowBytes * rows));
}
BENCHMARK(MemcpyOfTheSameArea)->Args({kWidth * 2, kHeight})->Args({kWidth, kHeight});

void MemsetOfTheSameArea(benchmark::State& state) {
    const size_t rowBytes = size_t(state.range(0)), rows = size_t(state.range(1));
    std::vector<u8> to(rowBytes * rows, 1);
    for (auto _ : state) {
        for (size_t y = 0; y < rows; ++y) std::memset(to.data() + y * rowBytes, 0, rowBytes);
        benchmark::ClobberMemory();
    }
    if (std::any_of(to.begin(), to.end(), [](u8 b) { return b != 0; })) state.SkipWithError("memset left bytes");
    state.SetBytesProcessed(state.iterations() * i64(rowBytes * rows));
}
BENCHMARK(MemsetOfTheSameArea)->Args({kWidth * 2, kHeight});

// The whole area in one call, the floor of a copy between two stores.
void OneMemcpyOfTheArea(benchmark::State& state) {
    const size_t bytes = size_t(state.range(0));
    std::vector<u8> from(bytes, 0x22), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    if (to != from) state.SkipWithError("memcpy copied wrongly");
    state.SetBytesProcessed(state.iterations() * i64(bytes));
}
BENCHMARK(OneMemcpyOfTheArea)->Arg(kWidth * kHeight * 2);

template <bool kBasePath>
void Copy640x480(benchmark::State& state) {
    Engine engine;
    GfxOffscreenPort* source = makePort();
    GfxOffscreenPort* target = makePort();
    Rect16 all{0, 0, kWidth, kHeight};
    std::mt19937 random(3);
    GfxDibBitmap& store = source->Store();
    store.Lock();
    for (i32 y = 0; y < kHeight; ++y)
        for (u32 x = 0; x < kWidth * 2u; ++x) store.RowAt(y)[x] = u8(random());
    store.Unlock();
    for (auto _ : state) {
        if (kBasePath) source->GfxPort::CopyBits(target, all, all, 0, 0);
        else source->CopyBits(target, all, all, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 2);
    if (storeRows(target, 2) != storeRows(source, 2)) state.SkipWithError("the copy differs from its source");
    dispose(target);
    dispose(source);
}
BENCHMARK(Copy640x480<false>)->Name("CopyFastPath");
BENCHMARK(Copy640x480<true>)->Name("CopyBasePath");

}  // namespace
