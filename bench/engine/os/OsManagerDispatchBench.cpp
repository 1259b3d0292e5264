// What one forced dispatch of the OS manager costs (the work behind every tick of its 1 ms
// timer), against a plain loop over the same callbacks; and the whole road of a timer tick
// through the message queue and the get-message hook.
#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

#include "engine/os/OsManager.h"
#include "platform/clock/Clock.h"
#include "platform/ui/MessageQueue.h"

namespace {

// The framework's idle task and the scheduler's tick: two tasks in a running program.
constexpr int kTasks = 2;

int runs = 0;

void countRun(osmIntervalTask*, void*) { benchmark::DoNotOptimize(++runs); }

// Starts the OS manager with the tasks; false (and the benchmark skipped) when it cannot.
bool startTasks(benchmark::State& state) {
    bool started = osmInit(nullptr) == kErrNone;
    for (int i = 0; i < kTasks && started; i++) started = osmCreateIntervalTask(countRun, nullptr, 20) != nullptr;
    if (!started) state.SkipWithError("the OS manager or its tasks did not start");
    return started;
}

void ForcedDispatch(benchmark::State& state) {
    plat::ScopedFakeClock clock(1000);
    if (startTasks(state)) {
        runs = 0;
        for (auto _ : state) osmDispatchTasks(plat::clockMillis(), 1);
        if (runs != kTasks * state.iterations()) state.SkipWithError("a forced dispatch did not run every task");
    }
    osmShutdown();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ForcedDispatch);

void PlainCallbackLoop(benchmark::State& state) {
    std::vector<std::function<void()>> callbacks(kTasks, [] { benchmark::DoNotOptimize(++runs); });
    for (auto _ : state) {
        for (auto& callback : callbacks) callback();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(PlainCallbackLoop);

void TimerTickThroughTheQueue(benchmark::State& state) {
    plat::ScopedFakeClock clock(1000);
    if (startTasks(state)) {
        runs = 0;
        plat::Message message;
        for (auto _ : state) {
            clock.advance(osmGetTimerPeriod());
            plat::peekMessage(message, true);
        }
        if (runs == 0) state.SkipWithError("no timer tick reached the tasks");
    }
    osmShutdown();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(TimerTickThroughTheQueue);

}  // namespace
