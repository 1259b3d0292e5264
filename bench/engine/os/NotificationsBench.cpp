// Four system threads hand work to the user-interface thread: notification records posted
// on an engine lock against items pushed into a mutex-protected std::deque. Both run every
// item once on the consuming thread.
#include <benchmark/benchmark.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/os/OsLock.h"

namespace {

constexpr int kProducers = 4;
constexpr int kItemsEach = 10000;
constexpr int kItemsTotal = kProducers * kItemsEach;

int consumed = 0;  // touched by the consuming thread only

void consume(uintptr_t) { consumed++; }

template <typename Produce, typename Consume>
void runRound(Produce produce, Consume consumeAvailable) {
    consumed = 0;
    std::vector<std::thread> producers;
    for (int p = 0; p < kProducers; p++) producers.emplace_back(produce, p);
    while (consumed < kItemsTotal) consumeAvailable();
    for (auto& t : producers) t.join();
}

void NotificationRecords(benchmark::State& state) {
    osmLock lock;
    osmLockInit(&lock, 1);
    osmLockSetHomeThread([] {});  // the consumer polls: no wake needed
    std::vector<std::vector<osmNotification>> records(kProducers);
    for (auto& mine : records) {
        mine = std::vector<osmNotification>(kItemsEach);
        for (auto& r : mine) r.function = consume;
    }
    for (auto _ : state) {
        runRound([&](int p) {
            for (auto& r : records[p]) osmPostNotification(&lock, &r);
        }, [] { osmLockRunForeignPosts(); });
    }
    osmLockSetHomeThread(nullptr);
    osmLockUnregister(&lock);
    state.SetItemsProcessed(state.iterations() * kItemsTotal);
}
BENCHMARK(NotificationRecords)->UseRealTime();

struct Item {
    void (*function)(uintptr_t);
    uintptr_t argument;
};

void MutexDeque(benchmark::State& state) {
    std::mutex mutex;
    std::deque<Item> queue;
    for (auto _ : state) {
        runRound([&](int) {
            for (int i = 0; i < kItemsEach; i++) {
                std::lock_guard guard(mutex);
                queue.push_back(Item{consume, uintptr_t(i)});
            }
        }, [&] {
            std::deque<Item> taken;
            {
                std::lock_guard guard(mutex);
                taken.swap(queue);
            }
            for (const Item& item : taken) item.function(item.argument);
        });
    }
    state.SetItemsProcessed(state.iterations() * kItemsTotal);
}
BENCHMARK(MutexDeque)->UseRealTime();

}  // namespace
