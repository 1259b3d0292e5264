#include "platform/memory/SystemMemory.h"

#include <sys/mman.h>
#include <sys/sysinfo.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace plat {
namespace {

// MemAvailable counts reclaimable caches, which is what a program can really still get.
uint64_t availablePhysicalBytes(const struct sysinfo& info) {
    if (FILE* meminfo = std::fopen("/proc/meminfo", "r")) {
        char line[128];
        unsigned long long kb = 0;
        bool found = false;
        while (std::fgets(line, sizeof line, meminfo)) {
            if (std::sscanf(line, "MemAvailable: %llu kB", &kb) == 1) {
                found = true;
                break;
            }
        }
        std::fclose(meminfo);
        if (found) return uint64_t(kb) * 1024u;
    }
    return uint64_t(info.freeram) * info.mem_unit;
}

class HeapAllocator : public SystemAllocator {
public:
    void* allocate(size_t size) override { return std::malloc(size ? size : 1); }
    void* reallocate(void* block, size_t size) override { return std::realloc(block, size ? size : 1); }
    void release(void* block) override { std::free(block); }
    MemoryStatus status() override {
        struct sysinfo info {};
        if (sysinfo(&info) != 0) return {};
        MemoryStatus s{};
        s.totalPhysical = uint64_t(info.totalram) * info.mem_unit;
        s.availablePhysical = availablePhysicalBytes(info);
        s.totalSwap = uint64_t(info.totalswap) * info.mem_unit;
        s.availableSwap = uint64_t(info.freeswap) * info.mem_unit;
        // A 64-bit address space is never the limit; what can be committed is memory plus swap.
        s.totalVirtual = s.totalPhysical + s.totalSwap;
        s.availableVirtual = s.availablePhysical + s.availableSwap;
        return s;
    }
};

HeapAllocator heapAllocator;
std::atomic<SystemAllocator*> currentAllocator{&heapAllocator};

}  // namespace

SystemAllocator& systemAllocator() { return *currentAllocator.load(); }

void setSystemAllocator(SystemAllocator* allocator) { currentAllocator.store(allocator ? allocator : &heapAllocator); }

bool lockPages(const void* address, size_t size) { return mlock(address, size) == 0; }

void unlockPages(const void* address, size_t size) { munlock(address, size); }

}  // namespace plat
