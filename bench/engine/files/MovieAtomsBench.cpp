// Relocating the chunk offsets of a movie with two tracks of n chunks each, against copying
// the same bytes with memcpy: the walk and its bounds checks should cost no more than a pass
// over the table. Each run checks that every offset moved.
#include <benchmark/benchmark.h>

#include <cstring>

#include "engine/files/MovieAtoms.h"
#include "tests/engine/files/MovieBytes.h"

namespace {

using namespace testmovie;

Bytes movieOf(u32 chunks) {
    std::vector<u32> offsets(chunks);
    for (u32 i = 0; i < chunks; ++i) offsets[i] = i * 512;
    return movie({track(chunkOffsets("stco", chunks, offsets)), track(chunkOffsets("stco", chunks, offsets))});
}

void BM_RelocateChunkOffsets(benchmark::State& state) {
    Bytes bytes = movieOf(u32(state.range(0)));
    // The second track's table ends the movie; its first offset starts at 0.
    const size_t firstEntry = bytes.size() - 4 * size_t(state.range(0));
    u32 moved = 0;
    for (auto _ : state) {
        if (RelocateMovieChunkOffsets(bytes, 1) != 0) {
            state.SkipWithError("the movie was refused");
            return;
        }
        ++moved;
        benchmark::DoNotOptimize(bytes.data());
    }
    if (readBE32(bytes.data() + firstEntry) != moved) state.SkipWithError("the offsets did not move");
    state.SetBytesProcessed(i64(state.iterations()) * i64(bytes.size()));
}

void BM_MemcpySameBytes(benchmark::State& state) {
    const Bytes bytes = movieOf(u32(state.range(0)));
    Bytes copy(bytes.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
    }
    if (copy != bytes) state.SkipWithError("the copy differs");
    state.SetBytesProcessed(i64(state.iterations()) * i64(bytes.size()));
}

BENCHMARK(BM_RelocateChunkOffsets)->Arg(1 << 10)->Arg(1 << 16);
BENCHMARK(BM_MemcpySameBytes)->Arg(1 << 10)->Arg(1 << 16);

}  // namespace

BENCHMARK_MAIN();
