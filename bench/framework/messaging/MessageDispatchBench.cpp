// Posting message records and delivering them from the idle step, against the plain way of
// queueing work: a std::deque of std::function, each call capturing the same data. Each
// round posts `count` records (alternately targeted and to every listener of the sender) and
// delivers them all; the round fails unless every record reached its listener.
#include <benchmark/benchmark.h>

#include <deque>
#include <functional>

#include "framework/messaging/CListener.h"
#include "framework/messaging/RSender.h"
#include "framework/messaging/mfDispatcher.h"

namespace {

class Counter : public CListener {
public:
    u32 HandleMessage(Ostrel::RMessage* message, uintptr_t) override {
        sum += message->param1;
        ++heard;
        return 0;
    }
    uint64_t sum = 0;
    int64_t heard = 0;
};

void PostAndDispatchRecords(benchmark::State& state) {
    const int64_t count = state.range(0);
    Ostrel::RSender sender(fourCC("TIMR"));
    Counter listener;
    sender.AddListener(&listener);
    mfDispatcher dispatcher;
    for (auto _ : state) {
        listener.heard = 0;
        for (int64_t i = 0; i < count; ++i) {
            if (i & 1) {
                sender.PostMessageTo(&listener, 7, uintptr_t(i), 1);
            } else {
                sender.PostMessage(7, uintptr_t(i), 1);
            }
        }
        const size_t delivered = dispatcher.DispatchQueuedMessages();
        if (delivered != size_t(count) || listener.heard != count) state.SkipWithError("records were lost");
    }
    benchmark::DoNotOptimize(listener.sum);
    state.SetItemsProcessed(state.iterations() * count);
}

void PostAndRunFunctions(benchmark::State& state) {
    const int64_t count = state.range(0);
    Counter listener;
    std::deque<std::function<void()>> queue;
    for (auto _ : state) {
        listener.heard = 0;
        for (int64_t i = 0; i < count; ++i) {
            Ostrel::RMessage message(7, uintptr_t(i), 1);
            queue.emplace_back([&listener, message]() mutable { listener.HandleMessage(&message, 0); });
        }
        int64_t ran = 0;
        while (!queue.empty()) {
            std::function<void()> work = std::move(queue.front());
            queue.pop_front();
            work();
            ++ran;
        }
        if (ran != count || listener.heard != count) state.SkipWithError("work was lost");
    }
    benchmark::DoNotOptimize(listener.sum);
    state.SetItemsProcessed(state.iterations() * count);
}

}  // namespace

BENCHMARK(PostAndDispatchRecords)->Arg(100000);
BENCHMARK(PostAndRunFunctions)->Arg(100000);
