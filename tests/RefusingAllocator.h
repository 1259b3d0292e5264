#pragma once
// The process heap, refusing every request after the first `allowed` while it lives: the
// tests' way to reach the paths taken when memory runs out at a chosen step.
#include <cstdlib>

#include "platform/memory/SystemMemory.h"

class RefusingAllocator : public plat::SystemAllocator {
public:
    explicit RefusingAllocator(int allowed) : allowed_(allowed) { plat::setSystemAllocator(this); }
    ~RefusingAllocator() override { plat::setSystemAllocator(nullptr); }
    RefusingAllocator(const RefusingAllocator&) = delete;
    RefusingAllocator& operator=(const RefusingAllocator&) = delete;
    void* allocate(size_t size) override { return allowed_-- > 0 ? std::malloc(size ? size : 1) : nullptr; }
    void* reallocate(void* block, size_t size) override {
        return allowed_-- > 0 ? std::realloc(block, size ? size : 1) : nullptr;
    }
    void release(void* block) override { std::free(block); }
    plat::MemoryStatus status() override { return {}; }

private:
    int allowed_;
};
