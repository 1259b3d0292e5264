#pragma once
// The system's memory: raw blocks for the engine's memory manager, the machine's memory
// status, and keeping pages resident. The allocator is replaceable so that tests can make
// the system refuse requests and reach the engine's out-of-memory paths.
#include <cstddef>
#include <cstdint>

namespace plat {

struct MemoryStatus {
    uint64_t availableVirtual;
    uint64_t totalVirtual;
    uint64_t availablePhysical;
    uint64_t totalPhysical;
    uint64_t availableSwap;
    uint64_t totalSwap;
};

class SystemAllocator {
public:
    virtual ~SystemAllocator() = default;
    virtual void* allocate(size_t size) = 0;
    // Like realloc: may move the block; on failure the old block stays valid and nullptr is returned.
    virtual void* reallocate(void* block, size_t size) = 0;
    virtual void release(void* block) = 0;
    virtual MemoryStatus status() = 0;
};

SystemAllocator& systemAllocator();
// nullptr puts the process heap back.
void setSystemAllocator(SystemAllocator* allocator);

// Best effort: false when the system refuses (for example over the locked-memory limit).
bool lockPages(const void* address, size_t size);
void unlockPages(const void* address, size_t size);

}  // namespace plat
