#include "platform/fiber/Fiber.h"

#include <cxxabi.h>
#include <pthread.h>
#include <sys/mman.h>
#include <ucontext.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#define TUMBLO_FIBER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TUMBLO_FIBER_ASAN 1
#endif
#endif

#ifdef TUMBLO_FIBER_ASAN
#include <sanitizer/asan_interface.h>
#include <sanitizer/common_interface_defs.h>
#endif

#if defined(__SANITIZE_THREAD__)
#define TUMBLO_FIBER_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define TUMBLO_FIBER_TSAN 1
#endif
#endif

#ifdef TUMBLO_FIBER_TSAN
#include <sanitizer/tsan_interface.h>
#endif

namespace plat {
namespace {

// The C++ runtime keeps the exceptions being handled and the count of uncaught ones per
// system thread; fibers sharing the thread must each keep their own copy of it. The layout
// is the Itanium C++ ABI's.
struct ExceptionGlobals {
    void* caughtExceptions;
    unsigned int uncaughtExceptions;
};

ExceptionGlobals* exceptionGlobals() {
    return reinterpret_cast<ExceptionGlobals*>(abi::__cxa_get_globals());
}

size_t pageSize() { return size_t(sysconf(_SC_PAGESIZE)); }

}  // namespace

struct Fiber::State {
    ucontext_t context{};
    ExceptionGlobals exceptions{};
    Entry entry = nullptr;
    void* argument = nullptr;
    const void* stackBottom = nullptr;
    size_t stackBytes = 0;
    void* asanFakeStack = nullptr;
    // ThreadSanitizer's own record of the fiber: its stack and what it has seen happen.
    void* tsanFiber = nullptr;
};

Fiber::Fiber() : state_(std::make_unique<State>()) {}

Fiber::~Fiber() {
    if (!mapping_) return;
#ifdef TUMBLO_FIBER_TSAN
    __tsan_destroy_fiber(state_->tsanFiber);
#endif
#ifdef TUMBLO_FIBER_ASAN
    // A fiber left mid-call leaves its frames poisoned; the pages may be mapped again later.
    ASAN_UNPOISON_MEMORY_REGION(state_->stackBottom, state_->stackBytes);
#endif
    munmap(mapping_, mappingSize_);
}

std::unique_ptr<Fiber> Fiber::forCurrentThread() {
    std::unique_ptr<Fiber> fiber(new Fiber());
#ifdef TUMBLO_FIBER_TSAN
    fiber->state_->tsanFiber = __tsan_get_current_fiber();
#endif
    pthread_attr_t attributes;
    if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
        void* bottom = nullptr;
        size_t size = 0;
        pthread_attr_getstack(&attributes, &bottom, &size);
        pthread_attr_destroy(&attributes);
        fiber->state_->stackBottom = bottom;
        fiber->state_->stackBytes = size;
        fiber->stackSize_ = size;
    }
    return fiber;
}

std::unique_ptr<Fiber> Fiber::create(size_t stackSize, Entry entry, void* argument) {
    const size_t page = pageSize();
    if (stackSize < kFiberMinStackSize) stackSize = kFiberMinStackSize;
    stackSize = (stackSize + page - 1) / page * page;
    const size_t mappingSize = stackSize + page;
    void* mapping = mmap(nullptr, mappingSize, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_STACK, -1, 0);
    if (mapping == MAP_FAILED) return nullptr;
    if (mprotect(mapping, page, PROT_NONE) != 0) {
        munmap(mapping, mappingSize);
        return nullptr;
    }

    std::unique_ptr<Fiber> fiber(new Fiber());
    fiber->mapping_ = mapping;
    fiber->mappingSize_ = mappingSize;
    fiber->stackSize_ = stackSize;
    State& state = *fiber->state_;
    state.entry = entry;
    state.argument = argument;
    state.stackBottom = static_cast<char*>(mapping) + page;
    state.stackBytes = stackSize;
#ifdef TUMBLO_FIBER_TSAN
    state.tsanFiber = __tsan_create_fiber(0);
#endif

    getcontext(&state.context);
    state.context.uc_stack.ss_sp = const_cast<void*>(state.stackBottom);
    state.context.uc_stack.ss_size = stackSize;
    state.context.uc_link = nullptr;
    // makecontext passes int arguments only: the fiber's address travels in two halves.
    const auto address = reinterpret_cast<uintptr_t>(fiber.get());
    makecontext(&state.context, reinterpret_cast<void (*)()>(&Fiber::trampoline), 2,
                unsigned(address >> 32), unsigned(address & 0xFFFFFFFFu));
    return fiber;
}

void Fiber::trampoline(unsigned high, unsigned low) {
    auto* self = reinterpret_cast<Fiber*>((uintptr_t(high) << 32) | uintptr_t(low));
#ifdef TUMBLO_FIBER_ASAN
    __sanitizer_finish_switch_fiber(nullptr, nullptr, nullptr);
#endif
    self->state_->entry(self->state_->argument);
    std::fputs("fiber entry returned instead of leaving with fiberExit\n", stderr);
    std::abort();
}

void fiberSwitch(Fiber& from, Fiber& to) {
    Fiber::State& a = *from.state_;
    Fiber::State& b = *to.state_;
    ExceptionGlobals* globals = exceptionGlobals();
    a.exceptions = *globals;
    *globals = b.exceptions;
#ifdef TUMBLO_FIBER_ASAN
    __sanitizer_start_switch_fiber(&a.asanFakeStack, b.stackBottom, b.stackBytes);
#endif
#ifdef TUMBLO_FIBER_TSAN
    // Fibers take turns on one thread: each switch orders what came before it.
    __tsan_switch_to_fiber(b.tsanFiber, 0);
#endif
    swapcontext(&a.context, &b.context);
#ifdef TUMBLO_FIBER_ASAN
    __sanitizer_finish_switch_fiber(a.asanFakeStack, nullptr, nullptr);
#endif
}

void fiberExit(Fiber& to) {
    Fiber::State& b = *to.state_;
    *exceptionGlobals() = b.exceptions;
#ifdef TUMBLO_FIBER_ASAN
    // No fake stack to keep: the sanitizer releases this fiber's.
    __sanitizer_start_switch_fiber(nullptr, b.stackBottom, b.stackBytes);
#endif
#ifdef TUMBLO_FIBER_TSAN
    __tsan_switch_to_fiber(b.tsanFiber, 0);
#endif
    setcontext(&b.context);
    std::abort();
}

}  // namespace plat
