// Handing control from one flow to another and back: engine threads as fibers on one system
// thread, against two system threads passing a turn through a condition variable.
#include <benchmark/benchmark.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/fiber/Fiber.h"

namespace {

struct FiberPair {
    std::unique_ptr<plat::Fiber> home = plat::Fiber::forCurrentThread();
    std::unique_ptr<plat::Fiber> other;
    bool stop = false;
};

void bounceBack(void* argument) {
    auto& pair = *static_cast<FiberPair*>(argument);
    while (!pair.stop) plat::fiberSwitch(*pair.other, *pair.home);
    plat::fiberExit(*pair.home);
}

void FiberRoundTrip(benchmark::State& state) {
    FiberPair pair;
    pair.other = plat::Fiber::create(0, bounceBack, &pair);
    for (auto _ : state) plat::fiberSwitch(*pair.home, *pair.other);
    pair.stop = true;
    plat::fiberSwitch(*pair.home, *pair.other);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(FiberRoundTrip);

void ConditionVariableRoundTrip(benchmark::State& state) {
    std::mutex mutex;
    std::condition_variable turnChanged;
    int turn = 0;  // 0: the benchmark thread, 1: the other thread, 2: stop
    std::thread other([&] {
        std::unique_lock lock(mutex);
        for (;;) {
            turnChanged.wait(lock, [&] { return turn != 0; });
            if (turn == 2) return;
            turn = 0;
            turnChanged.notify_all();
        }
    });
    for (auto _ : state) {
        std::unique_lock lock(mutex);
        turn = 1;
        turnChanged.notify_all();
        turnChanged.wait(lock, [&] { return turn == 0; });
    }
    {
        std::lock_guard lock(mutex);
        turn = 2;
        turnChanged.notify_all();
    }
    other.join();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ConditionVariableRoundTrip);

}  // namespace
