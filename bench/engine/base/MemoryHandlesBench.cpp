// Engine memory handles against the plain heap: what one allocate, lock, touch, unlock and
// free cycle costs on top of malloc/free.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/base/MemoryHandles.h"

namespace {

void BM_HandleCycle(benchmark::State& state) {
    memInit(0, 512);
    const u32 size = u32(state.range(0));
    int failures = 0;
    for (auto _ : state) {
        const memHandle h = memAllocHandle(size);
        auto* p = static_cast<u8*>(memLockHandle(h));
        if (p == nullptr) {
            ++failures;
            continue;
        }
        p[0] = 1;
        benchmark::DoNotOptimize(p);
        memUnlockHandle(h);
        failures += memFreeHandle(h) != kErrNone;
    }
    memShutdown();
    if (failures != 0) state.SkipWithError("a handle cycle failed");
}

void BM_MallocCycle(benchmark::State& state) {
    const size_t size = size_t(state.range(0));
    for (auto _ : state) {
        auto* p = static_cast<u8*>(std::malloc(size));
        if (p == nullptr) {
            state.SkipWithError("malloc failed");
            break;
        }
        p[0] = 1;
        benchmark::DoNotOptimize(p);
        std::free(p);
    }
}

// Many live blocks at once, as a screen full of sprites and sounds holds them.
void BM_HandleBatch(benchmark::State& state) {
    memInit(0, 512);
    std::vector<memHandle> handles(size_t(state.range(0)));
    int failures = 0;
    for (auto _ : state) {
        for (auto& h : handles) failures += (h = memAllocHandle(64)) == 0;
        for (auto h : handles) failures += h != 0 && memFreeHandle(h) != kErrNone;
    }
    memShutdown();
    if (failures != 0) state.SkipWithError("a handle was not allocated or freed");
}

void BM_MallocBatch(benchmark::State& state) {
    std::vector<void*> blocks(size_t(state.range(0)));
    for (auto _ : state) {
        bool failed = false;
        for (auto& b : blocks) failed |= (b = std::malloc(64)) == nullptr;
        for (auto b : blocks) std::free(b);
        if (failed) {
            state.SkipWithError("malloc failed");
            break;
        }
    }
}

BENCHMARK(BM_HandleCycle)->Arg(64)->Arg(4096)->Arg(1 << 20);
BENCHMARK(BM_MallocCycle)->Arg(64)->Arg(4096)->Arg(1 << 20);
BENCHMARK(BM_HandleBatch)->Arg(1000)->Arg(10000);
BENCHMARK(BM_MallocBatch)->Arg(1000)->Arg(10000);

}  // namespace
