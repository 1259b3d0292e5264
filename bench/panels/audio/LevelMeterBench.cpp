// What a filled recording buffer costs the capture callback before the level meter can show
// it: the peak of one buffer of the take (1024 bytes of 16-bit mono, about 23 ms of sound at
// 22,050 Hz) beside copying the same buffer. The meter reads the level at the next tick, so
// the callback's share of the latency is this time; the buffer's own 23 ms dominate.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "sound/record/RRecord.h"

namespace {

using namespace Ostrel;

std::vector<u8> buffer() {
    std::mt19937 random(5);
    std::vector<u8> bytes(kRecordBufferUnit);
    for (u8& b : bytes) b = u8(random());
    return bytes;
}

void BM_PeakOfABuffer(benchmark::State& state) {
    const std::vector<u8> bytes = buffer();
    for (auto _ : state) benchmark::DoNotOptimize(PeakLevel(bytes, 16));
    state.SetBytesProcessed(i64(state.iterations()) * i64(bytes.size()));
}
BENCHMARK(BM_PeakOfABuffer);

void BM_CopyOfABuffer(benchmark::State& state) {
    const std::vector<u8> bytes = buffer();
    std::vector<u8> copy(bytes.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(i64(state.iterations()) * i64(bytes.size()));
}
BENCHMARK(BM_CopyOfABuffer);

}  // namespace

BENCHMARK_MAIN();
