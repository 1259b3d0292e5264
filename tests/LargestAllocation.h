#pragma once
// The largest block the process asked the heap for while a watch lives, in every thread and
// every library (the sanitizers' allocation hooks): the tests' memory limit for work that a
// damaged input must not make reserve gigabytes. Without a sanitizer nothing is watched.
#include <atomic>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || defined(TUMBLO_SANITIZER_RUNTIME)
// The sanitizers' runtime has it; GCC ships no header for it.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                                         void (*free_hook)(const volatile void*));
#define TUMBLO_ALLOCATIONS_WATCHED 1
#else
#define TUMBLO_ALLOCATIONS_WATCHED 0
#endif

class LargestAllocationWatch {
public:
    LargestAllocationWatch() {
        largest().store(0);
        watching().store(true);
#if TUMBLO_ALLOCATIONS_WATCHED
        static const bool installed = __sanitizer_install_malloc_and_free_hooks(&allocated, &released) != 0;
        (void)installed;
#endif
    }
    ~LargestAllocationWatch() { watching().store(false); }
    LargestAllocationWatch(const LargestAllocationWatch&) = delete;
    LargestAllocationWatch& operator=(const LargestAllocationWatch&) = delete;

    static bool available() { return TUMBLO_ALLOCATIONS_WATCHED != 0; }
    size_t largestBytes() const { return largest().load(); }

private:
    static std::atomic<size_t>& largest() {
        static std::atomic<size_t> bytes{0};
        return bytes;
    }
    static std::atomic<bool>& watching() {
        static std::atomic<bool> on{false};
        return on;
    }
    static void allocated(const volatile void*, size_t size) {
        if (!watching().load(std::memory_order_relaxed)) return;
        size_t seen = largest().load(std::memory_order_relaxed);
        while (size > seen && !largest().compare_exchange_weak(seen, size)) {
        }
    }
    static void released(const volatile void*) {}
};
