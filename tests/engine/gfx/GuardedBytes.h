#pragma once
// Room for a few pages of bytes between two pages that may be neither read nor written: a span
// placed against either guard faults on the first access past it, in sanitized and plain
// builds alike. A sanitizer cannot see an access that stays inside a larger allocation (a
// vector's spare capacity, a span inside a longer row), a guard page can.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/base/EngineTypes.h"

class GuardedBytes {
public:
    explicit GuardedBytes(size_t room) {
        const size_t page = size_t(sysconf(_SC_PAGESIZE));
        room_ = (room + page - 1) / page * page;
        mapped_ = room_ + 2 * page;
        void* map = mmap(nullptr, mapped_, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (map == MAP_FAILED) std::abort();
        first_ = static_cast<u8*>(map) + page;
        if (mprotect(first_, room_, PROT_READ | PROT_WRITE) != 0) std::abort();
    }
    ~GuardedBytes() { munmap(first_ - (mapped_ - room_) / 2, mapped_); }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;

    // `bytes` bytes whose last one lies against the guard after them.
    u8* endingAtGuard(size_t bytes) { return first_ + room_ - bytes; }
    // Bytes whose first one lies against the guard before them.
    u8* startingAtGuard() { return first_; }
    // A copy of `data` that ends against the guard.
    const u8* holdAtEnd(const std::vector<u8>& data) {
        if (data.size() > room_) std::abort();
        u8* at = endingAtGuard(data.size());
        if (!data.empty()) std::memcpy(at, data.data(), data.size());
        return at;
    }

private:
    size_t room_ = 0;
    size_t mapped_ = 0;
    u8* first_ = nullptr;
};
