#pragma once
// Cooperative fibers: separate stacks that take turns on one system thread. The engine's
// threads are built on them; a fiber runs only when another fiber of the same system thread
// switches to it explicitly, so no fiber code needs a lock against its siblings.
//
// Every stack is mapped privately with an inaccessible guard page below it, so an overflow
// faults instead of corrupting a neighbour. Each switch carries the C++ runtime's per-thread
// exception state along (a fiber may switch while inside a catch block) and tells
// AddressSanitizer which stack is live. Fibers must be switched only on the system thread
// that created them.
#include <cstddef>
#include <memory>

namespace plat {

constexpr size_t kFiberMinStackSize = 256 * 1024;

class Fiber;
// Saves the running fiber `from` and continues `to`; returns when someone switches back.
void fiberSwitch(Fiber& from, Fiber& to);
// Leaves the running fiber for good and continues `to`; the left fiber's stack may then be
// released by whoever runs next.
[[noreturn]] void fiberExit(Fiber& to);

class Fiber {
public:
    // The entry must not return: it ends by switching away for good with fiberExit.
    using Entry = void (*)(void* argument);

    // The calling system thread's own stack, so that created fibers can switch back to it.
    static std::unique_ptr<Fiber> forCurrentThread();
    // nullptr when no address space is left for the stack. The size is raised to at least
    // kFiberMinStackSize and rounded up to whole pages.
    static std::unique_ptr<Fiber> create(size_t stackSize, Entry entry, void* argument);

    // Releases the stack; never called from the fiber itself.
    ~Fiber();
    Fiber(const Fiber&) = delete;
    Fiber& operator=(const Fiber&) = delete;

    size_t stackSize() const { return stackSize_; }

private:
    struct State;
    Fiber();
    static void trampoline(unsigned high, unsigned low);

    std::unique_ptr<State> state_;
    void* mapping_ = nullptr;
    size_t mappingSize_ = 0;
    size_t stackSize_ = 0;

    friend void fiberSwitch(Fiber& from, Fiber& to);
    friend void fiberExit(Fiber& to);
};

}  // namespace plat
